#include "export/csv_export_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "ledger_files.h"
#include "support/cp932_text.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

TEST(ExportCsvCommand, ExitsWithTheCodeAndMessageOfEachOutcome) {
    struct Case {
        const char* name;
        const char* data;
        const char* source;
        const char* destination;
        int code;
        const char* out;
        const char* err;  // the start of standard error
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"a record left out",
         "data",
         "src",
         "dst",
         1,
         "1個のデータをコンバートしました。\n",
         "ファイル ",
         {"199905.CSV"}},
        {"same folder",
         "data",
         "src",
         "src/",
         2,
         "",
         "変換元と変換先が同じフォルダです。別のフォルダを指定してください。\n",
         {}},
        {"missing source", "data", "none", "dst", 1, "", "変換元のフォルダ ", {}},
        {"missing destination", "data", "src", "none", 1, "", "変換先のフォルダ ", {}},
        {"no category file", "src", "src", "dst", 1, "", "データフォルダ ", {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        fs::create_directories(root / "data");
        fs::create_directories(root / "src");
        fs::create_directories(root / "dst");
        WriteFile(root / "data" / "VERADIV.DAT", Sjis(kCategoryFile));
        WriteFile(root / "src" / "199905.DAT",
                  Record("990526", "02", "食費", "02", "昼食", "-850", "") +
                      Record("990527", "99", "食費", "02", "昼食", "-850", ""));
        std::ostringstream out, err;

        int code = RunCsvExportCommand((root / c.data).string(), (root / c.source).string(),
                                       (root / c.destination).string(), out, err);

        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(out.str(), c.out) << c.name;
        EXPECT_EQ(err.str().substr(0, std::string(c.err).size()), c.err) << c.name;
        EXPECT_EQ(c.code != 0, !err.str().empty()) << c.name;
        EXPECT_EQ(Names(root / "dst"), c.written) << c.name;
        EXPECT_EQ(Names(root / "src"), std::vector<std::string>{"199905.DAT"}) << c.name;
    }
}

}  // namespace
}  // namespace hanaki
