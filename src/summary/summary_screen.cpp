#include "summary/summary_screen.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "summary/graph_screen.h"
#include "ui/fitting_font.h"
#include "ui/screen_metrics.h"
#include "ui/sub_screen.h"
#include "ui/text_codec.h"

namespace hanaki {
SummaryScreen::SummaryScreen(ProgramState& state, Services& services, QWidget* opener, Kind kind)
    : QWidget(opener, Qt::Window),
      state_(state),
      services_(services),
      scale_(kind.scale),
      layout_(LayOutSummary(state.categories)),
      font_(scale_.Font(11)),
      year_(state.date.year),
      month_(state.date.month),
      yearField_(NewMonthField("Text1", font_, this)),
      monthField_(NewMonthField("Text2", font_, this)),
      legend_(new QLabel(this)),
      unreadableNote_(new QLabel(this)),
      graphButton_(new QPushButton(kind.graphCaption, this)),
      legends_(std::move(kind.legends)),
      gridEsc_(kind.gridEsc),
      graphSource_(kind.graphSource) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.title);
    legend_->setObjectName("Label3");
    unreadableNote_->setObjectName("unreadableNote");
    unreadableNote_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    unreadableNote_->setWordWrap(true);
    graphButton_->setObjectName("Command1");
    graphButton_->setFocusPolicy(Qt::NoFocus);  // clicked, or F5
    for (QWidget* widget : {static_cast<QWidget*>(legend_), static_cast<QWidget*>(unreadableNote_),
                            static_cast<QWidget*>(graphButton_)})
        widget->setFont(font_);
}

SummaryScreen::Kind SummaryScreen::ByCategoryKind(const ScreenMetrics& metrics,
                                                  const char* objectName, QString title,
                                                  GraphSource graphSource, Legends legends) {
    return {.objectName = objectName,
            .title = std::move(title),
            .scale = PickSummaryScale(metrics, 526.0 / 768.0, 890.0 / 1024.0, 665.0 / 768.0),
            .graphSource = graphSource,
            .graphCaption = QStringLiteral("F5 グラフ"),
            .legends = std::move(legends),
            .gridEsc = GridEsc::Closes};
}

int SummaryScreen::HeadingTop() const {
    return scale_.Y(150);
}

int SummaryScreen::FieldHeight() const {
    return QFontMetrics(font_).height() + 8;
}

void SummaryScreen::PlaceYearMonthTitle(int x, QLabel* words, QLabel* title) {
    const QFontMetrics metrics(font_);
    const int top = HeadingTop();
    const int fieldHeight = FieldHeight();
    yearField_->setGeometry(x, top, metrics.horizontalAdvance("00000") + 8, fieldHeight);
    const int wordsLeft = yearField_->geometry().right() + 4;
    words->setGeometry(wordsLeft, top, metrics.horizontalAdvance(words->text()), fieldHeight);
    monthField_->setGeometry(wordsLeft + metrics.horizontalAdvance(QStringLiteral("年")) + 1, top,
                             metrics.horizontalAdvance("    ") - 2, fieldHeight);
    title->setGeometry(words->geometry().right() + 1, top,
                       metrics.horizontalAdvance(title->text()) + 4, fieldHeight);
}

int SummaryScreen::LineHeight() const {
    return QFontMetrics(font_).height() + 4;
}

int SummaryScreen::LinesUnderGrids() const {
    return figuresLine_ != nullptr ? 2 : 1;
}

void SummaryScreen::MakeFiguresLine(const char* objectName) {
    figuresLine_ = new QLabel(this);
    figuresLine_->setObjectName(objectName);
    figuresLine_->setFont(font_);
    figuresLine_->setTextFormat(Qt::PlainText);
}

void SummaryScreen::ShowFiguresLine(const QString& text) {
    figuresLine_->setText(text);
    FitLabel(figuresLine_, font_);
}

int SummaryScreen::ScrollBarRoom() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// Above, the heading line and its gaps; below, the room for a sideways scroll
// bar, the legend and the margin, as PlaceAround puts them.
int SummaryScreen::RowPixelsWithin(int designRowPixels) const {
    const int frames = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int besideRows = 2 * scale_.Y(150) + FieldHeight() + frames + ScrollBarRoom() +
                           scale_.Y(80) + LinesUnderGrids() * LineHeight() + scale_.Y(120);
    const int room =
        TwipsToPixels(WindowTwips(scale_.sizeClass).height()) - kTitleBarAllowance - besideRows;
    return std::min(designRowPixels, room / kSummaryGridRows);
}

