#include "import/conversion.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "data/book/amount_format.h"
#include "data/disk/data_folder.h"
#include "data/disk/stale_temporaries.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/history/change_description.h"
#include "data/history/history_store.h"

namespace hanaki {
namespace {

constexpr std::size_t kRemarkBytes = 22;
constexpr const char* kCompletedTitle = "Convert completed!";
constexpr const char* kFileErrorTitle = "ファイルエラー";

struct StagedItem {
    int order = 0;  // position of the item's day in the accounting month
    LedgerRecord record;
};

std::optional<int> NumberWithin(std::string_view text, int low, int high) {
    std::optional<long long> value = ParseInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return static_cast<int>(*value);
}

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Our readers take the amount from its second character on, so the first one
// must be a sign or a blank; a digit there would silently be lost.
bool IsReadableAmount(std::string_view amount) {
    char sign = amount.front();
    return (sign == '+' || sign == '-' || sign == ' ') && ParseInteger(amount.substr(1));
}

// A day the file's accounting month does not hold (the 25th of May in a May
// file closing on the 17th) or the calendar lacks (30 February) would be filed
// where no day of the month shows it.
bool BelongsToMonth(int itemYear, int itemMonth, int day, const ForeignMonth& month,
                    int closingDay) {
    int expectedMonth = month.month;
    if (closingDay < kMonthEnd && day > closingDay)
        expectedMonth = month.month == 1 ? 12 : month.month - 1;
    return itemMonth == expectedMonth &&
           day <= DaysInAccountingMonth(kMonthEnd, itemYear, itemMonth);
}

std::optional<StagedItem> Stage(const ForeignRecord& foreign, const ForeignMonth& month,
                                int closingDay, const CategoryTable& categories) {
    // Every date must read back as a valid yymmdd, or our loader would set the item aside.
    if (!IsDigits(foreign.date))
        return std::nullopt;
    std::optional<int> itemMonth = NumberWithin(foreign.date.substr(0, 2), 1, 12);
    std::optional<int> day = NumberWithin(foreign.date.substr(2, 2), 1, 31);
    std::optional<int> category = NumberWithin(foreign.categoryNumber, 0, kMaxCategories);
    std::optional<int> description = NumberWithin(foreign.descriptionNumber, 0, kMaxDescriptions);
    if (!itemMonth || !day || !category || !description || !IsReadableAmount(foreign.amount))
        return std::nullopt;

    // A January file starts with the December days of the year before.
    int year = month.year - (*itemMonth == 12 && month.month == 1 ? 1 : 0);
    if (!BelongsToMonth(year, *itemMonth, *day, month, closingDay))
        return std::nullopt;
    LedgerRecord record{
        TwoDigits(year % 100) + foreign.date,
        foreign.categoryNumber,
        categories.names[*category],
        foreign.descriptionNumber,
        categories.descriptions[*category][*description],
        foreign.amount + " ",
        foreign.remark.starts_with('*') ? std::string() : CutToBytes(foreign.remark, kRemarkBytes)};
    const int startDay = closingDay >= kMonthEnd ? 1 : closingDay + 1;
    return StagedItem{(*day - startDay + 31) % 31, std::move(record)};
}

std::string SourcePath(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + name;
}

ConversionMessage IncorrectDataMessage(const std::string& path) {
    return {"Incorrect Data!", "エラー発生、まちかど帳データ" + path + "を修正して下さい。", true};
}

ConversionMessage FileErrorMessage(const IoError& error) {
    return {kFileErrorTitle, DescribeIoError(error), true};
}

ConversionMessage CompletedMessage(int converted, int failed) {
    std::string text = std::to_string(converted) + "個のデータをコンバートしました。";
    if (failed > 0)
        text += std::to_string(failed) + "個のデータがコンバート失敗です。";
    return {kCompletedTitle, text};
}

ConversionMessage MemoMessage(int copied, int failed) {
    std::string text = std::to_string(copied) + "個のメモデータをリネームコピーしました。";
    if (failed > 0)
        text += std::to_string(failed) + "個のメモデータがコピー失敗です。";
    return {kCompletedTitle, text};
}

// The most records a month or memo file of the foreign book can hold.
struct RecordLimit {
    std::size_t recordBytes;
    std::size_t maxRecords;
};
constexpr RecordLimit kMonthFileLimit{kForeignRecordBytes, kMaxForeignRecords};
constexpr RecordLimit kMemoFileLimit{kMemoRecordBytes, 31};

// A file longer than its format allows (damaged, or not the foreign book's)
// is refused before it is read, so memory never holds more than a month.
std::optional<ConversionMessage> CheckLength(const std::string& path, RecordLimit limit) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec)
        return FileErrorMessage({IoStep::Read, ec.value(), path});
    if (!std::filesystem::is_regular_file(status))
        return FileErrorMessage(
            {IoStep::Read, std::filesystem::is_directory(status) ? EISDIR : kNotRegularFile, path});
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return FileErrorMessage({IoStep::Read, ec.value(), path});
    const double records = static_cast<double>(size) / static_cast<double>(limit.recordBytes);
    if (RoundHalfEven(records) <= static_cast<long long>(limit.maxRecords))
        return std::nullopt;
    return ConversionMessage{"ファイルが大きすぎます",
                             "まちかど帳データ" + path + "は" + std::to_string(size) +
                                 "バイトあり、この形式の上限(" +
                                 std::to_string(limit.recordBytes * limit.maxRecords) +
                                 "バイト)を超えているため、変換しませんでした。",
                             true};
}

