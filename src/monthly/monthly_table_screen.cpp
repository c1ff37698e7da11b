#include "monthly/monthly_table_screen.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <cmath>

#include "data/amount_format.h"
#include "data/fixed_field.h"
#include "data/memo.h"
#include "monthly/monthly_printout.h"
#include "monthly/monthly_rows.h"
#include "ui/fonts.h"
#include "ui/printer_dialog.h"
#include "ui/row_tints.h"
#include "ui/screen_metrics.h"
#include "ui/sub_screen.h"
#include "ui/text_codec.h"

namespace hanaki {

// One screen-size class: the widths of columns 0, 1, 2 and 3, 4 … 6 and 7 in
// twips, and the font sizes.
struct MonthlyTableSize {
    ScreenSizeClass sizeClass;
    std::array<int, 5> columns;
    double gridPoints, remarkPoints, smallRemarkPoints;
};

namespace {

constexpr MonthlyTableSize kSizes[] = {
    {ScreenSizeClass::Small, {301, 482, 850, 874, 4014}, 7.8, 8, 6},
    {ScreenSizeClass::Middle, {390, 609, 1073, 1104, 5070}, 9, 9, 7},
    {ScreenSizeClass::Full, {450, 721, 1270, 1307, 6000}, 12, 12, 9},
};

const MonthlyTableSize& SizeFor(const ScreenMetrics& metrics) {
    return kSizes[static_cast<int>(metrics.sizeClass())];
}

// Grid columns 1 … 7 are the table's; column 0, the running number, is its row heading.
constexpr int kColumnCount = 8;
constexpr int kDateColumn = 1, kCategoryColumn = 2, kDescriptionColumn = 3, kIncomeColumn = 4,
              kExpenseColumn = 5, kBalanceColumn = 6, kRemarkColumn = 7;
constexpr int kMinimumGridRows = 30;  // with the heading row
constexpr int kVisibleItemRows = 25;
constexpr int kSmallRemarkBytes = 47;

// Design sizes of the full-size class in pixels, scaled with the window.
constexpr int kMargin = 6;
constexpr int kTopY = 10;
constexpr int kFieldHeight = 26;
constexpr int kGridY = 48;
constexpr int kRowHeight = 22;
constexpr int kHeadingHeight = 24;
constexpr int kGap = 4;

QString Shown(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

MonthlyTableScreen::MonthlyTableScreen(ProgramState& state, Services& services,
                                       std::unique_ptr<PrinterDialog> printerDialog,
                                       MonthlyTableLink link, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      printerDialog_(std::move(printerDialog)),
      link_(std::move(link)),
      size_(SizeFor(services.metrics)) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("月計表"));
    BuildControls();
    PlaceControls();
    ShowDate();
    if (link_.monthChanged)
        link_.monthChanged();
    FillGrid();
    EnterTable(1);
}

MonthlyTableScreen::~MonthlyTableScreen() = default;

void MonthlyTableScreen::BuildControls() {
    const QFont font = GothicFont(size_.gridPoints);
    auto label = [&](const char* name, const QString& text = {}) {
        auto* made = new QLabel(text, this);
        made->setObjectName(name);
        made->setFont(font);
        made->setTextFormat(Qt::PlainText);
        return made;
    };
    auto field = [&](const char* name) {
        auto* made = new QLineEdit(this);
        made->setObjectName(name);
        made->setFont(font);
        made->setReadOnly(true);
        made->setAlignment(Qt::AlignCenter);
        made->setFocusPolicy(Qt::NoFocus);
        made->setAttribute(Qt::WA_InputMethodEnabled, false);
        made->installEventFilter(this);
        return made;
    };
    yearField_ = field("Text1");
    dateCaption_ = label("Label1", QStringLiteral("年     月度"));
    monthField_ = field("Text2");
    legend_ = label("Label2");
    incomeTotal_ = label("Label3");
    expenseTotal_ = label("Label4");
    balanceTotal_ = label("Label5");
    for (QLabel* total : {incomeTotal_, expenseTotal_, balanceTotal_})
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    printButton_ = new QPushButton(QStringLiteral("F5 印 刷"), this);
    printButton_->setObjectName("Command1");
    printButton_->setFont(font);
    printButton_->setFocusPolicy(Qt::NoFocus);
    connect(printButton_, &QPushButton::clicked, this, &MonthlyTableScreen::Print);

    grid_ = new QTableWidget(kMinimumGridRows - 1, kColumnCount - 1, this);
    grid_->setObjectName("MSFlexGrid1");
    grid_->setFont(font);
    grid_->horizontalHeader()->setFont(font);
    grid_->verticalHeader()->setFont(font);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setTabKeyNavigation(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (focus_ == Focus::Table)
            MoveSelection(row + 1);
    });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MonthlyTableScreen::KeepTopRow);
}

