#include "entry/main_entry_controls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "entry/day_grid.h"
#include "ui/byte_limited_field.h"
#include "ui/fonts.h"
#include "ui/screen_metrics.h"

namespace hanaki {
namespace {

// Screen-size classes: the reduced layout below 600 pixels, a compact one
// below 768; each fits the smallest screen of its class.
struct SizeClass {
    double scale;
    double fontPoints;
    int screenWidth;
};
SizeClass SizeClassOf(const ScreenMetrics& metrics) {
    if (metrics.below600())
        return {690.0 / 1024.0, 9, 640};
    if (metrics.below768())
        return {0.8, 10, 800};
    return {1.0, 12, 1024};
}
// Room left for a window manager's frame beside the window.
constexpr int kFrameAllowance = 4;

// Design positions of the normal layout, in pixels.
constexpr int kMargin = 6;
constexpr int kHeadingY = 8;
constexpr int kDateY = 40;
constexpr int kGridY = 72;
constexpr int kRowHeight = 22;
constexpr int kInputTitleY = 436;
constexpr int kCaptionY = 462;
constexpr int kFieldY = 482;
constexpr int kFieldHeight = 28;
constexpr int kGuideY = 516;
constexpr int kLegendY = 614;  // two lines up to the window's foot
constexpr int kWindowHeight = 664;

}  // namespace

MainEntryControls BuildMainEntryControls(QWidget* window, const ScreenMetrics& metrics) {
    const double points = SizeClassOf(metrics).fontPoints;
    auto NewLabel = [&](const char* objectName, const QString& text = {}) {
        auto* label = new QLabel(text, window);
        label->setObjectName(objectName);
        label->setFont(GothicFont(points));
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    auto NewField = [&](const char* objectName, int byteLimit) {
        auto* field = new ByteLimitedField(byteLimit, window);
        field->setObjectName(objectName);
        field->setFont(GothicFont(points));
        field->setFocusPolicy(Qt::NoFocus);
        return field;
    };
    MainEntryControls c;
    c.dateHeading = NewLabel("Label11");
    c.dateCaption = NewLabel("Label5", metrics.below600() ? QStringLiteral("年     月      日")
                                                          : QStringLiteral("年    月     日"));
    c.yearField = NewField("Text6", 0);
    c.monthField = NewField("Text7", 0);
    c.dayField = NewField("Text8", 0);
    for (QLineEdit* field : {c.yearField, c.monthField, c.dayField}) {
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignCenter);
    }

    c.grid = new DayGrid(points, window);

    c.lastEntryDate = NewLabel("Label9");
    c.monthCaption = NewLabel("Label8", QStringLiteral("月計"));
    c.incomeTotal = NewLabel("Label2");
    c.expenseTotal = NewLabel("Label3");
    c.balanceTotal = NewLabel("Label4");
    for (QLabel* label : {c.monthCaption, c.incomeTotal, c.expenseTotal, c.balanceTotal})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    c.inputTitle = NewLabel("Label6");
    const char* captions[] = {"No", "費目", "摘要", "入金", "支出", "備考"};
    for (std::size_t i = 0; i < c.fieldCaptions.size(); ++i)
        c.fieldCaptions[i] = NewLabel("", QString::fromUtf8(captions[i]));
    c.rowNumberField = NewField("Text9", 0);
    c.rowNumberField->setReadOnly(true);
    c.rowNumberField->setAlignment(Qt::AlignRight);

    // No length limit: "035" must read as 35 and be cleared, not be cut to category 3.
    c.categoryField = NewField("Text1", 0);
    c.descriptionField = NewField("Text2", 0);
    c.incomeField = NewField("Text4", 9);
    c.expenseField = NewField("Text5", 9);
    for (ByteLimitedField* field :
         {c.categoryField, c.descriptionField, c.incomeField, c.expenseField})
        field->setAsciiOnly(true);
    c.incomeField->setAlignment(Qt::AlignRight);
    c.expenseField->setAlignment(Qt::AlignRight);
    c.remarkField = NewField("Text3", 60);

    c.guide = NewLabel("Label1");
    c.guide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.categoryTotal = NewLabel("Label12");
    c.budget = NewLabel("Label13");
    c.legend = NewLabel("Label7");

    c.calculatorField = new QLineEdit(window);
    c.calculatorField->setObjectName("Text10");
    c.calculatorField->setFont(GothicFont(points));
    c.calculatorField->setAlignment(Qt::AlignRight);
    c.calculatorField->setFocusPolicy(Qt::NoFocus);
    c.calculatorField->hide();

    for (std::size_t i = 0; i < c.memoLines.size(); ++i) {
        const std::string name = "Text" + std::to_string(11 + i);
        c.memoLines[i] = new ByteLimitedField(78, window);
        c.memoLines[i]->setObjectName(QString::fromStdString(name));
        c.memoLines[i]->setFont(GothicFont(points));
        c.memoLines[i]->setFocusPolicy(Qt::NoFocus);
        c.memoLines[i]->hide();
    }
    c.memoTitle = NewLabel("Label10");
    c.memoTitle->hide();

    const char* buttonTexts[] = {"F5月計表", "F6 集計", "F7 設定", "F8ﾃﾞｰﾀ変換", "F9 検索"};
    for (std::size_t i = 0; i < c.functionButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttonTexts[i]), window);
        button->setObjectName(QString::fromStdString("Command" + std::to_string(i + 1)));
        button->setFont(GothicFont(points));
        button->setFocusPolicy(Qt::NoFocus);
        c.functionButtons[i] = button;
    }
    return c;
}

