#include "ui/sub_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace hanaki {
namespace {

constexpr const char* kPlacedProperty = "hanakiPlacedInFrontOfOpener";
constexpr const char* kFocusFramesProperty = "hanakiShowsFocusFrames";

class OpenerReactivation : public QObject {
  public:
    OpenerReactivation(QWidget* opener, QObject* parent) : QObject(parent), opener_(opener) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::Close || event->type() == QEvent::Hide) && opener_) {
            QWidget* window = opener_->window();
            window->raise();
            window->activateWindow();
        }
        return false;
    }

  private:
    QPointer<QWidget> opener_;
};

// Installed on the application, so that it sees a shared key before the
// focused control (a text field's own Ctrl+Z) can take it.
class SharedKeyFilter : public QObject {
  public:
    SharedKeyFilter(QWidget* home, std::function<void(SharedKey, QWidget*)> act)
        : QObject(home), home_(home), act_(std::move(act)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) ||
            !watched->isWidgetType())
            return false;
        const std::optional<SharedKey> key = SharedKeyOf(*static_cast<QKeyEvent*>(event));
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (!key || !OpenedFromHome(window))
            return false;
        // Claimed as the control's own key, so that it comes as a key press.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        act_(*key, window);
        return true;
    }

  private:
    bool OpenedFromHome(QWidget* window) const {
        if (window == home_ || !window->property(kPlacedProperty).toBool())
            return false;
        for (QWidget* opener = window->parentWidget(); opener; opener = opener->parentWidget()) {
            if (opener == home_)
                return true;
        }
        return false;
    }

    QWidget* home_;
    std::function<void(SharedKey, QWidget*)> act_;
};

}  // namespace

std::optional<SharedKey> SharedKeyOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key.key() == Qt::Key_Z && modifiers == Qt::ControlModifier)
        return SharedKey::Undo;
    if ((key.key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
        (key.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)))
        return SharedKey::Redo;
    return std::nullopt;
}

void PassSharedKeysTo(QWidget* home, std::function<void(SharedKey, QWidget*)> act) {
    qApp->installEventFilter(new SharedKeyFilter(home, std::move(act)));
}

void ShowFocusFrames(QWidget* window) {
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    if (window->property(kFocusFramesProperty).toBool())
        return;
    window->setProperty(kFocusFramesProperty, true);
    // Qt forgets the keyboard's part when a window is shown or activated, and
    // would draw the frame only after Tab or an arrow key: told again at every
    // change of focus.
    QObject::connect(qApp, &QApplication::focusChanged, window, [window](QWidget*, QWidget* now) {
        if (now != nullptr && now->window() == window)
            window->setAttribute(Qt::WA_KeyboardFocusChange);
    });
}

void ShowInFrontOf(QWidget* screen, QWidget* opener) {
    bool firstShow = !screen->property(kPlacedProperty).toBool();
    ShowFocusFrames(screen);
    screen->show();
    if (firstShow) {
        // Placed after show(), when a screen sized by its layout knows its size.
        screen->setProperty(kPlacedProperty, true);
        QPoint topLeft = opener->window()->geometry().center() - screen->rect().center();
        // Kept on the screen whole, even in front of an opener larger than it.
        const QRect area = opener->window()->screen()->availableGeometry();
        topLeft.setX(
            std::max(std::min(topLeft.x(), area.right() + 1 - screen->width()), area.left()));
        topLeft.setY(
            std::max(std::min(topLeft.y(), area.bottom() + 1 - screen->height()), area.top()));
        screen->move(topLeft);
        screen->installEventFilter(new OpenerReactivation(opener, screen));
    }
    screen->raise();
    screen->activateWindow();
}

void ShowOnce(QPointer<QWidget>& screen, QWidget* opener, const std::function<QWidget*()>& make) {
    if (screen.isNull()) {
        screen = make();
        screen->setAttribute(Qt::WA_DeleteOnClose);
    }
    ShowInFrontOf(screen, opener);
}

void ShowDrawnNow(QWidget* notice) {
    notice->show();
    // The window system maps the window asynchronously; drawing before that shows nothing.
    QElapsedTimer waited;
    waited.start();
    while (!notice->windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    notice->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace hanaki
