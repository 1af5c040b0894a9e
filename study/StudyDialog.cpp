#include "study/StudyDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>

#include "app/AppContext.h"
#include "app/InfoLabel.h"
#include "app/QtHost.h"
#include "core/Letters.h"
#include "core/Lexicons.h"
#include "core/Random.h"
#include "core/RegistryNames.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "print/PrintFrame.h"
#include "quiz/TileRack.h"
#include "study/LexiconsDialog.h"
#include "study/Questions.h"
#include "study/StudyIndex.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}
QString qs(const std::string& text) {
    return textFromBytes(text);
}
QString withCount(const char* pattern, long long n) {
    return qs(str::withText(pattern, std::to_string(n)));
}

std::int64_t now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

// Above this many questions an add shows its progress and can be cancelled.
constexpr int kLongAdd = 2000;

QSpinBox* spin(int lo, int hi, int value, const char* name, const QString& special = {}) {
    auto* box = new QSpinBox;
    box->setRange(lo, hi);
    box->setValue(value);
    box->setObjectName(QLatin1String(name));
    if (!special.isEmpty()) box->setSpecialValueText(special);
    return box;
}

// A form label whose mnemonic goes to `buddy` (a row that is a layout has no
// field of its own to take it).
QLabel* labelFor(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout* pair(QWidget* a, const QString& between, QWidget* b) {
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(new QLabel(between));
    row->addWidget(b);
    row->addStretch(1);
    return row;
}

} // namespace

// --- ForecastChart ----------------------------------------------------------

ForecastChart::ForecastChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("forecastChart"));
    setMinimumHeight(110);
    setFocusPolicy(Qt::NoFocus);
}

void ForecastChart::setCounts(std::vector<int> counts) {
    counts_ = std::move(counts);
    // What the chart shows, for screen readers: the day counts in order.
    QStringList days;
    for (int n : counts_)
        days << QString::number(n);
    setAccessibleName(qs(str::kStudyForecast));
    setAccessibleDescription(days.join(QLatin1Char(' ')));
    update();
}

QSize ForecastChart::sizeHint() const {
    return {420, 130};
}

void ForecastChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const SystemColours c = app::colours();
    p.fillRect(rect(), c.infoBackground);
    p.setPen(c.shadow);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const int days = std::max<int>(30, static_cast<int>(counts_.size()));
    const QFontMetrics fm(font());
    const int labelHeight = fm.height();
    const QRect area = rect().adjusted(6, labelHeight + 4, -6, -labelHeight - 4);
    if (area.height() < 4 || area.width() < days) return;
    const int most =
        std::max(1, counts_.empty() ? 1 : *std::max_element(counts_.begin(), counts_.end()));
    const double step = area.width() / double(days);
    p.setPen(c.infoText);
    for (int d = 0; d < days; ++d) {
        const int n =
            d < static_cast<int>(counts_.size()) ? counts_[static_cast<std::size_t>(d)] : 0;
        const double h = area.height() * double(n) / most;
        const QRectF bar(area.left() + d * step + step * 0.15, area.bottom() - h, step * 0.7, h);
        // Today and tomorrow stand out: they are the work in hand.
        QColor fill = d == 0   ? QColor(200, 120, 40)
                      : d == 1 ? QColor(60, 130, 200)
                               : QColor(90, 150, 110);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        if (n > 0) p.drawRect(bar);
        p.setPen(c.infoText);
        if (n > 0 && fm.horizontalAdvance(QString::number(n)) <= step * 1.6)
            p.drawText(
                QRectF(bar.left() - step, bar.top() - labelHeight - 1, step * 2.4, labelHeight),
                Qt::AlignHCenter | Qt::AlignBottom, QString::number(n));
        // Today's label starts at the chart's edge; the others sit under
        // their bars.
        if (d == 0)
            p.drawText(QRectF(area.left(), area.bottom() + 2, step * 4, labelHeight),
                       Qt::AlignLeft | Qt::AlignTop, qs(str::kStudyToday));
        else if (d % 5 == 0)
            p.drawText(
                QRectF(area.left() + d * step - step, area.bottom() + 2, step * 3, labelHeight),
                Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("+%1").arg(d));
    }
    p.setPen(c.shadow);
    p.drawLine(area.bottomLeft(), area.bottomRight());
}

// --- ResultModel ------------------------------------------------------------

void ResultModel::setRows(std::vector<ResultRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const ResultRow& r = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole && (index.column() == Front || index.column() == Rank))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case Word:
        return QString::fromLatin1(upperLetters(r.word).c_str());
    case Front:
        return QString::fromLatin1(r.front.c_str());
    case Back:
        return QString::fromLatin1(r.back.c_str());
    case Rank:
        return r.rank ? QVariant(static_cast<qulonglong>(r.rank)) : QVariant(QString());
    case Definition:
        return qs(r.definition);
    default:
        return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {str::kStudyColumnWord, str::kStudyColumnFront,
                                        str::kStudyColumnBack, str::kStudyColumnRank,
                                        str::kStudyColumnDefinition};
    return section >= 0 && section < Columns ? qs(names[section]) : QVariant();
}

