#include "monthly/print_month_command.h"

#include "data/disk/data_folder.h"
#include "data/formats/category_table.h"
#include "data/formats/ledger.h"
#include "data/formats/memo.h"
#include "data/formats/settings.h"
#include "data/program/command_household.h"
#include "monthly/monthly_printout.h"
#include "ui/pdf_file_surface.h"

namespace hanaki {
int RunPrintMonthCommand(const std::string& dataDir, int year, int month,
                         const std::string& pdfPath, std::ostream& err) {
    const DataFolder data(dataDir, RealFileSystem());
    CategoryTable categories;
    Settings settings;
    if (!LoadHouseholdForCommand(data, categories, settings, err))
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
    if (ledger.unreadableRecords > 0)
        err << UnreadableRecordsNote(ledger.unreadableRecords) << "\n";
    printout.rows = CollectMonthlyRows(ledger, categories, settings.closingDay);
    if (printout.rows.empty()) {
        err << year << "年" << month << "月度のデータがありません。PDF は作成しません。\n";
        return 1;
    }
    printout.totals = TotalsOfRows(printout.rows);

    // A memo file that cannot be read (a FIFO, a device) stops the printout
    // rather than leave its memos out in silence.
    loaded = LoadMemo(data, settings.closingDay, shortYear, month, printout.memo);
    if (!loaded.ok()) {
        err << DescribeIoError(*loaded.error) << "\n";
        return 1;
    }
    printout.hasMemoFile = data.Exists(MemoFileName(shortYear, month));

    const QString title = QString::fromStdString(std::to_string(year) + (month < 10 ? "0" : "") +
                                                 std::to_string(month) + "月度");
    PdfFileSurface pdf(RealFileSystem(), pdfPath, DefaultPdfLayout(), title);
    const IoResult written = PrintMonthlyTable(pdf, printout);
    if (!written.ok()) {
        err << (IsStandardOutputName(pdfPath) ? DescribeStandardOutputFailure(written.error->code)
                                              : DescribeIoError(*written.error))
            << "\n";
        return 1;
    }
    return ledger.unreadableRecords > 0 ? 1 : 0;
}

}  // namespace hanaki
