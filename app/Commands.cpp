#include "app/Commands.h"

#include "app/AboutDialog.h"
#include "app/OptionsDialog.h"
#include "app/QtHost.h"
#include "resources/DialogTemplates.h"
#include "tools/WordBuilderDialog.h"
#include "tools/WordCheckerDialog.h"
#include "wordsets/WordSetCriteria.h"

namespace zq::command {

// The quiz and printing come with their own dialogs; until a tool is there
// its command shows nothing.
int quiz(CWordDatabase&, QWidget*) {
    return kNotShown;
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

int print(CWordDatabase&, QWidget*) {
    return kNotShown;
}

int options(CWordDatabase&, QWidget*) {
    // No parent, as the tools: the dialog reads the settings when it is made
    // and stores them on OK.
    COptionsDialog dialog;
    return dialog.exec();
}

int about(CWordDatabase&, QWidget*) {
    CAboutDialog dialog;
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
    default:
        return nullptr;
    }
}

} // namespace zq::command
