#include "ui/app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace domora {

namespace {
QString title() {
    return QApplication::applicationDisplayName();
}
} // namespace

void QtMessageBoxes::information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

bool QtMessageBoxes::question(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

MessageBoxes::Choice QtMessageBoxes::questionWithCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, title(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

void QtMessageBoxes::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

} // namespace domora
