// Printing: pages drawn to real PDF files and read back with poppler's
// pdfinfo and pdftotext, the red frame of the preview, and the Print command
// from the picture menu through the wizard, the print dialog and the preview.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QWizard>

#include <memory>

#include "app/MainWindow.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "print/PageLayout.h"
#include "print/PrintFrame.h"
#include "print/PrintView.h"
#include "resources/DialogTemplates.h"
#include "study/StudyDialog.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& path) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                   QRegularExpression::MultilineOption);
    const auto m = pages.match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page, with every run of blanks made one space.
QString pdfText(const QString& path, int page) {
    const QString text =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")});
    QString out = text;
    out.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    out.remove(QLatin1Char('\f'));
    return out.trimmed();
}

// A PDF printer on A4 with margins of 10 mm: a printable area of 190 x 277 mm.
void toPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

class PrintTest : public GuiTest {
  protected:
    // The lexicon's four-letter words as the set, with or without
    // definitions.
    void open(const std::vector<std::string>& records, bool definitions,
              int set = kFourLetterWords) {
        db.reset(); // the nodes come from one pool: one database at a time
        db = databaseWith(dir, ui, records);
        CWordSetCriteria c;
        c.cannedWordSet = set;
        c.definitions = definitions ? 1 : 0;
        c.save(store);
    }
    QString pdf(const char* name) const { return QString::fromStdString(dir.path()) + "/" + name; }

    // Prints the whole set to a PDF file and returns its path.
    QString printed(const char* name) {
        CPrintView view(*db);
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, pdf(name));
        EXPECT_EQ(view.print(printer), CPrintView::Job::Printed);
        return pdf(name);
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
};

} // namespace

TEST_F(PrintTest, MiniDictionaryHasSixtyLinesAPage) {
    open(fourLetterRecords(60, true), true);
    const QString one = printed("one.pdf");
    EXPECT_EQ(pdfPages(one), 1);
    const QString page = pdfText(one, 1);
    EXPECT_TRUE(
        page.startsWith("Page 1. Printed by Zendraquil - Word Set:jqxzAllAll Maximum word length:4 "
                        "Definitions:Yes\n"))
        << page.toStdString();
    EXPECT_TRUE(page.contains("waaa - n. a word\n"));
    EXPECT_TRUE(page.endsWith("wach - n. a word")); // the 60th
    EXPECT_EQ(page.split('\n').size(), 2 + 60);     // the header, an empty line, the entries

    open(fourLetterRecords(61, true), true);
    const QString two = printed("two.pdf");
    EXPECT_EQ(pdfPages(two), 2);
    const QString last = pdfText(two, 2);
    EXPECT_TRUE(last.startsWith("Page 2. ")) << last.toStdString();
    EXPECT_TRUE(last.endsWith("Definitions:Yes\n\nwaci - n. a word")) << last.toStdString();
}

TEST_F(PrintTest, WordListRunsDownSixColumns) {
    open(fourLetterRecords(361, false), false);
    const QString path = printed("words.pdf");
    EXPECT_EQ(pdfPages(path), 2);
    const QString first = pdfText(path, 1);
    // The first line holds the first word of each column: 0, 60, ... 300.
    const QStringList lines = first.split('\n');
    ASSERT_EQ(lines.size(), 2 + 60);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "waaa waci waeq wagy wajg walo");
    EXPECT_EQ(lines[61], "wach waep wagx wajf waln wanv");
    EXPECT_EQ(pdfText(path, 2), "Page 2. Printed by Zendraquil - Word Set:jqxzAllAll Maximum word "
                                "length:4 Definitions:No\n\nwanw");
}

TEST_F(PrintTest, AnEmptySetPrintsOneBlankPage) {
    open({"zebra*a striped horse*n**~"}, true); // no word of four letters
    const QString path = printed("empty.pdf");
    EXPECT_EQ(pdfPages(path), 1);
    EXPECT_EQ(pdfText(path, 1), "");
}

