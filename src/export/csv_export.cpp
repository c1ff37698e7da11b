#include "export/csv_export.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "data/book/amount_format.h"
#include "data/disk/data_folder.h"
#include "data/disk/stale_temporaries.h"
#include "data/formats/cp932.h"
#include "data/formats/csv_line.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"

namespace hanaki {
namespace {

namespace fs = std::filesystem;

// A text field. A double quote inside is doubled so that a spreadsheet reads
// the field whole; code page 932 has no trail byte 0x22, so bytes are safe.
void AppendText(std::string& line, std::string_view text) {
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

const std::string& HeadingLine() {
    static const std::string line = Utf8ToCp932Lossy(
        "\"年月日\",\"費目No.\",\"費目\",\"摘要No.\",\"摘要\",\"入金\",\"出金\",\"備考\"\r\n");
    return line;
}

// Only the category indexes the table of kinds, so only it must lie in 0 … 20;
// any description number that reads as a number goes out as it stands.
std::optional<ItemNumbers> ReadNumbers(const LedgerRecord& record) {
    std::optional<long long> category = ParseInteger(record.categoryNumber);
    std::optional<long long> description = ParseInteger(record.descriptionNumber);
    std::optional<long long> amount = ParseInteger(std::string_view(record.amount).substr(1));
    if (!category || *category < 0 || *category > kMaxCategories || !description || !amount)
        return std::nullopt;
    return ItemNumbers{static_cast<int>(*category), static_cast<int>(*description), *amount};
}

std::string RecordLine(const LedgerRecord& record, const ItemNumbers& numbers,
                       const CategoryTable& categories) {
    const std::string& date = record.date;
    std::string line;
    AppendText(line, date.substr(0, 2) + "/" + date.substr(2, 2) + "/" + date.substr(4, 2));
    line += ',' + std::to_string(numbers.category) + ',';
    AppendText(line, TrimRight(record.categoryName));
    line += ',' + std::to_string(numbers.description) + ',';
    AppendText(line, TrimRight(record.descriptionName));
    // The category's kind today decides the column, not the sign in the record.
    const std::string amount = std::to_string(numbers.amount);
    line += categories.IsExpense(numbers.category) ? ",\"\"," + amount : ',' + amount + ",\"\"";
    line += ',';
    AppendText(line, SpreadsheetText(TrimRight(record.remark)));
    line += "\r\n";
    return line;
}

// The ledgers by the CSV file each becomes. 199905.DAT and 199905.dat would
// both become 199905.CSV, the second replacing the first.
std::map<std::string, std::vector<std::string>> ByTarget(const std::vector<std::string>& names) {
    std::map<std::string, std::vector<std::string>> byTarget;
    for (const std::string& name : names)
        byTarget[name.substr(0, 6) + ".CSV"].push_back(name);
    return byTarget;
}

std::string SharedTargetMessage(const DataFolder& source, const std::vector<std::string>& names,
                                const std::string& target) {
    std::string text = "ファイル ";
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : " と ") + source.PathOf(names[i]);
    return text + " は大文字と小文字だけが違い、どちらも " + target +
           " になるため、書き出しませんでした。";
}

}  // namespace

std::string LedgerToCsv(std::string_view ledgerBytes, const CategoryTable& categories,
                        int& skipped) {
    std::string csv = HeadingLine();
    const std::size_t count = LedgerRecordCount(ledgerBytes.size());
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view chunk = ledgerBytes.substr(i * kLedgerRecordBytes, kLedgerRecordBytes);
        LedgerRecord record = DecodeLedgerRecord(chunk);
        std::optional<ItemNumbers> numbers = ReadNumbers(record);
        // A cut-off last record is damage too: report it rather than guess its rest.
        if (!numbers || !HasLedgerDate(chunk)) {
            ++skipped;
            continue;
        }
        csv += RecordLine(record, *numbers, categories);
    }
    return csv;
}

bool IsExportableLedgerName(std::string_view fileName) {
    if (fileName.size() != 10)
        return false;
    std::string_view base = fileName.substr(0, 6);
    std::string extension(fileName.substr(6));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".DAT" &&
           std::all_of(base.begin(), base.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           base != "000000";
}

IoResult ListExportableLedgers(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        // A FIFO or a folder under a month file's name is reported by the reader.
        if (IsExportableLedgerName(name))
            names.push_back(name);
    }
    if (ec)
        return IoResult::Fail(IoStep::Read, ec.value(), folder);
    std::sort(names.begin(), names.end());
    return IoResult::Ok();
}

CsvExportResult ExportFolderToCsv(FileSystem& fs, const std::string& source,
                                  const std::string& destination, const CategoryTable& categories) {
    CsvExportResult result;
    std::vector<std::string> names;
    IoResult listed = ListExportableLedgers(source, names);
    if (!listed.ok()) {
        result.failures.push_back(DescribeIoError(*listed.error));
        return result;
    }
    const DataFolder from(source, fs);
    const DataFolder to(destination, fs);
    // The sweep takes only what this computer's dead writers left, so the
    // user's own files beside the CSV files are safe.
    RemoveStaleTemporaryFiles(to);
    for (const auto& [target, sources] : ByTarget(names)) {
        if (sources.size() > 1) {
            result.failed += static_cast<int>(sources.size());
            result.failures.push_back(SharedTargetMessage(from, sources, target));
            continue;
        }
        std::string bytes;
        IoResult read = from.Read(sources.front(), bytes);
        if (!read.ok()) {
            ++result.failed;
            result.failures.push_back(DescribeIoError(*read.error));
            continue;
        }
        int skipped = 0;
        std::string csv = LedgerToCsv(bytes, categories, skipped);
        IoResult written = to.Replace(target, csv);
        if (!written.ok()) {
            ++result.failed;
            result.failures.push_back(DescribeIoError(*written.error));
            continue;
        }
        ++result.written;
        result.skippedRecords += skipped;
        if (skipped > 0)
            result.skips.push_back("ファイル " + from.PathOf(sources.front()) +
                                   " の読めないデータ" + std::to_string(skipped) +
                                   "件は書き出しませんでした。");
    }
    return result;
}

std::string ConvertedMessage(const CsvExportResult& result) {
    return std::to_string(result.written) + "個のデータをコンバートしました。";
}

std::string FailureSummary(const CsvExportResult& result) {
    std::string text;
    if (result.failed > 0)
        text = std::to_string(result.written) + "個のファイルを書き出し、" +
               std::to_string(result.failed) + "個は書き出せませんでした。\n最初の失敗:\n";
    return text + result.failures.front();
}

}  // namespace hanaki
