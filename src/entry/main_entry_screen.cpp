#include "entry/main_entry_screen.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "data/amount_format.h"
#include "entry/entry_calculator.h"
#include "entry/memo_editor.h"
#include "settings/first_run.h"
#include "ui/byte_limited_field.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/screen_metrics.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

const char* const kTitle = "そよかぜ帳  ver1.1  by Mofuta";

// Day grid columns: heading and width in twips of the normal layout.
struct GridColumn {
    const char* heading;
    int twips;
};
constexpr std::array<GridColumn, 7> kGridColumns{{
    {"", 400},
    {"費  目", 1650},
    {"摘  要", 1650},
    {"入  金", 1420},
    {"支  出", 1420},
    {"日  計", 1420},
    {"備        考", 6000},
}};
constexpr int kInitialGridRows = 29;
constexpr int kVisibleGridRows = 15;
constexpr int kWideRemarkBytes = 38;
// Big amounts and long remarks are drawn at this share of the normal size.
constexpr double kSmallFontShare = 0.7;

const QColor kIncomeTint(255, 220, 220);
const QColor kExpenseTint(220, 220, 255);

// Design positions of the normal layout, in pixels.
constexpr int kMargin = 12;
constexpr int kHeadingY = 8;
constexpr int kDateY = 40;
constexpr int kGridY = 72;
constexpr int kRowHeight = 22;
constexpr int kInputTitleY = 436;
constexpr int kCaptionY = 462;
constexpr int kFieldY = 482;
constexpr int kFieldHeight = 28;
constexpr int kGuideY = 516;
constexpr int kLegendY = 630;
constexpr int kWindowHeight = 664;

QString TrimmedText(const std::string& bytes) {
    std::size_t end = bytes.find_last_not_of(' ');
    return FromCp932(end == std::string::npos ? std::string_view()
                                              : std::string_view(bytes).substr(0, end + 1));
}

bool IsBig(long long amount) {
    return amount >= 10'000'000 || amount < -999'999;
}

// A folder opened for reading only says so in whatever title the window shows.
QString MarkedTitle(const DataFolder& folder, const QString& title) {
    return folder.readOnly() ? title + QStringLiteral("  [読み取り専用]") : title;
}

}  // namespace

MainEntryScreen::MainEntryScreen(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services) {
    setObjectName("Form1");
    setWindowTitle(MarkedTitle(state_.folder, QString::fromUtf8(kTitle)));
    const bool reduced = services_.metrics.below600();
    scale_ = reduced ? 690.0 / 1024.0 : 1.0;
    fontPoints_ = reduced ? 9 : 12;
    BuildControls();
    PlaceControls();

    calculator_ =
        std::make_unique<EntryCalculator>(calculatorField_, legend_, services_.messages, this);
    connect(calculator_.get(), &EntryCalculator::finished, this, [this](const QString& result) {
        QLineEdit* field = AmountFieldOfCategory();
        field->setText(result);
        FocusField(field == incomeField_ ? Field::Income : Field::Expense);
        AcceptAmount(field);
    });
    connect(calculator_.get(), &EntryCalculator::cancelled, this, [this] {
        FocusField(AmountFieldOfCategory() == incomeField_ ? Field::Income : Field::Expense);
    });
    memo_ = std::make_unique<MemoEditor>(state_, services_, memoLines_, memoTitle_, legend_, this);
    connect(memo_.get(), &MemoEditor::closed, this, &MainEntryScreen::OnMemoClosed);
}

MainEntryScreen::~MainEntryScreen() = default;

void MainEntryScreen::SetTitlePrefix(const QString& prefix) {
    setWindowTitle(MarkedTitle(state_.folder, prefix + QString(10, QLatin1Char(' ')) +
                                                  QStringLiteral("( ") + QString::fromUtf8(kTitle) +
                                                  QStringLiteral(" )")));
}

int MainEntryScreen::Scaled(int designPixels) const {
    return static_cast<int>(designPixels * scale_ + 0.5);
}

void MainEntryScreen::Place(QWidget* widget, int x, int y, int width, int height) {
    widget->setGeometry(Scaled(x), Scaled(y), Scaled(width), Scaled(height));
}

QLabel* MainEntryScreen::NewLabel(const char* objectName, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->setFont(GothicFont(fontPoints_));
    label->setTextFormat(Qt::PlainText);
    return label;
}

