#include "export/csv_export_screen.h"

namespace hanaki {

CsvExportScreen::CsvExportScreen(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services) {
    setObjectName("Form6");
}

}  // namespace hanaki
