#include "statement/statement_command.h"

#include <filesystem>
#include <optional>

#include "data/book/amount_format.h"
#include "data/book/remark_memory.h"
#include "data/book/statement_import.h"
#include "data/disk/folder_lock.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/formats/report_format.h"
#include "data/history/history_store.h"
#include "data/program/command_household.h"
#include "ui/text_folding.h"

namespace hanaki {
namespace {

// What the 状態 column says of a row.
std::string StateWord(const PlannedRow& row, bool imported, bool dryRun) {
    if (row.skippedByRule)
        return "取り込まない";
    if (row.alreadyImported)
        return "取込済";
    if (dryRun)
        return "取込予定";
    return imported ? "取込" : "";
}

class StatementListing {
  public:
    StatementListing(const CategoryTable& categories, bool csv, std::ostream& out)
        : categories_(categories), csv_(csv), out_(out) {
        if (csv_)
            out_ << CsvLine({"日付", "月度", "費目番号", "費目", "摘要番号", "摘要", "入金", "支出",
                             "備考", "状態"});
    }

    void Add(const PlannedRow& row, const std::string& state) {
        const std::string date = std::to_string(row.date.year) + "/" + TwoDigits(row.date.month) +
                                 "/" + TwoDigits(row.date.day);
        const std::string month =
            std::to_string(row.month.year + 1900) + "/" + TwoDigits(row.month.month);
        const int c = row.choice.category, d = row.choice.description;
        const std::string category = c > 0 ? Cp932ToUtf8(categories_.names[c]) : "";
        const std::string description = c > 0 ? Cp932ToUtf8(categories_.descriptions[c][d]) : "";
        const std::string remark = Cp932ToUtf8(row.remark);
        if (csv_) {
            const std::string amount = std::to_string(row.amount);
            out_ << CsvLine({date, month, c > 0 ? std::to_string(c) : "", category,
                             c > 0 ? std::to_string(d) : "", description, row.income ? amount : "",
                             row.income ? "" : amount, SpreadsheetText(remark), state});
            return;
        }
        const std::string amount = FormatGrouped(double(row.amount));
        std::string line =
            date + "  " + month + "  " + PadRight(category, 12) + "  " + PadRight(description, 12) +
            "  " + PadLeft(row.income ? amount : "", 11) + "  " +
            PadLeft(row.income ? "" : amount, 11) + "  " + PadRight(remark, 40) + "  " + state;
        out_ << line << "\n";
    }