// A definition too long for the paper ends in an ellipsis at the right edge
// and keeps its line; a long word of the columns stays inside its column.
TEST_F(PrintTest, LongTextsStayOnThePaper) {
    std::string definition;
    for (int i = 0; definition.size() < 400; ++i)
        definition += "word" + std::to_string(i) + " ";
    definition += "lastword";
    open({"wand*" + definition + "*n**~", "ward*a guarded room*n**~"}, true);
    const QString path = printed("long.pdf");
    const QStringList lines = pdfText(path, 1).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith("wand - n. word0 word1 "));
    EXPECT_TRUE(lines[2].endsWith(QString::fromUtf8("…"))) << lines[2].toStdString();
    EXPECT_FALSE(lines[2].contains("lastword"));
    EXPECT_EQ(lines[3], "ward - n. a guarded room");

    // Without definitions: every two-letter unit plus a 28-letter word, all
    // in the first column. pdftotext -bbox gives each word's box in points.
    open({"ethylenediaminetetraacetates****~", "zebra****~"}, false, 0);
    const QString words = printed("columns.pdf");
    const QString boxes =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), words, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]+)</word>"));
    const double columnPoints = 190.0 / 6 / 25.4 * 72; // 10 mm margin, then the columns
    const double left = 10.0 / 25.4 * 72;
    bool sawLong = false;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(3) != "ethylenediaminetetraacetates") continue;
        sawLong = true;
        EXPECT_GE(m.captured(1).toDouble(), left - 1);
        EXPECT_LE(m.captured(2).toDouble(), left + columnPoints);
    }
    EXPECT_TRUE(sawLong);
}

TEST_F(PrintTest, OnlyThePreviewDrawsTheRedFrame) {
    open(fourLetterRecords(5, true), true);
    CWordSetCriteria c;
    c.load(store, db.get());
    markWordSet(*db, c, false, false);
    const CPageLayout layout(*db, c, 19000, 27700);
    for (bool preview : {false, true}) {
        QImage image(380, 554, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(0.02, 0.02);
        CPrintView::drawPage(painter, layout, 1, preview);
        painter.end();
        int red = 0, dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor px = image.pixelColor(x, y);
                if (px.red() > 200 && px.green() < 80) ++red;
                if (px.red() < 100 && px.green() < 100) ++dark;
            }
        EXPECT_EQ(red > 100, preview) << red;
        EXPECT_GT(dark, 50); // the header and the lines
        // The left edge: dashes in the preview, nothing printed.
        int redOnEdge = 0;
        for (int y = 0; y < image.height(); ++y)
            redOnEdge += image.pixelColor(0, y) == QColor(Qt::red);
        EXPECT_EQ(redOnEdge > image.height() / 4, preview) << redOnEdge;
        EXPECT_LT(redOnEdge, image.height()); // dashes, not a line
    }
}

TEST_F(PrintTest, AJobThatCannotStartFails) {
    open(fourLetterRecords(3, true), true);
    CPrintView view(*db);
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, pdf("no/such/folder/x.pdf"));
    EXPECT_EQ(view.print(printer), CPrintView::Job::Failed);
}

TEST_F(PrintTest, FontIsTheFaceOrItsMetricTwinAtTheCellHeight) {
    const QString family = CPrintView::fontFamily();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    const QFont font = CPrintView::pageFont(446);
    EXPECT_EQ(font.weight(), QFont::Medium);
    EXPECT_NEAR(QFontMetricsF(font).height(), 446, 446 * 0.04);
}

// ---- The Print command from the picture menu ----

namespace {

class PrintCommandTest : public PrintTest {
  protected:
    void SetUp() override {
        PrintTest::SetUp();
        dir.write(kWordListName, wordListBytes(fourLetterRecords(70, true)));
        store.writeInt("Settings", reg::kNoLogon, 1);
        CWordSetCriteria c;
        c.cannedWordSet = kFourLetterWords;
        c.save(store);
        menu = std::make_unique<CMainWindow>(&ui, dir.path());
        ASSERT_TRUE(menu->startUp());
        menu->show();
    }
    void TearDown() override {
        menu.reset();
        PrintTest::TearDown();
    }
    int storedSet() {
        CWordSetCriteria c;
        c.load(store, nullptr);
        return c.cannedWordSet;
    }
    // A handler for the wizard that picks a set on its Sets page and
    // finishes (with definitions, as the first page opens).
    ModalDriver::Handler finishWith(int set) {
        return [this, set](QWidget* window) {
            EXPECT_FALSE(menu->isVisible()); // the picture menu steps aside
            finishOnSet(window, set);
        };
    }
    std::unique_ptr<CMainWindow> menu;
};

} // namespace

