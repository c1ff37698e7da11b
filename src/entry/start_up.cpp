#include "entry/start_up.h"

#include "data/formats/entry_options.h"
#include "data/formats/settings.h"
#include "entry/entry_screens.h"
#include "ui/io_failure.h"

namespace hanaki {
namespace {

// A folder opened for reading only cannot be given the file it lacks.
bool RefuseMissingInReadOnlyFolder(const ProgramState& state, Services& services, QWidget* window,
                                   const QString& file) {
    if (!state.folder.readOnly())
        return false;
    services.messages.Inform(window, QStringLiteral("読み取り専用"),
                             QStringLiteral("データフォルダが読み取り専用のため、%1を作れません。\n"
                                            "書き込めるフォルダで起動してください。")
                                 .arg(file));
    return true;
}

bool LoadCategoryMaster(ProgramState& state, Services& services, EntryScreens& screens,
                        QWidget* window) {
    if (!state.folder.Exists(kCategoryFileName)) {
        if (RefuseMissingInReadOnlyFolder(state, services, window,
                                          QStringLiteral("費目ファイル(Veradiv.Dat)")))
            return false;
        if (!services.messages.Confirm(
                window, QStringLiteral("新規作成"),
                QStringLiteral("費目ファイル(Veradiv.Dat)がありません。新規作成しますか？")))
            return false;
        if (!screens.RunFirstRunCategoryEditor(window))
            return false;
    }
    const IoResult loaded = LoadCategoryTable(state.folder, state.categories);
    if (!loaded.ok()) {
        // Going on without the master would let the editor save an empty one over it.
        ReportIoFailure(services.messages, window, QStringLiteral("ファイルエラー"), *loaded.error);
        return false;
    }
    if (state.categories.CategoryCount() == 0) {
        // An empty or damaged master would count every item as income and let
        // the editor save an empty table over it.
        services.messages.Inform(
            window, QStringLiteral("ファイルエラー"),
            QStringLiteral("費目ファイル(Veradiv.Dat)に読み取れる費目がありません。\n"
                           "ファイルを確かめてから起動してください。"));
        return false;
    }
    return true;
}

bool LoadSettingsFile(ProgramState& state, Services& services, EntryScreens& screens,
                      QWidget* window) {
    if (!state.folder.Exists(kSettingsFileName) &&
        (RefuseMissingInReadOnlyFolder(state, services, window,
                                       QStringLiteral("設定ファイル(Veradiv.Env)")) ||
         !screens.RunFirstRunClosingDay(window)))
        return false;
    SettingsReading reading;
    const IoResult loaded = LoadSettings(state.folder, state.settings, reading);
    if (!loaded.ok()) {
        // A guessed closing day would file items under the wrong months.
        ReportIoFailure(services.messages, window, QStringLiteral("ファイルエラー"), *loaded.error);
        return false;
    }
    if (reading.closingDayInvalid) {
        services.messages.Inform(
            window, QStringLiteral("締め日"),
            QStringLiteral(
                "設定ファイル(Veradiv.Env)の締め日が正しくないため、31日(月末)として扱います。"));
    }
    if (reading.form == SettingsForm::ClosingDayOnly) {
        if (!state.folder.readOnly())  // its answer could not be kept
            screens.RunFirstRunCarryOver(window);
        for (int category = 1; category <= kMaxCategories; ++category)
            state.settings.summaryFlags[category] = 1;
    }
    return true;
}

}  // namespace

bool LoadMasterAndSettings(ProgramState& state, Services& services, EntryScreens& screens,
                           QWidget* window) {
    if (!LoadCategoryMaster(state, services, screens, window) ||
        !LoadSettingsFile(state, services, screens, window))
        return false;
    // The entry options only change keys; an unreadable file leaves the defaults.
    if (!LoadEntryOptions(state.folder, state.entryOptions).ok())
        state.entryOptions = {};
    return true;
}

}  // namespace hanaki