void ResultModel::sort(int column, Qt::SortOrder order) {
    const auto key = [column](const ResultRow& r) -> const std::string& {
        switch (column) {
        case Front:
            return r.front;
        case Back:
            return r.back;
        case Definition:
            return r.definition;
        default:
            return r.word;
        }
    };
    beginResetModel();
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ResultRow& a, const ResultRow& b) {
        if (column == Rank) {
            // Unranked words last either way.
            const std::uint32_t ra = a.rank ? a.rank : UINT32_MAX;
            const std::uint32_t rb = b.rank ? b.rank : UINT32_MAX;
            if (ra == rb) return a.word < b.word;
            if (ra == UINT32_MAX || rb == UINT32_MAX) return rb == UINT32_MAX;
            return order == Qt::AscendingOrder ? ra < rb : ra > rb;
        }
        const int c = key(a).compare(key(b));
        if (c != 0) return order == Qt::AscendingOrder ? c < 0 : c > 0;
        return a.word < b.word;
    });
    endResetModel();
}

// --- CStudyDialog -----------------------------------------------------------

CStudyDialog::CStudyDialog(CWordDatabase& database, std::unique_ptr<StudyIndex>* indexSlot,
                           CPrintFrame* printFrame, QWidget* parent)
    : CAppDialog(res::kStudyTemplate, parent), database_(database),
      indexSlot_(indexSlot ? indexSlot : &ownIndex_), printFrame_(printFrame) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
    setWindowTitle(qs(str::kStudyCaption));

    UserProfile user(app::settings());
    type_ = user.readInt(reg::kStudyType, 0) == 1 ? QuizType::Hooks : QuizType::Anagrams;

    auto* top = new QHBoxLayout;
    typeBox_ = new QComboBox;
    typeBox_->setObjectName(QStringLiteral("studyType"));
    typeBox_->addItem(qs(str::kStudyTypeAnagrams));
    typeBox_->addItem(qs(str::kStudyTypeHooks));
    typeBox_->setCurrentIndex(type_ == QuizType::Hooks ? 1 : 0);
    auto* typeLabel = new QLabel(qs(str::kStudyTypeLabel));
    typeLabel->setBuddy(typeBox_);
    expurgedBox_ = new QCheckBox(qs(str::kStudyExpurged));
    expurgedBox_->setObjectName(QStringLiteral("studyExpurged"));
    expurgedBox_->setChecked(user.readInt(reg::kStudyExpurged, 0) == 1);
    top->addWidget(typeLabel);
    top->addWidget(typeBox_);
    top->addSpacing(16);
    top->addWidget(expurgedBox_);
    top->addStretch(1);
    // The lexicon the questions, searches and cardboxes belong to.
    auto* lexiconLabelWidget = new QLabel(
        qs(str::withText(str::kStudyLexicon, lexiconLabel(database_.setup().lexiconName))));
    lexiconLabelWidget->setObjectName(QStringLiteral("studyLexicon"));
    top->addWidget(lexiconLabelWidget);
    auto* lexicons = new QPushButton(qs(str::kLexiconsButton));
    lexicons->setObjectName(QStringLiteral("studyLexicons"));
    lexicons->setAutoDefault(false);
    top->addWidget(lexicons);
    connect(lexicons, &QPushButton::clicked, this, [this] {
        CLexiconsDialog dialog(database_.fileSystem(), database_.setup().folder,
                               database_.setup().lexiconName, this);
        dialog.setObjectName(QStringLiteral("lexiconsDialog"));
        dialog.exec();
    });

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("studyTabs"));
    tabs_->addTab(buildCardboxTab(), qs(str::kStudyCardboxTab));
    tabs_->addTab(buildQuizTab(), qs(str::kStudyQuizTab));
    tabs_->addTab(buildSearchTab(), qs(str::kStudySearchTab));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);
    // Room for the lists, but never more than the screen holds.
    QSize size(760, 560);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    connect(typeBox_, &QComboBox::activated, this,
            [this](int i) { setQuizType(i == 1 ? QuizType::Hooks : QuizType::Anagrams); });
    connect(expurgedBox_, &QCheckBox::toggled, this, [](bool on) {
        UserProfile(app::settings()).writeInt(reg::kStudyExpurged, on ? 1 : 0);
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 0) refreshCardbox();
        if (tab == 1 && answer_->isEnabled()) answer_->setFocus();
    });
    openCardbox(false);
    refreshCardbox();
    showQuestion();
}

CStudyDialog::~CStudyDialog() = default;

StudyIndex& CStudyDialog::index() {
    std::unique_ptr<StudyIndex>& slot = *indexSlot_;
    if (!slot) {
        BusyCursor busy;
        slot = std::make_unique<StudyIndex>(database_);
    } else {
        slot->refresh();
    }
    return *slot;
}

