#include "core/PlayerWordList.h"

#include <algorithm>

#include "core/Utf8.h"

namespace zq {

namespace {

// One code point at a time from the bytes, whatever the encoding; -1 at the
// end. Invalid sequences give U+FFFD, which is no letter.
class CodePoints {
  public:
    explicit CodePoints(std::string_view bytes) : bytes_(bytes) {
        const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes_[i]); };
        if (bytes_.size() >= 3 && at(0) == 0xef && at(1) == 0xbb && at(2) == 0xbf) {
            kind_ = Kind::Utf8;
            pos_ = 3;
        } else if (bytes_.size() >= 2 && at(0) == 0xff && at(1) == 0xfe) {
            kind_ = Kind::Utf16Le;
            pos_ = 2;
        } else if (bytes_.size() >= 2 && at(0) == 0xfe && at(1) == 0xff) {
            kind_ = Kind::Utf16Be;
            pos_ = 2;
        } else {
            kind_ = isValidUtf8(bytes_) ? Kind::Utf8 : Kind::Latin1;
        }
    }
    const char* name() const {
        switch (kind_) {
        case Kind::Utf8:
            return "UTF-8";
        case Kind::Utf16Le:
            return "UTF-16LE";
        case Kind::Utf16Be:
            return "UTF-16BE";
        default:
            return "Latin-1";
        }
    }
    bool wide() const { return kind_ == Kind::Utf16Le || kind_ == Kind::Utf16Be; }

    std::int32_t next() {
        if (pos_ >= bytes_.size()) return -1;
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes_[i]); };
        if (kind_ == Kind::Latin1) return byte(pos_++);
        if (kind_ == Kind::Utf8) {
            const unsigned c = byte(pos_);
            const int more = c < 0x80         ? 0
                             : (c >> 5) == 6  ? 1
                             : (c >> 4) == 14 ? 2
                             : (c >> 3) == 30 ? 3
                                              : -1;
            if (more < 0 || pos_ + static_cast<std::size_t>(more) >= bytes_.size() + (more == 0)) {
                ++pos_;
                return 0xfffd;
            }
            std::int32_t code = more == 0 ? static_cast<std::int32_t>(c)
                                          : static_cast<std::int32_t>(c & (0x7fu >> (more + 1)));
            for (int k = 1; k <= more; ++k)
                code = (code << 6) | (byte(pos_ + static_cast<std::size_t>(k)) & 0x3f);
            pos_ += static_cast<std::size_t>(more) + 1;
            return code;
        }
        // UTF-16: a unit, or a surrogate pair.
        const auto unit = [&]() -> std::int32_t {
            if (pos_ + 1 >= bytes_.size()) {
                pos_ = bytes_.size();
                return 0xfffd; // an odd last byte
            }
            const std::int32_t u = kind_ == Kind::Utf16Le ? byte(pos_) | (byte(pos_ + 1) << 8)
                                                          : (byte(pos_) << 8) | byte(pos_ + 1);
            pos_ += 2;
            return u;
        };
        const std::int32_t u = unit();
        if (u >= 0xd800 && u <= 0xdbff && pos_ < bytes_.size()) {
            const std::int32_t low = unit();
            if (low >= 0xdc00 && low <= 0xdfff)
                return 0x10000 + ((u - 0xd800) << 10) + (low - 0xdc00);
            return 0xfffd;
        }
        return u;
    }

  private:
    enum class Kind { Utf8, Utf16Le, Utf16Be, Latin1 };

    std::string_view bytes_;
    std::size_t pos_ = 0;
    Kind kind_ = Kind::Utf8;
};

bool isBlank(std::int32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == 0xa0 || c == 0xfeff;
}

} // namespace