void SummaryScreen::PlaceAround(int left, int titleRight, int rowPixels, QTableWidget* sideGrid,
                                int gap) {
    const int top = HeadingTop();
    const int gridTop = top + FieldHeight() + scale_.Y(150);
    const int gridHeight = rowPixels * kSummaryGridRows + 2 * categoryGrid_->frameWidth();
    categoryGrid_->setGeometry(left, gridTop, GridWidth(categoryGrid_), gridHeight);
    sideGrid->setGeometry(categoryGrid_->geometry().right() + gap, gridTop, GridWidth(sideGrid),
                          gridHeight);
    const int right = sideGrid->geometry().right();

    const int buttonWidth = scale_.X(1600);
    graphButton_->setGeometry(right - buttonWidth, top, buttonWidth, FieldHeight());
    // From the window's top down to the grids: a reason in two lines shows whole.
    unreadableNote_->setGeometry(titleRight + 8, 0, graphButton_->x() - titleRight - 16,
                                 gridTop - 1);
    // A figure that widens a column makes a grid scroll sideways: its bar
    // takes this room (FitSummaryCells), not the lowest row.
    int lineTop = gridTop + gridHeight + ScrollBarRoom() + scale_.Y(80);
    if (figuresLine_ != nullptr) {
        figuresLine_->setGeometry(left, lineTop, right - left, LineHeight());
        lineTop += LineHeight();
    }
    legend_->setGeometry(left, lineTop, right - left, LineHeight());
    const QSize windowTwips = WindowTwips(scale_.sizeClass);
    // The design's width, unless the grids reach past it.
    const int designWidth = TwipsToPixels(windowTwips.width());
    setFixedSize(right < designWidth ? designWidth : right + left,
                 std::max(TwipsToPixels(windowTwips.height()) - kTitleBarAllowance,
                          legend_->geometry().bottom() + scale_.Y(120)));
}

void SummaryScreen::ShowNote(const QString& note) {
    unreadableNote_->setText(note);
    FitWrappedLabel(unreadableNote_, font_);
}

void SummaryScreen::LayOut(std::vector<DeletedCategoryRow> deleted) {
    layout_ = LayOutSummary(state_.categories, std::move(deleted));
    SetBodyRows(categoryGrid_, layout_.rowCount() - 1);
    ResetCursor();
}

void SummaryScreen::Start() {
    for (QWidget* control : {static_cast<QWidget*>(yearField_), static_cast<QWidget*>(monthField_),
                             static_cast<QWidget*>(categoryGrid_)})
        control->installEventFilter(this);
    connect(categoryGrid_, &QTableWidget::currentCellChanged, this, [this] { FollowCursor(); });
    connect(graphButton_, &QPushButton::clicked, this, [this] { OpenGraph(0); });
    ShowMonth();
    Enter(Focus::Month);
}

void SummaryScreen::ResetCursor() {
    const QSignalBlocker quiet(categoryGrid_);  // the breakdown shows in the grid state only
    categoryGrid_->clearSelection();            // or the old row stays lit outside the grid
    const int top = categoryGrid_->verticalScrollBar()->value();
    categoryGrid_->setCurrentCell(0, 1);
    categoryGrid_->verticalScrollBar()->setValue(top);
}

void SummaryScreen::Enter(Focus focus) {
    focus_ = focus;
    const bool grid = focus == Focus::Grid;
    // Only the control of the state takes the focus; the grid takes no clicks outside its state.
    categoryGrid_->setFocusPolicy(grid ? Qt::StrongFocus : Qt::NoFocus);
    categoryGrid_->setSelectionMode(grid ? QAbstractItemView::SingleSelection
                                         : QAbstractItemView::NoSelection);
    categoryGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    categoryGrid_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents, !grid);
    yearField_->setFocusPolicy(focus == Focus::Year ? Qt::StrongFocus : Qt::NoFocus);
    monthField_->setFocusPolicy(focus == Focus::Month ? Qt::StrongFocus : Qt::NoFocus);
    switch (focus) {
        case Focus::Year:
            legend_->setText(QString::fromUtf8(legends_.year));
            yearField_->setFocus();
            break;
        case Focus::Month:
            legend_->setText(QString::fromUtf8(legends_.month));
            monthField_->setFocus();
            break;
        case Focus::Grid:
            legend_->setText(QString::fromUtf8(legends_.grid));
            categoryGrid_->setFocus();
            FollowCursor();
            break;
    }
}

void SummaryScreen::ShowMonth() {
    yearField_->setText(QString::number(year_ + 1900));
    monthField_->setText(QString::number(month_));
    Aggregate();
}

void SummaryScreen::FollowCursor() {
    const int row = categoryGrid_->currentRow() + 1;
    const int target = layout_.CursorRow(row);
    if (target != row && target != 0) {
        // After the grid has finished its own move (a click), or it would
        // select the row it moved to.
        QMetaObject::invokeMethod(
            this, [this, target] { categoryGrid_->setCurrentCell(target - 1, 1); },
            Qt::QueuedConnection);
        return;
    }
    if (focus_ != Focus::Grid)
        return;
    categoryGrid_->selectRow(row - 1);
    ShowRowsAround(row);
    if (const int category = layout_.categoryAt[row]; category != 0)
        ShowCategory(category);
}

// More rows than the grid shows (deleted categories): the cursor's row in
// sight, and with it the rows it passes over to the next one, down to the
// totals after the last; from the first, also the rows above.
void SummaryScreen::ShowRowsAround(int row) {
    const int next = layout_.CursorRow(row + 1);
    const int last = next > row ? next - 1 : layout_.rowCount() - 1;
    const int first = layout_.CursorRow(row - 1) < row ? row : 1;
    for (const int shown : {last, first, row})
        categoryGrid_->scrollTo(categoryGrid_->model()->index(shown - 1, 1));
}

