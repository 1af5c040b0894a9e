#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/Random.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

// A small database of the built-in words plus these records.
struct Small {
    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
    explicit Small(const std::vector<std::string>& records) { db = databaseWith(dir, ui, records); }
};

} // namespace

TEST(WordNode, ContentIsCopiedOrBorrowedAndExpurgedSticks) {
    char buffer[] = "word\0def\0pos\0syn";
    CWordNode borrowed("x", "", "", "", true);
    borrowed.setContent(buffer, nullptr, nullptr, nullptr, false);
    EXPECT_EQ(borrowed.text, buffer);
    EXPECT_FALSE(borrowed.has(CWordNode::OwnsText));
    EXPECT_STREQ(borrowed.synonym(), "syn");

    CWordNode owned("cat", "a feline", "expurged", nullptr, true);
    EXPECT_TRUE(owned.has(CWordNode::OwnsText));
    EXPECT_TRUE(owned.has(CWordNode::Expurged));
    EXPECT_STREQ(owned.synonym(), "");
    owned.flags |= 5; // a cached score
    owned.setContent("cat", "a pet", "n", "kitty", true);
    EXPECT_TRUE(owned.has(CWordNode::Expurged)); // never cleared by new content
    EXPECT_EQ(owned.flags & CWordNode::ScoreMask, 5);
    const WordEntry e = owned.entry();
    EXPECT_STREQ(e.definition, "a pet");
    EXPECT_STREQ(e.partOfSpeech, "n");
    EXPECT_STREQ(e.synonym, "kitty");

    owned.initDetached("dog", "", "", "", true);
    EXPECT_EQ(owned.flags, CWordNode::OwnsText);
    EXPECT_EQ(owned.nextSynonym, nullptr);
}

TEST(WordNode, ReplacingKeepsPlaceFlagsAndRing) {
    Small s({"cat*a feline*n**~", "kitty*a kitten*n*cat*~"});
    CWordNode* cat = s.db->find("cat");
    ASSERT_NE(cat, nullptr);
    cat->set(CWordNode::Missed);
    CWordNode* ring = cat->nextSynonym;
    CWordNode* again = s.db->addEntry("cat", "a small domestic feline", "n", "", true);
    EXPECT_EQ(again, cat);
    EXPECT_TRUE(cat->has(CWordNode::Missed));
    EXPECT_TRUE(cat->has(CWordNode::InWordSet));
    EXPECT_TRUE(cat->has(CWordNode::OwnsText));
    EXPECT_EQ(cat->nextSynonym, ring);
    EXPECT_STREQ(cat->definition(), "a small domestic feline");
    // "delete" adds and changes nothing.
    EXPECT_EQ(s.db->addEntry("cat", "delete", "n", "", true), nullptr);
    EXPECT_EQ(s.db->addEntry("gnu", "delete", "n", "", true), nullptr);
    EXPECT_STREQ(cat->definition(), "a small domestic feline");
    s.db->markAll(true);
    EXPECT_EQ(s.db->find("gnu"), nullptr);
}

TEST(WordNode, FindReportsOnlyWordSetMembers) {
    Small s({"cat*a feline*n**~"});
    CWordNode* cat = s.db->find("cat");
    ASSERT_NE(cat, nullptr);
    cat->clear(CWordNode::InWordSet);
    EXPECT_EQ(s.db->find("cat"), nullptr);
    EXPECT_EQ(s.db->find(""), nullptr);
    EXPECT_EQ(s.db->find("ca"), nullptr);
    EXPECT_EQ(s.db->find("cats"), nullptr);
    s.db->markAll(true);
    EXPECT_EQ(s.db->find("cat"), cat);
    // Without expurged words.
    const char* slur = kExpurgedWords[0];
    EXPECT_NE(s.db->find(slur), nullptr);
    s.db->markAll(false);
    EXPECT_EQ(s.db->find(slur), nullptr);
    EXPECT_EQ(s.db->setSize, static_cast<int>(s.db->inOrder().size()) - 204);
}

TEST(WordNode, SynonymRingsNeverMoveAnEntry) {
    CWordNode ah("ah", "", "", "", true), aha("aha", "", "", "", true), ha("ha", "", "", "", true),
        other("oho", "", "", "", true);
    EXPECT_EQ(ah.linkSynonym(&aha), &aha); // a ring of two
    EXPECT_EQ(ha.linkSynonym(&ah), &ah);   // ha joins right after ah
    EXPECT_EQ(ah.nextSynonym, &ha);
    EXPECT_EQ(ha.nextSynonym, &aha);
    EXPECT_EQ(aha.nextSynonym, &ah);
    EXPECT_EQ(aha.linkSynonym(&other), &ah); // already in a ring: its successor, no change
    EXPECT_EQ(other.nextSynonym, nullptr);
    EXPECT_EQ(ha.matchesInRing("aha"), &aha);
    EXPECT_EQ(ha.matchesInRing("ha"), &ha);
    EXPECT_EQ(ha.matchesInRing("oho"), nullptr);
    EXPECT_EQ(other.matchesInRing("oho"), &other);
    EXPECT_EQ(other.matchesInRing("ah"), nullptr);
    // The scratch entries must not outlive the ring they form.
    ah.nextSynonym = ha.nextSynonym = aha.nextSynonym = nullptr;
}

