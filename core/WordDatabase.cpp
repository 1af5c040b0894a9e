#include "core/WordDatabase.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>

#include "core/ChunkCodec.h"
#include "wordsets/UserWordSet.h"

namespace zq {

namespace {

// Progress range of the indexing phase: one step per 5,000 records.
constexpr int kIndexingSteps = 34;
constexpr int kRecordsPerStep = 5000;

std::string format(const char* pattern, long long value) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// Letter mask and length of a word, for quick rejection before the exact
// rack test: bit i stands for 'a' + i, bit 31 for any other character.
std::uint32_t letterMask(const char* word, std::uint32_t& length) {
    std::uint32_t mask = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(word);
    for (; *p; ++p)
        mask |= (*p >= 'a' && *p <= 'z') ? (1u << (*p - 'a')) : (1u << 31);
    length = static_cast<std::uint32_t>(p - reinterpret_cast<const unsigned char*>(word));
    return mask;
}

} // namespace

CWordDatabase::CWordDatabase(ProgressSink* bar, StatusSink* status)
    : CWordDatabase([&] {
          DatabaseSetup s;
          s.progressBar = bar;
          s.statusLine = status;
          return s;
      }()) {}

CWordDatabase::CWordDatabase(const DatabaseSetup& setup)
    : setup_(setup), fs_(setup.fileSystem ? setup.fileSystem : &realFileSystem()) {
    statusLine = setup.statusLine;
    progressBar = setup.progressBar;
    if (progressBar) {
        progressBar->setRange(kIndexingSteps);
        progressBar->setPosition(0);
    }
    if (statusLine) {
        statusLine->setText("");
        statusLine->show();
    }
    loaded = load() ? 1 : 0;
}

void CWordDatabase::tell(const std::string& text) const {
    if (setup_.ui) setup_.ui->message(text);
}

bool CWordDatabase::load() {
    BusyGuard busy(setup_.ui);
    // One lexicon per process: a database built after another starts from an
    // empty pool.
    CNodePool::reset();
    order_.clear();
    indexed_.clear();
    indexedAtCounter_ = -1;

    root = CNodePool::slot(0);
    root->setContent(kRootEntry.word, kRootEntry.definition, kRootEntry.partOfSpeech,
                     kRootEntry.synonym, true);
    addBuiltIns();

    if (setup_.readWordList) {
        if (!readWordList()) return false;
    } else if (setup_.records) {
        for (const WordEntry& e : *setup_.records) {
            if (!addEntry(e.word, e.definition, e.partOfSpeech, e.synonym, true) &&
                std::strcmp(e.definition, "delete") != 0)
                ++report_.refusedRecords;
        }
    }

    if (statusLine) statusLine->setText("Loading user defined word sets ..");
    addExpurged();
    if (progressBar) progressBar->setPosition(0);
    markAll(true);
    linkSynonyms();
    scanUserWordSets(*this);

    if (progressBar) progressBar->hide();
    if (statusLine) statusLine->hide();
    if (report_.damaged) tell(msg::kDamaged);
    if (report_.refusedRecords > 0) tell(format(msg::kPoolFull, report_.refusedRecords));
    return true;
}

void CWordDatabase::addBuiltIns() {
    for (const WordEntry* row = kBuiltInWords; row->word[0] != '*'; ++row)
        addEntry(row->word, row->definition, row->partOfSpeech, row->synonym, true);
}

void CWordDatabase::addExpurged() {
    for (const char* const* word = kExpurgedWords; (*word)[0] != '*'; ++word)
        addEntry(*word, "expurged", "expurged", "", true);
}

bool CWordDatabase::readWordList() {
    const std::string path = pathOf(kWordListName);
    const auto size = fs_->fileSize(path);
    auto stream = size ? fs_->openRead(path) : nullptr;
    if (!stream) {
        tell(msg::kNoWordList);
        return false;
    }
    report_.fileSize = *size;
    // The decompressed text is expected below 2.2 times the file size; that
    // sizes the first buffer and the progress steps, and the buffer grows when
    // a file holds more (up to the limit of what the program accepts).
    const std::int64_t capacity = *size * 11 / 5;
    report_.capacity = capacity;
    std::int64_t bufferCapacity = std::min(capacity, kMaxWordListText);
    textBuffer.reset(new (std::nothrow) char[static_cast<std::size_t>(bufferCapacity) + 2]);
    if (!textBuffer) {
        tell(msg::kTooBig);
        return false;
    }

    CChunkCodec codec(stream.get());
    codec.open(CChunkCodec::Reading);
    std::uint8_t header[2];
    bool damaged = codec.read(header, 2) != 2;
    codec.beginCodec(static_cast<std::uint16_t>(header[0] | (header[1] << 8)));

    auto readLength = [&](int& length) {
        std::uint8_t b[2];
        if (codec.read(b, 2) != 2) return false;
        length = static_cast<std::int16_t>(b[0] | (b[1] << 8));
        return true;
    };

    const std::int64_t step = std::max<std::int64_t>(1, capacity / 100);
    if (progressBar) {
        progressBar->setPosition(0);
        progressBar->setRange(static_cast<int>(std::min<std::int64_t>(capacity / step, 65535)));
    }
    if (statusLine) statusLine->setText("Loading words from disk ..");

    std::int64_t total = 0;
    std::int64_t shownStep = 0;
    int length = 0;
    bool more = !damaged && readLength(length);
    damaged = damaged || !more;
    while (more && length != 0) {
        if (length < 0) {
            damaged = true;
            break;
        }
        if (total + length >= bufferCapacity) {
            if (total + length >= kMaxWordListText) {
                tell(msg::kTooBig);
                return false;
            }
            const std::int64_t grown =
                std::min(std::max(bufferCapacity * 2, total + length + 1), kMaxWordListText);
            std::unique_ptr<char[]> bigger(
                new (std::nothrow) char[static_cast<std::size_t>(grown) + 2]);
            if (!bigger) {
                tell(msg::kTooBig);
                return false;
            }
            std::memcpy(bigger.get(), textBuffer.get(), static_cast<std::size_t>(total));
            textBuffer = std::move(bigger);
            bufferCapacity = grown;
        }
        if (codec.read(textBuffer.get() + total, static_cast<std::size_t>(length)) !=
            static_cast<std::size_t>(length)) {
            damaged = true; // the last chunk is incomplete: leave it out
            break;
        }
        total += length;
        if (!readLength(length)) {
            damaged = true;
            break;
        }
        if (progressBar && total / step != shownStep) {
            shownStep = total / step;
            progressBar->setPosition(static_cast<int>(std::min<std::int64_t>(shownStep, 65535)));
        }
    }
    if (!damaged) {
        // Nothing after the zero-length chunk is used, but the stream must still
        // close with its end marker; data ending early means a cut-off file.
        std::uint8_t rest[256];
        while (codec.read(rest, sizeof rest) == sizeof rest) {
        }
        damaged = codec.truncated();
    }
    textBuffer[static_cast<std::size_t>(total)] = '\0';
    textBuffer[static_cast<std::size_t>(total) + 1] = '\0';
    report_.textBytes = total;

    if (progressBar) {
        progressBar->setPosition(0);
        progressBar->setRange(kIndexingSteps);
    }
    if (statusLine) statusLine->setText("Indexing words ..");

    // Parse in place: the four '*' of each record become NULs and the entry
    // points at its word in the buffer.
    char* p = textBuffer.get();
    char* const end = p + total;
    int count = 0;
    while (p < end && *p != '\0') {
        char* sep[4];
        char* q = p;
        bool complete = true;
        for (char*& s : sep) {
            s = static_cast<char*>(std::memchr(q, '*', static_cast<std::size_t>(end - q)));
            if (!s) {
                complete = false;
                break;
            }
            q = s + 1;
        }
        if (!complete || sep[0] == p ||
            std::memchr(p, '\0', static_cast<std::size_t>(sep[3] - p))) {
            damaged = true; // a cut-off record, an empty word or a NUL inside a record
            break;
        }
        for (char* s : sep)
            *s = '\0';
        const char* definition = sep[0] + 1;
        if (std::strcmp(definition, "delete") == 0) {
            ++report_.deletedRecords;
        } else if (!root->insertOrReplace(p, definition, sep[1] + 1, sep[2] + 1, false)) {
            ++report_.refusedRecords;
        }
        ++count;
        if (progressBar && count % kRecordsPerStep == 0)
            progressBar->setPosition(count / kRecordsPerStep);
        p = sep[3] + 1;
        if (p < end && *p != '\0') ++p; // the record's closing '~'
    }
    if (p < end && *p == '\0') damaged = true; // a NUL between records
    report_.records = count;
    report_.damaged = damaged;

    codec.finishDecompress();
    codec.flush();
    return true;
}

void CWordDatabase::linkSynonyms() {
    const auto& order = inOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        CWordNode* entry = order[i];
        const char* synonym = entry->synonym();
        if (*synonym == '\0') continue;
        if (CWordNode* other = find(synonym)) entry->linkSynonym(other);
    }
}

