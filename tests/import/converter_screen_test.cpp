#include "import/converter_screen.h"
#include "data/history/history_store.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "data/disk/folder_lock.h"
#include "foreign_folder.h"
#include "import/converter_closing_day_dialog.h"
#include "support/cp932_text.h"
#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"
#include "support/tab_stops.h"

namespace hanaki {
namespace {

using namespace hanaki::testing;
namespace fs = std::filesystem;

QStringList Rows(QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text().trimmed();
    return rows;
}

// tsugite's window on a foreign folder "src" and a destination "dst".
struct Converter {
    Converter()
        : root(temp.path().toStdString()),
          source(root / "src"),
          destination(root / "dst"),
          services{messages, ScreenMetrics(768)} {
        fs::create_directories(source);
        fs::create_directories(destination);
        screen = std::make_unique<ConverterScreen>(services, RealFileSystem());
        QObject::connect(screen.get(), &ConverterScreen::programEnds, [this] { ended = true; });
        screen->OpenSource(QString::fromStdString(source.string()));
        screen->OpenDestination(QString::fromStdString(destination.string()));
        screen->show();
    }

    template <typename Widget = QWidget>
    Widget* Control(const char* name) {
        return screen->findChild<Widget*>(QString::fromUtf8(name));
    }

    // Presses "コンバート実行" and answers the closing-day dialog with `keys`.
    void Convert(const std::vector<int>& keys) {
        QTimer::singleShot(0, [this, keys] {
            auto* dialog =
                qobject_cast<ConverterClosingDayDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
            dialogOpenedWith << field->text();
            for (int key : keys)
                Press(field, key);
        });
        auto* button = Control<QPushButton>("Command1");
        button->setFocus();
        Press(button, Qt::Key_Return);
    }

    std::vector<std::string> Destination() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(destination)) {
            if (entry.path().filename() != kHistoryFolderName)
                files.push_back(entry.path().filename().string() + ":" + ReadFile(entry.path()));
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    QStringList Shown() const {
        QStringList shown;
        for (const auto& message : messages.shown)
            shown << message.title + "|" + message.text;
        return shown;
    }

    QTemporaryDir temp;
    fs::path root, source, destination;
    ScriptedMessages messages;
    Services services;
    std::unique_ptr<ConverterScreen> screen;
    QStringList dialogOpenedWith;
    bool ended = false;
};

const std::vector<int> kAcceptMonthEnd = {Qt::Key_Return};

TEST(ConverterScreen, OffersConversionOnlyWhileTheSourceFolderListsAFile) {
    Converter converter;
    fs::create_directories(converter.source / "books");
    WriteFile(converter.source / "books" / "VERADIV.DAT", "");
    WriteFile(converter.source / "books" / "veradiv.059", "");
    WriteFile(converter.source / "books" / "KAKMEMO.059", "");
    converter.screen->OpenSource(QString::fromStdString(converter.source.string()));
    auto* button = converter.Control<QPushButton>("Command1");
    auto* folders = converter.Control<QListWidget>("Dir1");
    EXPECT_EQ(converter.screen->windowTitle(), QStringLiteral("データ・コンバータ"));
    EXPECT_FALSE(button->isEnabled());

    folders->setCurrentRow(static_cast<int>(Rows(folders).indexOf(QStringLiteral("books"))));
    Press(folders, Qt::Key_Return);

    EXPECT_EQ(Rows(converter.Control<QListWidget>("File1")),
              (QStringList{QStringLiteral("veradiv.059"), QStringLiteral("VERADIV.DAT")}));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Rows(folders).last(), QStringLiteral("books"));
}

TEST(ConverterScreen, EscapeClosesTheWindowFromEveryControl) {
    for (const char* control : {"Dir1", "File1", "Dir2", "Command1"}) {
        Converter converter;
        QWidget* widget = converter.Control(control);
        ASSERT_NE(widget, nullptr) << control;
        Press(widget, Qt::Key_Escape);
        EXPECT_FALSE(converter.screen->isVisible()) << control;
    }
}

TEST(ConverterScreen, TheDestinationStartsAtHanakisOwnFolderWhenThereIsOne) {
    for (bool exists : {true, false}) {
        QTemporaryDir temp;
        const fs::path dataHome = fs::path(temp.path().toStdString()) / "share";
        if (exists)
            fs::create_directories(dataHome / "hanaki");
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome.string()));
        ScriptedMessages messages;
        Services services{messages, ScreenMetrics(768)};