std::optional<ConversionMessage> ReadSource(const std::string& path, RecordLimit limit,
                                            FileSystem& fs, std::string& bytes) {
    if (std::optional<ConversionMessage> problem = CheckLength(path, limit))
        return problem;
    if (int err = fs.ReadAll(path, bytes); err != 0)
        return FileErrorMessage({IoStep::Read, err, path});
    return std::nullopt;
}

ConversionMessage CutRecordMessage(const std::string& path, std::size_t bytes) {
    return {kFileErrorTitle,
            "まちかど帳データ" + path + "の最後の記録は途中で切れているため(" +
                std::to_string(bytes) + "バイト)、その記録だけ変換しませんでした。",
            true};
}

// The ledger a month file becomes, or why it cannot be converted; `cutBytes`
// is the length of a last record cut short, which is left out.
std::optional<ConversionMessage> ConvertSource(const std::string& path, const ForeignMonth& month,
                                               int closingDay, const CategoryTable& categories,
                                               FileSystem& fs, std::string& ledger,
                                               std::size_t& cutBytes) {
    std::string bytes;
    if (std::optional<ConversionMessage> problem = ReadSource(path, kMonthFileLimit, fs, bytes))
        return problem;
    std::optional<std::string> converted = ConvertMonthFile(bytes, month, closingDay, categories);
    if (!converted)
        return IncorrectDataMessage(path);
    ledger = std::move(*converted);
    cutBytes = CutRecordBytes(bytes);
    return std::nullopt;
}

PlannedFile PlanMonthFile(const ForeignFile& file, const std::string& source, int closingDay,
                          const CategoryTable& categories, FileSystem& fs) {
    PlannedFile planned;
    planned.sourcePath = SourcePath(source, file.name);
    std::optional<ForeignMonth> month = ParseMonthExtension(file.extension);
    if (!month) {
        planned.problem = IncorrectDataMessage(planned.sourcePath);
        return planned;
    }
    planned.month = *month;
    std::string ledger;  // checked now, built again when it is written
    std::size_t cutBytes = 0;
    planned.problem =
        ConvertSource(planned.sourcePath, *month, closingDay, categories, fs, ledger, cutBytes);
    if (!planned.problem)
        planned.targetName = LedgerFileName(month->year, month->month);
    return planned;
}

