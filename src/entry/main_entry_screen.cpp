#include "entry/main_entry_screen.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "data/amount_format.h"
#include "entry/day_grid.h"
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

// Screen-size classes: the reduced layout below 600 pixels, a compact one
// below 768; each fits the smallest screen of its class.
struct SizeClass {
    double scale;
    double fontPoints;
    int screenWidth;
};
SizeClass SizeClassOf(const ScreenMetrics& metrics) {
    if (metrics.below600())
        return {690.0 / 1024.0, 9, 640};
    if (metrics.below768())
        return {0.8, 10, 800};
    return {1.0, 12, 1024};
}
// Room left for a window manager's frame beside the window.
constexpr int kFrameAllowance = 4;

// Design positions of the normal layout, in pixels.
constexpr int kMargin = 6;
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

// A folder opened for reading only says so in whatever title the window shows.
QString MarkedTitle(const DataFolder& folder, const QString& title) {
    return folder.readOnly() ? title + QStringLiteral("  [読み取り専用]") : title;
}

}  // namespace

MainEntryScreen::MainEntryScreen(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services) {
    setObjectName("Form1");
    setWindowTitle(MarkedTitle(state_.folder, QString::fromUtf8(kTitle)));
    const SizeClass size = SizeClassOf(services_.metrics);
    scale_ = size.scale;
    fontPoints_ = size.fontPoints;
    screenWidth_ = size.screenWidth;
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

    grid_ = new DayGrid(fontPoints_, this);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        const int picked = row + 1;
        if (picked > grid_->filledRows())
            return;
        if (field_ == Field::Grid) {
            MovePick(picked);
        } else if (field_ == Field::Category && !correcting()) {
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
    // The grid's columns keep their designed widths where the screen has room;
    // a column too narrow for its content at this font is widened, and the
    // remark column gives back what the screen lacks.
    const int margin = Scaled(kMargin);
    const std::array<int, DayGrid::kColumns> content = grid_->ContentWidths();
    std::array<int, DayGrid::kColumns> widths{};
    int fixedColumns = 0;
    for (int i = 0; i + 1 < DayGrid::kColumns; ++i) {
        widths[i] = std::max(Scaled(TwipsToPixels(DayGrid::kColumnTwips[i])), content[i]);
        fixedColumns += widths[i];
    }
    const int chrome = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    const int room = screenWidth_ - kFrameAllowance - 2 * margin - chrome - fixedColumns;
    widths.back() = std::max(content.back(),
                             std::min(room, Scaled(TwipsToPixels(DayGrid::kColumnTwips.back()))));
    grid_->Arrange(widths, Scaled(kRowHeight));
    grid_->move(margin, Scaled(kGridY));

    // Column starts in pixels, relative to the window.
    std::array<int, DayGrid::kColumns + 1> columnX{};
    columnX[0] = grid_->x() + grid_->frameWidth();
    for (int i = 0; i < DayGrid::kColumns; ++i)
        columnX[i + 1] = columnX[i] + widths[i];
    const int left = grid_->x();
    const int right = grid_->geometry().right() + 1;
    auto put = [&](QWidget* widget, int x, int designY, int width, int designHeight) {
        widget->setGeometry(x, Scaled(designY), width, Scaled(designHeight));
    };

    Place(dateHeading_, kMargin, kHeadingY, 420, 26);
    const int buttonWidth = Scaled(100);
    const int buttonGap = Scaled(4);
    const int buttons = static_cast<int>(functionButtons_.size());
    for (int i = 0; i < buttons; ++i)
        put(functionButtons_[i],
            right - (buttons - i) * buttonWidth - (buttons - 1 - i) * buttonGap, kHeadingY - 2,
            buttonWidth, 30);

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

    // Each total has room for "-999,999,999" and two blanks before it.
    Place(monthCaption_, 210, kDateY, 50, 26);
    const QFontMetrics totalMetrics(incomeTotal_->font());
    const int totalWidth = totalMetrics.horizontalAdvance(QStringLiteral("  -999,999,999"));
    int x = monthCaption_->geometry().right() + 1;
    for (QLabel* total : {incomeTotal_, expenseTotal_, balanceTotal_}) {
        put(total, x, kDateY, totalWidth, 26);
        x += totalWidth;
    }
    put(lastEntryDate_, x + totalMetrics.horizontalAdvance(QStringLiteral("  ")), kDateY,
        totalMetrics.horizontalAdvance(QStringLiteral("12/31現在  ")), 26);

    Place(inputTitle_, kMargin, kInputTitleY, 240, 24);
    put(categoryTotal_, columnX[3], kInputTitleY, columnX[6] - columnX[3], 24);
    put(budget_, columnX[6], kInputTitleY, right - columnX[6], 24);
    QWidget* inputs[] = {rowNumberField_, categoryField_, descriptionField_,
                         incomeField_,    expenseField_,  remarkField_};
    for (int i = 0; i < 6; ++i) {
        const int width = (i == 5 ? columnX[7] : columnX[i + 1]) - columnX[i];
        put(fieldCaptions_[i], columnX[i], kCaptionY, width, 20);
        put(inputs[i], columnX[i], kFieldY, width - 2, kFieldHeight);
    }

    put(guide_, left, kGuideY, right - left, 96);
    // The calculator opens over the two amount fields.
    put(calculatorField_, columnX[3], kFieldY, columnX[5] - columnX[3] - 2, kFieldHeight);
    calculatorField_->raise();
    Place(memoTitle_, kMargin, kGuideY, 640, 22);
    for (std::size_t i = 0; i < memoLines_.size(); ++i)
        Place(memoLines_[i], kMargin, kGuideY + 24 + static_cast<int>(i) * 30, 660, kFieldHeight);
    put(legend_, left, kLegendY, right - left, 24);

    setFixedSize(right + margin, Scaled(kWindowHeight));
}

void MainEntryScreen::CloseEditors() {
    // The memo is saved under its own day; a calculation under way is dropped.
    if (memo_->IsOpen())
        memo_->Close();
    if (field_ == Field::Calculator) {
        calculatorField_->hide();
        FocusField(AmountFieldOfCategory() == incomeField_ ? Field::Income : Field::Expense);
    }
}

void MainEntryScreen::ShowCurrentMonth() {
    CloseEditors();
    // The corrected slot belongs to the month that was on screen.
    if (correcting()) {
        EndCorrection();
        ClearInputFields();
    }
    state_.date.day =
        std::min(state_.date.day,
                 DaysInAccountingMonth(state_.closingDay(), state_.date.year, state_.date.month));
    ShowCurrentDate();
    ReloadMonth();
    ShowDay();
    // An item begun on the old month is not carried into the new one.
    if (field_ != Field::Year && field_ != Field::Month && field_ != Field::Day) {
        if (field_ == Field::Grid)
            grid_->ClearPick();
        ClearInputFields();
        FocusField(Field::Category);
    }
    rowNumberField_->setText(QString::number(day_.rows.size() + 1));
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

// A folder opened for reading only cannot be given the file it lacks.
bool MainEntryScreen::RefuseMissingInReadOnlyFolder(const QString& file) {
    if (!state_.folder.readOnly())
        return false;
    services_.messages.Inform(
        this, QStringLiteral("読み取り専用"),
        QStringLiteral("データフォルダが読み取り専用のため、%1を作れません。\n"
                       "書き込めるフォルダで起動してください。")
            .arg(file));
    return true;
}

bool MainEntryScreen::LoadCategoryMaster() {
    if (!state_.folder.Exists(kCategoryFileName)) {
        if (RefuseMissingInReadOnlyFolder(QStringLiteral("費目ファイル(Veradiv.Dat)")))
            return false;
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
    if (!state_.folder.Exists(kSettingsFileName) &&
        (RefuseMissingInReadOnlyFolder(QStringLiteral("設定ファイル(Veradiv.Env)")) ||
         !RunFirstRunClosingDay(state_, services_, this)))
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
        if (!state_.folder.readOnly())  // its answer could not be kept
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
    day_ = BuildDayView(state_.ledger, state_.categories, state_.date.DateKey());
    state_.ledger.insertionPoint = day_.insertionPoint;
    grid_->Fill(day_, state_.ledger);
    ShowLastEntryDate();
    ShowMonthTotals();
}

void MainEntryScreen::ShowMonthTotals() {
    MonthTotals& totals = monthTotals_;
    SumMonthLedger(state_.ledger, state_.categories, totals);
    incomeTotal_->setText(QString::fromStdString(FormatGrouped(totals.income())));
    expenseTotal_->setText(QString::fromStdString(FormatGrouped(totals.expense())));
    balanceTotal_->setText(
        QString::fromStdString(FormatGrouped(totals.income() - totals.expense())));
}

void MainEntryScreen::ShowLastEntryDate() {
    const std::optional<CivilDate> last = LastEntryDate(state_.ledger, state_.closingDay());
    lastEntryDate_->setText(last ? QString::number(last->month) + QStringLiteral("/") +
                                       QString::number(last->day) + QStringLiteral("現在")
                                 : QStringLiteral("未入力"));
}

void MainEntryScreen::closeEvent(QCloseEvent* event) {
    // The memo's typed lines are saved only when it closes.
    if (memo_->IsOpen())
        memo_->Close();
    event->accept();
}

}  // namespace hanaki