ByteLimitedField* MainEntryScreen::NewField(const char* objectName, int byteLimit) {
    auto* field = new ByteLimitedField(byteLimit, this);
    field->setObjectName(objectName);
    field->setFont(GothicFont(fontPoints_));
    // Only the key tables move the focus, so that fields are always walked in order.
    field->setFocusPolicy(Qt::NoFocus);
    field->installEventFilter(this);
    return field;
}

void MainEntryScreen::BuildControls() {
    dateHeading_ = NewLabel("Label11");
    dateCaption_ =
        NewLabel("Label5", services_.metrics.below600() ? QStringLiteral("年     月      日")
                                                        : QStringLiteral("年    月     日"));
    yearField_ = NewField("Text6", 0);
    monthField_ = NewField("Text7", 0);
    dayField_ = NewField("Text8", 0);
    for (QLineEdit* field : {yearField_, monthField_, dayField_}) {
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignCenter);
    }

    grid_ = new QTableWidget(kInitialGridRows, static_cast<int>(kGridColumns.size()), this);
    grid_->setObjectName("MSFlexGrid1");
    grid_->setFont(GothicFont(fontPoints_));
    grid_->horizontalHeader()->setFont(GothicFont(fontPoints_));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);  // "10" in the narrow number column of small screens
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QStringList headings;
    for (const GridColumn& column : kGridColumns)
        headings << QString::fromUtf8(column.heading);
    grid_->setHorizontalHeaderLabels(headings);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        const int picked = row + 1;
        if (picked > static_cast<int>(day_.items.size()))
            return;
        if (field_ == Field::Grid) {
            MovePick(picked);
        } else if (field_ == Field::Category && !correcting_) {
            StartPick(picked);
        }
    });

    lastEntryDate_ = NewLabel("Label9");
    monthCaption_ = NewLabel("Label8", QStringLiteral("月計"));
    incomeTotal_ = NewLabel("Label2");
    expenseTotal_ = NewLabel("Label3");
    balanceTotal_ = NewLabel("Label4");
    for (QLabel* label : {monthCaption_, incomeTotal_, expenseTotal_, balanceTotal_})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    inputTitle_ = NewLabel("Label6");
    SetInputTitle(false);
    const char* captions[] = {"No", "費目", "摘要", "入金", "支出", "備考"};
    for (std::size_t i = 0; i < fieldCaptions_.size(); ++i)
        fieldCaptions_[i] = NewLabel("", QString::fromUtf8(captions[i]));
    rowNumberField_ = NewField("Text9", 0);
    rowNumberField_->setReadOnly(true);
    rowNumberField_->setAlignment(Qt::AlignRight);

    // No length limit: "035" must read as 35 and be cleared, not be cut to category 3.
    categoryField_ = NewField("Text1", 0);
    descriptionField_ = NewField("Text2", 0);
    incomeField_ = NewField("Text4", 9);
    expenseField_ = NewField("Text5", 9);
    for (ByteLimitedField* field : {categoryField_, descriptionField_, incomeField_, expenseField_})
        field->setAsciiOnly(true);
    incomeField_->setAlignment(Qt::AlignRight);
    expenseField_->setAlignment(Qt::AlignRight);
    remarkField_ = NewField("Text3", 60);
    connect(remarkField_, &ByteLimitedField::refused, this, &MainEntryScreen::ShowLegendHint);

    guide_ = NewLabel("Label1");
    guide_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    categoryTotal_ = NewLabel("Label12");
    budget_ = NewLabel("Label13");
    legend_ = NewLabel("Label7");

    calculatorField_ = new QLineEdit(this);
    calculatorField_->setObjectName("Text10");
    calculatorField_->setFont(GothicFont(fontPoints_));
    calculatorField_->setAlignment(Qt::AlignRight);
    calculatorField_->setFocusPolicy(Qt::NoFocus);
    calculatorField_->hide();

    for (std::size_t i = 0; i < memoLines_.size(); ++i) {
        const std::string name = "Text" + std::to_string(11 + i);
        memoLines_[i] = new ByteLimitedField(78, this);
        memoLines_[i]->setObjectName(QString::fromStdString(name));
        memoLines_[i]->setFont(GothicFont(fontPoints_));
        memoLines_[i]->setFocusPolicy(Qt::NoFocus);
        memoLines_[i]->hide();
    }
    memoTitle_ = NewLabel("Label10");
    memoTitle_->hide();

    const char* buttonTexts[] = {"F5月計表", "F6 集計", "F7 設定", "F8ﾃﾞｰﾀ変換"};
    for (std::size_t i = 0; i < functionButtons_.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttonTexts[i]), this);
        button->setObjectName(QString::fromStdString("Command" + std::to_string(i + 1)));
        button->setFont(GothicFont(fontPoints_));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this,
                [this, i] { OnFunctionKey(static_cast<int>(i)); });
        functionButtons_[i] = button;
    }
}

