#include "data/formats/entry_options.h"

#include <cerrno>

#include "data/disk/text_lines.h"
#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"

namespace hanaki {
namespace {

// "1桁で次へ" in code page 932.
const std::string& OneDigitName() {
    static const std::string name = Utf8ToCp932("1桁で次へ").value_or("");
    return name;
}

}  // namespace

EntryOptions ParseEntryOptions(std::string_view bytes) {
    EntryOptions options;
    for (const std::string& read : SplitLines(bytes)) {
        const std::string_view line = read;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        if (TrimBlanks(line.substr(0, equals)) == OneDigitName())
            options.oneDigitMovesOn = TrimBlanks(line.substr(equals + 1)).starts_with('1');
    }
    return options;
}

std::string SerializeEntryOptions(const EntryOptions& options) {
    return OneDigitName() + (options.oneDigitMovesOn ? "=1\r\n" : "=0\r\n");
}

IoResult LoadEntryOptions(const DataFolder& folder, EntryOptions& options) {
    std::string bytes;
    IoResult result = folder.Read(kEntryOptionsFileName, bytes);
    if (!result.ok() && result.error->code == ENOENT && result.error->refusal == IoRefusal::None) {
        options = {};
        return IoResult::Ok();
    }
    if (result.ok())
        options = ParseEntryOptions(bytes);
    return result;
}

IoResult SaveEntryOptions(const DataFolder& folder, const EntryOptions& options) {
    return folder.Replace(kEntryOptionsFileName, SerializeEntryOptions(options));
}

}  // namespace hanaki
