#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/ChunkCodec.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

// The root is the program's own; the short words are built in, but a lexicon
// of its own carries its short words in its file.
bool isSaved(const CWordNode* node, const CWordNode* root, bool shortWordsToo) {
    return node != root && (shortWordsToo || std::strlen(node->word()) > 2);
}

// How often a long write asks whether to go on.
constexpr std::size_t kRecordsPerCall = 4096;

void putLength(CChunkCodec& codec, std::size_t length) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length & 0xFF),
                                   static_cast<std::uint8_t>((length >> 8) & 0xFF)};
    codec.write(bytes, 2);
}

// Writes one record: one chunk, as the program always writes them, or for a
// record too long for a chunk (only a file can bring one in: the loader joins
// chunks) as many full chunks as it needs, which the loader joins again.
void putRecord(CChunkCodec& codec, const std::string& record) {
    std::size_t at = 0;
    do {
        const std::size_t n =
            std::min(record.size() - at, static_cast<std::size_t>(kMaxRecordLength));
        putLength(codec, n);
        codec.write(record.data() + at, n);
        at += n;
    } while (at < record.size());
}

// Decodes a written word list and compares it with the records meant to be in
// it, in order: a mismatch means the file would not give the lexicon back.
bool readsBackAs(FileSystem& fs, const std::string& path, const RecordSource& records,
                 const KeepGoing& keepGoing) {
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
    for (std::size_t i = 0; i < records.count; ++i) {
        if (keepGoing && i % kRecordsPerCall == 0 &&
            !keepGoing(records.count + i, 2 * records.count))
            return false;
        expected = records.at(i);
        actual.clear();
        while (actual.size() < expected.size()) {
            if (!readLength(length) || length == 0 || length > expected.size() - actual.size())
                return false;
            const std::size_t at = actual.size();
            actual.resize(at + length);
            if (codec.read(actual.data() + at, length) != length) return false;
        }
        if (actual != expected) return false;
    }
    if (!readLength(length) || length != 0) return false;
    std::uint8_t extra;
    return codec.read(&extra, 1) == 0 && codec.endMarkerSeen();
}

// Writes the records of the entries as backup.lst lines, in blocks.
bool writeLines(ByteStream* out, const std::vector<CWordNode*>& nodes) {
    std::string block;
    bool ok = true;
    auto put = [&](bool last) {
        if (block.size() >= 65536 || (last && !block.empty())) {
            ok = ok && out->write(block.data(), block.size()) == block.size();
            block.clear();
        }
    };
    for (CWordNode* node : nodes) {
        block += formatRecord(node->entry());
        block += '\n';
        put(false);
    }
    put(true);
    return ok;
}

