#include "core/app/ProgramOptions.h"
#include "platform/Platform.h"
#include "platform/StoreTemporaries.h"
#include "platform/TerminationRequests.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageBoxes.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTranslator>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // --help and --version, and a command line the program does not understand, are answered
    // before anything else: no display, no single-instance lock, no data folder.
    const domora::ProgramOptions options =
        domora::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case domora::ProgramAction::Help:
        std::fputs(domora::ProgramHelpText().c_str(), stdout);
        return 0;
    case domora::ProgramAction::Version:
        std::fputs(domora::ProgramVersionText(DOMORA_VERSION).c_str(), stdout);
        return 0;
    case domora::ProgramAction::Refuse:
        std::fputs(options.error.c_str(), stderr);
        return 2;
    case domora::ProgramAction::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("domora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Domora Lite 2003"));
    QApplication::setApplicationVersion(QStringLiteral(DOMORA_VERSION));
    // The desktop entry it is installed with (the window's icon and name under Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(DOMORA_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons (Yes, No, Cancel) in Russian whatever the system language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // The windows are laid out at fixed places for a small sans-serif face of 8 points.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    std::unique_ptr<domora::Platform> platform = domora::CreateSystemPlatform();
    domora::QtMessageBoxes boxes;
    if (!platform->singleInstance().acquire()) {
        // The system's own notice where it has one (Windows), the program's box otherwise.
        const std::string text = "Domora Lite 2003 уже запущена.";
        if (!platform->singleInstance().showAlreadyRunning(text)) {
            boxes.information(nullptr, QString::fromStdString(text));
        }
        return 0;
    }

    // Leftovers of writes killed half-way, before any store is opened.
    domora::RemoveStaleStoreTemporaries(platform->location().appDir());

    // The main window makes every other window through its modules.
    domora::MainWindow window(*platform, boxes);

    // At the end of the session the program closes without questions.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
        window.endSession();
        window.close();
    });

    // SIGTERM, SIGINT and SIGHUP (a desktop logging out without a session manager, `kill`,
    // the user's session stopping) take the same way: nothing is asked and nothing is lost.
    const std::unique_ptr<domora::TerminationRequests> termination = domora::ListenForTerminationRequests();
    std::unique_ptr<QSocketNotifier> terminationNotifier;
    if (termination->descriptor() >= 0) {
        terminationNotifier =
            std::make_unique<QSocketNotifier>(termination->descriptor(), QSocketNotifier::Read);
        QObject::connect(terminationNotifier.get(), &QSocketNotifier::activated, &window, [&] {
            if (termination->take()) {
                window.endSession();
                window.close();
            }
        });
    }

    window.show();
    return QApplication::exec();
}