void MainEntryScreen::PlaceControls() {
    // Column starts of the grid in design pixels, relative to the grid's left edge.
    std::array<int, 8> columnX{};
    for (std::size_t i = 0; i < kGridColumns.size(); ++i) {
        const int width = TwipsToPixels(kGridColumns[i].twips);
        grid_->setColumnWidth(static_cast<int>(i), Scaled(width));
        columnX[i + 1] = columnX[i] + width;
    }
    auto columnLeft = [&](int column) { return kMargin + 1 + columnX[column]; };
    auto columnWidth = [&](int column) { return columnX[column + 1] - columnX[column]; };

    Place(dateHeading_, kMargin, kHeadingY, 420, 26);
    for (std::size_t i = 0; i < functionButtons_.size(); ++i)
        Place(functionButtons_[i], 547 + static_cast<int>(i) * 104, kHeadingY - 2, 100, 30);

    // The date fields sit in the blanks of Label5's caption.
    Place(yearField_, kMargin, kDateY, 56, 26);
    Place(dateCaption_, kMargin + 56, kDateY, 140, 26);
    const QFontMetrics metrics(dateCaption_->font());
    const QString caption = dateCaption_->text();
    const int monthAt = static_cast<int>(caption.indexOf(QStringLiteral("月")));
    const int dayAt = static_cast<int>(caption.indexOf(QStringLiteral("日")));
    dateCaption_->resize(metrics.horizontalAdvance(caption) + 2, dateCaption_->height());
    const int captionX = dateCaption_->x();
    const int monthLeft = captionX + metrics.horizontalAdvance(caption.left(1));
    monthField_->setGeometry(
        monthLeft, yearField_->y(),
        captionX + metrics.horizontalAdvance(caption.left(monthAt)) - monthLeft,
        yearField_->height());
    const int dayLeft = captionX + metrics.horizontalAdvance(caption.left(monthAt + 1));
    dayField_->setGeometry(dayLeft, yearField_->y(),
                           captionX + metrics.horizontalAdvance(caption.left(dayAt)) - dayLeft,
                           yearField_->height());

    // Wide enough for "-99,999,999" in either layout.
    Place(monthCaption_, 220, kDateY, 50, 26);
    Place(incomeTotal_, 270, kDateY, 120, 26);
    Place(expenseTotal_, 390, kDateY, 120, 26);
    Place(balanceTotal_, 510, kDateY, 120, 26);
    Place(lastEntryDate_, 650, kDateY, 200, 26);

    grid_->horizontalHeader()->setFixedHeight(Scaled(kRowHeight + 2));
    grid_->verticalHeader()->setDefaultSectionSize(Scaled(kRowHeight));
    const int frame = 2 * grid_->frameWidth();
    grid_->setGeometry(
        Scaled(kMargin), Scaled(kGridY),
        Scaled(columnX.back()) + frame + grid_->verticalScrollBar()->sizeHint().width(),
        Scaled(kRowHeight + 2) + kVisibleGridRows * Scaled(kRowHeight) + frame);

    Place(inputTitle_, kMargin, kInputTitleY, 240, 24);
    Place(categoryTotal_, columnLeft(3), kInputTitleY, 280, 24);
    Place(budget_, 547, kInputTitleY, 405, 24);
    QWidget* inputs[] = {rowNumberField_, categoryField_, descriptionField_,
                         incomeField_,    expenseField_,  remarkField_};
    for (int i = 0; i < 6; ++i) {
        const int width = i == 5 ? columnX[7] - columnX[5] : columnWidth(i);
        Place(fieldCaptions_[i], columnLeft(i), kCaptionY, width, 20);
        Place(inputs[i], columnLeft(i), kFieldY, width - 2, kFieldHeight);
    }

    Place(guide_, kMargin, kGuideY, 720, 96);
    // The calculator opens over the two amount fields.
    Place(calculatorField_, columnLeft(3), kFieldY, columnWidth(3) + columnWidth(4) - 2,
          kFieldHeight);
    calculatorField_->raise();
    Place(memoTitle_, kMargin, kGuideY, 640, 22);
    for (std::size_t i = 0; i < memoLines_.size(); ++i)
        Place(memoLines_[i], kMargin, kGuideY + 24 + static_cast<int>(i) * 30, 660, kFieldHeight);
    Place(legend_, kMargin, kLegendY, 940, 24);

    setFixedSize(grid_->geometry().right() + Scaled(kMargin), Scaled(kWindowHeight));
}

