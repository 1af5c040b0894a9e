#pragma once

#include <string>

namespace zq {

// How the engine talks to whoever runs it. The GUI implements these with
// widgets and message boxes; the command-line tool prints to stderr; tests
// record what they are told.

// A progress bar: a range starting at 0, a position in it.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void setRange(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void hide() = 0;
};

// A one-line status text that is repainted at once.
class StatusSink {
  public:
    virtual ~StatusSink() = default;
    virtual void setText(const std::string& text) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
};

// Messages to the user, Yes/No questions and the busy indication.
class UserInterface {
  public:
    virtual ~UserInterface() = default;
    virtual void message(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& question) = 0;
    virtual void beginBusy() {}
    virtual void endBusy() {}
};

// Shows the busy indication for the lifetime of the guard; nests.
class BusyGuard {
  public:
    explicit BusyGuard(UserInterface* ui) : ui_(ui) {
        if (ui_) ui_->beginBusy();
    }
    ~BusyGuard() {
        if (ui_) ui_->endBusy();
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    UserInterface* ui_;
};

} // namespace zq
