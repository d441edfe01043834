#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace domora {

// Building the tray's popup menu: items and submenus named by their objectName.

inline QMenu* addSubmenu(QMenu& menu, const char* name, const QString& caption) {
    QMenu* sub = menu.addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    return sub;
}

inline QAction* addItem(QMenu& menu, const char* name, const QString& caption) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// An item wired to its handler.
template <typename Receiver, typename Slot>
QAction* addItem(QMenu& menu, const char* name, const QString& caption, Receiver* receiver, Slot slot) {
    QAction* action = addItem(menu, name, caption);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

} // namespace domora
