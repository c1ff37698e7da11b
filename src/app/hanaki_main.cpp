#include <QApplication>
#include <QDate>
#include <ctime>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/help_sections.h"
#include "app/history_commands.h"
#include "app/program_screens.h"
#include "app/session_end.h"
#include "app/start_up.h"
#include "app/window_identity.h"
#include "data/disk/folder_lock.h"
#include "data/disk/folder_paths.h"
#include "data/disk/io_result.h"
#include "data/disk/stale_temporaries.h"
#include "data/history/history_pruning.h"
#include "data/history/history_store.h"
#include "data/program/program_state.h"
#include "entry/main_entry_screen.h"
#include "export/csv_export_command.h"
#include "fixed/due_command.h"
#include "monthly/print_month_command.h"
#include "statement/statement_command.h"
#include "summary/summary_report.h"
#include "ui/fonts.h"
#include "ui/translations.h"

using namespace hanaki;

namespace {

CivilDate SystemToday() {
    QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

constexpr const char* kSeeHelp = "使い方は hanaki --help で表示されます。\n";

// The default data folder could not be made: say why rather than call it missing.
std::string FolderNotMade(const std::string& path, int error) {
    return "データフォルダ " + path +
           " を作れませんでした。\n理由: " + DescribeErrno(error, IoStep::Create) + "。";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    HanakiOptions options = ParseHanakiOptions(args);
    if (!options.error.empty()) {
        std::cerr << options.error << "\n" << kSeeHelp;
        return 2;
    }
    DataFolderChoice folder = ChooseDataFolder(options.dataDir);
    if (options.help || options.version) {
        std::cout << (options.help ? HanakiUsage(folder.path) : HanakiVersion());
        return FinishStandardOutput(0, std::cerr);
    }
    if (options.history) {
        const int code = RunHistoryCommand(folder.path, options.historySince, options.historyCsv,
                                           std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (!options.restoreAsOf.empty()) {
        const int code = RunRestoreAsOfCommand(folder.path, options.restoreAsOf, options.restoreTo,
                                               std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (!options.backupDestination.empty()) {
        const int code =
            RunBackupCommand(folder.path, options.backupDestination, std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    // The reports and the printout only read the folder in use.
    if (options.report) {  // before any Qt: the reports need no display
        const int code = RunReportCommand(folder.path, *options.report, std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (options.find) {
        const int code = RunFindCommand(folder.path, *options.find, std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (options.due || options.enterDue) {
        const int code = RunDueCommand(folder.path, {options.enterDue, options.dueCsv},
                                       options.today.value_or(SystemToday()), std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (options.statement) {
        const int code =
            RunStatementCommand(folder.path, *options.statement,
                                options.today.value_or(SystemToday()), std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    if (options.printMonth) {
        // The printout needs fonts, not a display.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        SilenceQtNotes();
        QGuiApplication app(argc, argv);
        InstallFontSubstitutions();
        const int code = RunPrintMonthCommand(folder.path, options.printYear,
                                              options.printMonthNumber, options.pdfPath, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }
    // A household's accounts are private: the folder hanaki makes itself is 0700.
    const int madeError = folder.inUserDataHome ? MakePrivateFolder(folder.path) : 0;
    if (options.exportCsv) {
        if (madeError != 0) {
            std::cerr << FolderNotMade(folder.path, madeError) << "\n";
            return 1;
        }
        const int code = RunCsvExportCommand(folder.path, options.exportSource,
                                             options.exportDestination, std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }

    if (!HasDisplay()) {
        std::cerr << NoDisplayMessage("hanaki") << "\n";
        return 1;
    }
    QApplication app(argc, argv);
    TieWindowsToLauncher(QStringLiteral("org.hanaki.Hanaki"));
    InstallJapaneseTranslations(app);
    InstallHelpKey(app, HanakiHelpSections());
    InstallFontSubstitutions();
    // Before the lock is taken: from here on the end of the session releases it.
    SessionEnd session;

    const std::string& dataDir = folder.path;
    DialogMessageService boxes;
    StartUpMessages messages(boxes);
    if (madeError != 0) {
        messages.Inform(nullptr, QStringLiteral("データフォルダがありません"),
                        QString::fromStdString(FolderNotMade(folder.path, madeError)));
        return 1;
    }
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
    // A folder without this program's lock is not the one it opened.
    state.folder.WatchPresence(readOnly ? std::string_view() : kLockFileName);
    if (!readOnly) {
        RemoveStaleTemporaryFiles(state.folder);
        KeepHistory(state.folder);
        PruneHistory(state.folder, std::time(nullptr));
    }
    Services services{messages, ScreenMetrics(options.screenHeight)};

    ProgramScreens screens(state, services);
    MainEntryScreen screen(state, services, screens);
    EndWithSession(session, screen);
    if (options.hasTitlePrefix)
        screen.SetTitlePrefix(QString::fromLocal8Bit(options.titlePrefix));
    if (!screen.StartUp())
        return 1;
    messages.Started();
    screen.show();
    screens.StartedUp(screen);
    const int code = app.exec();
    lock.reset();
    session.PassOn();
    return code;
}
