#include "platform/posix/PosixSystemActions.h"

namespace domora {
namespace {

ActionResult NotBuilt() {
    return ActionResult::failed("Это действие пока не поддерживается.");
}

} // namespace

ActionResult PosixSystemActions::runTool(SystemTool) {
    return NotBuilt();
}
ActionResult PosixSystemActions::cdDoor(bool) {
    return NotBuilt();
}
ActionResult PosixSystemActions::endSession(SessionEnd, bool) {
    return NotBuilt();
}
ActionResult PosixSystemActions::suspend() {
    return NotBuilt();
}
ActionResult PosixSystemActions::monitorOff() {
    return NotBuilt();
}
ActionResult PosixSystemActions::startScreenSaver() {
    return NotBuilt();
}
ActionResult PosixSystemActions::setWallpaper(const std::string&) {
    return NotBuilt();
}
ActionResult PosixSystemActions::toggleLockKey(LockKey) {
    return NotBuilt();
}
std::string PosixSystemActions::shellFolder(const std::string&) {
    return {};
}

} // namespace domora
