#include "ui/text_folding.h"

#include <QList>
#include <QString>

#include "data/formats/cp932.h"

namespace hanaki {
namespace {

// Each character as code page 932 gives it back once stored: what an input
// method types as 〜 (U+301C) reads back as ～ (U+FF5E), − (U+2212) as －,
// ¥ as \. A character code page 932 cannot hold stays as it is.
QString AsStored(const QString& text) {
    QString stored;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        const std::optional<std::string> bytes =
            c < 0x80 ? std::nullopt : Utf8ToCp932(one.toStdString());
        stored += bytes ? QString::fromStdString(Cp932ToUtf8(*bytes)) : one;
    }
    return stored;
}

}  // namespace

std::u32string FoldText(std::string_view utf8) {
    // Folding may leave a text NFKC would change again (a folded compatibility
    // character), or one code page 932 stores as another (NFKC makes ￥ a ¥, stored as \).
    const QString folded =
        AsStored(AsStored(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
                     .normalized(QString::NormalizationForm_KC)
                     .toCaseFolded()
                     .normalized(QString::NormalizationForm_KC));
    const QList<uint> points = folded.toUcs4();
    return std::u32string(points.begin(), points.end());
}

}  // namespace hanaki