bool CStudyDialog::expurged() const {
    return expurgedBox_ && expurgedBox_->isChecked();
}

std::string CStudyDialog::cardboxFile() const {
    // Each lexicon keeps its own cardboxes, beside its word list.
    const std::string& folder = database_.listFolder();
    return cardboxPath(folder.empty() ? "." : folder, UserProfile::currentName(app::settings()),
                       type_);
}

void CStudyDialog::setQuizType(QuizType type) {
    if (type == type_ && box_) return;
    type_ = type;
    typeBox_->setCurrentIndex(type == QuizType::Hooks ? 1 : 0);
    UserProfile(app::settings()).writeInt(reg::kStudyType, type == QuizType::Hooks ? 1 : 0);
    session_.reset();
    box_.reset();
    openCardbox(false);
    refreshCardbox();
    showQuestion();
}

void CStudyDialog::openCardbox(bool create) {
    if (box_) return;
    boxError_.clear();
    std::string error;
    box_ = Cardbox::open(cardboxFile(), create, error);
    // A file that is not there yet is no fault: it is made on the first add.
    if (!box_ && (create || QFile::exists(QFile::decodeName(cardboxFile().c_str()))))
        boxError_ = error;
}

void CStudyDialog::refreshCardbox() {
    if (!box_) {
        summary_->setText(boxError_.empty()
                              ? qs(str::kStudyNoCardbox)
                              : qs(str::withText(str::kStudyCardboxRefused, boxError_)));
        boxes_->clear();
        chart_->setCounts({});
        return;
    }
    const std::int64_t t = now();
    const int size = box_->size();
    int heldBack = 0;
    const int due = box_->dueCount(t, &heldBack);
    const std::vector<int> forecast = box_->forecast(t, 30);
    QString summary = withCount(str::kStudyQuestions, size) + QStringLiteral("    ") +
                      withCount(str::kStudyDueNow, due);
    // The chart counts every question whose time has come; the day's work
    // takes new ones only up to the daily allowance.
    if (heldBack > 0)
        summary +=
            QLatin1Char(' ') +
            qs(str::withText(str::withText(str::kStudyHeldBack, std::to_string(heldBack)).c_str(),
                             std::to_string(box_->schedule().newPerDay)));
    summary_->setText(size == 0 ? qs(str::kStudyNoCardbox) : summary);
    QString counts = qs(str::kStudyBoxes);
    const std::vector<int> inBoxes = box_->boxCounts();
    for (std::size_t b = 0; b < inBoxes.size(); ++b)
        counts += QStringLiteral("   %1: %2").arg(b).arg(inBoxes[b]);
    boxes_->setText(size == 0 ? QString() : counts);
    chart_->setCounts(forecast);
}

void CStudyDialog::fillSetList(QComboBox* box, bool anyWord) {
    // A long title of a user's set must not widen the window.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(14);
    if (anyWord) box->addItem(qs(str::kStudyAnySet), -1);
    const int sets = kFirstUserSet + static_cast<int>(database_.userWordSets.size());
    for (int id = 0; id < sets; ++id) {
        if (id == 1) continue; // the custom set has no fixed members
        const std::string title = wordSetTitle(database_, id);
        if (!title.empty()) box->addItem(qs(title), id);
    }
}

