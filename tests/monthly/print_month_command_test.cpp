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

// Its text is checked by the baselines; here, what the text does not show.
TEST(PrintMonthCommand, WritesTheMonthAsTwoA4PagesWithEveryFontEmbedded) {
    if (QStandardPaths::findExecutable("pdffonts").isEmpty())
        GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
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
