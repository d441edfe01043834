#include "ui/app/Place.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVariant>
#include <QWindow>

namespace domora {

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h, const char* name) {
    return place(new QLabel(text, parent), name, x, y, w, h);
}

QLabel* field(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    QLabel* result = label(parent, text, x, y, w, h, name);
    // A frame drawn on all four sides: the sunken panel's light right and bottom edges vanish
    // on a light page.
    result->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    result->setAlignment(Qt::AlignCenter);
    return result;
}

QGroupBox* group(QWidget* parent, const QString& title, int x, int y, int w, int h) {
    return place(new QGroupBox(title, parent), nullptr, x, y, w, h);
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    return place(new QCheckBox(text, parent), name, x, y, w, h);
}

void ownBy(QWidget& dialog, const QWidget* opener) {
    const QWidget* owner = opener != nullptr ? opener->window() : nullptr;
    if (owner == nullptr || owner == &dialog) {
        return;
    }
    // On top when the owner is, or when the dialog is so of its own (as it was made).
    static const char* const kOwnOnTop = "ownOnTop";
    if (!dialog.property(kOwnOnTop).isValid()) {
        dialog.setProperty(kOwnOnTop, dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
    const bool onTop =
        dialog.property(kOwnOnTop).toBool() || owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop && !dialog.isVisible()) {
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
    if (owner->windowHandle() == nullptr) {
        return; // the owner was never shown: nothing to stack above
    }
    dialog.winId(); // the dialog's native window, to name its owner
    if (QWindow* window = dialog.windowHandle()) {
        window->setTransientParent(owner->windowHandle());
    }
}

void keepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    if (frame.right() > area.right()) {
        frame.moveRight(area.right());
    }
    if (frame.bottom() > area.bottom()) {
        frame.moveBottom(area.bottom());
    }
    if (frame.left() < area.left()) {
        frame.moveLeft(area.left());
    }
    if (frame.top() < area.top()) {
        frame.moveTop(area.top());
    }
    if (frame.topLeft() != window.frameGeometry().topLeft()) {
        window.move(frame.topLeft());
    }
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen =
            window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

void centreFrameOnScreen(QWidget& window, ScreenArea area) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(area == ScreenArea::Whole ? screen->geometry().center()
                                                   : screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace domora
