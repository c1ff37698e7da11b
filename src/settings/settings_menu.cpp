#include "settings/settings_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/budget_editor.h"
#include "settings/carry_over_setting_screen.h"
#include "settings/category_editor.h"
#include "ui/fonts.h"
#include "ui/sub_screen.h"

namespace hanaki {

SettingsMenu::SettingsMenu(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services) {
    setObjectName("Form12");
    setWindowTitle(QStringLiteral("設定メニュー"));
    const QFont font = GothicFont(services_.metrics.below600() ? 9 : 12);

    categoryButton_ = new QPushButton(QStringLiteral("1. 費目設定   "), this);
    categoryButton_->setObjectName("Command1");
    budgetButton_ = new QPushButton(QStringLiteral("2. 予算設定   "), this);
    budgetButton_->setObjectName("Command2");
    carryOverButton_ = new QPushButton(QStringLiteral("3. 自動繰越   "), this);
    carryOverButton_->setObjectName("Command3");
    legend_ = new QLabel(
        QStringLiteral("   <Esc>設定終了    <1,2,3>直接選択      <↑↓>カーソル移動    <Enter>決定"),
        this);
    legend_->setObjectName("Label1");
    legend_->setFont(font);

    auto* layout = new QVBoxLayout(this);
    int choice = 1;
    for (QPushButton* button : {categoryButton_, budgetButton_, carryOverButton_}) {
        button->setFont(font);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, choice] { Choose(choice); });
        layout->addWidget(button);
        ++choice;
    }
    layout->addWidget(legend_);
    categoryButton_->setFocus();
}

bool SettingsMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text == u'1' || text == u'2' || text == u'3') {  // <1,2,3>直接選択
        Choose(text.front().digitValue());
        return true;
    }
    switch (key->key()) {
        case Qt::Key_Escape:  // <Esc>設定終了
            close();
            return true;
        case Qt::Key_Up:  // <↑↓>カーソル移動
            focusPreviousChild();
            return true;
        case Qt::Key_Down:
            focusNextChild();
            return true;
        case Qt::Key_Return:  // <Enter>決定
        case Qt::Key_Enter:
            static_cast<QPushButton*>(watched)->click();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;  // the buttons' own tab order
        default:
            return true;  // other keys do nothing
    }
}

void SettingsMenu::Choose(int choice) {
    switch (choice) {
        case 1:
            Open(categoryEditor_, [this] {
                auto* editor = new CategoryEditor(state_, services_, this);
                connect(editor, &QDialog::accepted, this, &SettingsMenu::categoriesSaved);
                return editor;
            });
            break;
        case 2:
            Open(budgetEditor_, [this] { return new BudgetEditor(state_, services_, this); });
            break;
        case 3:
            Open(carryOverSetting_,
                 [this] { return new CarryOverSettingScreen(state_, services_, this); });
            break;
        default:
            break;
    }
}

void SettingsMenu::Open(QPointer<QDialog>& screen, const std::function<QDialog*()>& make) {
    if (screen.isNull()) {
        screen = make();
        screen->setAttribute(Qt::WA_DeleteOnClose);
    }
    ShowInFrontOf(screen, this);
}

}  // namespace hanaki
