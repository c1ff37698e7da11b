#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "find/find_command.h"

// `hanaki --find` as one whole process, for timing from outside against cat:
// the same options and the same command, without the screens hanaki links.
//   find_command_once --data-dir DIR --find TEXT [--csv]
int main(int argc, char** argv) {
    using namespace hanaki;
    const HanakiOptions options =
        ParseHanakiOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty() || !options.find) {
        std::cerr << options.error << "\n";
        return 2;
    }
    return RunFindCommand(options.dataDir, *options.find, std::cout, std::cerr);
}
