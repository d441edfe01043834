#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>

#include <cstddef>

class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;

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

// A row of buttons at fixed places, `step` pixels apart, starting at `first`; each named by
// its objectName and wired to its handler.
template <typename Owner> struct ButtonDef {
    QPushButton** button;
    const char* name;
    QString caption;
    void (Owner::*handler)();
};

template <typename Owner, std::size_t N>
void placeButtonRow(Owner* owner, const ButtonDef<Owner> (&buttons)[N], const QRect& first, int step) {
    int x = first.x();
    for (const ButtonDef<Owner>& def : buttons) {
        *def.button =
            place(new QPushButton(def.caption, owner), def.name, x, first.y(), first.width(), first.height());
        QObject::connect(*def.button, &QPushButton::clicked, owner, def.handler);
        x += step;
    }
}

// The controls the fixed-layout pages are made of.
QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h, const char* name = nullptr);
// A framed read-only field, as the status line and the clocks use.
QLabel* field(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h);
QGroupBox* group(QWidget* parent, const QString& title, int x, int y, int w, int h);
QCheckBox* check(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 18);

// Makes a dialog about to open belong to the window it is opened from (`opener`'s window):
// the window manager keeps it above that window, and above other programs' windows too when
// that window stays on top. Nothing changes without an opener.
void ownBy(QWidget& dialog, const QWidget* opener);

// Moves a window that has grown past an edge of its screen's available area back onto it.
void keepOnScreen(QWidget& window);

// Moves a window so that its client area is centred on the available area of its screen.
void centreOnScreen(QWidget& window);

// Moves a window so that its frame (title bar and borders, once the window exists) is
// centred on the primary screen: its available area, or the whole screen.
enum class ScreenArea { Available, Whole };
void centreFrameOnScreen(QWidget& window, ScreenArea area = ScreenArea::Available);

} // namespace domora
