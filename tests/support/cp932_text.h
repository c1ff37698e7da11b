#pragma once

#include <string>

#include "data/formats/cp932.h"

namespace hanaki::testing {

// Code page 932 bytes of a UTF-8 literal, as the program's files hold text; text
// that is not UTF-8 or has no code page 932 form throws, never reads garbage.
inline std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8).value();
}

}  // namespace hanaki::testing