void MonthlyTableScreen::PlaceControls() {
    const QSize window = WindowTwips(size_.sizeClass);
    const double scale = window.width() / 14200.0;
    auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };

    std::array<int, kColumnCount> widths{};
    widths[0] = size_.columns[0];
    widths[1] = size_.columns[1];
    widths[2] = widths[3] = size_.columns[2];
    widths[4] = widths[5] = widths[6] = size_.columns[3];
    widths[7] = size_.columns[4];
    std::array<int, kColumnCount + 1> columnX{};
    for (int i = 0; i < kColumnCount; ++i)
        columnX[i + 1] = columnX[i] + TwipsToPixels(widths[i]);
    grid_->verticalHeader()->setFixedWidth(TwipsToPixels(widths[0]));
    for (int i = 1; i < kColumnCount; ++i)
        grid_->setColumnWidth(i - 1, TwipsToPixels(widths[i]));

    // The two date fields sit in the blanks of Label1's words.
    const int fieldHeight = scaled(kFieldHeight);
    const QFontMetrics metrics(dateCaption_->font());
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    const int top = scaled(kTopY);
    yearField_->setGeometry(scaled(kMargin) + 2, top, 6 * cell, fieldHeight);
    const QString caption = dateCaption_->text();
    dateCaption_->setGeometry(yearField_->geometry().right() + 2, top,
                              metrics.horizontalAdvance(caption) + 2, fieldHeight);
    const int monthLeft = dateCaption_->x() + metrics.horizontalAdvance(caption.left(1)) + cell / 2;
    const int monthRight =
        dateCaption_->x() + metrics.horizontalAdvance(caption.left(6)) - cell / 2;
    monthField_->setGeometry(monthLeft, top, monthRight - monthLeft, fieldHeight);

    // The rows give up a pixel or two where the window would not leave room
    // for a title bar on the smallest screen of its class.
    const int height = std::min(TwipsToPixels(window.height()),
                                SmallestScreenHeight(size_.sizeClass) - kTitleBarAllowance);
    const int frame = 2 * grid_->frameWidth();
    const int besideRows = scaled(kGridY) + scaled(kHeadingHeight) + frame +
                           2 * (scaled(kGap) + fieldHeight) + scaled(kGap);
    const int rowHeight = std::min(scaled(kRowHeight), (height - besideRows) / kVisibleItemRows);
    grid_->horizontalHeader()->setFixedHeight(scaled(kHeadingHeight));
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid_->setGeometry(scaled(kMargin), scaled(kGridY),
                       columnX.back() + frame + grid_->verticalScrollBar()->sizeHint().width(),
                       scaled(kHeadingHeight) + kVisibleItemRows * rowHeight + frame);

    const int totalsY = grid_->geometry().bottom() + scaled(kGap);
    for (auto [total, column] :
         {std::pair{incomeTotal_, kIncomeColumn}, std::pair{expenseTotal_, kExpenseColumn},
          std::pair{balanceTotal_, kBalanceColumn}}) {
        total->setGeometry(grid_->x() + 1 + columnX[column], totalsY,
                           columnX[column + 1] - columnX[column] - 4, fieldHeight);
    }
    const int width = TwipsToPixels(window.width());
    legend_->setGeometry(scaled(kMargin), totalsY + fieldHeight + scaled(kGap),
                         width - 2 * scaled(kMargin), fieldHeight);
    const int buttonWidth = metrics.horizontalAdvance(printButton_->text()) + 4 * cell;
    printButton_->setGeometry(grid_->geometry().right() - buttonWidth, top - 2, buttonWidth,
                              fieldHeight + 4);
    setFixedSize(width, height);
}

