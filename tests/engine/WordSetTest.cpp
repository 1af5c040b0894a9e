#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

// Words chosen for the set rules; all have a definition unless noted.
const std::vector<std::string> kRecords = {
    "retains*keeps*v**~",               // 7 letters, weight 52: a bingo
    "abelian*commutative*adj**~",       // 7 letters, weight 51: not a bingo
    "retrains*trains again*v**~",       // 8 letters, heavy: never a bingo
    "retain*keep*v**~",                 //
    "strings*cords*n**~",               // one vowel, weight 38: consonant heavy
    "rhythms*beats*n**~",               // no vowel
    "argyll*a pattern*n**~",            // 6 letters, one vowel, weight 28
    "births*arrivals*n**~",             // 6 letters, one vowel, weight 29
    "crystal*a solid*n**~",             // 7 letters, one vowel, weight 33
    "cresyls*radicals*n**~",            // 7 letters, one vowel, weight 34
    "eau*water*n**~",                   //
    "queue*a line*n**~",                //
    "audio*sound*n**~",                 //
    "beauty*loveliness*n**~",           //
    "aeiouaei*a test word*n**~",        // 8 letters, all vowels: not vowel heavy
    "alpha*the first letter*letter**~", //
    "beta*the second letter*Letter**~", // part of speech differs in case
    "hurrah*a cheer*interj**~",         //
    "euro*a currency*unit**~",          //
    "red*a colour*adj**~",              //
    "reddish*somewhat red*adj**~",      //
    "green*a colour*adj**~",            //
    "blue*a colour*adj**~",             //
    "quixotry****~",                    // no definition
    "jukebox****~",                     // no definition
};

class Lexicon {
  public:
    explicit Lexicon(const std::vector<std::string>& records = kRecords) {
        dir.write(kWordListName, wordListBytes(records));
    }
    CWordDatabase& open() {
        db.reset();
        DatabaseSetup s = programSetup(&ui, dir.path());
        s.progressBar = &progress;
        db = std::make_unique<CWordDatabase>(s);
        return *db;
    }
    CWordNode* node(const char* word) {
        for (CWordNode* n : db->inOrder())
            if (std::strcmp(n->word(), word) == 0) return n;
        return nullptr;
    }
    bool member(const char* word) {
        CWordNode* n = node(word);
        return n && n->has(CWordNode::InWordSet);
    }
    // The members among the words of the records (the built-in and expurged
    // words vary with the lexicon data).
    std::vector<std::string> members() {
        std::vector<std::string> out;
        for (CWordNode* n : db->inOrder())
            if (n->has(CWordNode::InWordSet) && isRecordWord(n->word()))
                out.emplace_back(n->word());
        return out;
    }
    static bool isRecordWord(const std::string& word) {
        for (const std::string& r : kRecords)
            if (r.compare(0, r.find('*'), word) == 0) return true;
        return false;
    }
    void choose(int setId, int maxWordLength = 0, int definitions = 1,
                const std::string& letters = "jqxz", int allLetters = 1) {
        CWordSetCriteria c;
        c.cannedWordSet = setId;
        c.maxWordLength = maxWordLength;
        c.definitions = definitions;
        c.validLetters = letters;
        c.allLetters = allLetters;
        ASSERT_TRUE(c.save(settings));
    }
    int mark(int setId, int maxWordLength = 0, int definitions = 1,
             const std::string& letters = "jqxz", int allLetters = 1) {
        choose(setId, maxWordLength, definitions, letters, allLetters);
        markWordSet(*db, settings, false, false);
        return db->setSize;
    }

    TempDir dir;
    RecordingUi ui;
    RecordingProgress progress;
    MemorySettingsStore settings;
    std::unique_ptr<CWordDatabase> db;
};

// Runs the lexicon tool in `folder`; returns its status and standard output.
std::pair<int, std::string> runTool(const TempDir& folder, const std::string& args) {
    const std::string command = "cd '" + folder.path() + "' && '" + std::string(ZQ_TOOL_PATH) +
                                "' " + args + " 2>/dev/null";
    std::pair<int, std::string> run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.second.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.first = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

} // namespace