TEST_F(PrintCommandTest, CancelInTheWizardOrThePrintDialogPrintsNothing) {
    const QString path = pdf("never.pdf");
    menu->printFrame().printer().setOutputFileName(path);
    {
        ModalDriver driver;
        driver.then([this](QWidget* wizard) {
            EXPECT_FALSE(menu->isVisible());
            clickButton(wizard, "Cancel");
        });
        menu->runCommand(res::kIdPrint);
        EXPECT_EQ(driver.seen(), 1);
    }
    EXPECT_EQ(menu->lastResult(), QDialog::Rejected);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(storedSet(), kFourLetterWords);
    {
        ModalDriver driver;
        driver.then(finishWith(kTwoLetterWords));
        driver.then([](QWidget* dialog) {
            EXPECT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
            clickButton(dialog, "Cancel");
        });
        menu->runCommand(res::kIdPrint);
        EXPECT_EQ(driver.seen(), 2);
    }
    EXPECT_EQ(menu->lastResult(), QDialog::Rejected);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(storedSet(), kTwoLetterWords); // the wizard's choice stays
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PrintCommandTest, PrintsThePageRangeToPdf) {
    // 70 entries with definitions: two pages; only the second is asked for.
    const QString path = pdf("range.pdf");
    menu->printFrame().printer().setOutputFileName(path);
    ModalDriver driver;
    driver.then(finishWith(kFourLetterWords));
    driver.then([](QWidget* dialog) {
        auto* range = dialog->findChild<QRadioButton*>("printRange");
        auto* from = dialog->findChild<QSpinBox*>("from");
        auto* to = dialog->findChild<QSpinBox*>("to");
        ASSERT_TRUE(range && from && to);
        EXPECT_EQ(from->maximum(), 2);
        range->click();
        from->setValue(2);
        to->setValue(2);
        clickButton(dialog, "Print");
    });
    menu->runCommand(res::kIdPrint);
    EXPECT_EQ(driver.seen(), 2);
    EXPECT_EQ(menu->lastResult(), QDialog::Accepted);
    EXPECT_TRUE(menu->isVisible());
    ASSERT_EQ(pdfPages(path), 1);
    const QString page = pdfText(path, 1);
    EXPECT_TRUE(page.startsWith("Page 2. ")) << page.toStdString();
    EXPECT_EQ(page.count('\n'), 1 + 10);
}

// The print dialog refuses a file it cannot write before anything prints.
TEST_F(PrintCommandTest, AnUnwritableFileIsRefusedBeforePrinting) {
    const QString path = pdf("no/such/folder/x.pdf");
    menu->printFrame().printer().setOutputFileName(path);
    ModalDriver driver;
    driver.then(finishWith(kFourLetterWords));
    driver.then([](QWidget* dialog) { clickButton(dialog, "Print"); });
    driver.then([](QWidget* refusal) {
        EXPECT_TRUE(messageText(refusal).contains("not writable"))
            << messageText(refusal).toStdString();
        clickButton(refusal, "OK");
        // Back in the print dialog: give up.
        QTimer::singleShot(50, [] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    });
    menu->runCommand(res::kIdPrint);
    EXPECT_EQ(driver.seen(), 3);
    EXPECT_EQ(menu->lastResult(), QDialog::Rejected);
    EXPECT_TRUE(menu->isVisible());
}

// The print dialog's Print Preview button opens the preview of every page;
// its page mode is kept for the next preview and stored at the end.
TEST_F(PrintCommandTest, PreviewShowsThePagesAndKeepsItsPageMode) {
    menu->printFrame().printer().setOutputFileName(pdf("preview.pdf"));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ModalDriver driver;
        driver.then(finishWith(kFourLetterWords));
        driver.then([](QWidget* dialog) { clickButton(dialog, "Print Preview"); });
        driver.then([round](QWidget* window) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(window);
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->windowTitle(), "Zendraquil Print Preview");
            auto* widget = preview->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->pageCount(), 2);
            auto* facing = preview->findChild<QAction*>("facingModeAction");
            ASSERT_NE(facing, nullptr);
            EXPECT_EQ(facing->isChecked(), round == 1); // remembered from round 0
            facing->trigger();
            preview->reject();
        });
        menu->runCommand(res::kIdPrint);
        EXPECT_EQ(driver.seen(), 3);
        EXPECT_TRUE(menu->isVisible());
    }
    EXPECT_FALSE(QFile::exists(pdf("preview.pdf")));
    EXPECT_FALSE(store.contains("Settings", reg::kPreviewPages)); // not before the end
    menu->reject();
    EXPECT_EQ(store.readInt("Settings", reg::kPreviewPages, 0), 2);
}

