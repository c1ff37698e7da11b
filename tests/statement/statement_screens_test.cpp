#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "data/history/history_store.h"
#include "entry/entry_window.h"
#include "support/wait.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::Focused;
using testing::Record;
using testing::Sjis;
using testing::WaitFor;

constexpr const char* kCardHeader =
    "利用日,利用店名・商品名,利用者,支払方法,利用金額,手数料,支払総額";

// A card statement of December 2026: each row's text, day and amount.
std::string CardStatement(const std::vector<std::tuple<std::string, int, int>>& rows) {
    std::string text = std::string("ハナキカード ご利用明細\r\n") + kCardHeader + "\r\n";
    for (const auto& [shop, day, amount] : rows)
        text += "2026/12/" + std::to_string(day) + "," + shop + ",本人,1回払い," +
                std::to_string(amount) + ",0," + std::to_string(amount) + "\r\n";
    return Sjis(text);
}

// The main window, a folder that keeps its history, and the import opened by F10.
struct ImportWindow : EntryWindow {
    ImportWindow() {
        KeepHistory(state.folder, [this] { return now += 60; });
        qputenv("HOME", QByteArray::fromStdString(folder.path()));
    }

    // F10 from the main window, and Enter on the file `name`, reached with the arrows.
    QWidget* OpenStatement(const char* name) {
        screen->activateWindow();
        testing::Press(screen->focusWidget(), Qt::Key_F10);
        if (!WaitFor([] { return Active() == "FormStatement"; }, "the import"))
            return nullptr;
        auto* files = QApplication::activeWindow()->findChild<QListWidget*>("File1");
        const auto found = files->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return nullptr;
        for (int i = 0; i < files->row(found[0]); ++i)
            testing::Press(Qt::Key_Down);
        testing::Press(Qt::Key_Return);
        return QApplication::activeWindow();
    }
    static QString Active() {
        return QApplication::activeWindow() ? QApplication::activeWindow()->objectName()
                                            : QString();
    }
    static QTableWidget* Rows(QWidget* import) {
        return import->findChild<QTableWidget*>("MSFlexGrid1");
    }
    static QString Legend(QWidget* import) { return import->findChild<QLabel*>("Legend")->text(); }
    static QString State(QWidget* import, int row) { return Rows(import)->item(row, 8)->text(); }
    static void Keys(const char* typed) {
        for (const char* c = typed; *c != '\0'; ++c) {
            switch (*c) {
                case '>':
                    testing::Press(Qt::Key_Return);
                    break;
                case 'v':
                    testing::Press(Qt::Key_Down);
                    break;
                case '_':
                    testing::Press(Qt::Key_Space);
                    break;
                case 'x':
                    testing::Press(Qt::Key_Escape);
                    break;
                default:
                    testing::TypeCharacter(Focused(), static_cast<char32_t>(*c));
            }
        }
    }
    std::int64_t now = 1'800'000'000;
};

