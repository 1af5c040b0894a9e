#include "core/WordNode.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/Letters.h"
#include "core/Random.h"

namespace zq {

namespace {
// The pool's blocks, made as the counter reaches them.
std::vector<std::unique_ptr<CWordNode[]>>& blocks() {
    static std::vector<std::unique_ptr<CWordNode[]>> made;
    return made;
}
int g_counter = 1;
int g_limit = CNodePool::kMaxSlots;

CWordNode* slotAt(int index) {
    auto& made = blocks();
    const auto block = static_cast<std::size_t>(index >> CNodePool::kBlockShift);
    while (made.size() <= block)
        made.push_back(std::make_unique<CWordNode[]>(CNodePool::kBlockSize));
    return &made[block][static_cast<std::size_t>(index & (CNodePool::kBlockSize - 1))];
}

inline const char* skipString(const char* s) {
    return s + std::strlen(s) + 1;
}
} // namespace

CWordNode::CWordNode(const char* word, const char* definition, const char* partOfSpeech,
                     const char* synonym, bool copyText) {
    initDetached(word, definition, partOfSpeech, synonym, copyText);
}

CWordNode::~CWordNode() {
    releaseText();
}

void CWordNode::releaseText() {
    if (has(OwnsText)) delete[] text;
    text = nullptr;
    clear(OwnsText);
}

void CWordNode::reset() {
    releaseText();
    greater = smaller = nextSynonym = nullptr;
    flags = 0;
}

CWordNode* CWordNode::setContent(const char* word, const char* definition, const char* partOfSpeech,
                                 const char* synonym, bool copyText) {
    char* oldText = has(OwnsText) ? text : nullptr;
    if (copyText) {
        if (!synonym) synonym = "";
        const std::size_t lw = std::strlen(word) + 1, ld = std::strlen(definition) + 1,
                          lp = std::strlen(partOfSpeech) + 1, ls = std::strlen(synonym) + 1;
        char* block = new char[lw + ld + lp + ls];
        std::memcpy(block, word, lw);
        std::memcpy(block + lw, definition, ld);
        std::memcpy(block + lw + ld, partOfSpeech, lp);
        std::memcpy(block + lw + ld + lp, synonym, ls);
        text = block;
        set(OwnsText);
    } else {
        text = const_cast<char*>(word);
        clear(OwnsText);
    }
    delete[] oldText;
    if (std::strcmp(this->partOfSpeech(), "expurged") == 0) set(Expurged);
    return this;
}

void CWordNode::initDetached(const char* word, const char* definition, const char* partOfSpeech,
                             const char* synonym, bool copyText) {
    releaseText();
    flags = 0;
    smaller = greater = nextSynonym = nullptr;
    setContent(word, definition, partOfSpeech, synonym, copyText);
}

CWordNode* CWordNode::insertOrReplace(const char* word, const char* definition,
                                      const char* partOfSpeech, const char* synonym,
                                      bool copyText) {
    CWordNode* node = this;
    for (;;) {
        const int cmp = std::strcmp(node->text, word);
        if (cmp == 0) return node->setContent(word, definition, partOfSpeech, synonym, copyText);
        CWordNode*& side = cmp > 0 ? node->smaller : node->greater;
        if (!side) {
            CWordNode* fresh = CNodePool::allocate();
            if (!fresh) return nullptr;
            side = fresh;
            return fresh->setContent(word, definition, partOfSpeech, synonym, copyText);
        }
        node = side;
    }
}

CWordNode* CWordNode::linkSynonym(CWordNode* other) {
    if (nextSynonym) return nextSynonym;
    if (other->nextSynonym) {
        nextSynonym = other->nextSynonym;
        other->nextSynonym = this;
    } else {
        nextSynonym = other;
        other->nextSynonym = this;
    }
    return other;
}

CWordNode* CWordNode::matchesInRing(const char* word) {
    CWordNode* node = this;
    do {
        if (std::strcmp(node->text, word) == 0) return node;
        node = node->nextSynonym;
    } while (node && node != this);
    return nullptr;
}

const char* CWordNode::definition() const {
    return skipString(text);
}
const char* CWordNode::partOfSpeech() const {
    return skipString(definition());
}
const char* CWordNode::synonym() const {
    return skipString(partOfSpeech());
}

WordEntry CWordNode::entry() const {
    WordEntry e;
    e.word = text;
    e.definition = skipString(e.word);
    e.partOfSpeech = skipString(e.definition);
    e.synonym = skipString(e.partOfSpeech);
    return e;
}

// The walks keep their own stack, so a tree of any height (a word list saved in
// word order makes one as deep as it is long) is walked without recursion.
int CWordNode::forEachInOrder(WordVisitor visit, void* context) {
    std::vector<CWordNode*> stack;
    stack.reserve(64);
    CWordNode* node = this;
    while (node || !stack.empty()) {
        while (node) {
            stack.push_back(node);
            node = node->smaller;
        }
        node = stack.back();
        stack.pop_back();
        if (const int result = visit(node, context)) return result;
        node = node->greater;
    }
    return 0;
}

int CWordNode::forEachShuffled(WordVisitor visit, void* context) {
    std::vector<CWordNode*> stack;
    stack.reserve(64);
    stack.push_back(this);
    while (!stack.empty()) {
        CWordNode* node = stack.back();
        stack.pop_back();
        const bool smallerFirst = (randomNumber() & 1) != 0;
        if (const int result = visit(node, context)) return result;
        CWordNode* first = smallerFirst ? node->smaller : node->greater;
        CWordNode* second = smallerFirst ? node->greater : node->smaller;
        if (second) stack.push_back(second);
        if (first) stack.push_back(first);
    }
    return 0;
}

int treeHeight(const CWordNode* root) {
    if (!root) return 0;
    std::vector<std::pair<const CWordNode*, int>> stack{{root, 1}};
    int height = 0;
    while (!stack.empty()) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        height = std::max(height, depth);
        if (node->smaller) stack.emplace_back(node->smaller, depth + 1);
        if (node->greater) stack.emplace_back(node->greater, depth + 1);
    }
    return height;
}

