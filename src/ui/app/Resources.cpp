#include "ui/app/Resources.h"

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

} // namespace domora
