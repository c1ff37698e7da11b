#include <gtest/gtest.h>

#include "support/qt_printers.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

TEST(TextCodec, EncodesLikeWindowsAndReadsBack) {
    struct Case {
        const char* text;
        std::string bytes;
        const char* readBack;
    };
    const Case cases[] = {
        {"家計簿 a1", "\x89\xc6\x8c\x76\x95\xeb\x20\x61\x31", "家計簿 a1"},
        {"ｱｲ", "\xb1\xb2", "ｱｲ"},
        {"〜", "\x81\x60", "～"},  // the wave dash shares 81 60 with the full-width tilde
        {"−", "\x81\x7c", "－"},   // the minus sign shares 81 7C with the full-width hyphen-minus
        {"¥", "\x5c", "\\"},
        {"①㈱", "\x87\x40\x87\x8a", "①㈱"},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ToCp932(text), c.bytes) << c.text;
        EXPECT_EQ(Cp932Length(text), static_cast<int>(c.bytes.size())) << c.text;
        EXPECT_EQ(FromCp932(c.bytes), QString::fromUtf8(c.readBack)) << c.text;
    }
}

TEST(TextCodec, FindsWhatCodePage932CannotHold) {
    EXPECT_EQ(ToCp932(QStringLiteral("家😀")), std::nullopt);
    EXPECT_EQ(FirstUnencodable(QStringLiteral("家計簿")), QString());
    EXPECT_EQ(FirstUnencodable(QStringLiteral("家𠮷😀")), QStringLiteral("𠮷"));
    EXPECT_EQ(Cp932Length(QStringLiteral("aあ😀")), 5);
}

}  // namespace
}  // namespace hanaki