QWidget* CStudyDialog::buildCardboxTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("cardboxSummary"));
    boxes_ = new QLabel;
    boxes_->setObjectName(QStringLiteral("cardboxBoxes"));
    boxes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chart_ = new ForecastChart;
    layout->addWidget(summary_);
    layout->addWidget(boxes_);
    layout->addWidget(new QLabel(qs(str::kStudyForecast)));
    layout->addWidget(chart_, 1);

    auto* group = new QGroupBox(qs(str::kStudyAddGroup));
    auto* form = new QFormLayout(group);
    source_ = new QComboBox;
    source_->setObjectName(QStringLiteral("addSource"));
    for (const char* s : {str::kStudySourceSet, str::kStudySourceSearch, str::kStudySourceMissed,
                          str::kStudySourceTyped})
        source_->addItem(qs(s));
    addSet_ = new QComboBox;
    addSet_->setObjectName(QStringLiteral("addSet"));
    fillSetList(addSet_, false);
    addMin_ = spin(2, 15, 7, "addMinLength");
    addMax_ = spin(2, 15, 7, "addMaxLength");
    addFirst_ = spin(0, 1000000, 100, "addFirst", qs(str::kStudyFirstAll));
    typed_ = new QPlainTextEdit;
    typed_->setObjectName(QStringLiteral("addTyped"));
    typed_->setTabChangesFocus(true);
    typed_->setMaximumHeight(60);
    form->addRow(qs(str::kStudySourceLabel), source_);
    form->addRow(qs(str::kStudySetLabel), addSet_);
    form->addRow(labelFor(str::kStudyLengthsLabel, addMin_),
                 pair(addMin_, qs(str::kStudyLengthTo), addMax_));
    form->addRow(qs(str::kStudyFirstLabel), addFirst_);
    form->addRow(qs(str::kStudyTypedLabel), typed_);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(qs(str::kStudyAddButton));
    add->setObjectName(QStringLiteral("addButton"));
    add->setAutoDefault(false);
    auto* start = new QPushButton(qs(str::kStudyStartButton));
    start->setObjectName(QStringLiteral("startQuiz"));
    start->setAutoDefault(false);
    addResult_ = new QLabel;
    addResult_->setObjectName(QStringLiteral("addResult"));
    addResult_->setWordWrap(true);
    buttons->addWidget(add);
    buttons->addWidget(addResult_, 1);
    buttons->addWidget(start);
    form->addRow(buttons);
    layout->addWidget(group);

    // Only the fields the chosen source reads are open.
    const auto follow = [this] {
        const int s = source_->currentIndex();
        addSet_->setEnabled(s == 0);
        addMin_->setEnabled(s == 0);
        addMax_->setEnabled(s == 0);
        typed_->setEnabled(s == 3);
    };
    connect(source_, &QComboBox::currentIndexChanged, this, follow);
    follow();
    connect(addMin_, &QSpinBox::valueChanged, this,
            [this](int v) { addMax_->setValue(std::max(v, addMax_->value())); });
    connect(addMax_, &QSpinBox::valueChanged, this,
            [this](int v) { addMin_->setValue(std::min(v, addMin_->value())); });
    connect(add, &QPushButton::clicked, this, &CStudyDialog::addQuestions);
    connect(start, &QPushButton::clicked, this, &CStudyDialog::startQuiz);
    return page;
}

QWidget* CStudyDialog::buildQuizTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    status_ = new CInfoLabel;
    status_->setObjectName(QStringLiteral("quizStatus"));
    status_->setMinimumHeight(22);
    layout->addWidget(status_);

    auto* tiles = new QHBoxLayout;
    rack_ = new CTileRack(15);
    rack_->setObjectName(QStringLiteral("quizTiles"));
    rack_->link(0, nullptr, 1);
    rack_->setFocusPolicy(Qt::NoFocus);
    // Fifteen tiles at most; the row narrows with the window, down to a
    // tile of 30 pixels.
    rack_->setFixedHeight(48);
    rack_->setMinimumWidth(15 * 30 + 8);
    rack_->setMaximumWidth(15 * 40 + 8);
    rack_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    shuffle_ = new QPushButton(qs(str::kStudyShuffle));
    shuffle_->setObjectName(QStringLiteral("shuffle"));
    alphabetise_ = new QPushButton(qs(str::kStudyAlphabetise));
    alphabetise_->setObjectName(QStringLiteral("alphabetise"));
    tiles->addWidget(rack_);
    auto* order = new QVBoxLayout;
    order->addWidget(shuffle_);
    order->addWidget(alphabetise_);
    tiles->addLayout(order);
    tiles->addStretch(1);
    layout->addLayout(tiles);

    auto* input = new QHBoxLayout;
    answer_ = new QLineEdit;
    answer_->setObjectName(QStringLiteral("answerInput"));
    answer_->setMaxLength(64);
    auto* answerLabel = new QLabel(qs(str::kStudyAnswerLabel));
    answerLabel->setBuddy(answer_);
    input->addWidget(answerLabel);
    input->addWidget(answer_, 1);
    layout->addLayout(input);

    lines_ = new QTreeWidget;
    lines_->setObjectName(QStringLiteral("answerList"));
    lines_->setRootIsDecorated(false);
    lines_->setColumnCount(4);
    lines_->setHeaderLabels({qs(str::kStudyColumnFront), qs(str::kStudyColumnWord),
                             qs(str::kStudyColumnBack), qs(str::kStudyColumnDefinition)});
    lines_->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    lines_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(lines_, 1);

    verdict_ = new CInfoLabel;
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setMinimumHeight(40);
    layout->addWidget(verdict_);

    auto* buttons = new QHBoxLayout;
    giveUp_ = new QPushButton(qs(str::kStudyGiveUp));
    giveUp_->setObjectName(QStringLiteral("giveUp"));
    markRight_ = new QPushButton(qs(str::kStudyMarkRight));
    markRight_->setObjectName(QStringLiteral("markRight"));
    markMissed_ = new QPushButton(qs(str::kStudyMarkMissed));
    markMissed_->setObjectName(QStringLiteral("markMissed"));
    undo_ = new QPushButton(qs(str::kStudyUndo));
    undo_->setObjectName(QStringLiteral("undo"));
    next_ = new QPushButton(qs(str::kStudyNext));
    next_->setObjectName(QStringLiteral("next"));
    for (QPushButton* b : {giveUp_, markRight_, markMissed_, undo_, next_, shuffle_, alphabetise_})
        b->setAutoDefault(false);
    buttons->addWidget(giveUp_);
    buttons->addWidget(markRight_);
    buttons->addWidget(markMissed_);
    buttons->addWidget(undo_);
    buttons->addStretch(1);
    buttons->addWidget(next_);
    layout->addLayout(buttons);

    connect(answer_, &QLineEdit::returnPressed, this, &CStudyDialog::submitAnswer);
    connect(giveUp_, &QPushButton::clicked, this, &CStudyDialog::finishQuestion);
    connect(markRight_, &QPushButton::clicked, this, [this] { markQuestion(true); });
    connect(markMissed_, &QPushButton::clicked, this, [this] { markQuestion(false); });
    connect(undo_, &QPushButton::clicked, this, &CStudyDialog::undoJudgement);
    connect(next_, &QPushButton::clicked, this, &CStudyDialog::nextQuestion);
    connect(shuffle_, &QPushButton::clicked, this, [this] { shuffleTiles(false); });
    connect(alphabetise_, &QPushButton::clicked, this, [this] { shuffleTiles(true); });
    return page;
}

