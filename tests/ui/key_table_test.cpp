#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>

#include "ui/key_table.h"

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

}  // namespace
}  // namespace hanaki
