#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Host.h"

// The engine's host interfaces as recorders, for the tests and the fuzz
// targets: what the user was told and asked, and what the progress bar and
// the status line showed.
namespace zq::test {

class RecordingUi final : public UserInterface {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& question) override {
        questions.push_back(question);
        if (script.empty()) return answer;
        const bool next = script.front();
        script.pop_front();
        return next;
    }
    void beginBusy() override { ++busyDepth, ++busyCount; }
    void endBusy() override { --busyDepth; }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    // Answers given in turn; `answer` once they have run out.
    std::deque<bool> script;
    bool answer = false;
    int busyDepth = 0;
    int busyCount = 0;
};

class RecordingProgress final : public ProgressSink {
  public:
    void setRange(int maximum) override { ranges.push_back(maximum); }
    void setPosition(int position) override { positions.push_back(position); }
    void hide() override { hidden = true; }
    std::vector<int> ranges, positions;
    bool hidden = false;
};

class RecordingStatus final : public StatusSink {
  public:
    void setText(const std::string& text) override { texts.push_back(text); }
    void show() override { shown = true; }
    void hide() override { hidden = true; }
    std::vector<std::string> texts;
    bool shown = false, hidden = false;
};

} // namespace zq::test
