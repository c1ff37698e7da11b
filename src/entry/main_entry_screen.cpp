#include "entry/main_entry_screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "data/book/remark_memory.h"
#include "entry/date_fields.h"
#include "entry/day_grid.h"
#include "entry/entry_form.h"
#include "entry/item_correction.h"
#include "entry/item_store.h"
#include "entry/main_entry_keys.h"
#include "entry/memo_editor.h"
#include "entry/month_view.h"
#include "entry/start_up.h"
#include "ui/sub_screen.h"
#include "ui/text_folding.h"

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
    dateFields_ = std::make_unique<DateFields>(
        state_, controls_,
        DateFields::Link{[this](bool monthChanged) { ChangeDate(monthChanged); },
                         [this](EntryField field) { keys_->Focus(field); },
                         [this] { return ConfirmExit(); },
                         [this] {
                             form_->CheckNewMonth();
                             ChangeDate(false);
                             keys_->Focus(EntryField::Category);
                         }});
    store_ = std::make_unique<ItemStore>(state_, services_, this);
    month_ = std::make_unique<MonthView>(state_, services_, *store_, controls_, this);
    memory_ = std::make_unique<RemarkMemory>(FoldText);
    connect(store_.get(), &ItemStore::restored, this, [this] {
        RememberMonth();
        month_->ShowDay();
    });
    connect(store_.get(), &ItemStore::changedOnDisk, this, [this] {
        month_->Reload();
        RememberMonth();
        month_->ShowDay();
        emit ledgerChanged();
    });
    connect(store_.get(), &ItemStore::readAgain, this, [this] {
        month_->Reload();
        RememberMonth();
        month_->ShowDay();
    });
    connect(store_.get(), &ItemStore::saved, this, [this] {
        RememberMonth();
        month_->ShowDay();
        emit ledgerChanged();
    });
    correction_ = std::make_unique<ItemCorrection>(state_, controls_, month_->day(), this);
    form_ = std::make_unique<EntryForm>(state_, services_, *store_, controls_, *month_,
                                        *correction_, *memory_, this);
    memo_ = std::make_unique<MemoEditor>(state_, services_, controls_.memoLines,
                                         controls_.memoTitle, controls_.legend, this);
    connect(memo_.get(), &MemoEditor::closed, this, &MainEntryScreen::OnMemoClosed);
    keys_ = std::make_unique<MainEntryKeys>(
        state_, controls_, *dateFields_, *form_, *correction_, *month_, screens_, *this,
        MainEntryKeys::Link{[this] { PlaceTodayAgain(); }, [this] { GoToDayField(); },
                            [this] { OpenMemo(); }, [this] { return ConfirmExit(); }});
    connect(correction_.get(), &ItemCorrection::moveFocus, keys_.get(), &MainEntryKeys::Focus);
    connect(correction_.get(), &ItemCorrection::pickMoved, keys_.get(), &MainEntryKeys::ShowLegend);
    connect(form_.get(), &EntryForm::moveFocus, keys_.get(), &MainEntryKeys::Focus);
    connect(form_.get(), &EntryForm::legendHint, keys_.get(), &MainEntryKeys::ShowLegendHint);
    // Ctrl+Z and Ctrl+Y in the other windows act as here.
    PassSharedKeysTo(this,
                     [this](SharedKey key, QWidget* window) { keys_->RunSharedKey(key, window); });
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
    month_->Reload();
    ReadRemarksAgain();
    month_->ShowDay();
    keys_->Focus(EntryField::Day);
    return true;
}

void MainEntryScreen::ReadRemarksAgain() {
    memory_->Read(state_.folder, state_.closingDay(), state_.date.year, state_.date.month);
    RememberMonth();
}

void MainEntryScreen::RememberMonth() {
    memory_->PutMonth(state_.date.year, state_.date.month, state_.ledger);
}

void MainEntryScreen::CloseEditors() {
    // The memo is saved under its own day; a calculation under way is dropped.
    if (memo_->IsOpen())
        memo_->Close();
    if (keys_->field() == EntryField::Calculator)
        form_->CloseCalculator();
}

