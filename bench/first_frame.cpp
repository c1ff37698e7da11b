#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

// A program's start-up as a user meets it, for timing whole processes:
//   first_frame [--settle MS] PROGRAM [ARG ...]
// starts PROGRAM on the X display of $DISPLAY, waits until it maps its first
// window, then closes that window as the window frame would. With --settle
// it first waits MS milliseconds and prints the program's resident memory
// then (VmRSS) and at its peak (VmHWM), as /proc tells them.
namespace {

// The pid a window's owner put on it, or 0.
long OwnerPid(Display* display, Window window) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                           XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}

void PrintMemory(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0)
            std::printf("%s\n", line.c_str());
    }
}

void Close(Display* display, Window window) {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    int settleMs = -1;
    if (argc > 2 && std::strcmp(argv[1], "--settle") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "first_frame [--settle MS] PROGRAM [ARG ...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    Window shown = 0;
    while (shown == 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && OwnerPid(display, event.xmap.window) == pid)
            shown = event.xmap.window;
    }
    const double mappedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (settleMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        std::printf("mapped after %.1f ms\n", mappedMs);
        PrintMemory(pid);
    }
    Close(display, shown);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