TEST(WordSetCriteria, DefaultsMarkEveryNonExpurgedWordWithADefinition) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    CWordSetCriteria c;
    c.load(lex.settings, &db);
    EXPECT_EQ(c.cannedWordSet, 0);
    EXPECT_EQ(c.minWordLength, 2);
    EXPECT_EQ(c.definitions, 1);
    EXPECT_EQ(c.validLetters, "jqxz");
    EXPECT_EQ(c.allLetters, 1);
    EXPECT_EQ(c.maxWordLength, 0);
    EXPECT_EQ(c.database, &db);

    lex.node("retains")->set(CWordNode::Drawn);
    db.drawnCount = 5;
    db.setCompleted = 1;
    markWordSet(db, lex.settings, false, false);
    int expected = 0;
    for (CWordNode* n : db.inOrder()) {
        const bool wanted = !n->has(CWordNode::Expurged) && *n->definition() != '\0';
        EXPECT_EQ(n->has(CWordNode::InWordSet), wanted) << n->word();
        EXPECT_FALSE(n->has(CWordNode::Drawn));
        expected += wanted;
    }
    EXPECT_EQ(db.setSize, expected);
    EXPECT_EQ(db.drawnCount, 0);
    EXPECT_EQ(db.setCompleted, 0);
    EXPECT_FALSE(lex.member("quixotry"));
}

TEST(WordSetCriteria, IncludeAllIgnoresTheCriteriaButNotExpurgedUnlessAsked) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    lex.choose(kBingos, 3);
    const int total = static_cast<int>(db.inOrder().size());
    markWordSet(db, lex.settings, true, false);
    EXPECT_EQ(db.setSize, total - expurgedWordCount());
    EXPECT_TRUE(lex.member("quixotry"));
    EXPECT_FALSE(lex.member(kExpurgedWords[0]));
    markWordSet(db, lex.settings, true, true);
    EXPECT_EQ(db.setSize, total);
    EXPECT_TRUE(lex.member(kExpurgedWords[0]));
}

TEST(WordSetCriteria, LetterWeightRules) {
    Lexicon lex;
    lex.open();
    lex.mark(kBingos);
    EXPECT_EQ(lex.members(), std::vector<std::string>{"retains"});

    lex.mark(kConsonantHeavy);
    EXPECT_EQ(lex.members(), (std::vector<std::string>{"births", "cresyls", "strings"}));

    lex.mark(kVowelHeavy);
    const auto vowels = lex.members();
    for (const char* w : {"eau", "queue", "audio"})
        EXPECT_TRUE(contains(vowels, w)) << w;
    for (const char* w : {"beauty", "aeiouaei", "retains"})
        EXPECT_FALSE(contains(vowels, w)) << w;
    EXPECT_TRUE(lex.member("aa"));
    EXPECT_FALSE(lex.member("ad"));
}

TEST(WordSetCriteria, PartOfSpeechMissedAndLengthSets) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    lex.mark(kAlphabets);
    const auto letters = lex.members();
    EXPECT_TRUE(contains(letters, "alpha"));
    EXPECT_FALSE(contains(letters, "beta"));
    lex.mark(kInterjections);
    EXPECT_TRUE(lex.member("hurrah"));
    lex.mark(kUnits);
    EXPECT_EQ(lex.members(), std::vector<std::string>{"euro"});

    EXPECT_EQ(lex.mark(kErrors), 0);
    lex.node("red")->set(CWordNode::Missed);
    lex.node("quixotry")->set(CWordNode::Missed);
    EXPECT_EQ(lex.mark(kErrors), 1); // quixotry has no definition
    EXPECT_EQ(lex.mark(kErrors, 0, 0), 2);

    lex.mark(kThreeLetterWords);
    for (const std::string& w : lex.members())
        EXPECT_EQ(w.size(), 3u);
    EXPECT_TRUE(lex.member("eau"));
    const int twoLetters = lex.mark(kTwoLetterWords);
    EXPECT_GT(twoLetters, 0);
    // The length limit acts before the set's rule.
    EXPECT_EQ(lex.mark(kTwoLetterWords, 7), twoLetters);
    EXPECT_EQ(lex.mark(kBingos, 6), 0);
    EXPECT_EQ(db.setSize, 0);
    lex.mark(kAllWords, 3);
    for (const std::string& w : lex.members())
        EXPECT_LE(w.size(), 3u);
}