bool MainEntryScreen::StartUp() {
    if (!LoadCategoryMaster() || !LoadSettingsFile())
        return false;
    state_.date = PlaceToday(state_.closingDay(), state_.today());
    ShowCurrentDate();
    ReloadMonth();
    ShowDay();
    FocusField(Field::Day);
    return true;
}

bool MainEntryScreen::LoadCategoryMaster() {
    if (!state_.folder.Exists(kCategoryFileName)) {
        if (!services_.messages.Confirm(
                this, QStringLiteral("新規作成"),
                QStringLiteral("費目ファイル(Veradiv.Dat)がありません。新規作成しますか？")))
            return false;
        if (!RunFirstRunCategoryEditor(state_, services_, this))
            return false;
    }
    const IoResult loaded = LoadCategoryTable(state_.folder, state_.categories);
    if (!loaded.ok()) {
        // Going on without the master would let the editor save an empty one over it.
        ReportIoError(*loaded.error);
        return false;
    }
    return true;
}

bool MainEntryScreen::LoadSettingsFile() {
    if (!state_.folder.Exists(kSettingsFileName) && !RunFirstRunClosingDay(state_, services_, this))
        return false;
    SettingsReading reading;
    const IoResult loaded = LoadSettings(state_.folder, state_.settings, reading);
    if (!loaded.ok()) {
        // A guessed closing day would file items under the wrong months.
        ReportIoError(*loaded.error);
        return false;
    }
    if (reading.closingDayInvalid) {
        services_.messages.Inform(
            this, QStringLiteral("締め日"),
            QStringLiteral(
                "設定ファイル(Veradiv.Env)の締め日が正しくないため、31日(月末)として扱います。"));
    }
    if (reading.form == SettingsForm::ClosingDayOnly) {
        RunFirstRunCarryOver(state_, services_, this);
        for (int category = 1; category <= kMaxCategories; ++category)
            state_.settings.summaryFlags[category] = 1;
    }
    return true;
}

void MainEntryScreen::ReportIoError(const IoError& error) {
    ReportIoFailure(services_.messages, this, QStringLiteral("ファイルエラー"), error);
}

void MainEntryScreen::ShowCurrentDate() {
    const CivilDate real = RealDate(state_.closingDay(), state_.date);
    dateHeading_->setText(QString::fromStdString(DateHeading(state_.date, state_.today())));
    yearField_->setText(QString::number(real.year));
    monthField_->setText(QString::number(real.month));
    dayField_->setText(QString::number(real.day));
}

void MainEntryScreen::ReloadMonth() {
    const IoResult loaded = LoadMonthLedger(state_.folder, state_.closingDay(), state_.date.year,
                                            state_.date.month, state_.ledger);
    monthUnreadable_ = !loaded.ok();
    if (monthUnreadable_) {
        state_.ledger = MonthLedger();
        services_.messages.Inform(this, QStringLiteral("ファイルエラー"),
                                  QString::fromStdString(DescribeIoError(*loaded.error)) +
                                      QStringLiteral("\nこの月度には入力できません。"));
        return;
    }
    const int month = state_.date.year * 100 + state_.date.month;
    if (state_.ledger.unreadableRecords > 0 && warnedMonth_ != month) {
        warnedMonth_ = month;
        services_.messages.Inform(
            this, QStringLiteral("月度ファイル"),
            QString::number(state_.ledger.unreadableRecords) +
                QStringLiteral("件の記録が読み取れません。これらの記録はファイルに変更せずに残し"
                               "ますが、画面には表示しません。"));
    }
}

void MainEntryScreen::ShowDay() {
    const MonthLedger& ledger = state_.ledger;
    day_ = CollectDay(ledger, state_.date.DateKey());
    state_.ledger.insertionPoint = day_.insertionPoint;

    const int filled = static_cast<int>(day_.items.size());
    grid_->clearContents();
    grid_->clearSelection();
    grid_->setRowCount(std::max(kInitialGridRows, filled));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setBackground(palette().button());
        grid_->setItem(row, 0, number);
    }
    long long balance = 0;
    for (int row = 0; row < filled; ++row) {
        const LedgerRecord& record = ledger.entries[day_.items[row]].record;
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(record);
        const long long amount = numbers ? numbers->amount : 0;
        const bool expense = numbers && state_.categories.IsExpense(numbers->category);
        balance += expense ? -amount : amount;
        FillGridRow(row, record, balance);
    }
    // Keep the last items and the next free row in sight.
    const int rowCounter = filled + 1;
    const int topRow = filled > kVisibleGridRows ? rowCounter - (kVisibleGridRows - 1) : 1;
    grid_->verticalScrollBar()->setValue(topRow - 1);

    ShowLastEntryDate();
    ShowMonthTotals();
}

