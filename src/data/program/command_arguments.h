#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hanaki {

// The arguments with every "--name=value" given as "--name" and "value", so
// that both spellings of an option with a value mean the same.
std::vector<std::string> SplitAttachedValues(const std::vector<std::string>& args);

// The refusal of an empty value (`--data-dir ''`, `--backup=`), which a
// script's unset variable gives: "--backup に空の値は指定できません。"
std::string EmptyValueMessage(std::string_view option);

}  // namespace hanaki
