#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "entry/entry_calculator.h"
#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"

namespace hanaki {
namespace {

const char* const kOverflowText = "桁あふれ or 0で除算  <Enter>";

// A key press, or characters typed one by one.
struct Step {
    Qt::Key key = Qt::Key_unknown;
    const char* typed = nullptr;
};
Step Typed(const char* text) {
    return {Qt::Key_unknown, text};
}
Step Press(Qt::Key key) {
    return {key, nullptr};
}

// The calculator over a hidden field, as the main window holds it.
struct Calculator {
    Calculator() : field(new QLineEdit(&window)), legend(new QLabel(&window)) {
        field->setObjectName("Text10");
        legend->setObjectName("Label7");
        field->hide();
        window.show();
        QObject::connect(&calculator, &EntryCalculator::finished,
                         [this](const QString& result) { results << result; });
        QObject::connect(&calculator, &EntryCalculator::cancelled, [this] { ++cancels; });
    }

    void Run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            if (step.typed)
                testing::Type(field, QString::fromUtf8(step.typed));
            else
                testing::Press(field, step.key);
        }
    }
    void Commit(const QString& text) { testing::Commit(field, text); }

    QWidget window;
    QLineEdit* field;
    QLabel* legend;
    testing::ScriptedMessages messages;
    EntryCalculator calculator{field, legend, messages, &window};
    QStringList results;
    int cancels = 0;
};

const CivilDate k1999{1999, 6, 1};

TEST(EntryCalculator, WorksLeftToRightAndHandsTheResultOver) {
    struct Case {
        const char* opening;
        std::vector<Step> steps;
        const char* shown;   // the field afterwards
        const char* result;  // handed over; nullptr while the calculator stays open
    };
    const Case cases[] = {
        {"", {Typed("12+3*2"), Press(Qt::Key_Return)}, "30", nullptr},
        {"", {Typed("12+3*2"), Press(Qt::Key_Return), Press(Qt::Key_Return)}, "30", "30"},
        {"", {Typed("7/2"), Press(Qt::Key_Enter)}, "3", nullptr},
        {"-7", {Typed("/2"), Press(Qt::Key_Return)}, "-3", nullptr},
        {"", {Typed("100+*"), Press(Qt::Key_Return)}, "100*", "100"},
        {"", {Typed("+5")}, "5", nullptr},
        {"", {Typed("5-8+4"), Press(Qt::Key_Return)}, "1", nullptr},
        {"-300", {Typed("+500"), Press(Qt::Key_Return)}, "200", nullptr},
        {"",
         {Typed("1a2 "), Press(Qt::Key_Backspace), Press(Qt::Key_Left), Typed("3")},
         "123",
         nullptr},
        // Clear drops the number being typed; AC forgets the running value too.
        {"",
         {Typed("12+34"), Press(Qt::Key_Delete), Typed("1"), Press(Qt::Key_Return)},
         "13",
         nullptr},
        {"123", {Press(Qt::Key_Delete)}, "", nullptr},
        {"", {Typed("12+34"), Press(Qt::Key_Insert), Typed("5"), Press(Qt::Key_Return)}, "5", "5"},
    };
    for (const Case& c : cases) {
        Calculator calc;
        calc.calculator.Open(c.opening, k1999);
        calc.Run(c.steps);
        SCOPED_TRACE(calc.field->text().toStdString());
        EXPECT_EQ(calc.field->text(), c.shown);
        EXPECT_EQ(calc.field->isVisible(), c.result == nullptr);
        EXPECT_EQ(calc.results, c.result ? QStringList{c.result} : QStringList{});
        EXPECT_TRUE(calc.messages.shown.empty());
    }
}

