#include "platform/win32/Win32SystemActions.h"

namespace domora {
namespace {

ActionResult NotBuilt() {
    return ActionResult::failed("Это действие пока не поддерживается.");
}

} // namespace

ActionResult Win32SystemActions::runTool(SystemTool) {
    return NotBuilt();
}
ActionResult Win32SystemActions::cdDoor(bool) {
    return NotBuilt();
}
ActionResult Win32SystemActions::endSession(SessionEnd, bool) {
    return NotBuilt();
}
ActionResult Win32SystemActions::suspend() {
    return NotBuilt();
}
ActionResult Win32SystemActions::monitorOff() {
    return NotBuilt();
}
ActionResult Win32SystemActions::startScreenSaver() {
    return NotBuilt();
}
ActionResult Win32SystemActions::setWallpaper(const std::string&) {
    return NotBuilt();
}
ActionResult Win32SystemActions::toggleLockKey(LockKey) {
    return NotBuilt();
}
std::string Win32SystemActions::shellFolder(const std::string&) {
    return {};
}

} // namespace domora
