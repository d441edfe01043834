#include "platform/PlatformTaskRunner.h"

#include "platform/SystemActions.h"
#include "platform/TaskProgramStarter.h"

namespace domora {

namespace {

TaskRunResult From(const ActionResult& result) {
    return result.done ? TaskRunResult::ok() : TaskRunResult::failed(result.failure);
}

} // namespace

PlatformTaskRunner::PlatformTaskRunner(TaskProgramStarter& starter, SystemActions& actions)
    : starter_(starter), actions_(actions) {}

TaskRunResult PlatformTaskRunner::runProgram(const std::string& directory, const std::string& fileName,
                                             const std::string& params) {
    return From(starter_.start(directory, fileName, params));
}

TaskRunResult PlatformTaskRunner::runPreset(TaskPreset preset, bool forced) {
    switch (preset) {
    case TaskPreset::Defrag:
        return From(actions_.runTool(SystemTool::Defrag));
    case TaskPreset::DiskCheck:
        return From(actions_.runTool(SystemTool::DiskCheck));
    case TaskPreset::PowerOff:
        return From(actions_.endSession(SessionEnd::PowerOff, forced));
    case TaskPreset::Restart:
        return From(actions_.endSession(SessionEnd::Restart, forced));
    case TaskPreset::Suspend:
        return From(actions_.suspend());
    case TaskPreset::MonitorOff:
        return From(actions_.monitorOff());
    case TaskPreset::ScreenSaver:
        return From(actions_.startScreenSaver());
    case TaskPreset::Custom:
        break;
    }
    return TaskRunResult::failed("Задание не выполнено: у него нет действия.");
}

} // namespace domora
