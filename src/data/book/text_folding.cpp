#include "data/book/text_folding.h"

#include "data/formats/cp932.h"

namespace hanaki {
namespace {

bool IsHalfWidthVoicedMark(char byte) {
    return static_cast<unsigned char>(byte) == 0xDE || static_cast<unsigned char>(byte) == 0xDF;
}

}  // namespace

Cp932Folding::Cp932Folding(TextFold fold) : fold_(fold) {
    for (int byte = 0; byte < 256; ++byte)
        leadBytes_[static_cast<std::size_t>(byte)] =
            IsCp932LeadByte(static_cast<unsigned char>(byte));
}

const Cp932Folding::Entry& Cp932Folding::Learn(Entry& entry, std::string_view character) {
    const std::u32string folded = fold_(Cp932ToUtf8(character));
    entry.offset = static_cast<std::uint32_t>(folded_.size());
    entry.length = static_cast<std::uint16_t>(folded.size());
    entry.known = true;
    folded_ += folded;
    return entry;
}

Cp932Folding::Entry& Cp932Folding::EntryOf(std::uint32_t code) {
    std::unique_ptr<Page>& page = pages_[code >> 8];
    if (!page)
        page = std::make_unique<Page>();
    return (*page)[code & 0xFF];
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
            Entry& plain = EntryOf(code);
            entry = plain.known ? &plain : &Learn(plain, cp932.substr(i, length));
        }
        out.append(folded_.data() + entry->offset, entry->length);
        i += length;
    }
}

}  // namespace hanaki
