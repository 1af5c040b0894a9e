// Writes the seed corpus of every fuzz target from the project's own data: the
// word.lst that lexicon/build.sh made, the sample word sets, the curated
// entries, and hand-made edge cases.
//
//   make_seeds OUTPUT_FOLDER WORD_LST DATA_FOLDER ENTRIES_FILE
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include "FuzzSupport.h"
#include "core/WordDatabase.h"

using namespace zq;
using namespace zq::fuzz;
namespace fs = std::filesystem;

namespace {

// Seeds stay small so that the targets run fast; libFuzzer's inputs stay
// below 4,096 bytes by default.
constexpr std::size_t kSeedSize = 4000;

fs::path g_out;

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path dir = g_out / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes header(std::uint16_t value) {
    return Bytes{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::vector<std::string> lines(const Bytes& text, std::size_t max) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size() && out.size() < max) {
        std::size_t eol = text.find('\n', from);
        if (eol == std::string::npos) eol = text.size();
        out.push_back(text.substr(from, eol - from));
        from = eol + 1;
    }
    return out;
}

std::string joined(const std::vector<std::string>& items, std::size_t from, std::size_t count) {
    std::string out;
    for (std::size_t i = from; i < items.size() && i < from + count; ++i)
        out += items[i] + '\n';
    return out;
}

// The records of a word list image, in file order.
std::vector<std::string> recordsOf(const Bytes& file) {
    std::vector<std::string> records;
    if (file.size() < 2) return records;
    DecodedStream content;
    decodeStream(reinterpret_cast<const std::uint8_t*>(file.data()) + 2, file.size() - 2,
                 static_cast<std::uint16_t>(static_cast<std::uint8_t>(file[0]) |
                                            (static_cast<std::uint8_t>(file[1]) << 8)),
                 file.size() * 3, kMaxWordListText, content);
    std::size_t at = 0;
    while (at + 2 <= content.size) {
        const std::size_t n = static_cast<std::uint8_t>(content.data[at]) |
                              (static_cast<std::uint8_t>(content.data[at + 1]) << 8);
        at += 2;
        if (n == 0 || at + n > content.size) break;
        records.emplace_back(content.data.get() + at, n);
        at += n;
    }
    return records;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make_seeds OUTPUT_FOLDER WORD_LST DATA_FOLDER ENTRIES_FILE\n";
        return 2;
    }
    g_out = argv[1];
    const Bytes wordList = readFile(argv[2]);
    const std::vector<std::string> real = recordsOf(wordList);
    if (real.size() < 1000) {
        std::cerr << "make_seeds: " << argv[2] << " holds " << real.size() << " records\n";
        return 1;
    }
    const Bytes entriesText = readFile(argv[4]);
    const std::vector<std::string> entries = lines(entriesText, 100000);
    std::mt19937 rng(12345);
    auto randomBytes = [&](std::size_t n) {
        Bytes b(n, '\0');
        for (char& c : b)
            c = static_cast<char>(rng() & 0xFF);
        return b;
    };
    // Records picked across the whole list, in the file's order (the saved
    // order: parents before children).
    auto sample = [&](std::size_t count, std::size_t stride) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < real.size() && out.size() < count; i += stride)
            out.push_back(real[i]);
        return out;
    };
    const std::vector<std::string> synonyms = {"abamp*a unit of current*unit*abampere*~",
                                               "abampere*a unit of current*unit*abamp*~",
                                               "big*large*adj*huge*~",
                                               "huge*very big*adj*big*~",
                                               "large*big*adj*huge*~",
                                               "lone*alone*adj*nowhere*~"};
    const std::vector<std::string> edge = {"delete*delete***~",
                                           "zebra*delete***~",
                                           "shit*expurged*expurged**~",
                                           "me*root***~",
                                           "aa*replaced two-letter word*n**~",
                                           "x*one letter***~",
                                           "UPPER*upper case***~",
                                           "caf\xC3\xA9*non-ASCII***~",
                                           "tilde*a~b*n*c~d*~",
                                           "empty*****~"};

    // Contents of the kind the codec carries, and edge cases of its format:
    // empty, one byte, long runs (matches of full length, overlapping copies),
    // more than the 65,536-byte window (the positions wrap), literal runs
    // longer than 270 bytes.
    std::vector<std::pair<std::string, Bytes>> contents = {
        {"empty", ""},
        {"one", "a"},
        {"run", Bytes(3000, 'a')},
        {"pattern", ""},
        {"wrap", ""},
        {"literals", randomBytes(900)},
        {"records", chunkContent(sample(60, 2000))},
        {"primer", "****~****~*~~**"},
    };
    for (int i = 0; i < 300; ++i)
        contents[3].second += "abcdefghij"[i % 10] + std::to_string(i % 7);
    for (int i = 0; i < 70000; ++i)
        contents[4].second += static_cast<char>('a' + (i / 3) % 26);
    for (const auto& [name, content] : contents) {
        for (std::uint16_t h :
             {std::uint16_t{6}, std::uint16_t{0}, std::uint16_t{3}, std::uint16_t{65535}}) {
            const std::string tag = name + "-h" + std::to_string(h);
            const Bytes packed = header(h) + compressBytes(content, h);
            if (packed.size() <= kSeedSize) seed("fuzz_codec_decode", tag, packed);
            if (content.size() + 2 <= kSeedSize)
                seed("fuzz_codec_roundtrip", tag, header(h) + content);
        }
    }
    seed("fuzz_codec_decode", "real-prefix", wordList.substr(0, kSeedSize));
    seed("fuzz_codec_decode", "garbage", randomBytes(600));
    seed("fuzz_codec_roundtrip", "real-content",
         header(6) + chunkContent(std::vector<std::string>(real.begin(), real.begin() + 80)));

    // Word lists: the real one cut short, samples of its records, synonym
    // rings, delete and expurged records, a record over several chunks, a
    // list in word order (the deep tree), and broken framing.
    auto list = [&](const std::string& name, const std::vector<std::string>& records) {
        seed("fuzz_wordlist_load", name, wordListImage(chunkContent(records)));
    };
    seed("fuzz_wordlist_load", "real-prefix", wordList.substr(0, kSeedSize));
    list("sample-20", sample(20, 8000));
    list("sample-60", sample(60, 2500));
    list("first-40", std::vector<std::string>(real.begin(), real.begin() + 40));
    list("synonyms", synonyms);
    list("edge", edge);
    std::vector<std::string> sorted = sample(80, 2000);
    std::sort(sorted.begin(), sorted.end());
    list("sorted", sorted);
    {
        const std::string record = "spanning*a record cut over three chunks*n*span*~";
        Bytes content;
        for (const std::string& piece :
             {record.substr(0, 5), record.substr(5, 20), record.substr(25) + "next*second*n**~"}) {
            content += static_cast<char>(piece.size());
            content += '\0';
            content += piece;
        }
        content += std::string(2, '\0');
        seed("fuzz_wordlist_load", "spanning", wordListImage(content));
        seed("fuzz_wordlist_load", "no-end-chunk",
             wordListImage(content.substr(0, content.size() - 2)));
        seed("fuzz_wordlist_load", "several-per-chunk",
             wordListImage(chunkContent({joined(sample(10, 9000), 0, 10)})));
    }
    seed("fuzz_wordlist_load", "header-7", wordListImage(chunkContent(sample(10, 9000)), 7));
    seed("fuzz_wordlist_load", "empty", "");
    seed("fuzz_wordlist_load", "header-only", header(6));
    seed("fuzz_wordlist_load", "no-records", wordListImage(std::string(2, '\0')));
    seed("fuzz_wordlist_load", "negative-length",
         wordListImage(Bytes("\xF0\xFF", 2) + "abc*d*e*f*~" + std::string(2, '\0')));
    seed("fuzz_wordlist_load", "nul-in-record",
         wordListImage(chunkContent({std::string("ab\0c*d*e*f*~", 12)})));

    // Record lists and record lines: the curated entries, bare words, and
    // lines that must be refused.
    std::vector<std::string> bare;
    for (std::size_t i = 0; i < real.size() && bare.size() < 200; i += 700)
        bare.push_back(real[i].substr(0, real[i].find('*')));
    for (std::size_t i = 0; i + 40 <= entries.size() && i < 6000; i += 1500)
        seed("fuzz_records_roundtrip", "entries-" + std::to_string(i), joined(entries, i, 40));
    seed("fuzz_records_roundtrip", "bare-sorted", joined(bare, 0, 200));
    seed("fuzz_records_roundtrip", "synonyms", joined(synonyms, 0, synonyms.size()));
    seed("fuzz_records_roundtrip", "edge", joined(edge, 0, edge.size()));
    for (std::size_t i = 0; i < entries.size() && i < 6000; i += 600)
        seed("fuzz_import_line", "entry-" + std::to_string(i), entries[i]);
    const std::vector<std::pair<std::string, std::string>> badLines = {
        {"bare", "zebra"},
        {"crlf", "zebra*a striped horse*n**~\r"},
        {"blank", ""},
        {"short", "ab*two letters*n**~"},
        {"missing-field", "zebra*a striped horse*n*~"},
        {"extra-field", "zebra*a*n*b*c*~"},
        {"no-tilde", "zebra*a*n*b*"},
        {"upper", "Zebra*a*n**~"},
        {"long", "longword*" + std::string(33000, 'd') + "*n**~"},
        {"file", joined(entries, 100, 30) + "zebra\nzebra\nbad*line\n\r\n"},
    };
    for (const auto& [name, line] : badLines)
        seed("fuzz_import_line", name, line.substr(0, kSeedSize));

    // Search patterns, each with a few words to match.
    const std::string sampleWords = "cat\ncats\nscat\nact\nzebra\nqi\nreread\n\nabc1\n";
    const std::pair<const char*, std::string> patterns[] = {
        {"plain", "cat"},     {"any", "c?t"},       {"stars", "*a*"},
        {"class", "[cs]*"},   {"negated", "[^c]*"}, {"range", "[a-e]?[s-z]*"},
        {"bad-class", "[ab"}, {"upper", "CA*"},     {"many-stars", "*e*e*a*"},
    };
    for (const auto& [name, pattern] : patterns)
        seed("fuzz_search_pattern", name, pattern + std::string(1, '\0') + sampleWords);

    // Players' word lists: the encodings and line ends a list may come in.
    {
        const std::string words = "# a list\nAA\nqi\n\nza\nca t\nzebra\ncaf\xe9\n";
        std::string crlf;
        for (char c : words)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        std::string wide = "\xff\xfe";
        for (char c : crlf)
            wide += std::string(1, c) + std::string(1, '\0');
        seed("fuzz_player_list", "latin1", words);
        seed("fuzz_player_list", "utf8-bom", "\xef\xbb\xbf" + words);
        seed("fuzz_player_list", "crlf", crlf);
        seed("fuzz_player_list", "utf16le", wide);
    }

    // Word set files: the samples, and their variants.
    for (const auto& file : fs::directory_iterator(argv[3])) {
        if (file.path().extension() != ".wordset") continue;
        const Bytes text = readFile(file.path()).substr(0, kSeedSize);
        const std::string name = file.path().stem().string();
        seed("fuzz_wordset", name, text);
        Bytes lf = text;
        lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
        seed("fuzz_wordset", name + "-lf", lf);
    }
    seed("fuzz_wordset", "stars", "title*description*ignored*red*GREEN*blue**reddish*");
    seed("fuzz_wordset", "title-only", "title\r\n");
    seed("fuzz_wordset", "nul", std::string("t\r\nd\r\n-\r\nred\0green\r\n", 20));
    seed("fuzz_wordset", "long-word", "t\nd\n-\n" + std::string(300, 'q') + "\nq\n");

    // Settings for the statistics: user name, index, records, word set values.
    const std::vector<std::pair<std::string, std::string>> stats = {
        {"plain", "Default\n3\nmy_set 7 10 80% 9.5 Yes\njqxzAll - 20 55% 12 No\n\n"
                  "Bingos 7 1 100% 3 Yes\n"},
        {"garbage", "B[o]b=1\\/x\n-5\n\n   \n_ _ _\na b c d e f g h\n\xFF\xFE\n0\n"},
        {"full", "u\n19\n" + joined(std::vector<std::string>(20, "s 7 1 0% 0.5 No"), 0, 20) +
                     "5\n-1\n2\n1\n0\njqxz\n"},
        {"huge", "caf\xC3\xA9\n2147483648\nx\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"
                 "99999999999\n-2147483648\nabc\n+7\n 1\n" +
                     std::string(500, '!') + "\n"},
    };
    for (const auto& [name, text] : stats)
        seed("fuzz_statistics", name, text);
    std::cout << "seed corpora written to " << g_out.string() << "\n";
    return 0;
}
