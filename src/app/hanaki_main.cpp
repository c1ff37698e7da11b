#include <QApplication>
#include <QDate>
#include <filesystem>
#include <iostream>

#include "app/command_line.h"
#include "data/folder_lock.h"
#include "data/program_state.h"
#include "data/stale_temporaries.h"
#include "entry/main_entry_screen.h"
#include "export/csv_export_command.h"
#include "summary/summary_report.h"
#include "ui/fonts.h"
#include "ui/translations.h"

using namespace hanaki;

namespace {

CivilDate SystemToday() {
    QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    HanakiOptions options = ParseHanakiOptions(args);
    if (!options.error.empty()) {
        std::cerr << options.error << "\n" << HanakiUsage();
        return 2;
    }
    if (options.help) {
        std::cout << HanakiUsage();
        return 0;
    }
    if (options.exportCsv) {
        return RunCsvExportCommand(options.dataDir.empty() ? "." : options.dataDir,
                                   options.exportSource, options.exportDestination, std::cout,
                                   std::cerr);
    }
    if (options.report) {  // before any Qt: the reports need no display
        // The window's folder when none is given: the one that holds the program.
        std::error_code unknown;
        const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", unknown);
        const std::string folder = !options.dataDir.empty() ? options.dataDir
                                   : unknown                ? std::string(".")
                                                            : program.parent_path().string();
        return RunReportCommand(folder, *options.report, std::cout, std::cerr);
    }

    QApplication app(argc, argv);
    InstallJapaneseTranslations(app);
    InstallFontSubstitutions();

    std::string dataDir = options.dataDir.empty()
                              ? QCoreApplication::applicationDirPath().toStdString()
                              : options.dataDir;
    std::optional<CivilDate> fixedToday = options.today;
    ProgramState state(DataFolder(dataDir, RealFileSystem()),
                       [fixedToday] { return fixedToday ? *fixedToday : SystemToday(); });
    DialogMessageService messages;
    // One writer per folder: a second hanaki, or a folder that is missing or
    // cannot be written, is turned away before any file is touched.
    FolderLock lock(dataDir, "hanaki");
    if (!lock.held()) {
        messages.Inform(nullptr, "hanaki", QString::fromStdString(DescribeLockRefusal(lock)));
        return 1;
    }
    RemoveStaleTemporaryFiles(state.folder);
    Services services{messages, ScreenMetrics(options.screenHeight)};

    MainEntryScreen screen(state, services);
    if (options.hasTitlePrefix)
        screen.SetTitlePrefix(QString::fromLocal8Bit(options.titlePrefix));
    if (!screen.StartUp())
        return 0;
    screen.show();
    return app.exec();
}