        ConverterScreen screen(services, RealFileSystem());

        qputenv("XDG_DATA_HOME", before);
        auto* shown = screen.findChild<QLineEdit*>(QStringLiteral("Dir2Path"));
        EXPECT_EQ(shown->text().toStdString(),
                  exists ? (dataHome / "hanaki").string() : fs::current_path().string());
    }
}

TEST(ConverterClosingDayDialog, MovesTheDayOnlyWithPageUpAndPageDown) {
    struct Case {
        std::vector<int> keys;
        int day;
    };
    const Case cases[] = {
        {{}, 31},
        {{Qt::Key_PageUp}, 30},
        {{Qt::Key_PageDown}, 1},
        {std::vector<int>(6, Qt::Key_PageUp), 25},
        {std::vector<int>(31, Qt::Key_PageDown), 31},
        {{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp}, 30},
        {{Qt::Key_5, Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Delete, Qt::Key_Tab}, 31},
    };
    for (const Case& c : cases) {
        ConverterClosingDayDialog dialog;
        dialog.show();
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
        for (int key : c.keys)
            Press(field, key, Qt::NoModifier, key == Qt::Key_5 ? QStringLiteral("5") : QString());
        EXPECT_EQ(dialog.closingDay(), c.day);
        EXPECT_EQ(field->text(), QString::number(c.day));
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST(ConverterScreen, ConvertsWithTheClosingDayAndEndsAfterTheLastMessage) {
    Converter converter;
    WriteFile(converter.source / "VERADIV.DAT", Sjis(kForeignCategories));
    WriteFile(converter.source / "VERADIV.059", ForeignDays({"0501", "0426"}));
    WriteFile(converter.source / "KAKMEMO.059", "memo");
    converter.screen->OpenSource(QString::fromStdString(converter.source.string()));

    converter.Convert({Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp,
                       Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Return});

    EXPECT_EQ(converter.dialogOpenedWith, QStringList{QStringLiteral("31")});
    EXPECT_EQ(converter.Shown(),
              (QStringList{
                  QStringLiteral("Convert completed!|1個のデータをコンバートしました。"),
                  QStringLiteral("Convert completed!|1個のメモデータをリネームコピーしました。")}));
    EXPECT_TRUE(converter.ended);
    EXPECT_EQ(LedgerDates(ReadFile(converter.destination / "199905.DAT")),
              (std::vector<std::string>{"990426", "990501"}));
    EXPECT_EQ(ReadFile(converter.destination / "199905.MEM"), "memo");
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == QStringLiteral("Form3") && window->isVisible());
}

TEST(ConverterScreen, AsksOnceBeforeReplacingAndCancelLeavesTheDestinationAlone) {
    for (bool ok : {false, true}) {
        Converter converter;
        WriteFile(converter.source / "VERADIV.DAT", Sjis(kForeignCategories));
        WriteFile(converter.source / "VERADIV.059", ForeignDays({"0501"}));
        WriteFile(converter.source / "VERADIV.069", ForeignDays({"0601"}));
        WriteFile(converter.source / "KAKMEMO.059", "memo");
        WriteFile(converter.destination / "199905.DAT", "older May");
        WriteFile(converter.destination / "199905.MEM", "older memo");
        converter.screen->OpenSource(QString::fromStdString(converter.source.string()));
        const std::vector<std::string> before = converter.Destination();
        converter.messages.Answer(ok);

        converter.Convert(kAcceptMonthEnd);

        ASSERT_FALSE(converter.messages.shown.empty());
        EXPECT_TRUE(converter.messages.shown[0].question);
        EXPECT_EQ(converter.Shown()[0],
                  QStringLiteral("上書き確認|既存のデータ2個を上書きします。よろしいですか？"));
        EXPECT_EQ(converter.messages.shown.size(), ok ? 3u : 1u);
        EXPECT_EQ(converter.Destination() == before, !ok);
        EXPECT_EQ(converter.Destination().size(), ok ? 3u : 2u);
        EXPECT_EQ(converter.ended, ok);
    }
}

TEST(ConverterScreen, EndsTheConversionWithoutReadingOrWritingWhenRefused) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        bool samePath;
        bool categoryFile;
        QStringList shown;
        bool ended;
    };
    const Case cases[] = {
        {"Esc in the closing-day dialog", {Qt::Key_PageUp, Qt::Key_Escape}, false, true, {}, false},
        {"same folder on both sides",
         kAcceptMonthEnd,
         true,
         true,
         {QStringLiteral("パスが同一です。|パスが同一です。右のパスを変えて下さい。")},
         false},
        {"no category file",
         kAcceptMonthEnd,
         false,
         false,
         {QStringLiteral("ファイルエラー|費目ファイル(VERADIV.DAT)がありません。")},
         true},
    };
    for (const Case& c : cases) {
        Converter converter;
        if (c.categoryFile)
            WriteFile(converter.source / "VERADIV.DAT", Sjis(kForeignCategories));
        WriteFile(converter.source / "VERADIV.059", ForeignDays({"0501"}));
        converter.screen->OpenSource(QString::fromStdString(converter.source.string()));
        if (c.samePath)
            converter.screen->OpenDestination(QString::fromStdString(converter.source.string()));

        converter.Convert(c.keys);
        converter.Convert(c.keys);  // the dialog starts at 31 again

        EXPECT_EQ(converter.dialogOpenedWith,
                  (QStringList{QStringLiteral("31"), QStringLiteral("31")}))
            << c.name;
        EXPECT_EQ(converter.Shown(), c.shown + c.shown) << c.name;
        EXPECT_EQ(converter.ended, c.ended) << c.name;
        EXPECT_TRUE(converter.Destination().empty()) << c.name;
    }
}

