#pragma once

#include <QObject>

class QSocketNotifier;

// The end of the desktop session reaches the program through its event loop:
// logout and shutdown send SIGTERM, a closing terminal SIGHUP, Ctrl+C SIGINT.
// The handler only writes the signal's number into a pipe; the loop reads it
// and the program ends as its own quit would, with everything saved.
namespace hanaki {

class MainEntryScreen;

class SessionEnd : public QObject {
    Q_OBJECT
  public:
    // Takes the three signals over, one per process; a signal ignored when the
    // program started (nohup, a background job) stays ignored.
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // Once everything is saved and released, ends the process by the signal
    // that ended the session, so that the shell or the session manager sees
    // why it ended. Returns when no signal came.
    void PassOn() const;

  signals:
    // The first signal arrived; later ones change nothing.
    void ending();

  private:
    void ReadPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    int taken_ = 0;   // bit n: this object handles signal n
    int signal_ = 0;  // the first signal that arrived
};

// When the session ends, or the session manager asks the program to save, or
// the program quits, the main window keeps what is typed (the memo saved, a
// correction left as Esc leaves it); then the event loop ends.
void EndWithSession(SessionEnd& session, MainEntryScreen& screen);

}  // namespace hanaki
