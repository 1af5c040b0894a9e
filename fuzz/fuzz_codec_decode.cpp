// The decompressor, both ways: the streaming reader (CChunkCodec::read) and
// the whole-buffer decoder (decodeStream) must deliver the same bytes and the
// same verdict (end marker, truncated) for any stream. Input: a 16-bit
// little-endian header value, then the compressed stream.
#include "FuzzSupport.h"

using namespace zq;
using namespace zq::fuzz;

namespace {
// Decoded output beyond this is cut short by both readers.
constexpr std::size_t kLimit = 1 << 20;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto header = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    const Bytes stream(reinterpret_cast<const char*>(data) + 2, size - 2);

    // Whole buffer, starting from a small buffer so that it has to grow.
    DecodedStream whole;
    decodeStream(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size(), header,
                 size % 64, kLimit, whole);
    ZQ_FUZZ_CHECK(whole.size <= kLimit);
    ZQ_FUZZ_CHECK(whole.size <= whole.capacity);
    ZQ_FUZZ_CHECK(whole.endMarker + whole.truncated + whole.tooBig == 1);

    // Byte by byte through the streaming reader gives the exact length.
    MemoryStream in(stream);
    CChunkCodec codec(&in);
    ZQ_FUZZ_CHECK(codec.open(CChunkCodec::Reading));
    codec.beginCodec(header);
    Bytes streamed;
    char byte;
    while (streamed.size() <= kLimit && codec.read(&byte, 1) == 1)
        streamed += byte;

    if (whole.tooBig) {
        ZQ_FUZZ_CHECK(streamed.size() > whole.size);
        ZQ_FUZZ_CHECK(std::memcmp(streamed.data(), whole.data.get(), whole.size) == 0);
        return 0;
    }
    ZQ_FUZZ_CHECK(streamed.size() == whole.size);
    ZQ_FUZZ_CHECK(std::memcmp(streamed.data(), whole.data.get(), whole.size) == 0);
    ZQ_FUZZ_CHECK(codec.endMarkerSeen() == whole.endMarker);
    ZQ_FUZZ_CHECK(codec.truncated() == whole.truncated);

    // In blocks of an odd size that cross token boundaries: every full block
    // matches the same bytes.
    MemoryStream again(stream);
    CChunkCodec blocks(&again);
    ZQ_FUZZ_CHECK(blocks.open(CChunkCodec::Reading));
    blocks.beginCodec(header);
    const std::size_t blockSize = 1 + (header % 700);
    std::vector<char> buffer(blockSize);
    std::size_t at = 0;
    while (blocks.read(buffer.data(), blockSize) == blockSize) {
        ZQ_FUZZ_CHECK(at + blockSize <= streamed.size());
        ZQ_FUZZ_CHECK(std::memcmp(buffer.data(), streamed.data() + at, blockSize) == 0);
        at += blockSize;
    }
    ZQ_FUZZ_CHECK(streamed.size() - at < blockSize);
    return 0;
}
