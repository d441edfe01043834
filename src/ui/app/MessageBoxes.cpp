#include "ui/app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

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

void QtMessageBoxes::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

} // namespace domora
