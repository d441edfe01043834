// The price editor of the metered Internet connection: the advance paid and, for each
// weekday, the day, evening and night prices with their hours. Started by domora as
//   tallyup fac                         (Windows: Tallyup.exe fac, in the program's folder)
// It reads and writes the same settings store as domora (on Linux the shared settings file
// of $XDG_CONFIG_HOME/domora under its lock); a save sets "Changing_Data", and domora reads
// the tables again once the editor has ended. Exit status 0.
#include "platform/SettingsStore.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/balance/TariffEditor.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The window class (WM_CLASS) is the application's name: domora on Windows looks for the
    // editor's window by its class "TfrmTallyup".
    QApplication::setApplicationName(QStringLiteral("TfrmTallyup"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tallyup"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));

    const std::unique_ptr<domora::SettingsStore> store = domora::CreateSettingsStore();
    domora::QtMessageBoxes boxes;
    domora::TariffEditor window(store->registry(), boxes);
    domora::centreOnScreen(window);
    window.show();
    // A damaged settings file is set aside at the first look into it; that is told before
    // the values it took with it.
    store->registry().openKey(domora::RegHive::CurrentUser, domora::kRootKey, false);
    if (const std::string damage = store->takeDamageReport(); !damage.empty()) {
        boxes.error(&window, domora::qs(damage));
    }
    window.load();
    return QApplication::exec();
}
