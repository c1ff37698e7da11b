#include "entry/item_correction.h"

#include <QLabel>
#include <QLineEdit>

#include "entry/day_grid.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

const QColor kCorrectionTitle(255, 0, 0);
const QColor kEntryTitle(0, 0, 128);

}  // namespace

ItemCorrection::ItemCorrection(const ProgramState& state, const MainEntryControls& controls,
                               const DayView& day, QObject* parent)
    : QObject(parent), state_(state), controls_(controls), day_(day) {
    ShowInputTitle(false);
}

void ItemCorrection::StartPick(int row) {
    controls_.categoryField->clear();
    ShowInputTitle(true);
    MovePick(row);
    emit moveFocus(EntryField::Grid);
}

void ItemCorrection::MovePick(int row) {
    controls_.grid->Pick(row);
    controls_.rowNumberField->setText(QString::number(row));
}

void ItemCorrection::EndPick() {
    controls_.grid->ClearPick();
    emit moveFocus(EntryField::Category);
}

const Correction* ItemCorrection::Begin(int row) {
    const int slot = day_.rows[row - 1].slot;
    correction_ = Correction::Of(state_.ledger.entries[slot].record, slot, row);
    if (!correction_)
        return nullptr;
    controls_.grid->setEnabled(false);
    return &*correction_;
}

void ItemCorrection::End() {
    correction_.reset();
    controls_.grid->setEnabled(true);
    controls_.grid->ClearPick();
    ShowInputTitle(false);
}

void ItemCorrection::AmountEdited() {
    if (correction_)
        correction_->amountPrefilled = false;
}

int ItemCorrection::RowOfSlot(int slot) const {
    for (std::size_t i = 0; i < day_.rows.size(); ++i) {
        if (day_.rows[i].slot == slot)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void ItemCorrection::ShowInputTitle(bool correction) {
    controls_.inputTitle->setText(correction ? QStringLiteral("  訂 正 入 力 欄")
                                             : QStringLiteral("  入   力   欄"));
    QPalette palette = controls_.inputTitle->palette();
    palette.setColor(QPalette::WindowText, correction ? kCorrectionTitle : kEntryTitle);
    controls_.inputTitle->setPalette(palette);
}

KeyTable ItemCorrection::GridKeys(std::function<void(int slot)> repeat) {
    const int lastRow = controls_.grid->filledRows();
    const int picked = controls_.grid->pickedRow();
    auto move = [this](int row) {
        MovePick(row);
        emit pickMoved();
    };
    const bool last = picked == lastRow;
    const int slot = picked >= 1 && picked <= static_cast<int>(day_.rows.size())
                         ? day_.rows[static_cast<std::size_t>(picked - 1)].slot
                         : 0;
    return {last ? " <ESC,↓>入力欄へ    <↑>カーソル移動    <Enter>選択    <Ins>繰返し"
                 : " <ESC>入力欄へ    <↑↓>カーソル移動    <Enter>選択    <Ins>繰返し",
            {{{Qt::Key_Escape}, last ? "<ESC,↓>入力欄へ" : "<ESC>入力欄へ", [this] { EndPick(); }},
             {{Qt::Key_Up},
              last ? "<↑>カーソル移動" : "<↑↓>カーソル移動",
              [move, picked] {
                  if (picked > 1)
                      move(picked - 1);
              }},
             {{Qt::Key_Down},
              last ? "<ESC,↓>入力欄へ" : "<↑↓>カーソル移動",
              [this, move, picked, lastRow] {
                  if (picked < lastRow)
                      move(picked + 1);
                  else
                      EndPick();
              }},
             {kEnterKeys, "<Enter>選択", [this, picked] { emit chosen(picked); }},
             {{Qt::Key_Insert}, "<Ins>繰返し", [repeat, slot] {
                  if (slot != 0)
                      repeat(slot);
              }}}};
}

}  // namespace hanaki

#include "moc_item_correction.cpp"