TEST(EntryCalculator, OverflowAndDivisionByZeroStartAfresh) {
    const std::vector<Step> cases[] = {
        {Typed("5/0"), Press(Qt::Key_Return)},
        {Typed("2000000000+2000000000"), Press(Qt::Key_Return)},
        {Typed("2147483647*2+")},  // the operator that applies it
        {Typed("99999999999+")},
        {Typed("99999999999"), Press(Qt::Key_PageUp)},
        // Shown, but longer than the amount field and the ledger take.
        {Typed("999999999+1"), Press(Qt::Key_Return), Press(Qt::Key_Return)},
    };
    for (const std::vector<Step>& steps : cases) {
        Calculator calc;
        calc.calculator.Open("", k1999);
        calc.Run(steps);
        ASSERT_EQ(calc.messages.shown.size(), 1u);
        EXPECT_EQ(calc.messages.shown[0].title, "Over Flow");
        EXPECT_EQ(calc.messages.shown[0].text, kOverflowText);
        EXPECT_EQ(calc.field->text(), "");
        EXPECT_TRUE(calc.field->isVisible());
        EXPECT_TRUE(calc.results.isEmpty());
        calc.Run({Typed("4+4"), Press(Qt::Key_Return), Press(Qt::Key_Return)});
        EXPECT_EQ(calc.results, QStringList{"8"});
    }
}

TEST(EntryCalculator, TaxKeysUseTheRateOfTheDisplayedDay) {
    struct Case {
        CivilDate day;
        const char* opening;
        Qt::Key key;
        const char* shown;
    };
    const Case cases[] = {
        {{1988, 12, 31}, "1000", Qt::Key_PageUp, "1000"},
        {{1997, 3, 31}, "1000", Qt::Key_PageUp, "1030"},
        {{1999, 6, 1}, "1000", Qt::Key_PageUp, "1050"},
        {{1999, 6, 1}, "99", Qt::Key_PageUp, "104"},
        {{1999, 6, 1}, "1050", Qt::Key_PageDown, "1000"},
        {{2014, 4, 1}, "1080", Qt::Key_PageDown, "1000"},
        {{2026, 2, 14}, "1000", Qt::Key_PageUp, "1100"},
        {{1999, 6, 1}, "100+5", Qt::Key_PageUp, "100+5"},
    };
    for (const Case& c : cases) {
        Calculator calc;
        calc.calculator.Open("", c.day);
        calc.Run({Typed(c.opening), Press(c.key)});
        EXPECT_EQ(calc.field->text(), c.shown) << c.day.year << " " << c.opening;
    }
}

TEST(EntryCalculator, InputMethodCommitsAreTypedAsAscii) {
    Calculator calc;
    calc.calculator.Open("", k1999);
    EXPECT_FALSE(calc.field->testAttribute(Qt::WA_InputMethodEnabled));
    calc.Commit("あ１２Ａ＋３");
    EXPECT_EQ(calc.field->text(), "12+3");
    calc.Commit("＊２");
    calc.Commit("・５");  // the slash key with a Japanese input method on
    calc.Run({Press(Qt::Key_Return)});
    EXPECT_EQ(calc.field->text(), "6");
}

TEST(EntryCalculator, OpensOnTheAmountAndEscapeForgetsTheOperation) {
    Calculator calc;
    calc.calculator.Open("50", k1999);
    EXPECT_EQ(calc.window.focusWidget(), calc.field);
    EXPECT_EQ(calc.field->cursorPosition(), 2);
    EXPECT_EQ(calc.legend->text(),
              "<ESC>戻る <Enter>計算,確定 <Del>Clear <Ins>AC <PageUp>+消費税 <PageDown>-消費税");
    calc.Run({Typed("+1"), Press(Qt::Key_Escape)});
    EXPECT_EQ(calc.cancels, 1);
    EXPECT_FALSE(calc.field->isVisible());
    EXPECT_EQ(calc.field->text(), "");
    calc.calculator.Open("5", k1999);
    calc.Run({Press(Qt::Key_Return)});
    EXPECT_EQ(calc.results, QStringList{"5"});
}

}  // namespace
}  // namespace hanaki
