#include "import/conversion.h"

#include <algorithm>
#include <set>

#include "data/calendar.h"
#include "data/data_folder.h"
#include "data/fixed_field.h"
#include "data/ledger.h"
#include "data/memo.h"

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
    return {"Incorrect Data!", "エラー発生、まちかど帳データ" + path + "を修正して下さい。"};
}

ConversionMessage CompletedMessage(int converted, int failed) {
    std::string text = std::to_string(converted) + "個のデータをコンバートしました。";
    if (failed > 0)
        text += std::to_string(failed) + "個のデータがコンバート失敗です。";
    return {kCompletedTitle, text};
}

ConversionMessage MemoMessage(int copied) {
    return {kCompletedTitle, std::to_string(copied) + "個のメモデータをリネームコピーしました。"};
}

PlannedFile PlanMonthFile(const ForeignFile& file, const std::string& source, int closingDay,
                          const CategoryTable& categories, FileSystem& fs) {
    PlannedFile planned{SourcePath(source, file.name), {}, {}, {}};
    std::optional<ForeignMonth> month = ParseMonthExtension(file.extension);
    if (!month) {
        planned.problem = IncorrectDataMessage(planned.sourcePath);
        return planned;
    }
    std::string bytes;
    if (int err = fs.ReadAll(planned.sourcePath, bytes); err != 0) {
        planned.problem = {kFileErrorTitle,
                           DescribeIoError({IoStep::Read, err, planned.sourcePath})};
        return planned;
    }
    std::optional<std::string> ledger = ConvertMonthFile(bytes, *month, closingDay, categories);
    if (!ledger) {
        planned.problem = IncorrectDataMessage(planned.sourcePath);
        return planned;
    }
    planned.targetName = LedgerFileName(month->year, month->month);
    planned.bytes = std::move(*ledger);
    return planned;
}

std::vector<PlannedFile> PlanMemos(const std::string& source, FileSystem& fs) {
    std::vector<PlannedFile> memos;
    for (const ForeignFile& file : ListForeignFiles(source, kMemoFileStem)) {
        // Unlike the month files, the memo files end at the first name that is not a number.
        if (ExtensionValue(file.extension) == 0)
            break;
        std::optional<ForeignMonth> month = ParseMonthExtension(file.extension);
        if (!month)
            continue;
        PlannedFile planned{
            SourcePath(source, file.name), MemoFileName(month->year, month->month), {}, {}};
        if (int err = fs.ReadAll(planned.sourcePath, planned.bytes); err != 0) {
            planned.targetName.clear();
            planned.problem = {kFileErrorTitle,
                               DescribeIoError({IoStep::Read, err, planned.sourcePath})};
        }
        memos.push_back(std::move(planned));
    }
    return memos;
}

// Writes one planned file; false (with the reason added to the report) when it
// cannot be converted or written.
bool Write(const PlannedFile& file, const DataFolder& destination, ConversionReport& report) {
    if (file.problem) {
        report.messages.push_back(*file.problem);
        return false;
    }
    bool existed = destination.Exists(file.targetName);
    IoResult result = destination.Replace(file.targetName, file.bytes);
    if (!result.ok()) {
        report.messages.push_back({kFileErrorTitle, DescribeIoError(*result.error)});
        return false;
    }
    if (existed)
        ++report.replaced;
    return true;
}

}  // namespace

ConversionMessage SamePathMessage() {
    return {"パスが同一です。", "パスが同一です。右のパスを変えて下さい。"};
}

std::optional<std::string> ConvertMonthFile(std::string_view bytes, const ForeignMonth& month,
                                            int closingDay, const CategoryTable& categories) {
    if (ForeignRecordCount(bytes.size()) > kMaxForeignRecords)
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
        return {std::nullopt,
                ConversionMessage{kFileErrorTitle, "費目ファイル(VERADIV.DAT)がありません。"}};
    std::string categoryBytes;
    std::string categoryPath = SourcePath(request.source, *categoryFile);
    if (int err = fs.ReadAll(categoryPath, categoryBytes); err != 0)
        return {
            std::nullopt,
            ConversionMessage{kFileErrorTitle, DescribeIoError({IoStep::Read, err, categoryPath})}};
    CategoryTable categories;
    ParseCategoryFile(categoryBytes, categories);

    ConversionPlan plan;
    plan.destination = request.destination;
    for (const ForeignFile& file : ListForeignFiles(request.source, kMonthFileStem)) {
        if (ExtensionValue(file.extension) == 0)
            continue;
        plan.ledgers.push_back(
            PlanMonthFile(file, request.source, request.closingDay, categories, fs));
    }
    plan.memos = PlanMemos(request.source, fs);
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
    ConversionReport report;
    for (const PlannedFile& ledger : plan.ledgers) {
        if (Write(ledger, destination, report))
            ++report.converted;
        else
            ++report.failed;
    }
    report.messages.push_back(CompletedMessage(report.converted, report.failed));
    for (const PlannedFile& memo : plan.memos) {
        if (Write(memo, destination, report))
            ++report.memosCopied;
    }
    report.messages.push_back(MemoMessage(report.memosCopied));
    return report;
}

}  // namespace hanaki
