#pragma once

#include <QWidget>

#include "data/program_state.h"
#include "ui/services.h"

namespace hanaki {

// The home window: one day of the current accounting month, its items and the
// month's totals, and the fields to enter an item.
class MainEntryScreen : public QWidget {
    Q_OBJECT
public:
    MainEntryScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);

    // The rest of a first argument "/T…": the title becomes prefix, ten blanks,
    // "( ", the standard title and " )".
    void SetTitlePrefix(const QString& prefix);

    // Loads the master and the settings (running the first-run steps when they
    // are missing), places today and shows the day. False: the program ends.
    bool StartUp();

private:
    ProgramState& state_;
    Services& services_;
};

}  // namespace hanaki
