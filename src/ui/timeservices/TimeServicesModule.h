#pragma once

#include "ui/app/Module.h"

#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace domora {

// The time services as built so far: the fifteen clocks of the page "Время в мире" and the
// synchronisation section of the Options page with its server list (its two buttons stay
// disabled until the synchronisation itself is built).
class TimeServicesModule final : public Module {
public:
    explicit TimeServicesModule(const ModuleContext& context);

    // The time items of the tray menu's "Сервис" branch: "Время" with its three items and
    // "Изменить дату", disabled until synchronisation, the clock dialog and the map are built.
    void addServiceItems(QMenu& service);

    void showOptions(const OptionsState& state) override;
    void collectOptions(OptionsState& state) const override;

private:
    void buildWorldTimePage(QWidget* page);
    void buildSyncSection(QWidget* page);
    // The time-server list into the server box; a list that cannot be read is reported and
    // the box keeps what it had.
    void fillServerCombo();
    void tick(const DateTime& utc);

    Platform& platform_;
    MessageBoxes& boxes_;
    QWidget* owner_;

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
