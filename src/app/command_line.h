#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/formats/calendar.h"
#include "find/find_command.h"
#include "statement/statement_command.h"
#include "summary/summary_report.h"

namespace hanaki {

// The options that each name one piece of work; a command line names at most one.
inline constexpr std::array<std::string_view, 12> kCommandOptions = {
    "--export-csv",   "--print-month", "--summary",   "--trend",
    "--year-summary", "--find",        "--history",   "--restore-as-of",
    "--backup",       "--due",         "--enter-due", "--import-statement"};

// What `hanaki` was asked to do on its command line.
struct HanakiOptions {
    std::string dataDir;      // empty: ChooseDataFolder's choice
    std::string titlePrefix;  // from a first argument "/T…" or "-T…"
    bool hasTitlePrefix = false;
    std::optional<CivilDate> today;  // --today YYYY-MM-DD (demonstrations, tests)
    int screenHeight = 0;            // --screen-height N: size class as on that screen
    bool exportCsv = false;
    std::string exportSource;
    std::string exportDestination;
    // --print-month YYYY MM --pdf FILE
    bool printMonth = false;
    int printYear = 0;  // four digits
    int printMonthNumber = 0;
    std::string pdfPath;
    // --summary YYYY MM / --trend YYYY MM, with --csv and --encoding cp932
    std::optional<ReportRequest> report;
    // --find TEXT [--from YYYY MM] [--to YYYY MM], with --csv and --encoding cp932
    std::optional<FindRequest> find;
    // --history [--since YYYY-MM-DD] [--csv]; --restore-as-of 'YYYY-MM-DD HH:MM' --to NEWDIR;
    // --backup DEST
    bool history = false;
    std::optional<CivilDate> historySince;
    bool historyCsv = false;
    std::string restoreAsOf;
    std::string restoreTo;
    std::string backupDestination;
    // --due [--csv] lists the fixed items due up to today; --enter-due enters them
    bool due = false;
    bool enterDue = false;
    bool dueCsv = false;
    // --import-statement FILE [--dry-run] [--csv]
    std::optional<StatementRequest> statement;
    bool help = false;
    bool version = false;
    std::string error;  // a Japanese message when the arguments cannot be used
};

HanakiOptions ParseHanakiOptions(const std::vector<std::string>& args);

// "hanaki 0.9.0" and a line end.
std::string HanakiVersion();
// The version, the option list and the data folder in use, as `--help` prints them.
std::string HanakiUsage(const std::string& dataFolder);

}  // namespace hanaki