TEST(WordSetCriteria, CustomSetLetters) {
    Lexicon lex;
    lex.open();
    lex.mark(kCustomSet, 0, 0, "jqxz", 0);
    EXPECT_EQ(lex.members(), (std::vector<std::string>{"jukebox", "queue", "quixotry"}));
    lex.mark(kCustomSet, 0, 1, "jqxz", 0);
    EXPECT_EQ(lex.members(), std::vector<std::string>{"queue"});
    EXPECT_EQ(lex.mark(kCustomSet, 0, 0, "", 0), 0);
    // Stored letters are free text: a byte that is no letter matches nothing.
    EXPECT_EQ(lex.mark(kCustomSet, 0, 0, "#\xE9", 0), 0);
    EXPECT_EQ(lex.mark(kCustomSet, 0, 0, "", 1), lex.mark(kAllWords, 0, 0));
}

TEST(WordSetCriteria, SaveWritesTheValuesInOrderToTheCurrentUser) {
    MemorySettingsStore store;
    ASSERT_TRUE(store.writeString("Settings", "UserName", "Ann/B"));
    store.writeLog.clear();
    CWordSetCriteria c;
    c.cannedWordSet = 5;
    c.maxWordLength = 7;
    c.validLetters = "bz";
    ASSERT_TRUE(c.save(store));
    const std::vector<std::string> log = {"Ann/B\\AllLetters=1",    "Ann/B\\Definitions=1",
                                          "Ann/B\\ValidLetters=bz", "Ann/B\\MaxWordLength=7",
                                          "Ann/B\\MinWordLength=2", "Ann/B\\CannedWordSet=5"};
    EXPECT_EQ(store.writeLog, log);

    CWordSetCriteria back;
    back.load(store);
    EXPECT_EQ(back.cannedWordSet, 5);
    EXPECT_EQ(back.maxWordLength, 7);
    EXPECT_EQ(back.validLetters, "bz");
    // Another user sees only his own values.
    store.writeString("Settings", "UserName", "Bob");
    back.load(store);
    EXPECT_EQ(back.cannedWordSet, 0);

    store.failWrites = true;
    EXPECT_FALSE(c.save(store));
}

TEST(WordSetCriteria, HostileStoredValuesReadAsDefaults) {
    MemorySettingsStore store;
    store.writeString("Default", "CannedWordSet", "-3");
    store.writeString("Default", "MaxWordLength", "-1");
    store.writeString("Default", "Definitions", "yes");
    store.writeString("Default", "AllLetters", "99999999999999999999");
    store.writeString("Default", "MinWordLength", " 4");
    CWordSetCriteria c;
    c.load(store);
    EXPECT_EQ(c.cannedWordSet, 0);
    EXPECT_EQ(c.maxWordLength, 0);
    EXPECT_EQ(c.definitions, 1);
    EXPECT_EQ(c.allLetters, 1);
    EXPECT_EQ(c.minWordLength, 2);
    store.writeString("Default", "CannedWordSet", "2147483647");
    store.writeString("Default", "MaxWordLength", "+2147483647");
    c.load(store);
    EXPECT_EQ(c.cannedWordSet, 2147483647);
    EXPECT_EQ(c.maxWordLength, 2147483647);
    EXPECT_EQ(c.name(), "jqxzAll");
    EXPECT_EQ(c.lengthLabel(), "-");
}

TEST(WordSetCriteria, NamesAndLengthLabels) {
    CWordSetCriteria c;
    c.cannedWordSet = kBingos;
    EXPECT_EQ(c.name(), "jqxzAllBingos");
    EXPECT_EQ(c.lengthLabel(), "7");
    c.allLetters = 0;
    c.validLetters = "jq";
    c.cannedWordSet = kCustomSet;
    EXPECT_EQ(c.name(), "jq");
    EXPECT_EQ(c.lengthLabel(), "-");
    c.maxWordLength = 4;
    EXPECT_EQ(c.lengthLabel(), "4");
    c.validLetters = "";
    EXPECT_EQ(c.name(), "");
    c.cannedWordSet = kAllWords;
    EXPECT_EQ(c.name(), "All");
    EXPECT_EQ(c.lengthLabel(), "-");
    c.cannedWordSet = kTwoLetterWords;
    EXPECT_EQ(c.lengthLabel(), "2");
    c.cannedWordSet = kErrors;
    EXPECT_EQ(c.name(), "Errors");
    c.cannedWordSet = 12; // no database bound: no title
    EXPECT_EQ(c.name(), "");
    EXPECT_EQ(c.lengthLabel(), "-");
    EXPECT_STREQ(builtInSetTitle(5), "High probability Bingos (seven letters)");
    EXPECT_STREQ(builtInSetTitle(12), "");
}

