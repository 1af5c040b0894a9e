#include "app/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/DialogBuilder.h"
#include "app/InfoLabel.h"
#include "app/LogonDialog.h"
#include "app/MenuElementButton.h"
#include "app/OptionsDialog.h"
#include "core/Lexicons.h"
#include "core/Random.h"
#include "core/RegistryNames.h"
#include "core/Strings.h"
#include "print/PrintFrame.h"
#include "resources/Artwork.h"
#include "study/StudyIndex.h"
#include "wordsets/UserWordSet.h"

namespace zq {

CMainWindow::CMainWindow(UserInterface* ui, std::string folder)
    : CAppDialog(res::kMainTemplate, nullptr), folder_(std::move(folder)) {
    const auto elements = res::menuElements();
    for (std::size_t i = 0; i < regions_.size() && i < elements.size(); ++i) {
        const auto& outline = elements[i].outline;
        regions_[i].region =
            QRegion(QPolygon(QList<QPoint>(outline.begin(), outline.end())), Qt::WindingFill);
        regions_[i].command = elements[i].command;
    }
    seedRandomFromClock();
    refreshColours();
    handCursor_ = res::handCursor();
    if (!ui) {
        ownUi_ = std::make_unique<QtUserInterface>(this);
        ui = ownUi_.get();
    }
    ui_ = ui;
    statusLine_ = control<CInfoLabel>(res::kIdStatusLine);
    progressBar_ = control<QProgressBar>(res::kIdProgress);
    picture_ = control<QLabel>(res::kIdPicture);
    // The picture shows the menu; the window itself reads the mouse over it.
    if (picture_) picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (std::size_t i = 0; i < regions_.size() && i < elements.size(); ++i) {
        const auto& outline = elements[i].outline;
        auto* button =
            new MenuElementButton(elements[i].command, QString::fromUtf8(elements[i].label),
                                  QPolygon(QList<QPoint>(outline.begin(), outline.end())), this);
        button->hide(); // with the picture
        const int command = elements[i].command;
        connect(button, &QAbstractButton::clicked, this, [this, command] {
            if (menuShown()) runCommand(command);
        });
        elementButtons_.push_back(button);
    }
    // The window itself takes the focus first, so no element is marked (or
    // run by Space) until the keyboard moves to one; Tab then cycles through
    // the elements only.
    setFocusPolicy(Qt::ClickFocus);
    progressSink_ = std::make_unique<ProgressBarSink>(progressBar_);
    statusSink_ = std::make_unique<StatusLineSink>(statusLine_);
    setWindowIcon(res::appIcon());
    setMouseTracking(true);
    app::setMainWindow(this);
}

CMainWindow::~CMainWindow() {
    BusyCursor busy;
    // A database still here (the window was never cancelled) goes without the
    // save offer's window but still with the offer.
    printFrame_.reset();
    studyIndex_.reset();
    database_.reset();
    if (app::mainWindow() == this) app::setMainWindow(nullptr);
}

void CMainWindow::refreshColours() {
    colours_ = SystemColours::current();
}

void CMainWindow::centreOnDesktop() {
    const QScreen* screen = QApplication::primaryScreen();
    if (!screen) return;
    const QRect desk = screen->availableGeometry();
    const QRect frame = frameGeometry();
    move(desk.x() + (desk.width() - frame.width()) / 2,
         desk.y() + (desk.height() - frame.height()) / 2);
}

void CMainWindow::initDialog() {
    CAppDialog::initDialog();
}

bool CMainWindow::menuShown() const {
    return picture_ && picture_->isVisible() && database_;
}

bool CMainWindow::startUp() {
    if (started_) return startedOk_;
    started_ = true;
    centreOnDesktop();
    if (progressBar_) progressBar_->setValue(0);
    if (picture_) picture_->hide();
    for (MenuElementButton* b : elementButtons_)
        b->hide();
    if (statusLine_) statusLine_->show();
    if (progressBar_) progressBar_->show();
    show();
    paintNow(this);

    DatabaseSetup setup = programSetup(ui_, folder_);
    // The lexicon the settings name, else the working folder's own word.lst;
    // a setting that names nothing usable is said so once and passed over.
    const LexiconChoice lexicon = chooseLexicon(
        realFileSystem(), folder_, app::settings().readString(reg::kSettings, reg::kLexicon, ""));
    setup.lexiconFolder = lexicon.folder;
    setup.lexiconName = lexicon.name;
    if (!lexicon.problem.empty() && ui_) ui_->message(lexicon.problem);
    if (!lexicon.name.empty()) {
        // The start-up screen says which list is loading when it is not the
        // usual one, on a line above the status line.
        if (const res::DialogTemplate* t = res::findTemplate(res::kMainTemplate)) {
            startupLexicon_ = new QLabel(
                QString::fromUtf8(str::withText(str::kStartupLexicon, lexicon.name).c_str()), this);
            startupLexicon_->setObjectName(QStringLiteral("startupLexicon"));
            startupLexicon_->setAlignment(Qt::AlignCenter);
            startupLexicon_->setGeometry(unitsFor(*this, *t).rect(7, 36, 262, 10));
            startupLexicon_->show();
            paintNow(this);
        }
    }
    setup.missingListMessage = missingListMessage;
    setup.progressBar = progressSink_.get();
    setup.statusLine = statusSink_.get();
    // Should saving at exit fail and the working folder take no file, the
    // edits go to the documents, home or temporary folder instead.
    for (auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::HomeLocation,
                          QStandardPaths::TempLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        if (!path.isEmpty()) setup.recoveryFolders.push_back(QFile::encodeName(path).toStdString());
    }
    database_ = std::make_unique<CWordDatabase>(setup);
    // A lexicon of the player's own that does not load (its reasons have
    // been said) gives way to the working folder's own list, so that the
    // program still starts and another lexicon can be chosen.
    if (!database_->loaded && !cancelled_ && !setup.lexiconName.empty()) {
        if (ui_) ui_->message(str::withText(str::kLexiconNotLoaded, setup.lexiconName));
        database_.reset();
        if (startupLexicon_) startupLexicon_->hide();
        setup.lexiconFolder.clear();
        setup.lexiconName.clear();
        database_ = std::make_unique<CWordDatabase>(setup);
    }
    // The close box can be used while the start-up screen paints; it ends
    // the program as soon as the load is over.
    if (!database_->loaded || cancelled_) {
        reject();
        return false;
    }

    const int noLogon = COptionsDialog().noLogon;
    if (noLogon == 0) {
        CLogonDialog logon(this);
        if (logon.exec() != QDialog::Accepted) {
            reject();
            return false;
        }
    }
    if (statusLine_) statusLine_->hide();
    if (progressBar_) progressBar_->hide();
    if (startupLexicon_) startupLexicon_->hide();
    if (picture_) picture_->show();
    for (MenuElementButton* b : elementButtons_) {
        b->show();
        b->raise();
    }
    setFocus(Qt::OtherFocusReason);
    startedOk_ = true;
    return true;
}

int CMainWindow::exec() {
    if (!startUp()) return QDialog::Rejected;
    return QDialog::exec();
}

int CMainWindow::hitTest(QPoint point) const {
    for (const CHotRegion& r : regions_)
        if (r.region.contains(point)) return r.command;
    return 0;
}

void CMainWindow::runCommand(int command) {
    lastCommand_ = command;
    if (command == res::kIdCancel) {
        reject();
        return;
    }
    const command::Handler run = command::find(command);
    if (run && database_) lastResult_ = run(*database_, this);
}

void CMainWindow::reject() {
    cancelled_ = true;
    // The print frame stores what it keeps at program end, and it prints from
    // the database.
    printFrame_.reset();
    studyIndex_.reset();
    database_.reset();
    CAppDialog::reject();
}

CPrintFrame& CMainWindow::printFrame() {
    if (!printFrame_) printFrame_ = std::make_unique<CPrintFrame>(*database_);
    return *printFrame_;
}

void CMainWindow::setVisible(bool visible) {
    // A dialog that hides ends its modal run; the picture menu hides while
    // printing runs and must come back to the same run.
    if (!visible && !closing_ && isVisible()) {
        QWidget::setVisible(false);
        return;
    }
    CAppDialog::setVisible(visible);
}

void CMainWindow::done(int result) {
    closing_ = true;
    CAppDialog::done(result);
    closing_ = false;
}

void CMainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter must not close the window past the save offer; it does nothing.
        event->accept();
        return;
    default:
        CAppDialog::keyPressEvent(event);
    }
}

void CMainWindow::mouseMoveEvent(QMouseEvent* event) {
    CAppDialog::mouseMoveEvent(event);
    const bool overRegion = menuShown() && hitTest(event->position().toPoint()) != 0;
    setCursor(overRegion ? handCursor_ : QCursor(Qt::ArrowCursor));
}

void CMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    CAppDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !menuShown()) return;
    if (const int command = hitTest(event->position().toPoint())) runCommand(command);
}

void CMainWindow::changeEvent(QEvent* event) {
    CAppDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        refreshColours();
        update();
    }
}

bool CMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) {
        refreshColours();
        update();
    }
    return CAppDialog::event(event);
}

} // namespace zq
