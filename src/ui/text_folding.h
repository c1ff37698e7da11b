#pragma once

#include <string>
#include <string_view>

// The fold of the find rule and the remark memory, on Qt's Unicode tables:
// each character as code page 932 stores it, NFKC, then case folding.
// Cp932Folding (data/book/text_folding.h) folds stored text with it.
namespace hanaki {

// UTF-8 text, folded.
std::u32string FoldText(std::string_view utf8);

}  // namespace hanaki