TEST(WordSetDraw, ASetOfThreeIsHandedOutOncePerPass) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    lex.node("red")->set(CWordNode::Missed);
    lex.node("green")->set(CWordNode::Missed);
    lex.node("blue")->set(CWordNode::Missed);
    ASSERT_EQ(lex.mark(kErrors), 3);
    seedRandom(7);
    std::set<std::string> drawn;
    for (int i = 0; i < 3; ++i) {
        CWordNode* n = drawRandomWord(db, lex.settings, true);
        ASSERT_NE(n, nullptr);
        EXPECT_TRUE(n->has(CWordNode::Drawn));
        drawn.insert(n->word());
    }
    EXPECT_EQ(drawn, (std::set<std::string>{"blue", "green", "red"}));
    EXPECT_EQ(db.drawnCount, 3);
    EXPECT_EQ(db.setCompleted, 0);

    CWordNode* again = drawRandomWord(db, lex.settings, true);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(drawn.count(again->word()));
    EXPECT_EQ(db.setCompleted, 1);
    EXPECT_EQ(db.drawnCount, 1);

    db.setCompleted = 0;
    drawRandomWord(db, lex.settings, false);
    drawRandomWord(db, lex.settings, false);
    EXPECT_EQ(drawRandomWord(db, lex.settings, false), nullptr);
    EXPECT_EQ(db.setCompleted, 1);
    EXPECT_EQ(db.drawnCount, 0);
    EXPECT_EQ(db.setSize, 3);
}

TEST(WordSetDraw, EveryMemberComesUpAndAnEmptySetGivesNone) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    const int size = lex.mark(kVowelHeavy);
    seedRandom(1234);
    std::set<std::string> seen;
    for (int i = 0; i < size; ++i)
        seen.insert(drawRandomWord(db, lex.settings, true)->word());
    EXPECT_EQ(static_cast<int>(seen.size()), size);

    ASSERT_EQ(lex.mark(kErrors), 0);
    EXPECT_EQ(drawRandomWord(db, lex.settings, true), nullptr);
    EXPECT_EQ(db.drawnCount, 0);
}

TEST(WordSetCount, PreviewCountsWithoutChangingAFlag) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    lex.mark(kBingos);
    lex.node("retains")->set(CWordNode::Drawn);
    lex.node("red")->set(CWordNode::Missed);
    CWordNode* slur = lex.node(kExpurgedWords[0]);
    slur->set(CWordNode::Missed);
    std::vector<std::uint16_t> before;
    for (CWordNode* n : db.inOrder())
        before.push_back(n->flags);
    const int setSize = db.setSize;

    EXPECT_EQ(countWordSet(db, 0, "", true, false, kErrors), 2); // expurged or not
    EXPECT_EQ(countWordSet(db, 3, "", true, false, kErrors),
              1 + (std::strlen(slur->word()) <= 3 ? 1 : 0));
    // The letters rule against a plain search of every entry.
    auto withLetters = [&](std::size_t maxLength, bool definitionsOnly) {
        int n = 0;
        for (CWordNode* e : db.inOrder())
            n += std::strpbrk(e->word(), "jqxz") &&
                 (!maxLength || std::strlen(e->word()) <= maxLength) &&
                 (!definitionsOnly || *e->definition());
        return n;
    };
    EXPECT_EQ(countWordSet(db, 0, "jqxz", false, false, kCustomSet), withLetters(0, false));
    EXPECT_EQ(countWordSet(db, 5, "jqxz", false, false, kCustomSet), withLetters(5, false));
    EXPECT_EQ(countWordSet(db, 0, "jqxz", false, true, kCustomSet), withLetters(0, true));
    EXPECT_EQ(countWordSet(db, 0, "", false, false, kCustomSet), 0);
    EXPECT_EQ(countWordSet(db, 0, "", true, false, 12), 0); // no user set loaded
    EXPECT_EQ(countWordSet(db, 0, "", true, false, kAllWords),
              static_cast<int>(db.inOrder().size()));

    std::vector<std::uint16_t> after;
    for (CWordNode* n : db.inOrder())
        after.push_back(n->flags);
    EXPECT_EQ(before, after);
    EXPECT_EQ(db.setSize, setSize);
}

