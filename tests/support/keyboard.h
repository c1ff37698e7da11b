#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QWidget>
#include <string>

#include "data/book/romaji.h"

// The one keyboard of the GUI tests: every key is pressed and released as a
// keyboard does, shortcuts first; an input method commits its text whole.
namespace hanaki::testing {

// Shows a screen as the active window, so that keys reach the widget with the
// focus and the focus is shown.
inline void ShowActive(QWidget& screen) {
    screen.show();
    screen.activateWindow();
    QApplication::setActiveWindow(&screen);
    QCoreApplication::processEvents();
}

inline QWidget* Focused() {
    return QApplication::focusWidget();
}

// `text` for a key whose character is not its own (an input method left on).
inline void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString& text = {}) {
    if (text.isEmpty())
        QTest::keyClick(widget, Qt::Key(key), modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(key), text, modifiers);
}
inline void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(Focused(), key, modifiers);
}

// A release alone, of a key whose press went to a window that has gone since.
inline void Release(QWidget* widget, int key) {
    QTest::keyRelease(widget, Qt::Key(key));
}

// One key per character; a character off the keyboard's ASCII keys comes as
// the text of an unknown key, as an input method left on sends it.
inline void TypeCharacter(QWidget* widget, char32_t c) {
    if (c < 0x80)
        QTest::keyClick(widget, static_cast<char>(c));
    else
        Press(widget, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
}
inline void Type(QWidget* widget, const QString& text) {
    for (char32_t c : text.toUcs4())
        TypeCharacter(widget, c);
}
// Each character to the widget that has the focus by then: the first may move it.
inline void Type(const QString& text) {
    for (char32_t c : text.toUcs4())
        TypeCharacter(Focused(), c);
}

// Text an input method commits, with `preedit` still being composed after it.
inline void Commit(QWidget* widget, const QString& text, const QString& preedit = {}) {
    QInputMethodEvent event(preedit, {});
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
inline void Commit(const QString& text) {
    Commit(Focused(), text);
}

// Whether the input method sees the keys of `object`, asked as Qt asks.
inline bool TakesInputMethod(QObject* object) {
    if (object == nullptr)
        return false;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(object, &query);
    return query.value(Qt::ImEnabled).toBool();
}

// An input method switched on in kana mode. Where the focus takes an input
// method, each key changes the composition, shown as underlined preedit; Enter
// commits it. Where it takes none, keys come as keys. A focus change during a
// composition commits it where it was composed, as Qt asks of every input method.
class InputMethod : public QObject {
  public:
    InputMethod() {
        connect(qApp, &QGuiApplication::focusObjectChanged, this, [this](QObject* now) {
            if (!romaji_.isEmpty() && now != composingIn_.data())
                End(Kana(), composingIn_);
        });
    }

    void Type(const QString& keys) {
        for (char32_t c : keys.toUcs4()) {
            QObject* focus = QGuiApplication::focusObject();
            if (!TakesInputMethod(focus)) {
                TypeCharacter(Focused(), c);
                continue;
            }
            romaji_ += QString::fromUcs4(&c, 1);
            composingIn_ = focus;
            const QString preedit = Kana();
            QInputMethodEvent event(
                preedit,
                {{QInputMethodEvent::TextFormat, 0, static_cast<int>(preedit.size()), QVariant()},
                 {QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1, QVariant()}});
            QApplication::sendEvent(focus, &event);
        }
    }
    // Commits the composition; with none, Enter is a key.
    void Enter() {
        if (romaji_.isEmpty())
            Press(Qt::Key_Return);
        else
            End(Kana(), composingIn_);
    }
    QString Composing() const { return romaji_.isEmpty() ? QString() : Kana(); }

  private:
    void End(const QString& commit, QPointer<QObject> target) {
        romaji_.clear();
        if (target == nullptr)
            return;
        QInputMethodEvent event;
        event.setCommitString(commit);
        QApplication::sendEvent(target, &event);
    }
    // The program's romaji table; a digit or sign becomes its full-width form.
    QString Kana() const {
        QString kana;
        std::string letters;
        const auto read = [&kana, &letters] {
            const RomajiReading reading = ReadRomaji(letters);
            kana +=
                QString::fromStdU32String(reading.kana) + QString::fromStdString(reading.pending);
            letters.clear();
        };
        for (QChar c : romaji_) {
            if (c.isLetter() || c == u'-' || c == u'\'') {
                letters += static_cast<char>(c.unicode());
                continue;
            }
            read();
            kana += c == u'/'    ? QChar(u'・')
                    : c == u'\\' ? QChar(u'￥')
                                 : QChar(c.unicode() + 0xFEE0);
        }
        read();
        return kana;
    }

    QString romaji_;
    QPointer<QObject> composingIn_;
};

}  // namespace hanaki::testing
