#include "entry/main_entry_screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "data/amount_format.h"
#include "entry/date_fields.h"
#include "entry/day_grid.h"
#include "entry/entry_form.h"
#include "entry/item_store.h"
#include "entry/memo_editor.h"
#include "entry/start_up.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

const char* const kTitle = "そよかぜ帳  ver1.1  by Mofuta";

// A folder opened for reading only says so in whatever title the window shows.
QString MarkedTitle(const DataFolder& folder, const QString& title) {
    return folder.readOnly() ? title + QStringLiteral("  [読み取り専用]") : title;
}

}  // namespace

MainEntryScreen::MainEntryScreen(ProgramState& state, Services& services, EntryScreens& screens,
                                 QWidget* parent)
    : QWidget(parent),
      state_(state),
      services_(services),
      screens_(screens),
      controls_(BuildMainEntryControls(this, services.metrics)) {
    setObjectName("Form1");
    setWindowTitle(MarkedTitle(state_.folder, QString::fromUtf8(kTitle)));
    PlaceMainEntryControls(this, controls_, services_.metrics);
    for (QWidget* input :
         {static_cast<QWidget*>(controls_.yearField), static_cast<QWidget*>(controls_.monthField),
          static_cast<QWidget*>(controls_.dayField), static_cast<QWidget*>(controls_.grid),
          static_cast<QWidget*>(controls_.categoryField),
          static_cast<QWidget*>(controls_.descriptionField),
          static_cast<QWidget*>(controls_.incomeField),
          static_cast<QWidget*>(controls_.expenseField),
          static_cast<QWidget*>(controls_.remarkField)})
        input->installEventFilter(this);

    dateFields_ = std::make_unique<DateFields>(
        state_, controls_,
        DateFields::Link{[this](bool monthChanged) { ChangeDate(monthChanged); },
                         [this](EntryField field) { FocusField(field); },
                         [this] { return ConfirmExit(); },
                         [this] {
                             form_->CheckNewMonth();
                             ChangeDate(false);
                             FocusField(EntryField::Category);
                         }});
    store_ = std::make_unique<ItemStore>(state_, services_, this);
    connect(store_.get(), &ItemStore::restored, this, &MainEntryScreen::ShowDay);
    connect(store_.get(), &ItemStore::changedOnDisk, this, [this] {
        ReloadMonth();
        ShowDay();
        emit ledgerChanged();
    });
    connect(store_.get(), &ItemStore::saved, this, [this] {
        ShowDay();
        emit ledgerChanged();
    });
    form_ = std::make_unique<EntryForm>(state_, services_, *store_, controls_, day_, monthTotals_,
                                        this);
    connect(form_.get(), &EntryForm::moveFocus, this, &MainEntryScreen::FocusField);
    connect(form_.get(), &EntryForm::legendHint, this, &MainEntryScreen::ShowLegendHint);
    memo_ = std::make_unique<MemoEditor>(state_, services_, controls_.memoLines,
                                         controls_.memoTitle, controls_.legend, this);
    connect(memo_.get(), &MemoEditor::closed, this, &MainEntryScreen::OnMemoClosed);

    connect(controls_.remarkField, &ByteLimitedField::refused, this,
            &MainEntryScreen::ShowLegendHint);
    connect(controls_.grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        const int picked = row + 1;
        if (picked > controls_.grid->filledRows())
            return;
        if (field_ == EntryField::Grid) {
            form_->MovePick(picked);
            ShowLegend();
        } else if (field_ == EntryField::Category && !form_->correcting()) {
            form_->StartPick(picked);
        }
    });
    for (std::size_t i = 0; i < controls_.functionButtons.size(); ++i)
        connect(controls_.functionButtons[i], &QPushButton::clicked, this,
                [this, i] { OnFunctionKey(static_cast<int>(i)); });
}

MainEntryScreen::~MainEntryScreen() = default;

void MainEntryScreen::SetTitlePrefix(const QString& prefix) {
    setWindowTitle(MarkedTitle(state_.folder, prefix + QString(10, QLatin1Char(' ')) +
                                                  QStringLiteral("( ") + QString::fromUtf8(kTitle) +
                                                  QStringLiteral(" )")));
}

bool MainEntryScreen::StartUp() {
    if (!LoadMasterAndSettings(state_, services_, screens_, this))
        return false;
    state_.date = PlaceToday(state_.closingDay(), state_.today());
    dateFields_->Show();
    ReloadMonth();
    ShowDay();
    FocusField(EntryField::Day);
    return true;
}

void MainEntryScreen::CloseEditors() {
    // The memo is saved under its own day; a calculation under way is dropped.
    if (memo_->IsOpen())
        memo_->Close();
    if (field_ == EntryField::Calculator)
        form_->CloseCalculator();
}

