#include <QApplication>
#include <iostream>

#include "app/help_sections.h"
#include "app/start_up.h"
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
        std::cerr << options.error << "\n使い方は tsugite --help で表示されます。\n";
        return 2;
    }
    if (options.help || options.version) {
        std::cout << "tsugite " << kProgramVersion << "\n";
        if (options.help)
            std::cout << TsugiteUsage();
        return FinishStandardOutput(0, std::cerr);
    }
    if (options.commandLine) {
        const int code = RunTsugiteCommand(options, RealFileSystem(), std::cout, std::cerr);
        return FinishStandardOutput(code, std::cerr);
    }

    if (!HasDisplay()) {
        std::cerr << NoDisplayMessage("tsugite") << "\n";
        return 1;
    }
    QApplication app(argc, argv);
    TieWindowsToLauncher(QStringLiteral("org.hanaki.Tsugite"));
    InstallJapaneseTranslations(app);
    InstallHelpKey(app, TsugiteHelpSections());
    InstallFontSubstitutions();
    DialogMessageService messages;
    Services services{messages, ScreenMetrics()};

    ConverterScreen screen(services, RealFileSystem());
    QObject::connect(&screen, &ConverterScreen::programEnds, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    screen.show();
    return app.exec();
}
