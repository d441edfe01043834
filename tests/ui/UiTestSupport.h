// Helpers shared by the widget tests: message boxes that note what they were asked, answering
// the next message dialog, and reading a row of a grid.

#pragma once

#include "ui/app/MessageBoxes.h"
#include "ui/app/TForm9.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>

#include <deque>

namespace uitest {

// Standard message boxes that note what they were asked; questions are answered from a queue,
// "no" once it is empty.
class RecordingBoxes final : public domora::MessageBoxes {
public:
    QStringList shown;
    std::deque<bool> answers;

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
    void error(QWidget*, const QString& text) override { shown << "error: " + text; }
};

// Answers the next message dialog with its button 1, 2 or 3, and notes its text.
inline void answerDialog(domora::TForm9& dialog, int button, QString* text = nullptr) {
    QTimer::singleShot(0, &dialog, [&dialog, button, text] {
        if (text != nullptr) {
            *text = dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text();
        }
        dialog.findChild<QPushButton*>(QStringLiteral("Button%1").arg(button))->click();
    });
}

inline QStringList tableRow(const QTableWidget* table, int r) {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(r, column);
        texts << (item != nullptr ? item->text() : QString());
    }
    return texts;
}

} // namespace uitest
