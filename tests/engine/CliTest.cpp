#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "tests/support/TestSupport.h"

using namespace zq::test;

namespace {

struct ToolRun {
    int status;
    std::string out;
};

// Runs the lexicon tool in `folder` with standard error folded into the output.
ToolRun tool(const TempDir& folder, const std::string& args) {
    const std::string command =
        "cd '" + folder.path() + "' && '" + std::string(ZQ_TOOL_PATH) + "' " + args + " 2>&1";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(LexiconTool, ImportVerifyExportAndSearch) {
    TempDir dir;
    dir.write("words.txt", "cat\nact\ntac\nzebra\nquiz\n");
    dir.write("defs.txt", "cat*a small feline*n*kitty*~\n");
    ToolRun r = tool(dir, "import words.txt defs.txt");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("5 records"), std::string::npos);

    r = tool(dir, "verify");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("entries: 305"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("expurged: 204"), std::string::npos);
    EXPECT_NE(r.out.find("tree height:"), std::string::npos);

    r = tool(dir, "export -");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\nact****~\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\ncat*a small feline*n*kitty*~\n"), std::string::npos);
    EXPECT_NE(r.out.find("*expurged*expurged**~\n"), std::string::npos);
    EXPECT_EQ(tool(dir, "export").status, 0);
    EXPECT_TRUE(dir.exists("backup.lst"));

    r = tool(dir, "anagram TCA");
    EXPECT_EQ(r.out, "act : 5\ncat : 5\ntac : 5\nat : 2\nta : 2\n");
    r = tool(dir, "anagram 'qui ' 'q   '");
    EXPECT_EQ(r.out, "quiz : 12\n");
    r = tool(dir, "best 'qui '");
    EXPECT_EQ(r.out, "quiz 22\n");
    r = tool(dir, "best xyz");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

// Records with '~' in their fields, no-break spaces and Latin-1 bytes come
// back from export exactly as import took them.
TEST(LexiconTool, ImportAndExportGiveRecordsBackByteForByte) {
    TempDir dir;
    const std::string records = "cafe*a coffee house (caf\xe9)*n**~\n"
                                "spaced*with a no-break\xc2\xa0space*adj**~\n"
                                "tilde*approx. ~5 cm*n**~\n"
                                "wavy*~*~*~~*~\n";
    dir.write("records.txt", records);
    ASSERT_EQ(tool(dir, "import records.txt").status, 0);
    const ToolRun r = tool(dir, "export -");
    ASSERT_EQ(r.status, 0);
    const std::string out = "\n" + r.out;
    for (std::size_t at = 0, eol; (eol = records.find('\n', at)) != std::string::npos; at = eol + 1)
        EXPECT_NE(out.find("\n" + records.substr(at, eol + 1 - at)), std::string::npos)
            << records.substr(at, eol - at);
}

TEST(LexiconTool, ErrorsGoToStandardErrorWithAFailingStatus) {
    TempDir dir;
    EXPECT_EQ(tool(dir, "verify").status, 1); // no word.lst
    EXPECT_NE(tool(dir, "verify").out.find("needs to be in the same folder"), std::string::npos);
    dir.write("bad.txt", "cat\nca*t\n");
    ToolRun r = tool(dir, "import bad.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "bad.txt:2: expected word*definition*part of speech*synonym*~\n");
    EXPECT_FALSE(dir.exists("word.lst"));
    EXPECT_EQ(tool(dir, "anagram abc1").status, 2);
    EXPECT_EQ(tool(dir, "frobnicate").status, 2);
    r = tool(dir, "--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: zendraquil-lex"), std::string::npos);
    dir.write("word.lst", std::string("\x06\x00garbage", 9));
    r = tool(dir, "verify");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("is damaged"), std::string::npos);
}