// ---- User word set files ----

TEST(UserWordSet, ParsesTheThreeHeaderLinesAndTheWords) {
    CUserWordSet set;
    ASSERT_TRUE(set.parse("colors\r\nColours\r\n\r\nRed\r\nGREEN\r\nblue\r\n"));
    EXPECT_EQ(set.title, "colors");
    EXPECT_EQ(set.description, "Colours");
    EXPECT_EQ(set.words, "**red*green*blue**");
    EXPECT_TRUE(set.contains("green"));
    EXPECT_FALSE(set.contains("Green"));

    // LF-only ends with non-empty lines 2 and 3 give the same set.
    CUserWordSet lf;
    ASSERT_TRUE(lf.parse("colors\nColours\nignored\nred\ngreen\nblue\n"));
    CUserWordSet crlf;
    ASSERT_TRUE(crlf.parse("colors\r\nColours\r\nignored\r\nred\r\ngreen\r\nblue\r\n"));
    EXPECT_EQ(lf.words, crlf.words);
    EXPECT_EQ(lf.description, crlf.description);

    // With LF-only ends an empty line 3 is swallowed: red becomes line 3.
    CUserWordSet swallowed;
    ASSERT_TRUE(swallowed.parse("colors\nColours\n\nred\ngreen\nblue\n"));
    EXPECT_EQ(swallowed.words, "**green*blue**");
    EXPECT_FALSE(swallowed.contains("red"));
    EXPECT_TRUE(swallowed.contains("green"));

    // Any non-letter separates words; '*' ends a header line early.
    CUserWordSet mixed;
    ASSERT_TRUE(mixed.parse("my*title\rdesc\rx\rit's well-known, ok;done"));
    EXPECT_EQ(mixed.title, "my");
    EXPECT_EQ(mixed.description, "title");
    EXPECT_EQ(mixed.words, "**x*it*s*well*known*ok*done*");
    EXPECT_TRUE(mixed.contains("known"));
    EXPECT_FALSE(mixed.contains("wellknown"));
}

TEST(UserWordSet, RefusesFilesWithoutATitleOrThreeLines) {
    for (const char* text : {"", "title", "\ndesc\nx\nred\n", "title\ndesc", "title\r\ndesc\r\n"}) {
        CUserWordSet set;
        EXPECT_FALSE(set.parse(text)) << text;
        EXPECT_FALSE(set.loaded);
    }
    CUserWordSet noWords;
    ASSERT_TRUE(noWords.parse("t\nd\nx\n1, 2, 3\n"));
    EXPECT_EQ(noWords.wordCount(), 0);
    EXPECT_FALSE(noWords.contains(""));
    EXPECT_FALSE(noWords.contains("*"));
}

TEST(UserWordSet, NulAndNonAsciiBytesAreSafe) {
    // The text ends at a NUL: the words after it are not read.
    CUserWordSet nul;
    const char withNul[] = "t\nd\nx\nred\ngr\0een\nblue\n";
    ASSERT_TRUE(nul.parse(std::string(withNul, sizeof withNul - 1)));
    EXPECT_TRUE(nul.contains("red"));
    EXPECT_TRUE(nul.contains("gr"));
    EXPECT_FALSE(nul.contains("blue"));
    CUserWordSet cut;
    const char cutShort[] = "title\nde\0sc\nx\nred\n";
    EXPECT_FALSE(cut.parse(std::string(cutShort, sizeof cutShort - 1)));

    // Bytes above 127 stay in the header lines and separate words.
    CUserWordSet high;
    ASSERT_TRUE(high.parse("Caf\xC3\xA9s\n\xFF\xFE\nx\ncaf\xC3\xA9 na\xEFve \xC0RED\n"));
    EXPECT_EQ(high.title, "Caf\xC3\xA9s");
    EXPECT_EQ(high.description, "\xFF\xFE");
    EXPECT_EQ(high.words, "**caf*na*ve*red**");
    // Lookups of any length are safe.
    EXPECT_FALSE(high.contains(std::string(100000, 'a')));
    EXPECT_FALSE(high.contains("caf\xC3\xA9"));
}

