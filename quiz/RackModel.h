#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zq {

// One tile of a rack.
struct CTile {
    int clicked = 0;   // clicked to type its letter: taken first
    int used = 0;      // its letter is in the partner's answer: not drawn
    char letter = '?'; // 'a'-'z', ' ' (a blank), '?' (no tile on the square)
};

// A rectangle in a rack's client coordinates.
struct RackRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    bool operator==(const RackRect&) const = default;
};

// Where the squares of a rack lie in a client area of the given size: one
// row of n squares of side W / (n + 1), centred, one side-length shared out
// as margins.
struct RackGeometry {
    int squareCount = 7;
    int width = 0;
    int height = 0;

    int side() const { return width / (squareCount + 1); }
    int left() const { return (width - squareCount * side()) / 2; }
    int top() const { return (height - side()) / 2; }
    RackRect square(int k) const { return {left() + k * side(), top(), side(), side()}; }
    // The part of a tile that takes clicks: a twentieth in from every edge.
    RackRect face(int k) const;
    // The square whose tile face holds the point; -1 for none.
    int tileAt(int x, int y) const;
    // The caret before square `insertion`: 1 pixel wide (2 when a side is
    // over 40), eight tenths of a side high, 15% of a side below the top of
    // the squares. Empty when the insertion point lies outside the row.
    RackRect caret(int insertion) const;
};

// The rules of a tile rack, without a window: the text it holds, its tiles,
// and which changes of its text are allowed.
//
// Free typing (the word tools): any of a-z and space is accepted. Paired (the
// quiz): a letter can enter the editable answer rack only by taking a free
// tile of that letter from its partner, the read-only letters rack, and
// leaving the answer gives the tile back. A change of several characters at
// once (typing over a selection, a paste, deleting a selection) gives back
// every letter removed and takes every letter inserted; if any of them
// cannot be taken the whole change is refused and nothing is taken.
class RackModel {
  public:
    static constexpr int kMaxSquares = 20;

    // Squares in use: 7 in the quiz, 15 in the word tools; 1 to 20.
    explicit RackModel(int squareCount);

    // editable, the partner rack, free typing.
    void link(int editable, RackModel* partner, int freeTyping);

    int squareCount() const { return squareCount_; }
    int editable() const { return editable_; }
    int freeTyping() const { return freeTyping_; }
    RackModel* partner() const { return partner_; }
    const std::string& text() const { return text_; }
    const CTile& tile(int k) const { return tiles_[static_cast<std::size_t>(k)]; }
    CTile& tile(int k) { return tiles_[static_cast<std::size_t>(k)]; }

    // Sets the text from the program: A-Z lower-cased, every tile free and
    // unclicked, squares past the text empty.
    void setText(std::string_view text);

    // On the letters rack: takes a free tile of the letter (a clicked one
    // first) or gives a taken one back; false when there is none. Each
    // returns the square it changed through `square` when asked.
    bool consume(char letter, int* square = nullptr);
    bool release(char letter, int* square = nullptr);

    enum class Change { Unchanged, Accepted, Refused };
    // Judges a change of the text to `changed` (A-Z are lower-cased first):
    // takes and gives back the partner's tiles and, when accepted, makes it
    // the text. A refused change leaves the rack and its partner as they were.
    Change change(std::string_view changed);

    // The text with the letter of square k taken out (the answer rack's
    // click on a tile).
    std::string without(int k) const;
    // Free typing: where a click on square k puts the insertion point, behind
    // its letter, or at the end of the text for an empty square.
    int insertionAfter(int k) const;

    static bool isRackLetter(char c) { return (c >= 'a' && c <= 'z') || c == ' '; }
    // Lower case for A-Z only.
    static std::string lower(std::string_view text);

  private:
    bool allowChange(const std::string& changed);

    int editable_ = 1;
    int freeTyping_ = 0;
    int squareCount_;
    RackModel* partner_ = nullptr;
    std::array<CTile, kMaxSquares> tiles_{};
    std::string text_;
};

} // namespace zq
