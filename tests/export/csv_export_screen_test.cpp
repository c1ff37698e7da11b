#include "export/csv_export_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "ledger_files.h"
#include "support/cp932_text.h"
#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"
#include "support/tab_stops.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

// A program whose data folder holds `ledgers`, with a subfolder "out" for the CSV files.
struct Program {
    explicit Program(const std::vector<std::string>& ledgers, FileSystem& files = RealFileSystem())
        : root(temp.path().toStdString()),
          state(DataFolder((root / "data").string(), files),
                [] {
                    return CivilDate{1999, 5, 26};
                }),
          services{messages, ScreenMetrics(768)} {
        fs::create_directories(root / "data" / "out");
        fs::create_directories(root / "data" / "ledgers");
        WriteFile(root / "data" / "ledgers" / "199905.DAT", "");
        WriteFile(root / "data" / "ledgers" / "VERADIV.DAT", "");  // the master: never exported
        for (const std::string& name : ledgers)
            WriteFile(root / "data" / name,
                      Record("990526", "02", "食費", "02", "昼食", "-850", ""));
        state.categories = Categories();
        screen = std::make_unique<CsvExportScreen>(state, services);
        screen->show();
    }

    template <typename Widget = QWidget>
    Widget* Control(const char* name) {
        return screen->findChild<Widget*>(QString::fromUtf8(name));
    }
    void Press(const char* control, int key) {
        QWidget* widget = Control(control);
        widget->setFocus();
        testing::Press(widget, key);
    }
    // Enter on the row of a folder list that shows `folder`.
    void Open(const char* list, const QString& folder) {
        auto* rows = Control<QListWidget>(list);
        for (int i = 0; i < rows->count(); ++i) {
            if (rows->item(i)->text().trimmed() == folder)
                rows->setCurrentRow(i);
        }
        ASSERT_EQ(rows->currentItem()->text().trimmed(), folder);
        Press(list, Qt::Key_Return);
    }
    QStringList SourceFiles() {
        QStringList files;
        auto* list = Control<QListWidget>("File1");
        for (int i = 0; i < list->count(); ++i)
            files << list->item(i)->text();
        return files;
    }

    QTemporaryDir temp;
    fs::path root;
    ScriptedMessages messages;
    ProgramState state;
    Services services;
    std::unique_ptr<CsvExportScreen> screen;
};

TEST(CsvExportScreen, OffersConversionOnlyWhileTheSourceListsAFile) {
    Program program({});
    auto* convert = program.Control<QPushButton>("Command1");
    EXPECT_EQ(program.screen->windowTitle(), QStringLiteral("データ変換"));
    EXPECT_TRUE(program.SourceFiles().isEmpty());
    EXPECT_FALSE(convert->isEnabled());

    program.Open("Dir1", QStringLiteral("ledgers"));
    EXPECT_EQ(program.SourceFiles(), QStringList{QStringLiteral("199905.DAT")});
    EXPECT_TRUE(convert->isEnabled());

    program.Open("Dir1", QStringLiteral("data"));
    EXPECT_FALSE(convert->isEnabled());
}

TEST(CsvExportScreen, TabGoesThroughTheLeftSideThenTheRight) {
    Program program({"199905.DAT"});
    QStringList visited{program.screen->focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        testing::Press(program.screen->focusWidget(), Qt::Key_Tab);
        visited << program.screen->focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              (QStringList{"Dir1", "File1", "Command2", "Drive2", "Dir2", "Command1", "Drive1"}));
}

TEST(CsvExportScreen, EscapeClosesFromEveryControl) {
    for (const char* control : {"Drive1", "Dir1", "File1", "Command2", "Dir2", "Command1"}) {
        Program program({"199905.DAT"});
        program.Press(control, Qt::Key_Escape);
        EXPECT_FALSE(program.screen->isVisible()) << control;
        EXPECT_TRUE(program.messages.shown.empty()) << control;
    }
}

TEST(CsvExportScreen, TheArrowButtonDoesNothing) {
    Program program({"199905.DAT"});
    program.Open("Dir2", QStringLiteral("out"));
    program.Press("Command2", Qt::Key_Return);
    EXPECT_TRUE(program.screen->isVisible());
    EXPECT_TRUE(program.messages.shown.empty());
    EXPECT_TRUE(Names(program.root / "data" / "out").empty());
}

