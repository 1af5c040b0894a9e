#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zq {

class FileSystem;

// The lexicons of the working folder: which is loaded, which the next start
// loads (the player picks it here), and adding one from a word list of the
// player's own. The work is done by the engine's lexicon functions; this
// window shows their results and asks what they need.
class CLexiconsDialog : public QDialog {
    Q_OBJECT
  public:
    CLexiconsDialog(FileSystem& fs, std::string workingFolder, std::string loadedName,
                    QWidget* parent = nullptr);

    // Builds the lexicon from the file and name in the fields, with a
    // progress window that can stop it; shows the report and offers to load
    // it at the next start. False when nothing was added.
    bool addFromFields();
    // Makes the selected lexicon the one the next start loads.
    bool startWithSelected();

  private:
    void refresh();
    void browse();
    bool setStartUp(const std::string& name);

    FileSystem& fs_;
    std::string folder_;
    std::string loaded_;
    QListWidget* list_ = nullptr;
    QLineEdit* file_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* startWith_ = nullptr;
};

} // namespace zq
