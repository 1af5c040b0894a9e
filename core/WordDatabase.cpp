#include "core/WordDatabase.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/ChunkCodec.h"

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

// Finds the first four '*' of the record at p, not looking at `end` or beyond.
// Returns how many were found (up to 4), or -1 when a NUL byte comes first.
// The buffer must stay readable for 16 bytes past `end`: blocks of 16 bytes
// are compared at once where the processor allows.
int findSeparators(char* p, char* end, char* (&sep)[4]) {
    int found = 0;
#if defined(__SSE2__)
    const __m128i star = _mm_set1_epi8('*');
    const __m128i nul = _mm_setzero_si128();
    for (char* block = p; block < end; block += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        unsigned stars = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, star)));
        unsigned nuls = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nul)));
        const std::ptrdiff_t left = end - block;
        if (left < 16) {
            const unsigned inside = (1u << left) - 1;
            stars &= inside;
            nuls &= inside;
        }
        const unsigned firstNul = nuls ? static_cast<unsigned>(std::countr_zero(nuls)) : 16;
        while (stars) {
            const unsigned at = static_cast<unsigned>(std::countr_zero(stars));
            if (at > firstNul) return -1;
            sep[found++] = block + at;
            if (found == 4) return 4;
            stars &= stars - 1;
        }
        if (nuls) return -1;
    }
    return found;
#else
    for (char* q = p; q < end; ++q) {
        if (*q == '*') {
            sep[found++] = q;
            if (found == 4) return 4;
        } else if (*q == '\0') {
            return -1;
        }
    }
    return found;
#endif
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
    synonymCandidates_.clear();

    root = CNodePool::slot(0);
    root->setContent(kRootEntry.word, kRootEntry.definition, kRootEntry.partOfSpeech,
                     kRootEntry.synonym, true);
    root->set(CWordNode::InWordSet);
    if (!ownsShortWords()) addBuiltIns();

    if (setup_.readWordList) {
        if (!readWordList()) return false;
    } else if (setup_.records) {
        for (const WordEntry& e : *setup_.records) {
            CWordNode* node = addEntry(e.word, e.definition, e.partOfSpeech, e.synonym, true);
            if (node) node->set(CWordNode::InWordSet);
            if (node && *e.synonym) synonymCandidates_.push_back(node);
            if (!node && std::strcmp(e.definition, "delete") != 0) ++report_.refusedRecords;
        }
    }

    if (statusLine) statusLine->setText(str::kLoadingWordSets);
    if (!ownsShortWords()) addExpurged();
    if (progressBar) progressBar->setPosition(0);
    // Every entry is a member of the word set now: the load marked each one as
    // it was added, which spares a walk over the whole pool.
    setSize = CNodePool::counter(); // slot 0 and slots 2..counter
    drawnCount = 0;
    setCompleted = 0;
    linkSynonyms();
    if (setup_.afterLoad) setup_.afterLoad(*this);

    if (progressBar) progressBar->hide();
    if (statusLine) statusLine->hide();
    if (report_.damaged) tell(str::kDamaged);
    // A list longer than the pool holds is refused whole: a lexicon with
    // words missing here and there would judge words wrongly without a sign.
    if (report_.refusedRecords > 0) {
        tell(format(str::kPoolFull, CNodePool::limit() - 2));
        return false;
    }
    return true;
}

void CWordDatabase::addBuiltIns() {
    for (const WordEntry* row = kBuiltInWords; row->word[0] != '*'; ++row) {
        CWordNode* node =
            addEntry(row->word, row->definition, row->partOfSpeech, row->synonym, true);
        if (!node) continue;
        node->set(CWordNode::InWordSet);
        if (*row->synonym) synonymCandidates_.push_back(node);
    }
}

void CWordDatabase::addExpurged() {
    for (const char* const* word = kExpurgedWords; (*word)[0] != '*'; ++word)
        if (CWordNode* node = addEntry(*word, "expurged", "expurged", "", true))
            node->set(CWordNode::InWordSet);
}

