#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "ui/byte_limited_field.h"

namespace hanaki {
namespace {

// A field with a record of the hints it gave.
struct Field {
    explicit Field(int limit, const QString& text = {}) : widget(limit) {
        widget.setText(text);
        QObject::connect(&widget, &ByteLimitedField::refused,
                         [this](const QString& hint) { hints << hint; });
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               const QString& text = {}) {
        testing::Press(&widget, key, modifiers, text);
    }
    void Type(const QString& text) { testing::Type(&widget, text); }
    void Compose(const QString& commit, const QString& preedit = {}) {
        testing::Commit(&widget, commit, preedit);
    }

    ByteLimitedField widget;
    QStringList hints;
};

enum class Way { Type, Preedit, Commit, Paste };

struct Offer {
    Way way;
    const char* before;
    const char* offered;
    const char* after;
    const char* hint;
};

TEST(ByteLimitedField, TakesWhatFitsInFiveBytesAndSaysWhy) {
    const char* full = "これ以上入力できません";
    const Offer offers[] = {
        {Way::Type, "abcd", "e", "abcde", ""},
        {Way::Type, "abcd", "あ", "abcd", full},  // a double-byte character needs two bytes
        {Way::Type, "abcあ", "f", "abcあ", full},
        {Way::Type, "", "ｱｲｳｴｵｶ", "ｱｲｳｴｵ", full},
        {Way::Type, "ab", "😀", "ab", "この文字は使えません: 😀"},
        {Way::Preedit, "abcde", "にほんご", "abcde", ""},
        {Way::Commit, "ab", "いろは", "abい", full},
        {Way::Commit, "ab", "😀あ", "abあ", "この文字は使えません: 😀"},
        {Way::Commit, "ab", "𠮷家", "ab家", "この文字は使えません: 𠮷"},
        {Way::Commit, "ab", "a,b", "abab", "この文字は使えません: ,"},
        {Way::Paste, "a", "あいうえお\n2行目", "aあい", full},
    };
    for (const Offer& o : offers) {
        Field field(5, QString::fromUtf8(o.before));
        field.widget.setForbiddenCharacters(QStringLiteral(","));
        const QString offered = QString::fromUtf8(o.offered);
        switch (o.way) {
            case Way::Type:
                field.Type(offered);
                break;
            case Way::Preedit:
                field.Compose({}, offered);
                break;
            case Way::Commit:
                field.Compose(offered);
                break;
            case Way::Paste:
                QGuiApplication::clipboard()->setText(offered);
                field.Press(Qt::Key_V, Qt::ControlModifier);
                break;
        }
        const QStringList hints = *o.hint ? QStringList{QString::fromUtf8(o.hint)} : QStringList{};
        EXPECT_EQ(field.widget.text(), QString::fromUtf8(o.after))
            << o.before << " + " << o.offered;
        EXPECT_EQ(field.hints, hints) << o.before << " + " << o.offered;
    }
}

TEST(ByteLimitedField, AFullFieldStillEditsAndReplacesItsSelection) {
    Field field(4, QStringLiteral("家計"));
    field.Press(Qt::Key_Backspace);
    field.Type(QStringLiteral("簿"));
    field.Press(Qt::Key_Home);
    field.Press(Qt::Key_Delete);
    EXPECT_EQ(field.widget.text(), QStringLiteral("簿"));
    field.widget.selectAll();
    field.Type(QStringLiteral("x"));
    EXPECT_EQ(field.widget.text(), QStringLiteral("x"));
    EXPECT_TRUE(field.hints.isEmpty());
}

TEST(ByteLimitedField, AsciiOnlyFieldTakesFullWidthDigitsAsAscii) {
    Field field(8);
    field.widget.setAsciiOnly(true);
    EXPECT_FALSE(field.widget.testAttribute(Qt::WA_InputMethodEnabled));
    field.Compose(QStringLiteral("－１２"));
    field.Type(QStringLiteral("３ーあ"));
    field.Compose(QStringLiteral("−4"));
    EXPECT_EQ(field.widget.text(), QStringLiteral("-123--4"));
    EXPECT_EQ(field.hints, QStringList{QStringLiteral("この文字は使えません: あ")});
}

}  // namespace
}  // namespace hanaki
