#include "monthly/print_month_command.h"

#include "data/category_table.h"
#include "data/data_folder.h"
#include "data/ledger.h"
#include "data/memo.h"
#include "data/settings.h"
#include "monthly/monthly_printout.h"
#include "ui/pdf_file_surface.h"

namespace hanaki {
namespace {

// The master and the settings, or a message saying which is missing.
bool LoadHousehold(const DataFolder& data, CategoryTable& categories, Settings& settings,
                   std::ostream& err) {
    for (std::string_view name : {kCategoryFileName, kSettingsFileName}) {
        if (!data.Exists(name)) {
            err << "データフォルダ " << data.path() << " に " << name << " がありません。\n";
            return false;
        }
    }
    IoResult loaded = LoadCategoryTable(data, categories);
    SettingsReading reading;
    if (loaded.ok())
        loaded = LoadSettings(data, settings, reading);
    if (!loaded.ok()) {
        err << DescribeIoError(*loaded.error) << "\n";
        return false;
    }
    return true;
}

}  // namespace

int RunPrintMonthCommand(const std::string& dataDir, int year, int month,
                         const std::string& pdfPath, std::ostream& err) {
    const DataFolder data(dataDir, RealFileSystem());
    CategoryTable categories;
    Settings settings;
    if (!LoadHousehold(data, categories, settings, err))
        return 1;

    MonthlyPrintout printout;
    printout.year = year;
    printout.month = month;
    printout.closingDay = settings.closingDay;
    const int shortYear = year - 1900;
    MonthLedger ledger;
    IoResult loaded = LoadMonthLedger(data, settings.closingDay, shortYear, month, ledger);
    if (!loaded.ok()) {
        err << DescribeIoError(*loaded.error) << "\n";
        return 1;
    }
    if (ledger.unreadableRecords > 0) {
        err << LedgerFileName(shortYear, month) << " の " << ledger.unreadableRecords
            << "件の記録が読み取れません。これらの記録は印刷されません。\n";
    }
    printout.rows = CollectMonthlyRows(ledger, categories, settings.closingDay);
    if (printout.rows.empty()) {
        err << year << "年" << month << "月度のデータがありません。PDF は作成しません。\n";
        return 1;
    }
    printout.totals = TotalsOfRows(printout.rows);

    printout.hasMemoFile = data.Exists(MemoFileName(shortYear, month));
    if (printout.hasMemoFile) {
        loaded = LoadMemo(data, settings.closingDay, shortYear, month, printout.memo);
        if (!loaded.ok()) {
            err << DescribeIoError(*loaded.error) << "\n";
            return 1;
        }
    }

    const QString title = QString::fromStdString(std::to_string(year) + (month < 10 ? "0" : "") +
                                                 std::to_string(month) + "月度");
    PdfFileSurface pdf(RealFileSystem(), pdfPath, DefaultPdfLayout(), title);
    const IoResult written = PrintMonthlyTable(pdf, printout);
    if (!written.ok()) {
        err << DescribeIoError(*written.error) << "\n";
        return 1;
    }
    return 0;
}

}  // namespace hanaki
