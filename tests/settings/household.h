#pragma once

#include <QStyleOption>
#include <QWidget>

#include "data/program/program_state.h"
#include "support/cp932_text.h"
#include "support/keyboard.h"
#include "support/qt_printers.h"
#include "support/scripted_messages.h"
#include "support/temp_folder.h"
#include "ui/services.h"

namespace hanaki::testing {

// One program's state in a fresh folder, with scripted message boxes.
struct Household {
    explicit Household(FileSystem& fs = RealFileSystem())
        : state(temp.folder(fs), [] {
              return CivilDate{2024, 5, 10};
          }) {
        state.date = CurrentDate{124, 5, 10};
    }

    // The category master, file and memory alike.
    void UseCategories(const std::string& utf8Lines) {
        temp.Write("VERADIV.DAT", Sjis(utf8Lines));
        ASSERT_TRUE(LoadCategoryTable(state.folder, state.categories).ok());
    }
    void UseSettings(const std::string& bytes) {
        temp.Write("VERADIV.ENV", bytes);
        SettingsReading reading;
        ASSERT_TRUE(LoadSettings(state.folder, state.settings, reading).ok());
    }

    TempFolder temp;
    ProgramState state;
    ScriptedMessages messages;
    Services services{messages, ScreenMetrics(768)};
};

// Whether the style is told to draw the focus frame on the widget.
inline bool DrawsFocusFrame(QWidget* widget) {
    QStyleOption option;
    option.initFrom(widget);
    return option.state.testFlag(QStyle::State_HasFocus) &&
           option.state.testFlag(QStyle::State_KeyboardFocusChange);
}

template <typename T>
T* Child(const QWidget& screen, const char* name) {
    return screen.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace hanaki::testing
