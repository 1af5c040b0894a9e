// Shared pieces of the fuzz targets and the seed maker: a file system held in
// memory, a user interface that answers nothing, and the word list image
// helpers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ChunkCodec.h"
#include "core/FileSystem.h"
#include "core/Host.h"

namespace zq::fuzz {

// Stops the run with a message when a property does not hold; libFuzzer
// records the input that did it.
#define ZQ_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

using Bytes = std::string;

// Reads from a byte string or appends to one.
class StringStream final : public ByteStream {
  public:
    explicit StringStream(Bytes* target, Bytes input = {})
        : target_(target), input_(std::move(input)) {}
    std::size_t read(void* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, input_.size() - at_);
        if (n) std::memcpy(buffer, input_.data() + at_, n);
        at_ += n;
        return n;
    }
    std::size_t write(const void* buffer, std::size_t count) override {
        if (!target_) return 0;
        target_->append(static_cast<const char*>(buffer), count);
        return count;
    }
    bool flush() override { return true; }
    bool close() override { return true; }
    std::int64_t tell() override {
        return static_cast<std::int64_t>(target_ ? target_->size() : at_);
    }
    bool seek(std::int64_t position) override {
        if (position < 0 || static_cast<std::size_t>(position) > input_.size()) return false;
        at_ = static_cast<std::size_t>(position);
        return true;
    }

  private:
    Bytes* target_;
    Bytes input_;
    std::size_t at_ = 0;
};

// Files kept in a map from path to content.
class MemoryFileSystem final : public FileSystem {
  public:
    std::map<std::string, Bytes> files;

    std::unique_ptr<ByteStream> openRead(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::make_unique<StringStream>(nullptr, it->second);
    }
    std::unique_ptr<ByteStream> create(const std::string& path) override {
        Bytes& file = files[path];
        file.clear();
        return std::make_unique<StringStream>(&file);
    }
    std::optional<std::int64_t> fileSize(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return static_cast<std::int64_t>(it->second.size());
    }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    bool replace(const std::string& from, const std::string& to) override {
        const auto it = files.find(from);
        if (it == files.end()) return false;
        Bytes content = std::move(it->second);
        files.erase(it);
        files[to] = std::move(content);
        return true;
    }
    bool copy(const std::string& from, const std::string& to) override {
        const auto it = files.find(from);
        if (it == files.end()) return false;
        Bytes content = it->second;
        files[to] = std::move(content);
        return true;
    }
    bool remove(const std::string& path) override { return files.erase(path) != 0; }
    std::vector<std::string> list(const std::string&, const std::string& suffix) override {
        std::vector<std::string> names;
        for (const auto& [name, content] : files)
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(name);
        return names;
    }
};

class SilentUi final : public UserInterface {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return false; }
    std::vector<std::string> messages;
};

// Compresses `content` as a stream begun with `header` (end marker included).
inline Bytes compressBytes(const Bytes& content, std::uint16_t header) {
    Bytes out;
    StringStream stream(&out);
    {
        CChunkCodec codec(&stream);
        codec.open(CChunkCodec::Writing);
        codec.beginCompress(header);
        codec.write(content.data(), content.size());
        codec.finishCompress();
        codec.flush();
    }
    return out;
}

// The decompressed content of a word list: each record a chunk (16-bit length,
// then the text), closed by a zero length.
inline Bytes chunkContent(const std::vector<std::string>& records) {
    Bytes content;
    for (const std::string& r : records) {
        content += static_cast<char>(r.size() & 0xFF);
        content += static_cast<char>((r.size() >> 8) & 0xFF);
        content += r;
    }
    content += std::string(2, '\0');
    return content;
}

inline Bytes wordListImage(const Bytes& content, std::uint16_t header = 6) {
    Bytes file;
    file += static_cast<char>(header & 0xFF);
    file += static_cast<char>(header >> 8);
    return file + compressBytes(content, header);
}

} // namespace zq::fuzz
