#include <gtest/gtest.h>

#include <random>

#include "core/ChunkCodec.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

struct Token {
    int literals;
    int match;
    int position;
    bool operator==(const Token&) const = default;
};

// Splits a compressed stream into its tokens (end marker excluded).
std::vector<Token> tokensOf(const Bytes& s) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size() && s[i] != 0) {
        const int t = s[i++];
        int literals = t >> 4;
        if (literals == 15) literals += s[i++];
        i += static_cast<std::size_t>(literals);
        int match = t & 15;
        int position = -1;
        if (match == 15)
            match = 18 + s[i++];
        else if (match)
            match += 3;
        if (match) {
            position = s[i] | (s[i + 1] << 8);
            i += 2;
        }
        out.push_back({literals, match, position});
    }
    return out;
}

Bytes randomBytes(std::size_t n, unsigned seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return out;
}

// The whole-buffer decoder's output for a stream.
Bytes decodeAll(const Bytes& stream, std::uint16_t header, bool* ended = nullptr,
                std::size_t initial = 16) {
    DecodedStream out;
    decodeStream(stream.data(), stream.size(), header, initial, 1u << 26, out);
    if (ended) *ended = out.endMarker && !out.truncated;
    return Bytes(out.data.get(), out.data.get() + out.size);
}

void expectRoundTrip(const Bytes& content, std::uint16_t header = 6) {
    bool ok = false;
    const Bytes stream = compress(content, header);
    const Bytes back = decompress(stream, header, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(back.size(), content.size());
    EXPECT_TRUE(back == content);
    bool ended = false;
    EXPECT_TRUE(decodeAll(stream, header, &ended) == content);
    EXPECT_TRUE(ended);
}

} // namespace

TEST(ChunkCodec, WorkedExamplesEncodeExactly) {
    Bytes record = {0x08, 0x00};
    for (char c : std::string("abc****~"))
        record.push_back(static_cast<std::uint8_t>(c));
    record.push_back(0);
    record.push_back(0);
    EXPECT_EQ(hex(compress(record)), "53 08 00 61 62 63 00 00 10 00 00");
    EXPECT_EQ(hex(compress(bytesOf("aaaaaaaaaacaaaaaaaaaac"))),
              "16 61 06 00 11 63 0c 00 04 0a 00 00");
    EXPECT_EQ(hex(compress(bytesOf("abcdefghabcdefghZ"))),
              "85 61 62 63 64 65 66 67 68 06 00 10 5a 00");
    EXPECT_EQ(hex(compress(bytesOf(std::string(100, 'x')))), "1f 78 51 06 00 00");
    EXPECT_EQ(hex(compress({})), "00");

    bool ok = false;
    EXPECT_EQ(decompress(compress(record), 6, &ok), record);
    EXPECT_TRUE(ok);
}

TEST(ChunkCodec, LiteralCountsAndMatchLengthsUseTheirExtensionBytes) {
    const Bytes r270 = randomBytes(270, 1);
    const Bytes s270 = compress(r270);
    ASSERT_EQ(s270.size(), 2u + 270u + 1u);
    EXPECT_EQ(s270[0], 0xF0);
    EXPECT_EQ(s270[1], 0xFF);
    EXPECT_EQ(hex({compress(randomBytes(15, 2))[0], compress(randomBytes(15, 2))[1]}), "f0 00");
    EXPECT_EQ(compress(randomBytes(14, 3))[0], 0xE0);

    // A run of 20 random bytes followed by a copy of its first L bytes.
    for (int length : {17, 18, 273}) {
        const Bytes source = randomBytes(300, 4);
        Bytes content(source.begin(), source.begin() + 20 + (length == 273 ? 280 : 0));
        content.insert(content.end(), source.begin(), source.begin() + length);
        const auto tokens = tokensOf(compress(content));
        ASSERT_FALSE(tokens.empty());
        EXPECT_EQ(tokens.back().match, length) << length;
        EXPECT_EQ(tokens.back().position, 6);
        expectRoundTrip(content);
    }
    const Bytes s17 = compress([] {
        Bytes b = randomBytes(20, 4);
        b.insert(b.end(), b.begin(), b.begin() + 17);
        return b;
    }());
    EXPECT_EQ(s17[0] & 15, 14);
}

