// The word tools' rules without a window: what the Word Checker says for an
// input, the Update walk, Edit Word's checks and store, and what the Word
// Builder's label shows for a selected line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"
#include "tools/EditWord.h"
#include "tools/WordBuilderSearch.h"
#include "tools/WordChecker.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {
    "cat*a small feline*n*kitty*~", "kitty*a young cat*n*cat*~",
    "mate*a friend*n*pal*~",        "pal*a friend*n**~",
    "chum*a friend*n*pal*~",        "bare****~",
    "zebra*a striped horse*n**~",   "yak*a long-haired ox*n**~",
};

// The first expurged word of the built-in list.
const char* expurgedWord() {
    return kExpurgedWords[0];
}

class WordTools : public ::testing::Test {
  protected:
    void SetUp() override { db = databaseWith(dir, ui, kRecords); }
    CWordDatabase& mark(bool includeExpurged) {
        markWordSet(*db, store, true, includeExpurged);
        return *db;
    }
    TempDir dir;
    RecordingUi ui;
    MemorySettingsStore store;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(WordTools, CheckerTextsForFoundMissingAndBuiltInInputs) {
    mark(false);
    CheckerLookup r = lookupWord(*db, "");
    EXPECT_EQ(r.result, str::kCheckerPrompt);
    EXPECT_EQ(r.alternates, "");
    EXPECT_EQ(r.entry, nullptr);

    r = lookupWord(*db, "CaT"); // looked up and shown in lower case
    EXPECT_EQ(r.result, "cat is a word:\nn.  a small feline");
    EXPECT_EQ(r.alternates, "Alternate: KITTY");
    ASSERT_NE(r.entry, nullptr);

    EXPECT_EQ(lookupWord(*db, "bare").result, "bare is a word.");
    EXPECT_EQ(lookupWord(*db, "zzz").result, "zzz is NOT a word.");
    EXPECT_EQ(lookupWord(*db, "zzz").alternates, "");
    EXPECT_EQ(lookupWord(*db, "I").result, str::kPronounI);
    EXPECT_EQ(lookupWord(*db, "a").result, str::kArticleA);
    // A blank in the rack is part of the text: no word has one.
    EXPECT_EQ(lookupWord(*db, "ca t").result, "ca t is NOT a word.");
}

// Ring members with the entry's own definition stay in lower case, the others
// are shown in capitals, in ring order after "Alternates: ".
TEST_F(WordTools, AlternatesFollowTheRingInOrder) {
    mark(false);
    const std::string mate = lookupWord(*db, "mate").alternates;
    const std::string pal = lookupWord(*db, "pal").alternates;
    EXPECT_EQ(mate.rfind("Alternates: ", 0), 0u) << mate;
    EXPECT_NE(mate.find("pal"), std::string::npos);
    EXPECT_NE(mate.find("chum"), std::string::npos);
    EXPECT_EQ(pal.rfind("Alternates: ", 0), 0u) << pal;
    EXPECT_EQ(lookupWord(*db, "zebra").alternates, "");
    EXPECT_EQ(ringText(*db->find("zebra")), "");
    EXPECT_EQ(ringText(*db->find("cat")), "->kitty");
}

TEST_F(WordTools, ExpurgedWordsAreFoundOnlyWhenTheOptionAllowsThem) {
    const std::string word = expurgedWord();
    mark(false);
    EXPECT_EQ(lookupWord(*db, word).result, word + " is NOT a word.");
    mark(true);
    EXPECT_EQ(lookupWord(*db, word).result, word + " is a word:\n" + str::kExpurgedNotice);
    EXPECT_NE(lookupWord(*db, word).result.find("KORVELLA\xC2\xAE"), std::string::npos);
}

TEST_F(WordTools, TheUpdateWalkVisitsTheSetInWordOrderAndEnds) {
    mark(false);
    EXPECT_EQ(updateWalkStart(*db, "i"), nullptr);
    EXPECT_EQ(updateWalkStart(*db, ""), nullptr);
    EXPECT_EQ(updateWalkStart(*db, "Mate"), db->find("mate"));
    CWordNode* kitty = db->find("kitty");
    // Only the members of the set: here the words of three letters.
    for (CWordNode* n : db->inOrder())
        if (std::string(n->word()).size() != 3) n->clear(CWordNode::InWordSet);
    std::vector<std::string> walk;
    for (CWordNode* n = nextSetMember(*db, nullptr); n; n = nextSetMember(*db, n))
        walk.push_back(n->word());
    ASSERT_FALSE(walk.empty());
    EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end()));
    EXPECT_NE(std::find(walk.begin(), walk.end(), "cat"), walk.end());
    EXPECT_NE(std::find(walk.begin(), walk.end(), "yak"), walk.end());
    EXPECT_EQ(std::find(walk.begin(), walk.end(), "zebra"), walk.end());
    // After a word outside the set, the walk goes on from where it lies.
    EXPECT_EQ(nextSetMember(*db, kitty)->word(), std::string("pal"));
}

