#include "history/undo_prompt.h"

#include <cerrno>

#include "data/history/history_listing.h"
#include "data/history/undo.h"
#include "ui/io_failure.h"

namespace hanaki {
namespace {

QString Title(bool redo) {
    return redo ? QStringLiteral("やり直し") : QStringLiteral("取り消し");
}

bool AskAndStep(bool redo, ProgramState& state, MessageService& messages, QWidget* parent) {
    auto inform = [&](const std::string& text) {
        messages.Inform(parent, Title(redo), QString::fromStdString(text));
        return false;
    };
    if (state.folder.readOnly())
        return inform(redo
                          ? "データフォルダを読み取り専用で開いているため、やり直しはできません。"
                          : "データフォルダを読み取り専用で開いているため、取り消しはできません。");
    const History history = ReadHistory(state.folder);
    const std::optional<ChangeGroup> next =
        redo ? LastRedoableUndo(history) : LastUndoableChange(history);
    if (!next) {
        const std::string damage = DescribeHistoryDamage(history);
        if (!damage.empty())
            return inform(damage);
        return inform(redo ? "やり直せる取り消しはありません。" : "取り消せる変更はありません。");
    }
    const UndoStep step =
        redo ? PlanRedo(state.folder, history, *next) : PlanUndo(state.folder, history, *next);
    if (!step.problem.empty())
        return inform(step.problem);
    if (!messages.Confirm(parent, Title(redo), QString::fromStdString(StepQuestion(step))))
        return false;
    const std::string failed = CarryOut(state.folder, step);
    if (!failed.empty())
        inform(failed);
    ReloadAfterRestore(state, messages, parent);
    return failed.empty();
}

}  // namespace

bool AskAndUndoLastChange(ProgramState& state, MessageService& messages, QWidget* parent) {
    return AskAndStep(false, state, messages, parent);
}

bool AskAndRedoLastUndo(ProgramState& state, MessageService& messages, QWidget* parent) {
    return AskAndStep(true, state, messages, parent);
}

void RefuseUndoWhileEntering(bool redo, MessageService& messages, QWidget* parent) {
    messages.Inform(parent, Title(redo),
                    redo ? QStringLiteral("記帳画面で項目の入力・訂正やメモの編集をしている"
                                          "間は、やり直しはできません。")
                         : QStringLiteral("記帳画面で項目の入力・訂正やメモの編集をしている"
                                          "間は、取り消しはできません。"));
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
