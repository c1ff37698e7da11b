#include "ui/button_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hanaki {

ButtonMenu::ButtonMenu(QWidget* parent, const QFont& font)
    : QWidget(parent, Qt::Window), font_(font), layout_(new QVBoxLayout(this)) {}

void ButtonMenu::AddButton(const char* name, const QString& caption, const char* digit,
                           std::function<void()> choose) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(font_);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, std::move(choose));
    layout_->addWidget(button);
    if (digit != nullptr)
        digitKeys_.push_back({digit, "", [button] { button->click(); }});
    if (layout_->count() == 1)
        button->setFocus();
}

void ButtonMenu::AddLegend(const char* name, const char* text, const char* closing,
                           const char* choosing) {
    legend_ = text;
    closing_ = closing;
    choosing_ = choosing;
    auto* legend = new QLabel(QString::fromUtf8(text), this);
    legend->setObjectName(name);
    legend->setFont(font_);
    layout_->addWidget(legend);
}

KeyTable ButtonMenu::KeysNow() {
    return Keys(qobject_cast<QPushButton*>(focusWidget()));
}

KeyTable ButtonMenu::Keys(QPushButton* focused) {
    std::vector<KeyBinding> keys = digitKeys_;
    for (KeyBinding& digit : keys)
        digit.legend = choosing_;
    keys.insert(keys.end(), {{{Qt::Key_Escape}, closing_, [this] { close(); }},
                             {{Qt::Key_Up}, "<↑↓>カーソル移動", [this] { focusPreviousChild(); }},
                             {{Qt::Key_Down}, "<↑↓>カーソル移動", [this] { focusNextChild(); }},
                             {kEnterKeys, "<Enter>決定", [focused] { focused->click(); }}});
    return {legend_, std::move(keys)};
}

bool ButtonMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;  // the buttons' own order
    Keys(static_cast<QPushButton*>(watched)).Run(key);
    return true;  // any other key does nothing
}

}  // namespace hanaki

#include "moc_button_menu.cpp"
