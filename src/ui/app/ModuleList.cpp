#include "ui/app/ModuleList.h"

#include "ui/alarms/AlarmsModule.h"
#include "ui/balance/BalanceModule.h"
#include "ui/holidays/HolidaysModule.h"
#include "ui/missed/MissedModule.h"
#include "ui/service/ServiceModule.h"
#include "ui/sysinfo/SystemInfoModule.h"
#include "ui/tasks/TasksModule.h"
#include "ui/timer/CountdownModule.h"
#include "ui/timeservices/TimeServicesModule.h"

namespace domora {

namespace {

template <typename M, typename... Args>
M& add(std::vector<std::unique_ptr<Module>>& modules, Args&&... args) {
    auto module = std::make_unique<M>(std::forward<Args>(args)...);
    M& result = *module;
    modules.push_back(std::move(module));
    return result;
}

} // namespace

std::vector<std::unique_ptr<Module>> CreateModules(const ModuleContext& context) {
    std::vector<std::unique_ptr<Module>> modules;
    // First: its beat reckons what was missed before the schedulers make their passes.
    add<MissedModule>(modules, context);
    const CountdownModule& countdown = add<CountdownModule>(modules, context);
    HolidaysModule& holidays = add<HolidaysModule>(modules, context, countdown);
    add<AlarmsModule>(modules, context);
    TimeServicesModule& timeServices = add<TimeServicesModule>(modules, context, holidays);
    add<TasksModule>(modules, context);
    add<BalanceModule>(modules, context, timeServices);
    add<ServiceModule>(modules, context, timeServices);
    add<SystemInfoModule>(modules, context);
    return modules;
}

} // namespace domora
