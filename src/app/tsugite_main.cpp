#include <QApplication>
#include <iostream>

#include "app/version.h"
#include "app/window_identity.h"
#include "import/converter_screen.h"
#include "import/tsugite_command.h"
#include "ui/fonts.h"
#include "ui/translations.h"

using namespace hanaki;

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    TsugiteOptions options = ParseTsugiteOptions(args);
    if (!options.error.empty()) {
        std::cerr << options.error << "\n" << TsugiteUsage();
        return 2;
    }
    if (options.help || options.version) {
        std::cout << "tsugite " << kProgramVersion << "\n";
        if (options.help)
            std::cout << TsugiteUsage();
        return 0;
    }
    if (options.commandLine)
        return RunTsugiteCommand(options, RealFileSystem(), std::cout, std::cerr);

    QApplication app(argc, argv);
    TieWindowsToLauncher(QStringLiteral("org.hanaki.Tsugite"));
    InstallJapaneseTranslations(app);
    InstallFontSubstitutions();
    DialogMessageService messages;
    Services services{messages, ScreenMetrics()};

    ConverterScreen screen(services, RealFileSystem());
    QObject::connect(&screen, &ConverterScreen::programEnds, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    screen.show();
    return app.exec();
}
