#include "app/session_end.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>

#include "entry/main_entry_screen.h"

namespace hanaki {
namespace {

constexpr int kSessionSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler reaches only what is global: the pipe's writing end.
volatile sig_atomic_t signalPipe = -1;

void NoteSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a signal that ends the session.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe, &byte, 1);
    errno = saved;
}

void SetHandler(int number, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // A save under way is not cut short by the signal.
    action.sa_flags = SA_RESTART;
    ::sigaction(number, &action, nullptr);
}

}  // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their default: the program ends at once
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::ReadPipe);
    for (int number : kSessionSignals) {
        struct sigaction old = {};
        if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        SetHandler(number, NoteSignal);
        taken_ |= 1 << number;
    }
}

SessionEnd::~SessionEnd() {
    for (int number : kSessionSignals) {
        if (taken_ & (1 << number))
            SetHandler(number, SIG_DFL);
    }
    signalPipe = -1;
    for (int fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void SessionEnd::ReadPipe() {
    unsigned char bytes[16];
    int first = 0;
    for (ssize_t count; (count = ::read(pipe_[0], bytes, sizeof bytes)) > 0;) {
        if (first == 0)
            first = bytes[0];
    }
    if (first == 0 || signal_ != 0)
        return;
    signal_ = first;
    emit ending();
}

void SessionEnd::PassOn() const {
    if (signal_ == 0)
        return;
    SetHandler(signal_, SIG_DFL);
    ::raise(signal_);
}

void EndWithSession(SessionEnd& session, MainEntryScreen& screen) {
    QObject::connect(&session, &SessionEnd::ending, &screen, [&screen] {
        screen.EndSession();  // a failed save still shows its message here
        // Every loop ends, a question's too: it counts as answered Cancel.
        QCoreApplication::exit(0);
    });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &screen,
                     [&screen](QSessionManager&) { screen.SaveTyped(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &screen, &MainEntryScreen::EndSession);
}

}  // namespace hanaki

#include "moc_session_end.cpp"
