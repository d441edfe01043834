#pragma once

#include "core/timeservices/ClockChange.h"
#include "ui/app/Module.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace domora {

class AddServerDialog;
class ClockDialog;
class TimeMapWindow;
class WorldMapView;
class HolidaysModule;

// The time services: the page "Время в мире" with its fifteen clocks and small world map,
// and the time map window opened from it; the synchronisation
// section of the Options page with its server list, the dialog that adds a server and the
// start of the synchronisation program; the dialog that sets the clock or the date by hand.
class TimeServicesModule final : public QObject, public Module {
    Q_OBJECT
public:
    // The holidays are told when the date may have been changed.
    TimeServicesModule(const ModuleContext& context, HolidaysModule& holidays);
    ~TimeServicesModule() override;

    // The time items of the tray menu's "Сервис" branch: "Время" with "Синхронизировать
    // через Интернет", "Изменить вручную" and "Время в мире" (the time map), and "Изменить
    // дату".
    void addServiceItems(QMenu& service);
    // The "Изменить..." buttons of the Service page's groups "Время" and "Дата".
    void addClockButtons(QWidget* timeGroup, QWidget* dateGroup);

    // Starts the synchronisation program with the chosen server and whether it reports its
    // course: "clocksy SERVER yes|no" in the program's folder. A start that fails is told.
    void SynchronizeNow();
    // Whether a new connection synchronises the clock ("Синхронизировать время при  устоновке
    // удалённого соединения", as the page shows it now).
    bool synchronizeOnConnect() const;
    // The time map window ("Карта времени"), shown modally.
    void showTimeMap();

    void showOptions(const OptionsState& state) override;
    void collectOptions(OptionsState& state) const override;

private:
    void buildWorldTimePage(QWidget* page);
    void buildSyncSection(QWidget* page);
    // The time-server list into the server box, keeping the text it shows; a list that
    // cannot be read is reported and the box keeps what it had.
    void fillServerCombo();
    void tick(const DateTime& utc);
    void addServerClick();
    // The clock dialog for the time or the date; after the date the holidays of the day are
    // looked up again.
    void changeTimeDate(ClockMode mode);

    Platform& platform_;
    MessageBoxes& boxes_;
    QWidget* owner_;
    HolidaysModule& holidays_;
    std::string serverListPath_;
    std::unique_ptr<AddServerDialog> addServerDialog_; // made when first opened
    std::unique_ptr<ClockDialog> clockDialog_;         // made when first opened
    std::unique_ptr<TimeMapWindow> timeMap_;           // made when first opened
    WorldMapView* worldMap_ = nullptr;

    struct ZoneClock {
        QLabel* display;
        std::int8_t offset;
    };
    std::vector<ZoneClock> zoneClocks_; // in the order the tick fills them

    QCheckBox* syncOnConnect_ = nullptr;
    QCheckBox* syncMessage_ = nullptr;
    QComboBox* serverCombo_ = nullptr;
};

} // namespace domora
