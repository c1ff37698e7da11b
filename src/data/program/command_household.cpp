#include "data/program/command_household.h"

#include <sys/stat.h>

#include <cerrno>

namespace hanaki {
namespace {

// True when `loaded` succeeded; else its message goes to `err`.
bool OkOrTold(const IoResult& loaded, std::ostream& err) {
    if (!loaded.ok())
        err << DescribeIoError(*loaded.error) << "\n";
    return loaded.ok();
}

}  // namespace

bool DataFolderFoundForCommand(const DataFolder& folder, std::ostream& err) {
    struct stat st;
    if (::stat(folder.path().c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    err << "データフォルダ " << folder.path() << " がありません。\n";
    return false;
}

bool LoadCategoriesForCommand(const DataFolder& folder, CategoryTable& categories,
                              std::ostream& err) {
    if (!DataFolderFoundForCommand(folder, err))
        return false;
    IoResult loaded = LoadCategoryTable(folder, categories);
    if (!loaded.ok() && loaded.error->code == ENOENT) {
        err << "データフォルダ " << folder.path() << " に費目ファイル " << kCategoryFileName
            << " がありません。\n";
        return false;
    }
    // An empty or binary file is no master: nothing could be summed by it.
    if (loaded.ok() && categories.CategoryCount() == 0)
        loaded = IoResult::Fail(IoStep::Read, kNoCategory, folder.PathOf(kCategoryFileName));
    return OkOrTold(loaded, err);
}

bool LoadHouseholdForCommand(const DataFolder& folder, CategoryTable& categories,
                             Settings& settings, std::ostream& err) {
    if (!LoadCategoriesForCommand(folder, categories, err))
        return false;
    SettingsReading reading;
    IoResult loaded = LoadSettings(folder, settings, reading);
    if (!loaded.ok() && loaded.error->code == ENOENT) {
        settings = Settings{};
        err << "データフォルダ " << folder.path() << " に設定ファイル " << kSettingsFileName
            << " がないため、締め日は月末、予算なし、すべての費目を集計する設定で続けます。\n";
        return true;
    }
    return OkOrTold(loaded, err);
}

}  // namespace hanaki
