#include "ui/app/PendingModule.h"

#include "core/app/Settings.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace domora {

PendingModule::PendingModule(const ModuleContext& context) {
    buildBalanceSection(context.host.page(Page::Options));
}

void PendingModule::buildBalanceSection(QWidget* page) {
    QGroupBox* balance =
        group(page, QStringLiteral("Выводить сообщение о низком балансе счёта Dial-up, если менее:"), 4, 180,
              505, 106);
    struct Row {
        WarningRow OptionsState::*setting;
        const char* boxName;
        const char* editName;
        QString unit;
    };
    const Row rows[] = {{&OptionsState::money, "CheckBox9", "Edit3", QStringLiteral("$")},
                        {&OptionsState::day, "CheckBox10", "Edit4", QStringLiteral("дневных часов")},
                        {&OptionsState::evening, "CheckBox12", "Edit6", QStringLiteral("вечерних часов")},
                        {&OptionsState::night, "CheckBox11", "Edit5", QStringLiteral("ночных часов")}};
    int y = 20;
    for (std::size_t i = 0; i < warnings_.size(); ++i) {
        const Row& row = rows[i];
        Warning& warning = warnings_[i];
        warning.setting = row.setting;
        warning.on = check(balance, row.boxName, QString(), 8, y + 1, 18);
        warning.threshold = place(new QLineEdit(QStringLiteral("1"), balance), row.editName, 28, y, 40, 20);
        warning.threshold->setMaxLength(10);
        // Whole numbers only, as they are typed.
        warning.threshold->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), warning.threshold));
        label(balance, row.unit, 72, y, 100, 20);
        y += 21;
    }
    label(balance, QStringLiteral("Баланс:"), 180, 20, 200, 18);
    balance_ = field(balance, "StaticText56", QStringLiteral("0"), 390, 20, 70, 18);
    label(balance, QStringLiteral("Сейчас один час стоит"), 180, 41, 200, 18);
    hourPrice_ = field(balance, "StaticText58", QStringLiteral("0"), 390, 41, 70, 18);
    label(balance, QStringLiteral("Последний сеанс связи длился и стоил"), 180, 62, 206, 18);
    lastSession_ = field(balance, "StaticText39", QStringLiteral("00:00:00"), 390, 62, 58, 18);
    lastCost_ = field(balance, "StaticText57", QStringLiteral("0,00"), 450, 62, 36, 18);
    label(balance, QStringLiteral("$"), 490, 62, 10, 18);
    // The tariffs are edited by the balance program, which comes with the balance accounting.
    auto* settings =
        place(new QPushButton(QStringLiteral("Настройки..."), balance), "SpeedButton47", 180, 80, 110, 22);
    settings->setEnabled(false);
}

void PendingModule::showOptions(const OptionsState& state) {
    for (const Warning& warning : warnings_) {
        warning.on->setChecked((state.*warning.setting).on);
        warning.threshold->setText(qs((state.*warning.setting).threshold));
    }
    lastSession_->setText(qs(state.lastSession));
    lastCost_->setText(qs(state.lastCost));
    balance_->setText(qs(state.balance));
}

void PendingModule::collectOptions(OptionsState& state) const {
    for (const Warning& warning : warnings_) {
        state.*warning.setting = {warning.on->isChecked(), ss(warning.threshold->text())};
    }
    state.lastSession = ss(lastSession_->text());
    state.lastCost = ss(lastCost_->text());
    state.balance = ss(balance_->text());
}

bool PendingModule::focusOptionsField(OptionsField field) {
    WarningRow OptionsState::*setting = nullptr;
    switch (field) {
    case OptionsField::MoneyThreshold:
        setting = &OptionsState::money;
        break;
    case OptionsField::DayThreshold:
        setting = &OptionsState::day;
        break;
    case OptionsField::NightThreshold:
        setting = &OptionsState::night;
        break;
    case OptionsField::EveningThreshold:
        setting = &OptionsState::evening;
        break;
    case OptionsField::LastSession:
        return false; // a display, not typed into
    }
    for (const Warning& warning : warnings_) {
        if (warning.setting == setting) {
            warning.threshold->setFocus(Qt::OtherFocusReason);
            warning.threshold->selectAll();
            return true;
        }
    }
    return false;
}

void PendingModule::optionsSaved() {
    balanceWarned_.fill(false);
}

} // namespace domora
