#pragma once

#include <QLineEdit>
#include <QString>

#include <array>
#include <optional>

namespace zq {

// The letter input of the quiz and the word tools: a single-line edit whose
// text is never shown as text. Each square of the rack shows a tile with the
// letter in capitals and its score; empty squares show the background. The
// text is kept in lower case and the dialog is told after every change.
//
// Free typing (the word tools): any of a-z and space is accepted; a click on
// a tile puts the insertion point behind it. Paired (the quiz): the read-only
// letters rack shows the dealt tiles; a letter enters the answer rack only by
// taking a free tile of that letter, which the letters rack then hides, and
// leaving the answer gives the tile back. A click on a letters tile types its
// letter into the answer; a click on an answer tile takes it out.
//
// A change of several characters at once (typing over a selection, a paste,
// deleting a selection) gives back every letter removed and takes every
// letter inserted; if any of them cannot be taken the whole change is
// refused and nothing is taken.
class CTileRack : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int kMaxSquares = 20;

    struct CTile {
        int clicked = 0;                 // clicked to type its letter: taken first
        int used = 0;                    // its letter is in the partner's answer: not drawn
        QChar letter = QLatin1Char('?'); // 'a'-'z', ' ' (a blank), '?' (no tile)
    };

    explicit CTileRack(int squareCount, QWidget* parent = nullptr);

    // editable (and sunken), the partner rack, free typing.
    void link(int editable, CTileRack* partner, int freeTyping);

    // Sets the text from the program: lower case; every tile becomes free.
    void setRackText(const QString& text);
    const QString& rackText() const { return text_; }

    // On the letters rack: takes a free tile of the letter (a clicked one
    // first) or gives a taken one back. False when there is none.
    bool consume(QChar letter);
    bool release(QChar letter);

    int squareCount() const { return squareCount_; }
    bool editable() const { return editable_; }
    bool sunken() const { return sunken_; }
    bool freeTyping() const { return freeTyping_; }
    CTileRack* partner() const { return partner_; }
    const CTile& tile(int k) const { return tiles_[static_cast<std::size_t>(k)]; }

    // Layout: the side of a square, the row's left edge and top edge.
    int side() const;
    int rowLeft() const;
    int rowTop() const;
    QRect squareRect(int k) const;
    // The part of a tile that takes clicks: a twentieth in from every edge.
    QRect tileFace(int k) const;
    // The caret's rectangle; empty when there is none to show.
    QRect caretRect() const;

    // The current user's "NoSound" option, read at construction.
    int noSound = 0;
    // Refused changes, and the beeps they sounded.
    int refusals() const { return refusals_; }
    int beeps() const { return beeps_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    struct Selection {
        int start = 0;
        int end = 0; // the insertion point
    };

    void onEditChanged(const QString& raw);
    // Takes and gives back the partner's tiles for a change from the rack's
    // text to `changed`; false (and nothing taken) when it is not allowed.
    bool allowChange(const QString& changed);
    void refuse();
    void tellDialog();
    void onTileClicked(int k);
    // A character arriving as if typed into this rack.
    void typeCharacter(const QString& typed);
    Selection selection() const;
    void putText(const QString& text, Selection selection);
    void drawBackground(QPainter& p) const;
    void drawTile(QPainter& p, int k) const;
    int tileAt(QPoint point) const;

    int editable_ = 1;
    int sunken_ = 1;
    int freeTyping_ = 0;
    int squareCount_;
    CTileRack* partner_ = nullptr;
    std::array<CTile, kMaxSquares> tiles_{};
    QString text_;
    bool putting_ = false;
    std::optional<Selection> before_; // the selection before a user's edit
    int refusals_ = 0;
    int beeps_ = 0;
};

} // namespace zq
