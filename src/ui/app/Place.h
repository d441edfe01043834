#pragma once

#include <QString>

namespace domora {

// Names a control (when `name` is given) and sets its place and size: the windows are laid
// out at fixed places, control by control.
template <typename W> W* place(W* widget, const char* name, int x, int y, int w, int h) {
    if (name != nullptr) {
        widget->setObjectName(QString::fromLatin1(name));
    }
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace domora
