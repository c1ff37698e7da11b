#pragma once

#include <QObject>
#include <string>

#include "data/formats/ledger.h"
#include "data/program/program_state.h"
#include "ui/services.h"

class QWidget;

namespace hanaki {

// The open month's items as the main window changes them: each change is
// written to the month's file at once, and a failed write puts memory back
// as the disk holds it (a message says why).
class ItemStore : public QObject {
    Q_OBJECT
  public:
    ItemStore(ProgramState& state, Services& services, QWidget* window);

    // The month's file could not be read: nothing may be written over it.
    // When its folder was gone, the month is read again as an item is begun.
    void SetMonthUnreadable(bool unreadable, bool folderMissing = false) {
        monthUnreadable_ = unreadable;
        folderMissing_ = unreadable && folderMissing;
    }
    // Whether an item may be added to the open month; a message says why not.
    bool MayAdd();
    // The item of category `category`, description `description` on the
    // displayed day, with `amount` ("+" or "-" and digits) and `remark` (CP932).
    LedgerRecord MakeRecord(int category, int description, const std::string& amount,
                            const std::string& remark) const;
    // After the displayed day's last item.
    bool Add(const LedgerRecord& record);
    bool Replace(int slot, const LedgerRecord& record);
    // Asks first; false when the user declined or the write failed.
    bool Delete(int slot);
    // A new month's first day: offers the previous month's balance as its first
    // item, with `remark` (CP932) as the remark field holds it.
    void OfferCarryOver(const std::string& remark);

  signals:
    // The month's file holds the change.
    void saved();
    // The write failed and memory is back as the disk holds it.
    void restored();
    // Another program changed the month's file since it was read: nothing was
    // written over it, and the month is to be read again.
    void changedOnDisk();
    // The open month was not read for want of its folder: read it now.
    void readAgain();

  private:
    bool Save(const MonthLedger& before);

    ProgramState& state_;
    Services& services_;
    QWidget* window_;
    bool monthUnreadable_ = false;
    bool folderMissing_ = false;
};

}  // namespace hanaki
