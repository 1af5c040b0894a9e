#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FileSystem.h"

namespace zq {

// A stream over memory. One made from a text reads that text; one made with a
// target appends what is written to it (to its own output() without one).
class MemoryStream final : public ByteStream {
  public:
    MemoryStream() : target_(&own_) {}
    explicit MemoryStream(std::string input) : input_(std::move(input)), target_(&own_) {}
    explicit MemoryStream(std::string* target) : target_(target ? target : &own_) {}

    std::size_t read(void* buffer, std::size_t count) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    bool flush() override { return true; }
    bool close() override { return true; }
    // The write position once something was written, else the read position.
    std::int64_t tell() override;
    bool seek(std::int64_t position) override;

    const std::string& output() const { return *target_; }

  private:
    std::string input_;
    std::size_t at_ = 0;
    std::string own_;
    std::string* target_;
    bool written_ = false;
};

// Files held in memory, by path. Folders are only prefixes of paths: a file
// "dir/a.wordset" is listed in "dir", and a path without a '/' in the current
// folder (""). Every operation succeeds unless a file it needs is missing.
class MemoryFileSystem final : public FileSystem {
  public:
    std::map<std::string, std::string> files;

    std::unique_ptr<ByteStream> openRead(const std::string& path) override;
    std::unique_ptr<ByteStream> create(const std::string& path) override;
    std::optional<std::int64_t> fileSize(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool copy(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    std::vector<std::string> list(const std::string& folder, const std::string& suffix) override;
    // The folders that some file's path passes through directly below `folder`.
    std::vector<std::string> folders(const std::string& folder) override;
};

} // namespace zq