TEST(ConverterScreen, EachRefusedDestinationIsNamedForWhatHappenedAndNothingIsWritten) {
    enum class Destination { HeldByHanaki, Removed, NotWritable };
    struct Case {
        Destination destination;
        QString title;
    };
    const Case cases[] = {
        {Destination::HeldByHanaki, QStringLiteral("データフォルダ使用中")},
        {Destination::Removed, QStringLiteral("変換先のフォルダがありません")},
        {Destination::NotWritable, QStringLiteral("変換先に書き込めません")},
    };
    for (const Case& c : cases) {
        Converter converter;
        WriteFile(converter.source / "VERADIV.DAT", Sjis(kForeignCategories));
        WriteFile(converter.source / "VERADIV.059", ForeignDays({"0501"}));
        converter.screen->OpenSource(QString::fromStdString(converter.source.string()));
        std::optional<FolderLock> hanaki;
        if (c.destination == Destination::HeldByHanaki)
            hanaki.emplace(converter.destination.string(), "hanaki");
        if (c.destination == Destination::Removed)
            fs::remove_all(converter.destination);
        // A folder even the administrator may not write into.
        if (c.destination == Destination::NotWritable)
            converter.screen->OpenDestination(QStringLiteral("/sys"));

        converter.Convert(kAcceptMonthEnd);

        ASSERT_EQ(converter.messages.shown.size(), 1u) << c.title.toStdString();
        EXPECT_EQ(converter.messages.shown[0].title, c.title);
        EXPECT_FALSE(fs::exists(converter.destination / "199905.DAT"));
        EXPECT_FALSE(converter.ended);
    }
}

TEST(ConverterScreen, FramesEveryTabStopAndShowsTheKeysInALegend) {
    Converter converter;
    WriteFile(converter.source / "VERADIV.DAT", kForeignCategories);
    converter.screen->OpenSource(QString::fromStdString(converter.source.string()));
    ShowActive(*converter.screen);
    converter.Control("Dir1")->setFocus();
    EXPECT_EQ(FramedTabStops(*converter.screen, 6),
              QStringList({"File1", "Drive2", "Dir2", "Command1", "Drive1", "Dir1"}));
    auto* legend = converter.Control<QLabel>("Legend");
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->isVisible());
    for (const char* key : {"<Tab>", "<↑↓>", "<Enter>", "<Esc>"})
        EXPECT_TRUE(legend->text().contains(QString::fromUtf8(key))) << key;
}

}  // namespace
}  // namespace hanaki
