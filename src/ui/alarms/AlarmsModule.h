#pragma once

#include "ui/app/Module.h"

#include <memory>

namespace domora {

class AlarmListView;
class AlarmScheduler;
class AlarmStore;
class MinuteGate;
class SoundPlayer;

// The alarms: the store of the alarm file, the list and editor in the upper half of
// "Будильники и Таймер", the scheduler that Timer5 drives, and the "Будильники" branch of
// the tray menu.
class AlarmsModule final : public Module {
public:
    explicit AlarmsModule(const ModuleContext& context);
    ~AlarmsModule() override;

    void addMenuBranch(QMenu& menu) override;

private:
    ModuleHost& host_;
    std::unique_ptr<AlarmStore> store_;
    std::unique_ptr<MinuteGate> gate_;
    std::unique_ptr<AlarmScheduler> scheduler_;
    std::unique_ptr<SoundPlayer> previewPlayer_;
    AlarmListView* list_ = nullptr;
};

} // namespace domora
