#include "settings/category_cell_rules.h"

#include "data/formats/category_table.h"
#include "ui/text_codec.h"

namespace hanaki {

qsizetype LeadingBlanks(const QString& text) {
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == u' ')
        ++blanks;
    return blanks;
}

NoLeadingSign::NoLeadingSign(std::function<void()> refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State NoLeadingSign::validate(QString& text, int&) const {
    const QStringView rest = QStringView(text).mid(LeadingBlanks(text));
    if (rest.startsWith(u'+') || rest.startsWith(u'-')) {
        refused_();
        return Invalid;
    }
    return Acceptable;
}

QString FitName(const QString& text) {
    QString fitted;
    int bytes = 0;
    for (char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        bytes += Cp932Length(character);
        if (bytes > static_cast<int>(kNameBytes))
            break;
        fitted += character;
    }
    return fitted;
}

}  // namespace hanaki
