#include "monthly/monthly_printout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "data/formats/fixed_field.h"
#include "ui/fonts.h"
#include "ui/print_surface.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

// Page geometry in twips.
constexpr int kX0 = 400;
constexpr int kY0 = 700;
constexpr int kRow = 250;
constexpr int kTextOffset = 25;
constexpr int kItemsPerPage = 58;
constexpr int kMemoRowsPerPage = 58;
// A last page with more items than this leaves no room for the memo section.
constexpr int kMemoOnSamePage = 54;
// Left boundaries of No., date, category, description, income, expense, balance, remark.
constexpr int kColumns[] = {0, 330, 990, 2145, 3300, 4290, 5280, 6270};
constexpr int kDateLeft = 330, kCategoryLeft = 990, kDescriptionLeft = 2145, kIncomeLeft = 3300,
              kExpenseLeft = 4290, kBalanceLeft = 5280, kRemarkLeft = 6270;
constexpr int kTableRight = 10870;
constexpr int kMemoRight = 10510;
constexpr int kMemoDateWidth = 660;
constexpr int kTotalsRight = 7755;  // the balance column and a half beyond it

constexpr double kNormalPoints = 11;
constexpr double kBigAmountPoints = 9.25;
constexpr double kLongRemarkPoints = 7.5;
constexpr std::size_t kLongRemarkBytes = 40;

const QString kTimes = QStringLiteral("Times New Roman");