QWidget* CStudyDialog::buildSearchTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* columns = new QHBoxLayout;
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    pattern_ = new QLineEdit;
    pattern_->setObjectName(QStringLiteral("searchPattern"));
    anagram_ = new QLineEdit;
    anagram_->setObjectName(QStringLiteral("searchAnagram"));
    subanagram_ = new QLineEdit;
    subanagram_->setObjectName(QStringLiteral("searchSubanagram"));
    const QString any = QStringLiteral("-");
    minLength_ = spin(0, 15, 0, "searchMinLength", any);
    maxLength_ = spin(0, 15, 0, "searchMaxLength", any);
    minRank_ = spin(0, 100000, 0, "searchMinRank", any);
    maxRank_ = spin(0, 100000, 0, "searchMaxRank", any);
    blanks_ = new QComboBox;
    blanks_->setObjectName(QStringLiteral("searchBlanks"));
    blanks_->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    blanks_->setCurrentIndex(2);
    minAnagrams_ = spin(0, 99, 0, "searchMinAnagrams", any);
    maxAnagrams_ = spin(0, 99, 0, "searchMaxAnagrams", any);
    searchSet_ = new QComboBox;
    searchSet_->setObjectName(QStringLiteral("searchSet"));
    fillSetList(searchSet_, true);
    const auto hookChoice = [](const char* name) {
        auto* box = new QComboBox;
        box->setObjectName(QLatin1String(name));
        box->addItems(
            {qs(str::kStudyHooksEither), qs(str::kStudyHooksSome), qs(str::kStudyHooksNone)});
        return box;
    };
    frontHooks_ = hookChoice("searchFrontHooks");
    backHooks_ = hookChoice("searchBackHooks");
    defined_ = new QCheckBox(qs(str::kStudyDefinedOnly));
    defined_->setObjectName(QStringLiteral("searchDefined"));
    order_ = new QComboBox;
    order_->setObjectName(QStringLiteral("searchOrder"));
    order_->addItems({qs(str::kStudyOrderAlpha), qs(str::kStudyOrderProb)});

    left->addRow(qs(str::kStudyPattern), pattern_);
    left->addRow(qs(str::kStudyAnagram), anagram_);
    left->addRow(qs(str::kStudySubanagram), subanagram_);
    left->addRow(labelFor(str::kStudyLength, minLength_),
                 pair(minLength_, qs(str::kStudyLengthTo), maxLength_));
    left->addRow(qs(str::kStudySearchSet), searchSet_);
    auto* rankRow = pair(minRank_, qs(str::kStudyLengthTo), maxRank_);
    rankRow->insertWidget(4, new QLabel(qs(str::kStudyBlanks)));
    rankRow->insertWidget(5, blanks_);
    right->addRow(labelFor(str::kStudyRank, minRank_), rankRow);
    right->addRow(labelFor(str::kStudyAnagramCount, minAnagrams_),
                  pair(minAnagrams_, qs(str::kStudyLengthTo), maxAnagrams_));
    right->addRow(qs(str::kStudyFrontHooks), frontHooks_);
    right->addRow(qs(str::kStudyBackHooks), backHooks_);
    right->addRow(qs(str::kStudyOrder), order_);
    right->addRow(defined_);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns);

    auto* bar = new QHBoxLayout;
    auto* find = new QPushButton(qs(str::kStudyFind));
    find->setObjectName(QStringLiteral("findButton"));
    find->setAutoDefault(false);
    found_ = new QLabel;
    found_->setObjectName(QStringLiteral("searchCount"));
    found_->setWordWrap(true);
    auto* copy = new QPushButton(qs(str::kStudyCopy));
    copy->setObjectName(QStringLiteral("copyButton"));
    auto* print = new QPushButton(qs(str::kStudyPrint));
    print->setObjectName(QStringLiteral("printButton"));
    auto* exportButton = new QPushButton(qs(str::kStudyExport));
    exportButton->setObjectName(QStringLiteral("exportButton"));
    for (QPushButton* b : {copy, print, exportButton})
        b->setAutoDefault(false);
    bar->addWidget(find);
    bar->addWidget(found_, 1);
    bar->addWidget(copy);
    bar->addWidget(print);
    bar->addWidget(exportButton);
    layout->addLayout(bar);

    model_ = new ResultModel(this);
    results_ = new QTreeView;
    results_->setObjectName(QStringLiteral("searchResults"));
    results_->setModel(model_);
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSortingEnabled(true);
    results_->header()->setSortIndicatorShown(false);
    results_->header()->setStretchLastSection(true);
    layout->addWidget(results_, 1);

    // Enter in any field of the form runs the search.
    for (QLineEdit* e : {pattern_, anagram_, subanagram_})
        connect(e, &QLineEdit::returnPressed, this, &CStudyDialog::runSearch);
    connect(find, &QPushButton::clicked, this, &CStudyDialog::runSearch);
    connect(copy, &QPushButton::clicked, this, &CStudyDialog::copyResults);
    connect(print, &QPushButton::clicked, this, &CStudyDialog::printResults);
    connect(exportButton, &QPushButton::clicked, this, [this] {
        if (model_->rows().empty()) return;
        QFileDialog files(this, qs(str::kStudyExportCaption), QString(),
                          qs(str::kStudyExportFilters));
        files.setObjectName(QStringLiteral("exportFile"));
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.setDefaultSuffix(QStringLiteral("csv"));
        if (files.exec() == QDialog::Accepted && !files.selectedFiles().isEmpty())
            exportResults(files.selectedFiles().constFirst());
    });
    auto* copyKey = new QShortcut(QKeySequence::Copy, results_);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &CStudyDialog::copyResults);
    return page;
}

