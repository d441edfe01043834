#include "WindowMode.h"

#include "ClocksyWindow.h"
#include "ui/app/QtText.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

#include <memory>

namespace domora {
namespace {

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("clocksy"));
    QApplication::setApplicationDisplayName(QStringLiteral("Domora Lite 2003"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    return app;
}

} // namespace

std::optional<SyncOutcome> RunInWindow(int& argc, char** argv, const ClocksyCommand& command,
                                       UdpNetwork& network, ClockSetter& setter) {
    const auto app = MakeApplication(argc, argv);
    ClocksyWindow window(command, network, setter);
    window.show();
    window.start();
    QApplication::exec();
    window.close();
    return window.outcome();
}

void ShowCommandError(int& argc, char** argv, const std::string& error) {
    const auto app = MakeApplication(argc, argv);
    const auto network = CreateUdpNetwork();
    NoClockSetter setter;
    ClocksyWindow window(ClocksyCommand{}, *network, setter);
    window.showCommandError(qs(error));
    window.show();
    QApplication::exec();
}

} // namespace domora
