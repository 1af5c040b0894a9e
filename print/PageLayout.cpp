#include "print/PageLayout.h"

#include <algorithm>

#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

CWordSetCriteria markForPrinting(CWordDatabase& database, SettingsStore& settings) {
    CWordSetCriteria criteria;
    criteria.load(settings, &database);
    markWordSet(database, criteria, false, false);
    return criteria;
}

std::vector<int> printSequence(int first, int last, int copies, bool collate, bool lastFirst) {
    std::vector<int> pages;
    if (last < first) return pages;
    copies = std::max(copies, 1);
    std::vector<int> once;
    for (int p = first; p <= last; ++p)
        once.push_back(p);
    if (lastFirst) std::reverse(once.begin(), once.end());
    if (collate) {
        for (int c = 0; c < copies; ++c)
            pages.insert(pages.end(), once.begin(), once.end());
    } else {
        for (int p : once)
            pages.insert(pages.end(), static_cast<std::size_t>(copies), p);
    }
    return pages;
}

CPageLayout::CPageLayout(CWordDatabase& database, const CWordSetCriteria& criteria, int width,
                         int height)
    : pageWidth(std::max(width, 0)), pageHeight(std::max(height, 0)), criteria_(criteria) {
    entriesPerPage = criteria.definitions ? kLinesPerPage : kLinesPerPage * kColumns;
    // One header line, one empty line and 60 lines fill the page.
    lineHeight = pageHeight / (kLinesPerPage + 2);
    for (CWordNode* node : database.inOrder())
        if (node->has(CWordNode::InWordSet)) members_.push_back(node);
}

int CPageLayout::pageCount() const {
    const int n = memberCount();
    return std::max(1, (n + entriesPerPage - 1) / entriesPerPage);
}

std::string CPageLayout::header(int page) const {
    std::string out = str::kPrintHeader;
    const std::string values[] = {std::to_string(page), title.empty() ? criteria_.name() : title,
                                  criteria_.lengthLabel(), criteria_.definitions ? "Yes" : "No"};
    std::size_t at = 0;
    for (const std::string& v : values) {
        at = out.find('%', at);
        if (at == std::string::npos) break;
        const std::size_t end = out.find_first_of("sd", at) + 1;
        out.replace(at, end - at, v);
        at += v.size();
    }
    return out;
}

PrintedPage CPageLayout::page(int number) const {
    PrintedPage out;
    out.number = number;
    if (members_.empty() || number < 1) return out;
    out.texts.push_back({0, 0, -1, 0, header(number)});
    const int first = (number - 1) * entriesPerPage;
    const int columnWidth = pageWidth / kColumns;
    const int columns = definitions() ? 1 : kColumns;
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < kLinesPerPage; ++row) {
            const int index = first + kLinesPerPage * column + row;
            if (index >= memberCount()) return out;
            const CWordNode* e = members_[static_cast<std::size_t>(index)];
            PrintedText t;
            t.x = column * columnWidth;
            t.y = (2 + row) * lineHeight;
            t.row = row;
            t.column = column;
            t.text = definitions() ? std::string(e->word()) + "  -  " + e->partOfSpeech() + ". " +
                                         e->definition()
                                   : std::string(e->word());
            out.texts.push_back(std::move(t));
        }
    }
    return out;
}

void markOnly(CWordDatabase& database, const std::vector<CWordNode*>& entries) {
    for (const auto& e : database.indexed())
        e.node->clear(CWordNode::InWordSet);
    for (CWordNode* node : entries)
        if (node) node->set(CWordNode::InWordSet);
}

} // namespace zq
