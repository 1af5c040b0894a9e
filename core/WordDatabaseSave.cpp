#include <cstdio>
#include <cstring>

#include "core/ChunkCodec.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

bool isSaved(const CWordNode* node) {
    return std::strlen(node->word()) > 2;
}

void putLength(CChunkCodec& codec, std::size_t length) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length & 0xFF),
                                   static_cast<std::uint8_t>((length >> 8) & 0xFF)};
    codec.write(bytes, 2);
}

// Decodes a written word list and compares it with the records meant to be in
// it, in order: a mismatch means the file would not give the lexicon back.
bool readsBackAs(FileSystem& fs, const std::string& path, const std::vector<CWordNode*>& nodes) {
    auto stream = fs.openRead(path);
    if (!stream) return false;
    CChunkCodec codec(stream.get());
    if (!codec.open(CChunkCodec::Reading)) return false;
    std::uint8_t header[2];
    if (codec.read(header, 2) != 2 || (header[0] | (header[1] << 8)) != kWordListHeader)
        return false;
    codec.beginCodec(kWordListHeader);
    std::string expected, actual;
    auto readLength = [&](std::size_t& length) {
        std::uint8_t b[2];
        if (codec.read(b, 2) != 2) return false;
        length = static_cast<std::size_t>(b[0] | (b[1] << 8));
        return true;
    };
    std::size_t length = 0;
    for (CWordNode* node : nodes) {
        expected = formatRecord(node->entry());
        if (!readLength(length) || length != expected.size()) return false;
        actual.resize(length);
        if (codec.read(actual.data(), length) != length || actual != expected) return false;
    }
    if (!readLength(length) || length != 0) return false;
    std::uint8_t extra;
    return codec.read(&extra, 1) == 0 && codec.endMarkerSeen();
}

} // namespace

std::string formatRecord(const WordEntry& e) {
    std::string record;
    record.reserve(std::strlen(e.word) + std::strlen(e.definition) + std::strlen(e.partOfSpeech) +
                   std::strlen(e.synonym) + 5);
    record.append(e.word).append(1, '*');
    record.append(e.definition).append(1, '*');
    record.append(e.partOfSpeech).append(1, '*');
    record.append(e.synonym).append("*~");
    return record;
}

std::string validateEntry(const std::string& word, const std::string& definition,
                          const std::string& partOfSpeech, const std::string& synonym) {
    if (word.empty()) return "the word is empty";
    for (char c : word)
        if (c < 'a' || c > 'z') return "the word may hold only the letters a to z";
    const std::string* fields[] = {&definition, &partOfSpeech, &synonym};
    const char* names[] = {"definition", "part of speech", "synonym"};
    for (int i = 0; i < 3; ++i) {
        for (char c : *fields[i]) {
            if (c == '*' || c == '~')
                return std::string("the ") + names[i] + " may not contain '*' or '~'";
            if (c == '\n' || c == '\r' || c == '\0')
                return std::string("the ") + names[i] + " may not contain a line break";
        }
    }
    const std::size_t length =
        word.size() + definition.size() + partOfSpeech.size() + synonym.size() + 5;
    if (length > static_cast<std::size_t>(kMaxRecordLength))
        return "the entry is longer than 32,767 characters";
    return {};
}

bool CWordDatabase::save() {
    BusyGuard busy(setup_.ui);
    // The shuffled walk puts every entry before the entries below it, so the
    // file rebuilds the same tree when it is loaded again.
    std::vector<CWordNode*> nodes;
    nodes.reserve(order_.size());
    root->forEachShuffled([&nodes](CWordNode* node) {
        if (isSaved(node)) nodes.push_back(node);
        return 0;
    });
    auto fail = [this](const std::string& reason) {
        tell(str::withText(str::kSaveFailed, reason));
        return false;
    };
    // Nothing is written when any entry could not be read back: a record too
    // long for a chunk, or a field with a record separator, a line break or a
    // NUL. (The words themselves are as the load accepted them.)
    for (CWordNode* node : nodes) {
        const WordEntry e = node->entry();
        if (formatRecord(e).size() > static_cast<std::size_t>(kMaxRecordLength))
            return fail(std::string("the entry \"") + node->word() + "\" is too long to be stored");
        const std::string reason = validateEntry("a", e.definition, e.partOfSpeech, e.synonym);
        if (!reason.empty())
            return fail(std::string("the entry \"") + node->word() +
                        "\" cannot be stored: " + reason);
    }

    const std::string path = pathOf(kWordListName);
    SafeFileWriter file(*fs_, path);
    if (!file.stream()) return fail("the file could not be created");
    {
        CChunkCodec codec(file.stream());
        if (!codec.open(CChunkCodec::Writing)) return fail("out of memory");
        const std::uint8_t header[2] = {kWordListHeader & 0xFF, kWordListHeader >> 8};
        if (file.stream()->write(header, 2) != 2)
            return fail("the disk did not accept all of the data");
        codec.beginCompress(kWordListHeader);
        std::string record;
        for (CWordNode* node : nodes) {
            record = formatRecord(node->entry());
            putLength(codec, record.size());
            codec.write(record.data(), record.size());
        }
        putLength(codec, 0);
        codec.finishCompress();
        codec.flush();
        if (codec.writeFailed()) return fail("the disk did not accept all of the data");
    }
    std::string reason;
    if (!file.close(reason)) return fail(reason);
    if (!readsBackAs(*fs_, file.tempPath(), nodes))
        return fail("the written file did not read back correctly");
    if (!file.commit(true, reason)) return fail(reason);
    return true;
}

bool CWordDatabase::backupText(const std::string& path) {
    BusyGuard busy(setup_.ui);
    auto fail = [this](const std::string& reason) {
        tell(str::withText(str::kBackupFailed, reason));
        return false;
    };
    SafeFileWriter file(*fs_, path);
    ByteStream* out = file.stream();
    if (!out) return fail("the file could not be created");
    std::string block;
    bool ok = true;
    auto put = [&](bool last) {
        if (block.size() >= 65536 || (last && !block.empty())) {
            ok = ok && out->write(block.data(), block.size()) == block.size();
            block.clear();
        }
    };
    for (CWordNode* node : inOrder()) {
        if (!isSaved(node)) continue;
        block += formatRecord(node->entry());
        block += '\n';
        put(false);
    }
    put(true);
    if (!ok) return fail("the disk did not accept all of the data");
    std::string reason;
    if (!file.commit(false, reason)) return fail(reason);
    return true;
}

CWordDatabase::~CWordDatabase() {
    if (modified && setup_.ui && setup_.ui->askYesNo(str::kSaveQuestion)) save();
    BusyGuard busy(setup_.ui);
    userWordSets.clear();
    // Entries from the file point into the text buffer: empty the tree with it
    // so no entry is left pointing at released text.
    CNodePool::reset();
    textBuffer.reset();
}

} // namespace zq
