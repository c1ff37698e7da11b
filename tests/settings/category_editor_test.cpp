#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "household.h"
#include "settings/category_editor.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "ui/byte_limited_field.h"
#include "ui/row_tints.h"

namespace hanaki::testing {
namespace {

class CategoryEditing : public ::testing::Test {
  protected:
    void Open() {
        screen = std::make_unique<CategoryEditor>(home.state, home.services);
        grid = Child<QTableWidget>(*screen, "Grid1");
        editor = Child<ByteLimitedField>(*screen, "Text1");
        legend = Child<QLabel>(*screen, "Label1");
        ShowActive(*screen);
    }
    // Types a cell as a user would: Japanese through the input method, the rest as keys.
    void Fill(int row, int column, const QString& text) {
        grid->setCurrentCell(row - 1, column - 1);
        grid->setFocus();
        for (char32_t c : text.toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            c < 0x80 ? Type(character) : Commit(character);
        }
        Press(Qt::Key_Return);
    }
    QString Cell(int row, int column) const { return grid->item(row - 1, column - 1)->text(); }
    void ClickSave() { Child<QPushButton>(*screen, "Command3")->click(); }

    Household home;
    std::unique_ptr<CategoryEditor> screen;
    QTableWidget* grid = nullptr;
    ByteLimitedField* editor = nullptr;
    QLabel* legend = nullptr;
};

TEST_F(CategoryEditing, savingTwoCategoriesWritesTheMasterAsCp932Lines) {
    Open();
    Fill(1, 1, "給料");
    Fill(1, 2, "基本給");
    Fill(1, 3, "賞与");
    Fill(2, 1, "食費");
    Press(Qt::Key_Insert);  // row 2 starts as income; 食費 is an expense
    Fill(2, 2, "朝食");
    Fill(2, 3, "昼食");
    Fill(3, 1, "住居");  // no description: an empty second line
    Press(Qt::Key_Insert);
    ClickSave();

    EXPECT_EQ(home.temp.Read("VERADIV.DAT"),
              Sjis("+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n-住居\r\n\r\n"));
    EXPECT_TRUE(home.messages.shown.empty());
    EXPECT_EQ(home.state.categories.descriptions[2][2], Sjis("昼食"));
    EXPECT_NE(home.state.categories.categoryGuide.find(Sjis(" 1. 給料")), std::string::npos);
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(CategoryEditing, openingShowsTheStoredListsAndTintsRowsByKind) {
    home.UseCategories("+給料\r\n基本給\r\n-食費\r\n朝食,昼食\r\n");
    Open();
    EXPECT_EQ(Cell(2, 3), "昼食");
    EXPECT_EQ(grid->item(0, 5)->background().color(), kIncomeTint);
    EXPECT_EQ(grid->item(1, 5)->background().color(), kExpenseTint);
    EXPECT_EQ(grid->item(2, 0)->background().color(), kExpenseTint);  // empty row
    EXPECT_EQ(grid->horizontalHeaderItem(20)->text(), "摘要 20");
    EXPECT_EQ(grid->verticalHeaderItem(19)->text(), "費目20");

    grid->setCurrentCell(0, 1);  // Ins on a description does nothing
    Press(Qt::Key_Insert);
    grid->setCurrentCell(2, 0);  // nor on an empty name
    Press(Qt::Key_Insert);
    grid->setCurrentCell(0, 0);
    Press(Qt::Key_Insert);
    EXPECT_EQ(grid->item(0, 5)->background().color(), kExpenseTint);
    EXPECT_EQ(grid->item(2, 0)->background().color(), kExpenseTint);
    ClickSave();
    EXPECT_EQ(home.temp.Read("VERADIV.DAT"), Sjis("-給料\r\n基本給\r\n-食費\r\n朝食,昼食\r\n"));
}

TEST_F(CategoryEditing, gridKeysOpenTheEditorAsTheKeyTableSays) {
    struct Case {
        const char* name;
        std::function<void()> key;
        const char* text;
        int caret;
    };
    const Case cases[] = {
        {"Enter", [] { Press(Qt::Key_Return); }, "食費", 2},
        {"Space", [] { Press(Qt::Key_Space); }, "食費", 0},
        {"Del", [] { Press(Qt::Key_Delete); }, "", 0},
        {"Backspace", [] { Press(Qt::Key_Backspace); }, "", 0},
        {"a letter", [] { Type("x"); }, "x", 1},
        {"a full-width character", [] { Type("あ"); }, "あ", 1},
        {"an input method commit", [] { Commit("日本"); }, "日本", 2},
    };
    home.UseCategories("+食費\r\n朝食\r\n");
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->setCurrentCell(0, 0);
        grid->setFocus();
        c.key();
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(Focused(), editor);
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(editor->cursorPosition(), c.caret);
        Press(Qt::Key_Escape);  // discards
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(Cell(1, 1), "食費");
    }
}

// With an input method on, the first key of an empty cell starts the composition.
TEST_F(CategoryEditing, anInputMethodComposesFromTheFirstKeyOfACell) {
    struct Case {
        int column;
        const char* keys;
        const char* stored;
    };
    const Case cases[] = {{1, "kodomo", "こども"}, {2, "sakana", "さかな"}};
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        InputMethod on;
        grid->setCurrentCell(0, c.column - 1);
        grid->setFocus();
        on.Type(c.keys);
        EXPECT_TRUE(editor->isVisible());
        on.Enter();  // commits the composition
        EXPECT_EQ(Focused(), editor);
        on.Enter();  // nothing is composed: the cell takes the text
        EXPECT_EQ(Cell(1, c.column), QString::fromUtf8(c.stored));
    }
}

TEST_F(CategoryEditing, namesTheFileCannotHoldAreRefusedWithAHint) {
    struct Case {
        int column;
        const char* typed;  // as keys, or committed when it starts with "*"
        const char* kept;
        const char* stored = nullptr;  // when the cell differs from the editor
    };
    // The reading skips leading blanks: a description keeps none of them.
    const Case cases[] = {
        {1, "a,b", "ab"},
        {2, "a,b", "ab"},
        {2, "+x", "x"},
        {2, "-x", "x"},
        {2, "*+日本", ""},
        {2, "x-y", "x-y"},
        {2, "  -x", "  x", "x"},
        {2, "  ", "  ", ""},
        {1, "-x", "-x"},
        {1, " x", " x"},
        {1, "aaaaaaaaaあ", "aaaaaaaaa"},
        {1, "*あいうえおか", "あいうえお"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        grid->setCurrentCell(0, c.column - 1);
        grid->setFocus();
        Press(Qt::Key_Delete);
        const QString typed = QString::fromUtf8(c.typed);
        typed.startsWith('*') ? Commit(typed.mid(1)) : Type(typed);
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.kept));
        const bool refused = QString::fromUtf8(c.kept) != typed;
        EXPECT_EQ(!legend->text().startsWith("<Ins>"), refused);
        Press(Qt::Key_Return);
        EXPECT_EQ(Cell(1, c.column), QString::fromUtf8(c.stored ? c.stored : c.kept));
        EXPECT_TRUE(legend->text().startsWith("<Ins>"));
    }
}

