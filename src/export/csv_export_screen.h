#pragma once

#include <QWidget>

#include "data/program_state.h"
#include "ui/services.h"

namespace hanaki {

// F8: writes every ledger file of a folder as CSV into another folder.
class CsvExportScreen : public QWidget {
    Q_OBJECT
public:
    CsvExportScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);

private:
    ProgramState& state_;
    Services& services_;
};

}  // namespace hanaki
