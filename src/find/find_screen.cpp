#include "find/find_screen.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "find/find_command.h"
#include "find/found_items_model.h"
#include "ui/folder_watch.h"
#include "ui/fonts.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

struct FindScreenSize {
    int width, height;
    double points;
};

// Each class leaves room for a title bar on the smallest screen it serves.
FindScreenSize SizeFor(const ScreenMetrics& metrics) {
    if (metrics.below600())
        return {630, 440, 9};
    if (metrics.below768())
        return {790, 560, 10.5};
    return {1000, 720, 12};
}

// Widths of the grid's columns in half-width cells; the remark takes the rest.
constexpr int kColumnCells[] = {12, 9, 13, 13, 12, 12};

// One slice of the search between two frames, so that keys and drawing stay live.
constexpr int kSliceMilliseconds = 12;
// The slice before the first frame of results is shorter: the rows it finds
// and the frame that draws them must fit in one frame's time with it.
constexpr int kFirstSliceMilliseconds = 4;

const MonthSpan kEveryMonth;

}  // namespace

FindScreen::FindScreen(ProgramState& state, Services& services, ItemHandOff itemHandOff,
                       MemoHandOff memoHandOff, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      itemHandOff_(std::move(itemHandOff)),
      memoHandOff_(std::move(memoHandOff)) {
    setObjectName("FormFind");
    setWindowTitle(QStringLiteral("検索"));
    BuildControls();
    EnterText();
}

FindScreen::~FindScreen() = default;

void FindScreen::BuildControls() {
    const FindScreenSize size = SizeFor(services_.metrics);
    const QFont font = GothicFont(size.points);
    setFont(font);
    auto label = [&](const char* name, const QString& text = {}) {
        auto* made = new QLabel(text, this);
        made->setObjectName(name);
        made->setTextFormat(Qt::PlainText);
        return made;
    };
    auto* caption = label(
        "Label4", QStringLiteral("探す文字（備考・費目・摘要・メモ、12,345 のような金額も）"));
    textField_ = new QLineEdit(this);
    textField_->setObjectName("Text1");
    textField_->installEventFilter(this);

    auto* heading = label("Label5", QStringLiteral("見つかった項目とメモ（新しい順）"));
    model_ = new FoundItemsModel(state_.categories, state_.folder, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("MSFlexGrid1");
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    const QFontMetrics metrics(font);
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    grid_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < static_cast<int>(std::size(kColumnCells)); ++column)
        grid_->setColumnWidth(column, kColumnCells[column] * cell);

    totals_ = label("Label2");
    problemsLine_ = label("Label3");
    legend_ = label("Label1");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(textField_);
    layout->addWidget(heading);
    layout->addWidget(grid_, 1);
    layout->addWidget(totals_);
    layout->addWidget(problemsLine_);
    layout->addWidget(legend_);
    setFixedSize(size.width, size.height);

    connect(new FolderWatch(state_.folder, this), &FolderWatch::changed, model_,
            &FoundItemsModel::Reread);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { SearchSomeMonths(kSliceMilliseconds); });
}

// Keys reach the screen before the control that has the focus.
bool FindScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return true;
    if (focus_ == Focus::Text)
        return TextKeys().Run(key);  // typing and editing keys go to the field
    ResultsKeys().Run(key);
    return true;
}

KeyTable FindScreen::KeysNow() {
    return focus_ == Focus::Text ? TextKeys() : ResultsKeys();
}

KeyTable FindScreen::TextKeys() {
    return {" <ESC>終了    <Enter>検索",
            {{{Qt::Key_Escape}, "<ESC>終了", [this] { close(); }},
             {kEnterKeys, "<Enter>検索", [this] { StartSearch(); }}}};
}

KeyTable FindScreen::ResultsKeys() {
    auto move = [this](int step) {
        const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
        MoveTo(row + step);
    };
    const int page = std::max(
        1, grid_->viewport()->height() / grid_->verticalHeader()->defaultSectionSize() - 1);
    return {" <ESC>文字へ    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正・メモ",
            {{{Qt::Key_Escape}, "<ESC>文字へ", [this] { EnterText(); }},
             {{Qt::Key_Up}, "<↑↓>前,後", [move] { move(-1); }},
             {{Qt::Key_Down}, "<↑↓>前,後", [move] { move(1); }},
             {{Qt::Key_PageUp}, "<PageUp,Down>前頁,改頁", [move, page] { move(-page); }},
             {{Qt::Key_PageDown}, "<PageUp,Down>前頁,改頁", [move, page] { move(page); }},
             {kEnterKeys, "<Enter>訂正・メモ", [this] { HandOffSelected(); }}}};
}

