#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <set>
#include <string>

#include "entry/entry_window.h"
#include "import/converter_closing_day_dialog.h"
#include "import/converter_screen.h"
#include "settings/closing_day_dialog.h"
#include "support/keyboard.h"
#include "support/wait.h"
#include "ui/help_window.h"
#include "ui/key_table.h"

namespace hanaki {
namespace {

using testing::Focused;
using testing::January2000;
using testing::Press;
using testing::ShowActive;
using testing::Type;
using testing::WaitFor;

// Every window of both programs.
const std::set<std::string> kWindows{
    "MainEntryScreen",      "MonthlyTableScreen",     "SummaryMenu",
    "MonthlySummaryScreen", "MonthlyTrendScreen",     "YearSummaryScreen",
    "GraphScreen",          "SettingsMenu",           "CategoryEditor",
    "BudgetEditor",         "CarryOverSettingScreen", "HistoryScreen",
    "FixedItemsEditor",     "DueItemsScreen",         "CsvExportScreen",
    "FindScreen",           "StatementImportScreen",  "HelpWindow",
    "ClosingDayDialog",     "ConverterScreen",        "ConverterClosingDayDialog"};

// The window's own keys and its parts', not those of the windows opened from it.
std::vector<KeysInForce*> KeyedPartsOf(QWidget* window) {
    QList<QObject*> objects = window->findChildren<QObject*>();
    objects.prepend(window);
    std::vector<KeysInForce*> parts;
    for (QObject* object : objects) {
        QObject* owner = object;
        while (owner != nullptr && !owner->isWidgetType())
            owner = owner->parent();
        if (owner == nullptr || static_cast<QWidget*>(owner)->window() != window)
            continue;
        if (auto* part = dynamic_cast<KeysInForce*>(object))
            parts.push_back(part);
    }
    return parts;
}

// Every table in force in the active window agrees with its legend, and a
// label shows the legend of the one that has one (a cell editor's has none:
// the grid's stays on screen).
::testing::AssertionResult LegendAgreesWithKeys(std::set<std::string>& seen) {
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr)
        return ::testing::AssertionFailure() << "no window has the keys";
    const std::string name =
        QString(window->metaObject()->className()).remove("hanaki::").toStdString();
    seen.insert(name);
    QStringList problems;
    QStringList legends;
    for (KeysInForce* part : KeyedPartsOf(window)) {
        const KeyTable table = part->KeysNow();
        problems << table.LegendMismatches();
        if (*table.legend != '\0')
            legends << QString::fromUtf8(table.legend);
    }
    if (legends.size() > 1)
        problems << "tables in force with a legend each: " + legends.join(" / ");
    if (legends.size() == 1) {
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        if (std::none_of(labels.begin(), labels.end(), [&legends](const QLabel* label) {
                return label->isVisible() && LegendItems(label->text()) == LegendItems(legends[0]);
            }))
            problems << "no label shows \"" + legends[0] + "\"";
    }
    if (problems.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " (" << Focused()->objectName().toStdString()
                                         << "): " << problems.join("; ").toStdString();
}

// Keys pressed on whatever has the focus, the active window checked after each.
struct Tour {
    void Keys(std::initializer_list<int> keys) {
        for (int key : keys) {
            ASSERT_TRUE(WaitFor([] { return Focused() != nullptr; }, "a window with the keys"));
            Press(key);
            if (Focused() != nullptr) {  // else the window closed: Back says where to
                EXPECT_TRUE(LegendAgreesWithKeys(seen)) << "after key " << std::hex << key;
            }
        }
    }
    void Text(const char* text) {
        ASSERT_TRUE(WaitFor([] { return Focused() != nullptr; }, "a window with the keys"));
        Type(QString::fromUtf8(text));
        EXPECT_TRUE(LegendAgreesWithKeys(seen)) << "after typing " << text;
    }
    // Waits for `window` to take the keys, as a screen opened does.
    void Reach(const char* window) {
        EXPECT_TRUE(WaitFor(
            [window] {
                return QApplication::activeWindow() != nullptr &&
                       QApplication::activeWindow()->objectName() == window;
            },
            window));
        EXPECT_TRUE(LegendAgreesWithKeys(seen)) << "on " << window;
    }
    // Gives the keys back to `window` once the one in front of it has closed.
    void Back(const char* window) {
        QWidget* found = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible() && shown->objectName() == window)
                found = shown;
        }
        ASSERT_NE(found, nullptr) << window;
        ShowActive(*found);
        Reach(window);
    }
    std::set<std::string> seen;
};