CWordNode* CWordDatabase::find(const char* word) const {
    if (!word || !*word || !root) return nullptr;
    CWordNode* node = root;
    while (node) {
        const int cmp = std::strcmp(node->text, word);
        if (cmp == 0) return node->has(CWordNode::InWordSet) ? node : nullptr;
        node = cmp > 0 ? node->smaller : node->greater;
    }
    return nullptr;
}

CWordNode* CWordDatabase::addEntry(const char* word, const char* definition,
                                   const char* partOfSpeech, const char* synonym, bool copyText) {
    if (std::strcmp(definition, "delete") == 0) return nullptr;
    return root->insertOrReplace(word, definition, partOfSpeech, synonym, copyText);
}

int CWordDatabase::forEachInOrder(WordVisitor visit, void* context) {
    const auto& order = inOrder();
    for (std::size_t i = 0; i < order.size(); ++i)
        if (const int result = visit(order[i], context)) return result;
    return 0;
}

int CWordDatabase::forEachShuffled(WordVisitor visit, void* context) {
    return root->forEachShuffled(visit, context);
}

void CWordDatabase::rebuildIndex() {
    order_.clear();
    order_.reserve(static_cast<std::size_t>(CNodePool::counter()));
    root->forEachInOrder([this](CWordNode* node) {
        order_.push_back(node);
        return 0;
    });
    indexed_.clear();
    indexedAtCounter_ = CNodePool::counter();
}

