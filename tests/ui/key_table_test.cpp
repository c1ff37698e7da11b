#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "ui/key_table.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

// Esc acts when let go; Up when pressed, held or not.
TEST(KeyTable, aKeyBoundToItsReleaseActsOnceWhenLetGo) {
    std::string acted;
    const KeyTable table{"",
                         {OnRelease({{Qt::Key_Escape}, "", [&acted] { acted += "E"; }}),
                          {{Qt::Key_Up}, "", [&acted] { acted += "U"; }}}};
    struct Case {
        QEvent::Type type;
        int key;
        bool autoRepeat;
        bool claimed;
        std::string acted;
    };
    const Case cases[] = {
        {QEvent::KeyPress, Qt::Key_Escape, false, false, ""},
        {QEvent::KeyPress, Qt::Key_Escape, true, true, ""},
        {QEvent::KeyRelease, Qt::Key_Escape, true, true, ""},
        {QEvent::KeyRelease, Qt::Key_Escape, false, true, "E"},
        {QEvent::KeyPress, Qt::Key_Up, false, true, "U"},
        {QEvent::KeyPress, Qt::Key_Up, true, true, "U"},
        {QEvent::KeyRelease, Qt::Key_Up, false, false, ""},
    };
    for (const Case& c : cases) {
        acted.clear();
        const QKeyEvent event(c.type, c.key, Qt::NoModifier, QString(), c.autoRepeat);
        EXPECT_EQ(table.Run(event), c.claimed) << c.type << " " << c.key << " " << c.autoRepeat;
        EXPECT_EQ(acted, c.acted) << c.type << " " << c.key << " " << c.autoRepeat;
    }
}

// Only the shared keys' own combinations run them: Ctrl+Alt+Z is no undo.
TEST(KeyTable, aSharedKeyActsOnItsOwnCombinationsOnly) {
    std::string acted;
    const KeyTable table{"",
                         {{SharedKey::Undo, "", [&acted] { acted += "U"; }},
                          {SharedKey::Redo, "", [&acted] { acted += "R"; }}}};
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::string acted;
    } cases[] = {
        {Qt::Key_Z, Qt::ControlModifier, "U"},
        {Qt::Key_Y, Qt::ControlModifier, "R"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "R"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier, ""},
        {Qt::Key_Z, Qt::NoModifier, ""},
    };
    for (const auto& c : cases) {
        acted.clear();
        table.Run(QKeyEvent(QEvent::KeyPress, c.key, c.modifiers));
        EXPECT_EQ(acted, c.acted) << c.key << " " << c.modifiers.toInt();
    }
}

// A legend agrees with its table when each item is a binding's, whole, and
// each binding's item is in it; blanks after the keys, a note or a hint after
// a gap of two blanks, and keys sharing an item are the legends' own ways.
TEST(KeyTable, aLegendThatPartsFromItsTableIsFound) {
    const struct {
        const char* legend;
        std::vector<const char*> items;  // of the bindings; "" for one left out
        std::vector<QString> mismatched;
    } cases[] = {
        {" <ESC>終了    <PageUp,Down>前日,翌日    <Enter>確定    注:全角5文字以内",
         {"<ESC>終了", "<PageUp,Down>前日,翌日", "<PageUp,Down>前日,翌日", "<Enter>確定", ""},
         {}},
        {"<Esc>      設定破棄<PageUp,Down>費目選択  <Enter>  決定ボタンへ",
         {"<Esc>      設定破棄", "<PageUp,Down>費目選択", "<Enter>  決定ボタンへ"},
         {}},
        {" <ESC>戻る    <PageUp>+消費税 <PageDown>-消費税    入力できない文字です",
         {"<ESC>戻る", "<PageUp>+消費税", "<PageDown>-消費税"},
         {}},
        {" <ESC>終了    <F5>印刷", {"<ESC>終了"}, {"<F5>印刷"}},
        {" <ESC>終了", {"<ESC>終了", "<Enter>確定"}, {"<Enter>確定"}},
        {" <ESC>入力欄  <↑>訂正欄", {"<ESC>入力欄", "<↑>訂正"}, {"<↑>訂正欄", "<↑>訂正"}},
        {"", {"<ESC>戻る"}, {"<ESC>戻る"}},
    };
    for (const auto& c : cases) {
        KeyTable table{c.legend, {}};
        for (const char* item : c.items)
            table.keys.push_back(TakenElsewhere(item));
        const QStringList mismatches = table.LegendMismatches();
        EXPECT_EQ(mismatches.size(), c.mismatched.size()) << c.legend;
        for (const QString& item : c.mismatched)
            EXPECT_TRUE(mismatches.join(u'|').contains(item))
                << c.legend << " " << item.toStdString();
    }
}

}  // namespace
}  // namespace hanaki