std::vector<PlannedFile> PlanMemos(const std::string& source) {
    std::vector<PlannedFile> memos;
    for (const ForeignFile& file : ListForeignFiles(source, kMemoFileStem)) {
        // Unlike the month files, the memo files end at the first name that is not a number.
        if (ExtensionValue(file.extension) == 0)
            break;
        std::optional<ForeignMonth> month = ParseMonthExtension(file.extension);
        if (!month)
            continue;
        PlannedFile planned;
        planned.sourcePath = SourcePath(source, file.name);
        planned.targetName = MemoFileName(month->year, month->month);
        planned.problem = CheckLength(planned.sourcePath, kMemoFileLimit);
        if (planned.problem)
            planned.targetName.clear();
        memos.push_back(std::move(planned));
    }
    return memos;
}

// The foreign book's folder ignores case, ours does not: VERADIV.059 and
// veradiv.059 would both become 199905.DAT and the second would replace the
// first. Neither is converted; one message names both.
void RefuseSharedTargets(std::vector<PlannedFile>& files) {
    std::map<std::string, std::vector<std::size_t>> byTarget;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].problem)
            byTarget[files[i].targetName].push_back(i);
    }
    for (const auto& [target, indexes] : byTarget) {
        if (indexes.size() < 2)
            continue;
        std::string names;
        for (std::size_t i : indexes)
            names += (names.empty() ? "" : "と") + files[i].sourcePath;
        for (std::size_t i : indexes) {
            files[i].targetName.clear();
            files[i].problem = ConversionMessage{"ファイル名の重複",
                                                 "まちかど帳データ" + names +
                                                     "は大文字と小文字だけが違い、どちらも" +
                                                     target + "になるため、変換しませんでした。",
                                                 true};
            files[i].problemNamedBefore = i != indexes.front();
        }
    }
}

// Writes one target; false (with the reason added to the report) when it cannot be written.
bool Write(const PlannedFile& file, const std::string& bytes, const DataFolder& destination,
           ConversionReport& report) {
    bool existed = destination.Exists(file.targetName);
    IoResult result =
        destination.Replace(file.targetName, bytes,
                            {ChangeKind::Conversion, AccountingMonthOfFile(file.targetName) +
                                                         (existed ? "の変換(上書き)" : "の変換")});
    if (!result.ok()) {
        report.messages.push_back(FileErrorMessage(*result.error));
        return false;
    }
    if (existed)
        ++report.replaced;
    return true;
}

// True, with its message reported once, for a file the plan found it cannot convert.
bool Refused(const PlannedFile& file, ConversionReport& report) {
    if (file.problem && !file.problemNamedBefore)
        report.messages.push_back(*file.problem);
    return file.problem.has_value();
}

bool ConvertAndWrite(const PlannedFile& file, const ConversionPlan& plan,
                     const DataFolder& destination, FileSystem& fs, ConversionReport& report) {
    if (Refused(file, report))
        return false;
    std::string ledger;
    std::size_t cutBytes = 0;
    if (std::optional<ConversionMessage> problem = ConvertSource(
            file.sourcePath, file.month, plan.closingDay, plan.categories, fs, ledger, cutBytes)) {
        report.messages.push_back(*problem);
        return false;
    }
    if (!Write(file, ledger, destination, report))
        return false;
    if (cutBytes > 0) {
        report.messages.push_back(CutRecordMessage(file.sourcePath, cutBytes));
        ++report.recordsLeftOut;
    }
    return true;
}

bool CopyMemo(const PlannedFile& file, const DataFolder& destination, FileSystem& fs,
              ConversionReport& report) {
    if (Refused(file, report))
        return false;
    std::string bytes;
    if (std::optional<ConversionMessage> problem =
            ReadSource(file.sourcePath, kMemoFileLimit, fs, bytes)) {
        report.messages.push_back(*problem);
        return false;
    }
    return Write(file, bytes, destination, report);
}

}  // namespace

ConversionMessage SamePathMessage() {
    return {"パスが同一です。", "パスが同一です。右のパスを変えて下さい。", true};
}

