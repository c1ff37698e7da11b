#pragma once

#include <ostream>
#include <string>

namespace hanaki {

// `hanaki --print-month YYYY MM --pdf FILE`: the printout of accounting month
// YYYY/MM, with its memos, as a PDF at FILE, written crash-safely. Needs a
// QGuiApplication. Messages are UTF-8. Returns the exit code: 0 written, 1 the
// month has no items or a file could not be read or written (FILE untouched),
// or damaged records were left out of the printout (counted on `err`).
int RunPrintMonthCommand(const std::string& dataDir, int year, int month,
                         const std::string& pdfPath, std::ostream& err);

}  // namespace hanaki