// The name of a recovery file: the first of recovered-edits.lst,
// recovered-edits-2.lst, ... that does not exist yet.
std::string freshRecoveryPath(FileSystem& fs, const std::string& folder) {
    for (int n = 1; n < 1000; ++n) {
        const std::string name =
            n == 1 ? "recovered-edits.lst" : "recovered-edits-" + std::to_string(n) + ".lst";
        const std::string path = joinPath(folder, name);
        if (!fs.exists(path)) return path;
    }
    return {};
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

std::string unstorableField(const std::string& field) {
    for (char c : field) {
        if (c == '*') return "may not contain '*'";
        if (c == '\0') return "may not contain a NUL character";
    }
    return {};
}

std::string validateEntry(const std::string& word, const std::string& definition,
                          const std::string& partOfSpeech, const std::string& synonym) {
    if (word.empty()) return "the word is empty";
    for (char c : word)
        if (c < 'a' || c > 'z') return "the word may hold only the letters a to z";
    const std::string* fields[] = {&definition, &partOfSpeech, &synonym};
    const char* names[] = {"definition", "part of speech", "synonym"};
    for (int i = 0; i < 3; ++i) {
        const std::string problem = unstorableField(*fields[i]);
        if (!problem.empty()) return std::string("the ") + names[i] + " " + problem;
        if (fields[i]->find_first_of("\r\n") != std::string::npos)
            return std::string("the ") + names[i] + " may not contain a line break";
    }
    const std::size_t length =
        word.size() + definition.size() + partOfSpeech.size() + synonym.size() + 5;
    if (length > static_cast<std::size_t>(kMaxRecordLength))
        return "the entry is longer than 32,767 characters";
    return {};
}

void CWordDatabase::markEdited(CWordNode* entry) {
    modified = 1;
    ++changes_;
    if (entry && std::find(edited_.begin(), edited_.end(), entry) == edited_.end())
        edited_.push_back(entry);
}

bool CWordDatabase::save() {
    const SaveOutcome outcome = trySave();
    if (!outcome.saved)
        tell(str::withText(str::kSaveFailed, outcome.reason));
    else if (!outcome.warning.empty())
        tell(outcome.warning);
    return outcome.saved;
}

SaveOutcome CWordDatabase::trySave() {
    BusyGuard busy(setup_.ui);
    SaveOutcome outcome;
    auto fail = [&outcome](const std::string& reason) {
        outcome.reason = reason;
        return outcome;
    };
    // The shuffled walk puts every entry before the entries below it, so the
    // file rebuilds the same tree when it is loaded again.
    std::vector<CWordNode*> nodes;
    nodes.reserve(order_.size());
    const bool shortWordsToo = ownsShortWords();
    root->forEachShuffled([&](CWordNode* node) {
        if (isSaved(node, root, shortWordsToo)) nodes.push_back(node);
        return 0;
    });
    // What the loader accepted goes back as it came: its fields cannot hold
    // '*' or NUL, since those end a field. Only an edit can put a '*' in one,
    // and such an entry is refused before anything is written.
    for (CWordNode* node : nodes) {
        const WordEntry e = node->entry();
        for (const char* field : {e.definition, e.partOfSpeech, e.synonym}) {
            const std::string problem = unstorableField(field);
            if (!problem.empty())
                return fail(std::string("the entry \"") + node->word() +
                            "\" cannot be stored: a field " + problem);
        }
    }

    return writeWordListFile(
        *fs_, pathOf(kWordListName),
        {nodes.size(), [&nodes](std::size_t i) { return formatRecord(nodes[i]->entry()); }});
}

SaveOutcome writeWordListFile(FileSystem& fs, const std::string& path, const RecordSource& records,
                              const KeepGoing& keepGoing) {
    SaveOutcome outcome;
    auto fail = [&outcome](const std::string& reason) {
        outcome.reason = reason;
        return outcome;
    };
    SafeFileWriter file(fs, path);
    if (!file.stream()) return fail("the file could not be created");
    {
        CChunkCodec codec(file.stream());
        if (!codec.open(CChunkCodec::Writing)) return fail("out of memory");
        const std::uint8_t header[2] = {kWordListHeader & 0xFF, kWordListHeader >> 8};
        if (file.stream()->write(header, 2) != 2)
            return fail("the disk did not accept all of the data");
        codec.beginCompress(kWordListHeader);
        for (std::size_t i = 0; i < records.count; ++i) {
            if (keepGoing && i % kRecordsPerCall == 0 && !keepGoing(i, 2 * records.count)) {
                outcome.cancelled = true;
                return fail("cancelled");
            }
            putRecord(codec, records.at(i));
        }
        putLength(codec, 0);
        codec.finishCompress();
        codec.flush();
        if (codec.writeFailed()) return fail("the disk did not accept all of the data");
    }
    std::string reason;
    if (!file.close(reason)) return fail(reason);
    bool stopped = false;
    const KeepGoing check = [&](std::size_t done, std::size_t total) {
        stopped = keepGoing && !keepGoing(done, total);
        return !stopped;
    };
    if (!readsBackAs(fs, file.tempPath(), records, check)) {
        outcome.cancelled = stopped;
        return fail(stopped ? "cancelled" : "the written file did not read back correctly");
    }
    bool backupKept = true;
    if (!file.commit(true, reason, &backupKept)) return fail(reason);
    if (!backupKept) outcome.warning = str::kBackupNotKept;
    outcome.saved = true;
    return outcome;
}

void CWordDatabase::offerSaveAtExit() {
    UserInterface* ui = setup_.ui;
    if (!modified || !ui || !ui->askYesNo(str::kSaveQuestion)) return;
    for (;;) {
        const SaveOutcome outcome = trySave();
        if (outcome.saved) {
            if (!outcome.warning.empty()) tell(outcome.warning);
            return;
        }
        if (ui->askYesNo(str::withText(str::kSaveFailedRetry, outcome.reason))) continue;
        std::string reason;
        const std::string recovered = writeRecovery(reason);
        if (!recovered.empty()) {
            tell(str::withText(str::kEditsRecovered, recovered));
            return;
        }
        if (!ui->askYesNo(str::withText(str::kRecoveryFailed, reason))) return;
    }
}

std::string CWordDatabase::writeRecovery(std::string& reason) {
    // The edited entries in word order; what is not saved (the built-in short
    // words of the working folder's list) is not recovered either.
    std::vector<CWordNode*> nodes;
    for (CWordNode* node : edited_.empty() ? inOrder() : edited_)
        if (isSaved(node, root, ownsShortWords())) nodes.push_back(node);
    if (!edited_.empty())
        std::sort(nodes.begin(), nodes.end(), [](const CWordNode* a, const CWordNode* b) {
            return std::strcmp(a->word(), b->word()) < 0;
        });
    std::vector<std::string> folders{listFolder()};
    folders.insert(folders.end(), setup_.recoveryFolders.begin(), setup_.recoveryFolders.end());
    reason = "no folder was given";
    for (const std::string& folder : folders) {
        const std::string path = freshRecoveryPath(*fs_, folder);
        if (path.empty()) {
            reason = "every recovery file name is taken";
            continue;
        }
        SafeFileWriter file(*fs_, path);
        if (!file.stream()) {
            reason = "the file could not be created";
            continue;
        }
        if (!writeLines(file.stream(), nodes)) {
            reason = "the disk did not accept all of the data";
            continue;
        }
        if (file.commit(false, reason)) return path;
    }
    return {};
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
    std::vector<CWordNode*> nodes;
    for (CWordNode* node : inOrder())
        if (isSaved(node, root, ownsShortWords())) nodes.push_back(node);
    if (!writeLines(out, nodes)) return fail("the disk did not accept all of the data");
    std::string reason;
    if (!file.commit(false, reason)) return fail(reason);
    return true;
}

CWordDatabase::~CWordDatabase() {
    offerSaveAtExit();
    BusyGuard busy(setup_.ui);
    userWordSets.clear();
    // Entries from the file point into the text buffer: empty the tree with it
    // so no entry is left pointing at released text.
    CNodePool::reset();
    textBuffer.reset();
}

} // namespace zq
