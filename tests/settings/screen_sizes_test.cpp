#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "household.h"
#include "settings/budget_editor.h"
#include "settings/carry_over_setting_screen.h"
#include "settings/category_editor.h"
#include "settings/closing_day_dialog.h"
#include "settings/settings_menu.h"
#include "support/screen_fit.h"

namespace hanaki::testing {
namespace {

TEST(SettingsScreens, showEveryControlAndLegendWholeOnEachScreenSize) {
    Household home;
    home.UseCategories("+給料\r\n基本給,賞与\r\n-食費\r\n朝食,昼食\r\n");
    home.UseSettings(" 25 \r\n1,1\r\n");
    using Make = std::function<QWidget*(Services&)>;
    const std::vector<std::pair<const char*, Make>> screens{
        {"settings menu", [&](Services& s) { return new SettingsMenu(home.state, s); }},
        {"closing-day dialog", [&](Services& s) { return new ClosingDayDialog(home.state, s); }},
        {"carry-over setting",
         [&](Services& s) { return new CarryOverSettingScreen(home.state, s); }},
        {"category editor", [&](Services& s) { return new CategoryEditor(home.state, s); }},
        {"budget editor", [&](Services& s) { return new BudgetEditor(home.state, s); }},
    };
    for (const ScreenClass& size : kScreenClasses) {
        Services services{home.messages, ScreenMetrics(size.height)};
        for (const auto& [name, make] : screens) {
            SCOPED_TRACE(std::string(name) + " at " + std::to_string(size.width) + "×" +
                         std::to_string(size.height));
            std::unique_ptr<QWidget> screen(make(services));
            screen->show();
            ExpectWholeWithin(*screen, {size.width, size.height});
        }
    }
}

TEST(ClosingDayDialog, theFieldCoversOnlyTheBlanksBeforeTheDayAtEveryTypeSize) {
    for (int height : {480, 768}) {
        SCOPED_TRACE(height);
        Household home;
        Services services{home.messages, ScreenMetrics(height)};
        ClosingDayDialog dialog(home.state, services);
        auto* explanation = Child<QLabel>(dialog, "Label2");
        auto* field = Child<QLineEdit>(dialog, "Text1");
        const QFontMetrics metrics(explanation->font());
        const int textLeft = explanation->x() + explanation->contentsRect().x();
        EXPECT_GE(field->x(), textLeft + metrics.horizontalAdvance(" 毎月"));
        EXPECT_LE(field->geometry().right(), textLeft + metrics.horizontalAdvance(" 毎月      　"));
        // Both notes on the second line, whole.
        EXPECT_GE(
            explanation->contentsRect().width(),
            metrics.horizontalAdvance("(月末は31として下さい)          (29,30日は設定できません)"));
    }
}

}  // namespace
}  // namespace hanaki::testing
