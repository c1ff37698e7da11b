#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cerrno>

#include "data/program/program_state.h"
#include "entry/memo_editor.h"
#include "support/faulty_file_system.h"
#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"
#include "ui/byte_limited_field.h"
#include "ui/services.h"

namespace hanaki {
namespace {

const char* const kLegend = "<ESC>メモ終了 <PageUP,Down>日付変更 <Shift+PageUp,Down>前後項目";

const testing::Fault kDiskFull{testing::FsCall::CreateExclusive, 1, ENOSPC};
const testing::Fault kUnreadable{testing::FsCall::ReadAll, 1, EACCES};

// One 240-byte record as it lies in a memo file.
std::string Record(const std::string& day, const std::array<std::string, 3>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += day + line + std::string(78 - line.size(), ' ');
    return bytes;
}

// The memo editor over its own fields, as the main window holds it.
struct MemoScreen {
    MemoScreen(int closingDay, CurrentDate date) {
        state.settings.closingDay = static_cast<std::int16_t>(closingDay);
        state.date = date;
        QObject::connect(&editor, &MemoEditor::closed, [this] { ++closings; });
        window.show();
    }

    static std::array<ByteLimitedField*, 3> MakeLines(QWidget& window) {
        std::array<ByteLimitedField*, 3> lines{};
        const char* names[] = {"Text11", "Text12", "Text13"};
        for (int i = 0; i < 3; ++i) {
            lines[i] = new ByteLimitedField(0, &window);
            lines[i]->setObjectName(names[i]);
            lines[i]->hide();
        }
        return lines;
    }