void SummaryScreen::LeaveGrid() {
    Enter(Focus::Month);
    ShowByCategory();
}

void SummaryScreen::OpenGraph(int selector) {
    GraphInput input;
    input.source = graphSource_;
    input.selector = selector;
    input.year = year_ + 1900;
    input.month = month_;
    input.categories = state_.categories;
    input.settings = state_.settings;
    FillGraphFigures(input);
    if (graph_)
        graph_->close();
    graph_ = new GraphScreen(std::move(input), services_, this);
    graph_->setAttribute(Qt::WA_DeleteOnClose);
    ShowInFrontOf(graph_, this);
}

bool SummaryScreen::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // Typing and Delete change nothing; releases the tables leave pass on.
    return KeysOf(focus_).Run(static_cast<const QKeyEvent&>(*event)) ||
           event->type() == QEvent::KeyPress;
}

KeyTable SummaryScreen::KeysNow() {
    return KeysOf(focus_);
}

KeyTable SummaryScreen::KeysOf(Focus focus) {
    switch (focus) {
        case Focus::Year:
            return YearKeys();
        case Focus::Month:
            return MonthKeys();
        case Focus::Grid:
            break;
    }
    return GridKeys();
}

const char* SummaryScreen::WholeGraphItem() const {
    return graphSource_ == GraphSource::MonthlyBar ? "<F5>費目別グラフ"
                                                   : "<F5>総支出、総収入グラフ";
}

const char* SummaryScreen::CategoryGraphItem() const {
    if (f5FollowsCursor_)
        return "<Enter,F5>費目別グラフ";
    return graphSource_ == GraphSource::MonthlyBar ? "<Enter>摘要別グラフ" : "<Enter>費目別グラフ";
}

// The keys are alike on every summary screen; each names them in its own
// legends (Kind::legends), beside its layout.
KeyTable SummaryScreen::YearKeys() {
    return {legends_.year,
            {{{Qt::Key_Escape}, "<ESC>集計終了", [this] { close(); }},
             {{Qt::Key_PageUp}, "<PageUp,Down>年度変更", [this] { StepYearShown(-1); }},
             {{Qt::Key_PageDown}, "<PageUp,Down>年度変更", [this] { StepYearShown(1); }},
             {kEnterKeys, "<Enter>月度変更へ", [this] { Enter(Focus::Month); }},
             {{Qt::Key_F5}, WholeGraphItem(), [this] { OpenGraph(0); }}}};
}

KeyTable SummaryScreen::MonthKeys() {
    auto step = [this](int delta) {
        StepMonth(year_, month_, delta);
        ShowMonth();
    };
    return {legends_.month,
            {{{Qt::Key_Escape}, "<ESC>年変更へ", [this] { Enter(Focus::Year); }},
             {{Qt::Key_PageUp}, "<PageUp,Down>月度変更", [step] { step(-1); }},
             {{Qt::Key_PageDown}, "<PageUp,Down>月度変更", [step] { step(1); }},
             {kEnterKeys, "<Enter>費目欄へ", [this] { Enter(Focus::Grid); }},
             {{Qt::Key_F5}, WholeGraphItem(), [this] { OpenGraph(0); }}}};
}

KeyTable SummaryScreen::GridKeys() {
    const int cursorCategory = layout_.categoryAt[categoryGrid_->currentRow() + 1];
    // Over the total rows and the empty row to the next category row.
    auto step = [this](int delta) {
        const int row = categoryGrid_->currentRow() + 1 + delta;
        if (const int target = layout_.CursorRow(row); target != 0)
            categoryGrid_->setCurrentCell(target - 1, 1);
    };
    const bool closes = gridEsc_ == GridEsc::Closes;
    return {
        legends_.grid,
        {closes ? KeyBinding{{Qt::Key_Escape}, "<ESC>集計終了", [this] { close(); }}
                : KeyBinding{{Qt::Key_Escape}, "<ESC,Home>年月度変更へ", [this] { LeaveGrid(); }},
         OnRelease({{Qt::Key_Home},
                    closes ? "<Home>月度変更へ" : "<ESC,Home>年月度変更へ",
                    [this] { LeaveGrid(); }}),
         {{Qt::Key_Up}, "<↑↓>費目変更", [step] { step(-1); }},
         {{Qt::Key_Down}, "<↑↓>費目変更", [step] { step(1); }},
         {kEnterKeys, CategoryGraphItem(), [this, cursorCategory] { OpenGraph(cursorCategory); }},
         {{Qt::Key_F5},
          f5FollowsCursor_ ? CategoryGraphItem() : WholeGraphItem(),
          [this, cursorCategory] { OpenGraph(f5FollowsCursor_ ? cursorCategory : 0); }}}};
}

void SummaryScreen::StepYearShown(int delta) {
    StepYear(year_, delta);
    ShowMonth();
}

}  // namespace hanaki

#include "moc_summary_screen.cpp"
