#include <QApplication>
#include <QDate>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "data/folder_lock.h"
#include "data/program_state.h"
#include "data/stale_temporaries.h"
#include "entry/main_entry_screen.h"
#include "export/csv_export_command.h"
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

    QApplication app(argc, argv);
    InstallJapaneseTranslations(app);
    InstallFontSubstitutions();

    std::string dataDir = options.dataDir.empty()
                              ? QCoreApplication::applicationDirPath().toStdString()
                              : options.dataDir;
    DialogMessageService messages;
    // One writer per folder: a second hanaki, or a folder that is missing, is
    // turned away before any file is touched. A folder this program may not
    // write (a backup on read-only media) is opened for browsing: no lock, no
    // sweep, and every change refused.
    std::optional<FolderLock> lock;
    bool readOnly = IsReadOnlyFolder(RealFileSystem(), dataDir);
    if (!readOnly) {
        lock.emplace(dataDir, "hanaki");
        readOnly = lock->writeRefused();
        if (!lock->held() && !readOnly) {
            messages.Inform(nullptr, QString::fromStdString(LockRefusalTitle(*lock)),
                            QString::fromStdString(DescribeLockRefusal(*lock)));
            return 1;
        }
    }
    std::optional<CivilDate> fixedToday = options.today;
    ProgramState state(
        DataFolder(dataDir, RealFileSystem(),
                   readOnly ? DataFolder::Access::ReadOnly : DataFolder::Access::ReadWrite),
        [fixedToday] { return fixedToday ? *fixedToday : SystemToday(); });
    if (!readOnly)
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
