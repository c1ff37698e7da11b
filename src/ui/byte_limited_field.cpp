#include "ui/byte_limited_field.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "ui/text_codec.h"

namespace hanaki {

namespace {

// Full-width forms an input method commits in a number field.
char32_t AsciiForm(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        return c - 0xFEE0;  // ！ … ～, digits and "－" among them
    if (c == 0x3000)
        return U' ';
    if (c == 0x30FC || c == 0x2212)
        return U'-';  // ー (a minus typed in kana mode), −
    return c;
}

// The test QLineEdit applies before it inserts a key's text (QInputControl::
// isAcceptableInput); a key it would insert must not slip past Admit.
bool InsertsText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    const auto modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

}  // namespace

ByteLimitedField::ByteLimitedField(int byteLimit, QWidget* parent)
    : QLineEdit(parent), byteLimit_(byteLimit) {
    // Every way in goes through Admit; the menu's paste and drops would not.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void ByteLimitedField::setAsciiOnly(bool on) {
    asciiOnly_ = on;
    setAttribute(Qt::WA_InputMethodEnabled, !on);
    setInputMethodHints(on ? Qt::ImhLatinOnly | Qt::ImhPreferNumbers : Qt::ImhNone);
}

void ByteLimitedField::setInputMethodOff(bool off) {
    if (inputMethodOff_ == off)
        return;
    inputMethodOff_ = off;
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// Qt asks this, not the attribute, whether an input method may compose here.
QVariant ByteLimitedField::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled && (asciiOnly_ || inputMethodOff_))
        return false;
    return QLineEdit::inputMethodQuery(query);
}

ByteLimitedField::Admitted ByteLimitedField::Admit(const QString& offered,
                                                   const QString& kept) const {
    Admitted result;
    int bytes = Cp932Length(kept);
    for (char32_t c : offered.toUcs4()) {
        if (asciiOnly_)
            c = AsciiForm(c);
        if (c < 0x20 || c == 0x7F)
            continue;  // line breaks and tabs of a pasted text
        const QString character = QString::fromUcs4(&c, 1);
        const auto encoded = ToCp932(character);
        if (!encoded || forbidden_.contains(character) || (asciiOnly_ && c > 0x7F)) {
            if (result.hint.isEmpty())
                result.hint = QStringLiteral("この文字は使えません: ") + character;
            continue;
        }
        const int length = static_cast<int>(encoded->size());
        if (byteLimit_ > 0 && bytes + length > byteLimit_) {
            if (result.hint.isEmpty())
                result.hint = QStringLiteral("これ以上入力できません");
            break;
        }
        result.text += character;
        bytes += length;
    }
    return result;
}

QString ByteLimitedField::Kept() const {
    QString kept = text();
    if (hasSelectedText())
        kept.remove(selectionStart(), selectionLength());
    return kept;
}

void ByteLimitedField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            PasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (isReadOnly() || !InsertsText(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const Admitted admitted = Admit(event->text(), Kept());
    if (!admitted.hint.isEmpty())
        emit refused(admitted.hint);
    if (admitted.text == event->text()) {
        QLineEdit::keyPressEvent(event);
    } else if (admitted.text.isEmpty()) {
        event->accept();  // a refused key is swallowed, not passed to the window
    } else {
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(), admitted.text,
                         event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&mapped);
        event->setAccepted(mapped.isAccepted());
    }
}

void ByteLimitedField::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);  // preedit only: nothing enters the text yet
        return;
    }
    // The commit replaces the selection and then the event's replacement range.
    QString kept = Kept();
    if (event->replacementLength() > 0) {
        const int cursor = hasSelectedText() ? selectionStart() : cursorPosition();
        const int start = std::clamp<int>(cursor + event->replacementStart(), 0, kept.size());
        kept.remove(start, event->replacementLength());
    }
    const Admitted admitted = Admit(commit, kept);
    if (!admitted.hint.isEmpty())
        emit refused(admitted.hint);
    if (admitted.text == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(admitted.text, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&fitted);
    event->setAccepted(fitted.isAccepted());
}

void ByteLimitedField::mouseReleaseEvent(QMouseEvent* event) {
    // X11's middle-button paste of the selection would bypass the limit.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            PasteFrom(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void ByteLimitedField::PasteFrom(QClipboard::Mode mode) {
    const QString clip = QGuiApplication::clipboard()->text(mode);
    const Admitted admitted = Admit(clip.section(QLatin1Char('\n'), 0, 0), Kept());
    if (!admitted.hint.isEmpty())
        emit refused(admitted.hint);
    if (!admitted.text.isEmpty() || hasSelectedText())
        insert(admitted.text);
}

}  // namespace hanaki

#include "moc_byte_limited_field.cpp"