const std::vector<CWordNode*>& CWordDatabase::inOrder() {
    if (indexedAtCounter_ != CNodePool::counter()) rebuildIndex();
    return order_;
}

const std::vector<CWordDatabase::IndexedEntry>& CWordDatabase::indexed() {
    const auto& order = inOrder();
    if (indexed_.size() != order.size()) {
        indexed_.clear();
        indexed_.reserve(order.size());
        for (CWordNode* node : order) {
            IndexedEntry e{node, 0, 0};
            e.letters = letterMask(node->word(), e.length);
            indexed_.push_back(e);
        }
    }
    return indexed_;
}

int CWordDatabase::collectMembers(int skip, CWordNode** slots, int max) {
    if (max < 1) return 0;
    BusyGuard busy(setup_.ui);
    std::fill(slots, slots + max, nullptr);
    int stored = 0;
    for (CWordNode* node : inOrder()) {
        if (!node->has(CWordNode::InWordSet)) continue;
        if (skip > 0) {
            --skip;
            continue;
        }
        slots[stored++] = node;
        if (stored == max) return max;
    }
    return 0;
}

CWordNode* CWordDatabase::bestWordFor(const char* letters) {
    std::uint32_t rackLength = 0;
    std::uint32_t blanks = 0;
    std::uint32_t rackMask = 0;
    for (const char* p = letters; *p; ++p) {
        ++rackLength;
        if (*p == ' ')
            ++blanks;
        else if (*p >= 'a' && *p <= 'z')
            rackMask |= 1u << (*p - 'a');
    }
    CWordNode* best = nullptr;
    int bestScore = 0;
    for (const IndexedEntry& e : indexed()) {
        if (!e.node->has(CWordNode::InWordSet) || e.length > rackLength) continue;
        if (!(e.letters >> 31) &&
            static_cast<std::uint32_t>(std::popcount(e.letters & ~rackMask)) > blanks)
            continue;
        if (!e.node->canBeMadeFrom(letters)) continue;
        const int score = e.node->score();
        if (score > bestScore) {
            best = e.node;
            bestScore = score;
        }
    }
    return best;
}

void CWordDatabase::markAll(bool includeExpurged) {
    int count = 0;
    for (CWordNode* node : inOrder()) {
        node->clear(CWordNode::Drawn);
        if (!includeExpurged && node->has(CWordNode::Expurged)) {
            node->clear(CWordNode::InWordSet);
        } else {
            node->set(CWordNode::InWordSet);
            ++count;
        }
    }
    setSize = count;
    drawnCount = 0;
    setCompleted = 0;
}

} // namespace zq
