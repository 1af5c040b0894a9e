// A player's own word list as it arrives: encodings, line ends, case,
// comments and refused lines; hostile files refused whole.
#include <gtest/gtest.h>

#include "core/MemoryFileSystem.h"
#include "core/PlayerWordList.h"

using namespace zq;

namespace {

std::string utf16(const std::u16string& text, bool littleEndian) {
    std::string out = littleEndian ? std::string("\xff\xfe") : std::string("\xfe\xff");
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xff), hi = static_cast<char>(c >> 8);
        out += littleEndian ? lo : hi;
        out += littleEndian ? hi : lo;
    }
    return out;
}

// A file system whose one file claims a size and must never be read.
class HugeFile final : public FileSystem {
  public:
    std::unique_ptr<ByteStream> openRead(const std::string&) override {
        ADD_FAILURE() << "a file past the size bound was read";
        return nullptr;
    }
    std::unique_ptr<ByteStream> create(const std::string&) override { return nullptr; }
    std::optional<std::int64_t> fileSize(const std::string&) override { return 2LL << 30; }
    bool exists(const std::string&) override { return true; }
    bool replace(const std::string&, const std::string&) override { return false; }
    bool copy(const std::string&, const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
    std::vector<std::string> list(const std::string&, const std::string&) override { return {}; }
};

} // namespace

// UTF-16 with CRLF (either byte order), any case, blanks and comments; bad
// lines counted and named with their line numbers; duplicates kept once.
TEST(PlayerWordList, Utf16WithCrlfAndBadLines) {
    const std::u16string text =
        u"# my list\r\nQI\r\n  za \r\n\r\nCat\r\nca t\r\nna\u00efve\r\nx\r\n"
        u"qi\r\n12\r\nzzz";
    for (bool little : {true, false}) {
        const PlayerWordList l = parsePlayerWordList(utf16(text, little));
        EXPECT_STREQ(l.encoding, little ? "UTF-16LE" : "UTF-16BE");
        EXPECT_TRUE(l.error.empty()) << l.error;
        EXPECT_EQ(l.words, (std::vector<std::string>{"cat", "qi", "za", "zzz"}));
        EXPECT_EQ(l.lines, 11);
        EXPECT_EQ(l.skipped, 2);
        EXPECT_EQ(l.duplicates, 1);
        EXPECT_EQ(l.refused, 4);
        ASSERT_EQ(l.firstRefused.size(), 4u);
        EXPECT_EQ(l.firstRefused[0].line, 6);
        EXPECT_EQ(l.firstRefused[0].text, "ca t");
        EXPECT_EQ(l.firstRefused[1].line, 7);
        EXPECT_EQ(l.firstRefused[1].text, "na\xc3\xafve");
        EXPECT_EQ(l.firstRefused[2].line, 8); // one letter
        EXPECT_EQ(l.firstRefused[3].line, 10);
    }
}

// UTF-8 with or without its mark, and Latin-1 told from it by its bytes.
TEST(PlayerWordList, Utf8AndLatin1) {
    const PlayerWordList marked = parsePlayerWordList("\xef\xbb\xbf"
                                                      "aa\ncaf\xc3\xa9\nab\n");
    EXPECT_STREQ(marked.encoding, "UTF-8");
    EXPECT_EQ(marked.words, (std::vector<std::string>{"aa", "ab"}));
    ASSERT_EQ(marked.firstRefused.size(), 1u);
    EXPECT_EQ(marked.firstRefused[0].text, "caf\xc3\xa9");
    const PlayerWordList latin = parsePlayerWordList("aa\ncaf\xe9\nab");
    EXPECT_STREQ(latin.encoding, "Latin-1");
    EXPECT_EQ(latin.words, (std::vector<std::string>{"aa", "ab"}));
    ASSERT_EQ(latin.firstRefused.size(), 1u);
    EXPECT_EQ(latin.firstRefused[0].text, "caf\xc3\xa9"); // shown as UTF-8
    // Only the first twenty refusals are kept; all are counted.
    std::string many = "word\n";
    for (int i = 0; i < 30; ++i)
        many += "b@d\n";
    for (int i = 0; i < 40; ++i)
        many += "ok" + std::string(1, static_cast<char>('a' + i % 26)) +
                std::string(1, static_cast<char>('a' + i / 26)) + "\n";
    const PlayerWordList l = parsePlayerWordList(many);
    EXPECT_TRUE(l.error.empty()) << l.error;
    EXPECT_EQ(l.refused, 30);
    EXPECT_EQ(l.firstRefused.size(), 20u);
    EXPECT_EQ(l.firstRefused.back().line, 21);
}

// Hostile files are refused whole, with the reason, and nothing is kept.
TEST(PlayerWordList, HostileFilesAreRefusedWhole) {
    const auto refused = [](const std::string& bytes) {
        const PlayerWordList l = parsePlayerWordList(bytes);
        EXPECT_TRUE(l.words.empty());
        return l.error;
    };
    EXPECT_EQ(refused(std::string("cat\ndog\0\0\x01\x02", 11)),
              "the file holds binary data, not lines of text");
    EXPECT_EQ(refused(utf16(std::u16string(u"cat\r\ndo\0g", 9), true)),
              "the file holds binary data, not lines of text");
    EXPECT_EQ(refused(""), "the file holds no words");
    EXPECT_EQ(refused("# only a comment\n\n\n"), "the file holds no words");
    std::string noise = "cat\n";
    for (int i = 0; i < 200; ++i)
        noise += "\x01\x7f\x1b[0m\xff\n";
    EXPECT_EQ(refused(noise),
              "most lines of the file are not words; it does not look like a word list");
    std::string lines;
    lines.reserve(20000000);
    for (int i = 0; i < 10000000; ++i)
        lines += "a\n";
    EXPECT_EQ(refused(lines), "the file has more than 2,000,000 lines");

    HugeFile huge;
    const PlayerWordList l = readPlayerWordList(huge, "/big.txt");
    EXPECT_EQ(l.error, "the file is larger than a word list can be (64 MB at most)");
    MemoryFileSystem none;
    EXPECT_EQ(readPlayerWordList(none, "/missing.txt").error, "the file cannot be read");
}

// More words than the pool may hold is refused, not cut short.
TEST(PlayerWordList, MoreThanAMillionWordsIsRefused) {
    std::string text;
    text.reserve(9000000);
    for (int i = 0; i <= PlayerWordList::kMaxWords; ++i) {
        std::string w;
        for (int n = i; n || w.size() < 5; n /= 26)
            w += static_cast<char>('a' + n % 26);
        text += w + "\n";
    }
    const PlayerWordList l = parsePlayerWordList(text);
    EXPECT_EQ(l.error, "the file holds more than 1,000,000 words");
    EXPECT_TRUE(l.words.empty());
}