TEST(ChunkCodec, LongRunsEmitMaximalMatchesAndLongLiteralRunsSplit) {
    // One byte repeated: the match source starts one position back.
    const Bytes run(1000, 'q');
    const auto tokens = tokensOf(compress(run));
    ASSERT_GE(tokens.size(), 4u);
    EXPECT_EQ(tokens[0], (Token{1, 273, 6}));
    expectRoundTrip(run);
    // 600 literals: two blocks of 270 ahead of the rest.
    const auto literals = tokensOf(compress(randomBytes(600, 5)));
    ASSERT_EQ(literals.size(), 3u);
    EXPECT_EQ(literals[0].literals, 270);
    EXPECT_EQ(literals[1].literals, 270);
    EXPECT_EQ(literals[2].literals, 60);
}

TEST(ChunkCodec, PrimedRecordEndingIsMatched) {
    // The first record's empty fields match the primed "****~" at position 0.
    const auto tokens = tokensOf(compress(bytesOf("xyzw****~")));
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0], (Token{4, 5, 0}));
}

TEST(ChunkCodec, CandidateDistanceLimit) {
    // A group 65,236 positions back is used; one 65,237 back is not.
    for (int gap : {65236, 65237}) {
        const Bytes group = {0xFF, 0xFE, 0xFD, 0xFC};
        Bytes content = group;
        // The group starts at window position 6 and ends before position 10; a
        // second copy ending `gap` positions after 10 finds it as candidate.
        content.resize(static_cast<std::size_t>(gap), 'A');
        content.insert(content.end(), group.begin(), group.end());
        content.push_back('B');
        const auto tokens = tokensOf(compress(content));
        bool matchedFirst = false;
        for (const Token& t : tokens)
            matchedFirst |= t.position == 6 && t.match >= 4;
        EXPECT_EQ(matchedFirst, gap == 65236) << gap;
        expectRoundTrip(content);
    }
}

TEST(ChunkCodec, HeadersOtherThanSixPrimeAccordingly) {
    for (std::uint16_t header : {0, 1, 3, 5, 6, 7, 300, 65535}) {
        expectRoundTrip(bytesOf("****~ abc****~ def****~"), header);
        expectRoundTrip(randomBytes(5000, header, 4), header);
    }
    // With header 0 nothing is primed: the same record has no match.
    EXPECT_EQ(tokensOf(compress(bytesOf("xyzw****~"), 0)).size(), 1u);
    EXPECT_EQ(tokensOf(compress(bytesOf("xyzw****~"), 0))[0].match, 0);
}

TEST(ChunkCodec, RoundTripsOfRepetitiveAndLargeData) {
    // Shapes that stress the switch to a longer candidate, matches longer than
    // 273 after a switch, and candidates near the end of the window.
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        Bytes content;
        const std::size_t target = round < 40 ? 2000 + rng() % 20000 : 70000 + rng() % 140000;
        const int alphabet = 2 + static_cast<int>(rng() % 6);
        while (content.size() < target) {
            const unsigned kind = rng() % 4;
            if (kind == 0 || content.size() < 10) {
                for (unsigned n = 1 + rng() % 40; n; --n)
                    content.push_back(static_cast<std::uint8_t>('a' + rng() % alphabet));
            } else if (kind == 1) {
                content.insert(content.end(), 1 + rng() % 600, static_cast<std::uint8_t>('a'));
            } else {
                // Copy an earlier stretch from near or far back.
                const std::size_t back =
                    kind == 2 ? 1 + rng() % std::min<std::size_t>(content.size(), 400)
                              : 1 + rng() % content.size();
                const std::size_t from = content.size() - back;
                const std::size_t n = 1 + rng() % 1200;
                for (std::size_t i = 0; i < n; ++i)
                    content.push_back(content[from + i]);
            }
        }
        SCOPED_TRACE(round);
        expectRoundTrip(content);
    }
}

TEST(ChunkCodec, TruncatedStreamsAreReportedNotOverread) {
    const Bytes content = bytesOf(std::string(5000, 'x') + "tail of the data");
    const Bytes stream = compress(content);
    for (std::size_t cut = 0; cut < stream.size(); ++cut) {
        bool ok = true;
        const Bytes part(stream.begin(), stream.begin() + static_cast<long>(cut));
        const Bytes back = decompress(part, 6, &ok);
        EXPECT_FALSE(ok) << cut;
        EXPECT_LE(back.size(), content.size());
        // Both decoders deliver the same bytes from a cut-off stream.
        bool ended = true;
        EXPECT_EQ(decodeAll(part, 6, &ended), back) << cut;
        EXPECT_FALSE(ended);
    }
}

