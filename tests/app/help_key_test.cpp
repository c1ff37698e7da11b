#include "ui/help_key.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "app/help_sections.h"
#include "entry/entry_window.h"
#include "import/converter_closing_day_dialog.h"
#include "import/converter_screen.h"
#include "settings/closing_day_dialog.h"
#include "support/wait.h"
#include "ui/help_guide.h"
#include "ui/help_window.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::WaitFor;

// F1 as the application delivers it, with the program's sections and the guide of the build tree.
struct ProgramHelp {
    explicit ProgramHelp(std::vector<HelpSection> sections)
        : key(QStringList{QStringLiteral(HANAKI_GUIDE)}, std::move(sections), nullptr) {
        qApp->installEventFilter(&key);
    }
    ~ProgramHelp() { qApp->removeEventFilter(&key); }
    HelpKey key;
};

HelpWindow* ActiveHelp() {
    return qobject_cast<HelpWindow*>(QApplication::activeWindow());
}

void PressInActiveWindow(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

// F1 where the keys go now opens the help on `title`; Esc gives the keys back to that control.
void ExpectHelpAndBack(const char* title) {
    SCOPED_TRACE(title);
    QWidget* control = QApplication::focusWidget();
    ASSERT_NE(control, nullptr);
    QWidget* screen = control->window();
    PressInActiveWindow(Qt::Key_F1);
    ASSERT_TRUE(WaitFor([] { return ActiveHelp() != nullptr; }, "the help to come to the front"));
    EXPECT_EQ(ActiveHelp()->windowTitle(), QStringLiteral("ヘルプ - ") + QString::fromUtf8(title));
    EXPECT_FALSE(ActiveHelp()->showsWholeGuide());

    PressInActiveWindow(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == screen; },
                        "the screen to have the keys again"));
    EXPECT_EQ(QApplication::focusWidget(), control);
    EXPECT_EQ(screen->findChild<HelpWindow*>(), nullptr);
}

// Keys typed into the active window, one at a time, to reach a screen.
void Walk(std::initializer_list<Qt::Key> keys) {
    for (Qt::Key key : keys) {
        PressInActiveWindow(key);
        QApplication::processEvents();
    }
}

TEST(HelpKey, F1OnEveryScreenOfHanakiOpensItsSectionAndEscGivesTheKeysBack) {
    struct Case {
        std::function<void()> open;  // from the category field of the main window
        const char* window;
        const char* title;
    };
    const Case cases[] = {
        {[] {}, "Form1", "記帳画面"},
        {[] { Walk({Qt::Key_Home}); }, "Form1", "記帳画面"},
        {[] {
             Walk({Qt::Key_2, Qt::Key_Return, Qt::Key_1, Qt::Key_Return, Qt::Key_Backslash});
         },
         "Form1", "記帳画面の電卓"},
        {[] { Walk({Qt::Key_Slash}); }, "Form1", "記帳画面のメモ"},
        {[] { Walk({Qt::Key_F5}); }, "Form2", "月計表（F5）"},
        {[] { Walk({Qt::Key_F6}); }, "Form4", "集計メニュー（F6）"},
        {[] {
             Walk({Qt::Key_F6, Qt::Key_1});
         },
         "Form7", "月度集計・月度推移・年間集計"},
        {[] {
             Walk({Qt::Key_F6, Qt::Key_1, Qt::Key_F5});
         },
         "Form8", "グラフ表示"},
        {[] {
             Walk({Qt::Key_F6, Qt::Key_2});
         },
         "Form10", "月度集計・月度推移・年間集計"},
        {[] {
             Walk({Qt::Key_F6, Qt::Key_4});
         },
         "FormYear", "月度集計・月度推移・年間集計"},
        {[] { Walk({Qt::Key_F7}); }, "Form12", "設定メニュー（F7）"},
        {[] {
             Walk({Qt::Key_F7, Qt::Key_1});
         },
         "Form3", "費目設定"},
        {[] {
             Walk({Qt::Key_F7, Qt::Key_2});
         },
         "Form13", "予算設定"},
        {[] {
             Walk({Qt::Key_F7, Qt::Key_3});
         },
         "Form11", "自動繰越"},
        {[] {
             Walk({Qt::Key_F7, Qt::Key_4});
         },
         "FormHistory", "変更の履歴"},
        {[] { Walk({Qt::Key_F8}); }, "Form6", "データ変換（F8）とデータ・コンバータ（tsugite）"},
        {[] { Walk({Qt::Key_F9}); }, "FormFind", "検索（F9）"},
    };
    ProgramHelp help(HanakiHelpSections());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        window.screen->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return window.screen->isActiveWindow(); }, "the main window"));
        window.Press(Qt::Key_Return);  // to the category field, where the F-keys work
        c.open();
        ASSERT_TRUE(WaitFor(
            [&] {
                QWidget* active = QApplication::activeWindow();
                return active != nullptr && active->objectName() == c.window;
            },
            c.window));
        ExpectHelpAndBack(c.title);
    }
}

