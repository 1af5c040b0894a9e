#include "core/WorkingFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "Zendraquil";

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// Copies `from` to `to` through a temporary file beside `to`.
bool copyWhole(const fs::path& from, const fs::path& to) {
    fs::path temporary = to;
    temporary += ".part";
    std::error_code ec;
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(temporary, to, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

void addLooked(std::vector<std::string>& looked, const std::string& folder) {
    if (!folder.empty() && std::find(looked.begin(), looked.end(), folder) == looked.end())
        looked.push_back(folder);
}

} // namespace

std::string userFolder(const FolderPlaces& places) {
    if (!places.zendraquilHome.empty()) return places.zendraquilHome;
    if (!places.xdgDataHome.empty() && fs::path(places.xdgDataHome).is_absolute())
        return (fs::path(places.xdgDataHome) / kFolderName).string();
    if (!places.home.empty())
        return (fs::path(places.home) / ".local" / "share" / kFolderName).string();
    return {};
}

WorkingFolder chooseWorkingFolder(const FolderPlaces& places) {
    WorkingFolder out;
    addLooked(out.looked, places.current);
    if (isFile(fs::path(places.current) / kWordListName)) {
        out.folder = places.current;
        out.found = true;
        return out;
    }
    const std::string own = userFolder(places);
    addLooked(out.looked, own);
    addLooked(out.looked, places.installedData);
    std::error_code ec;
    if (own.empty()) {
        out.problem = "no home folder is known";
    } else if (fs::create_directories(own, ec); ec) {
        out.problem = own + ": " + ec.message();
    }
    if (!out.problem.empty()) {
        out.folder = places.current;
        return out;
    }
    out.folder = own;
    const fs::path target(own);
    const fs::path source(places.installedData);
    if (!isFile(target / kWordListName) && !places.installedData.empty() &&
        isFile(source / kWordListName)) {
        if (copyWhole(source / kWordListName, target / kWordListName)) {
            out.seeded.push_back(kWordListName);
            std::vector<fs::path> sets;
            for (const auto& e : fs::directory_iterator(source, ec))
                if (e.path().extension() == ".wordset" && isFile(e.path()))
                    sets.push_back(e.path());
            std::sort(sets.begin(), sets.end());
            for (const fs::path& set : sets) {
                const fs::path to = target / set.filename();
                if (fs::exists(to, ec)) continue;
                if (copyWhole(set, to)) out.seeded.push_back(set.filename().string());
            }
        }
    }
    out.found = isFile(target / kWordListName);
    return out;
}

std::string missingWordListMessage(const WorkingFolder& choice) {
    std::string places;
    for (const std::string& folder : choice.looked)
        places += "\n" + folder;
    return str::withText(str::kNoWordListLooked, places);
}

} // namespace zq
