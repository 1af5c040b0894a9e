#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "core/Import.h"
#include "core/Random.h"
#include "core/WordDatabase.h"
#include "quiz/TileBag.h"
#include "tests/support/TestSupport.h"
#include "tools/WordBuilderSearch.h"

using namespace zq;
using namespace zq::test;

namespace {

// The search done the plain way, letter by letter, with a result tree whose
// equal scores go to the lower side; the fast search must list the same lines.
bool plainCanBeMade(const CWordNode* node, const std::string& rack) {
    if (node->has(CWordNode::Expurged)) return false;
    std::string work = rack;
    int blanks = static_cast<int>(std::count(rack.begin(), rack.end(), ' '));
    for (const char* p = node->word(); *p; ++p) {
        const auto at = work.find(*p);
        if (at != std::string::npos)
            work[at] = '?';
        else if (blanks > 0)
            --blanks;
        else
            return false;
    }
    return true;
}

std::vector<std::string> plainListing(CWordDatabase& db, std::string letters, std::string filter) {
    for (char& c : letters)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : filter)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    struct Node {
        CWordNode* entry = nullptr;
        long score = 0;
        int lower = -1, higher = -1;
    };
    std::vector<Node> tree(1);
    db.root->forEachInOrder([&](CWordNode* e) {
        const std::string w = e->word();
        if (!plainCanBeMade(e, letters)) return 0;
        if (!filter.empty()) {
            if (w.size() != filter.size()) return 0;
            for (std::size_t i = 0; i < w.size(); ++i)
                if (filter[i] != ' ' && filter[i] != w[i]) return 0;
        }
        std::string copy = letters;
        long score = 0;
        for (char c : w) {
            const auto at = copy.find(c);
            if (at != std::string::npos) {
                score += letterScore(c);
                copy[at] = ' ';
            }
        }
        if (!tree[0].entry) {
            tree[0].entry = e;
            tree[0].score = score;
            return 0;
        }
        int at = 0;
        for (;;) {
            int& next = score > tree[static_cast<std::size_t>(at)].score
                            ? tree[static_cast<std::size_t>(at)].higher
                            : tree[static_cast<std::size_t>(at)].lower;
            if (next < 0) {
                next = static_cast<int>(tree.size());
                tree.push_back({e, score, -1, -1});
                return 0;
            }
            at = next;
        }
    });
    std::vector<std::string> lines;
    if (!tree[0].entry) return {"No word found"};
    int budget = 500;
    bool stop = false;
    // Higher child, node, lower child.
    std::function<void(int)> visit = [&](int i) {
        if (i < 0 || stop) return;
        visit(tree[static_cast<std::size_t>(i)].higher);
        if (stop) return;
        if (budget == 0) {
            lines.emplace_back("More not shown");
            stop = true;
            return;
        }
        --budget;
        lines.push_back(std::string(tree[static_cast<std::size_t>(i)].entry->word()) + " : " +
                        std::to_string(tree[static_cast<std::size_t>(i)].score));
        visit(tree[static_cast<std::size_t>(i)].lower);
    };
    visit(0);
    return lines;
}

std::vector<std::string> list(CWordDatabase& db, const char* letters, const char* filter = "") {
    return listBuildableWords(db, letters, filter);
}

} // namespace

TEST(WordBuilderSearch, TheHelpTextExample) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui,
                           {"meta****~", "nets****~", "seta****~", "beta****~", "mean****~",
                            "jets****~", "metal****~"});
    const std::vector<std::string> expected = {"meta : 6", "nets : 4", "seta : 4"};
    EXPECT_EQ(list(*db, "AETSMN", " ET "), expected);
    EXPECT_EQ(list(*db, "aetsmn", " et "), expected);
    EXPECT_EQ(list(*db, "", ""), std::vector<std::string>{"No word found"});
    EXPECT_EQ(list(*db, "aetsmn", "  et   "), std::vector<std::string>{"No word found"});
    EXPECT_EQ(list(*db, "ab", "abcdefg"), std::vector<std::string>{"No word found"});
}

TEST(WordBuilderSearch, BlanksScoreNothingAndExpurgedNeverAppear) {
    TempDir dir;
    RecordingUi ui;
    const std::string slur = kExpurgedWords[0];
    auto db = databaseWith(dir, ui, {"zax****~"});
    const auto twoBlanks = list(*db, "  ");
    EXPECT_EQ(twoBlanks.size(), 96u); // every two-letter word, all scoring 0
    EXPECT_EQ(twoBlanks.front(), "aa : 0");
    EXPECT_EQ(twoBlanks.back(), "yo : 0");
    const auto withZ = list(*db, "z  ");
    EXPECT_EQ(withZ.front(), "zax : 10");
    std::string rack(slur.size(), ' ');
    for (const std::string& line : list(*db, rack.c_str()))
        EXPECT_NE(line.substr(0, line.find(' ')), slur);
}

TEST(WordBuilderSearch, ListingStopsAt500OnlyWhenMoreRemain) {
    std::vector<std::string> records;
    for (int i = 0; records.size() < 520; ++i) {
        std::string w = "qq";
        for (int n = i; n || w.size() < 5; n /= 26)
            w += static_cast<char>('a' + n % 26);
        records.push_back(w + "****~");
    }
    for (std::size_t total : {404u, 405u, 406u}) {
        // 96 two-letter words plus the records, all scoring 0 with blanks only:
        // exactly 500 found words list no "More not shown".
        TempDir dir;
        RecordingUi ui;
        std::vector<std::string> some(records.begin(), records.begin() + static_cast<long>(total));
        auto db = databaseWith(dir, ui, some);
        const auto lines = list(*db, "        ");
        const std::size_t found = 96 + total;
        if (found <= 500) {
            EXPECT_EQ(lines.size(), found);
            EXPECT_NE(lines.back(), "More not shown");
        } else {
            EXPECT_EQ(lines.size(), 501u);
            EXPECT_EQ(lines.back(), "More not shown");
        }
        EXPECT_EQ(lines, plainListing(*db, "        ", ""));
    }
}

TEST(WordBuilderSearch, MatchesThePlainSearchOnTheFullWordList) {
    const auto& words = enableWords();
    ASSERT_FALSE(words.empty()) << "lexicon/enable1.txt is missing";
    std::vector<ImportRecord> records;
    for (const std::string& w : words)
        records.push_back({w, "", "", ""});
    TempDir dir;
    RecordingUi ui;
    auto db = importedDatabase(dir, ui, records);
    ASSERT_TRUE(db);
    std::mt19937 rng(3);
    const std::string bag = CTileBag::fullBag();
    for (int round = 0; round < 25; ++round) {
        std::string letters;
        const int tiles = 3 + static_cast<int>(rng() % 8);
        for (int i = 0; i < tiles; ++i)
            letters += bag[rng() % bag.size()];
        for (unsigned blanks = rng() % 3; blanks; --blanks)
            letters += ' ';
        std::string filter;
        if (round % 3 == 0) {
            filter = std::string(4 + rng() % 3, ' ');
            filter[1] = letters[0];
        }
        SCOPED_TRACE("[" + letters + "] [" + filter + "]");
        EXPECT_EQ(list(*db, letters.c_str(), filter.c_str()), plainListing(*db, letters, filter));
    }
}
