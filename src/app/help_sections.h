#pragma once

#include <vector>

#include "ui/help_key.h"

class QApplication;

namespace hanaki {

// Each screen's section of the user guide, for F1.
std::vector<HelpSection> HanakiHelpSections();
std::vector<HelpSection> TsugiteHelpSections();

// F1 for every window of the program, with the guide looked for beside the program.
void InstallHelpKey(QApplication& app, std::vector<HelpSection> sections);

}  // namespace hanaki
