#include "core/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace zq {

namespace {

class StdioStream final : public ByteStream {
  public:
    explicit StdioStream(std::FILE* file) : file_(file) {}
    ~StdioStream() override { close(); }

    std::size_t read(void* buffer, std::size_t count) override {
        return file_ ? std::fread(buffer, 1, count, file_) : 0;
    }
    std::size_t write(const void* buffer, std::size_t count) override {
        return file_ ? std::fwrite(buffer, 1, count, file_) : 0;
    }
    bool flush() override {
        if (!file_ || std::fflush(file_) != 0) return false;
#if defined(__unix__) || defined(__APPLE__)
        if (::fsync(fileno(file_)) != 0) return false;
#endif
        return true;
    }
    bool close() override {
        if (!file_) return true;
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }
    std::int64_t tell() override {
        return file_ ? std::ftell(file_) : -1;
    }
    bool seek(std::int64_t position) override {
        return file_ && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
    }

  private:
    std::FILE* file_;
};

class RealFileSystem final : public FileSystem {
  public:
    std::unique_ptr<ByteStream> openRead(const std::string& path) override {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return nullptr;
        return std::make_unique<StdioStream>(f);
    }
    std::unique_ptr<ByteStream> create(const std::string& path) override {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return nullptr;
        return std::make_unique<StdioStream>(f);
    }
    std::optional<std::int64_t> fileSize(const std::string& path) override {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
        const auto size = std::filesystem::file_size(path, ec);
        if (ec) return std::nullopt;
        return static_cast<std::int64_t>(size);
    }
    bool exists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    }
    bool replace(const std::string& from, const std::string& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        return !ec;
    }
    bool copy(const std::string& from, const std::string& to) override {
        std::error_code ec;
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
        return !ec;
    }
    bool remove(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::remove(path, ec) && !ec;
    }
    std::vector<std::string> list(const std::string& folder, const std::string& suffix) override {
        std::vector<std::string> names;
        std::error_code ec;
        std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
            std::error_code fec;
            if (!it->is_regular_file(fec)) continue;
            std::string name = it->path().filename().string();
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(std::move(name));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> folders(const std::string& folder) override {
        std::vector<std::string> names;
        std::error_code ec;
        std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
            std::error_code fec;
            if (it->is_directory(fec)) names.push_back(it->path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    bool makeFolder(const std::string& folder) override {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        return std::filesystem::is_directory(folder, ec);
    }
    void removeEmptyFolder(const std::string& folder) override {
        std::error_code ec;
        if (std::filesystem::is_empty(folder, ec) && !ec) std::filesystem::remove(folder, ec);
    }
};

} // namespace

FileSystem& realFileSystem() {
    static RealFileSystem fs;
    return fs;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".") return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::optional<std::string> readWholeFile(FileSystem& fs, const std::string& path) {
    auto stream = fs.openRead(path);
    if (!stream) return std::nullopt;
    // Read straight into a string sized from the file's length, then go on
    // in blocks in case the file is longer than it said.
    std::string content;
    const auto expected = fs.fileSize(path);
    std::size_t have = 0;
    std::size_t block = expected && *expected > 0 ? static_cast<std::size_t>(*expected) + 1 : 65536;
    for (;;) {
        content.resize(have + block);
        const std::size_t n = stream->read(content.data() + have, block);
        have += n;
        if (n < block) break;
        block = 65536;
    }
    content.resize(have);
    return content;
}

SafeFileWriter::SafeFileWriter(FileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)), tempPath_(path_ + ".tmp") {
    stream_ = fs_.create(tempPath_);
}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_) discard();
}

void SafeFileWriter::discard() {
    if (stream_) {
        stream_->close();
        stream_.reset();
        fs_.remove(tempPath_);
    }
}

bool SafeFileWriter::close(std::string& reason) {
    if (!stream_) {
        reason = "the file could not be created";
        return false;
    }
    if (closed_) return true;
    const bool flushed = stream_->flush();
    const bool closedOk = stream_->close();
    closed_ = true;
    if (!flushed || !closedOk) {
        reason = "the disk did not accept all of the data";
        return false;
    }
    return true;
}

bool SafeFileWriter::commit(bool keepBackup, std::string& reason, bool* backupKept) {
    if (!close(reason)) return false;
    if (backupKept) *backupKept = true;
    if (keepBackup && fs_.exists(path_)) {
        // Copied beside the backup first, so that an interrupted copy never
        // leaves a half-written backup in place of the previous one. The new
        // file has been written whole by now, so it goes in place even when
        // the backup cannot be kept.
        const std::string backup = path_ + ".bak";
        const std::string partial = backup + ".tmp";
        if (!fs_.copy(path_, partial) || !fs_.replace(partial, backup)) {
            fs_.remove(partial);
            if (backupKept) *backupKept = false;
        }
    }
    if (!fs_.replace(tempPath_, path_)) {
        reason = "the new file could not replace the old one";
        return false;
    }
    committed_ = true;
    stream_.reset();
    return true;
}

} // namespace zq