// Walks every screen of both programs through its focus states, checking at
// each step that the legend on screen names exactly the keys in force.
TEST(Legends, everyScreenShowsTheLegendOfTheKeysItRunsFrom) {
    January2000 window;
    ASSERT_TRUE(window.Start());
    Tour tour;
    tour.Reach("Form1");
    // The date fields, then day 1 of the month and its one item.
    tour.Keys({Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return});
    tour.Text("/");  // the memo
    tour.Keys({Qt::Key_Return, Qt::Key_Escape});
    // The grid, and the item corrected field by field.
    tour.Keys({Qt::Key_Up, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape,
               Qt::Key_Escape, Qt::Key_Escape});
    // A new expense, through the calculator, and a new income.
    tour.Text("2");
    tour.Keys({Qt::Key_Return});
    tour.Text("1");
    tour.Keys({Qt::Key_Return});
    tour.Text("\\");
    tour.Keys({Qt::Key_Escape});
    tour.Text("100");
    tour.Keys({Qt::Key_Return, Qt::Key_Return});
    tour.Text("1");
    tour.Keys({Qt::Key_Return});
    tour.Text("1");
    tour.Keys({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Escape});

    tour.Keys({Qt::Key_F5});
    tour.Reach("Form2");
    tour.Keys({Qt::Key_Down, Qt::Key_Home, Qt::Key_Escape, Qt::Key_Escape});
    tour.Back("Form1");

    tour.Keys({Qt::Key_F6});
    tour.Reach("Form4");
    for (const char* summary : {"1Form7", "2Form10", "4FormYear"}) {
        tour.Text(std::string(summary, 1).c_str());
        tour.Reach(summary + 1);  // in the month field
        tour.Keys({Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return, Qt::Key_Down, Qt::Key_F5});
        tour.Reach("Form8");
        tour.Keys({Qt::Key_Down, Qt::Key_Tab, Qt::Key_Escape});
        tour.Back(summary + 1);
        tour.Keys({Qt::Key_Return});
        tour.Reach("Form8");
        tour.Keys({Qt::Key_Down, Qt::Key_Right, Qt::Key_Tab, Qt::Key_Escape});
        tour.Back(summary + 1);
        tour.Keys({Qt::Key_Home});
        QApplication::activeWindow()->close();
        tour.Back("Form4");
    }
    tour.Keys({Qt::Key_Escape});
    tour.Back("Form1");

    tour.Keys({Qt::Key_F7});
    tour.Reach("Form12");
    tour.Text("1");
    tour.Reach("Form3");
    tour.Keys({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Escape});
    tour.Back("Form12");
    tour.Text("2");
    tour.Reach("Form13");
    tour.Keys({Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Escape});
    tour.Back("Form12");
    tour.Text("3");
    tour.Reach("Form11");
    tour.Keys({Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_PageUp,
               Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Escape});
    tour.Back("Form12");
    tour.Text("4");
    tour.Reach("FormHistory");
    tour.Keys({Qt::Key_Escape});
    tour.Back("Form12");
    tour.Text("5");
    tour.Reach("FormTeiki");
    tour.Text("1");
    tour.Keys({Qt::Key_Escape, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
    tour.Text("\\");
    tour.Keys({Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Escape});
    tour.Back("Form12");
    tour.Text("7");
    tour.Reach("FormStatement");
    tour.Keys({Qt::Key_Escape});
    tour.Back("Form12");
    tour.Keys({Qt::Key_Escape});
    tour.Back("Form1");

    // The fixed items due: an amount typed, the calculator, Esc.
    window.folder.Write("TEIKI.TXT", "1,1,1,,1,200001,,,\r\n");
    window.screens.StartedUp(*window.screen);
    tour.Reach("FormDue");
    tour.Text("1");
    tour.Keys({Qt::Key_Escape});
    tour.Text("\\");
    tour.Keys({Qt::Key_Escape, Qt::Key_Space, Qt::Key_Escape});
    tour.Back("Form1");

    tour.Keys({Qt::Key_F8});
    tour.Reach("Form6");
    tour.Keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape});
    tour.Back("Form1");
    // The statement import: the file, its columns, the preview and a category typed.
    window.folder.Write("card.csv", "利用日,利用店名・商品名,利用金額\n2000/01/05,本屋,1000\n");
    qputenv("HOME", QByteArray::fromStdString(window.folder.path()));
    tour.Keys({Qt::Key_F10});
    tour.Reach("FormStatement");
    tour.Keys({Qt::Key_Down, Qt::Key_Return, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_PageUp,
               Qt::Key_Return});
    tour.Text("2");
    tour.Keys({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Escape,
               Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape});
    tour.Back("Form1");
    tour.Keys({Qt::Key_F9});
    tour.Reach("FormFind");
    tour.Text("one");
    tour.Keys({Qt::Key_Return});
    ASSERT_TRUE(WaitFor([] { return Focused()->objectName() == "MSFlexGrid1"; }, "the results"));
    tour.Keys({Qt::Key_Escape, Qt::Key_Escape});
    tour.Back("Form1");

    // The help, without a guide and with one.
    auto* help = new HelpWindow({"/nonexistent/guide.html"}, window.screen.get());
    help->ShowSection({});
    ShowActive(*help);
    tour.Reach("FormHelp");
    window.folder.Write("guide.html", "<html><body><h2 id=\"a\">a</h2><p>b</p></body></html>");
    auto* guide = new HelpWindow({QString::fromStdString(window.folder.path() + "/guide.html")},
                                 window.screen.get());
    guide->ShowWholeGuide({});
    ShowActive(*guide);
    tour.Keys({Qt::Key_F1, Qt::Key_F1});

    ClosingDayDialog closingDay(window.state, window.services);
    ShowActive(closingDay);
    tour.Keys({Qt::Key_PageUp});
    ConverterScreen converter(window.services, window.fs);
    ShowActive(converter);
    tour.Keys({Qt::Key_Tab});
    ConverterClosingDayDialog converterDay(&converter);
    ShowActive(converterDay);
    tour.Keys({Qt::Key_PageDown});

    EXPECT_EQ(tour.seen, kWindows);
}

}  // namespace
}  // namespace hanaki
