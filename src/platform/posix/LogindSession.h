#pragma once

#include "platform/SystemActions.h"

#include <string>

namespace domora {

// Ends the session, restarts, powers off and suspends through systemd-logind on the system
// bus. Not forced, an inhibitor that blocks the action refuses it with the blocker's name
// and reason; forced, the action is asked for anyway and logind overrides the inhibitors
// where polkit grants the right (it may ask the user).
class LogindSession {
public:
    ActionResult endSession(SessionEnd how, bool forced);
    ActionResult suspend();

private:
    enum class Kind { LogOff, Restart, PowerOff, Suspend };
    ActionResult perform(Kind kind, bool forced);
};

} // namespace domora
