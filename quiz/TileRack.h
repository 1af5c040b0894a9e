#pragma once

#include <QLineEdit>
#include <QString>

#include <optional>

#include "quiz/RackModel.h"

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
// The rules live in RackModel; this class keeps the edit control's events,
// the painting and the caret. Every change of the text, the program's own
// included, is told to the dialog.
class CTileRack : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int kMaxSquares = RackModel::kMaxSquares;

    explicit CTileRack(int squareCount, QWidget* parent = nullptr);

    // editable (and sunken), the partner rack, free typing.
    void link(int editable, CTileRack* partner, int freeTyping);

    // Sets the text from the program: lower case; every tile becomes free.
    // The dialog is told, as after any change.
    void setRackText(const QString& text);
    QString rackText() const { return QString::fromLatin1(model_.text()); }

    // On the letters rack: takes a free tile of the letter (a clicked one
    // first) or gives a taken one back. False when there is none.
    bool consume(char letter);
    bool release(char letter);

    int squareCount() const { return model_.squareCount(); }
    bool editable() const { return model_.editable(); }
    bool sunken() const { return sunken_; }
    bool freeTyping() const { return model_.freeTyping(); }
    CTileRack* partner() const { return partner_; }
    const CTile& tile(int k) const { return model_.tile(k); }
    const RackModel& model() const { return model_; }

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

    RackGeometry geometry() const { return {squareCount(), width(), height()}; }
    void onEditChanged(const QString& raw);
    // Shows the model's text in the edit control, keeping the selection.
    void showText(Selection selection);
    void repaintPartnerSquare(int square);
    void refuse();
    void tellDialog();
    void onTileClicked(int k);
    // A character arriving as if typed into this rack.
    void typeCharacter(const QString& typed);
    Selection selection() const;
    void putText(const QString& text, Selection selection);
    void drawBackground(QPainter& p) const;
    void drawTile(QPainter& p, int k) const;

    RackModel model_;
    int sunken_ = 1;
    CTileRack* partner_ = nullptr;
    bool putting_ = false;
    std::optional<Selection> before_; // the selection before a user's edit
    int refusals_ = 0;
    int beeps_ = 0;
};

} // namespace zq
