#include "app/start_up.h"

#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "data/disk/io_result.h"

namespace hanaki {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

void DropNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

bool HasDisplay() {
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

std::string NoDisplayMessage(const std::string& program) {
    return "画面 (ディスプレイ) に接続できないため、" + program +
           " のウィンドウを開けません。DISPLAY か WAYLAND_DISPLAY のある環境で起動してください。";
}

void SilenceQtNotes() {
    qInstallMessageHandler(DropNotes);
}

int FinishStandardOutput(int code, std::ostream& err) {
    std::cout.flush();
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout;
    if (!failed)
        return code;
    const int error = errno != 0 ? errno : EIO;
    err << DescribeStandardOutputFailure(error) << "\n";
    return 1;
}

void StartUpMessages::Inform(QWidget* parent, const QString& title, const QString& text) {
    if (starting_)
        std::cerr << text.toStdString() << "\n";
    boxes_.Inform(parent, title, text);
}

bool StartUpMessages::Confirm(QWidget* parent, const QString& title, const QString& text) {
    return boxes_.Confirm(parent, title, text);
}

}  // namespace hanaki