void PlaceMainEntryControls(QWidget* window, const MainEntryControls& c,
                            const ScreenMetrics& screen) {
    const SizeClass size = SizeClassOf(screen);
    auto Scaled = [&](int designPixels) {
        return static_cast<int>(designPixels * size.scale + 0.5);
    };
    auto Place = [&](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(Scaled(x), Scaled(y), Scaled(width), Scaled(height));
    };
    // The grid's columns keep their designed widths where the screen has room;
    // a column too narrow for its content at this font is widened, and the
    // remark column gives back what the screen lacks.
    const int margin = Scaled(kMargin);
    const std::array<int, DayGrid::kColumns> content = c.grid->ContentWidths();
    std::array<int, DayGrid::kColumns> widths{};
    int fixedColumns = 0;
    for (int i = 0; i + 1 < DayGrid::kColumns; ++i) {
        widths[i] = std::max(Scaled(TwipsToPixels(DayGrid::kColumnTwips[i])), content[i]);
        fixedColumns += widths[i];
    }
    const int chrome = 2 * c.grid->frameWidth() + c.grid->verticalScrollBar()->sizeHint().width();
    const int room = size.screenWidth - kFrameAllowance - 2 * margin - chrome - fixedColumns;
    widths.back() = std::max(content.back(),
                             std::min(room, Scaled(TwipsToPixels(DayGrid::kColumnTwips.back()))));
    c.grid->Arrange(widths, Scaled(kRowHeight));
    c.grid->move(margin, Scaled(kGridY));

    // Column starts in pixels, relative to the window.
    std::array<int, DayGrid::kColumns + 1> columnX{};
    columnX[0] = c.grid->x() + c.grid->frameWidth();
    for (int i = 0; i < DayGrid::kColumns; ++i)
        columnX[i + 1] = columnX[i] + widths[i];
    const int left = c.grid->x();
    const int right = c.grid->geometry().right() + 1;
    auto put = [&](QWidget* widget, int x, int designY, int width, int designHeight) {
        widget->setGeometry(x, Scaled(designY), width, Scaled(designHeight));
    };

    Place(c.dateHeading, kMargin, kHeadingY, 420, 26);
    const int buttonWidth = Scaled(100);
    const int buttonGap = Scaled(4);
    const int buttons = static_cast<int>(c.functionButtons.size());
    for (int i = 0; i < buttons; ++i)
        put(c.functionButtons[i],
            right - (buttons - i) * buttonWidth - (buttons - 1 - i) * buttonGap, kHeadingY - 2,
            buttonWidth, 30);

    // The date fields sit in the blanks of Label5's caption.
    Place(c.yearField, kMargin, kDateY, 56, 26);
    Place(c.dateCaption, kMargin + 56, kDateY, 140, 26);
    const QFontMetrics metrics(c.dateCaption->font());
    const QString caption = c.dateCaption->text();
    const int monthAt = static_cast<int>(caption.indexOf(QStringLiteral("月")));
    const int dayAt = static_cast<int>(caption.indexOf(QStringLiteral("日")));
    c.dateCaption->resize(metrics.horizontalAdvance(caption) + 2, c.dateCaption->height());
    const int captionX = c.dateCaption->x();
    const int monthLeft = captionX + metrics.horizontalAdvance(caption.left(1));
    c.monthField->setGeometry(
        monthLeft, c.yearField->y(),
        captionX + metrics.horizontalAdvance(caption.left(monthAt)) - monthLeft,
        c.yearField->height());
    const int dayLeft = captionX + metrics.horizontalAdvance(caption.left(monthAt + 1));
    c.dayField->setGeometry(dayLeft, c.yearField->y(),
                            captionX + metrics.horizontalAdvance(caption.left(dayAt)) - dayLeft,
                            c.yearField->height());

    // Each total has room for the largest a month can hold, a thousand items of
    // 999,999,999 yen below zero, and two blanks before it.
    Place(c.monthCaption, 210, kDateY, 50, 26);
    const QFontMetrics totalMetrics(c.incomeTotal->font());
    const int totalWidth = totalMetrics.horizontalAdvance(QStringLiteral("  -999,999,999,000"));
    int x = c.monthCaption->geometry().right() + 1;
    for (QLabel* total : {c.incomeTotal, c.expenseTotal, c.balanceTotal}) {
        put(total, x, kDateY, totalWidth, 26);
        x += totalWidth;
    }
    put(c.lastEntryDate, x + totalMetrics.horizontalAdvance(QStringLiteral("  ")), kDateY,
        totalMetrics.horizontalAdvance(QStringLiteral("12/31現在  ")), 26);

    Place(c.inputTitle, kMargin, kInputTitleY, 240, 24);
    put(c.categoryTotal, columnX[3], kInputTitleY, columnX[6] - columnX[3], 24);
    put(c.budget, columnX[6], kInputTitleY, right - columnX[6], 24);
    QWidget* inputs[] = {c.rowNumberField, c.categoryField, c.descriptionField,
                         c.incomeField,    c.expenseField,  c.remarkField};
    for (int i = 0; i < 6; ++i) {
        const int width = (i == 5 ? columnX[7] : columnX[i + 1]) - columnX[i];
        put(c.fieldCaptions[i], columnX[i], kCaptionY, width, 20);
        put(inputs[i], columnX[i], kFieldY, width - 2, kFieldHeight);
    }

    put(c.guide, left, kGuideY, right - left, 96);
    // The calculator opens over the two amount fields.
    put(c.calculatorField, columnX[3], kFieldY, columnX[5] - columnX[3] - 2, kFieldHeight);
    c.calculatorField->raise();
    Place(c.memoTitle, kMargin, kGuideY, 640, 22);
    for (std::size_t i = 0; i < c.memoLines.size(); ++i)
        Place(c.memoLines[i], kMargin, kGuideY + 24 + static_cast<int>(i) * 30, 660, kFieldHeight);
    put(c.legend, left, kLegendY, right - left, 46);

    window->setFixedSize(right + margin, Scaled(kWindowHeight));
}

QWidget* InputOf(const MainEntryControls& controls, EntryField field) {
    switch (field) {
        case EntryField::Year:
            return controls.yearField;
        case EntryField::Month:
            return controls.monthField;
        case EntryField::Day:
            return controls.dayField;
        case EntryField::Category:
            return controls.categoryField;
        case EntryField::Description:
            return controls.descriptionField;
        case EntryField::Income:
            return controls.incomeField;
        case EntryField::Expense:
            return controls.expenseField;
        case EntryField::Remark:
            return controls.remarkField;
        case EntryField::Grid:
            return controls.grid;
        case EntryField::Memo:
        case EntryField::Calculator:
            return nullptr;  // their editors focus their own fields
    }
    return nullptr;
}

}  // namespace hanaki