void MainEntryScreen::ShowCurrentMonth() {
    CloseEditors();
    // The corrected slot belongs to the month that was on screen.
    if (correction_->active())
        correction_->End();
    state_.date.day =
        std::min(state_.date.day,
                 DaysInAccountingMonth(state_.closingDay(), state_.date.year, state_.date.month));
    dateFields_->Show();
    month_->Reload();
    // The other window may have changed any month: an import, a restore,
    // fixed items entered, an undo.
    ReadRemarksAgain();
    month_->ShowDay();
    // An item begun on the old month is not carried into the new one.
    const EntryField field = keys_->field();
    if (field != EntryField::Year && field != EntryField::Month && field != EntryField::Day) {
        controls_.grid->ClearPick();
        form_->ClearInputFields();
        keys_->Focus(EntryField::Category);
    }
    controls_.rowNumberField->setText(QString::number(month_->day().rows.size() + 1));
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
    if (correction_->active())
        correction_->End();
    form_->ClearInputFields();

    state_.date.day = real->day;  // the accounting day of the item
    dateFields_->Show();
    month_->ShowDay();
    form_->CorrectSlot(slot);
    activateWindow();
}

bool MainEntryScreen::TakesHandOff(QWidget* asker) {
    if (keys_->FunctionKeysAllowed())
        return true;
    services_.messages.Inform(asker, asker->windowTitle(),
                              QStringLiteral("記帳画面で入力の途中です。記帳画面で確定するか Esc "
                                             "で入力をやめてから、もう一度選んでください。"));
    return false;
}

HandOffResult MainEntryScreen::OpenItem(const PickedItem& item, QWidget* asker) {
    if (!TakesHandOff(asker))
        return HandOffResult::Refused;
    // Looked for before the window leaves its month: an item that went moves nothing.
    MonthLedger picked;
    const IoResult read =
        LoadMonthLedger(state_.folder, state_.closingDay(), item.year - 1900, item.month, picked);
    if (!read.ok()) {
        services_.messages.Inform(asker, asker->windowTitle(),
                                  QString::fromStdString(DescribeIoError(*read.error)));
        return HandOffResult::Refused;
    }
    if (LocateItem(picked, item.slot, item.record) == 0)
        return HandOffResult::Gone;
    state_.date = CurrentDate{item.year - 1900, item.month, 1};
    ShowCurrentMonth();
    const int slot = LocateItem(state_.ledger, item.slot, item.record);
    if (slot == 0)
        return HandOffResult::Gone;
    OpenForCorrection(slot);
    return HandOffResult::Opened;
}

HandOffResult MainEntryScreen::OpenDayMemo(const PickedMemo& memo, QWidget* asker) {
    if (!TakesHandOff(asker))
        return HandOffResult::Refused;
    state_.date = CurrentDate{memo.year - 1900, memo.month, memo.day};
    ShowCurrentMonth();
    keys_->Focus(EntryField::Category);
    OpenMemo();
    activateWindow();
    return HandOffResult::Opened;
}

void MainEntryScreen::RefreshGuide() {
    if (keys_->field() == EntryField::Category)
        form_->EnterCategoryField();
    else if (keys_->field() == EntryField::Description)
        form_->EnterDescriptionField();
}

void MainEntryScreen::ChangeDate(bool monthChanged) {
    dateFields_->Show();
    if (monthChanged) {
        month_->Reload();
        RememberMonth();
    }
    month_->ShowDay();
}

void MainEntryScreen::GoToDayField() {
    if (correction_->active())
        correction_->End();
    form_->ClearInputFields();
    keys_->Focus(EntryField::Day);
}

void MainEntryScreen::PlaceTodayAgain() {
    // The corrected slot belongs to the month on screen; leave it before the month may change.
    if (correction_->active()) {
        correction_->End();
        form_->ClearInputFields();
    }
    state_.date = PlaceToday(state_.closingDay(), state_.today());
    dateFields_->Show();
    month_->Reload();
    RememberMonth();
    form_->CheckNewMonth();
    dateFields_->Show();
    month_->ShowDay();
    keys_->Focus(EntryField::Category);
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
    keys_->GiveToEditor(EntryField::Memo);
    memo_->Open();
    if (!memo_->IsOpen())
        OnMemoClosed();  // the memo file could not be read
}

void MainEntryScreen::OnMemoClosed() {
    controls_.guide->show();
    keys_->Focus(EntryField::Category);
}

void MainEntryScreen::SaveTyped() {
    if (memo_->IsOpen())
        memo_->Save();
}

void MainEntryScreen::EndSession() {
    CloseEditors();
    if (correction_->active()) {
        correction_->End();
        form_->ClearInputFields();
    }
}

void MainEntryScreen::closeEvent(QCloseEvent* event) {
    // The memo's typed lines are saved only when it closes.
    if (memo_->IsOpen())
        memo_->Close();
    event->accept();
}

}  // namespace hanaki

#include "moc_main_entry_screen.cpp"
