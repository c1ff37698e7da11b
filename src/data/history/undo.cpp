#include "data/history/undo.h"

#include <algorithm>
#include <map>
#include <set>

#include "data/disk/io_result.h"
#include "data/history/change_description.h"

namespace hanaki {
namespace {

// What a group of writes did: a change of the household's files, an undo of
// one, or a redo (an undo of an undo).
enum class Role { Change, Undo, Redo };

std::map<long, Role> Roles(const History& history) {
    std::map<long, Role> roles;
    for (const HistoryEntry& entry : history.entries) {
        if (roles.count(entry.group))
            continue;
        Role role = Role::Change;
        if (entry.undoes != 0) {
            const auto target = roles.find(entry.undoes);
            role = target != roles.end() && target->second == Role::Undo ? Role::Redo : Role::Undo;
        }
        roles[entry.group] = role;
    }
    return roles;
}

ChangeGroup GroupOf(const History& history, long id) {
    ChangeGroup group{id, {}};
    for (const HistoryEntry& entry : history.entries) {
        if (entry.group == id)
            group.entries.push_back(entry);
    }
    return group;
}

// The changes an undo took back and no redo made again.
std::set<long> TakenBack(const History& history, const std::map<long, Role>& roles) {
    std::map<long, long> undone;  // undo → the change it took back
    std::set<long> takenBack;
    for (const HistoryEntry& entry : history.entries) {
        if (entry.undoes == 0)
            continue;
        if (roles.at(entry.group) == Role::Undo) {
            undone[entry.group] = entry.undoes;
            takenBack.insert(entry.undoes);
        } else {
            takenBack.erase(undone[entry.undoes]);
        }
    }
    return takenBack;
}

std::string Failure(const IoResult& result) {
    return result.ok() ? std::string() : DescribeIoError(*result.error);
}

std::string Refusal(const DataFolder& folder) {
    if (folder.readOnly())
        return "データフォルダを読み取り専用で開いているため、取り消しも復元もできません。";
    if (!folder.keepsHistory())
        return "このフォルダでは変更の履歴を記録していません。";
    // Its versions are gone with it: the history is not damaged.
    if (!folder.Present())
        return DescribeIoError({IoStep::Read, kFolderMissing, folder.path()});
    return {};
}

// The first of the `included` changes of each file: it holds what the file
// was before all of them.
std::vector<const HistoryEntry*> FirstChangeOfEachFile(const History& history, auto&& included) {
    std::vector<const HistoryEntry*> first;
    std::set<std::string> seen;
    for (const HistoryEntry& entry : history.entries) {
        if (included(entry) && seen.insert(entry.file).second)
            first.push_back(&entry);
    }
    return first;
}

// Each file of the `included` changes as it was before the first of them.
std::string StatesBefore(const DataFolder& folder, const History& history, auto&& included,
                         std::vector<FileState>& states) {
    states.clear();
    for (const HistoryEntry* entry : FirstChangeOfEachFile(history, included)) {
        std::string problem;
        std::optional<std::string> bytes = BytesBefore(folder, history, *entry, problem);
        if (!problem.empty())
            return problem;
        states.push_back({entry->file, std::move(bytes)});
    }
    return {};
}

// Writes every state (nullopt: removes the file) as the one kept change `note`.
std::string WriteStates(const DataFolder& folder, const std::vector<FileState>& states,
                        const ChangeNote& note) {
    ChangeGroupScope group(folder);
    for (const FileState& state : states) {
        const IoResult written = state.bytes ? folder.Replace(state.file, *state.bytes, note)
                                             : folder.Remove(state.file, note);
        if (std::string failed = Failure(written); !failed.empty())
            return failed;
    }
    return {};
}

// Puts the files of `group` back as they were before it, into `step`.
void Plan(const DataFolder& folder, const History& history, const ChangeGroup& group,
          UndoStep& step) {
    step.takesBack = group.id;
    if (step.problem = Refusal(folder); !step.problem.empty())
        return;
    step.problem = StatesBefore(
        folder, history, [&](const HistoryEntry& e) { return e.group == group.id; }, step.files);
    for (const FileState& state : step.files) {
        const auto newest =
            std::find_if(history.entries.rbegin(), history.entries.rend(),
                         [&](const HistoryEntry& e) { return e.file == state.file; });
        if (newest->changedOutsideAfter)
            step.changedOutside.push_back(DataFileInWords(state.file));
    }
}

}  // namespace

std::optional<ChangeGroup> LastUndoableChange(const History& history) {
    const std::map<long, Role> roles = Roles(history);
    const std::set<long> takenBack = TakenBack(history, roles);
    for (auto it = history.entries.rbegin(); it != history.entries.rend(); ++it) {
        if (roles.at(it->group) == Role::Change && !takenBack.count(it->group))
            return GroupOf(history, it->group);
    }
    return std::nullopt;
}

std::optional<ChangeGroup> LastRedoableUndo(const History& history) {
    const std::map<long, Role> roles = Roles(history);
    std::set<long> redone;
    for (auto it = history.entries.rbegin(); it != history.entries.rend(); ++it) {
        switch (roles.at(it->group)) {
            case Role::Change:  // a change made since the undos ends what can be redone
                return std::nullopt;
            case Role::Redo:
                redone.insert(it->undoes);
                break;
            case Role::Undo:
                if (!redone.count(it->group))
                    return GroupOf(history, it->group);
                break;
        }
    }
    return std::nullopt;
}

std::string DescribeEntry(const HistoryEntry& entry) {
    switch (entry.kind) {
        case ChangeKind::Add:
        case ChangeKind::Correct:
        case ChangeKind::Delete:
            return entry.text + " の" + std::string(ChangeKindWord(entry.kind));
        default:
            return entry.text;
    }
}

std::string DescribeGroup(const ChangeGroup& change) {
    const HistoryEntry& first = change.entries.front();
    std::set<std::string> files;
    bool conversion = true, oneText = true;
    for (const HistoryEntry& entry : change.entries) {
        files.insert(entry.file);
        conversion &= entry.kind == ChangeKind::Conversion;
        oneText &= entry.text == first.text;
    }
    if (files.size() == 1)
        return DescribeEntry(first);
    const std::string count = "(" + std::to_string(files.size()) + "ファイル)";
    std::vector<std::string> months;  // "199812" for 199812.DAT and 199812.MEM
    for (const std::string& file : files) {
        if (!AccountingMonthOfFile(file).empty())
            months.push_back(file.substr(0, 6));
    }
    if (!conversion || months.empty())
        return oneText ? DescribeEntry(first) : DescribeEntry(first) + "など" + count;
    std::sort(months.begin(), months.end());
    const std::string from = AccountingMonthOfFile(months.front() + ".DAT");
    const std::string to = AccountingMonthOfFile(months.back() + ".DAT");
    return (from == to ? from : from + "から" + to + "まで") + "の変換" + count;
}

std::string UndoQuestion(const ChangeGroup& change) {
    return DescribeGroup(change) + "を取り消しますか？";
}

UndoStep PlanUndo(const DataFolder& folder, const History& history, const ChangeGroup& change) {
    UndoStep step;
    step.what = DescribeGroup(change);
    Plan(folder, history, change, step);
    return step;
}

UndoStep PlanRedo(const DataFolder& folder, const History& history, const ChangeGroup& undo) {
    UndoStep step;
    step.redo = true;
    // Named as the undo named it: after the change, as it still stands in the history.
    const ChangeGroup undone = GroupOf(history, undo.entries.front().undoes);
    step.what = undone.entries.empty() ? undo.entries.front().text : DescribeGroup(undone);
    if (undone.entries.empty() && step.what.ends_with("の取り消し"))
        step.what.resize(step.what.size() - std::string("の取り消し").size());
    Plan(folder, history, undo, step);
    return step;
}

std::string StepQuestion(const UndoStep& step) {
    if (step.changedOutside.empty())
        return step.what + (step.redo ? "をやり直しますか？" : "を取り消しますか？");
    std::string files;
    for (const std::string& file : step.changedOutside)
        files += (files.empty() ? "" : "、") + file;
    if (step.redo)
        return files + "は、" + step.what +
               "の取り消しの後に、別のプログラムが書き換えています。\n"
               "それでもやり直して、取り消す前の内容に戻しますか？\n"
               "（別のプログラムが書き換えた内容も、変更の履歴に残ります。）";
    return files + "は、" + step.what +
           "の後に、別のプログラムが書き換えています。\n"
           "それでも取り消して、この変更の前の内容に戻しますか？\n"
           "（別のプログラムが書き換えた内容も、変更の履歴に残ります。）";
}

std::string CarryOut(const DataFolder& folder, const UndoStep& step) {
    if (!step.problem.empty())
        return step.problem;
    ChangeNote note(ChangeKind::Undo, step.what + (step.redo ? "のやり直し" : "の取り消し"));
    note.undoes = step.takesBack;
    return WriteStates(folder, step.files, note);
}

std::string UndoChange(const DataFolder& folder, const History& history,
                       const ChangeGroup& change) {
    return CarryOut(folder, PlanUndo(folder, history, change));
}

std::string RestoreBefore(const DataFolder& folder, const History& history, long change) {
    if (std::string refused = Refusal(folder); !refused.empty())
        return refused;
    std::string when;
    for (const HistoryEntry& entry : history.entries) {
        if (entry.change == change)
            when = DescribeEntry(entry);
    }
    std::vector<FileState> states;
    if (std::string problem = StatesBefore(
            folder, history, [&](const HistoryEntry& e) { return e.change >= change; }, states);
        !problem.empty())
        return problem;
    return WriteStates(folder, states, ChangeNote(ChangeKind::Undo, when + "の前に戻す"));
}

std::string StatesAt(const DataFolder& folder, const History& history, std::int64_t moment,
                     std::vector<FileState>& states) {
    return StatesBefore(
        folder, history, [&](const HistoryEntry& e) { return e.time > moment; }, states);
}

}  // namespace hanaki
