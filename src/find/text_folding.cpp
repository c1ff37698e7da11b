#include "find/text_folding.h"

#include <QList>
#include <QString>

#include "data/formats/cp932.h"

namespace hanaki {
namespace {

bool IsHalfWidthVoicedMark(char byte) {
    return static_cast<unsigned char>(byte) == 0xDE || static_cast<unsigned char>(byte) == 0xDF;
}

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

Cp932Folding::Cp932Folding() : table_(0x10000) {
    for (int byte = 0; byte < 256; ++byte)
        leadBytes_[static_cast<std::size_t>(byte)] =
            IsCp932LeadByte(static_cast<unsigned char>(byte));
}

const Cp932Folding::Entry& Cp932Folding::Learn(Entry& entry, std::string_view character) {
    const std::u32string folded = FoldText(Cp932ToUtf8(character));
    entry.offset = static_cast<std::uint32_t>(folded_.size());
    entry.length = static_cast<std::uint16_t>(folded.size());
    entry.known = true;
    folded_ += folded;
    return entry;
}

void Cp932Folding::Fold(std::string_view cp932, std::u32string& out) {
    out.clear();
    const std::size_t size = cp932.size();
    for (std::size_t i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        std::size_t length = leadBytes_[lead] && i + 1 < size ? 2 : 1;
        std::uint32_t code =
            length == 2 ? lead * 256u + static_cast<unsigned char>(cp932[i + 1]) : lead;
        const Entry* entry;
        if (i + length < size && IsHalfWidthVoicedMark(cp932[i + length])) {
            const std::uint32_t key = code * 2 + (cp932[i + length] & 1);
            ++length;
            Entry& marked = marked_[key];
            entry = marked.known ? &marked : &Learn(marked, cp932.substr(i, length));
        } else {
            Entry& plain = table_[code];
            entry = plain.known ? &plain : &Learn(plain, cp932.substr(i, length));
        }
        out.append(folded_.data() + entry->offset, entry->length);
        i += length;
    }
}

}  // namespace hanaki