    void Write(const char* name, const std::string& bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string Read(const char* name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }

    QWidget* focus() const { return window.focusWidget(); }
    void Type(const char* text) { testing::Type(focus(), QString::fromUtf8(text)); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        testing::Press(focus(), key, modifiers);
    }
    void Commit(const QString& text) { testing::Commit(focus(), text); }
    void EraseAllLines() {
        for (ByteLimitedField* line : lines) {
            line->selectAll();
            testing::Press(line, Qt::Key_Backspace);
        }
    }
    QStringList Texts() const { return {lines[0]->text(), lines[1]->text(), lines[2]->text()}; }

    QTemporaryDir folder;
    testing::FaultyFileSystem fs;
    ProgramState state{DataFolder(folder.path().toStdString(), fs), [] {
                           return CivilDate{2000, 1, 10};
                       }};
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
    QWidget window;
    std::array<ByteLimitedField*, 3> lines = MakeLines(window);
    QLabel* title = new QLabel(&window);
    QLabel* legend = new QLabel(&window);
    MemoEditor editor{state, services, lines, title, legend, &window};
    int closings = 0;
};

TEST(MemoEditor, LateDecemberMemoLivesInTheJanuaryFileUnderItsCalendarDay) {
    MemoScreen screen(25, {100, 1, 3});  // accounting 2000年1月度 day 3 = 28 Dec 1999
    screen.Write("200001.MEM", Record("28", {"old", "", ""}));
    screen.editor.Open();
    EXPECT_TRUE(screen.editor.IsOpen());
    EXPECT_EQ(screen.title->text(), "メモ 1999年12月28日");
    EXPECT_EQ(screen.legend->text(), kLegend);
    EXPECT_EQ(screen.Texts(), (QStringList{"old", "", ""}));
    EXPECT_TRUE(screen.lines[2]->isVisible());
    EXPECT_EQ(screen.focus(), screen.lines[0]);

    screen.Type("er");
    screen.Press(Qt::Key_Return);
    screen.Type("new");
    screen.Press(Qt::Key_Escape);
    EXPECT_FALSE(screen.editor.IsOpen());
    EXPECT_EQ(screen.closings, 1);
    EXPECT_FALSE(screen.lines[0]->isVisible());
    EXPECT_EQ(screen.Read("200001.MEM"), Record("28", {"older", "new", ""}));
}

TEST(MemoEditor, ALineHoldsThirtyNineFullWidthCharacters) {
    MemoScreen screen(kMonthEnd, {100, 1, 3});
    screen.editor.Open();
    screen.Commit(QString(40, u'あ'));
    screen.Commit("a");
    EXPECT_EQ(screen.lines[0]->text(), QString(39, u'あ'));
    EXPECT_EQ(screen.legend->text(), QString(kLegend) + "    これ以上入力できません");
    screen.editor.Close();  // as the main window does when it goes away
    EXPECT_EQ(screen.closings, 1);
    std::string full;
    for (int i = 0; i < 39; ++i)
        full += "\x82\xa0";
    EXPECT_EQ(screen.Read("200001.MEM"), Record(" 3", {full, "", ""}));
}

TEST(MemoEditor, ErasingEveryLineRemovesTheDayFromTheFile) {
    MemoScreen screen(kMonthEnd, {100, 1, 3});
    screen.Write("200001.MEM", Record(" 3", {"a", "b", ""}) + Record("10", {"c", "", ""}));
    screen.editor.Open();
    screen.EraseAllLines();
    screen.Press(Qt::Key_Escape);
    EXPECT_EQ(screen.Read("200001.MEM"), Record("10", {"c", "", ""}));

    screen.state.date.day = 10;
    screen.editor.Open();
    screen.EraseAllLines();
    screen.Press(Qt::Key_Escape);
    EXPECT_EQ(screen.Read("200001.MEM"), "");
}

TEST(MemoEditor, ShiftPageJumpsToTheNearestDayWithAMemo) {
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to;
    };
    const Case cases[] = {
        {5, Qt::Key_PageDown, Qt::ShiftModifier, 12}, {12, Qt::Key_PageDown, Qt::ShiftModifier, 12},
        {20, Qt::Key_PageUp, Qt::ShiftModifier, 12},  {5, Qt::Key_PageUp, Qt::ShiftModifier, 5},
        {5, Qt::Key_PageDown, Qt::NoModifier, 6},
    };
    for (const Case& c : cases) {
        MemoScreen screen(kMonthEnd, {100, 1, c.from});
        screen.Write("200001.MEM", Record("12", {"twelve", "", ""}));
        screen.editor.Open();
        screen.Press(c.key, c.modifiers);
        EXPECT_EQ(screen.title->text(), QString("メモ 2000年1月%1日").arg(c.to)) << c.from;
        EXPECT_EQ(screen.lines[0]->text(), c.to == 12 ? "twelve" : "");
    }
}

TEST(MemoEditor, PageUpFromTheFirstDayReadsThePreviousMonth) {
    MemoScreen screen(25, {100, 1, 1});
    screen.Write("199912.MEM", Record("25", {"xmas", "", ""}));
    screen.editor.Open();
    EXPECT_EQ(screen.title->text(), "メモ 1999年12月26日");
    screen.Type("day one");
    screen.Press(Qt::Key_PageUp);
    EXPECT_EQ(screen.title->text(), "メモ 1999年12月25日");
    EXPECT_EQ(screen.Texts(), (QStringList{"xmas", "", ""}));
    EXPECT_EQ(screen.Read("200001.MEM"), Record("26", {"day one", "", ""}));

    screen.Press(Qt::Key_PageDown);
    EXPECT_EQ(screen.title->text(), "メモ 1999年12月26日");
    EXPECT_EQ(screen.Texts(), (QStringList{"day one", "", ""}));
}

TEST(MemoEditor, AFailedSaveKeepsTheMemoOnItsDay) {
    MemoScreen screen(kMonthEnd, {100, 1, 3});
    screen.editor.Open();
    screen.Type("keep");
    screen.fs.Arm(kDiskFull);
    screen.Press(Qt::Key_PageDown);
    screen.fs.Arm(kDiskFull);
    screen.Press(Qt::Key_Escape);
    ASSERT_EQ(screen.messages.shown.size(), 2u);
    EXPECT_EQ(screen.messages.shown[0].title, "メモ");
    EXPECT_TRUE(screen.messages.shown[0].text.contains("200001.MEM"));
    EXPECT_TRUE(screen.editor.IsOpen());
    EXPECT_EQ(screen.title->text(), "メモ 2000年1月3日");
    EXPECT_EQ(screen.lines[0]->text(), "keep");

    screen.fs.Disarm();
    screen.Press(Qt::Key_Escape);
    EXPECT_EQ(screen.closings, 1);
    EXPECT_EQ(screen.Read("200001.MEM"), Record(" 3", {"keep", "", ""}));
}

TEST(MemoEditor, AMonthThatCannotBeReadIsNotEntered) {
    MemoScreen screen(kMonthEnd, {100, 1, 1});
    screen.Write("199912.MEM", Record("31", {"eve", "", ""}));
    screen.fs.Arm(kUnreadable);
    screen.editor.Open();
    EXPECT_FALSE(screen.editor.IsOpen());
    EXPECT_FALSE(screen.lines[0]->isVisible());

    screen.editor.Open();
    screen.fs.Arm(kUnreadable);
    screen.Press(Qt::Key_PageUp);
    ASSERT_EQ(screen.messages.shown.size(), 2u);
    EXPECT_TRUE(screen.messages.shown[1].text.contains("199912.MEM"));
    EXPECT_EQ(screen.title->text(), "メモ 2000年1月1日");
    EXPECT_EQ(screen.Read("199912.MEM"), Record("31", {"eve", "", ""}));
}

TEST(MemoEditor, UntouchedLinesKeepBytesTheCodePageCannotShow) {
    MemoScreen screen(kMonthEnd, {100, 1, 3});
    screen.Write("200001.MEM", Record(" 3", {"\x85\x40ok", "", ""}));
    screen.editor.Open();
    screen.Press(Qt::Key_Down);
    screen.Type("added");
    screen.Press(Qt::Key_Escape);
    EXPECT_EQ(screen.Read("200001.MEM"), Record(" 3", {"\x85\x40ok", "added", ""}));
}

TEST(MemoEditor, ArrowsAndEnterWalkTheThreeLines) {
    struct Step {
        Qt::Key key;
        int line;  // focused afterwards
        int caret;
    };
    const Step steps[] = {
        {Qt::Key_Right, 1, 0},  // at the end of a non-empty line
        {Qt::Key_Right, 1, 0},  // an empty line stays
        {Qt::Key_Left, 0, 2},   // at the start of line 2
        {Qt::Key_Left, 0, 1},   // inside a line the caret moves
        {Qt::Key_Up, 0, 1},    {Qt::Key_Return, 1, 0}, {Qt::Key_Down, 2, 0},
        {Qt::Key_Down, 2, 0},  {Qt::Key_Tab, 0, 1},
    };
    MemoScreen screen(kMonthEnd, {100, 1, 3});
    screen.Write("200001.MEM", Record(" 3", {"ab", "", ""}));
    screen.editor.Open();
    for (const Step& step : steps) {
        screen.Press(step.key);
        auto* line = qobject_cast<ByteLimitedField*>(screen.focus());
        ASSERT_EQ(line, screen.lines[step.line]) << step.key;
        EXPECT_EQ(line->cursorPosition(), step.caret) << step.key;
    }
    EXPECT_TRUE(screen.editor.IsOpen());
}

}  // namespace
}  // namespace hanaki
