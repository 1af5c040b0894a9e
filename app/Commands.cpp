#include "app/Commands.h"

#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "app/QtHost.h"
#include "core/WordDatabase.h"
#include "print/PrintFrame.h"
#include "quiz/QuizDialog.h"
#include "resources/DialogTemplates.h"
#include "study/StudyDialog.h"
#include "tools/WordBuilderDialog.h"
#include "tools/WordCheckerDialog.h"
#include "wordsets/WordSetCriteria.h"
#include "wordsets/WordSetWizardDialog.h"

namespace zq::command {

int quiz(CWordDatabase& database, QWidget* parent) {
    SettingsStore& settings = app::settings();
    CQuizDialog dialog(database, parent);
    int size = 0;
    // The quiz plays by the criteria in hand, which the settings may not
    // have been able to keep.
    CWordSetCriteria playing;
    {
        BusyCursor busy;
        size = prepareQuizSet(database, settings, &playing);
    }
    // An empty set: the wizard first; cancelled, there is no quiz.
    if (size == 0 && runWordSetWizard(database, false, parent, &playing) != 1) return kNotShown;
    dialog.session.play(playing);
    CWordNode* first = drawRandomWord(database, dialog.session.criteria(), true);
    if (!first) return kNotShown;
    dialog.session.begin(first);
    return dialog.exec();
}

int wordBuilder(CWordDatabase& database, QWidget*) {
    CWordBuilderDialog dialog;
    {
        BusyCursor busy;
        // Every word but the expurged ones.
        markWordSet(database, app::settings(), true, false);
    }
    dialog.database = &database;
    return dialog.exec();
}

int wordChecker(CWordDatabase& database, QWidget*) {
    // Only the allow-expurged option is used.
    const COptionsDialog options;
    CWordCheckerDialog dialog;
    {
        BusyCursor busy;
        markWordSet(database, app::settings(), true, options.expurged != 0);
    }
    dialog.database = &database;
    return dialog.exec();
}

int print(CWordDatabase& database, QWidget* parent) {
    // The picture menu keeps one frame for the program's run; any other
    // caller prints through a frame of its own.
    if (auto* window = qobject_cast<CMainWindow*>(parent)) return window->printFrame().run(parent);
    CPrintFrame frame(database);
    return frame.run(parent);
}

int options(CWordDatabase&, QWidget*) {
    // No parent, as the tools: the dialog reads the settings when it is made
    // and stores them on OK.
    COptionsDialog dialog;
    return dialog.exec();
}

int about(CWordDatabase& database, QWidget*) {
    CAboutDialog dialog(nullptr, database.setup().lexiconName);
    return dialog.exec();
}

int study(CWordDatabase& database, QWidget* parent) {
    // The picture menu keeps the study index and the print frame for the
    // program's run; any other caller gets a window with its own.
    auto* window = qobject_cast<CMainWindow*>(parent);
    CStudyDialog dialog(database, window ? &window->studyIndex() : nullptr,
                        window ? &window->printFrame() : nullptr);
    return dialog.exec();
}

Handler find(int id) {
    switch (id) {
    case res::kIdQuiz:
        return quiz;
    case res::kIdWordBuilder:
        return wordBuilder;
    case res::kIdWordChecker:
        return wordChecker;
    case res::kIdPrint:
        return print;
    case res::kIdOptions:
        return options;
    case res::kIdAbout:
        return about;
    case res::kIdStudy:
        return study;
    default:
        return nullptr;
    }
}

} // namespace zq::command
