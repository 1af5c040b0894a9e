#include "wordsets/UserWordSet.h"

#include <memory>

#include <algorithm>

#include "core/FileSystem.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

CUserWordSet::CUserWordSet(FileSystem& fs, const std::string& path) {
    const auto size = fs.fileSize(path);
    if (!size || *size > kMaxWordSetFileSize) return;
    const auto text = readWholeFile(fs, path);
    if (!text) return;
    parse(*text);
}

bool CUserWordSet::parse(std::string_view text) {
    loaded = false;
    words.clear();
    title.clear();
    description.clear();
    index_.clear();
    indexText_.clear();
    lengths_.reset();
    sorted_.clear();

    // The file is read as one NUL-terminated text: a NUL byte ends it.
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    std::string buffer(text);
    std::replace_if(buffer.begin(), buffer.end(), isLineBreak, '*');

    // Each of lines 1 to 3 ends at the next '*'; a line break that follows the
    // end of line 1 or 2 at once is skipped with it.
    const std::size_t end1 = buffer.find('*');
    if (end1 == std::string::npos || end1 == 0) return false;
    std::size_t start2 = end1 + 1;
    if (start2 < buffer.size() && buffer[start2] == '*') ++start2;
    const std::size_t end2 = buffer.find('*', start2);
    if (end2 == std::string::npos) return false;
    std::size_t start3 = end2 + 1;
    if (start3 < buffer.size() && buffer[start3] == '*') ++start3;
    const std::size_t end3 = buffer.find('*', start3);
    if (end3 == std::string::npos) return false;

    title = buffer.substr(0, end1);
    description = buffer.substr(start2, end2 - start2);

    // The word part starts with the '*' that ends line 3; every character
    // other than a-z separates words, and runs of separators become one '*'.
    words = "*";
    for (std::size_t i = end3; i < buffer.size(); ++i) {
        char c = buffer[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c < 'a' || c > 'z') c = '*';
        if (c == '*' && words.back() == '*' && words.size() > 1) continue;
        words += c;
    }
    words += '*';
    buildIndex();
    loaded = true;
    return true;
}

void CUserWordSet::buildIndex() {
    indexText_ = words;
    std::size_t start = 0;
    while (start < indexText_.size()) {
        std::size_t end = indexText_.find('*', start);
        if (end == std::string::npos) end = indexText_.size();
        if (end > start) {
            const std::string_view word(indexText_.data() + start, end - start);
            index_.insert(word);
            lengths_.set(std::min<std::size_t>(word.size(), lengths_.size() - 1));
        }
        start = end + 1;
    }
    sorted_.assign(index_.begin(), index_.end());
    std::sort(sorted_.begin(), sorted_.end());
}

bool CUserWordSet::contains(std::string_view word) const {
    if (word.empty()) return false;
    if (!lengths_.test(std::min<std::size_t>(word.size(), lengths_.size() - 1))) return false;
    return index_.count(word) != 0;
}

bool loadUserWordSet(CWordDatabase& database, const std::string& fileName) {
    // Word sets belong to the working folder and serve every lexicon.
    auto set = std::make_shared<CUserWordSet>(database.fileSystem(),
                                              joinPath(database.setup().folder, fileName));
    if (!set->loaded) {
        database.tell(str::withText(str::kWordSetFailed, fileName));
        return false;
    }
    database.userWordSets.push_back(std::move(set));
    return true;
}

void scanUserWordSets(CWordDatabase& database) {
    const std::vector<std::string> names =
        database.fileSystem().list(database.setup().folder, kWordSetSuffix);
    ProgressSink* bar = database.progressBar;
    if (bar) {
        bar->setPosition(0);
        bar->setRange(static_cast<int>(names.size()));
    }
    int handled = 0;
    for (const std::string& name : names) {
        loadUserWordSet(database, name);
        if (bar) bar->setPosition(++handled);
    }
}

DatabaseSetup programSetup(UserInterface* ui, std::string folder) {
    DatabaseSetup setup;
    setup.ui = ui;
    setup.folder = std::move(folder);
    setup.afterLoad = scanUserWordSets;
    return setup;
}

} // namespace zq
