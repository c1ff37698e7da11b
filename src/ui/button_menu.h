#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/key_table.h"

class QPushButton;
class QVBoxLayout;

namespace hanaki {

// A small window of numbered buttons one under the other, a legend below them.
// Its keys: a button's digit typed anywhere in the window chooses that button,
// ↑/↓ move between the buttons, Enter presses the one with the focus, Esc
// closes the window, Tab keeps the buttons' own order; any other key does nothing.
class ButtonMenu : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    KeyTable KeysNow() override;

  protected:
    // The buttons and the legend are drawn in `font`.
    ButtonMenu(QWidget* parent, const QFont& font);

    // The next button down; the first one added has the focus. `digit` typed
    // chooses it too; a button without one (nullptr) is chosen by Enter or a
    // click only.
    void AddButton(const char* name, const QString& caption, const char* digit,
                   std::function<void()> choose);
    // The legend under the buttons, naming the keys of Keys: `closing` is its
    // item for Esc ("<Esc>設定終了"), `choosing` the one for the digits.
    void AddLegend(const char* name, const char* text, const char* closing, const char* choosing);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyTable Keys(QPushButton* focused);

    const QFont font_;
    QVBoxLayout* layout_;
    std::vector<KeyBinding> digitKeys_;
    const char* legend_ = "";
    const char* closing_ = "";
    const char* choosing_ = "";
};

}  // namespace hanaki
