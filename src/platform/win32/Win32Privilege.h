#pragma once

#include "platform/win32/Win32SystemCalls.h"

namespace domora {

// Enables a privilege of this process's token ("SeShutdownPrivilege",
// "SeSystemtimePrivilege"): OpenProcessToken, LookupPrivilegeValueA, AdjustTokenPrivileges,
// CloseHandle, the last error cleared first. A step that fails shows in the refusal of the
// call that needs the privilege.
void EnablePrivilege(Win32SystemCalls& calls, const char* name);

} // namespace domora
