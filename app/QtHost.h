#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QWidget>

#include "app/InfoLabel.h"
#include "core/Host.h"

namespace zq {

// Shows the wait cursor for its lifetime; nests.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Message boxes captioned with the application title.
namespace box {
// OK only, no icon.
void plain(QWidget* parent, const QString& text);
// OK only, with the warning icon.
void warning(QWidget* parent, const QString& text);
// Yes/No with the question icon (or, with `exclamation`, the warning icon);
// true on Yes.
bool yesNo(QWidget* parent, const QString& question, bool exclamation = false);
} // namespace box

// The engine's messages, questions and busy indication as message boxes and
// the wait cursor.
class QtUserInterface final : public UserInterface {
  public:
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void message(const std::string& text) override;
    bool askYesNo(const std::string& question) override;
    void beginBusy() override;
    void endBusy() override;

  private:
    QPointer<QWidget> parent_;
};

// Drives a progress bar. No event loop runs while the lexicon loads, so each
// visible change is painted at once.
class ProgressBarSink final : public ProgressSink {
  public:
    explicit ProgressBarSink(QProgressBar* bar) : bar_(bar) {}
    void setRange(int maximum) override;
    void setPosition(int position) override;
    void hide() override;

  private:
    QPointer<QProgressBar> bar_;
    int shownPixels_ = -1;
};

// Drives a status line, painting each change at once.
class StatusLineSink final : public StatusSink {
  public:
    explicit StatusLineSink(CInfoLabel* label) : label_(label) {}
    void setText(const std::string& text) override;
    void show() override;
    void hide() override;

  private:
    QPointer<CInfoLabel> label_;
};

// Lexicon text on screen. The lexicon's bytes are shown as UTF-8 where they
// are valid UTF-8 and as Latin-1 otherwise, so no byte turns into a
// replacement character.
QString textFromBytes(const std::string& bytes);
// Bytes for an edited text: Latin-1 when the text it replaces was not UTF-8
// and every character fits Latin-1 (the file keeps one encoding per field),
// UTF-8 otherwise.
std::string bytesFromText(const QString& text, const std::string& replaced);

// Paints the widget's window now, including a window that was only just
// shown: the pending expose and paint events are handled, user input is not.
void paintNow(QWidget* widget);

} // namespace zq