// A fresh household brings in its first card statement of 40 rows: the
// columns are confirmed once, two categories are chosen and remembered as
// rules, and the next statement of the card goes in with one Enter.
TEST(StatementScreens, aFreshHouseholdLearnsFromTheFirstStatementAndImportsTheNextWithOneEnter) {
    ImportWindow window;
    ASSERT_TRUE(window.Start());
    std::vector<std::tuple<std::string, int, int>> first;
    for (int i = 0; i < 40; ++i)
        first.emplace_back(i < 30 ? "スーパー丸" : "ハナキ不動産", 1 + i % 7, 100 + i);
    window.folder.Write("card1.csv", CardStatement(first));
    window.folder.Write("card2.csv",
                        CardStatement({{"スーパー丸", 7, 5000}, {"ハナキ不動産", 7, 70000}}));

    QWidget* import = window.OpenStatement("card1.csv");
    ASSERT_NE(import, nullptr);
    // The columns the header suggests, confirmed with Enter.
    EXPECT_TRUE(ImportWindow::Legend(import).contains("<D>日付"));
    ImportWindow::Keys(">");
    ASSERT_EQ(ImportWindow::Rows(import)->rowCount(), 40);
    EXPECT_EQ(ImportWindow::State(import, 0), "費目なし");
    EXPECT_TRUE(window.folder.Read("MEISAI.TXT").find(Sjis("利用日\t利用店名")) !=
                std::string::npos);

    // 食費/朝食 for the supermarket, 住居/家賃 for the estate agent, each remembered.
    ImportWindow::Keys("2>1>");
    EXPECT_EQ(ImportWindow::State(import, 0), "選択");
    EXPECT_EQ(ImportWindow::State(import, 29), "規則");
    EXPECT_EQ(ImportWindow::Rows(import)->item(29, 6)->text(), "食費");
    for (int i = 0; i < 30; ++i)
        ImportWindow::Keys("v");
    ImportWindow::Keys("3>1>");
    EXPECT_EQ(ImportWindow::State(import, 39), "規則");
    EXPECT_TRUE(window.folder.Read("BUNRUI.TXT")
                    .ends_with(Sjis("\r\n2,1,スーパー丸\r\n3,1,ハナキ不動産\r\n")));
    ImportWindow::Keys(">");
    ASSERT_TRUE(
        WaitFor([&window] { return ImportWindow::Active() == "Form1"; }, "the main window"));
    int firstTotal = 0;
    for (const auto& [shop, day, amount] : first)
        firstTotal += amount;
    EXPECT_EQ(window.Text("Label3"), QString::fromStdString(FormatGrouped(firstTotal)));
    EXPECT_EQ(window.Cell(1, 6), "スーパー丸");  // today, 7 December, shows its items

    // The next statement: the file picked, then one Enter.
    import = window.OpenStatement("card2.csv");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(ImportWindow::State(import, 1), "規則");
    ImportWindow::Keys(">");
    ASSERT_TRUE(
        WaitFor([&window] { return ImportWindow::Active() == "Form1"; }, "the main window"));
    EXPECT_EQ(window.Text("Label3"), QString::fromStdString(FormatGrouped(firstTotal + 75000)));

    // One Ctrl+Z takes the whole second statement back.
    window.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.Text("Label3"), QString::fromStdString(FormatGrouped(firstTotal)));
}