TEST(HelpKey, F1OnTheFixedItemsWindowsOpensTheirSection) {
    ProgramHelp help(HanakiHelpSections());
    EntryWindow window;
    window.folder.Write("TEIKI.TXT", "1,1,1,100,1,202612,,,\r\n");
    ASSERT_TRUE(window.Start());
    window.screens.StartedUp(*window.screen);
    auto active = [](const char* name) {
        return QApplication::activeWindow() != nullptr &&
               QApplication::activeWindow()->objectName() == name;
    };
    ASSERT_TRUE(WaitFor([&] { return active("FormDue"); }, "the due items"));
    ExpectHelpAndBack("定期項目の記入");
    PressInActiveWindow(Qt::Key_Escape);
    window.screen->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return window.screen->isActiveWindow(); }, "the main window"));
    Walk({Qt::Key_Return, Qt::Key_F7, Qt::Key_5});
    ASSERT_TRUE(WaitFor([&] { return active("FormTeiki"); }, "the fixed items editor"));
    ExpectHelpAndBack("定期項目の設定");
}

TEST(HelpKey, F1OnEveryScreenOfTsugiteOpensItsSectionAndEscGivesTheKeysBack) {
    ProgramHelp help(TsugiteHelpSections());
    testing::ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
    ConverterScreen converter(services, RealFileSystem());
    converter.show();
    converter.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return converter.isActiveWindow(); }, "the converter"));
    ExpectHelpAndBack("データ変換（F8）とデータ・コンバータ（tsugite）");

    ConverterClosingDayDialog closingDay(&converter);
    ShowInFrontOf(&closingDay, &converter);
    ASSERT_TRUE(WaitFor([&] { return closingDay.isActiveWindow(); }, "the closing-day dialog"));
    ExpectHelpAndBack("コンバータの月度設定（tsugite）");
}

// Qt's own windows (the messages, the print dialog) have no key test of their own.
TEST(HelpKey, EveryWindowNamedForHelpHasItsSectionInTheGuide) {
    QFile file(QStringLiteral(HANAKI_GUIDE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextDocument guide;
    guide.setHtml(QString::fromUtf8(file.readAll()));
    for (const auto& sections : {HanakiHelpSections(), TsugiteHelpSections()}) {
        for (const HelpSection& section : sections) {
            EXPECT_FALSE(FindGuideSection(guide, QString::fromUtf8(section.anchor)).html.isEmpty())
                << section.window << " " << section.control << ": " << section.anchor;
        }
    }
}

// A first-run dialog runs modal: the help in front of it still takes the keys.
TEST(HelpKey, F1InAModalDialogOpensAHelpThatTakesTheKeys) {
    ProgramHelp help(HanakiHelpSections());
    EntryWindow window;
    ClosingDayDialog dialog(window.state, window.services);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        if (WaitFor([&] { return dialog.isActiveWindow(); }, "the dialog")) {
            ExpectHelpAndBack("月度設定（締め日）");
            checked = true;
        }
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace hanaki
