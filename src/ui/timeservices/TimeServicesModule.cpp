#include "ui/timeservices/TimeServicesModule.h"

#include "core/app/Settings.h"
#include "core/app/TimeText.h"
#include "core/timeservices/ServerList.h"
#include "core/timeservices/TimeMap.h"
#include "core/timeservices/WorldClocks.h"
#include "platform/Platform.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/holidays/HolidaysModule.h"
#include "ui/timeservices/AddServerDialog.h"
#include "ui/timeservices/ClockDialog.h"
#include "ui/timeservices/TimeMapWindow.h"
#include "ui/timeservices/WorldMapPicture.h"
#include "ui/timeservices/WorldMapView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <map>

namespace domora {

TimeServicesModule::TimeServicesModule(const ModuleContext& context, HolidaysModule& holidays)
    : platform_(context.platform), boxes_(context.boxes), owner_(context.host.owner()), holidays_(holidays),
      serverListPath_(context.platform.location().appDir() + "Data/IServers.DMR") {
    buildWorldTimePage(context.host.page(Page::WorldTime));
    buildSyncSection(context.host.page(Page::Options));
    fillServerCombo();
    context.host.onClockTick([this](const DateTime&, const DateTime& utc) { tick(utc); });
}

TimeServicesModule::~TimeServicesModule() = default;

void TimeServicesModule::addServiceItems(QMenu& service) {
    QMenu* time = addSubmenu(service, "mnSTime", QStringLiteral("Время"));
    addItem(*time, "mnSTimeSync", QStringLiteral("Синхронизировать через Интернет"), this,
            &TimeServicesModule::SynchronizeNow);
    addItem(*time, "mnSTimeSet", QStringLiteral("Изменить вручную"), this,
            [this] { changeTimeDate(ClockMode::Time); });
    addItem(*time, "mnSTimeWorld", QStringLiteral("Время в мире"), this, &TimeServicesModule::showTimeMap);
    addItem(service, "mnSDate", QStringLiteral("Изменить дату"), this,
            [this] { changeTimeDate(ClockMode::Date); });
}

void TimeServicesModule::addClockButtons(QWidget* timeGroup, QWidget* dateGroup) {
    auto* time =
        place(new QPushButton(QStringLiteral("Изменить..."), timeGroup), "SpeedButton31", 8, 40, 106, 21);
    auto* date =
        place(new QPushButton(QStringLiteral("Изменить..."), dateGroup), "SpeedButton32", 8, 40, 108, 21);
    connect(time, &QPushButton::clicked, this, [this] { changeTimeDate(ClockMode::Time); });
    connect(date, &QPushButton::clicked, this, [this] { changeTimeDate(ClockMode::Date); });
}

void TimeServicesModule::changeTimeDate(ClockMode mode) {
    if (!clockDialog_) {
        clockDialog_ = std::make_unique<ClockDialog>(platform_.clock(), platform_.clockSetter(), boxes_);
    }
    ownBy(*clockDialog_, owner_);
    clockDialog_->ChangeTimeDate(mode);
    if (mode == ClockMode::Date) {
        holidays_.dateChanged();
    }
}

// The map window is made when first opened and kept, with the city chosen in it.
void TimeServicesModule::showTimeMap() {
    if (!timeMap_) {
        timeMap_ = std::make_unique<TimeMapWindow>(platform_.clock(), [] { return WorldMapImage(); });
    }
    ownBy(*timeMap_, owner_);
    timeMap_->exec();
}

void TimeServicesModule::SynchronizeNow() {
    const std::vector<std::string> fields = {ss(serverCombo_->currentText()),
                                             syncMessage_->isChecked() ? "yes" : "no"};
    const std::string folder = platform_.location().appDir();
    if (platform_.launcher().startProgram("Clocksy.exe", fields, folder) <= 32) {
        boxes_.error(owner_, QStringLiteral("Не удалось запустить программу синхронизации времени «clocksy» "
                                            "из папки «%1».")
                                 .arg(qs(folder)));
    }
}

bool TimeServicesModule::synchronizeOnConnect() const {
    return syncOnConnect_->isChecked();
}

void TimeServicesModule::addServerClick() {
    if (!addServerDialog_) {
        addServerDialog_ = std::make_unique<AddServerDialog>(boxes_, [this](const std::string& name) {
            std::string refused;
            if (!AddServer(platform_.files(), serverListPath_, name, &refused)) {
                return refused.empty() ? std::string("Сервер не добавлен.") : refused;
            }
            fillServerCombo();
            return std::string();
        });
    }
    ownBy(*addServerDialog_, owner_);
    addServerDialog_->exec();
}

// The map at the top left, half its size in the map window; beside it a column of twelve
// clocks, below it the ocean box, the map button and the other three clocks.
void TimeServicesModule::buildWorldTimePage(QWidget* page) {
    worldMap_ = place(new WorldMapView(page), nullptr, 4, 4, kMapWidth / 2 + 1, kMapHeight / 2 + 1);
    worldMap_->setToolTip(QStringLiteral("Двойной щелчок открывает карту времени"));
    auto* ocean = check(page, "CheckBox3", QStringLiteral("Океан"), 6, 174, 80);
    ocean->setChecked(true);
    auto* mapButton =
        place(new QPushButton(QStringLiteral("Карта времени"), page), "SpeedButton9", 238, 172, 120, 23);
    connect(ocean, &QCheckBox::clicked, worldMap_, &WorldMapView::setOpaque);
    connect(mapButton, &QPushButton::clicked, this, &TimeServicesModule::showTimeMap);
    connect(worldMap_, &WorldMapView::doubleClicked, this, &TimeServicesModule::showTimeMap);

    std::map<std::string_view, QLabel*> displays;
    for (const WorldClock& clock : kWorldClocks) {
        const bool beside = clock.column == 0;
        const int x = beside ? 366 : 4;
        const int top = beside ? 4 + clock.row * 21 : 210 + clock.row * 30;
        const int captionWidth = beside ? 80 : 124;
        label(page, qs(clock.caption), x, top, captionWidth, 20);
        displays[clock.display] =
            field(page, std::string(clock.display).c_str(), QString(), x + captionWidth + 2, top + 1, 60, 18);
    }
    // Three lines in a box of 42 pixels, a point smaller than the page's other captions, and
    // the display below the end of the caption.
    QLabel* cet = label(page, qs(kCentralEuropeanClock.caption), 198, 206, 160, 42);
    cet->setWordWrap(true);
    QFont small = cet->font();
    small.setPointSizeF(small.pointSizeF() - 1);
    cet->setFont(small);
    displays[kCentralEuropeanClock.display] =
        field(page, std::string(kCentralEuropeanClock.display).c_str(), QString(), 298, 252, 60, 18);

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
    connect(addServer, &QPushButton::clicked, this, &TimeServicesModule::addServerClick);
    connect(syncNow, &QPushButton::clicked, this, &TimeServicesModule::SynchronizeNow);
}

// Refilling keeps the server shown, so that saving the Options page after an addition
// stores the server that was chosen, not an empty one.
void TimeServicesModule::fillServerCombo() {
    const std::optional<std::vector<std::string>> servers = LoadServers(platform_.files(), serverListPath_);
    if (!servers) {
        boxes_.error(owner_, QStringLiteral("Не удалось открыть файл списка серверов времени «%1».")
                                 .arg(QString::fromStdString(serverListPath_)));
        return;
    }
    const QString chosen = serverCombo_->currentText();
    serverCombo_->clear();
    for (const std::string& server : *servers) {
        serverCombo_->addItem(QString::fromStdString(server));
    }
    serverCombo_->setCurrentText(chosen);
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