// Keys reach the screen before the control that has the focus.
bool MonthlyTableScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_F5) {  // in every state: print
        if (event->type() == QEvent::KeyPress)
            Print();
        return true;
    }
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return true;
    switch (focus_) {
        case Focus::Table:
            return OnTableKey(key);
        case Focus::Year:
            return event->type() == QEvent::KeyPress ? OnYearKey(key) : true;
        case Focus::Month:
            return event->type() == QEvent::KeyPress ? OnMonthKey(key) : true;
    }
    return false;
}

// " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正"
bool MonthlyTableScreen::OnTableKey(const QKeyEvent& key) {
    const bool press = key.type() == QEvent::KeyPress;
    const int page = kVisibleItemRows - 1;
    switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:  // a row or a page, never past the last item
            if (press) {
                const int step = key.key() == Qt::Key_Up       ? -1
                                 : key.key() == Qt::Key_Down   ? 1
                                 : key.key() == Qt::Key_PageUp ? -page
                                                               : page;
                MoveSelection(selectedPosition_ + step);
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:  // correct the selected item in the main window
            if (press)
                HandOffSelected();
            return true;
        case Qt::Key_Home:    // on release: choose another month
        case Qt::Key_Escape:  // on release: close
            // Only a key pressed here counts: the release of the Esc that
            // cancelled the printer dialog must not close the table.
            if (key.isAutoRepeat())
                return true;
            if (press) {
                pressedKey_ = key.key();
            } else if (pressedKey_ == key.key()) {
                pressedKey_ = 0;
                if (key.key() == Qt::Key_Escape)
                    close();
                else
                    EnterField(Focus::Month);
            }
            return true;
        default:
            return true;
    }
}

// " <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ"
bool MonthlyTableScreen::OnYearKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_PageUp:
            StepYear(-1);
            break;
        case Qt::Key_PageDown:
            StepYear(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EnterField(Focus::Month);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:  // Delete and typed characters are ignored
            break;
    }
    return true;
}

// " <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>月計表へ"
bool MonthlyTableScreen::OnMonthKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_PageUp:
            StepMonth(-1);
            break;
        case Qt::Key_PageDown:
            StepMonth(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            FillGrid();
            EnterTable(1);
            break;
        case Qt::Key_Escape:
            EnterField(Focus::Year);
            break;
        default:  // Delete and typed characters are ignored
            break;
    }
    return true;
}

void MonthlyTableScreen::EnterTable(int selectRow) {
    focus_ = Focus::Table;
    pressedKey_ = 0;
    legend_->setText(QStringLiteral(
        " <ESC>終了    <HOME>日付変更    <↑↓>前,後    <PageUp,Down>前頁,改頁    <Enter>訂正"));
    grid_->setEnabled(true);
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->setFocus();
    MoveSelection(selectRow);
}

void MonthlyTableScreen::EnterField(Focus focus) {
    focus_ = focus;
    // Away from the table its highlight shows no more.
    grid_->clearSelection();
    grid_->setEnabled(false);
    grid_->setFocusPolicy(Qt::NoFocus);
    if (focus == Focus::Year) {
        legend_->setText(
            QStringLiteral(" <ESC>終了    <PageUp>前年    <PageDown>翌年    <Enter>月へ"));
        yearField_->setFocus();
    } else {
        legend_->setText(
            QStringLiteral(" <ESC>年へ    <PageUp>前月    <PageDown>翌月    <Enter>月計表へ"));
        monthField_->setFocus();
    }
}

