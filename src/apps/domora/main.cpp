#include "platform/Platform.h"
#include "ui/alarms/AlarmList.h"
#include "ui/alarms/TForm8.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/TForm1.h"
#include "ui/app/TForm9.h"
#include "ui/holidays/CelebPage.h"
#include "ui/holidays/TForm12.h"
#include "ui/holidays/TForm6.h"
#include "ui/sound/SoundPlayer.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("domora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Domora Lite 2003"));
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

    // Every window once, the main window first.
    domora::TForm1 form1(*platform, boxes);
    domora::TForm6 form6(*form1.celebPage());
    form1.celebPage()->setAddDialog(&form6);
    domora::QtSoundPlayer previewPlayer;
    domora::TForm8 form8(*form1.alarmList(), platform->files(), platform->clock(), boxes, previewPlayer);
    form1.alarmList()->setEditor(&form8);
    domora::TForm9 form9;
    form1.setMessageDialog(&form9);
    domora::TForm12 form12(*form1.celebPage());
    form1.celebPage()->setEditDialog(&form12);

    // At the end of the session the program closes without questions.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1, [&form1](QSessionManager&) {
        form1.QueryEndSession();
        form1.close();
    });

    form1.show();
    return QApplication::exec();
}