void FindScreen::EnterText() {
    focus_ = Focus::Text;
    legend_->setText(QString::fromUtf8(TextKeys().legend));
    grid_->setFocusPolicy(Qt::NoFocus);
    textField_->setFocusPolicy(Qt::StrongFocus);
    textField_->setFocus();
    textField_->selectAll();
}

void FindScreen::EnterResults() {
    focus_ = Focus::Results;
    legend_->setText(QString::fromUtf8(ResultsKeys().legend));
    textField_->setFocusPolicy(Qt::NoFocus);
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->setFocus();
    MoveTo(0);
}

void FindScreen::StartSearch() {
    match_.emplace(textField_->text().toStdString());
    if (match_->empty())
        return;
    model_->Clear(state_.closingDay());
    problems_.clear();
    problemsLine_->clear();
    nextMonth_ = kEveryMonth.last;
    // The newest months are searched at once: their results show with the next frame.
    SearchSomeMonths(kFirstSliceMilliseconds);
    EnterResults();
}

void FindScreen::SearchSomeMonths(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (nextMonth_ >= kEveryMonth.first && clock.elapsed() < milliseconds)
        model_->SearchMonth(nextMonth_--, *match_, problems_);
    const bool wasEmpty = model_->count() == 0;
    model_->ShowFound();
    if (wasEmpty && model_->count() > 0 && focus_ == Focus::Results)
        MoveTo(0);
    ShowTotals();
    if (nextMonth_ >= kEveryMonth.first)
        timer_->start(0);
}

void FindScreen::ShowTotals() {
    const bool searching = nextMonth_ >= kEveryMonth.first;
    const FoundResults& found = model_->results();
    QString line = QString::fromStdString(
        FoundTotalsLine(found.items(), found.memoLines(), found.income(), found.expense()));
    if (searching)
        line += QStringLiteral("  （検索中）");
    else if (model_->count() == 0)
        line = QStringLiteral("見つかりませんでした。");
    totals_->setText(line);
    if (!problems_.empty()) {
        QString text = QString::fromStdString(problems_.front());
        if (problems_.size() > 1)
            text += QStringLiteral("（ほか%1件）").arg(problems_.size() - 1);
        problemsLine_->setText(text);
    }
}

void FindScreen::MoveTo(int row) {
    if (model_->count() == 0)
        return;
    const QModelIndex index = model_->index(std::clamp(row, 0, model_->count() - 1), 0);
    grid_->setCurrentIndex(index);
    grid_->scrollTo(index);
}

void FindScreen::HandOffSelected() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    const std::optional<FoundRow> found =
        model_->results().Read(static_cast<std::size_t>(current.row()));
    if (!found) {
        SearchAgain();
    } else if (found->memo()) {
        if (memoHandOff_)
            FollowHandOff(memoHandOff_({found->year, found->month, found->day}, this), this,
                          [this] { SearchAgain(); });
    } else {
        const FoundItem item{
            found->year, found->month, found->slot, DecodeLedgerRecord(found->bytes), {}};
        HandOffItem(itemHandOff_,
                    {item.year, item.month, item.slot, ChainRecord(item, state_.closingDay())},
                    this, [this] { SearchAgain(); });
    }
}

void FindScreen::SearchAgain() {
    services_.messages.Inform(
        this, QStringLiteral("検索"),
        QStringLiteral("この項目は検索の後に変更されたか、削除されました。検索し直します。"));
    StartSearch();
}

QWidget* OpenFindScreen(ProgramState& state, Services& services, ItemHandOff itemHandOff,
                        MemoHandOff memoHandOff, QWidget* opener) {
    auto* screen =
        new FindScreen(state, services, std::move(itemHandOff), std::move(memoHandOff), opener);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    ShowInFrontOf(screen, opener);
    return screen;
}

}  // namespace hanaki

#include "moc_find_screen.cpp"