void MonthlyTableScreen::StepYear(int delta) {
    hanaki::StepYear(state_.closingDay(), state_.date, delta);
    RefreshMonth();  // also at the window's end
}

void MonthlyTableScreen::StepMonth(int delta) {
    hanaki::StepMonth(state_.closingDay(), state_.date, delta);
    RefreshMonth();
}

void MonthlyTableScreen::RefreshMonth() {
    ShowDate();
    if (link_.monthChanged)
        link_.monthChanged();
    FillGrid();
}

void MonthlyTableScreen::ShowDate() {
    yearField_->setText(QString::number(state_.date.year + 1900));
    monthField_->setText(QString::number(state_.date.month));
}

void MonthlyTableScreen::FillGrid() {
    rows_ = CollectMonthlyRows(state_.ledger, state_.categories, state_.closingDay());
    const std::vector<MonthlyRow>& rows = rows_;
    const int items = static_cast<int>(rows.size());
    grid_->clearContents();
    grid_->setRowCount(std::max(kMinimumGridRows, items + 1) - 1);
    grid_->setHorizontalHeaderLabels({QStringLiteral("月 日"), QStringLiteral("費  目"),
                                      QStringLiteral("摘  要"), QStringLiteral("入  金"),
                                      QStringLiteral("支  出"), QStringLiteral("残  金"),
                                      QStringLiteral("備        考")});
    QStringList numbers;
    for (int r = 0; r < grid_->rowCount(); ++r)
        numbers << (r < items ? QString::number(r + 1) : QString());
    grid_->setVerticalHeaderLabels(numbers);
    grid_->verticalScrollBar()->setValue(0);
    if (items == 0) {
        endRow_ = 2;
        for (QLabel* total : {incomeTotal_, expenseTotal_, balanceTotal_})
            total->setText(QStringLiteral("0"));
        printButton_->setEnabled(false);
        return;
    }
    printButton_->setEnabled(true);
    grid_->setUpdatesEnabled(false);
    const QFont remarkFont = GothicFont(size_.remarkPoints);
    const QFont smallRemarkFont = GothicFont(size_.smallRemarkPoints);
    for (int r = 0; r < items; ++r) {
        const MonthlyRow& row = rows[r];
        auto put = [&](int column, const QString& text, Qt::Alignment alignment) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(alignment);
            item->setBackground(row.income ? kIncomeTint : kExpenseTint);
            grid_->setItem(r, column - 1, item);
            return item;
        };
        put(kDateColumn, Shown(TableDate(row.calendarDate)), Qt::AlignHCenter | Qt::AlignTop);
        put(kCategoryColumn, FromCp932(row.record.categoryName), Qt::AlignLeft | Qt::AlignVCenter);
        put(kDescriptionColumn, FromCp932(row.record.descriptionName),
            Qt::AlignLeft | Qt::AlignVCenter);
        const QString amount = Shown(FormatGroupedBlankZero(static_cast<double>(row.amount)));
        put(kIncomeColumn, row.income ? amount : QString(), Qt::AlignRight | Qt::AlignVCenter);
        put(kExpenseColumn, row.income ? QString() : amount, Qt::AlignRight | Qt::AlignVCenter);
        put(kBalanceColumn, Shown(FormatGrouped(static_cast<double>(row.balance))),
            Qt::AlignRight | Qt::AlignVCenter);
        const bool longRemark = TrimRight(row.record.remark).size() >= kSmallRemarkBytes;
        put(kRemarkColumn, FromCp932(row.record.remark), Qt::AlignLeft | Qt::AlignVCenter)
            ->setFont(longRemark ? smallRemarkFont : remarkFont);
    }
    endRow_ = items + 1;
    const TotalsTexts shown = TotalsOfRows(rows_);
    incomeTotal_->setText(Shown(shown.income));
    expenseTotal_->setText(Shown(shown.expense));
    balanceTotal_->setText(Shown(shown.balance));
    grid_->setUpdatesEnabled(true);
}

