#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Lexicons.h"
#include "core/MemoryFileSystem.h"
#include "core/Strings.h"

namespace zq {
namespace {

TEST(Lexicons, NamesThatStayInsideTheirFolder) {
    for (const char* good : {"Club24", "home-2023", "my_list", "a", "v1.2"})
        EXPECT_TRUE(isLexiconName(good)) << good;
    const std::string longest(kMaxLexiconName, 'x');
    EXPECT_TRUE(isLexiconName(longest));
    for (const std::string& bad :
         {std::string(), std::string(".."), std::string(".hidden"), std::string("a/b"),
          std::string("..\\up"), std::string("with space"), std::string("caf\xc3\xa9"),
          std::string("nul\0x", 5), longest + "x", std::string("/etc")})
        EXPECT_FALSE(isLexiconName(bad)) << bad;
}

TEST(Lexicons, FolderOfEachLexicon) {
    EXPECT_EQ(lexiconFolder("/home/u/Zq", ""), "/home/u/Zq");
    EXPECT_EQ(lexiconFolder("/home/u/Zq", "Club24"), "/home/u/Zq/lexicons/Club24");
    EXPECT_EQ(lexiconLabel(""), str::kLexiconDefaultName);
    EXPECT_EQ(lexiconLabel("Club24"), "Club24");
}

TEST(Lexicons, OnlyFoldersWithAWordListAreListed) {
    MemoryFileSystem fs;
    fs.files["w/word.lst"] = "x";
    fs.files["w/lexicons/b-list/word.lst"] = "x";
    fs.files["w/lexicons/b/word.lst"] = "x";
    fs.files["w/lexicons/b/study/anna/anagrams.db"] = "x";
    fs.files["w/lexicons/empty/notes.txt"] = "x";   // no word list
    fs.files["w/lexicons/bad name/word.lst"] = "x"; // not a lexicon name
    fs.files["w/lexicons/loose.lst"] = "x";         // a file, not a folder
    EXPECT_EQ(lexiconNames(fs, "w"), (std::vector<std::string>{"b", "b-list"}));
    EXPECT_TRUE(lexiconNames(fs, "elsewhere").empty());
}

TEST(Lexicons, SettingChoosesTheLexiconOrFallsBackWithAReason) {
    MemoryFileSystem fs;
    fs.files["w/word.lst"] = "x";
    fs.files["w/lexicons/Club24/word.lst"] = "x";

    LexiconChoice c = chooseLexicon(fs, "w", "Club24");
    EXPECT_EQ(c.name, "Club24");
    EXPECT_EQ(c.folder, "w/lexicons/Club24");
    EXPECT_EQ(c.problem, "");

    c = chooseLexicon(fs, "w", ""); // the default, silently
    EXPECT_EQ(c.name, "");
    EXPECT_EQ(c.folder, "w");
    EXPECT_EQ(c.problem, "");

    c = chooseLexicon(fs, "w", "Home2023"); // removed since it was chosen
    EXPECT_EQ(c.folder, "w");
    EXPECT_EQ(c.problem, str::withText(str::kLexiconMissing, "Home2023"));

    // A hostile setting never reaches outside the working folder, and is shown
    // back printable and short.
    c = chooseLexicon(fs, "w", "../../etc\n" + std::string(200, 'z'));
    EXPECT_EQ(c.name, "");
    EXPECT_EQ(c.folder, "w");
    EXPECT_NE(c.problem.find("../../etc?zzz"), std::string::npos) << c.problem;
    EXPECT_LT(c.problem.size(), std::string(str::kLexiconBadName).size() + kMaxLexiconName + 4);
}

TEST(Lexicons, RealFoldersAreListed) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("zq-lexicons-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "lexicons" / "mine");
    std::filesystem::create_directories(root / "lexicons" / "other");
    std::ofstream(root / "lexicons" / "mine" / "word.lst") << "x";
    std::ofstream(root / "lexicons" / "file.lst") << "x";
    EXPECT_EQ(lexiconNames(realFileSystem(), root.string()), (std::vector<std::string>{"mine"}));
    EXPECT_EQ(realFileSystem().folders((root / "lexicons").string()),
              (std::vector<std::string>{"mine", "other"}));
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace zq

namespace zq {
namespace {

TEST(Lexicons, RowsMarkTheLoadedOneAndTheNextStartsAndNamesAreSuggested) {
    MemoryFileSystem fs;
    fs.files["w/word.lst"] = "x";
    fs.files["w/lexicons/Club24/word.lst"] = "x";
    fs.files["w/lexicons/home/word.lst"] = "x";
    std::vector<LexiconRow> rows = lexiconRows(fs, "w", "", "Club24");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, std::string("ENABLE") + str::kLexiconLoadedNow);
    EXPECT_EQ(rows[1].text, std::string("Club24") + str::kLexiconAtStartUp);
    EXPECT_EQ(rows[2].text, "home");
    // A setting naming nothing usable starts with the default.
    rows = lexiconRows(fs, "w", "home", "gone");
    EXPECT_TRUE(rows[0].atStartUp);
    EXPECT_EQ(rows[2].text, std::string("home") + str::kLexiconLoadedNow);

    EXPECT_EQ(suggestedLexiconName("/lists/Club 2024 (new).txt"), "Club2024new");
    EXPECT_EQ(suggestedLexiconName("C:\\lists\\.hidden.txt"), "hidden");
    EXPECT_EQ(suggestedLexiconName("/lists/Enable.txt"), "mine");
    EXPECT_EQ(suggestedLexiconName("/lists/\xc3\xa9t\xc3\xa9"), "t");
    EXPECT_EQ(suggestedLexiconName(std::string(60, 'a') + ".txt"), std::string(40, 'a'));
}

} // namespace
} // namespace zq
