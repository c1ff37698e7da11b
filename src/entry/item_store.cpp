#include "entry/item_store.h"

#include <QWidget>

#include "data/book/amount_format.h"
#include "data/book/carry_over.h"
#include "data/formats/fixed_field.h"
#include "ui/io_failure.h"

namespace hanaki {
namespace {

const QString kFullMessageTitle = QStringLiteral("項目追加");

}  // namespace

ItemStore::ItemStore(ProgramState& state, Services& services, QWidget* window)
    : QObject(window), state_(state), services_(services), window_(window) {}

bool ItemStore::MayAdd() {
    if (folderMissing_) {
        emit readAgain();  // the folder may be back; a read that fails again says why
        if (monthUnreadable_)
            return false;
    }
    if (monthUnreadable_) {
        services_.messages.Inform(
            window_, kFullMessageTitle,
            QStringLiteral("この月度のファイルが読めないため、項目を追加できません。"));
        return false;
    }
    if (state_.ledger.IsFull()) {
        services_.messages.Inform(
            window_, kFullMessageTitle,
            QStringLiteral("この月度の項目は1000件までです。これ以上追加できません。"));
        return false;
    }
    return true;
}

LedgerRecord ItemStore::MakeRecord(int category, int description, const std::string& amount,
                                   const std::string& remark) const {
    const CategoryTable& categories = state_.categories;
    LedgerRecord record;
    record.date = state_.date.DateKey();
    record.categoryNumber = TwoDigits(category);
    record.categoryName = categories.names[category];
    record.descriptionNumber = TwoDigits(description);
    record.descriptionName = categories.descriptions[category][description];
    record.amount = amount;
    record.remark = remark;
    return record;
}

bool ItemStore::Add(const LedgerRecord& record) {
    const MonthLedger before = state_.ledger;
    AppendItem(state_.ledger, state_.ledger.insertionPoint, record);
    return Save(before);
}

bool ItemStore::Replace(int slot, const LedgerRecord& record) {
    const MonthLedger before = state_.ledger;
    ReplaceItem(state_.ledger, slot, record);
    return Save(before);
}

bool ItemStore::Delete(int slot) {
    if (!services_.messages.Confirm(window_, QStringLiteral("項目削除"),
                                    QStringLiteral("削除しますか？  <Enter>OK  <Esc>キャンセル")))
        return false;
    const MonthLedger before = state_.ledger;
    UnlinkItem(state_.ledger, slot);
    return Save(before);  // saving an empty month removes its file
}

void ItemStore::OfferCarryOver(const std::string& remark) {
    if (state_.ledger.nextFree != 1 || monthUnreadable_)
        return;
    const QString title = QStringLiteral("新月度");
    const Settings& settings = state_.settings;
    if (settings.carryOverCategory == 0) {
        services_.messages.Inform(window_, title, QStringLiteral("新しい月度になりました。"));
        return;
    }
    const CarryOverProposal proposal = ProposeCarryOver(state_.folder, state_.categories, settings,
                                                        state_.date.year, state_.date.month);
    if (!proposal.io.ok()) {
        ReportIoFailure(services_.messages, window_, QStringLiteral("ファイルエラー"),
                        *proposal.io.error);
        return;
    }
    if (proposal.balance == 0) {
        services_.messages.Inform(window_, title, QStringLiteral("新しい月度になりました。"));
        return;
    }
    const QString question = QStringLiteral(
                                 "新しい月度になりました。前月の残金( %1円 )を繰り越しますか？\r\r"
                                 "                     <Enter> OK        <ESC>キャンセル")
                                 .arg(QString::fromStdString(FormatGrouped(proposal.balance)));
    if (!services_.messages.Confirm(window_, title, question))
        return;

    const int day = state_.date.day;
    state_.date.day = 1;
    // Before every item of the month: it is the carry-over of day 1. A debt carried gives
    // "+-12000".
    // Built by appending: GCC 12 takes "+" + a temporary string at -O2 for an overflow.
    std::string amount = "+";
    amount += std::to_string(proposal.balance);
    const LedgerRecord record =
        MakeRecord(settings.carryOverCategory, settings.carryOverDescription, amount, remark);
    state_.date.day = day;
    const MonthLedger before = state_.ledger;
    AppendItem(state_.ledger, 0, record);
    Save(before);
}

bool ItemStore::Save(const MonthLedger& before) {
    const IoResult saved = SaveMonthLedger(state_.folder, state_.closingDay(), state_.date.year,
                                           state_.date.month, state_.ledger);
    if (saved.ok()) {
        emit this->saved();
        return true;
    }
    ReportIoFailure(services_.messages, window_, QStringLiteral("ファイルエラー"), *saved.error);
    if (saved.error->step == IoStep::SyncFolder) {
        emit this->saved();  // the file holds the change; only its confirmation failed
        return true;
    }
    if (saved.error->refusal == IoRefusal::ChangedOnDisk) {
        emit changedOnDisk();
        return false;
    }
    state_.ledger = before;  // the screen shows what the disk holds
    emit restored();
    return false;
}

}  // namespace hanaki

#include "moc_item_store.cpp"
