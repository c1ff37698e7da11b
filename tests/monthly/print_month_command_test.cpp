#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "monthly/month_files.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"
#include "ui/pdf_file_surface.h"

namespace hanaki::testing {
namespace {

struct Finished {
    int exitCode = -1;
    std::string out, err;
};

Finished Start(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    Finished run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

Finished PrintMonth(const TempFolder& data, const QString& year, const QString& month,
                    const std::string& pdf) {
    return Start(HANAKI_PROGRAM,
                 {"--data-dir", QString::fromStdString(data.path()), "--print-month", year, month,
                  "--pdf", QString::fromStdString(pdf)});
}

struct Household {
    Household() {
        data.Write("VERADIV.DAT", Sjis(kMonthlyMaster));
        data.Write("VERADIV.ENV", ClosingDaySettings(kMonthEnd));
    }
    TempFolder data;
    TempFolder out;
};

TEST(PrintMonthCommand, WritesTheMonthAsAPdfOfRealJapaneseText) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    Household house;
    std::vector<Item> items = DecemberItems(59);
    items[0] = {"261201", 1, 250000, "給与振込"};
    items[58] = {"261231", 3, 1000000, "年払いの家賃"};
    house.data.Write("202612.DAT", LedgerBytes(items));
    house.data.Write("202612.MEM",
                     MemoBytes({{3, {"家族で買い物", "", ""}}, {31, {"大掃除", "", ""}}}));
    const std::string pdf = house.out.path() + "/家計簿.pdf";

    const Finished run = PrintMonth(house.data, "2026", "12", pdf);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");

    const Finished info = Start("pdfinfo", {QString::fromStdString(pdf)});
    EXPECT_NE(info.out.find("Pages:           2\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("(A4)"), std::string::npos) << info.out;
    const Finished fonts = Start("pdffonts", {QString::fromStdString(pdf)});
    // Every font embedded: the "emb" column, fifth from the end, of each row under the heading.
    const QStringList rows = QString::fromStdString(fonts.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(rows.size(), 3) << fonts.out;
    for (const QString& row : rows.mid(2)) {
        const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(columns.at(columns.size() - 5), "yes") << row.toStdString();
    }

    auto page = [&](const char* number) {
        return Start("pdftotext",
                     {"-layout", "-f", number, "-l", number, QString::fromStdString(pdf), "-"})
            .out;
    };
    const std::string first = page("1");
    const std::string second = page("2");
    for (const char* text : {"2026年(令和8年)12月度", "家 計 簿 一 覧", "page 1", "費   目",
                             "摘   要", "備", "給料", "月給", "給与振込", "250,000", "品目58"})
        EXPECT_NE(first.find(text), std::string::npos) << text << "\n" << first;
    for (const char* text :
         {"page 2", "住居", "家賃", "年払いの家賃", "1,000,000", "合 計", "残高 -807,000",
          "2026年12月度   メ モ 欄", "12/3", "家族で買い物", "12/31", "大掃除"})
        EXPECT_NE(second.find(text), std::string::npos) << text << "\n" << second;
}

TEST(PrintMonthCommand, RefusesWhatItCannotPrintAndLeavesNoFile) {
    Household house;
    house.data.Write("202612.DAT", LedgerBytes(DecemberItems(2)));
    const std::string pdf = house.out.path() + "/月計.pdf";
    // A folder where the PDF should go: the temporary file is written but cannot replace it.
    std::filesystem::create_directory(house.out.path() + "/folder.pdf");
    struct Case {
        QString year, month;
        std::string target;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"2026", "11", pdf, 1, "2026年11月度のデータがありません。PDF は作成しません。\n"},
        {"2026", "13", pdf, 2,
         "--print-month には年 (1950～2049) と月 (1～12) を指定してください。\n"},
        {"1949", "12", pdf, 2,
         "--print-month には年 (1950～2049) と月 (1～12) を指定してください。\n"},
        {"2026", "12", house.out.path() + "/folder.pdf", 1,
         "ファイル " + house.out.path() +
             "/folder.pdf に書き込めませんでした。\n理由: フォルダです。\n"
             "ファイルは変更前のまま残っています。\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year.toStdString() + " " + c.month.toStdString());
        const Finished run = PrintMonth(house.data, c.year, c.month, c.target);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(house.out.FileCount(), 1u);  // only the folder
        EXPECT_FALSE(house.out.Exists("月計.pdf"));
    }
}

TEST(PrintoutLayout, thePrintDialogsPaperGetsTheSameMarginsAsTheCommandsPdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QPageLayout fromDialog = PrintoutLayout(printer.pageLayout());
    EXPECT_EQ(fromDialog.paintRectPoints(), DefaultPdfLayout().paintRectPoints());
    EXPECT_EQ(fromDialog.fullRectPoints(), DefaultPdfLayout().fullRectPoints());
}

}  // namespace
}  // namespace hanaki::testing