PlayerWordList parsePlayerWordList(std::string_view bytes) {
    PlayerWordList list;
    if (static_cast<std::int64_t>(bytes.size()) > PlayerWordList::kMaxBytes) {
        list.error = "the file is larger than a word list can be (64 MB at most)";
        return list;
    }
    CodePoints in(bytes);
    list.encoding = in.name();
    // A NUL byte outside UTF-16 means the file is not text.
    if (!in.wide() && bytes.find('\0') != std::string_view::npos) {
        list.error = "the file holds binary data, not lines of text";
        return list;
    }
    std::string word;     // the line's letters so far, lower case
    std::u32string shown; // the line as read, for a refusal
    bool bad = false, started = false, comment = false;
    std::size_t trailing = 0; // blanks after the last letter
    const auto endLine = [&]() -> bool {
        ++list.lines;
        if (list.lines > PlayerWordList::kMaxLines) {
            list.error = "the file has more than 2,000,000 lines";
            list.words.clear();
            return false;
        }
        if (comment || (!started && !bad)) {
            ++list.skipped;
        } else if (bad || word.size() < 2 || word.size() > PlayerWordList::kMaxLength) {
            ++list.refused;
            if (static_cast<int>(list.firstRefused.size()) < PlayerWordList::kRefusalsKept) {
                std::string text;
                // Without the CR of a CRLF line end.
                std::size_t n = shown.size();
                if (n > 0 && shown[n - 1] == U'\r') --n;
                for (std::size_t i = 0; i < n && i < 60; ++i)
                    appendUtf8(text, shown[i]);
                list.firstRefused.push_back({list.lines, text});
            }
        } else {
            list.words.push_back(word);
            if (static_cast<int>(list.words.size()) > 2 * PlayerWordList::kMaxWords) {
                list.error = "the file holds more than 1,000,000 words";
                list.words.clear();
                return false;
            }
        }
        word.clear();
        shown.clear();
        bad = started = comment = false;
        trailing = 0;
        return true;
    };
    for (std::int32_t c = in.next(); c >= 0; c = in.next()) {
        if (c == '\n') {
            if (!endLine()) return list;
            continue;
        }
        if (c == 0 && in.wide()) {
            list.error = "the file holds binary data, not lines of text";
            list.words.clear();
            return list;
        }
        if (shown.size() < 64) shown += static_cast<char32_t>(c);
        if (comment) continue;
        if (isBlank(c)) {
            if (started) ++trailing;
            continue;
        }
        if (!started && c == '#') {
            comment = true;
            continue;
        }
        // A blank inside the word, or any other character, spoils it.
        if (trailing > 0) bad = true;
        started = true;
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        if (c >= 'a' && c <= 'z' && word.size() <= PlayerWordList::kMaxLength)
            word += static_cast<char>(c);
        else
            bad = true;
    }
    if (started || bad || !shown.empty()) endLine();
    std::sort(list.words.begin(), list.words.end());
    const auto end = std::unique(list.words.begin(), list.words.end());
    list.duplicates = static_cast<int>(list.words.end() - end);
    list.words.erase(end, list.words.end());
    if (static_cast<int>(list.words.size()) > PlayerWordList::kMaxWords) {
        list.error = "the file holds more than 1,000,000 words";
    } else if (list.words.empty()) {
        list.error = "the file holds no words";
    } else if (list.refused > 20 && list.refused > static_cast<int>(list.words.size())) {
        list.error = "most lines of the file are not words; it does not look like a word list";
    }
    if (!list.error.empty()) list.words.clear();
    return list;
}

PlayerWordList readPlayerWordList(FileSystem& fs, const std::string& path) {
    PlayerWordList list;
    const auto size = fs.fileSize(path);
    if (!size) {
        list.error = "the file cannot be read";
        return list;
    }
    if (*size > PlayerWordList::kMaxBytes) {
        list.error = "the file is larger than a word list can be (64 MB at most)";
        return list;
    }
    const auto bytes = readWholeFile(fs, path);
    if (!bytes) {
        list.error = "the file cannot be read";
        return list;
    }
    return parsePlayerWordList(*bytes);
}

} // namespace zq
