#include "core/Lexicons.h"

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

std::string lexiconFolder(const std::string& workingFolder, const std::string& name) {
    if (name.empty()) return workingFolder;
    return joinPath(joinPath(workingFolder, kLexiconsFolder), name);
}

std::vector<std::string> lexiconNames(FileSystem& fs, const std::string& workingFolder) {
    std::vector<std::string> names;
    for (const std::string& name : fs.folders(joinPath(workingFolder, kLexiconsFolder)))
        if (isLexiconName(name) &&
            fs.exists(joinPath(lexiconFolder(workingFolder, name), kWordListName)))
            names.push_back(name);
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
    const std::string folder = lexiconFolder(workingFolder, setting);
    if (!fs.exists(joinPath(folder, kWordListName))) {
        choice.problem = str::withText(str::kLexiconMissing, setting);
        return choice;
    }
    choice.name = setting;
    choice.folder = folder;
    return choice;
}

std::string lexiconLabel(const std::string& name) {
    return name.empty() ? std::string(str::kLexiconDefaultName) : name;
}

} // namespace zq
