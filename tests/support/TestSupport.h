#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/FileSystem.h"
#include "core/Host.h"
#include "core/MemoryFileSystem.h"
#include "tests/support/EnableWords.h"
#include "tests/support/Recorders.h"

namespace zq::test {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text);
bool startsWith(const std::string& text, const std::string& prefix);
// A message of the string table up to its first "%s".
std::string prefixOf(const char* message);
std::string textOf(const Bytes& bytes);
std::string hex(const Bytes& bytes);

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

// `count` records of four-letter words "waaa", "waab", ... in word order,
// each with the definition "a word" and part of speech "n" (or neither).
std::vector<std::string> fourLetterRecords(int count, bool withDefinitions);

// The words of the tree in pre-order (parent before children): equal lists
// mean equal shapes.
std::vector<std::string> preorderWords(CWordDatabase& db);

} // namespace zq::test