TEST(ChunkCodec, WholeBufferDecoderRefusesOutputBeyondItsLimit) {
    const Bytes stream = compress(Bytes(100000, 'q'));
    DecodedStream out;
    decodeStream(stream.data(), stream.size(), 6, 16, 50000, out);
    EXPECT_TRUE(out.tooBig);
    EXPECT_LE(out.size, 50000u);
    decodeStream(stream.data(), stream.size(), 6, 16, 100000, out);
    EXPECT_FALSE(out.tooBig);
    EXPECT_EQ(out.size, 100000u);
}

TEST(ChunkCodec, RawModeBuffersReadsAndWrites) {
    MemoryStream out;
    {
        CChunkCodec codec(&out);
        ASSERT_TRUE(codec.open(CChunkCodec::Writing));
        const Bytes big = randomBytes(10000, 9);
        codec.write(big.data(), big.size());
        EXPECT_EQ(out.output().size(), 8192u); // two full buffers so far
    }
    EXPECT_EQ(out.output().size(), 10000u); // the destructor flushed the rest
    MemoryStream in(out.output());
    CChunkCodec reader(&in);
    ASSERT_TRUE(reader.open(CChunkCodec::Reading));
    Bytes back(10001);
    EXPECT_EQ(reader.read(back.data(), back.size()), 10000u);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.good());
    EXPECT_TRUE(reader.seek(0));
    EXPECT_TRUE(reader.good());
}

namespace {

// The compressor's hash of a four-byte group, to build inputs whose hash table
// entries are overwritten on purpose.
std::uint16_t groupHash(const std::uint8_t* g) {
    const unsigned p1 = g[0], p2 = g[1], p3 = g[2], p4 = g[3];
    return static_cast<std::uint16_t>(((((p2 ^ (p1 << 3)) << 5) ^ p3) << 3) ^ (p1 >> 5) ^ p4);
}

// Another group, of bytes 128..255, with the same hash.
Bytes collider(const std::uint8_t* g, std::mt19937& rng) {
    const std::uint16_t target = groupHash(g);
    for (;;) {
        Bytes c(4);
        for (auto& b : c)
            b = static_cast<std::uint8_t>(128 + rng() % 128);
        if (groupHash(c.data()) == target && !std::equal(c.begin(), c.end(), g)) return c;
    }
}

} // namespace

// A match that switches to a candidate 65,236 positions back after a run of
// 200 literals reaches further back than the window still holds: the backward
// comparison must stop where the candidate's bytes have been overwritten, or
// the decoder would copy different bytes.
TEST(ChunkCodec, SwitchToFarCandidateNeverReachesPastTheWindow) {
    std::mt19937 rng(11);
    auto letters = [&](std::size_t n) {
        Bytes b(n);
        for (auto& c : b)
            c = static_cast<std::uint8_t>('a' + rng() % 26);
        return b;
    };
    const Bytes a = letters(200), m = letters(100), tail = letters(50);
    const std::uint8_t e = a[0]; // makes the overwritten slot compare equal
    Bytes r = a;
    r.insert(r.end(), m.begin(), m.end());
    r.push_back(e);
    r.insert(r.end(), tail.begin(), tail.end());

    Bytes content = r;
    content.insert(content.end(), 2000, 'Z');
    // Overwrite the hash entries of a's groups (and those reaching into m) so
    // that a goes out as literals when it comes again.
    Bytes am = a;
    am.insert(am.end(), m.begin(), m.begin() + 3);
    for (std::size_t i = 0; i + 4 <= am.size(); ++i) {
        // A two-byte prefix unique to each collider ends any match before it,
        // so the collider's own group is always hashed.
        content.push_back(static_cast<std::uint8_t>(128 + i / 128));
        content.push_back(static_cast<std::uint8_t>(128 + i % 128));
        const Bytes c = collider(am.data() + i, rng);
        content.insert(content.end(), c.begin(), c.end());
        content.insert(content.end(), 5, 'Z');
    }
    // m again, with other bytes around it: m's groups now point here.
    content.push_back(a.back() == 'x' ? 'y' : 'x');
    content.insert(content.end(), m.begin(), m.end());
    content.push_back(e == 'q' ? 'r' : 'q');
    // Pad so that the final e ends exactly 65,236 positions after r's e.
    ASSERT_LT(content.size() + 300, 65236u + 300);
    content.insert(content.end(), 65236 - content.size(), 'Z');
    content.insert(content.end(), r.begin(), r.end());

    const auto tokens = tokensOf(compress(content));
    bool farMatch = false;
    for (const Token& t : tokens)
        farMatch |= t.position == 7 && t.match >= 273;
    EXPECT_TRUE(farMatch) << "the scenario did not reach the far candidate";
    expectRoundTrip(content);
}
