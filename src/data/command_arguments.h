#pragma once

#include <string>
#include <vector>

namespace hanaki {

// The arguments with every "--name=value" given as "--name" and "value", so
// that both spellings of an option with a value mean the same.
std::vector<std::string> SplitAttachedValues(const std::vector<std::string>& args);

}  // namespace hanaki
