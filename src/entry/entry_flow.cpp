// The main window's entry fields and what they store: new items, corrected
// items and the new-month carry-over.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>

#include "data/amount_format.h"
#include "data/consumption_tax.h"
#include "data/fixed_field.h"
#include "entry/entry_calculator.h"
#include "entry/main_entry_screen.h"
#include "entry/memo_editor.h"
#include "export/csv_export_screen.h"
#include "monthly/monthly_table_screen.h"
#include "settings/settings_menu.h"
#include "summary/summary_menu.h"
#include "ui/byte_limited_field.h"
#include "ui/sub_screen.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr int kAmountBytes = 9;

// The number a field starts with, as the fields are read: "12", " 3", "-300";
// text that does not start with one counts 0.
long long LeadingValue(const QString& text) {
    const QString trimmed = text.trimmed();
    long long value = 0;
    int i = 0;
    const bool negative = !trimmed.isEmpty() && trimmed.front() == u'-';
    if (negative)
        ++i;
    for (; i < trimmed.size() && trimmed[i] >= u'0' && trimmed[i] <= u'9' &&
           value < 1'000'000'000'000;
         ++i)
        value = value * 10 + (trimmed[i].unicode() - u'0');
    return negative ? -value : value;
}

// A guide from the master, lines as the screen breaks them.
QString GuideText(const std::string& bytes) {
    return FromCp932(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

const QString kFullMessageTitle = QStringLiteral("項目追加");

}  // namespace

void MainEntryScreen::EnterCategoryField() {
    guide_->setText(GuideText(state_.categories.categoryGuide));
    categoryTotal_->clear();
    budget_->clear();
    if (!correction_)
        SetInputTitle(false);
    const int row = correction_ ? correction_->row : static_cast<int>(day_.rows.size()) + 1;
    rowNumberField_->setText(QString::number(row));
}

void MainEntryScreen::EnterDescriptionField() {
    guide_->setText(GuideText(state_.categories.descriptionGuides[currentCategory_]));
}

void MainEntryScreen::RefreshGuide() {
    if (field_ == Field::Category)
        guide_->setText(GuideText(state_.categories.categoryGuide));
    else if (field_ == Field::Description)
        EnterDescriptionField();
}

void MainEntryScreen::AcceptCategory() {
    const long long value = LeadingValue(categoryField_->text());
    if (value == 0) {
        if (!correction_)
            return;
        // 変更なし: the corrected item's category stays.
        currentCategory_ = correction_->category;
        categoryField_->setText(correction_->categoryName);
        MoveAmountToFieldOfCategory();
        FocusField(Field::Description);
        return;
    }
    if (value < 1 || value > kMaxCategories ||
        !state_.categories.HasCategory(static_cast<int>(value))) {
        categoryField_->clear();
        return;
    }
    if (!correction_ && !MayAddItem())
        return;
    currentCategory_ = static_cast<int>(value);
    categoryField_->setText(FromCp932(state_.categories.names[currentCategory_]));
    MoveAmountToFieldOfCategory();
    FocusField(Field::Description);
    ShowBudget(currentCategory_);
}

void MainEntryScreen::ShowBudget(int category) {
    const double total = monthTotals_.at(category, 0);
    const long long budget = state_.settings.BudgetOf(category);
    categoryTotal_->setText(QString::fromStdString(FormatPlain(total)) +
                            QStringLiteral(" (今月累計)"));
    const bool over = state_.categories.IsExpense(category) && budget != 0 && budget < total;
    SetTextColour(categoryTotal_, over ? QColor(255, 0, 0) : QColor(0, 0, 0));
    if (budget == 0)
        return;
    const int days =
        DaysInAccountingMonth(state_.closingDay(), state_.date.year, state_.date.month);
    // Whole hundreds of yen, cut off.
    const long long prorated =
        RoundHalfEven(static_cast<double>(budget) / days * state_.date.day) / 100 * 100;
    budget_->setText(QString::number(prorated) + QStringLiteral(" (現予算額) / ") +
                     FromCp932(state_.settings.budgets[category]).trimmed() +
                     QStringLiteral(" (月予算額)"));
}

void MainEntryScreen::AcceptDescription() {
    const long long value = LeadingValue(descriptionField_->text());
    const Field amountField =
        state_.categories.IsExpense(currentCategory_) ? Field::Expense : Field::Income;
    if (value == 0 && correction_ && correction_->category == currentCategory_) {
        currentDescription_ = correction_->description;  // 変更なし
        descriptionField_->setText(correction_->descriptionName);
        FocusField(amountField);
        return;
    }
    if (value >= 1 && value <= kMaxDescriptions &&
        state_.categories.HasDescription(currentCategory_, static_cast<int>(value))) {
        currentDescription_ = static_cast<int>(value);
        descriptionField_->setText(
            FromCp932(state_.categories.descriptions[currentCategory_][currentDescription_]));
        FocusField(amountField);
        return;
    }
    descriptionField_->clear();
}

void MainEntryScreen::AcceptAmount(QLineEdit* field) {
    const QString text = field->text();
    if (text.isEmpty())
        return;
    if (LeadingValue(text) == 0) {
        field->clear();
        return;
    }
    // A calculator result can be longer than the file's amount field holds.
    if (text.size() > kAmountBytes) {
        ShowLegendHint(QStringLiteral("金額は9桁までです"));
        return;
    }
    amountText_ = (field == incomeField_ ? "+" : "-") + text.toStdString();
    if (correction_)
        correction_->amountPrefilled = false;
    FocusField(Field::Remark);
}

void MainEntryScreen::LeaveAmount(QLineEdit* field) {
    if (correction_) {
        field->setText(correction_->amount);
        correction_->amountPrefilled = true;
    } else {
        incomeField_->clear();
        expenseField_->clear();
        descriptionField_->clear();
    }
    FocusField(Field::Description);
}

void MainEntryScreen::ApplyTax(bool add) {
    const QString text = expenseField_->text();
    if (text.isEmpty())
        return;
    // The rate in force on the displayed day.
    const CivilDate on = RealDate(state_.closingDay(), state_.date);
    const long long value = LeadingValue(text);
    const long long taxed = add ? AddConsumptionTax(value, on) : RemoveConsumptionTax(value, on);
    const QString result = QString::fromStdString(FormatPlainBlankZero(static_cast<double>(taxed)));
    if (result.size() > kAmountBytes) {
        ShowLegendHint(QStringLiteral("金額は9桁までです"));
        return;
    }
    expenseField_->setText(result);
    if (correction_)
        correction_->amountPrefilled = false;
}

void MainEntryScreen::OpenCalculator(QLineEdit* field) {
    field_ = Field::Calculator;
    ShowFunctionKeys();
    calculator_->Open(field->text(), RealDate(state_.closingDay(), state_.date));
}

QLineEdit* MainEntryScreen::AmountFieldOfCategory() const {
    return state_.categories.IsExpense(currentCategory_) ? expenseField_ : incomeField_;
}

void MainEntryScreen::MoveAmountToFieldOfCategory() {
    // A corrected expense moved to an income category keeps its amount, in 入金.
    QLineEdit* kept = AmountFieldOfCategory();
    QLineEdit* other = kept == incomeField_ ? expenseField_ : incomeField_;
    if (other->text().isEmpty())
        return;
    if (kept->text().isEmpty())
        kept->setText(other->text());
    other->clear();
}

void MainEntryScreen::OpenMemo() {
    guide_->hide();
    field_ = Field::Memo;
    ShowFunctionKeys();
    memo_->Open();
    if (!memo_->IsOpen())
        OnMemoClosed();  // the memo file could not be read
}

void MainEntryScreen::OnMemoClosed() {
    guide_->show();
    FocusField(Field::Category);
}

LedgerRecord MainEntryScreen::RecordFromEntry(const std::string& remark) const {
    const CategoryTable& categories = state_.categories;
    LedgerRecord record;
    record.date = state_.date.DateKey();
    record.categoryNumber = TwoDigits(currentCategory_);
    record.categoryName = categories.names[currentCategory_];
    record.descriptionNumber = TwoDigits(currentDescription_);
    record.descriptionName = categories.descriptions[currentCategory_][currentDescription_];
    record.amount = amountText_;
    record.remark = remark;
    return record;
}

bool MainEntryScreen::MayAddItem() {
    if (monthUnreadable_) {
        services_.messages.Inform(
            this, kFullMessageTitle,
            QStringLiteral("この月度のファイルが読めないため、項目を追加できません。"));
        return false;
    }
    if (state_.ledger.IsFull()) {
        services_.messages.Inform(
            this, kFullMessageTitle,
            QStringLiteral("この月度の項目は1000件までです。これ以上追加できません。"));
        return false;
    }
    return true;
}

bool MainEntryScreen::SaveChange(const MonthLedger& before) {
    const IoResult saved = SaveMonthLedger(state_.folder, state_.closingDay(), state_.date.year,
                                           state_.date.month, state_.ledger);
    if (saved.ok()) {
        emit ledgerChanged();
        return true;
    }
    // The screen shows what the disk holds.
    state_.ledger = before;
    ReportIoError(*saved.error);
    ShowDay();
    return false;
}

void MainEntryScreen::StoreItemFromFields() {
    QString remark = remarkField_->text();
    while (remark.endsWith(u' '))
        remark.chop(1);
    remarkField_->setText(remark);
    if (!correction_ && !MayAddItem())
        return;

    const MonthLedger before = state_.ledger;
    MonthLedger& ledger = state_.ledger;
    const LedgerRecord record = RecordFromEntry(ToCp932(remark).value_or(std::string()));
    if (correction_)
        ReplaceItem(ledger, correction_->slot, record);
    else
        AppendItem(ledger, ledger.insertionPoint, record);
    if (!SaveChange(before))
        return;  // the fields stay: Enter tries again
    if (correction_)
        EndCorrection();
    ShowDay();
    ClearInputFields();
    FocusField(Field::Category);
}

void MainEntryScreen::ClearInputFields() {
    for (QLineEdit* field :
         {categoryField_, descriptionField_, incomeField_, expenseField_, remarkField_})
        field->clear();
}

void MainEntryScreen::GoToDayField() {
    if (correction_)
        EndCorrection();
    ClearInputFields();
    FocusField(Field::Day);
}

void MainEntryScreen::PlaceTodayAgain() {
    // The corrected slot belongs to the month on screen; leave it before the month may change.
    if (correction_) {
        EndCorrection();
        ClearInputFields();
    }
    state_.date = PlaceToday(state_.closingDay(), state_.today());
    ShowCurrentDate();
    ReloadMonth();
    CheckNewMonth();
    ShowDay();
    FocusField(Field::Category);
}

void MainEntryScreen::CheckNewMonth() {
    if (state_.ledger.nextFree != 1 || monthUnreadable_)
        return;
    const QString title = QStringLiteral("新月度");
    const Settings& settings = state_.settings;
    if (settings.carryOverCategory == 0) {
        services_.messages.Inform(this, title, QStringLiteral("新しい月度になりました。"));
        return;
    }
    int year = state_.date.year;
    int month = state_.date.month - 1;
    if (month == 0) {
        month = 12;
        --year;
    }
    // The shared totals hold the open month; the previous one is summed aside.
    MonthTotals totals;
    const AggregationReport previous =
        AggregateMonth(state_.folder, state_.categories, settings, year, month, totals);
    if (!previous.io.ok()) {
        ReportIoError(*previous.io.error);
        return;
    }
    const auto balance =
        static_cast<std::int32_t>(RoundHalfEven(totals.income() - totals.expense()));
    if (balance == 0) {
        services_.messages.Inform(this, title, QStringLiteral("新しい月度になりました。"));
        return;
    }
    const QString question = QStringLiteral(
                                 "新しい月度になりました。前月の残金( %1円 )を繰り越しますか？\r\r"
                                 "                     <Enter> OK        <ESC>キャンセル")
                                 .arg(QString::fromStdString(FormatGrouped(balance)));
    if (!services_.messages.Confirm(this, title, question))
        return;

    const int day = state_.date.day;
    state_.date.day = 1;
    ShowCurrentDate();
    currentCategory_ = settings.carryOverCategory;
    currentDescription_ = settings.carryOverDescription;
    amountText_ = "+" + std::to_string(balance);  // a debt carried gives "+-12000"
    const MonthLedger before = state_.ledger;
    const std::string remark = ToCp932(remarkField_->text()).value_or(std::string());
    // Before every item of the month: it is the carry-over of day 1.
    AppendItem(state_.ledger, 0, RecordFromEntry(remark));
    ClearInputFields();
    SaveChange(before);
    state_.date.day = day;
    ShowCurrentDate();
}

bool MainEntryScreen::FunctionKeysAllowed() const {
    switch (field_) {
        case Field::Year:
        case Field::Month:
        case Field::Day:
            return true;
        case Field::Category:
            return !correcting();
        default:
            return false;
    }
}

void MainEntryScreen::ShowFunctionKeys() {
    for (QPushButton* button : functionButtons_)
        button->setEnabled(FunctionKeysAllowed());
}

void MainEntryScreen::SetInputTitle(bool correction) {
    inputTitle_->setText(correction ? QStringLiteral("  訂 正 入 力 欄")
                                    : QStringLiteral("  入   力   欄"));
    // QBColor 12 and QBColor 1.
    SetTextColour(inputTitle_, correction ? QColor(255, 0, 0) : QColor(0, 0, 128));
}

void MainEntryScreen::OpenSubScreen(int index) {
    // Each screen opens once; its key again brings the open one to the front.
    switch (index) {
        case 0:  // F5 月計表
            if (monthlyTable_.isNull()) {
                MonthlyTableLink link{[this] { ShowCurrentMonth(); },
                                      [this](int slot) { OpenForCorrection(slot); }};
                MonthlyTableScreen* table =
                    OpenMonthlyTable(state_, services_, std::move(link), this);
                connect(this, &MainEntryScreen::ledgerChanged, table, &MonthlyTableScreen::Refresh);
                monthlyTable_ = table;
            } else {
                ShowInFrontOf(monthlyTable_, this);
            }
            return;
        case 1:  // F6 集計
            OpenSummaryMenu(state_, services_, this);
            return;
        case 2:  // F7 設定
            ShowOnce(settingsMenu_, this, [this] {
                auto* menu = new SettingsMenu(state_, services_, this);
                // The guide on screen follows a newly saved master at once.
                connect(menu, &SettingsMenu::categoriesSaved, this, &MainEntryScreen::RefreshGuide);
                return menu;
            });
            return;
        case 3:  // F8 データ変換
            ShowOnce(csvExport_, this,
                     [this] { return new CsvExportScreen(state_, services_, this); });
            return;
    }
}

}  // namespace hanaki
