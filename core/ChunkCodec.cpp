#include "core/ChunkCodec.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zq {

namespace {
constexpr std::uint32_t kWindowSize = 65536;
// Candidates closer than this (modulo the window) to the write position are
// not used, so a source never lies less than 300 bytes from being overwritten.
constexpr std::uint16_t kMinCandidateGap = 300;
const char kPrimer[] = "****~";
// The whole-buffer decoder copies in blocks of 16 bytes and may write up to 15
// bytes past what it decodes.
constexpr std::size_t kCopySlack = 32;
} // namespace

CChunkCodec::CChunkCodec(ByteStream* s) : stream(s) {}

CChunkCodec::~CChunkCodec() {
    if (direction == Writing && start) flush();
}

bool CChunkCodec::open(Direction d) {
    direction = d;
    start.reset(new (std::nothrow) std::uint8_t[bufferSize]);
    if (!start) return false;
    cursor = start.get();
    end = d == Reading ? start.get() : start.get() + bufferSize;
    return true;
}

std::int64_t CChunkCodec::tell() {
    flush();
    return stream ? stream->tell() : -1;
}

bool CChunkCodec::seek(std::int64_t pos) {
    flush();
    endOfData = 0;
    return stream && stream->seek(pos);
}

void CChunkCodec::flush() {
    if (!start) return;
    if (direction == Writing) {
        const std::size_t n = static_cast<std::size_t>(cursor - start.get());
        if (n > 0 && (!stream || stream->write(start.get(), n) != n)) writeFailed_ = true;
        cursor = start.get();
    } else {
        cursor = end;
    }
}

std::size_t CChunkCodec::rawRead(void* bytes, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(bytes);
    std::size_t done = 0;
    while (done < count) {
        if (cursor == end) {
            const std::size_t got = stream ? stream->read(start.get(), bufferSize) : 0;
            if (got == 0) {
                endOfData = 1;
                break;
            }
            cursor = start.get();
            end = start.get() + got;
        }
        const std::size_t n = std::min(count - done, static_cast<std::size_t>(end - cursor));
        std::memcpy(out + done, cursor, n);
        cursor += n;
        done += n;
    }
    return done;
}

void CChunkCodec::rawWrite(const void* bytes, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(bytes);
    while (count > 0) {
        if (cursor == start.get() + bufferSize) flush();
        const std::size_t n =
            std::min(count, static_cast<std::size_t>(start.get() + bufferSize - cursor));
        std::memcpy(cursor, in, n);
        cursor += n;
        in += n;
        count -= n;
    }
}

std::uint16_t CChunkCodec::hashAt(std::uint16_t endPos) const {
    const unsigned p1 = window[static_cast<std::uint16_t>(endPos - 4)];
    const unsigned p2 = window[static_cast<std::uint16_t>(endPos - 3)];
    const unsigned p3 = window[static_cast<std::uint16_t>(endPos - 2)];
    const unsigned p4 = window[static_cast<std::uint16_t>(endPos - 1)];
    return static_cast<std::uint16_t>(((((p2 ^ (p1 << 3)) << 5) ^ p3) << 3) ^ (p1 >> 5) ^ p4);
}

void CChunkCodec::prime(std::uint16_t header, bool hashGroups) {
    std::memset(window.get(), 0, kWindowSize);
    const unsigned primed = std::min<unsigned>(header, 5);
    std::memcpy(window.get(), kPrimer, primed);
    if (hashGroups) {
        for (unsigned next = 4; next <= header; ++next)
            hashTable[hashAt(static_cast<std::uint16_t>(next))] = static_cast<std::uint16_t>(next);
    }
    position = header;
    matchLength = 0;
    pendingCount = 0;
    matchPosition = 0;
}

void CChunkCodec::beginCompress(std::uint16_t header) {
    hashTable.reset(new std::uint16_t[kWindowSize]());
    beginCodec(header);
}

void CChunkCodec::beginCodec(std::uint16_t header) {
    window.reset(new std::uint8_t[kWindowSize]);
    prime(header, hashTable != nullptr);
    endMarker_ = false;
    active = 1;
}

void CChunkCodec::finishCompress() {
    if (!active) return;
    while (emit(true)) {
    }
    rawPut(0);
    hashTable.reset();
    window.reset();
    active = 0;
}

void CChunkCodec::finishDecompress() {
    window.reset();
    active = 0;
}

std::size_t CChunkCodec::write(const void* bytes, std::size_t count) {
    if (!active) {
        rawWrite(bytes, count);
        return count;
    }
    const auto* in = static_cast<const std::uint8_t*>(bytes);
    for (std::size_t i = 0; i < count; ++i)
        compressByte(in[i]);
    return count;
}

// Number of equal byte pairs going backwards from the byte before `position`
// and from the byte before `candidate`, at most `pendingCount` and never
// further back than the window still holds the candidate's bytes.
int CChunkCodec::backwardLength(std::uint16_t candidate) const {
    const std::uint32_t distance = static_cast<std::uint16_t>(position - candidate);
    const std::uint32_t limit = std::min<std::uint32_t>(pendingCount, kWindowSize - distance);
    std::uint16_t a = position;
    std::uint16_t b = candidate;
    std::uint32_t k = 0;
    while (k < limit && window[--a] == window[--b])
        ++k;
    return static_cast<int>(k);
}