TEST_F(CategoryEditing, aSaveThatWouldDropEntriesNamesThemAndAsks) {
    struct Case {
        const char* name;
        std::vector<std::tuple<int, int, const char*>> cells;
        const char* named;
        const char* saved;
    };
    const Case cases[] = {
        {"a row below an empty row",
         {{1, 1, "給料"}, {1, 2, "基本給"}, {3, 1, "食費"}, {3, 2, "朝食"}},
         "費目3「食費」 と摘要1件",
         "-給料\r\n基本給\r\n"},
        {"a description right of an empty one",
         {{1, 1, "給料"}, {1, 2, "基本給"}, {1, 4, "賞与"}},
         "費目1「給料」 の摘要3「賞与」",
         "-給料\r\n基本給\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        home.temp.Write("VERADIV.DAT", "");  // rows of an existing master start blue
        home.messages.shown.clear();
        Open();
        for (const auto& [row, column, text] : c.cells)
            Fill(row, column, QString::fromUtf8(text));

        home.messages.Answer(false);  // Cancel returns to the grid
        ClickSave();
        ASSERT_EQ(home.messages.shown.size(), 1u);
        EXPECT_TRUE(home.messages.shown[0].question);
        EXPECT_TRUE(home.messages.shown[0].text.contains(QString::fromUtf8(c.named)))
            << home.messages.shown[0].text.toStdString();
        EXPECT_EQ(home.temp.Read("VERADIV.DAT"), "");
        EXPECT_TRUE(screen->isVisible());

        home.messages.Answer(true);
        ClickSave();
        EXPECT_EQ(home.temp.Read("VERADIV.DAT"), Sjis(c.saved));
        Open();  // reopening shows only what was saved
        EXPECT_EQ(Cell(3, 1), "");
        EXPECT_EQ(Cell(1, 4), "");
    }
}

TEST_F(CategoryEditing, aMasterTheScreenCannotHoldAsItStandsIsKeptOrNamedBeforeSaving) {
    const std::string cut =
        Sjis("+給料\r\n基本給\r\n-食") + "\x94\r\n" + Sjis("朝食,昼") + "\x94" + Sjis(",夕食\r\n");
    std::string many;
    for (int c = 1; c <= 21; ++c)
        many += "-c" + std::to_string(c) + "\r\nd\r\n";
    const QString ask = QStringLiteral("\n\nこのまま保存しますか？");
    struct Case {
        const char* name;
        std::string file;
        bool editCut;      // types "x" after the cut name of category 2
        QString question;  // empty: none
        std::string saved;
    };
    const Case cases[] = {
        {"bytes that are no character", cut, false, "", cut},
        {"entries past a gap", Sjis("+給料\r\n基本給,,賞与\r\n+\r\n-食費\r\n朝食\r\n"), false,
         "空欄より後ろにある次の項目は保存されません。\n\n費目1「給料」 の摘要3「賞与」\n"
         "費目3「食費」 と摘要1件" +
             ask,
         Sjis("+給料\r\n基本給\r\n")},
        {"a 21st category", many, false,
         "費目と摘要はそれぞれ20までのため、ファイルにある次の項目は保存されません。\n\n"
         "費目21「c21」 と摘要1件" +
             ask,
         many.substr(0, many.find("-c21"))},
        {"a master saved as UTF-8", "+給料\r\n基本給\r\n", false,
         "費目ファイル(Veradiv.Dat)は UTF-8 で書かれています。保存すると Shift-JIS "
         "で書き直されます。" +
             ask,
         Sjis("+給料\r\n基本給\r\n")},
        {"a cut name edited", cut, true,
         "次の項目には Shift-JIS にない文字があり、「?」に置き換えて保存されます。\n\n"
         "費目2「食\xEF\xBF\xBDx」" +
             ask,
         Sjis("+給料\r\n基本給\r\n-食?x\r\n朝食,昼") + "\x94" + Sjis(",夕食\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        home.temp.Write("VERADIV.DAT", c.file);
        home.messages.shown.clear();
        Open();
        if (c.editCut) {
            EXPECT_EQ(Cell(2, 1), QString::fromUtf8("食\xEF\xBF\xBD"));
            grid->setCurrentCell(1, 0);
            Press(Qt::Key_Return);
            Type("x");
            Press(Qt::Key_Return);
        }
        if (!c.question.isEmpty()) {
            home.messages.Answer(false);
            ClickSave();
            ASSERT_EQ(home.messages.shown.size(), 1u);
            EXPECT_TRUE(home.messages.shown[0].question);
            EXPECT_EQ(home.messages.shown[0].text, c.question);
            EXPECT_EQ(home.temp.Read("VERADIV.DAT"), c.file);
            EXPECT_TRUE(screen->isVisible());
            home.messages.shown.clear();
            home.messages.Answer(true);
        }
        ClickSave();
        EXPECT_EQ(home.messages.shown.size(), c.question.isEmpty() ? 0u : 1u);
        EXPECT_EQ(home.temp.Read("VERADIV.DAT"), c.saved);
        EXPECT_FALSE(screen->isVisible());
    }
}

TEST_F(CategoryEditing, withoutAFirstCategoryAndDescriptionNothingIsSaved) {
    Open();
    Fill(1, 1, "給料");
    ClickSave();
    EXPECT_FALSE(home.temp.Exists("VERADIV.DAT"));
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(legend->text().startsWith("<Ins>"));
    EXPECT_TRUE(home.messages.shown.empty());
}

TEST_F(CategoryEditing, escAndReloadForgetTheGridsChanges) {
    home.UseCategories("+給料\r\n基本給\r\n");
    Open();
    EXPECT_TRUE(Child<QPushButton>(*screen, "Command2")->isEnabled());
    Fill(1, 2, "手当");
    Child<QPushButton>(*screen, "Command2")->click();
    EXPECT_EQ(Cell(1, 2), "基本給");
    Fill(1, 2, "手当");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(home.temp.Read("VERADIV.DAT"), Sjis("+給料\r\n基本給\r\n"));
    EXPECT_EQ(home.state.categories.descriptions[1][1], Sjis("基本給"));
}

TEST_F(CategoryEditing, tabReachesTheButtonsAndEnterPressesThem) {
    Open();
    auto* save = Child<QPushButton>(*screen, "Command3");
    auto* cancel = Child<QPushButton>(*screen, "Command1");
    EXPECT_FALSE(Child<QPushButton>(*screen, "Command2")->isEnabled());  // no file yet
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), save);
    Press(Qt::Key_Tab);  // 再読み込み is disabled and passed over
    EXPECT_EQ(Focused(), cancel);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), grid);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), cancel);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), save);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), grid);

    Fill(1, 1, "給料");
    grid->setCurrentCell(0, 1);
    Commit("基本給");
    Press(Qt::Key_Tab);  // commits the open editor first
    EXPECT_EQ(Cell(1, 2), "基本給");
    EXPECT_EQ(Focused(), save);
    Press(Qt::Key_Return);
    EXPECT_EQ(home.temp.Read("VERADIV.DAT"), Sjis("+給料\r\n基本給\r\n"));
}

TEST_F(CategoryEditing, aMasterThatCannotBeWrittenIsReportedAndNothingChanges) {
    FaultyFileSystem fs;
    Household faulty(fs);
    faulty.UseCategories("+給料\r\n基本給\r\n");
    CategoryEditor editor(faulty.state, faulty.services);
    auto* grid = Child<QTableWidget>(editor, "Grid1");
    grid->item(0, 1)->setText("手当");
    fs.Arm({FsCall::Rename, 1, ENOSPC});
    Child<QPushButton>(editor, "Command3")->click();

    ASSERT_EQ(faulty.messages.shown.size(), 1u);
    EXPECT_FALSE(faulty.messages.shown[0].question);
    EXPECT_EQ(faulty.state.categories.descriptions[1][1], Sjis("基本給"));
    EXPECT_EQ(faulty.temp.Read("VERADIV.DAT"), Sjis("+給料\r\n基本給\r\n"));
    EXPECT_EQ(editor.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace hanaki::testing
