#include "ui/app/PendingModule.h"

#include "core/app/Settings.h"
#include "core/app/TimeText.h"
#include "ui/app/Menu.h"
#include "ui/app/Place.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace domora {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ss(const QString& text) {
    return text.toStdString();
}

// An item whose part of the program is not built yet: present and disabled.
void addLaterItem(QMenu& menu, const char* name, const char* caption) {
    addItem(menu, name, QString::fromUtf8(caption))->setEnabled(false);
}

} // namespace

PendingModule::PendingModule(const ModuleContext& context) {
    buildServicePage(context.host.page(Page::Service));
    buildBalanceSection(context.host.page(Page::Options));
    context.host.onClockTick([this](const DateTime& local, const DateTime&) {
        serviceTime_->setText(qs(FormatLongTime(local)));
        serviceDate_->setText(qs(FormatShortDate(local)));
    });
}

void PendingModule::buildServicePage(QWidget* page) {
    QGroupBox* time = group(page, QStringLiteral("Время"), 4, 2, 120, 46);
    serviceTime_ = field(time, "StaticText26", QString(), 8, 20, 104, 18);
    QGroupBox* date = group(page, QStringLiteral("Дата"), 128, 2, 120, 46);
    serviceDate_ = field(date, "StaticText27", QString(), 8, 20, 104, 18);
}

void PendingModule::buildBalanceSection(QWidget* page) {
    QGroupBox* balance =
        group(page, QStringLiteral("Выводить сообщение о низком балансе счёта Dial-up, если менее:"), 4, 180,
              505, 106);
    struct Row {
        WarningControls* controls;
        const char* boxName;
        const char* editName;
        QString unit;
    };
    const Row rows[] = {{&money_, "CheckBox9", "Edit3", QStringLiteral("$")},
                        {&day_, "CheckBox10", "Edit4", QStringLiteral("дневных часов")},
                        {&evening_, "CheckBox12", "Edit6", QStringLiteral("вечерних часов")},
                        {&night_, "CheckBox11", "Edit5", QStringLiteral("ночных часов")}};
    int y = 20;
    for (const Row& row : rows) {
        row.controls->on = check(balance, row.boxName, QString(), 8, y + 1, 18);
        row.controls->threshold =
            place(new QLineEdit(QStringLiteral("1"), balance), row.editName, 28, y, 40, 20);
        row.controls->threshold->setMaxLength(10);
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

void PendingModule::addMenuBranch(QMenu& menu) {
    QMenu* tasks = addSubmenu(menu, "mnTasks", QStringLiteral("Задания"));
    addLaterItem(*tasks, "mnZSee", "Показать");
    tasks->addSeparator();
    addLaterItem(*tasks, "mnZAdd", "Добавить");
    addLaterItem(*tasks, "mnZDelAll", "Удалить все");

    QMenu* service = addSubmenu(menu, "mnService", QStringLiteral("Сервис"));
    QMenu* launch = addSubmenu(*service, "mnSRun", QStringLiteral("Запуск"));
    addLaterItem(*launch, "mnSRunDefrag", "Дефрагментация");
    addLaterItem(*launch, "mnSRunDirectX", "DirectX");
    addLaterItem(*launch, "mnSRunIE", "Internet Explorer");
    addLaterItem(*launch, "mnSRunNotepad", "Блокнот");
    addLaterItem(*launch, "mnSRunRegedit", "Редактор реестра");
    addLaterItem(*launch, "mnSRunDiskCheck", "Проверка диска");
    QMenu* cd = addSubmenu(*service, "mnSCD", QStringLiteral("CD"));
    addLaterItem(*cd, "mnSCDOpen", "Открыть");
    addLaterItem(*cd, "mnSCDClose", "Закрыть");
    QMenu* computer = addSubmenu(*service, "mnSComputer", QStringLiteral("Компьютер"));
    addLaterItem(*computer, "mnSLogOff", "Log off");
    addLaterItem(*computer, "mnSRestart", "Перегрузить");
    addLaterItem(*computer, "mnSPowerOff", "Выключить");
    addLaterItem(*computer, "mnSSuspend", "Приостановить работу");
    QMenu* monitor = addSubmenu(*service, "mnSMonitor", QStringLiteral("Монитор"));
    addLaterItem(*monitor, "mnSMonitorOff", "Выключить");
    addLaterItem(*monitor, "mnSScreenSaver", "Запустить заставку");
    addLaterItem(*monitor, "mnSWallpaper", "Сменить обои на рабочем столе");
    QMenu* time = addSubmenu(*service, "mnSTime", QStringLiteral("Время"));
    addLaterItem(*time, "mnSTimeSync", "Синхронизировать через Интернет");
    addLaterItem(*time, "mnSTimeSet", "Изменить вручную");
    addLaterItem(*time, "mnSTimeWorld", "Время в мире");
    addLaterItem(*service, "mnSDate", "Изменить дату");
    QMenu* other = addSubmenu(*service, "mnSOther", QStringLiteral("Другое"));
    addLaterItem(*other, "mnSNumLock", "Включить/Выключить Num Lock");
    addLaterItem(*other, "mnSCapsLock", "Включить/Выключить Caps Lock");
    addLaterItem(*other, "mnSScrollLock", "Включить/Выключить Scroll Lock");
    addLaterItem(*other, "mnSTaskBar", "Спрятать/Показать TaskBar");
}

void PendingModule::showOptions(const OptionsState& state) {
    const std::pair<const WarningControls*, const WarningRow*> rows[] = {
        {&money_, &state.money}, {&day_, &state.day}, {&night_, &state.night}, {&evening_, &state.evening}};
    for (const auto& [controls, row] : rows) {
        controls->on->setChecked(row->on);
        controls->threshold->setText(qs(row->threshold));
    }
    lastSession_->setText(qs(state.lastSession));
    lastCost_->setText(qs(state.lastCost));
    balance_->setText(qs(state.balance));
}

void PendingModule::collectOptions(OptionsState& state) const {
    state.money = {money_.on->isChecked(), ss(money_.threshold->text())};
    state.day = {day_.on->isChecked(), ss(day_.threshold->text())};
    state.night = {night_.on->isChecked(), ss(night_.threshold->text())};
    state.evening = {evening_.on->isChecked(), ss(evening_.threshold->text())};
    state.lastSession = ss(lastSession_->text());
    state.lastCost = ss(lastCost_->text());
    state.balance = ss(balance_->text());
}

void PendingModule::optionsSaved() {
    balanceWarned_.fill(false);
}

} // namespace domora