int TextY(int row) {
    return kY0 + row * kRow + kTextOffset;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// How far a figure that needs smaller type keeps from the rules.
constexpr int kInset = 30;

// The fonts give a half-width character half an em: a byte of code page 932
// takes half the point size in twentieths.
double PrintedWidth(std::size_t bytes, double points) {
    return static_cast<double>(bytes) * points * 10;
}

// `points`, or the largest quarter point below it at which `bytes` fit `room` twips.
double PointsWithin(double points, std::size_t bytes, double room) {
    if (PrintedWidth(bytes, points) <= room)
        return points;
    return std::floor(room / PrintedWidth(bytes, 1) * 4) / 4;
}

// A text where it goes and in what size.
struct Placed {
    int x;
    double points;
    std::string text;
};

// An amount set from `offset` twips left of its column's rule: 9 bytes at 11
// points, or 11 bytes at 9.25 points when it needs more than six digits or a
// minus before six. A figure that would reach the rule in either (a minus
// before eight digits, nine digits and more) ends where the 11-byte ones do,
// in the type that keeps it within the column.
Placed SetAmount(long long value, const std::string& formatted, int column, int offset) {
    const bool big = value > 999'999 || value < -99'999;
    const std::size_t width = big ? 11 : 9;
    const double points = big ? kBigAmountPoints : kNormalPoints;
    const int x = kX0 + column - offset;
    if (formatted.size() < width)
        return {x, points, PadLeft(formatted, width)};
    const double end = x + PrintedWidth(width, points);
    const double fitted = PointsWithin(points, formatted.size(), end - (kX0 + column + kInset));
    return {static_cast<int>(std::lround(end - PrintedWidth(formatted.size(), fitted))), fitted,
            formatted};
}

// Draws in the order the page is built, keeping track of the font in use
// because some steps change only its family and others only its size.
class Pen {
  public:
    explicit Pen(PrintSurface& surface) : surface_(surface) {}

    void Font(const QString& family, double points) {
        family_ = family;
        points_ = points;
        surface_.SetFont(family_, points_);
    }
    void Font(const char* family, double points) { Font(QString::fromUtf8(family), points); }
    void Family(const char* family) { Font(family, points_); }
    void Size(double points) { Font(family_, points); }
    void Utf8(int x, int y, const std::string& text) {
        surface_.Text(x, y, QString::fromStdString(text));
    }
    void Cp932(int x, int y, const std::string& text) { surface_.Text(x, y, FromCp932(text)); }
    void Line(int x1, int y1, int x2, int y2) { surface_.Line(x1, y1, x2, y2); }
    void NewPage() { surface_.NewPage(); }

  private:
    PrintSurface& surface_;
    QString family_;
    double points_ = kNormalPoints;
};

void PrintPageTop(Pen& pen, const MonthlyPrintout& printout, int pageNumber) {
    const int y = kY0 - 375;
    pen.Font(kTimes, 12);
    pen.Utf8(kX0 + 1, y, std::string(158, ' ') + "page " + std::to_string(pageNumber));
    pen.Font(kGothic, 14);
    pen.Utf8(kX0 + 1, y, PrintoutTitle(printout.year, printout.month));
    pen.Font(kGothic, 11);
    const int headingY = kY0 + kTextOffset;
    pen.Utf8(kX0 + 1, headingY, "No.");
    pen.Utf8(kX0 + kDateLeft, headingY, " 月日");
    pen.Utf8(kX0 + kCategoryLeft, headingY, "  費   目");
    pen.Utf8(kX0 + kDescriptionLeft, headingY, "  摘   要");
    pen.Utf8(kX0 + kIncomeLeft, headingY, " 収  入");
    pen.Utf8(kX0 + kExpenseLeft, headingY, " 支  出");
    pen.Utf8(kX0 + kBalanceLeft, headingY, " 残  高");
    pen.Utf8(kX0 + kRemarkLeft, headingY, "  備                   考");
}

// The running number right-aligned in 3 characters; 1000 in the type that
// keeps it within the No. column.
Placed SetNumber(int number) {
    const std::string digits = std::to_string(number);
    if (digits.size() <= 3)
        return {kX0 + 1, kNormalPoints, PadLeft(digits, 3)};
    const double points = PointsWithin(kNormalPoints, digits.size(), kDateLeft - 2 * kInset);
    return {kX0 + kDateLeft - kInset -
                static_cast<int>(std::lround(PrintedWidth(digits.size(), points))),
            points, digits};
}

// A name of up to 12 bytes: longer than its column at 11 points from 11 bytes on.
double NamePoints(const std::string& cp932) {
    return PointsWithin(kNormalPoints, TrimRight(cp932).size(),
                        kDescriptionLeft - kCategoryLeft - kInset);
}

void PrintItem(Pen& pen, const MonthlyRow& row, int number, int line) {
    const int y = TextY(line);
    const Placed numberText = SetNumber(number);
    pen.Font(kMincho, numberText.points);
    pen.Utf8(numberText.x, y, numberText.text);
    pen.Size(kNormalPoints);
    pen.Utf8(kX0 + kDateLeft + 30, y, PrintedDate(row.calendarDate));
    for (const auto& [name, column] : {std::pair{&row.record.categoryName, kCategoryLeft},
                                       std::pair{&row.record.descriptionName, kDescriptionLeft}}) {
        const std::string cut = CutToBytes(*name, 12);
        pen.Size(NamePoints(cut));
        pen.Cp932(kX0 + column, y, cut);
    }

    const std::string formatted = FormatGroupedBlankZero(static_cast<double>(row.amount));
    const std::string blank(9, ' ');
    const Placed amount =
        SetAmount(row.amount, formatted, row.income ? kIncomeLeft : kExpenseLeft, 60);
    pen.Size(amount.points);
    if (row.income) {
        pen.Utf8(amount.x, y, amount.text);
        pen.Utf8(kX0 + kExpenseLeft - 60, y, blank);
    } else {
        pen.Utf8(kX0 + kIncomeLeft - 60, y, blank);
        pen.Utf8(amount.x, y, amount.text);
    }

    const Placed balance = SetAmount(
        row.balance, FormatGroupedBlankZero(static_cast<double>(row.balance)), kBalanceLeft, 50);
    pen.Size(balance.points);
    pen.Utf8(balance.x, y, balance.text);

    const std::string remark = TrimRight(row.record.remark);
    pen.Font(kMincho, remark.size() > kLongRemarkBytes ? kLongRemarkPoints : kNormalPoints);
    pen.Cp932(kX0 + kRemarkLeft + 30, y, remark);
}

void RulePage(Pen& pen, int lines) {
    for (int j = 0; j <= lines + 1; ++j)
        pen.Line(kX0 + 1, kY0 + j * kRow, kX0 + kTableRight, kY0 + j * kRow);
    const int bottom = kY0 + (lines + 1) * kRow;
    for (int column : kColumns) {
        if (column != 0)
            pen.Line(kX0 + column, kY0 + 1, kX0 + column, bottom);
    }
    pen.Line(kX0 + 1, kY0 + 1, kX0 + 1, bottom);
    pen.Line(kX0 + kTableRight, kY0 + 1, kX0 + kTableRight, bottom);
}

long long ValueOfShown(const std::string& grouped) {
    std::string digits;
    for (char c : grouped) {
        if (c != ',')
            digits += c;
    }
    return ParseInteger(digits).value_or(0);
}

void PrintTotals(Pen& pen, const MonthlyPrintout& printout, int row) {
    const int y = TextY(row);
    pen.Font(kGothic, kNormalPoints);
    pen.Utf8(kX0 + kDescriptionLeft, y, " 合 計 ");
    double points = kNormalPoints;
    for (const auto& [shown, column] : {std::pair{&printout.totals.income, kIncomeLeft},
                                        std::pair{&printout.totals.expense, kExpenseLeft}}) {
        const long long value = ValueOfShown(*shown);
        const Placed total =
            SetAmount(value, FormatGrouped(static_cast<double>(value)), column, 50);
        points = total.points;
        pen.Size(points);
        pen.Utf8(total.x, y, total.text);
    }
    // In the expense total's size, smaller where the balance would reach past the rule.
    const std::string balance = " 残高   " + printout.totals.balance;
    const std::size_t bytes = ToCp932(QString::fromStdString(balance)).value_or(balance).size();
    pen.Size(PointsWithin(points, bytes, kTotalsRight - kBalanceLeft - kInset));
    pen.Utf8(kX0 + kBalanceLeft, y, balance);

    const int top = kY0 + row * kRow;
    const int bottom = top + kRow;
    for (int x : {kDescriptionLeft, kIncomeLeft, kExpenseLeft, kBalanceLeft, kTotalsRight})
        pen.Line(kX0 + x, top, kX0 + x, bottom);
    pen.Line(kX0 + kDescriptionLeft, bottom, kX0 + kTotalsRight, bottom);
}

void PrintMemos(Pen& pen, const MonthlyPrintout& printout, int linesOnLastPage) {
    int m = -1;
    if (linesOnLastPage <= kMemoOnSamePage) {
        m = linesOnLastPage + 3;
    } else {
        pen.NewPage();
    }
    const std::string year = std::to_string(printout.year);
    const std::string month = std::to_string(printout.month);
    pen.Family(kGothic);
    pen.Utf8(kX0 + kCategoryLeft, kY0 + (m + 1) * kRow,
             "     " + year + "年" + month + "月度" + "   メ モ 欄 ");
    pen.Line(kX0, kY0 + (m + 2) * kRow, kX0 + kMemoRight, kY0 + (m + 2) * kRow);
    ++m;
    pen.Family(kMincho);

    const std::string yymm = TwoDigits(printout.year % 100) + TwoDigits(printout.month);
    // A full page is turned only when something follows, so that no sheet
    // holds a lone rule; a sheet has rows down to 59, like the item pages.
    bool full = false;
    auto turnIfFull = [&] {
        if (!full)
            return;
        full = false;
        pen.NewPage();
        m = -1;
        pen.Line(kX0, kY0, kX0 + kMemoRight, kY0);
    };
    for (int day = 1; day <= 31; ++day) {
        const std::array<std::string, 3> lines = printout.memo.LinesOf(day);
        // A day without a line (only a hand-edited file has one) would print
        // its date over the next day's.
        if (!printout.memo.InUse(day) ||
            std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }))
            continue;
        turnIfFull();
        pen.Utf8(kX0, kY0 + (m + 1) * kRow,
                 PrintedDate(AccountingToCalendar(printout.closingDay, yymm + TwoDigits(day))));
        for (const std::string& line : lines) {
            if (line.empty())
                continue;
            turnIfFull();
            ++m;
            const int top = kY0 + m * kRow;
            pen.Cp932(kX0 + kMemoDateWidth + 200, top, line);
            for (int x : {0, kMemoDateWidth, kMemoRight})
                pen.Line(kX0 + x, top, kX0 + x, top + kRow);
            pen.Line(kX0, top + kRow, kX0 + kMemoRight, top + kRow);
            full = m >= kMemoRowsPerPage;
        }
    }
}

}  // namespace

std::string PrintoutTitle(int year, int month) {
    const Era era = EraOf(year - 1900, month);
    return "   " + std::to_string(year) + "年(" + era.name + std::to_string(era.year) + "年)" +
           std::to_string(month) + "月度" + "     家 計 簿 一 覧";
}

IoResult PrintMonthlyTable(PrintSurface& surface, const MonthlyPrintout& printout) {
    Pen pen(surface);
    const int items = static_cast<int>(printout.rows.size());
    int remaining = items;
    int page = 0;
    int lines = 0;
    do {
        lines = std::min(remaining, kItemsPerPage);
        remaining -= lines;
        PrintPageTop(pen, printout, page + 1);
        for (int i = 1; i <= lines; ++i) {
            const int number = page * kItemsPerPage + i;
            PrintItem(pen, printout.rows[number - 1], number, i);
        }
        RulePage(pen, lines);
        ++page;
        if (remaining > 0)
            pen.NewPage();
    } while (remaining > 0);

    PrintTotals(pen, printout, lines + 1);
    if (printout.hasMemoFile)
        PrintMemos(pen, printout, lines);
    surface.NewPage();
    return surface.End();
}

}  // namespace hanaki
