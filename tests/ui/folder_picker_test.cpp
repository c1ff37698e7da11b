#include "ui/folder_picker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <filesystem>

#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

TEST(FileNameText, ShowsEveryNameSoThatItsBytesComeBack) {
    struct Case {
        std::string bytes;
        QString text;
    };
    const Case cases[] = {
        {"家計簿 2026", QStringLiteral("家計簿 2026")},
        {".local", QStringLiteral(".local")},
        {"\x94\x5c\x8e\x71", QStringLiteral("\\x94\\\\\\x8eq")},  // 能子 in code page 932
        {"a\\x41", QStringLiteral("a\\\\x41")},
        {"line\nend\x7f", QStringLiteral("line\\x0aend\\x7f")},
        {"\xed\xa0\x80", QStringLiteral("\\xed\\xa0\\x80")},  // a surrogate
        {"\xc0\xaf", QStringLiteral("\\xc0\\xaf")},           // an overlong "/"
        {"cut\xe6\x97", QStringLiteral("cut\\xe6\\x97")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNameText(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(FileNameBytes(c.text), c.bytes) << c.bytes;
    }
}

// A picker opened on a folder "root" with the subfolders `names` (bytes).
struct Picker {
    explicit Picker(const std::vector<std::string>& names)
        : root(fs::path(temp.path().toStdString()) / "root"),
          picker(QStringLiteral("Drive1"), QStringLiteral("Dir1"), messages, nullptr) {
        for (const std::string& name : names)
            fs::create_directories(root / name);
        picker.show();
        QApplication::setActiveWindow(&picker);
        EXPECT_TRUE(picker.OpenNative(root.string()));
        list()->setFocus();
    }
    QListWidget* list() { return picker.folderList(); }
    // The rows below the open folder.
    QStringList Subfolders() {
        QStringList rows;
        const int first =
            list()->row(list()->findItems(QStringLiteral("root"), Qt::MatchExactly)[0]);
        for (int i = first + 1; i < list()->count(); ++i)
            rows << list()->item(i)->text();
        return rows;
    }
    // Keys go where the focus is, as from a keyboard.
    void Press(int key, const QString& text = {},
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        testing::Press(testing::Focused(), key, modifiers, text);
    }
    void Type(const QString& text) { testing::Type(text); }
    void Choose(const QString& row) {
        list()->setCurrentItem(list()->findItems(row, Qt::MatchExactly)[0]);
        Press(Qt::Key_Return);
    }

    QTemporaryDir temp;
    fs::path root;
    ScriptedMessages messages;
    FolderPicker picker;
};

TEST(FolderPicker, ListsHiddenFoldersLastAndNamesThatAreNotUtf8AndOpensThemByTheirBytes) {
    Picker p({"books", ".local", "Archive", "\x94\x5c\x8e\x71"});
    const QString cp932Name = QStringLiteral("\\x94\\\\\\x8eq");
    EXPECT_EQ(p.Subfolders(), (QStringList{cp932Name, QStringLiteral("Archive"),
                                           QStringLiteral("books"), QStringLiteral(".local")}));

    p.Choose(cp932Name);

    EXPECT_EQ(p.picker.folder(), (p.root / "\x94\x5c\x8e\x71").string());
    EXPECT_EQ(p.list()->currentItem()->text(), cp932Name);
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(FolderPicker, TypingTheFirstCharactersOfANameMovesToIt) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("b"), QStringLiteral("books")},
        {QStringLiteral("bu"), QStringLiteral("budget")},
        {QStringLiteral("ar"), QStringLiteral("Archive")},
        {QStringLiteral(".l"), QStringLiteral(".local")},
    };
    for (const auto& [typed, row] : cases) {
        Picker p({"books", "budget", ".local", "Archive"});
        p.Type(typed);
        EXPECT_EQ(p.list()->currentItem()->text(), row) << typed.toStdString();
    }
}

TEST(FolderPicker, ATypedOrPastedPathGoesStraightToItsFolder) {
    Picker p({"books/2026", ".local/share/hanaki"});
    const std::string hanaki = (p.root / ".local/share/hanaki").string();

    p.Type(QString::fromStdString(hanaki));
    EXPECT_EQ(QApplication::focusWidget(), p.picker.pathField());
    p.Press(Qt::Key_Return);
    EXPECT_EQ(p.picker.folder(), hanaki);
    EXPECT_EQ(QApplication::focusWidget(), p.list());

    QApplication::clipboard()->setText(QString::fromStdString((p.root / "books/2026/").string()) +
                                       "\n");
    p.Press(Qt::Key_V, {}, Qt::ControlModifier);
    EXPECT_EQ(p.picker.folder(), (p.root / "books/2026").string());

    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(p.root.string()));
    p.Type(QStringLiteral("~/.local"));
    p.Press(Qt::Key_Return);
    qputenv("HOME", home);
    EXPECT_EQ(p.picker.folder(), (p.root / ".local").string());
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(FolderPicker, SaysSoWhenAFolderCannotBeOpenedAndStaysWhereItWas) {
    Picker p({"gone"});
    fs::remove(p.root / "gone");
    p.Choose(QStringLiteral("gone"));

    const QString gone = QString::fromStdString((p.root / "gone").string());
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_EQ(p.messages.shown[0].title, QStringLiteral("フォルダを開けません"));
    EXPECT_EQ(
        p.messages.shown[0].text,
        QStringLiteral("フォルダ %1 を開けません。\n理由: ファイルまたはフォルダがありません。")
            .arg(gone));
    EXPECT_EQ(p.picker.folder(), p.root.string());

    p.Type(QStringLiteral("/no/such/folder"));
    p.Press(Qt::Key_Return);
    EXPECT_EQ(p.messages.shown.size(), 2u);
    EXPECT_EQ(p.picker.pathField()->text(), QStringLiteral("/no/such/folder"));
    EXPECT_EQ(p.picker.folder(), p.root.string());
}

}  // namespace
}  // namespace hanaki