// The preview's keys: what each sequence leaves in the row, the legend and the messages.
TEST(StatementScreens, thePreviewTakesItsKeysAsTheLegendSays) {
    struct Case {
        const char* keys;   // typed in the preview on its first row
        const char* state;  // of the row the cursor is on, "" not looked at
        const char* checked;
        const char* legendHas;
        const char* message;  // the last one shown, "" for none
    };
    const Case cases[] = {
        {"", "規則", "✓", "<Space>取り込む・取り込まない", ""},
        {"_", "規則", "", "<Space>取り込む・取り込まない", ""},
        {"__", "規則", "✓", "<Space>取り込む・取り込まない", ""},
        {"v_", "過去の項目", "", "<Space>取り込む・取り込まない", ""},
        {"vv_", "費目なし", "", "<Space>取り込む・取り込まない", ""},  // cannot be checked
        {"1>", "規則", "✓", "<数字>費目番号", ""},                     // 給料 is no expense
        {"2>9>", "規則", "✓", "<数字>摘要番号", ""},                   // 食費 has no 9th
        {"2>x", "規則", "✓", "<数字>費目番号", ""},
        {"2>xx", "規則", "✓", "<Enter>取り込み実行", ""},
        {"3>1>", "選択", "✓", "<Enter>取り込み実行", "」にしますか？"},
        {"x", "", "", "<D>日付", ""},
        {"_v_vv>", "", "", "<Enter>取り込み実行", "取り込む行がありません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        ImportWindow window;
        ASSERT_TRUE(window.Start());
        window.folder.Write("BUNRUI.TXT", Sjis("2,1,スーパー丸\r\n"));
        window.folder.Write("MEISAI.TXT",
                            Sjis("1,7,+,0,0,2,利用日\t利用店名・商品名\t利用者\t支払方法\t"
                                 "利用金額\t手数料\t支払総額\r\n"));
        window.folder.Write("202612.DAT", Record("261205", 2, "-300", "本屋"));
        window.folder.Write(
            "card.csv",
            CardStatement(
                {{"スーパー丸", 1, 100}, {"本屋", 2, 200}, {"花屋", 3, 400}, {"本屋", 5, 300}}));
        window.messages.Answer(false);  // no rule learnt
        QWidget* import = window.OpenStatement("card.csv");
        ASSERT_NE(import, nullptr);
        ASSERT_EQ(ImportWindow::Rows(import)->rowCount(), 4);
        // 本屋 as the household's own item of 5 December has it: 食費.
        EXPECT_EQ(ImportWindow::Rows(import)->item(1, 6)->text(), "食費");
        EXPECT_EQ(ImportWindow::State(import, 3), "取込済");
        ImportWindow::Keys(c.keys);
        if (*c.state != '\0') {
            const int row = ImportWindow::Rows(import)->currentRow();
            EXPECT_EQ(ImportWindow::State(import, row), c.state);
            EXPECT_EQ(ImportWindow::Rows(import)->item(row, 0)->text(), c.checked);
        }
        EXPECT_TRUE(ImportWindow::Legend(import).contains(c.legendHas))
            << ImportWindow::Legend(import).toStdString();
        const QString last = window.messages.shown.empty() ? "" : window.messages.shown.back().text;
        EXPECT_TRUE(*c.message == '\0' ? last.isEmpty() : last.contains(c.message))
            << last.toStdString();
    }
}

// A month that would pass 1000 items takes none, and the message names it.
TEST(StatementScreens, aMonthPastAThousandItemsTakesNoneAndIsNamed) {
    ImportWindow window;
    ASSERT_TRUE(window.Start());
    std::string full;
    for (int i = 0; i < 999; ++i)
        full += Record("261201", 2, "-1");
    window.folder.Write("202612.DAT", full);
    window.folder.Write("BUNRUI.TXT", Sjis("2,1,スーパー丸\r\n"));
    window.folder.Write("MEISAI.TXT",
                        Sjis("1,7,+,0,0,2,利用日\t利用店名・商品名\t利用者\t支払方法\t"
                             "利用金額\t手数料\t支払総額\r\n"));
    window.folder.Write("card.csv",
                        CardStatement({{"スーパー丸", 2, 100}, {"スーパー丸", 3, 200}}));
    QWidget* import = window.OpenStatement("card.csv");
    ASSERT_NE(import, nullptr);
    ImportWindow::Keys(">");
    ASSERT_FALSE(window.messages.shown.empty());
    EXPECT_EQ(window.messages.shown.back().text,
              "2026年12月度の項目が 1001 件になり 1000 件を超えるため、何も取り込みませんでした。");
    EXPECT_EQ(window.folder.Read("202612.DAT"), full);
}

// The columns of a bank's statement as the keys set them before the first import.
TEST(StatementScreens, theColumnsChangeByTheirKeys) {
    struct Case {
        std::vector<int> keys;  // on the first column of the header
        const char* words;      // a line the columns' words then hold
    };
    const Case cases[] = {
        {{}, "入金: 4列目「お預り金額」    出金: 3列目「お支払金額」"},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_A}, "金額: 3列目「お支払金額」（正の数が支出）"},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_A, Qt::Key_S}, "（正の数が入金）"},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_I},
         "入金: 5列目「残高」"},
        {{Qt::Key_Right, Qt::Key_T}, "摘要: なし"},
        {{Qt::Key_T}, "摘要: 2列目「摘要」 + 1列目「日付」"},
        {{Qt::Key_D}, "日付: なし"},
        {{Qt::Key_PageUp}, "見出し: 2 行目"},
        {{Qt::Key_PageDown, Qt::Key_PageDown}, "見出し: 5 行目"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        ImportWindow window;
        ASSERT_TRUE(window.Start());
        window.folder.Write("bank.csv",
                            "普通預金 1234567\n照会期間,2026/11/26～2026/12/08\n"
                            "日付,摘要,お支払金額,お預り金額,残高\n"
                            "2026/12/01,ｶ)ﾏﾙｴﾂ,\"1,234\",,\"98,766\"\n"
                            "2026/12/02,給与,,\"250,000\",\"348,766\"\n");
        QWidget* import = window.OpenStatement("bank.csv");
        ASSERT_NE(import, nullptr);
        for (int key : c.keys)
            testing::Press(key);
        EXPECT_TRUE(
            import->findChild<QLabel*>("Label1")->text().contains(QString::fromUtf8(c.words)))
            << import->findChild<QLabel*>("Label1")->text().toStdString();
    }
}

// Enter refuses columns that leave out the date, the amount or the text.
TEST(StatementScreens, columnsWithoutATextAreNotTaken) {
    ImportWindow window;
    ASSERT_TRUE(window.Start());
    window.folder.Write("card.csv", CardStatement({{"本屋", 2, 200}}));
    QWidget* import = window.OpenStatement("card.csv");
    ASSERT_NE(import, nullptr);
    ImportWindow::Keys("v");
    testing::Press(Qt::Key_Right);
    testing::Press(Qt::Key_T);
    testing::Press(Qt::Key_Return);
    ASSERT_FALSE(window.messages.shown.empty());
    EXPECT_EQ(window.messages.shown.back().text,
              "日付、金額（または入金と出金）、摘要の列を選んでください。");
    EXPECT_FALSE(window.folder.Exists("MEISAI.TXT"));
}

}  // namespace
}  // namespace hanaki
