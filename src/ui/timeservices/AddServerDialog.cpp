#include "ui/timeservices/AddServerDialog.h"

#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace domora {

AddServerDialog::AddServerDialog(MessageBoxes& boxes, std::function<std::string(const std::string&)> add)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      boxes_(boxes), add_(std::move(add)) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Добавить сервер..."));
    setModal(true);
    setFixedSize(282, 96);
    QGroupBox* server = group(this, QStringLiteral("Сервер"), 6, 2, 270, 54);
    label(server, QStringLiteral("Имя:"), 8, 22, 32, 18);
    name_ = place(new QLineEdit(server), "Edit1", 42, 20, 218, 21);
    auto* ok = place(new QPushButton(QStringLiteral("Ok"), this), "Button1", 112, 64, 78, 25);
    auto* cancel = place(new QPushButton(QStringLiteral("Отмена"), this), "Button2", 196, 64, 78, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AddServerDialog::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AddServerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        centreFrameOnScreen(*this);
        name_->clear();
        name_->setFocus(Qt::OtherFocusReason);
    }
}

void AddServerDialog::Button1Click() {
    const QString typed = name_->text();
    if (!typed.trimmed().isEmpty()) {
        const std::string refused = add_(ss(typed));
        if (!refused.empty()) {
            boxes_.error(this, qs(refused));
            name_->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    accept();
}

} // namespace domora