void MainEntryScreen::ShowCurrentMonth() {
    CloseEditors();
    // The corrected slot belongs to the month that was on screen.
    if (form_->correcting())
        form_->EndCorrection();
    state_.date.day =
        std::min(state_.date.day,
                 DaysInAccountingMonth(state_.closingDay(), state_.date.year, state_.date.month));
    dateFields_->Show();
    ReloadMonth();
    ShowDay();
    // An item begun on the old month is not carried into the new one.
    if (field_ != EntryField::Year && field_ != EntryField::Month && field_ != EntryField::Day) {
        controls_.grid->ClearPick();
        form_->ClearInputFields();
        FocusField(EntryField::Category);
    }
    controls_.rowNumberField->setText(QString::number(day_.rows.size() + 1));
}

void MainEntryScreen::OpenForCorrection(int slot) {
    const MonthLedger& ledger = state_.ledger;
    if (!IsLinkedItem(ledger, slot))
        return;
    const std::optional<CivilDate> real =
        CalendarDateOfKey(kMonthEnd, ledger.entries[slot].record.date);
    if (!real)
        return;
    CloseEditors();
    if (form_->correcting())
        form_->EndCorrection();
    form_->ClearInputFields();

    state_.date.day = real->day;  // the accounting day of the item
    dateFields_->Show();
    ShowDay();
    form_->CorrectSlot(slot);
    activateWindow();
}

void MainEntryScreen::OpenItem(int year, int month, int slot) {
    state_.date = CurrentDate{year - 1900, month, 1};
    ShowCurrentMonth();
    OpenForCorrection(slot);
}

void MainEntryScreen::RefreshGuide() {
    if (field_ == EntryField::Category)
        form_->EnterCategoryField();
    else if (field_ == EntryField::Description)
        form_->EnterDescriptionField();
}

void MainEntryScreen::ReloadMonth() {
    const IoResult loaded = LoadMonthLedger(state_.folder, state_.closingDay(), state_.date.year,
                                            state_.date.month, state_.ledger);
    store_->SetMonthUnreadable(!loaded.ok());
    if (!loaded.ok()) {
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
            QString::fromStdString(UnreadableRecordsNote(state_.ledger.unreadableRecords)));
    }
}

void MainEntryScreen::ShowDay() {
    day_ = BuildDayView(state_.ledger, state_.categories, state_.date.DateKey());
    state_.ledger.insertionPoint = day_.insertionPoint;
    controls_.grid->Fill(day_, state_.ledger);

    const std::optional<CivilDate> last = LastEntryDate(state_.ledger, state_.closingDay());
    controls_.lastEntryDate->setText(last ? QString::number(last->month) + QStringLiteral("/") +
                                                QString::number(last->day) + QStringLiteral("現在")
                                          : QStringLiteral("未入力"));
    SumMonthLedger(state_.ledger, state_.categories, monthTotals_);
    const double income = monthTotals_.income();
    const double expense = monthTotals_.expense();
    controls_.incomeTotal->setText(QString::fromStdString(FormatGrouped(income)));
    controls_.expenseTotal->setText(QString::fromStdString(FormatGrouped(expense)));
    controls_.balanceTotal->setText(QString::fromStdString(FormatGrouped(income - expense)));
}

void MainEntryScreen::ChangeDate(bool monthChanged) {
    dateFields_->Show();
    if (monthChanged)
        ReloadMonth();
    ShowDay();
}

void MainEntryScreen::GoToDayField() {
    if (form_->correcting())
        form_->EndCorrection();
    form_->ClearInputFields();
    FocusField(EntryField::Day);
}

void MainEntryScreen::PlaceTodayAgain() {
    // The corrected slot belongs to the month on screen; leave it before the month may change.
    if (form_->correcting()) {
        form_->EndCorrection();
        form_->ClearInputFields();
    }
    state_.date = PlaceToday(state_.closingDay(), state_.today());
    dateFields_->Show();
    ReloadMonth();
    form_->CheckNewMonth();
    dateFields_->Show();
    ShowDay();
    FocusField(EntryField::Category);
}

bool MainEntryScreen::ConfirmExit() {
    if (!services_.messages.Confirm(this, QStringLiteral("家計簿の終了"),
                                    QStringLiteral("終了しますか。　<Enter>OK  <Esc>キャンセル")))
        return false;
    close();
    return true;
}

void MainEntryScreen::OpenMemo() {
    controls_.guide->hide();
    field_ = EntryField::Memo;
    ShowLegend();
    memo_->Open();
    if (!memo_->IsOpen())
        OnMemoClosed();  // the memo file could not be read
}

void MainEntryScreen::OnMemoClosed() {
    controls_.guide->show();
    FocusField(EntryField::Category);
}

void MainEntryScreen::FocusField(EntryField field) {
    if (field_ == EntryField::Category && field != EntryField::Category)
        controls_.guide->clear();
    field_ = field;
    if (QWidget* widget = InputOf(controls_, field))
        widget->setFocus();
    ShowLegend();
    if (field == EntryField::Category)
        form_->EnterCategoryField();
    if (field == EntryField::Description)
        form_->EnterDescriptionField();
}

void MainEntryScreen::closeEvent(QCloseEvent* event) {
    // The memo's typed lines are saved only when it closes.
    if (memo_->IsOpen())
        memo_->Close();
    event->accept();
}

}  // namespace hanaki
