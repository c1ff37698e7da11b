#include "history/undo_prompt.h"

#include <cerrno>

#include "data/history_listing.h"
#include "data/undo.h"
#include "ui/io_failure.h"

namespace hanaki {
namespace {

const QString kTitle = QStringLiteral("取り消し");

}  // namespace

bool AskAndUndoLastChange(ProgramState& state, MessageService& messages, QWidget* parent) {
    if (state.folder.readOnly()) {
        messages.Inform(parent, kTitle,
                        QStringLiteral("データフォルダを読み取り専用で開いているため、"
                                       "取り消しはできません。"));
        return false;
    }
    const History history = ReadHistory(state.folder);
    const std::optional<ChangeGroup> last = LastUndoableChange(history);
    if (!last) {
        const std::string damage = DescribeHistoryDamage(history);
        messages.Inform(
            parent, kTitle,
            QString::fromStdString(damage.empty() ? "取り消せる変更はありません。" : damage));
        return false;
    }
    if (!messages.Confirm(parent, kTitle, QString::fromStdString(UndoQuestion(*last))))
        return false;
    const std::string failed = UndoChange(state.folder, history, *last);
    if (!failed.empty())
        messages.Inform(parent, kTitle, QString::fromStdString(failed));
    ReloadAfterRestore(state, messages, parent);
    return failed.empty();
}

void ReloadAfterRestore(ProgramState& state, MessageService& messages, QWidget* parent) {
    if (!state.folder.Present())
        return;  // nothing was put back; what is on screen stays, and one message has said why
    // A master the restore took away reads as none, as on a first start.
    auto report = [&](const IoResult& result) {
        if (!result.ok() && result.error->code != ENOENT)
            ReportIoFailure(messages, parent, QStringLiteral("読み込み"), *result.error);
    };
    SettingsReading reading;
    report(LoadSettings(state.folder, state.settings, reading));
    report(LoadCategoryTable(state.folder, state.categories));
    report(LoadMonthLedger(state.folder, state.closingDay(), state.date.year, state.date.month,
                           state.ledger));
}

}  // namespace hanaki