TEST(UserWordSet, ScanLoadsSortedFilesAndSkipsFailures) {
    Lexicon lex;
    lex.dir.write("b.wordset", "colors\r\nColours\r\n\r\nRed\r\nReddish\r\nPurple\r\nblue\r\n");
    lex.dir.write("a.wordset", "\r\nno title\r\n\r\nred\r\n");
    lex.dir.write("c.wordset", "Warm ones\nhot colours\nnotes\nred\n");
    lex.dir.write("d.wordset", "");
    lex.dir.write("notes.txt", "t\nd\nx\nred\n");
    CWordDatabase& db = lex.open();

    const std::vector<std::string> failures = {"The word set \"a.wordset\" failed to load",
                                               "The word set \"d.wordset\" failed to load"};
    EXPECT_EQ(lex.ui.messages, failures);
    ASSERT_GE(lex.progress.ranges.size(), 1u);
    EXPECT_EQ(lex.progress.ranges.back(), 4);
    const std::vector<int> tail(lex.progress.positions.end() - 5, lex.progress.positions.end());
    EXPECT_EQ(tail, (std::vector<int>{0, 1, 2, 3, 4}));

    // The failed a.wordset takes no id: b is 12, c is 13.
    ASSERT_NE(findUserWordSet(db, 12), nullptr);
    EXPECT_EQ(findUserWordSet(db, 12)->title, "colors");
    EXPECT_EQ(findUserWordSet(db, 13)->title, "Warm ones");
    EXPECT_EQ(findUserWordSet(db, 14), nullptr);
    EXPECT_EQ(findUserWordSet(db, 11), nullptr);
    EXPECT_EQ(wordSetTitle(db, 13), "Warm ones: hot colours");
    EXPECT_EQ(wordSetTitle(db, 5), "High probability Bingos (seven letters)");
    EXPECT_EQ(wordSetTitle(db, 14), "");

    // Only the listed lexicon words: red and blue, not reddish's part red
    // alone, and purple (not in the lexicon) has no effect.
    lex.mark(12);
    EXPECT_EQ(lex.members(), (std::vector<std::string>{"blue", "red", "reddish"}));
    lex.mark(13);
    EXPECT_EQ(lex.members(), std::vector<std::string>{"red"});
    EXPECT_EQ(lex.mark(14), 0);
    EXPECT_EQ(countWordSet(db, 0, "", true, true, 12), 3);
    EXPECT_EQ(countWordSet(db, 4, "", true, true, 12), 2);

    CWordSetCriteria c;
    c.load(lex.settings, &db);
    c.cannedWordSet = 13;
    EXPECT_EQ(c.name(), "jqxzAllWarm ones");
}

TEST(UserWordSet, PartOfAListedWordIsNotAMember) {
    Lexicon lex;
    lex.dir.write("x.wordset", "reds\nx\nx\nreddish\n");
    CWordDatabase& db = lex.open();
    ASSERT_NE(findUserWordSet(db, 12), nullptr);
    lex.mark(12);
    EXPECT_EQ(lex.members(), std::vector<std::string>{"reddish"});
}

TEST(UserWordSet, NoFilesGiveAnEmptyRangeAndNoUserSets) {
    Lexicon lex;
    CWordDatabase& db = lex.open();
    EXPECT_TRUE(db.userWordSets.empty());
    ASSERT_FALSE(lex.progress.ranges.empty());
    EXPECT_EQ(lex.progress.ranges.back(), 0);
    EXPECT_EQ(lex.mark(12), 0);
    EXPECT_TRUE(lex.ui.messages.empty());
}

TEST(UserWordSet, AFileThatCannotBeReadIsNotLoaded) {
    Lexicon lex;
    CUserWordSet missing(realFileSystem(), lex.dir.file("missing.wordset"));
    EXPECT_FALSE(missing.loaded);
    // Too big to be a word set: refused before it is read.
    lex.dir.write("huge.wordset", "huge\nd\nx\nred\n");
    std::filesystem::resize_file(lex.dir.file("huge.wordset"), kMaxWordSetFileSize + 1);
    EXPECT_FALSE(CUserWordSet(realFileSystem(), lex.dir.file("huge.wordset")).loaded);
    std::filesystem::resize_file(lex.dir.file("huge.wordset"), kMaxWordSetFileSize);
    EXPECT_TRUE(CUserWordSet(realFileSystem(), lex.dir.file("huge.wordset")).loaded);
    std::filesystem::remove(lex.dir.file("huge.wordset"));
    CWordDatabase& db = lex.open();
    EXPECT_FALSE(loadUserWordSet(db, "missing.wordset"));
    EXPECT_EQ(lex.ui.messages.back(), "The word set \"missing.wordset\" failed to load");
    lex.dir.write("late.wordset", "late\nd\nx\nred\n");
    EXPECT_TRUE(loadUserWordSet(db, "late.wordset"));
    EXPECT_EQ(findUserWordSet(db, 12)->title, "late");
}

