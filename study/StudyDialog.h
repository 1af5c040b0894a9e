#pragma once

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "app/AppDialog.h"
#include "study/Cardbox.h"
#include "study/SearchResults.h"
#include "study/StudySession.h"
#include "study/WordSearch.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeView;
class QTreeWidget;

namespace zq {

class CInfoLabel;
class CPrintFrame;
class CTileRack;
class CWordDatabase;
class StudyIndex;

// The cardbox's forecast as a bar chart: one bar a day, today first.
class ForecastChart : public QWidget {
    Q_OBJECT
  public:
    explicit ForecastChart(QWidget* parent = nullptr);
    void setCounts(std::vector<int> counts);
    const std::vector<int>& counts() const { return counts_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<int> counts_;
};

// The found words of a search, sortable by any column.
class ResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Word, Front, Back, Rank, Definition, Columns };
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<ResultRow> rows);
    const std::vector<ResultRow>& rows() const { return rows_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    std::vector<ResultRow> rows_;
};

// The study window: the user's cardbox for the chosen quiz type (its boxes,
// what is due and the forecast, and adding questions), the cardbox quiz, and
// the word search. The rules and texts live in the study engine; this
// window shows them and forwards the keys and clicks.
class CStudyDialog : public CAppDialog {
    Q_OBJECT
  public:
    // `indexSlot` holds the study index to use (the main window keeps one
    // for the program's run); the window builds it there when it first needs
    // it, so that opening the window never waits for it. Null: the window
    // keeps an index of its own. `printFrame` prints the found words (null:
    // a frame of the window's own).
    CStudyDialog(CWordDatabase& database, std::unique_ptr<StudyIndex>* indexSlot,
                 CPrintFrame* printFrame, QWidget* parent = nullptr);
    ~CStudyDialog() override;

    QuizType quizType() const { return type_; }
    void setQuizType(QuizType type);
    Cardbox* cardbox() const { return box_.get(); }
    StudySession* session() const { return session_.get(); }
    // The study index, built on first use and brought up to date.
    StudyIndex& index();
    // The cardbox's file for the current user and type.
    std::string cardboxFile() const;

    // The tabs' work, as the buttons run it.
    void addQuestions();
    void startQuiz();
    void submitAnswer();
    void finishQuestion();
    void markQuestion(bool right);
    void undoJudgement();
    void nextQuestion();
    void runSearch();
    // The selected found words (all of them when none is selected) as plain
    // text, and put on the clipboard.
    QString selectedText() const;
    void copyResults();
    void printResults();
    // Writes the found words to `path`: CSV when it ends in .csv, else plain
    // text. False (with a message shown) when it cannot.
    bool exportResults(const QString& path);
    // The search form's conditions.
    SearchConditions searchConditions() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* buildCardboxTab();
    QWidget* buildQuizTab();
    QWidget* buildSearchTab();
    void openCardbox(bool create);
    void refreshCardbox();
    void showQuestion();
    void showLines();
    void showVerdict();
    void updateQuizButtons();
    // Tells the player why the cardbox refused the last change, if it did.
    void warnOfFailure();
    void showTiles(const std::string& letters);
    void shuffleTiles(bool alphabetise);
    bool expurged() const;
    void fillSetList(QComboBox* box, bool anyWord);

    CWordDatabase& database_;
    std::unique_ptr<StudyIndex> ownIndex_;
    std::unique_ptr<StudyIndex>* indexSlot_;
    CPrintFrame* printFrame_;
    std::unique_ptr<CPrintFrame> ownPrintFrame_;
    QuizType type_ = QuizType::Anagrams;
    std::unique_ptr<Cardbox> box_;
    std::string boxError_;
    std::unique_ptr<StudySession> session_;
    std::string tiles_;

    QComboBox* typeBox_ = nullptr;
    QCheckBox* expurgedBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    // Cardbox tab.
    QLabel* summary_ = nullptr;
    QLabel* boxes_ = nullptr;
    ForecastChart* chart_ = nullptr;
    QComboBox* source_ = nullptr;
    QComboBox* addSet_ = nullptr;
    QSpinBox* addMin_ = nullptr;
    QSpinBox* addMax_ = nullptr;
    QSpinBox* addFirst_ = nullptr;
    QPlainTextEdit* typed_ = nullptr;
    QLabel* addResult_ = nullptr;
    // Quiz tab.
    CInfoLabel* status_ = nullptr;
    CTileRack* rack_ = nullptr;
    QLineEdit* answer_ = nullptr;
    QTreeWidget* lines_ = nullptr;
    CInfoLabel* verdict_ = nullptr;
    QPushButton* giveUp_ = nullptr;
    QPushButton* markRight_ = nullptr;
    QPushButton* markMissed_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* shuffle_ = nullptr;
    QPushButton* alphabetise_ = nullptr;
    // Search tab.
    QLineEdit* pattern_ = nullptr;
    QLineEdit* anagram_ = nullptr;
    QLineEdit* subanagram_ = nullptr;
    QSpinBox* minLength_ = nullptr;
    QSpinBox* maxLength_ = nullptr;
    QSpinBox* minRank_ = nullptr;
    QSpinBox* maxRank_ = nullptr;
    QComboBox* blanks_ = nullptr;
    QSpinBox* minAnagrams_ = nullptr;
    QSpinBox* maxAnagrams_ = nullptr;
    QComboBox* searchSet_ = nullptr;
    QComboBox* frontHooks_ = nullptr;
    QComboBox* backHooks_ = nullptr;
    QCheckBox* defined_ = nullptr;
    QComboBox* order_ = nullptr;
    QLabel* found_ = nullptr;
    QTreeView* results_ = nullptr;
    ResultModel* model_ = nullptr;
    std::vector<std::uint32_t> foundWords_;
};

} // namespace zq
