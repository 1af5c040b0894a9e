// Any bytes compressed and then decompressed give the same bytes, through both
// decoders. Input: a 16-bit little-endian header value, then the content; the
// content is written in pieces of varying size, as the save writes records.
#include "FuzzSupport.h"

using namespace zq;
using namespace zq::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto header = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    const Bytes content(reinterpret_cast<const char*>(data) + 2, size - 2);

    Bytes compressed;
    MemoryStream out(&compressed);
    {
        CChunkCodec codec(&out);
        ZQ_FUZZ_CHECK(codec.open(CChunkCodec::Writing));
        codec.beginCompress(header);
        std::size_t at = 0, piece = 1;
        while (at < content.size()) {
            const std::size_t n = std::min(piece, content.size() - at);
            ZQ_FUZZ_CHECK(codec.write(content.data() + at, n) == n);
            at += n;
            piece = piece * 7 % 301 + 1;
        }
        codec.finishCompress();
        codec.flush();
        ZQ_FUZZ_CHECK(!codec.writeFailed());
    }

    DecodedStream whole;
    decodeStream(reinterpret_cast<const std::uint8_t*>(compressed.data()), compressed.size(),
                 header, 16, content.size() + 1, whole);
    ZQ_FUZZ_CHECK(whole.endMarker);
    ZQ_FUZZ_CHECK(whole.size == content.size());
    ZQ_FUZZ_CHECK(std::memcmp(whole.data.get(), content.data(), content.size()) == 0);

    MemoryStream in(compressed);
    CChunkCodec codec(&in);
    ZQ_FUZZ_CHECK(codec.open(CChunkCodec::Reading));
    codec.beginCodec(header);
    Bytes streamed(content.size(), '\0');
    ZQ_FUZZ_CHECK(codec.read(streamed.data(), streamed.size()) == streamed.size());
    ZQ_FUZZ_CHECK(streamed == content);
    char extra;
    ZQ_FUZZ_CHECK(codec.read(&extra, 1) == 0);
    ZQ_FUZZ_CHECK(codec.endMarkerSeen() && !codec.truncated());
    return 0;
}