TEST(LexiconToolSets, ListsSetsAndMembersWithTheGivenCriteria) {
    TempDir dir;
    dir.write("words.txt", "retains\nqueue\nred\nreddish\njukebox\n");
    dir.write("defs.txt", "queue*a line*n**~\n");
    ASSERT_EQ(runTool(dir, "import words.txt defs.txt").first, 0);
    dir.write("x.wordset", "Some reds\nreds\n-\nred reddish blue\n");

    auto [status, out] = runTool(dir, "sets --definitions 0");
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\n5 1 High probability Bingos (seven letters)\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("\n12 2 Some reds: reds\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("\n13 "), std::string::npos);
    std::tie(status, out) = runTool(dir, "sets");
    EXPECT_NE(out.find("\n12 0 Some reds: reds\n"), std::string::npos) << out;

    EXPECT_EQ(runTool(dir, "members 12 --definitions 0").second, "red\nreddish\n");
    // Letters are taken in any case and order.
    EXPECT_EQ(runTool(dir, "members 1 --all-letters 0 --letters QX --definitions 0").second,
              runTool(dir, "members 1 --all-letters 0 --letters xq --definitions 0").second);
    EXPECT_EQ(runTool(dir, "members 1 --all-letters 0 --letters q --max 6").second, "queue\n");
    EXPECT_EQ(runTool(dir, "members 13").first, 2);
    EXPECT_EQ(runTool(dir, "members").first, 2);
    EXPECT_EQ(runTool(dir, "sets --max -1").first, 2);
    EXPECT_EQ(runTool(dir, "sets --letters a1").first, 2);
    EXPECT_EQ(runTool(dir, "sets --definitions").first, 2);
}

// The letter rules on the whole ENABLE list against a plain reading of them,
// so that the quick tests the marking walk does first never change a result.
TEST(WordSetCriteria, LetterRulesHoldOverTheWholeWordList) {
    const auto& words = enableWords();
    ASSERT_FALSE(words.empty()) << "lexicon/enable1.txt is missing";
    std::vector<WordEntry> entries;
    for (const std::string& w : words)
        entries.push_back({w.c_str(), "", "", ""});
    RecordingUi ui;
    DatabaseSetup s;
    s.ui = &ui;
    s.readWordList = false;
    s.records = &entries;
    CWordDatabase db(s);
    ASSERT_TRUE(db.loaded);

    auto vowels = [](const std::string& w) {
        return static_cast<int>(std::count_if(w.begin(), w.end(), [](char c) {
            return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
        }));
    };
    auto weight = [](const std::string& w) {
        static const int tiles[26] = {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2,
                                      6, 8, 2, 1, 6,  4, 6, 4, 2, 2, 1, 2, 1};
        int sum = 0;
        for (char c : w)
            sum += c >= 'a' && c <= 'z' ? tiles[c - 'a'] : 0;
        return sum;
    };
    auto expected = [&](int setId, const std::string& w) {
        const int n = static_cast<int>(w.size()), v = vowels(w);
        switch (setId) {
        case kBingos:
            return n == 7 && weight(w) > 51;
        case kConsonantHeavy:
            return (n == 6 || n == 7) && v == 1 && weight(w) > 19 * n / 4;
        default:
            return (n >= 1 && n <= 3 && v == n) || ((n == 4 || n == 5) && v == n - 1) ||
                   ((n == 6 || n == 7) && v == n - 2);
        }
    };
    MemorySettingsStore store;
    for (int setId : {kBingos, kConsonantHeavy, kVowelHeavy}) {
        CWordSetCriteria c;
        c.cannedWordSet = setId;
        c.definitions = 0;
        markWordSet(db, c, false, true);
        int mismatches = 0;
        for (CWordNode* n : db.inOrder())
            if (n->has(CWordNode::InWordSet) != expected(setId, n->word()) && ++mismatches < 5)
                ADD_FAILURE() << "set " << setId << ": " << n->word();
        EXPECT_EQ(mismatches, 0) << "set " << setId;
    }
}
