#pragma once

#include "ui/app/Module.h"

#include <memory>

namespace domora {

class HolidayPage;
class HolidayReminder;
class HolidayStore;
class Clock;
class CountdownModule;

// The holidays: the store of the holiday file, the inner page "Праздники", today's
// holidays on the event line (Timer4), the advance reminder (Timer6), which plays the
// countdown's sound as the user last chose it, and the "Праздники" branch of the tray menu.
class HolidaysModule final : public Module {
public:
    HolidaysModule(const ModuleContext& context, const CountdownModule& countdown);
    ~HolidaysModule() override;

    void addMenuBranch(QMenu& menu) override;

    // The date may have been changed: today's holidays are looked up again for the event
    // line.
    void dateChanged();

private:
    void eventLineTick();
    void reminderTick();

    ModuleHost& host_;
    MessageBoxes& boxes_;
    const Clock& clock_;
    const CountdownModule& countdown_;
    std::unique_ptr<HolidayStore> store_;
    std::unique_ptr<HolidayReminder> reminder_;
    HolidayPage* page_ = nullptr;
};

} // namespace domora
