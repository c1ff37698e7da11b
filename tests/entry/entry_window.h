#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <memory>
#include <string>

#include "app/program_screens.h"
#include "data/formats/fixed_field.h"
#include "data/formats/ledger.h"
#include "data/program/program_state.h"
#include "entry/main_entry_screen.h"
#include "support/cp932_text.h"
#include "support/faulty_file_system.h"
#include "support/keyboard.h"
#include "support/ledger_records.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"
#include "support/temp_folder.h"
#include "ui/fonts.h"
#include "ui/services.h"

namespace hanaki::testing {

// 1 給料 (income), 2 食費, 3 住居 (expense), 4 繰越 (income).
inline const std::string kMaster =
    Sjis("+給料\r\n月給,賞与\r\n-食費\r\n朝食,昼食,夕食\r\n-住居\r\n家賃\r\n+繰越\r\n前月繰越\r\n");

// Closing day, carry-over 4-1 (繰越/前月繰越), a budget of 30000 for 食費.
inline std::string SettingsFile(int closingDay, const std::string& carryOver = "4,1") {
    return " " + std::to_string(closingDay) + " \r\n" + carryOver + "\r\n,30000" +
           std::string(18, ',') + "\r\n";
}

// One 104-byte record as it lies in a ledger file.
inline std::string Record(const std::string& date, int category, const std::string& amount,
                          const std::string& remark = "") {
    static const char* const names[][2] = {
        {"", ""}, {"給料", "月給"}, {"食費", "朝食"}, {"住居", "家賃"}, {"繰越", "前月繰越"}};
    return RecordBytes({.date = date,
                        .category = TwoDigits(category),
                        .categoryName = names[category][0],
                        .descriptionName = names[category][1],
                        .amount = amount,
                        .remark = remark});
}

// The whole program around one main window, in a temporary data folder.
struct EntryWindow {
    explicit EntryWindow(CivilDate today = {2026, 12, 7}, int closingDay = kMonthEnd,
                         int screenHeight = 768)
        : today(today), services{messages, ScreenMetrics(screenHeight)} {
        InstallFontSubstitutions();  // the program's fonts, so that layouts measure as on screen
        folder.Write("VERADIV.DAT", kMaster);
        folder.Write("VERADIV.ENV", SettingsFile(closingDay));
        state.folder.WatchPresence();  // as the program watches its folder
    }

    bool Start() {
        screen = std::make_unique<MainEntryScreen>(state, services, screens);
        const bool started = screen->StartUp();
        screen->show();
        return started;
    }

    QWidget* focus() const { return screen->focusWidget(); }
    QString FocusName() const { return focus() ? focus()->objectName() : QString(); }
    // The keyboard, on the window's focused input.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        testing::Press(focus(), key, modifiers);
    }
    void Type(const char* text) {
        for (char32_t c : QString::fromUtf8(text).toUcs4())
            TypeCharacter(focus(), c);
    }
    void Commit(const QString& text) { testing::Commit(focus(), text); }
    // Types into the focused field and presses Enter, once per text.
    void Enter(std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            Type(text);
            Press(Qt::Key_Return);
        }
    }
    // From the day field: a whole new item.
    void EnterItem(const char* category, const char* description, const char* amount,
                   const char* remark = "") {
        Press(Qt::Key_Return);
        Enter({category, description, amount, remark});
    }

    // From the day field: opens the day's last item for correction.
    void CorrectLastItem() {
        Press(Qt::Key_Return);
        Press(Qt::Key_Up);
        Press(Qt::Key_Return);
    }

    QString Text(const char* name) const {
        if (auto* label = screen->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly))
            return label->text();
        if (auto* field = screen->findChild<QLineEdit*>(name, Qt::FindDirectChildrenOnly))
            return field->text();
        return "(no " + QString(name) + ")";
    }
    QTableWidget* grid() const {
        return screen->findChild<QTableWidget*>("MSFlexGrid1", Qt::FindDirectChildrenOnly);
    }
    QString Cell(int row, int column) const {
        QTableWidgetItem* item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList Titles() const {
        QStringList titles;
        for (const auto& shown : messages.shown)
            titles << shown.title;
        return titles;
    }

    CivilDate today;
    TempFolder folder;
    FaultyFileSystem fs;
    ProgramState state{folder.folder(fs), [this] { return today; }};
    ScriptedMessages messages;
    Services services;
    ProgramScreens screens{state, services};
    std::unique_ptr<MainEntryScreen> screen;
};

// Closing day 25: calendar 26 December 1999 is day 1 of accounting month January 2000.
struct January2000 : EntryWindow {
    January2000() : EntryWindow({2000, 1, 20}, 25) { folder.Write("200001.DAT", bytes); }
    const std::string bytes = Record("991226", 4, "+70500") + Record("000105", 1, "+100", "one") +
                              Record("000105", 2, "-200", "two") + Record("000110", 3, "-300");
};

}  // namespace hanaki::testing
