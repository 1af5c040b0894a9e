#pragma once

#include <QCursor>
#include <QRegion>

#include <array>
#include <memory>
#include <vector>

#include "app/AppDialog.h"
#include "app/QtHost.h"
#include "core/WordDatabase.h"

class QLabel;
class QProgressBar;

namespace zq {

class CInfoLabel;
class CPrintFrame;
class MenuElementButton;
class StudyIndex;

// A polygon of the picture menu bound to a command.
struct CHotRegion {
    QRegion region;
    int command = 0;
};

// The main window: first the start-up screen (status line and progress bar
// while the lexicon loads), then the picture menu whose regions are the
// program's commands. It owns the database from start-up to exit and the
// colours every dialog paints with.
class CMainWindow : public CAppDialog {
    Q_OBJECT
  public:
    // `ui` receives the database's messages and questions (message boxes when
    // null); `folder` is the working folder (empty: the current one).
    explicit CMainWindow(UserInterface* ui = nullptr, std::string folder = {});
    ~CMainWindow() override;

    // Loads the lexicon with the start-up screen showing, then runs the logon
    // unless the user skips it, then shows the picture menu. False when the
    // load failed or the logon was cancelled: the window has then gone down
    // the cancel path.
    bool startUp();
    // startUp, then the modal run of the picture menu.
    int exec() override;

    // The command at a point of the client area; 0 outside every region.
    int hitTest(QPoint point) const;
    // Runs a command as a click on its region would.
    void runCommand(int command);

    // Exit, Escape and the close box: the database goes (offering to save
    // edits), then the window closes with cancel.
    void reject() override;

    CWordDatabase* database() const { return database_.get(); }
    // Told instead of the usual message when there is no word.lst (the
    // installed program names the folders it looked in); empty: the usual.
    std::string missingListMessage;
    // The print command's frame, made on first use and kept while the
    // database lives.
    CPrintFrame& printFrame();
    CPrintFrame* existingPrintFrame() const { return printFrame_.get(); }
    // Where the study tools' index of the lexicon is kept while the database
    // lives; the study window builds it there on first use.
    std::unique_ptr<StudyIndex>& studyIndex() { return studyIndex_; }

    // Hiding the window (while printing) keeps its modal run going; only
    // done() ends it.
    void setVisible(bool visible) override;
    void done(int result) override;
    SystemColours colours() const { return colours_; }
    const std::array<CHotRegion, 8>& regions() const { return regions_; }
    bool menuShown() const;
    // The command most recently run, and what its dialog returned
    // (command::kNotShown when it showed none).
    int lastCommand() const { return lastCommand_; }
    int lastResult() const { return lastResult_; }

  protected:
    void initDialog() override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void refreshColours();
    void centreOnDesktop();

    std::unique_ptr<QtUserInterface> ownUi_;
    UserInterface* ui_;
    std::string folder_;
    std::unique_ptr<CWordDatabase> database_;
    std::unique_ptr<CPrintFrame> printFrame_; // goes before the database
    std::unique_ptr<StudyIndex> studyIndex_;  // so does this
    std::array<CHotRegion, 8> regions_;
    QCursor handCursor_;
    SystemColours colours_;
    CInfoLabel* statusLine_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* picture_ = nullptr;
    // Names a lexicon of the player's own while it loads.
    QLabel* startupLexicon_ = nullptr;
    std::vector<MenuElementButton*> elementButtons_; // the keyboard's way in
    std::unique_ptr<ProgressBarSink> progressSink_;
    std::unique_ptr<StatusLineSink> statusSink_;
    bool started_ = false;
    bool startedOk_ = false;
    bool cancelled_ = false;
    bool closing_ = false;
    int lastCommand_ = 0;
    int lastResult_ = 0;
};

} // namespace zq