// Hiding the picture menu for printing does not end its modal run.
TEST_F(PrintCommandTest, ThePictureMenuRunsOnAfterPrinting) {
    ModalDriver driver;
    bool stillRunning = false;
    driver.then([this](QWidget*) { menu->runCommand(res::kIdPrint); });
    driver.then([&](QWidget* wizard) {
        clickButton(wizard, "Cancel");
        QTimer::singleShot(50, menu.get(), [&] {
            stillRunning = menu->isVisible() && QApplication::activeModalWidget() == menu.get();
            menu->reject();
        });
    });
    menu->hide(); // so that its run shows it as a modal window
    menu->QDialog::exec();
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(driver.seen(), 2);
}

// A stored page mode other than 1 or 2 opens the preview on one page.
TEST_F(PrintCommandTest, AnUnusableStoredPageModeMeansOnePage) {
    for (const char* stored : {"2", "0", "3", "-2", "two", ""}) {
        store.writeString("Settings", reg::kPreviewPages, stored);
        CPrintFrame frame(*menu->database());
        EXPECT_EQ(frame.previewPages(), std::string(stored) == "2" ? 2 : 1) << stored;
    }
}

// Where the platform's own print dialog is used (forced here), the preview is
// offered before it, and the dialog has no button of ours.
TEST_F(PrintCommandTest, WithThePlatformDialogThePreviewIsOfferedFirst) {
    CPrintFrame& frame = menu->printFrame();
    frame.platformDialog = true;
    frame.printersInstalled = [] { return true; };
    {
        ModalDriver driver;
        driver.then(finishWith(kFourLetterWords));
        driver.then([](QWidget* window) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(window);
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 2);
            preview->reject();
        });
        answers::queue({Answer::Yes});
        menu->runCommand(res::kIdPrint);
        EXPECT_EQ(driver.seen(), 2);
        EXPECT_EQ(answers::asked(), QStringList{QString::fromUtf8(str::kPrintPreviewFirst)});
        EXPECT_TRUE(menu->isVisible());
    }
    answers::reset();
    ModalDriver driver;
    driver.then(finishWith(kFourLetterWords));
    driver.then([](QWidget* dialog) {
        EXPECT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
        EXPECT_EQ(dialog->findChild<QPushButton*>("printPreview"), nullptr);
        clickButton(dialog, "Cancel");
    });
    answers::queue({Answer::No});
    menu->runCommand(res::kIdPrint);
    EXPECT_EQ(driver.seen(), 2);
    EXPECT_EQ(menu->lastResult(), QDialog::Rejected);
    EXPECT_TRUE(menu->isVisible());
}

// With the platform's dialog and no printer installed, the user is told and
// the word list is saved as a PDF file the user names.
TEST_F(PrintCommandTest, WithNoPrinterThePlatformRoadSavesAPdf) {
    CPrintFrame& frame = menu->printFrame();
    frame.platformDialog = true;
    frame.printersInstalled = [] { return false; };
    const QString path = pdf("saved.pdf");
    ModalDriver driver;
    driver.then(finishWith(kFourLetterWords));
    driver.then([&](QWidget* window) {
        auto* files = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(files, nullptr);
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    answers::queue({Answer::No, Answer::Ok});
    menu->runCommand(res::kIdPrint);
    EXPECT_EQ(driver.seen(), 2);
    EXPECT_EQ(answers::asked(), QStringList({QString::fromUtf8(str::kPrintPreviewFirst),
                                             QString::fromUtf8(str::kNoPrinterSavePdf)}));
    EXPECT_EQ(menu->lastResult(), QDialog::Accepted);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(pdfPages(path), 2);
}

// The study window's found words print through the same print dialog, as a
// mini-dictionary of exactly those words, and the next Print command prints
// a set again.
TEST_F(PrintCommandTest, FoundWordsOfTheStudyWindowPrintAsAMiniDictionary) {
    const QString path = pdf("found.pdf");
    menu->printFrame().printer().setOutputFileName(path);
    CStudyDialog study(*menu->database(), &menu->studyIndex(), &menu->printFrame());
    study.findChild<QLineEdit*>("searchPattern")->setText("waa[bc]");
    study.runSearch();
    ModalDriver driver;
    driver.then([](QWidget* dialog) {
        EXPECT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
        clickButton(dialog, "Print");
    });
    study.printResults();
    EXPECT_EQ(driver.seen(), 1);
    ASSERT_EQ(pdfPages(path), 1);
    const QStringList lines = pdfText(path, 1).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    EXPECT_TRUE(lines[0].contains("Word Set:Word search ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("waab - n. ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("waac - n. ")) << lines[2].toStdString();
    EXPECT_TRUE(menu->isVisible()); // nothing was hidden
    EXPECT_TRUE(menu->printFrame().view.entries.empty());
}