void CChunkCodec::compressByte(std::uint8_t c) {
    window[position] = c;
    ++pendingCount;
    ++position;

    std::uint16_t candidate = 0;
    bool usable = false;
    if (pendingCount > 3) {
        const std::uint16_t g = hashAt(position);
        candidate = hashTable[g];
        hashTable[g] = position;
        usable =
            candidate != 0 && static_cast<std::uint16_t>(candidate - position) >= kMinCandidateGap;
    }

    if (matchLength == 0) {
        if (usable) {
            const int k = backwardLength(candidate);
            if (k >= 4) {
                matchLength = static_cast<std::uint32_t>(k);
                matchPosition = static_cast<std::uint16_t>(candidate - k);
            }
        }
        if (matchLength == 0 && pendingCount >= kMaxLiterals) emit(true);
        return;
    }

    if (c == window[static_cast<std::uint16_t>(matchPosition + matchLength)]) {
        ++matchLength;
        if (matchLength >= kMaxMatch) emit(true);
        return;
    }
    if (usable) {
        const int k = backwardLength(candidate);
        if (static_cast<std::uint32_t>(k) > matchLength) {
            matchLength = static_cast<std::uint32_t>(k);
            matchPosition = static_cast<std::uint16_t>(candidate - k);
            return;
        }
    }
    emit(false);
}

// Writes one token for the pending bytes (all of them when final; all but the
// current byte otherwise). Returns whether anything was written.
bool CChunkCodec::emit(bool final) {
    const std::uint32_t covered = final ? pendingCount : pendingCount - 1;
    std::uint16_t from = static_cast<std::uint16_t>(position - pendingCount);
    std::uint32_t literals = covered - matchLength;
    bool wrote = false;

    auto putLiterals = [&](std::uint32_t n) {
        for (std::uint32_t i = 0; i < n; ++i)
            rawPut(window[from++]);
    };

    while (literals > kMaxLiterals) {
        rawPut(0xF0);
        rawPut(0xFF);
        putLiterals(kMaxLiterals);
        literals -= kMaxLiterals;
        wrote = true;
    }
    if (literals == 0 && matchLength == 0) return wrote;

    const std::uint32_t length = std::min<std::uint32_t>(matchLength, kMaxMatch);
    const unsigned litCode = std::min<std::uint32_t>(literals, 15);
    const unsigned matchCode = length == 0 ? 0 : length <= 17 ? length - 3 : 15;
    rawPut(static_cast<std::uint8_t>((litCode << 4) | matchCode));
    if (literals >= 15) rawPut(static_cast<std::uint8_t>(literals - 15));
    putLiterals(literals);
    if (length >= 18) rawPut(static_cast<std::uint8_t>(length - 18));
    if (length > 0) {
        rawPut(static_cast<std::uint8_t>(matchPosition & 0xFF));
        rawPut(static_cast<std::uint8_t>(matchPosition >> 8));
    }

    const std::uint32_t carry = final ? 0 : 1;
    if (matchLength > kMaxMatch) {
        const std::uint32_t rest = matchLength - kMaxMatch;
        if (rest >= 4) {
            matchPosition = static_cast<std::uint16_t>(matchPosition + kMaxMatch);
            matchLength = rest;
            pendingCount = rest + carry;
            if (!final) emit(false);
        } else {
            matchLength = 0;
            matchPosition = 0;
            pendingCount = rest + carry;
        }
    } else {
        matchLength = 0;
        matchPosition = 0;
        pendingCount = carry;
    }
    return true;
}

// Decodes one token into the window after the bytes not yet handed out.
// Returns false at the end marker or when the data ends inside the token.
bool CChunkCodec::decodeToken() {
    std::uint8_t t;
    if (!rawGet(t)) {
        truncated_ = true;
        return false;
    }
    if (t == 0) {
        endMarker_ = true;
        return false;
    }
    std::uint32_t literals = t >> 4;
    std::uint8_t ext;
    if (literals == 15) {
        if (!rawGet(ext)) {
            truncated_ = true;
            return false;
        }
        literals += ext;
    }
    std::uint16_t to = static_cast<std::uint16_t>(position + pendingCount);
    std::uint8_t buffer[kMaxLiterals];
    if (rawRead(buffer, literals) != literals) {
        truncated_ = true;
        return false;
    }
    const std::uint32_t firstPart = std::min<std::uint32_t>(literals, kWindowSize - to);
    std::memcpy(window.get() + to, buffer, firstPart);
    std::memcpy(window.get(), buffer + firstPart, literals - firstPart);
    to = static_cast<std::uint16_t>(to + literals);

    std::uint32_t length = t & 15;
    if (length == 15) {
        if (!rawGet(ext)) {
            truncated_ = true;
            return false;
        }
        length = 18u + ext;
    } else if (length != 0) {
        length += 3;
    }
    if (length > 0) {
        std::uint8_t pos[2];
        if (rawRead(pos, 2) != 2) {
            truncated_ = true;
            return false;
        }
        std::uint16_t from = static_cast<std::uint16_t>(pos[0] | (pos[1] << 8));
        // Byte by byte: a source overlapping the destination repeats bytes.
        for (std::uint32_t i = 0; i < length; ++i)
            window[to++] = window[from++];
    }
    pendingCount += literals + length;
    return true;
}

