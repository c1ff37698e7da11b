#include "ui/input_method_off.h"

#include <QInputMethodQueryEvent>
#include <QWidget>

namespace hanaki {
namespace {

// Answers the input method's questions as the widget does, but that it takes none.
class InputMethodRefusal : public QObject {
  public:
    explicit InputMethodRefusal(QWidget* widget) : QObject(widget), widget_(widget) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_ || event->type() != QEvent::InputMethodQuery)
            return false;
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        for (unsigned bit = 1; bit != 0; bit <<= 1) {
            const auto asked = static_cast<Qt::InputMethodQuery>(query->queries().toInt() & bit);
            if (asked != 0)
                query->setValue(asked, asked == Qt::ImEnabled ? QVariant(false)
                                                              : widget_->inputMethodQuery(asked));
        }
        return true;
    }

  private:
    QWidget* widget_;
};

}  // namespace

void SwitchInputMethodOff(QWidget* widget) {
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    widget->installEventFilter(new InputMethodRefusal(widget));
}

}  // namespace hanaki
