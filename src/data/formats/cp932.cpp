#include "data/formats/cp932.h"

#include <iconv.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace hanaki {
namespace {

// One conversion descriptor per call keeps the functions free of shared state.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; `in` advances past what was converted.
    // Returns 0 when everything was converted, or the errno that stopped it.
    int Run(std::string_view& in, std::string& out) {
        char buffer[512];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = rc == static_cast<size_t>(-1) ? errno : 0;
            out.append(buffer, dst - buffer);
            in.remove_prefix(in.size() - srcLeft);
            if (err != 0 && err != E2BIG)
                return err;
        }
        return 0;
    }

  private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    if (!converter.valid())
        return std::nullopt;
    std::string out;
    if (converter.Run(utf8, out) != 0)
        return std::nullopt;
    return out;
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    std::string out;
    if (!converter.valid())
        return out;
    while (converter.Run(utf8, out) != 0 && !utf8.empty()) {
        out += '?';
        utf8.remove_prefix(std::min(Utf8SequenceLength(utf8.front()), utf8.size()));
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    std::string out;
    if (!converter.valid())
        return out;
    out.reserve(cp932.size());
    // ASCII is the same in both: only the runs of other characters go through
    // iconv, which a report of mostly blanks and digits would otherwise wait on.
    while (!cp932.empty()) {
        std::size_t ascii = 0;
        while (ascii < cp932.size() && static_cast<unsigned char>(cp932[ascii]) < 0x80)
            ++ascii;
        out.append(cp932.substr(0, ascii));
        cp932.remove_prefix(ascii);
        std::size_t other = 0;
        while (other < cp932.size() && static_cast<unsigned char>(cp932[other]) >= 0x80)
            other += IsCp932LeadByte(cp932[other]) && other + 1 < cp932.size() ? 2 : 1;
        std::string_view run = cp932.substr(0, other);
        cp932.remove_prefix(run.size());
        while (converter.Run(run, out) != 0 && !run.empty()) {
            out += "\xEF\xBF\xBD";  // U+FFFD
            std::size_t skip = IsCp932LeadByte(run.front()) && run.size() > 1 ? 2 : 1;
            run.remove_prefix(skip);
        }
    }
    return out;
}

Cp932Decoder::Cp932Decoder() : table_(0x10000) {}

const Cp932Decoder::Utf8Character& Cp932Decoder::Learn(Utf8Character& entry,
                                                       std::string_view character) {
    std::string utf8 = Cp932ToUtf8(character);
    if (utf8.size() > entry.bytes.size())
        utf8 = "\xEF\xBF\xBD";  // U+FFFD, should iconv ever give more
    std::memcpy(entry.bytes.data(), utf8.data(), utf8.size());
    entry.length = static_cast<std::uint8_t>(utf8.size());
    return entry;
}

std::string_view Cp932Decoder::Decode(std::string_view cp932) {
    // A byte of code page 932 becomes three of UTF-8 at most.
    if (decoded_.size() < cp932.size() * 3)
        decoded_.resize(cp932.size() * 3);
    char* to = decoded_.data();
    const char* from = cp932.data();
    const char* const end = from + cp932.size();
    while (from < end) {
        // Eight ASCII bytes at a time: most of a line is blanks and digits.
        std::uint64_t word;
        while (end - from >= 8 && (std::memcpy(&word, from, 8), (word & 0x8080808080808080) == 0)) {
            std::memcpy(to, from, 8);
            from += 8;
            to += 8;
        }
        if (from == end)
            break;
        const auto lead = static_cast<unsigned char>(*from);
        if (lead < 0x80) {
            *to++ = *from++;
            continue;
        }
        const std::size_t length = IsCp932LeadByte(lead) && end - from > 1 ? 2 : 1;
        const std::size_t code =
            length == 2 ? lead * 256u + static_cast<unsigned char>(from[1]) : lead;
        Utf8Character& entry = table_[code];
        const Utf8Character& known =
            entry.length != 0 ? entry : Learn(entry, std::string_view(from, length));
        std::memcpy(to, known.bytes.data(), 3);
        to += known.length;
        from += length;
    }
    return std::string_view(decoded_.data(), static_cast<std::size_t>(to - decoded_.data()));
}

}  // namespace hanaki
