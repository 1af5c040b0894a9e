#pragma once

#include <cstddef>

#include <cstdint>
#include <type_traits>
#include <vector>

namespace zq {

// The four strings of one lexicon entry, as they stand in a record of the word
// list: word, definition, part of speech, synonym (the last three may be
// empty).
struct WordEntry {
    const char* word;
    const char* definition;
    const char* partOfSpeech;
    const char* synonym;
};

class CWordNode;
// A walk's visitor: a non-zero result stops the walk and is returned by it.
using WordVisitor = int (*)(CWordNode* entry, void* context);

// One lexicon entry and its place in the word tree. The text is four
// NUL-terminated strings back to back (word, definition, part of speech,
// synonym), either borrowed from the loaded file's buffer or a heap copy that
// the entry owns.
class CWordNode {
  public:
    enum Flag : std::uint16_t {
        ScoreMask = 0x00FF,
        Expurged = 0x0800,
        OwnsText = 0x1000,
        Drawn = 0x2000,
        InWordSet = 0x4000,
        Missed = 0x8000,
    };

    CWordNode() = default;
    // A scratch entry outside the tree (see initDetached).
    CWordNode(const char* word, const char* definition, const char* partOfSpeech,
              const char* synonym, bool copyText);
    virtual ~CWordNode();
    CWordNode(const CWordNode&) = delete;
    CWordNode& operator=(const CWordNode&) = delete;

    CWordNode* greater = nullptr;
    CWordNode* smaller = nullptr;
    char* text = nullptr;
    CWordNode* nextSynonym = nullptr;
    std::uint16_t flags = 0;

    // Sets the entry's text. With copyText the four strings are copied into one
    // owned block (a null synonym counts as empty); without it `text` becomes
    // `word` itself and the other three strings must follow it in memory.
    // Sets Expurged when the part of speech is "expurged"; never clears it.
    CWordNode* setContent(const char* word, const char* definition, const char* partOfSpeech,
                          const char* synonym, bool copyText);
    // Makes this a fresh entry outside the tree: no links, flags from 0.
    void initDetached(const char* word, const char* definition, const char* partOfSpeech,
                      const char* synonym, bool copyText);
    // Called on the root: finds the word's place and replaces the entry there
    // in place, or hangs a new pool slot on the tree. Null when the pool is full.
    CWordNode* insertOrReplace(const char* word, const char* definition, const char* partOfSpeech,
                               const char* synonym, bool copyText);
    // Joins this entry to other's synonym ring (a ring of two when other is in
    // none). An entry already in a ring stays where it is: its successor is
    // returned and nothing changes. Otherwise returns other.
    CWordNode* linkSynonym(CWordNode* other);
    // This entry or the first entry of its ring whose word equals `word`.
    CWordNode* matchesInRing(const char* word);
    // The word's score, cached in the low byte of flags.
    int score();
    // Whether the word can be laid with the rack's tiles; a space in the rack is
    // a blank. Never for an expurged entry.
    bool canBeMadeFrom(const char* rack) const;

    const char* word() const { return text; }
    const char* definition() const;
    const char* partOfSpeech() const;
    const char* synonym() const;
    WordEntry entry() const;
    bool has(Flag flag) const { return (flags & flag) != 0; }
    void set(Flag flag) { flags = static_cast<std::uint16_t>(flags | flag); }
    void clear(Flag flag) { flags = static_cast<std::uint16_t>(flags & ~flag); }

    // Walks this subtree in word order; stops at the first non-zero result.
    int forEachInOrder(WordVisitor visit, void* context);
    // Walks this subtree visiting every entry before the entries below it;
    // at each entry a random number picks which subtree comes first.
    int forEachShuffled(WordVisitor visit, void* context);

    template <class F> int forEachInOrder(F&& f) {
        return forEachInOrder(
            [](CWordNode* e, void* c) -> int {
                return (*static_cast<std::remove_reference_t<F>*>(c))(e);
            },
            &f);
    }
    template <class F> int forEachShuffled(F&& f) {
        return forEachShuffled(
            [](CWordNode* e, void* c) -> int {
                return (*static_cast<std::remove_reference_t<F>*>(c))(e);
            },
            &f);
    }

    // Releases owned text and empties the slot.
    void reset();

  private:
    void releaseText();
};

// Number of levels of the subtree below `root` (1 for a lone entry).
int treeHeight(const CWordNode* root);

// The pool every tree node comes from. Slot 0 is the root; the counter
// starts at 1 and is incremented before each allocation, so slot 1 is never
// used and the first entry added gets slot 2. The pool grows a block at a
// time as entries are added, so a node never moves and the memory follows
// the size of the list; it holds at most kMaxSlots slots (1,048,574 entries
// besides the root).
class CNodePool {
  public:
    static constexpr int kBlockShift = 12;
    static constexpr int kBlockSize = 1 << kBlockShift; // 4,096 slots
    static constexpr int kMaxSlots = 1 << 20;           // 1,048,576

    // A slot up to the counter (slot 0 always exists).
    static CWordNode* slot(int index);
    // The next free slot, or null when the pool is at its bound.
    static CWordNode* allocate();
    // Index of the last slot handed out (1 when none).
    static int counter();
    // The bound in slots: kMaxSlots unless a test lowered it.
    static int limit();
    static void setLimit(int slots);
    static bool contains(const CWordNode* node);
    // The bytes the pool's blocks take.
    static std::size_t memoryBytes();
    // Empties every used slot and starts again; for a process that builds a
    // second lexicon (the tools and the tests).
    static void reset();
};

} // namespace zq