std::size_t CChunkCodec::read(void* bytes, std::size_t count) {
    if (!active) return rawRead(bytes, count);
    auto* out = static_cast<std::uint8_t*>(bytes);
    std::size_t done = 0;
    while (done < count) {
        if (pendingCount == 0) {
            if (endMarker_ || truncated_ || !decodeToken()) return 0;
            continue;
        }
        std::uint32_t n =
            std::min<std::uint32_t>(static_cast<std::uint32_t>(count - done), pendingCount);
        n = std::min<std::uint32_t>(n, kWindowSize - position);
        std::memcpy(out + done, window.get() + position, n);
        position = static_cast<std::uint16_t>(position + n);
        pendingCount -= n;
        done += n;
    }
    return count;
}

bool DecodedStream::reserve(std::size_t more, std::size_t limit) {
    if (size + more <= capacity) return true;
    if (size + more > limit) return false;
    const std::size_t grown = std::min(limit, std::max(capacity * 2, size + more));
    std::unique_ptr<char[]> bigger(new (std::nothrow) char[grown]);
    if (!bigger) return false;
    if (size) std::memcpy(bigger.get(), data.get(), size);
    data = std::move(bigger);
    capacity = grown;
    return true;
}

void decodeStream(const std::uint8_t* in, std::size_t size, std::uint16_t header,
                  std::size_t initialCapacity, std::size_t limit, DecodedStream& out,
                  const std::function<void(std::size_t)>& progress) {
    out = DecodedStream{};
    out.capacity = std::min(initialCapacity, limit);
    out.data.reset(new (std::nothrow) char[out.capacity ? out.capacity : 1]);
    if (!out.data) {
        out.tooBig = true;
        return;
    }
    const std::uint8_t* const end = in + size;
    const unsigned primed = std::min<unsigned>(header, 5);
    // Output byte i sits at window position (header + i) mod 65,536; a source
    // slot not yet overwritten by output still holds its primed content.
    auto initialByte = [primed](std::uint32_t slot) -> char {
        return slot < primed ? kPrimer[slot] : '\0';
    };
    std::size_t nextReport = 65536;
    std::size_t tokenStart = 0;
    for (;;) {
        tokenStart = out.size;
        if (in == end) {
            out.truncated = true;
            return;
        }
        const unsigned t = *in++;
        if (t == 0) {
            out.endMarker = true;
            return;
        }
        std::size_t literals = t >> 4;
        if (literals == 15) {
            if (in == end) break;
            literals += *in++;
        }
        if (static_cast<std::size_t>(end - in) < literals) break;
        std::size_t length = t & 15;
        if (length == 15) {
            if (static_cast<std::size_t>(end - in) < literals + 1) break;
            length = 18 + in[literals];
        } else if (length != 0) {
            length += 3;
        }
        // Room for copying in whole blocks of 16 bytes past the end.
        if (out.size + literals + length > limit ||
            (out.size + literals + length + kCopySlack > out.capacity &&
             !out.reserve(literals + length + kCopySlack, limit + kCopySlack))) {
            out.tooBig = true;
            return;
        }
        char* const base = out.data.get();
        if (literals <= 16 && end - in >= 16)
            std::memcpy(base + out.size, in, 16);
        else
            std::memcpy(base + out.size, in, literals);
        in += literals;
        out.size += literals;
        if (length != 0) {
            if ((t & 15) == 15) ++in;
            if (end - in < 2) break;
            const std::uint32_t source = in[0] | (in[1] << 8);
            in += 2;
            const std::uint32_t here = static_cast<std::uint16_t>(header + out.size);
            std::uint32_t distance = static_cast<std::uint16_t>(here - source);
            if (distance == 0) distance = kWindowSize; // the slot about to be overwritten
            if (distance <= out.size && distance >= 16) {
                // Every source block lies wholly before its destination.
                char* to = base + out.size;
                const char* from = to - distance;
                for (std::size_t k = 0; k < length; k += 16)
                    std::memcpy(to + k, from + k, 16);
            } else {
                // Overlapping, or reaching back into the primed window.
                for (std::size_t k = 0; k < length; ++k) {
                    const std::size_t at = out.size + k;
                    base[at] = at >= distance ? base[at - distance]
                                              : initialByte(static_cast<std::uint16_t>(source + k));
                }
            }
            out.size += length;
        }
        if (progress && out.size >= nextReport) {
            progress(out.size);
            nextReport = out.size + 65536;
        }
    }
    // A token cut off by the end of the data delivers nothing.
    out.size = tokenStart;
    out.truncated = true;
}

} // namespace zq