CWordNode* CNodePool::slot(int index) {
    return slotAt(index);
}

CWordNode* CNodePool::allocate() {
    if (g_counter + 1 >= g_limit) return nullptr;
    return slotAt(++g_counter);
}

int CNodePool::counter() {
    return g_counter;
}

int CNodePool::limit() {
    return g_limit;
}

void CNodePool::setLimit(int slots) {
    g_limit = std::clamp(slots, 3, kMaxSlots);
}

bool CNodePool::contains(const CWordNode* node) {
    for (const auto& block : blocks())
        if (node >= block.get() && node < block.get() + kBlockSize) return true;
    return false;
}

std::size_t CNodePool::memoryBytes() {
    return blocks().size() * kBlockSize * sizeof(CWordNode);
}

void CNodePool::reset() {
    for (int i = 0; i <= g_counter; ++i)
        slotAt(i)->reset();
    g_counter = 1;
}

int CWordNode::score() {
    const int cached = flags & ScoreMask;
    if (cached != 0) return cached;
    // The cache holds 0..255; a word scoring more (over 25 letters of value 10)
    // keeps its low byte, as the flag word has no room for more.
    const int computed = wordScore(text) & ScoreMask;
    flags = static_cast<std::uint16_t>(flags | computed);
    return computed;
}

// Places each letter of the word on the first unused tile of that letter, or
// else on a blank. Counting tiles per character gives the same answer as that
// greedy placement for a rack of any length.
bool CWordNode::canBeMadeFrom(const char* rack) const {
    if (has(Expurged)) return false;
    int count[256] = {};
    int blanks = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(rack); *p; ++p) {
        if (*p == ' ')
            ++blanks;
        else
            ++count[*p];
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (count[*p] > 0)
            --count[*p];
        else if (blanks > 0)
            --blanks;
        else
            return false;
    }
    return true;
}

} // namespace zq
