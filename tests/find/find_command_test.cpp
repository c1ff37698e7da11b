#include "find/find_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/command_line.h"
#include "data/formats/fixed_field.h"
#include "support/cp932_text.h"
#include "support/ledger_records.h"
#include "support/temp_folder.h"

namespace hanaki::testing {
namespace {

std::string Record(const std::string& date, int category, const std::string& categoryName,
                   int description, const std::string& descriptionName, const std::string& amount,
                   const std::string& remark) {
    return RecordBytes({date, TwoDigits(category), categoryName, TwoDigits(description),
                        descriptionName, amount, remark});
}

// Two months the query reaches: a remark typed through an input method (〜 and
// − as it sends them) and a description in full-width katakana.
void WriteHousehold(const TempFolder& dir) {
    dir.Write("VERADIV.DAT",
              Sjis("+給料\r\n月給\r\n-食費\r\n朝食,夕食\r\n-車両費\r\nガソリン,保険\r\n"));
    dir.Write("202601.DAT",
              Record("260120", 3, "車両費", 1, "ガソリン", "-5000", "ＡＢＣスタンド"));
    dir.Write("202602.DAT", Record("260201", 2, "食費", 2, "夕食", "-12345", "〜特売 −20%"));
}

struct Outcome {
    int exit = -1;
    std::string out;
    std::string err;
};

// As `hanaki --data-dir DIR ARGS` answers, its usage text aside.
Outcome RunHanaki(const TempFolder& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--data-dir", dir.path()});
    const HanakiOptions options = ParseHanakiOptions(args);
    if (!options.error.empty())
        return {2, "", options.error + "\n"};
    std::ostringstream out, err;
    const int exit = RunFindCommand(options.dataDir, *options.find, out, err);
    return {exit, out.str(), err.str()};
}

// A script in a Shift_JIS locale passes the text in code page 932: it finds
// what the same text in UTF-8 finds. Bytes that are neither are refused.
TEST(FindCommand, aTextInCodePage932IsReadAsTextAndOtherBytesAreRefused) {
    TempFolder dir;
    WriteHousehold(dir);
    for (const std::string utf8 : {"〜特売", "ｶﾞｿﾘﾝ"}) {
        const Outcome sjis = RunHanaki(dir, {"--find", Sjis(utf8), "--from", "2026", "1"});
        const Outcome expected = RunHanaki(dir, {"--find", utf8, "--from", "2026", "1"});
        EXPECT_EQ(sjis.exit, 0) << utf8;
        EXPECT_EQ(sjis.out, expected.out) << utf8;
    }
    for (const std::string& bytes :
         {std::string("\xFF\xFE"), std::string("\x81"), Sjis("特売") + "\xA0"}) {
        const Outcome refused = RunHanaki(dir, {"--find", bytes});
        EXPECT_EQ(refused.exit, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(
            refused.err,
            "--find の文字を読み取れません。UTF-8 か Shift_JIS (cp932) で指定してください。\n");
    }
}

}  // namespace
}  // namespace hanaki::testing