void MainEntryScreen::FillGridRow(int row, const LedgerRecord& record, long long dayBalance) {
    const std::optional<ItemNumbers> numbers = ReadItemNumbers(record);
    const long long amount = numbers ? numbers->amount : 0;
    const bool expense = numbers && state_.categories.IsExpense(numbers->category);
    const QFont smallGothic = GothicFont(fontPoints_ * kSmallFontShare);

    auto put = [&](int column, const QString& text, Qt::Alignment alignment) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(alignment | Qt::AlignVCenter);
        item->setBackground(expense ? kExpenseTint : kIncomeTint);
        grid_->setItem(row, column, item);
        return item;
    };
    put(1, TrimmedText(record.categoryName), Qt::AlignLeft);
    put(2, TrimmedText(record.descriptionName), Qt::AlignLeft);
    const QString amountText =
        QString::fromStdString(FormatGroupedBlankZero(static_cast<double>(amount)));
    QTableWidgetItem* income = put(3, expense ? QString() : amountText, Qt::AlignRight);
    QTableWidgetItem* spent = put(4, expense ? amountText : QString(), Qt::AlignRight);
    if (IsBig(amount))
        (expense ? spent : income)->setFont(smallGothic);
    QTableWidgetItem* balance = put(
        5, QString::fromStdString(FormatGrouped(static_cast<double>(dayBalance))), Qt::AlignRight);
    if (IsBig(dayBalance))
        balance->setFont(smallGothic);
    std::string remark = record.remark;
    remark.erase(remark.find_last_not_of(' ') + 1);
    QTableWidgetItem* remarkItem = put(6, FromCp932(remark), Qt::AlignLeft);
    if (remark.size() > kWideRemarkBytes)
        remarkItem->setFont(
            ScreenFont(QString::fromUtf8(kTerminal), fontPoints_ * kSmallFontShare));
}

void MainEntryScreen::ShowMonthTotals() {
    MonthTotals& totals = state_.monthTotals;
    totals.Clear();
    const MonthLedger& ledger = state_.ledger;
    int slot = ledger.head;
    for (std::size_t guard = 0; slot != 0 && guard < ledger.entries.size(); ++guard) {
        const LedgerSlot& item = ledger.entries[slot];
        slot = item.next;
        if (item.unreadable)
            continue;
        const std::optional<ItemNumbers> numbers = ReadItemNumbers(item.record);
        if (!numbers)
            continue;
        const auto amount = static_cast<double>(numbers->amount);
        if (numbers->description != 0)
            totals.at(numbers->category, numbers->description) += amount;
        totals.at(numbers->category, 0) += amount;
        totals.at(0, state_.categories.IsExpense(numbers->category) ? 1 : 0) += amount;
    }
    incomeTotal_->setText(QString::fromStdString(FormatGrouped(totals.at(0, 0))));
    expenseTotal_->setText(QString::fromStdString(FormatGrouped(totals.at(0, 1))));
    balanceTotal_->setText(
        QString::fromStdString(FormatGrouped(totals.at(0, 0) - totals.at(0, 1))));
}

void MainEntryScreen::ShowLastEntryDate() {
    const MonthLedger& ledger = state_.ledger;
    int last = 0;
    int slot = ledger.head;
    for (std::size_t guard = 0; slot != 0 && guard < ledger.entries.size(); ++guard) {
        if (!ledger.entries[slot].unreadable)
            last = slot;
        slot = ledger.entries[slot].next;
    }
    if (last == 0) {
        lastEntryDate_->setText(QStringLiteral("未入力"));
        return;
    }
    const std::string real =
        AccountingToCalendar(state_.closingDay(), ledger.entries[last].record.date);
    const int month = std::stoi(real.substr(2, 2));
    const int day = std::stoi(real.substr(4, 2));
    lastEntryDate_->setText(QString::number(month) + QStringLiteral("/") + QString::number(day) +
                            QStringLiteral("現在"));
}

void MainEntryScreen::closeEvent(QCloseEvent* event) {
    // The memo's typed lines are saved only when it closes.
    if (memo_->IsOpen())
        memo_->Close();
    event->accept();
}

}  // namespace hanaki
