#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "full_year.h"
#include "window_start_up.h"
#include "year_of_use.h"

// The window's start-up as one whole process, for timing from outside:
//   start_up_once --make DIR   writes DIR/history (a year of use, ten items a
//                              day, with its history and twelve fixed items
//                              entered up to November), DIR/plain (the same
//                              live files without a history), DIR/due (the
//                              year of use with three fixed items due) and
//                              DIR/full (a year of 1000-item months; open it
//                              on 2026-11-30)
//   start_up_once FOLDER       starts the main window on FOLDER and ends
//   start_up_once FOLDER --without-due
//                              the same without asking for the fixed items due,
//                              to time what that asking adds
int main(int argc, char** argv) {
    using namespace hanaki;
    namespace fs = std::filesystem;
    if (argc == 3 && std::string(argv[1]) == "--make") {
        for (bool history : {true, false}) {
            YearOfUse year(history);
            year.dir.Write("VERADIV.DAT", testing::Sjis("+給料\r\n月給\r\n-食費\r\n朝食\r\n"));
            year.dir.Write("VERADIV.ENV", " 31 \r\n0,0\r\n");
            std::string fixedItems;
            for (int day = 1; day <= 12; ++day)
                fixedItems += std::to_string(day * 2) + ",2,1,1000,1,202512,,202611,\r\n";
            year.dir.Write("TEIKI.TXT", fixedItems);
            const fs::path to = fs::path(argv[2]) / (history ? "history" : "plain");
            fs::create_directories(to);
            fs::copy(year.dir.path(), to, fs::copy_options::recursive);
            if (history) {
                fs::create_directories(fs::path(argv[2]) / "due");
                fs::copy(year.dir.path(), fs::path(argv[2]) / "due", fs::copy_options::recursive);
                std::ofstream(fs::path(argv[2]) / "due" / "TEIKI.TXT", std::ios::app)
                    << "25,2,1,1000,1,202611,,,\r\n27,2,1,,1,202611,,,\r\n28,1,1,5000,1,202611,,,"
                       "\r\n";
            }
        }
        testing::TempFolder full;
        WriteFullYear(full);
        fs::create_directories(fs::path(argv[2]) / "full");
        fs::copy(full.path(), fs::path(argv[2]) / "full", fs::copy_options::recursive);
        return 0;
    }
    const bool askDue = !(argc == 3 && std::string(argv[2]) == "--without-due");
    if (argc != 2 && askDue) {
        std::cerr << "start_up_once --make DIR | start_up_once FOLDER [--without-due]\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return StartWindow(argv[1], kEndOfTheYear, askDue) < 0 ? 1 : 0;
}
