#include "ui/button_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hanaki {

ButtonMenu::ButtonMenu(QWidget* parent, const QFont& font)
    : QWidget(parent, Qt::Window), font_(font), layout_(new QVBoxLayout(this)) {}

void ButtonMenu::AddButton(const char* name, const QString& caption, QChar digit,
                           std::function<void()> choose) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(font_);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, std::move(choose));
    layout_->addWidget(button);
    if (!digit.isNull())
        digits_.push_back({digit, button});
    if (layout_->count() == 1)
        button->setFocus();
}

void ButtonMenu::AddLegend(const char* name, const QString& text) {
    auto* legend = new QLabel(text, this);
    legend->setObjectName(name);
    legend->setFont(font_);
    layout_->addWidget(legend);
}

bool ButtonMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    for (const TypedDigit& typed : digits_) {
        if (text == typed.digit) {
            typed.button->click();
            return true;
        }
    }
    switch (key->key()) {
        case Qt::Key_Escape:
            close();
            return true;
        case Qt::Key_Up:
            focusPreviousChild();
            return true;
        case Qt::Key_Down:
            focusNextChild();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            static_cast<QPushButton*>(watched)->click();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            return true;
    }
}

}  // namespace hanaki