TEST(CsvExportScreen, RefusesTheSameFolderOnBothSidesAndStaysOpen) {
    Program program({"199905.DAT"});
    program.Press("Command1", Qt::Key_Return);
    ASSERT_EQ(program.messages.shown.size(), 1u);
    EXPECT_EQ(program.messages.shown[0].title, QStringLiteral("パスが同一です。"));
    EXPECT_EQ(program.messages.shown[0].text,
              QStringLiteral("パスが同一です。右のパスを変えて下さい。"));
    EXPECT_TRUE(program.screen->isVisible());
    EXPECT_FALSE(fs::exists(program.root / "data" / "199905.CSV"));
}

TEST(CsvExportScreen, EnterOnConvertWritesEveryMonthReportsTheCountAndCloses) {
    Program program({"199904.DAT", "199905.DAT"});
    program.Open("Dir2", QStringLiteral("out"));
    program.Press("Command1", Qt::Key_Return);

    ASSERT_EQ(program.messages.shown.size(), 1u);
    EXPECT_EQ(program.messages.shown[0].title, QStringLiteral("Convert completed!"));
    EXPECT_EQ(program.messages.shown[0].text, QStringLiteral("2個のデータをコンバートしました。"));
    EXPECT_FALSE(program.screen->isVisible());
    EXPECT_EQ(Names(program.root / "data" / "out"),
              (std::vector<std::string>{"199904.CSV", "199905.CSV"}));
    EXPECT_EQ(ReadFile(program.root / "data" / "out" / "199905.CSV"),
              Heading() + Sjis("\"99/05/26\",2,\"食費\",2,\"昼食\",\"\",850,\"\"\r\n"));
}

TEST(CsvExportScreen, IntoAFolderThatCannotBeWrittenShowsOneBoxForTheRunThenTheCount) {
    RefusingFileSystem refusing(".CSV");
    Program program({"199903.DAT", "199904.DAT", "199905.DAT"}, refusing);
    WriteFile(program.root / "data" / "out" / "199904.CSV", "older");
    program.Open("Dir2", QStringLiteral("out"));
    program.Press("Command1", Qt::Key_Return);

    const QString out = QString::fromStdString((program.root / "data" / "out").string());
    ASSERT_EQ(program.messages.shown.size(), 2u);
    EXPECT_EQ(program.messages.shown[0].title, QStringLiteral("書き出せなかったファイル"));
    EXPECT_EQ(program.messages.shown[0].text,
              QStringLiteral("0個のファイルを書き出し、3個は書き出せませんでした。\n最初の失敗:\n"
                             "ファイル %1/199903.CSV に書き込めませんでした。\n"
                             "理由: ディスクの空きがありません。")
                  .arg(out));
    EXPECT_EQ(program.messages.shown[1].text, QStringLiteral("0個のデータをコンバートしました。"));
    EXPECT_EQ(ReadFile(program.root / "data" / "out" / "199904.CSV"), "older");
}

// Notes the notice windows on the screen whenever a ledger file is read.
class WatchingFileSystem : public PosixFileSystem {
  public:
    int ReadAll(const std::string& path, std::string& bytes) override {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("Form5") && window->isVisible())
                notices << QStringLiteral("%1 %2x%3")
                               .arg(window->windowTitle())
                               .arg(window->width())
                               .arg(window->height());
        }
        return PosixFileSystem::ReadAll(path, bytes);
    }
    QStringList notices;
};

TEST(CsvExportScreen, ShowsTheNoticeWhileWritingAndClosesItBeforeTheCount) {
    WatchingFileSystem files;
    Program program({"199904.DAT", "199905.DAT"}, files);
    program.Open("Dir2", QStringLiteral("out"));
    program.Press("Command1", Qt::Key_Return);

    // 5250 x 1600 twips.
    EXPECT_EQ(files.notices, QStringList(2, QStringLiteral("Now Converting! 350x107")));
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == QStringLiteral("Form5") && window->isVisible());
    ASSERT_EQ(program.messages.shown.size(), 1u);
}

// Finding a folder by keyboard needs to see where Tab went, and which keys act.
TEST(CsvExportScreen, FramesEveryTabStopAndShowsTheKeysInALegend) {
    Program program({"199905.DAT"});
    ShowActive(*program.screen);
    EXPECT_EQ(FramedTabStops(*program.screen, 7),
              QStringList({"File1", "Command2", "Drive2", "Dir2", "Command1", "Drive1", "Dir1"}));
    auto* legend = program.Control<QLabel>("Legend");
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->isVisible());
    for (const char* key : {"<Tab>", "<↑↓>", "<Enter>", "<Esc>"})
        EXPECT_TRUE(legend->text().contains(QString::fromUtf8(key))) << key;
}

}  // namespace
}  // namespace hanaki
