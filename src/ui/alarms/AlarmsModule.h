#pragma once

#include "ui/app/Module.h"

#include "core/alarms/AlarmRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace domora {

class AlarmListView;
class AlarmScheduler;
class AlarmStore;
class Clock;
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
    // The tray tip's line of the next alarm, after every pass and every change of the alarm
    // file. It goes by a reading of the file kept between them, read again after a change
    // (`reread`) and at the first pass of every hour, which also catches a file replaced from
    // outside the program.
    void showNextAlarm(bool reread);

    ModuleHost& host_;
    const Clock& clock_;
    SharedFlags& flags_;
    std::vector<AlarmRecord> trayAlarms_;
    std::int64_t trayReadingHour_ = -1;
    std::unique_ptr<AlarmStore> store_;
    std::unique_ptr<MinuteGate> gate_;
    std::unique_ptr<AlarmScheduler> scheduler_;
    std::unique_ptr<SoundPlayer> previewPlayer_;
    AlarmListView* list_ = nullptr;
};

} // namespace domora