std::optional<std::string> ConvertMonthFile(std::string_view bytes, const ForeignMonth& month,
                                            int closingDay, const CategoryTable& categories) {
    if (bytes.size() / kForeignRecordBytes > kMaxForeignRecords)
        return std::nullopt;
    std::vector<StagedItem> items;
    for (const ForeignRecord& record : DecodeForeignRecords(bytes)) {
        std::optional<StagedItem> item = Stage(record, month, closingDay, categories);
        if (!item)
            return std::nullopt;
        items.push_back(std::move(*item));
    }
    // Days in accounting order; items of one day keep their order in the file.
    std::stable_sort(items.begin(), items.end(),
                     [](const StagedItem& a, const StagedItem& b) { return a.order < b.order; });
    std::string ledger;
    ledger.reserve(items.size() * kLedgerRecordBytes);
    for (const StagedItem& item : items)
        ledger += EncodeLedgerRecord(item.record);
    return ledger;
}

PlanResult PlanConversion(const ConversionRequest& request, FileSystem& fs) {
    std::optional<std::string> categoryFile = FindForeignFile(request.source, kCategoryFileName);
    if (!categoryFile)
        return {std::nullopt, ConversionMessage{kFileErrorTitle,
                                                "費目ファイル(VERADIV.DAT)がありません。", true}};
    std::string categoryBytes;
    std::string categoryPath = SourcePath(request.source, *categoryFile);
    if (int err = fs.ReadAll(categoryPath, categoryBytes); err != 0)
        return {std::nullopt, FileErrorMessage({IoStep::Read, err, categoryPath})};
    CategoryTable categories;
    ParseCategoryFile(categoryBytes, categories);
    if (categories.CategoryCount() == 0)
        return {std::nullopt, FileErrorMessage({IoStep::Read, kNoCategory, categoryPath})};

    ConversionPlan plan;
    plan.destination = request.destination;
    plan.closingDay = request.closingDay;
    plan.categories = categories;
    for (const ForeignFile& file : ListForeignFiles(request.source, kMonthFileStem)) {
        if (ExtensionValue(file.extension) == 0)
            continue;
        plan.ledgers.push_back(
            PlanMonthFile(file, request.source, request.closingDay, categories, fs));
    }
    RefuseSharedTargets(plan.ledgers);
    plan.memos = PlanMemos(request.source);
    RefuseSharedTargets(plan.memos);
    return {std::move(plan), std::nullopt};
}

int CountReplacedFiles(const ConversionPlan& plan, FileSystem& fs) {
    DataFolder destination(plan.destination, fs);
    std::set<std::string> replaced;
    for (const auto* files : {&plan.ledgers, &plan.memos}) {
        for (const PlannedFile& file : *files) {
            if (!file.problem && destination.Exists(file.targetName))
                replaced.insert(file.targetName);
        }
    }
    return static_cast<int>(replaced.size());
}

ConversionReport CarryOutConversion(const ConversionPlan& plan, FileSystem& fs) {
    DataFolder destination(plan.destination, fs);
    KeepHistory(destination);
    // The caller holds the destination's lock, so no live writer's temporary is swept.
    RemoveStaleTemporaryFiles(destination);
    // Every file the conversion writes is one change: one undo takes it all back.
    ChangeGroupScope oneChange(destination);
    ConversionReport report;
    for (const PlannedFile& ledger : plan.ledgers) {
        if (ConvertAndWrite(ledger, plan, destination, fs, report))
            ++report.converted;
        else
            ++report.failed;
    }
    report.messages.push_back(CompletedMessage(report.converted, report.failed));
    for (const PlannedFile& memo : plan.memos) {
        if (CopyMemo(memo, destination, fs, report))
            ++report.memosCopied;
        else
            ++report.memosFailed;
    }
    report.messages.push_back(MemoMessage(report.memosCopied, report.memosFailed));
    return report;
}

}  // namespace hanaki
