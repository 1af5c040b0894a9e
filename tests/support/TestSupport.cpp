#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "core/ChunkCodec.h"
#include "core/Import.h"
#include "core/WordDatabase.h"

namespace zq::test {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string prefixOf(const char* message) {
    const std::string text(message);
    return text.substr(0, text.find("%s"));
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string textOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string hex(const Bytes& bytes) {
    std::string out;
    char b[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(b, sizeof b, i ? " %02x" : "%02x", bytes[i]);
        out += b;
    }
    return out;
}

Bytes compress(const Bytes& content, std::uint16_t header) {
    MemoryStream out;
    {
        CChunkCodec codec(&out);
        codec.open(CChunkCodec::Writing);
        codec.beginCompress(header);
        codec.write(content.data(), content.size());
        codec.finishCompress();
        codec.flush();
    }
    return bytesOf(out.output());
}

Bytes decompress(const Bytes& stream, std::uint16_t header, bool* ok) {
    // Byte by byte for the exact length, and again in odd-sized blocks that
    // cross token boundaries; both must agree on the full blocks.
    auto reader = [&](MemoryStream& in) {
        auto codec = std::make_unique<CChunkCodec>(&in);
        codec->open(CChunkCodec::Reading);
        codec->beginCodec(header);
        return codec;
    };
    MemoryStream bytewise(textOf(stream));
    auto exact = reader(bytewise);
    Bytes all;
    std::uint8_t byte;
    while (exact->read(&byte, 1) == 1)
        all.push_back(byte);
    if (ok) *ok = exact->endMarkerSeen() && !exact->truncated();

    MemoryStream blockwise(textOf(stream));
    auto blocks = reader(blockwise);
    std::uint8_t buffer[777];
    for (std::size_t at = 0; blocks->read(buffer, sizeof buffer) == sizeof buffer;
         at += sizeof buffer) {
        if (at + sizeof buffer > all.size() ||
            !std::equal(buffer, buffer + sizeof buffer, all.begin() + static_cast<long>(at)))
            return {}; // the two ways of reading disagree: make the caller's test fail
    }
    return all;
}

Bytes chunkContent(const std::vector<std::string>& records) {
    Bytes content;
    for (const std::string& r : records) {
        content.push_back(static_cast<std::uint8_t>(r.size() & 0xFF));
        content.push_back(static_cast<std::uint8_t>(r.size() >> 8));
        content.insert(content.end(), r.begin(), r.end());
    }
    content.push_back(0);
    content.push_back(0);
    return content;
}

Bytes wordListBytes(const std::vector<std::string>& records, std::uint16_t header) {
    Bytes file{static_cast<std::uint8_t>(header & 0xFF), static_cast<std::uint8_t>(header >> 8)};
    const Bytes body = compress(chunkContent(records), header);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

TempDir::TempDir() {
    static std::mt19937_64 rng{std::random_device{}()};
    for (;;) {
        auto candidate = std::filesystem::temp_directory_path() /
                         ("zq-test-" + std::to_string(rng() % 1000000000ULL));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(file(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void TempDir::write(const std::string& name, const std::string& text) const {
    write(name, bytesOf(text));
}

Bytes TempDir::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::exists(const std::string& name) const {
    return std::filesystem::exists(file(name));
}

} // namespace zq::test

namespace zq::test {

std::unique_ptr<CWordDatabase> openDatabase(const TempDir& dir, RecordingUi& ui,
                                            ProgressSink* progress, StatusSink* status) {
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.ui = &ui;
    setup.progressBar = progress;
    setup.statusLine = status;
    return std::make_unique<CWordDatabase>(setup);
}

std::unique_ptr<CWordDatabase> databaseWith(const TempDir& dir, RecordingUi& ui,
                                            const std::vector<std::string>& records) {
    dir.write(kWordListName, wordListBytes(records));
    return openDatabase(dir, ui);
}

std::unique_ptr<CWordDatabase> importedDatabase(const TempDir& dir, RecordingUi& ui,
                                                const std::vector<ImportRecord>& records) {
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.ui = &ui;
    if (!writeWordList(setup, records)) return nullptr;
    return openDatabase(dir, ui);
}

std::vector<std::string> preorderWords(CWordDatabase& db) {
    std::vector<std::string> words;
    std::vector<CWordNode*> stack{db.root};
    while (!stack.empty()) {
        CWordNode* node = stack.back();
        stack.pop_back();
        words.emplace_back(node->word());
        // A marker keeps the shape: which side each child hangs on.
        words.emplace_back(node->smaller ? "<" : "-");
        words.emplace_back(node->greater ? ">" : "-");
        if (node->greater) stack.push_back(node->greater);
        if (node->smaller) stack.push_back(node->smaller);
    }
    return words;
}

std::vector<std::string> fourLetterRecords(int count, bool withDefinitions) {
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
        std::string w = "w";
        for (int v = i, k = 0; k < 3; ++k, v /= 26)
            w.insert(1, 1, static_cast<char>('a' + v % 26));
        records.push_back(w + (withDefinitions ? "*a word*n**~" : "****~"));
    }
    return records;
}

} // namespace zq::test