// Every move of the selection: only item rows are selected, and the list
// never scrolls past its last item.
void MonthlyTableScreen::MoveSelection(int row) {
    selectedPosition_ = std::clamp(row, 1, endRow_ - 1);
    grid_->setCurrentCell(selectedPosition_ - 1, 0);
    grid_->selectRow(selectedPosition_ - 1);
    KeepTopRow();
}

void MonthlyTableScreen::KeepTopRow() {
    QScrollBar* scroll = grid_->verticalScrollBar();
    const int top = scroll->value() + 1;
    if (endRow_ < 26) {
        if (top != 1)
            scroll->setValue(0);
    } else if (top > endRow_ - 24) {
        scroll->setValue(endRow_ - 25 - 1);
    }
}

void MonthlyTableScreen::HandOffSelected() {
    if (rows_.empty())
        return;
    const MonthlyRow& row = rows_[std::clamp(selectedPosition_, 1, endRow_ - 1) - 1];
    // The row names its slot; a slot that holds another item by now is not handed on.
    if (!HoldsItem(state_.ledger, row.slot, row.record)) {
        Refresh();
        services_.messages.Inform(
            this, QStringLiteral("月計表"),
            QStringLiteral("選んだ項目は変更されています。一覧を更新しましたので、もう一度選んで"
                           "ください。"));
        return;
    }
    if (link_.openForCorrection)
        link_.openForCorrection(row.slot);
    close();
}

void MonthlyTableScreen::Refresh() {
    const int selected = selectedPosition_;
    FillGrid();
    if (focus_ == Focus::Table)
        MoveSelection(selected);
}

void MonthlyTableScreen::Print() {
    MonthlyPrintout printout;
    printout.rows = rows_;
    if (printout.rows.empty())
        return;
    printout.year = state_.date.year + 1900;
    printout.month = state_.date.month;
    printout.closingDay = state_.closingDay();
    printout.totals = {incomeTotal_->text().toStdString(), expenseTotal_->text().toStdString(),
                       balanceTotal_->text().toStdString()};

    const QString name = QStringLiteral("%1%2月度")
                             .arg(printout.year, 4, 10, QLatin1Char('0'))
                             .arg(printout.month, 2, 10, QLatin1Char('0'));
    std::unique_ptr<PrintSurface> surface = printerDialog_->Choose(this, name);
    if (!surface) {
        EnterTable(selectedPosition_);
        return;
    }
    printout.hasMemoFile = state_.folder.Exists(MemoFileName(state_.date.year, state_.date.month));
    if (printout.hasMemoFile) {
        const IoResult memo = LoadMemo(state_.folder, printout.closingDay, state_.date.year,
                                       state_.date.month, printout.memo);
        if (!memo.ok()) {
            printout.hasMemoFile = false;
            services_.messages.Inform(
                this, QStringLiteral("印刷"),
                Shown(DescribeIoError(*memo.error)) + QStringLiteral("\nメモ欄なしで印刷します。"));
        }
    }
    const IoResult printed = PrintMonthlyTable(*surface, printout);
    if (!printed.ok())
        services_.messages.Inform(this, QStringLiteral("印刷"),
                                  Shown(DescribeIoError(*printed.error)));
}

MonthlyTableScreen* OpenMonthlyTable(ProgramState& state, Services& services, MonthlyTableLink link,
                                     QWidget* opener) {
    auto* screen = new MonthlyTableScreen(state, services,
                                          std::make_unique<QtPrinterDialog>(state.folder.fs()),
                                          std::move(link), opener);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    ShowInFrontOf(screen, opener);
    return screen;
}

}  // namespace hanaki
