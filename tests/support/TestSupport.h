#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/FileSystem.h"
#include "core/Host.h"

namespace zq::test {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text);
std::string hex(const Bytes& bytes);

// A stream over memory: reads from `input`, appends writes to `output`.
class MemoryStream final : public ByteStream {
  public:
    explicit MemoryStream(Bytes input = {}) : input_(std::move(input)) {}
    std::size_t read(void* buffer, std::size_t count) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    bool flush() override { return true; }
    bool close() override { return true; }
    std::int64_t tell() override { return static_cast<std::int64_t>(readAt_); }
    bool seek(std::int64_t position) override;
    const Bytes& output() const { return output_; }

  private:
    Bytes input_;
    std::size_t readAt_ = 0;
    Bytes output_;
};

// Compresses `content` with the given header (end marker included, header not).
Bytes compress(const Bytes& content, std::uint16_t header = 6);
// Decompresses a stream begun with `header`; `ok` is false when it did not
// end with the end marker.
Bytes decompress(const Bytes& stream, std::uint16_t header, bool* ok = nullptr);

// A word.lst image: header, then the compressed chunks of `records` (one chunk
// each) and the zero-length chunk.
Bytes wordListBytes(const std::vector<std::string>& records, std::uint16_t header = 6);
// The decompressed content for those records.
Bytes chunkContent(const std::vector<std::string>& records);

// A fresh folder removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const Bytes& bytes) const;
    void write(const std::string& name, const std::string& text) const;
    Bytes read(const std::string& name) const;
    bool exists(const std::string& name) const;

  private:
    std::string path_;
};

class RecordingUi final : public UserInterface {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    void beginBusy() override { ++busyDepth, ++busyCount; }
    void endBusy() override { --busyDepth; }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = false;
    int busyDepth = 0;
    int busyCount = 0;
};

class RecordingProgress final : public ProgressSink {
  public:
    void setRange(int maximum) override { ranges.push_back(maximum); }
    void setPosition(int position) override { positions.push_back(position); }
    void hide() override { hidden = true; }
    std::vector<int> ranges, positions;
    bool hidden = false;
};

class RecordingStatus final : public StatusSink {
  public:
    void setText(const std::string& text) override { texts.push_back(text); }
    void show() override { shown = true; }
    void hide() override { hidden = true; }
    std::vector<std::string> texts;
    bool shown = false, hidden = false;
};

// The ENABLE word list's words longer than two letters; empty when the list is
// not beside the project.
const std::vector<std::string>& enableWords();

} // namespace zq::test

namespace zq {
class CWordDatabase;
struct ImportRecord;
} // namespace zq

namespace zq::test {

// Loads the database from `dir` (word.lst must be there, or not, as the test
// wants), reporting to `ui`.
std::unique_ptr<CWordDatabase> openDatabase(const TempDir& dir, RecordingUi& ui,
                                            ProgressSink* progress = nullptr,
                                            StatusSink* status = nullptr);

// Writes word.lst with one record per chunk and opens it.
std::unique_ptr<CWordDatabase> databaseWith(const TempDir& dir, RecordingUi& ui,
                                            const std::vector<std::string>& records);

// Builds word.lst in `dir` from records through the normal import path and
// opens it; null when the build failed.
std::unique_ptr<CWordDatabase> importedDatabase(const TempDir& dir, RecordingUi& ui,
                                                const std::vector<ImportRecord>& records);

// The words of the tree in pre-order (parent before children): equal lists
// mean equal shapes.
std::vector<std::string> preorderWords(CWordDatabase& db);

} // namespace zq::test
