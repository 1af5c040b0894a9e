// Shared pieces of the fuzz targets and the seed maker: the check macro and
// the word list image helpers. The file system in memory and the recording
// user interface are the engine's and the tests' own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ChunkCodec.h"
#include "core/FileSystem.h"
#include "core/Host.h"
#include "core/MemoryFileSystem.h"
#include "tests/support/Recorders.h"

namespace zq::fuzz {

// Stops the run with a message when a property does not hold; libFuzzer
// records the input that did it.
#define ZQ_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

using Bytes = std::string;
using test::RecordingUi;

// Compresses `content` as a stream begun with `header` (end marker included).
inline Bytes compressBytes(const Bytes& content, std::uint16_t header) {
    Bytes out;
    MemoryStream stream(&out);
    {
        CChunkCodec codec(&stream);
        codec.open(CChunkCodec::Writing);
        codec.beginCompress(header);
        codec.write(content.data(), content.size());
        codec.finishCompress();
        codec.flush();
    }
    return out;
}

// The decompressed content of a word list: each record a chunk (16-bit length,
// then the text), closed by a zero length.
inline Bytes chunkContent(const std::vector<std::string>& records) {
    Bytes content;
    for (const std::string& r : records) {
        content += static_cast<char>(r.size() & 0xFF);
        content += static_cast<char>((r.size() >> 8) & 0xFF);
        content += r;
    }
    content += std::string(2, '\0');
    return content;
}

inline Bytes wordListImage(const Bytes& content, std::uint16_t header = 6) {
    Bytes file;
    file += static_cast<char>(header & 0xFF);
    file += static_cast<char>(header >> 8);
    return file + compressBytes(content, header);
}

} // namespace zq::fuzz
