#include "ui/text_codec.h"

#include <QList>

#include "data/formats/cp932.h"

namespace hanaki {

QString FromCp932(std::string_view bytes) {
    return QString::fromStdString(Cp932ToUtf8(bytes));
}

std::optional<std::string> ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

int Cp932Length(const QString& text) {
    if (auto bytes = ToCp932(text))
        return static_cast<int>(bytes->size());
    int length = 0;
    for (char32_t c : text.toUcs4()) {
        auto bytes = ToCp932(QString::fromUcs4(&c, 1));
        length += bytes ? static_cast<int>(bytes->size()) : 2;
    }
    return length;
}

QString FirstUnencodable(const QString& text) {
    if (ToCp932(text))
        return {};
    for (char32_t c : text.toUcs4()) {
        QString character = QString::fromUcs4(&c, 1);
        if (!ToCp932(character))
            return character;
    }
    return {};
}

}  // namespace hanaki
