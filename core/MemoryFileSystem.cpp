#include "core/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace zq {

std::size_t MemoryStream::read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, input_.size() - at_);
    if (n) std::memcpy(buffer, input_.data() + at_, n);
    at_ += n;
    return n;
}

std::size_t MemoryStream::write(const void* buffer, std::size_t count) {
    target_->append(static_cast<const char*>(buffer), count);
    written_ = true;
    return count;
}

std::int64_t MemoryStream::tell() {
    return static_cast<std::int64_t>(written_ ? target_->size() : at_);
}

bool MemoryStream::seek(std::int64_t position) {
    if (position < 0 || static_cast<std::size_t>(position) > input_.size()) return false;
    at_ = static_cast<std::size_t>(position);
    return true;
}

std::unique_ptr<ByteStream> MemoryFileSystem::openRead(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<MemoryStream>(it->second);
}

std::unique_ptr<ByteStream> MemoryFileSystem::create(const std::string& path) {
    std::string& file = files[path];
    file.clear();
    return std::make_unique<MemoryStream>(&file);
}

std::optional<std::int64_t> MemoryFileSystem::fileSize(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return static_cast<std::int64_t>(it->second.size());
}

bool MemoryFileSystem::exists(const std::string& path) {
    return files.count(path) != 0;
}

bool MemoryFileSystem::replace(const std::string& from, const std::string& to) {
    const auto it = files.find(from);
    if (it == files.end()) return false;
    std::string content = std::move(it->second);
    files.erase(it);
    files[to] = std::move(content);
    return true;
}

bool MemoryFileSystem::copy(const std::string& from, const std::string& to) {
    const auto it = files.find(from);
    if (it == files.end()) return false;
    std::string content = it->second;
    files[to] = std::move(content);
    return true;
}

bool MemoryFileSystem::remove(const std::string& path) {
    return files.erase(path) != 0;
}

std::vector<std::string> MemoryFileSystem::list(const std::string& folder,
                                                const std::string& suffix) {
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    std::vector<std::string> names;
    for (const auto& [path, content] : files) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string name = path.substr(prefix.size());
        if (name.find('/') != std::string::npos || name.size() <= suffix.size()) continue;
        if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.push_back(name);
    }
    return names; // the map keeps them in byte order
}

std::vector<std::string> MemoryFileSystem::folders(const std::string& folder) {
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    std::vector<std::string> names;
    for (const auto& [path, content] : files) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = path.substr(prefix.size());
        const auto slash = rest.find('/');
        if (slash == std::string::npos || slash == 0) continue;
        names.push_back(rest.substr(0, slash));
    }
    // "a-b/x" sorts before "a/y" although "a" comes before "a-b".
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace zq
