#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "full_year.h"
#include "window_start_up.h"
#include "year_of_use.h"

// The window's start-up as one whole process, for timing from outside:
//   start_up_once --make DIR   writes DIR/history (a year of use, ten items a
//                              day, with its history), DIR/plain (the same
//                              live files without one) and DIR/full (a year of
//                              1000-item months; open it on 2026-11-30)
//   start_up_once FOLDER       starts the main window on FOLDER and ends
int main(int argc, char** argv) {
    using namespace hanaki;
    namespace fs = std::filesystem;
    if (argc == 3 && std::string(argv[1]) == "--make") {
        for (bool history : {true, false}) {
            YearOfUse year(history);
            year.dir.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n-食費\r\n朝食\r\n"));
            year.dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
            const fs::path to = fs::path(argv[2]) / (history ? "history" : "plain");
            fs::create_directories(to);
            fs::copy(year.dir.path(), to, fs::copy_options::recursive);
        }
        testing::TempFolder full;
        WriteFullYear(full);
        fs::create_directories(fs::path(argv[2]) / "full");
        fs::copy(full.path(), fs::path(argv[2]) / "full", fs::copy_options::recursive);
        return 0;
    }
    if (argc != 2) {
        std::cerr << "start_up_once --make DIR | start_up_once FOLDER\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return StartWindow(argv[1], kEndOfTheYear) < 0 ? 1 : 0;
}
