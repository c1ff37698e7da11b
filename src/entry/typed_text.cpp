#include "entry/typed_text.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace hanaki {
namespace {

// Full-width forms count as their ASCII ones (the fields take them so).
bool IsDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}
bool IsMinus(QChar c) {
    return c == u'-' || c == u'－' || c == u'ー' || c == u'−';
}

bool IsAllDigits(const QString& text) {
    for (QChar c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

}  // namespace

QChar CharacterOf(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.size() != 1 || !text.front().isPrint())
        return {};
    return text.front();
}

bool RefuseNumberText(QLineEdit* field, const QString& text) {
    if (!IsAllDigits(text))
        return true;
    // The field shows a name after a number was taken: the digit starts anew.
    if (!IsAllDigits(field->text()))
        field->clear();
    return false;
}

bool RefuseAmountText(QLineEdit* field, const QString& text, bool& prefilled) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]) && !(i == 0 && IsMinus(text[i])))
            return true;
    }
    if (prefilled) {
        field->clear();
        prefilled = false;
    }
    if (IsMinus(text.front()))
        return !field->text().isEmpty();  // "-" only as the first character
    // A digit in front of the minus would store an amount no reader takes ("5-300").
    return !field->hasSelectedText() && field->cursorPosition() == 0 &&
           field->text().startsWith(u'-');
}

long long LeadingValue(const QString& text) {
    const QString trimmed = text.trimmed();
    long long value = 0;
    int i = 0;
    const bool negative = !trimmed.isEmpty() && trimmed.front() == u'-';
    if (negative)
        ++i;
    for (; i < trimmed.size() && trimmed[i] >= u'0' && trimmed[i] <= u'9' &&
           value < 1'000'000'000'000;
         ++i)
        value = value * 10 + (trimmed[i].unicode() - u'0');
    return negative ? -value : value;
}

}  // namespace hanaki
