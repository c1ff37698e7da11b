#include <gtest/gtest.h>

#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "entry_window.h"
#include "support/keyboard.h"

namespace hanaki {
namespace {

using testing::EntryWindow;
using testing::InputMethod;
using testing::ShowActive;

// The "\" key with the input method on (any composition it shows confirmed),
// and a "￥" the input method commits.
void OpenCalculatorComposed(EntryWindow&, InputMethod& on) {
    on.Type("\\");
    if (!on.Composing().isEmpty())
        on.Enter();  // what shows underlined is confirmed
}
void OpenCalculatorCommitted(EntryWindow& window, InputMethod&) {
    window.Commit("￥");
}

TEST(InputMethodTyping, TheCalculatorTakesKeysFromTheMomentItOpens) {
    for (auto open : {OpenCalculatorComposed, OpenCalculatorCommitted}) {
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        ShowActive(*window.screen);
        window.Press(Qt::Key_Return);
        window.Enter({"2", "1"});
        InputMethod on;
        open(window, on);
        ASSERT_EQ(window.FocusName(), "Text10");
        on.Type("100/4");
        EXPECT_EQ(on.Composing(), "");
        on.Enter();  // one Enter calculates
        EXPECT_EQ(window.Text("Text10"), "25");
        on.Enter();
        EXPECT_EQ(window.Text("Text5"), "25");
    }
}

// What a field shows equals what it shows once told no composition is open.
bool ShowsOnlyItsText(QWidget* field) {
    const QImage shown = field->grab().toImage();
    QInputMethodEvent none;
    QApplication::sendEvent(field, &none);
    return shown == field->grab().toImage();
}

TEST(InputMethodTyping, ACharacterUsedAsAKeyLeavesNoTraceInItsField) {
    struct Case {
        const char* name;
        std::vector<const char*> fields;  // entered before the key
        const char* typed;                // in the field before the key
        const char* key;
        const char* field;     // where the key was typed
        const char* openedIn;  // where the focus goes
    };
    const Case cases[] = {
        {"the memo from the category field", {}, "", "/", "Text1", "Text11"},
        {"the calculator from the expense field", {"2", "1"}, "21", "\\", "Text5", "Text10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntryWindow window;
        ASSERT_TRUE(window.Start());
        ShowActive(*window.screen);
        window.Press(Qt::Key_Return);
        for (const char* text : c.fields)
            window.Enter({text});
        window.Type(c.typed);
        InputMethod on;
        on.Type(c.key);
        if (!on.Composing().isEmpty())
            on.Enter();  // what shows underlined is confirmed
        ASSERT_EQ(window.FocusName(), c.openedIn);
        EXPECT_TRUE(ShowsOnlyItsText(window.screen->findChild<QLineEdit*>(c.field)));
    }
}

}  // namespace
}  // namespace hanaki