void CStudyDialog::keyPressEvent(QKeyEvent* event) {
    // Enter belongs to the field that has the focus (an answer, a search);
    // it never closes the window. Escape does, as in every tool.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (tabs_->currentIndex() == 2) runSearch();
        event->accept();
        return;
    }
    CAppDialog::keyPressEvent(event);
}

// --- Adding -----------------------------------------------------------------

void CStudyDialog::addQuestions() {
    QuestionSource source;
    source.kind = static_cast<QuestionSource::Kind>(std::clamp(source_->currentIndex(), 0, 3));
    source.first = addFirst_->value();
    if (source.kind == QuestionSource::Kind::Search) {
        source.search = searchConditions();
    } else {
        source.search.setId = addSet_->currentData().toInt();
        source.search.minLength = addMin_->value();
        source.search.maxLength = addMax_->value();
    }
    source.search.expurged = expurged();
    source.typed = bytesFromText(typed_->toPlainText(), {});
    QuestionList list;
    {
        BusyCursor busy;
        list = questionsFrom(index(), type_, source);
    }
    if (!list.error.empty()) {
        addResult_->setText(qs(str::withText(str::kStudySearchRefused, list.error)));
        return;
    }
    QString unknown;
    if (!list.unknown.empty()) {
        std::string words;
        for (std::size_t i = 0; i < list.unknown.size() && i < 20; ++i)
            words += (i ? " " : "") + list.unknown[i];
        if (list.unknown.size() > 20) words += " ...";
        unknown = QLatin1Char(' ') + qs(str::withText(str::kStudyUnknownWords, words));
    }
    if (list.questions.empty()) {
        addResult_->setText(qs(str::kStudyNothingToAdd) + unknown);
        return;
    }
    openCardbox(true);
    if (!box_) {
        addResult_->setText(qs(str::withText(str::kStudyAddFailed, boxError_)));
        return;
    }
    if (!box_->lexicon()) box_->setLexicon(lexiconStamp(index()));
    const int total = static_cast<int>(list.questions.size());
    std::unique_ptr<QProgressDialog> progress;
    if (total > kLongAdd) {
        progress =
            std::make_unique<QProgressDialog>(qs(str::kStudyAdding), QString(), 0, total, this);
        progress->setObjectName(QStringLiteral("addProgress"));
        progress->setCancelButtonText(QApplication::translate("QProgressDialog", "Cancel"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setValue(0);
    }
    const int added = box_->add(list.questions, now(), [&](int done, int) {
        if (!progress) return true;
        progress->setValue(done);
        return !progress->wasCanceled();
    });
    if (progress) progress->close();
    if (added < 0) {
        addResult_->setText(progress && progress->wasCanceled()
                                ? qs(str::kStudyAddCancelled)
                                : qs(str::withText(str::kStudyAddFailed, box_->error())));
    } else {
        QString text = withCount(str::kStudyAdded, added);
        if (total > added) text += withCount(str::kStudyAlreadyThere, total - added);
        addResult_->setText(text + QLatin1Char('.') + unknown);
    }
    refreshCardbox();
}

// --- The quiz ---------------------------------------------------------------

void CStudyDialog::startQuiz() {
    if (!box_) openCardbox(false);
    tabs_->setCurrentIndex(1);
    if (!box_) {
        session_.reset();
        showQuestion();
        return;
    }
    session_ = std::make_unique<StudySession>(index(), *box_, type_, expurged());
    session_->start();
    showQuestion();
}

void CStudyDialog::showTiles(const std::string& letters) {
    tiles_ = lowerLetters(letters.substr(0, static_cast<std::size_t>(rack_->squareCount())));
    rack_->setRackText(QString::fromLatin1(tiles_.c_str()));
    rack_->setAccessibleName(QString::fromLatin1(upperLetters(tiles_).c_str()));
}

void CStudyDialog::shuffleTiles(bool alphabetise) {
    if (tiles_.empty()) return;
    if (alphabetise) {
        std::sort(tiles_.begin(), tiles_.end());
    } else {
        for (std::size_t i = tiles_.size() - 1; i > 0; --i)
            std::swap(tiles_[i], tiles_[static_cast<std::size_t>(randomNumber()) % (i + 1)]);
    }
    rack_->setRackText(QString::fromLatin1(tiles_.c_str()));
    answer_->setFocus();
}

void CStudyDialog::showQuestion() {
    lines_->clear();
    const bool on = session_ && session_->hasQuestion();
    if (!on) {
        showTiles({});
        if (!session_)
            status_->setText(box_ ? QString() : qs(str::kStudyNoCardbox));
        else
            status_->setText(session_->dueTotal() == 0 || session_->answered() == 0
                                 ? qs(str::kStudyNothingDue)
                                 : qs(str::kStudySittingOver));
        verdict_->setText(QString());
        answer_->setEnabled(false);
        updateQuizButtons();
        return;
    }
    showTiles(session_->question());
    answer_->setEnabled(true);
    answer_->clear();
    answer_->setFocus();
    status_->setText(qs(progressText(*session_)));
    verdict_->setText(QString());
    updateQuizButtons();
}

void CStudyDialog::showLines() {
    // Lines are only ever added at the end: the found words as they come,
    // then the missed ones.
    const auto& lines = session_->lines();
    for (int i = lines_->topLevelItemCount(); i < static_cast<int>(lines.size()); ++i) {
        const AnswerLine& l = lines[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem({QString::fromLatin1(l.front.c_str()),
                                          QString::fromLatin1(upperLetters(l.word).c_str()),
                                          QString::fromLatin1(l.back.c_str()), qs(l.definition)});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        if (l.missed) {
            QFont f = item->font(1);
            f.setItalic(true);
            for (int c = 0; c < 4; ++c)
                item->setFont(c, f);
            item->setForeground(1, QColor(200, 60, 50));
            item->setText(1, item->text(1) + QStringLiteral("  \u2717"));
        }
        lines_->addTopLevelItem(item);
    }
    if (lines_->topLevelItemCount() > 0)
        lines_->scrollToItem(lines_->topLevelItem(lines_->topLevelItemCount() - 1));
}

void CStudyDialog::showVerdict() {
    status_->setText(qs(progressText(*session_)));
    verdict_->setText(qs(judgementText(*session_)));
}

void CStudyDialog::updateQuizButtons() {
    const bool on = session_ && session_->hasQuestion();
    const bool judged = on && session_->judged();
    giveUp_->setEnabled(on && !judged);
    giveUp_->setText(qs(on && session_->foundCount() > 0 ? str::kStudyDone : str::kStudyGiveUp));
    markRight_->setEnabled(judged && !session_->judgedRight());
    markMissed_->setEnabled(judged && session_->judgedRight());
    undo_->setEnabled(session_ && session_->canUndo());
    next_->setEnabled(judged);
    shuffle_->setEnabled(on);
    alphabetise_->setEnabled(on);
}

void CStudyDialog::submitAnswer() {
    if (!session_ || !session_->hasQuestion()) return;
    const QString text = answer_->text();
    answer_->clear();
    // Enter on an empty line goes on once the question is judged.
    if (text.trimmed().isEmpty()) {
        if (session_->judged()) nextQuestion();
        return;
    }
    const bool wasJudged = session_->judged();
    const StudySession::Entry entry = session_->submit(text.toLatin1().toStdString());
    if (entry == StudySession::Entry::Wrong)
        verdict_->setText(
            qs(str::withText(str::kStudyWrongWords, text.trimmed().toUpper().toStdString())));
    if (!wasJudged && !session_->judged() && entry == StudySession::Entry::Right)
        verdict_->setText(QString());
    showLines();
    if (session_->judged() && !wasJudged) showVerdict();
    warnOfFailure();
    status_->setText(qs(progressText(*session_)));
    updateQuizButtons();
}

void CStudyDialog::warnOfFailure() {
    const std::string reason = session_ ? session_->takeError() : std::string();
    if (!reason.empty()) box::warning(this, qs(str::withText(str::kStudyRecordFailed, reason)));
}

void CStudyDialog::finishQuestion() {
    if (!session_) return;
    if (!session_->finish()) {
        warnOfFailure();
        return;
    }
    showLines();
    showVerdict();
    updateQuizButtons();
    answer_->setFocus();
}

void CStudyDialog::markQuestion(bool right) {
    if (!session_) return;
    if (!session_->mark(right)) warnOfFailure();
    showVerdict();
    updateQuizButtons();
    answer_->setFocus();
}

void CStudyDialog::undoJudgement() {
    if (!session_) return;
    if (!session_->undo()) {
        warnOfFailure();
        return;
    }
    showQuestion();
}

void CStudyDialog::nextQuestion() {
    if (!session_ || !session_->judged()) return;
    session_->next();
    showQuestion();
}

// --- The search -------------------------------------------------------------

SearchConditions CStudyDialog::searchConditions() const {
    SearchConditions c;
    const auto text = [](QLineEdit* e, std::string& out, bool& given) {
        const QString t = e->text().trimmed();
        given = !t.isEmpty();
        out = t.toLatin1().toStdString();
    };
    text(pattern_, c.pattern, c.patternGiven);
    text(anagram_, c.anagram, c.anagramGiven);
    text(subanagram_, c.subanagram, c.subanagramGiven);
    c.minLength = minLength_->value();
    c.maxLength = maxLength_->value();
    c.minRank = minRank_->value();
    c.maxRank = maxRank_->value();
    c.blanks = blanks_->currentIndex();
    c.minAnagrams = minAnagrams_->value();
    c.maxAnagrams = maxAnagrams_->value();
    c.setId = searchSet_->currentData().toInt();
    c.frontHooks = frontHooks_->currentIndex() == 0 ? -1 : frontHooks_->currentIndex() == 1 ? 1 : 0;
    c.backHooks = backHooks_->currentIndex() == 0 ? -1 : backHooks_->currentIndex() == 1 ? 1 : 0;
    c.defined = defined_->isChecked();
    c.expurged = expurged();
    c.order = order_->currentIndex() == 1 ? SearchConditions::Order::Probability
                                          : SearchConditions::Order::Alphabetical;
    return c;
}

void CStudyDialog::runSearch() {
    const SearchConditions c = searchConditions();
    BusyCursor busy;
    StudyIndex& idx = index();
    const std::string reason = checkSearch(idx, c);
    if (!reason.empty()) {
        found_->setText(qs(str::withText(str::kStudySearchRefused, reason)));
        return;
    }
    foundWords_ = searchWords(idx, c);
    model_->setRows(resultRows(idx, foundWords_, c.expurged));
    results_->header()->setSortIndicatorShown(false);
    results_->resizeColumnToContents(ResultModel::Word);
    found_->setText(withCount(str::kStudyFound, static_cast<long long>(foundWords_.size())));
    if (!foundWords_.empty()) results_->setCurrentIndex(model_->index(0, 0));
}

QString CStudyDialog::selectedText() const {
    std::vector<ResultRow> rows;
    const QModelIndexList chosen = results_->selectionModel()->selectedRows();
    if (chosen.isEmpty()) {
        rows = model_->rows();
    } else {
        std::vector<int> at;
        for (const QModelIndex& i : chosen)
            at.push_back(i.row());
        std::sort(at.begin(), at.end());
        for (int r : at)
            rows.push_back(model_->rows()[static_cast<std::size_t>(r)]);
    }
    return QString::fromUtf8(plainTextOf(rows).c_str());
}

void CStudyDialog::copyResults() {
    if (model_->rows().empty()) return;
    QApplication::clipboard()->setText(selectedText());
}

void CStudyDialog::printResults() {
    if (model_->rows().empty()) {
        box::plain(this, qs(str::kStudyNothingToPrint));
        return;
    }
    std::vector<CWordNode*> entries;
    StudyIndex& idx = index();
    for (const ResultRow& r : model_->rows())
        if (const std::int64_t at = idx.find(r.word, true); at >= 0)
            entries.push_back(idx.word(static_cast<std::uint32_t>(at)).node);
    CWordSetCriteria criteria;
    criteria.cannedWordSet = 1;
    criteria.definitions = 1;
    criteria.minWordLength = 2;
    criteria.maxWordLength = 0;
    if (!printFrame_) {
        ownPrintFrame_ = std::make_unique<CPrintFrame>(database_);
        printFrame_ = ownPrintFrame_.get();
    }
    printFrame_->printEntries(entries, criteria, str::kStudyPrintTitle);
}

bool CStudyDialog::exportResults(const QString& path) {
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const std::string text = csv ? csvOf(model_->rows()) : plainTextOf(model_->rows());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        box::warning(this, qs(str::withText(str::kStudyExportFailed, path.toStdString())));
        return false;
    }
    return true;
}

} // namespace zq
