#include "export/csv_export_command.h"

#include <filesystem>
#include <system_error>

#include "data/disk/data_folder.h"
#include "data/disk/folder_paths.h"
#include "data/formats/category_table.h"
#include "data/program/command_household.h"
#include "export/csv_export.h"

namespace hanaki {
namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace

int RunCsvExportCommand(const std::string& dataDir, const std::string& source,
                        const std::string& destination, std::ostream& out, std::ostream& err) {
    if (IsSameFolder(source, destination)) {
        err << "変換元と変換先が同じフォルダです。別のフォルダを指定してください。\n";
        return 2;
    }
    const DataFolder data(dataDir, RealFileSystem());
    CategoryTable categories;
    if (!LoadCategoriesForCommand(data, categories, err))
        return 1;
    if (!IsFolder(source)) {
        err << "変換元のフォルダ " << source << " がありません。\n";
        return 1;
    }
    if (!IsFolder(destination)) {
        err << "変換先のフォルダ " << destination << " がありません。\n";
        return 1;
    }

    CsvExportResult result = ExportFolderToCsv(RealFileSystem(), source, destination, categories);
    for (const std::string& failure : result.failures)
        err << failure << "\n";
    for (const std::string& skip : result.skips)
        err << skip << "\n";
    out << ConvertedMessage(result) << "\n";
    return result.failures.empty() && result.skips.empty() ? 0 : 1;
}

}  // namespace hanaki
