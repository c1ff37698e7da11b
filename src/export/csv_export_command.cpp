#include "export/csv_export_command.h"

namespace hanaki {

int RunCsvExportCommand(const std::string&, const std::string&, const std::string&, std::ostream&,
                        std::ostream& err) {
    err << "not yet\n";
    return 1;
}

}  // namespace hanaki
