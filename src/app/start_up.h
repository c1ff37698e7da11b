#pragma once

#include <QString>
#include <ostream>
#include <string>

#include "ui/message_service.h"

// What both programs do before and around their work that a user of the
// command line sees: no display, Qt's own notes, standard output that fails.
namespace hanaki {

// True when a window can be shown: a Qt platform chosen by the environment,
// or an X11 or Wayland display. Checked before any QApplication, which would
// abort without one.
bool HasDisplay();
// "…のウィンドウを開けません" for `program`, one line for standard error.
std::string NoDisplayMessage(const std::string& program);

// Keeps Qt's warnings (an unset XDG_RUNTIME_DIR, fonts) off a command's
// standard error, which carries the command's own messages only.
void SilenceQtNotes();

// Flushes standard output; when that or an earlier write failed (a full
// disk, a closed pipe), says so on `err` and turns `code` into 1.
int FinishStandardOutput(int code, std::ostream& err);

// The message boxes of a starting window, each also written to standard
// error, so that a refused start is seen where it was typed.
class StartUpMessages : public MessageService {
  public:
    explicit StartUpMessages(MessageService& boxes) : boxes_(boxes) {}
    // From here on the boxes alone.
    void Started() { starting_ = false; }

    void Inform(QWidget* parent, const QString& title, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& title, const QString& text) override;

  private:
    MessageService& boxes_;
    bool starting_ = true;
};

}  // namespace hanaki
