#include "ui/timeservices/TimeServicesModule.h"

#include "core/app/Settings.h"
#include "core/app/TimeText.h"
#include "core/timeservices/ServerList.h"
#include "core/timeservices/WorldClocks.h"
#include "platform/Platform.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <map>

namespace domora {

TimeServicesModule::TimeServicesModule(const ModuleContext& context)
    : platform_(context.platform), boxes_(context.boxes), owner_(context.host.owner()) {
    buildWorldTimePage(context.host.page(Page::WorldTime));
    buildSyncSection(context.host.page(Page::Options));
    fillServerCombo();
    context.host.onClockTick([this](const DateTime&, const DateTime& utc) { tick(utc); });
}

void TimeServicesModule::addServiceItems(QMenu& service) {
    QMenu* time = addSubmenu(service, "mnSTime", QStringLiteral("Время"));
    const std::pair<const char*, const char*> items[] = {{"mnSTimeSync", "Синхронизировать через Интернет"},
                                                         {"mnSTimeSet", "Изменить вручную"},
                                                         {"mnSTimeWorld", "Время в мире"}};
    for (const auto& [name, caption] : items) {
        addItem(*time, name, QString::fromUtf8(caption))->setEnabled(false);
    }
    addItem(service, "mnSDate", QStringLiteral("Изменить дату"))->setEnabled(false);
}

void TimeServicesModule::buildWorldTimePage(QWidget* page) {
    std::map<std::string_view, QLabel*> displays;
    for (const WorldClock& clock : kWorldClocks) {
        const int x = 6 + clock.column * 252;
        const int top = 6 + clock.row * 30;
        label(page, qs(clock.caption), x, top, 160, 22);
        displays[clock.display] =
            field(page, std::string(clock.display).c_str(), QString(), x + 166, top + 2, 70, 18);
    }
    // Four lines in a box of 52 pixels: a point smaller than the page's other captions.
    QLabel* cet = label(page, qs(kCentralEuropeanClock.caption), 258, 214, 160, 52);
    cet->setWordWrap(true);
    QFont small = cet->font();
    small.setPointSizeF(small.pointSizeF() - 1);
    cet->setFont(small);
    displays[kCentralEuropeanClock.display] =
        field(page, std::string(kCentralEuropeanClock.display).c_str(), QString(), 424, 232, 70, 18);

    std::map<std::string_view, std::int8_t> offsets;
    for (const WorldClock& clock : kWorldClocks) {
        offsets[clock.display] = clock.offset;
    }
    offsets[kCentralEuropeanClock.display] = kCentralEuropeanClock.offset;
    for (std::string_view name : kWorldClockTickOrder) {
        zoneClocks_.push_back({displays.at(name), offsets.at(name)});
    }
}

void TimeServicesModule::buildSyncSection(QWidget* page) {
    QGroupBox* sync = group(page, QStringLiteral("Синхронизация времени"), 4, 98, 505, 80);
    syncOnConnect_ =
        check(sync, "CheckBox7",
              QStringLiteral("Синхронизировать время при  устоновке удалённого соединения"), 8, 18, 490);
    syncMessage_ =
        check(sync, "CheckBox8", QStringLiteral("Выдать сообщение о ходе синхронизации"), 8, 36, 490);
    label(sync, QStringLiteral("Сервер"), 8, 56, 44, 20);
    serverCombo_ = place(new QComboBox(sync), "ComboBox3", 54, 54, 150, 22);
    serverCombo_->setEditable(true);
    serverCombo_->setInsertPolicy(QComboBox::NoInsert);
    auto* addServer =
        place(new QPushButton(QStringLiteral("Добавить сервер..."), sync), "SpeedButton38", 210, 53, 134, 24);
    auto* syncNow = place(new QPushButton(QStringLiteral("Синхронизировать сейчас"), sync), "SpeedButton46",
                          348, 53, 150, 24);
    // The server list's editing and the synchronisation come with the time synchronisation.
    addServer->setEnabled(false);
    syncNow->setEnabled(false);
}

void TimeServicesModule::fillServerCombo() {
    const std::string path = platform_.location().appDir() + "Data/IServers.DMR";
    const std::optional<std::vector<std::string>> servers = LoadServers(platform_.files(), path);
    if (!servers) {
        boxes_.error(owner_, QStringLiteral("Не удалось открыть файл списка серверов времени «%1».")
                                 .arg(QString::fromStdString(path)));
        return;
    }
    serverCombo_->clear();
    serverCombo_->setCurrentText(QString());
    for (const std::string& server : *servers) {
        serverCombo_->addItem(QString::fromStdString(server));
    }
    serverCombo_->setCurrentText(QString());
}

void TimeServicesModule::tick(const DateTime& utc) {
    const Clock& clock = platform_.clock();
    for (const ZoneClock& zone : zoneClocks_) {
        zone.display->setText(QString::fromStdString(FormatZoneTime(utc, zone.offset, clock)));
    }
}

void TimeServicesModule::showOptions(const OptionsState& state) {
    syncOnConnect_->setChecked(state.synchronization);
    syncMessage_->setChecked(state.messageSynchron);
    serverCombo_->setCurrentText(QString::fromStdString(state.serverSynchron));
}

void TimeServicesModule::collectOptions(OptionsState& state) const {
    state.synchronization = syncOnConnect_->isChecked();
    state.messageSynchron = syncMessage_->isChecked();
    state.serverSynchron = serverCombo_->currentText().toStdString();
}

} // namespace domora
