// The note program: shows an alarm's or the coming holidays' note and plays its sound.
// Started by domora with one argument per field: kind ("1" text, "0" picture), sound file
// or "not", message file or "EMPTY" (or the picture file), record number or numbers ("3,7").
//
// For tests of the program:
//   DOMORA_NOTEBOX_REPORT=1   print one line to standard output each time the note
//                             appears, describing it (NoteWindow::report()).
//   DOMORA_NOTEBOX_QUIT_MS=N  close the note and end after N milliseconds.
#include "NoteWindow.h"
#include "platform/SingleInstance.h"
#include "ui/sound/SoundPlayer.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// The first place on the screen no other open note holds; its marker is kept until the note
// program ends (the system drops it also when the program dies).
int ClaimCascadePlace(std::unique_ptr<domora::SingleInstance>& marker) {
    constexpr int kPlaces = 16;
    for (int place = 0; place < kPlaces; ++place) {
        marker = domora::CreateNamedMarker("domora-note-" + std::to_string(place));
        if (marker->acquire()) {
            return place;
        }
    }
    marker.reset();
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("notebox"));
    QApplication::setApplicationDisplayName(QStringLiteral("Domora Lite 2003"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));

    domora::QtSoundPlayer player;
    domora::NoteWindow window(player);
    window.load(QApplication::arguments().mid(1));

    if (qEnvironmentVariable("DOMORA_NOTEBOX_REPORT") == QLatin1String("1")) {
        window.onPresented = [&window] {
            const QByteArray line = window.report().toUtf8() + '\n';
            std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
            std::fflush(stdout);
        };
    }
    bool quitSet = false;
    const int quitMs = qEnvironmentVariableIntValue("DOMORA_NOTEBOX_QUIT_MS", &quitSet);
    if (quitSet && quitMs >= 0) {
        QTimer::singleShot(quitMs, &app, [&window] {
            window.close();
            QApplication::quit();
        });
    }

    std::unique_ptr<domora::SingleInstance> placeMarker;
    window.setCascadePlace(ClaimCascadePlace(placeMarker));
    window.present();
    return QApplication::exec();
}
