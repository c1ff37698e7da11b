#include "data/program/command_arguments.h"

namespace hanaki {

std::vector<std::string> SplitAttachedValues(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        if (arg.starts_with("--") && equals != std::string::npos && equals > 2) {
            split.push_back(arg.substr(0, equals));
            split.push_back(arg.substr(equals + 1));
        } else {
            split.push_back(arg);
        }
    }
    return split;
}

std::string EmptyValueMessage(std::string_view option) {
    return std::string(option) + " に空の値は指定できません。";
}

}  // namespace hanaki
