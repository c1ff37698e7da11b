#include "settings/settings_menu.h"

#include <QPushButton>

#include "settings/budget_editor.h"
#include "settings/carry_over_setting_screen.h"
#include "settings/category_editor.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/sub_screen.h"

namespace hanaki {

SettingsMenu::SettingsMenu(ProgramState& state, Services& services, QWidget* parent,
                           OpenScreen openHistory, OpenScreen openFixedItems,
                           OpenStatement openStatement)
    : ButtonMenu(parent, GothicFont(services.metrics.below600() ? 9 : 12)),
      state_(state),
      services_(services),
      openHistory_(std::move(openHistory)),
      openFixedItems_(std::move(openFixedItems)),
      openStatement_(std::move(openStatement)) {
    setObjectName("Form12");
    setWindowTitle(QStringLiteral("設定メニュー"));
    // The keys are ButtonMenu's: <Esc>, a button's digit, <↑↓>, <Enter>. Each
    // screen opens modeless; one already open is brought to the front instead.
    AddButton("Command1", QStringLiteral("1. 費目設定   "), "1", [this] {
        ShowOnce(categoryEditor_, this, [this] {
            auto* editor = new CategoryEditor(state_, services_, this);
            connect(editor, &QDialog::accepted, this, &SettingsMenu::categoriesSaved);
            return editor;
        });
    });
    AddButton("Command2", QStringLiteral("2. 予算設定   "), "2", [this] {
        ShowOnce(budgetEditor_, this, [this] { return new BudgetEditor(state_, services_, this); });
    });
    AddButton("Command3", QStringLiteral("3. 自動繰越   "), "3", [this] {
        ShowOnce(carryOverSetting_, this,
                 [this] { return new CarryOverSettingScreen(state_, services_, this); });
    });
    AddButton("Command4", QStringLiteral("4. 変更履歴   "), "4", [this] {
        if (openHistory_)
            ShowOnce(historyScreen_, this, [this] { return openHistory_(this); });
    });
    AddButton("Command5", QStringLiteral("5. 定期項目   "), "5", [this] {
        if (openFixedItems_)
            ShowOnce(fixedItems_, this, [this] { return openFixedItems_(this); });
    });
    // The one entry option, off unless chosen: its state is in its caption.
    AddButton("Command6", OneDigitCaption(state_.entryOptions.oneDigitMovesOn), "6",
              [this] { ToggleOneDigit(); });
    AddButton("Command7", QStringLiteral("7. 明細取込   "), "7", [this] {
        if (openStatement_)
            openStatement_(this);
    });
    AddLegend("Label1", "   <Esc>設定終了    <1～7>直接選択       <↑↓>カーソル移動    <Enter>決定",
              "<Esc>設定終了", "<1～7>直接選択");
}

QString SettingsMenu::OneDigitCaption(bool on) {
    return on ? QStringLiteral("6. 1桁の番号で次へ: 入") : QStringLiteral("6. 1桁の番号で次へ: 切");
}

void SettingsMenu::ToggleOneDigit() {
    EntryOptions options = state_.entryOptions;
    options.oneDigitMovesOn = !options.oneDigitMovesOn;
    if (ReportedIoFailure(services_.messages, this, windowTitle(),
                          SaveEntryOptions(state_.folder, options)))
        return;
    state_.entryOptions = options;
    findChild<QPushButton*>("Command6")->setText(OneDigitCaption(options.oneDigitMovesOn));
}

}  // namespace hanaki

#include "moc_settings_menu.cpp"