  private:
    const CategoryTable& categories_;
    bool csv_;
    std::ostream& out_;
};

void ReportUnreadableLines(std::string_view fileName, const std::vector<int>& lines,
                           std::ostream& err) {
    for (int line : lines)
        err << std::string(fileName) << " の " << line + 1
            << " 行目は読めないため、使いませんでした（ファイルはそのままです）。\n";
}

}  // namespace

int RunStatementCommand(const std::string& dataDir, const StatementRequest& request,
                        const CivilDate& today, std::ostream& out, std::ostream& err) {
    const bool readOnly = IsReadOnlyFolder(RealFileSystem(), dataDir);
    DataFolder folder(dataDir, RealFileSystem(),
                      readOnly ? DataFolder::Access::ReadOnly : DataFolder::Access::ReadWrite);
    CategoryTable categories;
    Settings settings;
    if (!LoadHouseholdForCommand(folder, categories, settings, err))
        return 1;
    std::optional<FolderLock> lock;
    if (!request.dryRun) {
        if (readOnly) {
            err << "データフォルダに書き込めないため、明細を取り込めません: " << dataDir << "\n";
            return 1;
        }
        // The duplicate check and the writes under one lock: a second
        // computer on the same folder never imports a row twice.
        lock.emplace(dataDir, "hanaki");
        if (!lock->held()) {
            err << DescribeLockRefusal(*lock, LockAsker::Command) << "\n";
            return lock->state() == FolderLock::State::HeldByOther ? 3 : 1;
        }
        KeepHistory(folder);
    }

    std::string bytes;
    if (const int code = RealFileSystem().ReadAll(request.file, bytes); code != 0) {
        err << DescribeStatementFileError(request.file, code) << "\n";
        return 1;
    }
    const StatementTable table = ReadStatementTable(bytes);
    if (table.error != StatementReadError::None) {
        err << "明細ファイル " << request.file << " は"
            << (table.errorLine > 0 ? std::to_string(table.errorLine) + " 行目の" : "")
            << DescribeStatementReadError(table.error) << "。\n";
        return 1;
    }
    StatementLayouts layouts;
    StatementRules rules;
    for (const IoResult& io :
         {LoadStatementLayouts(folder, layouts), LoadStatementRules(folder, rules)}) {
        if (!io.ok()) {
            err << DescribeIoError(*io.error) << "\n";
            return 1;
        }
    }
    bool incomplete = false;
    ReportUnreadableLines(kStatementLayoutsFileName, layouts.UnreadableLines(), err);
    ReportUnreadableLines(kStatementRulesFileName, rules.UnreadableLines(), err);
    incomplete = !layouts.UnreadableLines().empty() || !rules.UnreadableLines().empty();
    const std::optional<GuessedLayout> layout = FindRememberedLayout(layouts, table);
    if (!layout) {
        err << "明細ファイル " << request.file
            << " の見出しの形が MEISAI.TXT に記憶されていないため、取り込めません。\n";
        // The columns the header's names suggest, as the line that would remember them.
        if (std::optional<GuessedLayout> guessed = GuessStatementLayout(table);
            guessed && guessed->layout.IsComplete())
            err << "見出しから推し量った形は次のとおりです。正しければ MEISAI.TXT "
                   "に加えてください:\n"
                << Cp932ToUtf8(StatementLayoutLine(guessed->layout)) << "\n";
        return 1;
    }

    RemarkMemory memory(FoldText);
    const CurrentDate month = PlaceToday(settings.closingDay, today);
    memory.Read(folder, settings.closingDay, month.year, month.month);
    StatementPlan plan = PlanStatementImport(folder, categories, settings.closingDay, table,
                                             *layout, rules, ProposerFrom(memory, categories));
    if (!plan.io.ok()) {
        err << DescribeIoError(*plan.io.error) << "\n";
        return 1;
    }
    for (const PlannedRow& row : plan.rows) {
        if (row.problem != RowProblem::None) {
            err << row.line << " 行目: " << DescribeRowProblem(row.problem) << "\n";
            incomplete = true;
        } else if (!row.skippedByRule && !row.alreadyImported && row.choice.category == 0) {
            err << row.line << " 行目: 費目が決まらないため、取り込めません: " << row.text << "\n";
            incomplete = true;
        }
    }

    StatementImport imported;
    if (!request.dryRun) {
        const std::string name = std::filesystem::path(request.file).filename().string();
        imported = ImportStatementRows(folder, categories, settings.closingDay, plan.rows,
                                       "明細 " + name + " の取り込み");
        if (imported.fullMonth) {
            err << AccountingMonthWords(*imported.fullMonth) << "の項目が "
                << imported.fullMonthCount
                << " 件になり 1000 件を超えるため、何も取り込みませんでした。\n";
            return 1;
        }
        if (!imported.io.ok()) {
            err << DescribeIoError(*imported.io.error) << "\n";
            return 1;
        }
    }
    StatementListing listing(categories, request.csv, out);
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        PlannedRow& row = plan.rows[i];
        if (!imported.found.empty() && imported.found[i])
            row.alreadyImported = true;
        const bool done = !imported.imported.empty() && imported.imported[i];
        if (row.skippedByRule || row.alreadyImported || done || (request.dryRun && row.checked))
            listing.Add(row, StateWord(row, done, request.dryRun));
    }
    return incomplete ? 1 : 0;
}

}  // namespace hanaki
