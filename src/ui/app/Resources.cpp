#include "ui/app/Resources.h"

#include <QImageReader>
#include <QtCore/qglobal.h>

// The registration function is a global one, so it is called outside the namespace.
static void registerDomoraResources() {
    Q_INIT_RESOURCE(domora);
}

namespace domora {

void RegisterResources() {
    static const bool registered = [] {
        registerDomoraResources();
        return true;
    }();
    (void)registered;
}

QPixmap Picture(const char* file) {
    RegisterResources();
    QImageReader reader(QStringLiteral(":/pictures/") + QString::fromLatin1(file), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace domora
