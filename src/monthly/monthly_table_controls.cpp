#include "monthly/monthly_table_controls.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "ui/fitting_font.h"
#include "ui/fonts.h"

namespace hanaki {
namespace {

// Design sizes of the full-size class in pixels, scaled with the window.
constexpr int kMargin = 6;
constexpr int kTopY = 10;
constexpr int kFieldHeight = 26;
constexpr int kGridY = 48;
constexpr int kRowHeight = 22;
constexpr int kHeadingHeight = 24;
constexpr int kGap = 4;

}  // namespace

MonthlyTableControls::MonthlyTableControls(QWidget* window, const MonthlyTableSize& size) {
    const QFont font = GothicFont(size.gridPoints);
    auto label = [&](const char* name, const QString& text = {}) {
        auto* made = new QLabel(text, window);
        made->setObjectName(name);
        made->setFont(font);
        made->setTextFormat(Qt::PlainText);
        return made;
    };
    auto field = [&](const char* name) {
        auto* made = new QLineEdit(window);
        made->setObjectName(name);
        made->setFont(font);
        made->setReadOnly(true);
        made->setAlignment(Qt::AlignCenter);
        made->setFocusPolicy(Qt::NoFocus);
        made->setAttribute(Qt::WA_InputMethodEnabled, false);
        return made;
    };
    yearField = field("Text1");
    dateCaption = label("Label1", QStringLiteral("年     月度"));
    monthField = field("Text2");
    legend = label("Label2");
    incomeTotal = label("Label3");
    expenseTotal = label("Label4");
    balanceTotal = label("Label5");
    for (QLabel* total : {incomeTotal, expenseTotal, balanceTotal})
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    printButton = new QPushButton(QStringLiteral("F5 印 刷"), window);
    printButton->setObjectName("Command1");
    printButton->setFont(font);
    printButton->setFocusPolicy(Qt::NoFocus);

    pickNote = label("PickNote");
    QPalette red = pickNote->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    pickNote->setPalette(red);

    grid = NewMonthlyGrid(font, window);
}

QSize MonthlyTableControls::Place(const MonthlyTableSize& size) {
    const QSize window = WindowTwips(size.sizeClass);
    const double scale = window.width() / 14200.0;
    auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    const std::array<int, kMonthlyColumnCount + 1> columnX = SetMonthlyColumnWidths(grid, size);

    // The two date fields sit in the blanks of Label1's words.
    const int fieldHeight = scaled(kFieldHeight);
    const QFontMetrics metrics(dateCaption->font());
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    const int top = scaled(kTopY);
    yearField->setGeometry(scaled(kMargin) + 2, top, 6 * cell, fieldHeight);
    const QString caption = dateCaption->text();
    dateCaption->setGeometry(yearField->geometry().right() + 2, top,
                             metrics.horizontalAdvance(caption) + 2, fieldHeight);
    const int monthLeft = dateCaption->x() + metrics.horizontalAdvance(caption.left(1)) + cell / 2;
    const int monthRight = dateCaption->x() + metrics.horizontalAdvance(caption.left(6)) - cell / 2;
    monthField->setGeometry(monthLeft, top, monthRight - monthLeft, fieldHeight);

    // The rows give up a pixel or two where the window would not leave room
    // for a title bar on the smallest screen of its class.
    const int height = std::min(TwipsToPixels(window.height()),
                                SmallestScreenHeight(size.sizeClass) - kTitleBarAllowance);
    const int frame = 2 * grid->frameWidth();
    const int besideRows = scaled(kGridY) + scaled(kHeadingHeight) + frame +
                           2 * (scaled(kGap) + fieldHeight) + scaled(kGap);
    const int rowHeight =
        std::min(scaled(kRowHeight), (height - besideRows) / kMonthlyVisibleItemRows);
    grid->horizontalHeader()->setFixedHeight(scaled(kHeadingHeight));
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setGeometry(scaled(kMargin), scaled(kGridY),
                      columnX.back() + frame + grid->verticalScrollBar()->sizeHint().width(),
                      scaled(kHeadingHeight) + kMonthlyVisibleItemRows * rowHeight + frame);

    const int totalsY = grid->geometry().bottom() + scaled(kGap);
    const int columns[] = {kMonthlyIncomeColumn, kMonthlyExpenseColumn, kMonthlyBalanceColumn};
    QLabel* totals[] = {incomeTotal, expenseTotal, balanceTotal};
    for (int i = 0; i < 3; ++i) {
        const int column = columns[i];
        totalRooms_[i] = QRect(grid->x() + 1 + columnX[column], totalsY,
                               columnX[column + 1] - columnX[column] - 4, fieldHeight);
        totals[i]->setGeometry(totalRooms_[i]);
    }
    const int width = TwipsToPixels(window.width());
    legend->setGeometry(scaled(kMargin), totalsY + fieldHeight + scaled(kGap),
                        width - 2 * scaled(kMargin), fieldHeight);
    const int buttonWidth = metrics.horizontalAdvance(printButton->text()) + 4 * cell;
    printButton->setGeometry(grid->geometry().right() - buttonWidth, top - 2, buttonWidth,
                             fieldHeight + 4);
    const int noteLeft = dateCaption->geometry().right() + 4 * cell;
    pickNote->setGeometry(noteLeft, top, printButton->x() - cell - noteLeft, fieldHeight);
    return {width, height};
}

void MonthlyTableControls::ShowTotals(const QString& income, const QString& expense,
                                      const QString& balance) {
    QLabel* totals[] = {incomeTotal, expenseTotal, balanceTotal};
    const QString texts[] = {income, expense, balance};
    // Right-aligned under their columns in the legend's type; a total wider
    // than its column pushes those left of it further left, and only when the
    // row would pass the grid's left edge does the type shrink, to 8 pixels at
    // the least.
    QFont font = legend->font();
    for (;;) {
        const QFontMetrics metrics(font);
        int limit = totalRooms_[2].right() + 1;  // no total reaches right of this
        QRect placed[3];
        for (int i = 2; i >= 0; --i) {
            const int width = metrics.horizontalAdvance(texts[i]) + 2;
            const int right = std::min(totalRooms_[i].right() + 1, limit);
            const int left = std::min(totalRooms_[i].left(), right - width);
            placed[i] = QRect(left, totalRooms_[i].top(), right - left, totalRooms_[i].height());
            limit = left - metrics.horizontalAdvance(QStringLiteral(" "));
        }
        const QFont smaller =
            FittingFont(font, texts[0] + texts[1] + texts[2],
                        metrics.horizontalAdvance(texts[0] + texts[1] + texts[2]) - 1);
        if (placed[0].left() >= grid->x() || smaller == font) {
            for (int i = 0; i < 3; ++i) {
                totals[i]->setFont(font);
                totals[i]->setGeometry(placed[i]);
                totals[i]->setText(texts[i]);
            }
            return;
        }
        font = smaller;
    }
}

}  // namespace hanaki