TEST(WordNode, PoolHandsOutSlotTwoFirstAndNeverSlotOne) {
    Small s({});
    // Built-in rows occupy slots 2..96 in table order.
    EXPECT_EQ(CNodePool::slot(0), s.db->root);
    EXPECT_EQ(CNodePool::slot(1)->text, nullptr);
    EXPECT_STREQ(CNodePool::slot(2)->word(), "so");
    EXPECT_STREQ(CNodePool::slot(3)->word(), "de");
    EXPECT_GE(CNodePool::kMaxSlots - 2, 1000000);
}

// The pool grows block by block as entries come, and a node never moves.
TEST(WordNode, ThePoolGrowsWithTheListAndNodesStayPut) {
    Small s({});
    CWordNode* first = CNodePool::slot(2);
    const int before = CNodePool::counter();
    std::vector<CWordNode*> added;
    for (int i = 0; i < 3 * CNodePool::kBlockSize; ++i) {
        std::string word = "zq";
        for (int n = i; n || word.size() < 5; n /= 26)
            word += static_cast<char>('a' + n % 26);
        added.push_back(s.db->addEntry(word.c_str(), "", "", "", true));
        ASSERT_NE(added.back(), nullptr);
    }
    EXPECT_EQ(CNodePool::counter(), before + 3 * CNodePool::kBlockSize);
    EXPECT_EQ(CNodePool::slot(2), first);
    EXPECT_STREQ(first->word(), "so");
    for (std::size_t i = 0; i < added.size(); i += 997)
        EXPECT_EQ(CNodePool::slot(before + 1 + static_cast<int>(i)), added[i]);
    EXPECT_TRUE(CNodePool::contains(added.back()));
    CWordNode outside;
    EXPECT_FALSE(CNodePool::contains(&outside));
    EXPECT_LE(CNodePool::memoryBytes(), (CNodePool::counter() / CNodePool::kBlockSize + 1) *
                                            CNodePool::kBlockSize * sizeof(CWordNode));
}

TEST(WordNode, WalksVisitInOrderOrParentsFirstAndStopEarly) {
    Small s({"cat****~", "bat****~", "dog****~", "ant****~", "eel****~", "fox****~"});
    std::vector<std::string> inOrder;
    s.db->forEachInOrder([&](CWordNode* n) { return inOrder.emplace_back(n->word()), 0; });
    EXPECT_TRUE(std::is_sorted(inOrder.begin(), inOrder.end()));
    std::vector<std::string> viaRoot;
    s.db->root->forEachInOrder([&](CWordNode* n) { return viaRoot.emplace_back(n->word()), 0; });
    EXPECT_EQ(viaRoot, inOrder);

    // Shuffled: each entry comes before every entry below it, and two seeds
    // give different orders.
    auto shuffled = [&](unsigned seed) {
        seedRandom(seed);
        std::vector<CWordNode*> order;
        s.db->forEachShuffled([&](CWordNode* n) { return order.push_back(n), 0; });
        return order;
    };
    const auto a = shuffled(1), b = shuffled(2);
    EXPECT_EQ(a.size(), inOrder.size());
    EXPECT_NE(a, b);
    for (const auto& order : {a, b}) {
        std::set<CWordNode*> seen;
        for (CWordNode* n : order) {
            EXPECT_FALSE(n->smaller && seen.count(n->smaller));
            EXPECT_FALSE(n->greater && seen.count(n->greater));
            seen.insert(n);
        }
    }
    EXPECT_EQ(shuffled(1), a); // the same seed gives the same order

    int visits = 0;
    const int stopped = s.db->forEachInOrder([&](CWordNode* n) {
        ++visits;
        return std::string(n->word()) == "bat" ? 42 : 0;
    });
    EXPECT_EQ(stopped, 42);
    EXPECT_LT(visits, static_cast<int>(inOrder.size()));
    EXPECT_EQ(s.db->forEachShuffled([](CWordNode*) { return 7; }), 7);
}

TEST(WordNode, CollectMembersPagesThroughTheWordSet) {
    Small s({"cat****~", "bat****~", "dog****~"});
    const int members = s.db->setSize;
    CWordNode* slots[10];
    EXPECT_EQ(s.db->collectMembers(0, slots, 10), 10);
    EXPECT_STREQ(slots[0]->word(), "aa");
    EXPECT_EQ(s.db->collectMembers(members - 3, slots, 10), 0);
    EXPECT_NE(slots[2], nullptr);
    EXPECT_EQ(slots[3], nullptr);
    EXPECT_EQ(slots[9], nullptr);
    // Non-members are skipped.
    s.db->find("aa")->clear(CWordNode::InWordSet);
    EXPECT_EQ(s.db->collectMembers(0, slots, 1), 1);
    EXPECT_STREQ(slots[0]->word(), "ab");
}
