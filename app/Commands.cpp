#include "app/Commands.h"

#include "app/AboutDialog.h"
#include "app/OptionsDialog.h"
#include "resources/DialogTemplates.h"

namespace zq::command {

// The quiz, the word tools and printing come with their own dialogs; until a
// tool is there its command shows nothing.
int quiz(CWordDatabase&, QWidget*) {
    return kNotShown;
}

int wordBuilder(CWordDatabase&, QWidget*) {
    return kNotShown;
}

int wordChecker(CWordDatabase&, QWidget*) {
    return kNotShown;
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
