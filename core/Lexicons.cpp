#include "core/Lexicons.h"

#include <algorithm>
#include <cctype>

#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// A setting shown back in a message: printable ASCII only, and not too long,
// whatever the settings file held.
std::string shown(const std::string& setting) {
    std::string out;
    for (char c : setting) {
        if (out.size() >= kMaxLexiconName) {
            out += "...";
            break;
        }
        out += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    return out;
}

} // namespace

bool isLexiconName(std::string_view name) {
    if (name.empty() || name.size() > kMaxLexiconName || name.front() == '.') return false;
    for (char c : name)
        if (!isNameChar(c)) return false;
    return true;
}

bool isDefaultLexiconName(std::string_view name) {
    const std::string_view label = str::kLexiconDefaultName;
    return name.size() == label.size() &&
           std::equal(name.begin(), name.end(), label.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool hasLexicon(FileSystem& fs, const std::string& workingFolder, const std::string& name) {
    return fs.exists(joinPath(lexiconFolder(workingFolder, name), kWordListName));
}

std::string lexiconFolder(const std::string& workingFolder, const std::string& name) {
    if (name.empty()) return workingFolder;
    return joinPath(joinPath(workingFolder, kLexiconsFolder), name);
}

std::vector<std::string> lexiconNames(FileSystem& fs, const std::string& workingFolder) {
    std::vector<std::string> names;
    for (const std::string& name : fs.folders(joinPath(workingFolder, kLexiconsFolder)))
        if (isLexiconName(name) && hasLexicon(fs, workingFolder, name)) names.push_back(name);
    return names;
}

LexiconChoice chooseLexicon(FileSystem& fs, const std::string& workingFolder,
                            const std::string& setting) {
    LexiconChoice choice;
    choice.folder = workingFolder;
    if (setting.empty()) return choice;
    if (!isLexiconName(setting)) {
        choice.problem = str::withText(str::kLexiconBadName, shown(setting));
        return choice;
    }
    if (!hasLexicon(fs, workingFolder, setting)) {
        choice.problem = str::withText(str::kLexiconMissing, setting);
        return choice;
    }
    choice.name = setting;
    choice.folder = lexiconFolder(workingFolder, setting);
    return choice;
}

std::string lexiconLabel(const std::string& name) {
    return name.empty() ? std::string(str::kLexiconDefaultName) : name;
}

std::vector<LexiconRow> lexiconRows(FileSystem& fs, const std::string& workingFolder,
                                    const std::string& loaded, const std::string& setting) {
    const std::string atStartUp = chooseLexicon(fs, workingFolder, setting).name;
    std::vector<std::string> names = lexiconNames(fs, workingFolder);
    names.insert(names.begin(), std::string());
    std::vector<LexiconRow> rows;
    for (const std::string& name : names) {
        LexiconRow row{name, lexiconLabel(name), name == loaded, name == atStartUp};
        if (row.loaded && row.atStartUp)
            row.text += str::kLexiconLoadedAndAtStartUp;
        else if (row.loaded)
            row.text += str::kLexiconLoadedNow;
        else if (row.atStartUp)
            row.text += str::kLexiconAtStartUp;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string suggestedLexiconName(const std::string& path) {
    std::string base = path.substr(path.find_last_of("/\\") + 1);
    if (const auto dot = base.rfind('.'); dot != std::string::npos && dot > 0) base.resize(dot);
    std::string name;
    for (char c : base)
        if (isNameChar(c) && !(name.empty() && c == '.') && name.size() < kMaxLexiconName)
            name += c;
    if (name.empty() || isDefaultLexiconName(name)) return "mine";
    return name;
}

} // namespace zq