bool CWordDatabase::readWordList() {
    const std::string path = pathOf(kWordListName);
    const auto onDisk = fs_->fileSize(path);
    const auto file = onDisk ? readWholeFile(*fs_, path) : std::nullopt;
    if (!file) {
        tell(setup_.missingListMessage.empty() ? std::string(str::kNoWordList)
                                               : setup_.missingListMessage);
        return false;
    }
    report_.fileSize = static_cast<std::int64_t>(file->size());
    // The decompressed text is expected below 2.2 times the file size; that
    // sizes the first buffer and the progress steps, and the buffer grows when
    // a file holds more, up to the limit of what the program accepts.
    const std::int64_t capacity = report_.fileSize * 11 / 5;
    report_.capacity = capacity;
    const std::int64_t step = std::max<std::int64_t>(1, capacity / 100);
    if (progressBar) {
        progressBar->setPosition(0);
        progressBar->setRange(static_cast<int>(std::min<std::int64_t>(capacity / step, 65535)));
    }
    if (statusLine) statusLine->setText(str::kLoadingWords);

    bool damaged = file->size() < 2;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file->data());
    const std::uint16_t header =
        damaged ? 0 : static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    DecodedStream content;
    // Room for the chunk lengths besides the text, so that the usual file
    // decodes without growing the buffer.
    const auto expected = static_cast<std::size_t>(capacity + capacity / 8 + 16);
    decodeStream(damaged ? nullptr : bytes + 2, damaged ? 0 : file->size() - 2, header, expected,
                 static_cast<std::size_t>(kMaxWordListText), content, [&](std::size_t done) {
                     if (progressBar)
                         progressBar->setPosition(static_cast<int>(std::min<std::int64_t>(
                             static_cast<std::int64_t>(done) / step, 65535)));
                 });
    if (content.tooBig) {
        tell(str::kTooBig);
        return false;
    }
    damaged = damaged || !content.endMarker;

    if (progressBar) {
        progressBar->setPosition(0);
        progressBar->setRange(kIndexingSteps);
    }
    if (statusLine) statusLine->setText(str::kIndexingWords);

    // The content is a sequence of chunks (16-bit length, then that many bytes
    // of record text) closed by a zero length; the records are read from the
    // chunks' text joined together. Each record is parsed where it lies: its
    // four '*' become NULs and the entry points at its word in the buffer. A
    // record that runs on into the next chunk (the program's own files put one
    // record in each) makes the rest of the text move together first.
    char* const data = content.data.get();
    const std::size_t size = content.size;
    std::size_t at = 0;
    std::int64_t textBytes = 0;
    bool closed = false, skipNext = false, stop = false;
    int count = 0;

    // Parses the complete records of [p, end); leaves p at an unfinished one.
    auto parse = [&](char*& p, char* end, bool last) {
        if (skipNext && p < end) {
            ++p;
            skipNext = false;
        }
        while (p < end) {
            char* sep[4];
            const int found = findSeparators(p, end, sep);
            if (found < 0) {
                stop = damaged = true; // a NUL byte inside a record
                return;
            }
            if (found < 4) {
                if (last) stop = damaged = true; // a cut-off record
                return;
            }
            if (sep[0] == p) {
                stop = damaged = true; // an empty word
                return;
            }
            for (char* s : sep)
                *s = '\0';
            const char* definition = sep[0] + 1;
            if (definition[0] == 'd' && std::strcmp(definition, "delete") == 0) {
                ++report_.deletedRecords;
            } else if (CWordNode* node =
                           root->insertOrReplace(p, definition, sep[1] + 1, sep[2] + 1, false)) {
                node->set(CWordNode::InWordSet);
                if (sep[3] != sep[2] + 1) synonymCandidates_.push_back(node);
            } else {
                ++report_.refusedRecords;
            }
            ++count;
            if (progressBar && count % kRecordsPerStep == 0)
                progressBar->setPosition(count / kRecordsPerStep);
            p = sep[3] + 1;
            if (p < end)
                ++p; // the record's closing '~'
            else
                skipNext = true;
        }
    };
    // The next chunk's text, or false at the zero length or a bad chunk.
    auto nextChunk = [&](char*& from, std::size_t& length) {
        if (at + 2 > size) return false;
        const int n = static_cast<std::int16_t>(static_cast<std::uint8_t>(data[at]) |
                                                (static_cast<std::uint8_t>(data[at + 1]) << 8));
        at += 2;
        if (n == 0) {
            closed = true;
            return false;
        }
        if (n < 0 || at + static_cast<std::size_t>(n) > size) return false;
        from = data + at;
        length = static_cast<std::size_t>(n);
        at += length;
        textBytes += n;
        return true;
    };

    char* chunk = nullptr;
    std::size_t length = 0;
    while (!stop && nextChunk(chunk, length)) {
        char* p = chunk;
        char* end = chunk + length;
        parse(p, end, false);
        if (stop || p == end) continue;
        // An unfinished record: join the rest of the text on behind it.
        char* joined = end;
        while (nextChunk(chunk, length)) {
            std::memmove(joined, chunk, length);
            joined += length;
        }
        parse(p, joined, true);
        break;
    }
    damaged = damaged || !closed;
    textBuffer = std::move(content.data);
    report_.textBytes = textBytes;
    report_.records = count;
    report_.damaged = damaged;
    return true;
}

// Links every entry whose synonym is a word of the lexicon into that word's
// ring, taking the entries in word order (the order decides the rings). The
// candidates were noted as entries were added; a later replacement may have
// emptied a synonym, so each is checked again.
void CWordDatabase::linkSynonyms() {
    std::vector<CWordNode*>& candidates = synonymCandidates_;
    auto byWord = [](const CWordNode* a, const CWordNode* b) {
        return std::strcmp(a->word(), b->word()) < 0;
    };
    std::sort(candidates.begin(), candidates.end(), byWord);
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::erase_if(candidates, [](const CWordNode* e) { return *e->synonym() == '\0'; });
    // Look the synonyms up in their own order, which keeps the upper levels of
    // the tree in the cache from one lookup to the next; then link in the
    // entries' word order.
    std::vector<std::pair<const char*, std::size_t>> lookups;
    lookups.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        lookups.emplace_back(candidates[i]->synonym(), i);
    std::sort(lookups.begin(), lookups.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.first, b.first) < 0; });
    std::vector<CWordNode*> targets(candidates.size());
    for (const auto& [synonym, i] : lookups)
        targets[i] = find(synonym);
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (targets[i]) candidates[i]->linkSynonym(targets[i]);
    candidates = std::vector<CWordNode*>();
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
    ++changes_;
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
    forEachSlot([&count, includeExpurged](CWordNode* node) {
        node->clear(CWordNode::Drawn);
        if (!includeExpurged && node->has(CWordNode::Expurged)) {
            node->clear(CWordNode::InWordSet);
        } else {
            node->set(CWordNode::InWordSet);
            ++count;
        }
    });
    setSize = count;
    drawnCount = 0;
    setCompleted = 0;
}

} // namespace zq
