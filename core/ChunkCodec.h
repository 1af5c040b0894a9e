#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/FileSystem.h"

namespace zq {

// Buffered binary stream with the word list's compressor and decompressor: an
// LZ77-style coder with a 65,536-byte ring window addressed by 16-bit
// positions, a single-candidate hash table of four-byte groups, literal runs of
// up to 270 bytes and matches of 4 to 273 bytes.
//
// Stream format: tokens. Token byte T (0 = end marker); literal count T >> 4
// (15 = 15 + next byte); the literals; match code T & 15 (0 = none, 1..14 =
// length + 3, 15 = 18 + next byte); for a match its 16-bit little-endian
// absolute window source position. Every output byte also enters the window.
// Both sides start with "****~" primed at window position 0 and the position
// counter at the 16-bit header value.
class CChunkCodec {
  public:
    enum Direction { Writing = 0, Reading = 1 };
    static constexpr int kRawBufferSize = 4096;
    static constexpr int kMaxLiterals = 270;
    static constexpr int kMaxMatch = 273;

    explicit CChunkCodec(ByteStream* stream);
    virtual ~CChunkCodec();
    CChunkCodec(const CChunkCodec&) = delete;
    CChunkCodec& operator=(const CChunkCodec&) = delete;

    bool open(Direction direction);

    virtual std::int64_t tell();
    virtual bool seek(std::int64_t position);
    virtual void flush();
    virtual bool good() const { return endOfData == 0; }
    virtual bool atEnd() const { return endOfData != 0; }
    virtual void beginCompress(std::uint16_t header);
    virtual void beginCodec(std::uint16_t header);
    virtual void finishCompress();
    virtual void finishDecompress();
    // Compresses while active, otherwise writes raw. Returns `count`.
    virtual std::size_t write(const void* bytes, std::size_t count);
    // Decompresses while active: returns `count`, or 0 when the end marker or
    // the end of the data came first (the bytes decoded so far are delivered).
    // Reads raw otherwise and returns the number of bytes read.
    virtual std::size_t read(void* bytes, std::size_t count);

    // A write to the underlying stream came up short.
    bool writeFailed() const { return writeFailed_; }
    // Decompressing met the end of the data inside a token or before the end
    // marker: the stream is truncated or damaged.
    bool truncated() const { return truncated_; }
    // Decompressing met the end marker.
    bool endMarkerSeen() const { return endMarker_; }

  private:
    std::size_t rawRead(void* bytes, std::size_t count);
    void rawWrite(const void* bytes, std::size_t count);
    void rawPut(std::uint8_t byte) { rawWrite(&byte, 1); }
    bool rawGet(std::uint8_t& byte) { return rawRead(&byte, 1) == 1; }
    void prime(std::uint16_t header, bool hashGroups);
    std::uint16_t hashAt(std::uint16_t end) const;
    void compressByte(std::uint8_t c);
    int backwardLength(std::uint16_t candidate) const;
    bool emit(bool final);
    bool decodeToken();

    // Field order follows the format's description of the codec state.
    int active = 0;
    std::unique_ptr<std::uint8_t[]> window;
    std::uint16_t position = 0;
    // Wider than 16 bits: after a switch to a candidate that reaches far back a
    // match can be longer than 273 until it is split on emission.
    std::uint32_t matchLength = 0;
    std::uint32_t pendingCount = 0;
    std::unique_ptr<std::uint16_t[]> hashTable;
    std::uint16_t matchPosition = 0;
    ByteStream* stream;
    int endOfData = 0;
    int direction = Reading;
    int bufferSize = kRawBufferSize;
    std::uint8_t* cursor = nullptr;
    std::uint8_t* end = nullptr;
    std::unique_ptr<std::uint8_t[]> start;

    bool writeFailed_ = false;
    bool truncated_ = false;
    bool endMarker_ = false;
};

// Decodes a whole compressed stream held in memory, the same bytes as reading
// it through CChunkCodec, straight into one buffer. The buffer grows as needed
// up to `limit` bytes.
struct DecodedStream {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::size_t capacity = 0;
    bool endMarker = false; // the stream ended with its end marker
    bool truncated = false; // the data ended inside a token or before the marker
    bool tooBig = false;    // decoding would pass the limit

    // Makes room for `more` bytes after the decoded ones without passing
    // `limit` bytes in all; false when it cannot.
    bool reserve(std::size_t more, std::size_t limit);
};

// `progress` (may be empty) is told the decoded size every 64 KiB or so.
void decodeStream(const std::uint8_t* data, std::size_t size, std::uint16_t header,
                  std::size_t initialCapacity, std::size_t limit, DecodedStream& out,
                  const std::function<void(std::size_t)>& progress = {});

} // namespace zq
