#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

#include "app/Answers.h"
#include "app/AppContext.h"
#include "core/SettingsStore.h"

namespace zq::test {

// Each test gets a fresh settings store in memory.
class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app::setSettings(&store);
        answers::reset();
    }
    void TearDown() override {
        app::setSettings(nullptr);
        // Every answer a test queued was asked for.
        EXPECT_EQ(answers::pending(), 0);
        answers::reset();
    }

    MemorySettingsStore store;
};

// Answers modal windows while a test runs something modal: every 10 ms it
// looks at the active modal window and, when it is a new one, records it and
// hands it to the next handler in line. A window that becomes active again
// after the one above it closed is not new.
class ModalDriver {
  public:
    using Handler = std::function<void(QWidget*)>;
    ModalDriver();
    ~ModalDriver();
    void then(Handler handler) { handlers_.push_back(std::move(handler)); }

    std::vector<QString> titles;     // window titles of the modals seen
    std::vector<QString> classNames; // their classes
    int seen() const { return static_cast<int>(titles.size()); }

  private:
    void poll();
    QTimer timer_;
    std::vector<QPointer<QWidget>> seen_;
    std::vector<Handler> handlers_;
    std::size_t next_ = 0;
};

// The text of a message box, or empty.
QString messageText(QWidget* widget);
// Clicks the button of a message box or dialog that has this text.
void clickButton(QWidget* window, const QString& text);
// In the word set wizard (`window`): Next, the set's row on the Sets page,
// then Finish.
void finishOnSet(QWidget* window, int set);

} // namespace zq::test
