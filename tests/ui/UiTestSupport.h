// Helpers shared by the widget tests: message boxes that note what they were asked, answering
// the next message dialog, and reading a row of a grid.

#pragma once

#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QtTest/QTest>

#include <deque>
#include <fstream>
#include <functional>
#include <string>

namespace uitest {

// Standard message boxes that note what they were asked; questions are answered from a queue,
// "no" once it is empty; three-way questions from their own queue, "Отмена" once it is empty.
class RecordingBoxes final : public domora::MessageBoxes {
public:
    QStringList shown;
    std::deque<bool> answers;
    std::deque<Choice> choices;

    void information(QWidget*, const QString& text) override { shown << "info: " + text; }
    bool question(QWidget*, const QString& text) override {
        shown << "question: " + text;
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Choice questionWithCancel(QWidget*, const QString& text) override {
        shown << "choice: " + text;
        if (choices.empty()) {
            return Choice::Cancel;
        }
        const Choice choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void error(QWidget*, const QString& text) override { shown << "error: " + text; }
};

// Answers the next message dialog with its button 1, 2 or 3, and notes its text.
inline void answerDialog(domora::MessageDialog& dialog, int button, QString* text = nullptr) {
    QTimer::singleShot(0, &dialog, [&dialog, button, text] {
        if (text != nullptr) {
            *text = dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text();
        }
        dialog.findChild<QPushButton*>(QStringLiteral("Button%1").arg(button))->click();
    });
}

// A control or window part by its objectName; the test stops when there is none.
template <typename T> T* child(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no child named %s", qPrintable(name));
    }
    return found;
}

// A window of the program's own, by its objectName, among the top-level windows.
template <typename T> T* topLevel(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            if (T* found = qobject_cast<T*>(widget)) {
                return found;
            }
        }
    }
    qFatal("no window named %s", qPrintable(name));
}

// One of the main window's timers, "Timer1" .. "Timer9", and one tick of it.
inline domora::IntervalTimer* timer(const QObject& window, int number) {
    return child<domora::IntervalTimer>(window, QStringLiteral("Timer%1").arg(number));
}
inline void tick(const QObject& window, int number) {
    emit timer(window, number)->timeout();
}

// The window's first activation (the start sequence) or a later one.
inline void activate(QWidget& window) {
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &event);
}

// Calls `act` with the modal window as soon as one is on the screen (looked for every 5 ms for
// at most 5 s). A zero-timer would not do: a window made on first use may run an event loop
// of its own before it is shown, and the timer would fire there, with nothing to act on.
inline void whenModalShown(QObject* context, std::function<void(QWidget&)> act) {
    auto* poll = new QTimer(context);
    auto* left = new int(1000);
    QObject::connect(poll, &QTimer::timeout, context, [poll, left, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal != nullptr && modal->isVisible()) || --*left == 0) {
            poll->stop();
            poll->deleteLater();
            delete left;
            if (modal != nullptr && modal->isVisible()) {
                act(*modal);
            }
        }
    });
    poll->start(5);
}

// Whether a library whose path holds `part` is loaded into this process.
inline bool libraryLoaded(const std::string& part) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Whether the sound module (and with it Qt Multimedia) is loaded into this process.
inline bool soundModuleLoaded() {
    return libraryLoaded("domora_sound") || libraryLoaded("Qt6Multimedia");
}

inline QStringList tableRow(const QTableWidget* table, int r) {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(r, column);
        texts << (item != nullptr ? item->text() : QString());
    }
    return texts;
}

// The tooltip a cell of the grid shows as the mouse rests on it.
inline QString cellTip(QTableWidget* table, int r, int column) {
    QToolTip::hideText();
    const QPoint at = table->visualRect(table->model()->index(r, column)).center();
    QHelpEvent event(QEvent::ToolTip, at, table->viewport()->mapToGlobal(at));
    QApplication::sendEvent(table->viewport(), &event);
    return QToolTip::text();
}

} // namespace uitest