TEST_F(WordTools, EditChecksComeInOrderAndKeepTheDialogOpen) {
    mark(false);
    const CWordNode& cat = *db->find("cat");
    const auto verdict = [&](EditFields f) { return checkEdit(*db, cat, f).verdict; };
    // The own-synonym test comes first, even with empty fields.
    EXPECT_EQ(verdict({"", "", "cat"}), EditVerdict::OwnSynonym);
    EXPECT_EQ(verdict({"", "n", ""}), EditVerdict::EmptyField);
    EXPECT_EQ(verdict({"a pet", "", ""}), EditVerdict::EmptyField);
    EXPECT_EQ(verdict({"a pet", "n", "dog"}), EditVerdict::SynonymNotFound);
    EXPECT_EQ(checkEdit(*db, cat, {"a pet", "n", "dog"}).message, str::kSynonymNotFound);
    EXPECT_EQ(verdict({"a small feline", "n", "kitty"}), EditVerdict::Unchanged);
    EXPECT_EQ(verdict({"a small feline", "adj", "kitty"}), EditVerdict::Store);
    // What word.lst could not carry, and a line break (each field is one
    // line), is refused with the reason; '~' is only text.
    for (const char* bad : {"two\nlines", "a*b", "cr\rlf"}) {
        const EditCheck c = checkEdit(*db, cat, {bad, "n", ""});
        EXPECT_EQ(c.verdict, EditVerdict::NotStorable) << bad;
        EXPECT_EQ(c.message.rfind("This entry cannot be stored: the definition", 0), 0u);
    }
    EXPECT_EQ(verdict({"about ~5 cm", "n", "kitty"}), EditVerdict::Store);
    EXPECT_EQ(verdict({std::string(40000, 'x'), "n", ""}), EditVerdict::NotStorable);
    EXPECT_EQ(verdict({"fine", std::string("n\0x", 3), ""}), EditVerdict::NotStorable);
}

// Fields left as they were pass whatever bytes the file gave them, and a word
// the user cannot change is never the reason for a refusal.
TEST_F(WordTools, UntouchedFieldsPassWhateverTheyHold) {
    mark(false);
    const std::string odd = "line one\nline two\r, caf\xe9 and\xc2\xa0more ~";
    CWordNode& cat = *db->find("cat");
    cat.setContent("cat", odd.c_str(), "n\r", "", true);
    EXPECT_EQ(checkEdit(*db, cat, {odd, "n\r", ""}).verdict, EditVerdict::Unchanged);
    EXPECT_EQ(checkEdit(*db, cat, {odd, "adj", ""}).verdict, EditVerdict::Store);
    EXPECT_EQ(checkEdit(*db, cat, {odd + "!", "n\r", ""}).verdict, EditVerdict::NotStorable);
    // A word the loader accepted that Edit Word could never have typed.
    CWordNode* odd_word = db->addEntry("na\xefve", "simple", "adj", "", true);
    ASSERT_NE(odd_word, nullptr);
    odd_word->set(CWordNode::InWordSet);
    EXPECT_EQ(checkEdit(*db, *odd_word, {"simple", "adj", ""}).verdict, EditVerdict::Unchanged);
    EXPECT_EQ(checkEdit(*db, *odd_word, {"artless", "adj", ""}).verdict, EditVerdict::Store);
    // A record already longer than a chunk may be edited without growing.
    const std::string longText(40000, 'x');
    cat.setContent("cat", longText.c_str(), "n", "", true);
    EXPECT_EQ(checkEdit(*db, cat, {longText, "v", ""}).verdict, EditVerdict::Store);
    EXPECT_EQ(checkEdit(*db, cat, {longText + "x", "n", ""}).verdict, EditVerdict::NotStorable);
}

TEST_F(WordTools, StoringAnEditMarksTheLexiconAndLinksTheSynonym) {
    mark(false);
    CWordNode& zebra = *db->find("zebra");
    EXPECT_EQ(db->modified, 0);
    EXPECT_EQ(storeEdit(*db, zebra, {"a striped wild horse", "n", "yak"}), "");
    EXPECT_EQ(db->modified, 1);
    EXPECT_EQ(db->editedEntries(), std::vector<CWordNode*>{&zebra});
    EXPECT_STREQ(zebra.definition(), "a striped wild horse");
    EXPECT_STREQ(zebra.synonym(), "yak");
    EXPECT_EQ(ringText(zebra), "->yak");
    // An entry already in a ring keeps its ring; the text is stored.
    CWordNode& cat = *db->find("cat");
    storeEdit(*db, cat, {"a small feline", "n", "zebra"});
    EXPECT_STREQ(cat.synonym(), "zebra");
    EXPECT_EQ(ringText(cat), "->kitty");
}

// The built-in tables give the words of one or two letters and the expurged
// words back at every start: the user is told, the change is kept for now.
TEST_F(WordTools, EditsThatTheBuiltInTablesOverrideAreAnnounced) {
    mark(true);
    CWordNode& ax = *db->find("ax");
    const std::string notice = storeEdit(*db, ax, {"a chopping tool", "n", ""});
    EXPECT_NE(notice.find("\"ax\" is one of the program's built-in words"), std::string::npos);
    EXPECT_STREQ(ax.definition(), "a chopping tool");
    CWordNode& rude = *db->find(expurgedWord());
    EXPECT_FALSE(storeEdit(*db, rude, {"changed", "n", ""}).empty());
    EXPECT_TRUE(storeEdit(*db, *db->find("yak"), {"an ox", "n", ""}).empty());
}

TEST_F(WordTools, TheBuilderLabelForASelectedLine) {
    mark(false);
    const auto text = [&](const char* line) {
        const std::string l = line;
        return builderLineText(*db, &l);
    };
    EXPECT_EQ(builderLineText(*db, nullptr), std::string(str::kBuilderHelp));
    EXPECT_EQ(text("More not shown"), std::string(str::kBuilderHelp));
    EXPECT_EQ(text("cat : 5"), std::string("cat\nn.  a small feline"));
    EXPECT_EQ(text("bare : 6"), std::string("bare"));
    // "No word found" keeps the label as it is, although "no" is a word.
    ASSERT_NE(db->find("no"), nullptr);
    EXPECT_EQ(text("No word found"), std::nullopt);
    EXPECT_EQ(text("qqq : 1"), std::nullopt);
}
