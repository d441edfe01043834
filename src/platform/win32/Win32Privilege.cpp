#include "platform/win32/Win32Privilege.h"

namespace domora {
namespace {

constexpr std::uint32_t kTokenAdjustPrivilegesAndQuery = 40; // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 2;               // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kPreviousStateSize = 16;             // one TOKEN_PRIVILEGES entry

} // namespace

void EnablePrivilege(Win32SystemCalls& calls, const char* name) {
    calls.setLastError(0);
    const auto token = calls.openProcessToken(kTokenAdjustPrivilegesAndQuery);
    if (!token) {
        return;
    }
    if (const auto luid = calls.lookupPrivilegeValue("", name)) {
        calls.adjustTokenPrivileges(*token, false, *luid, kPrivilegeEnabled, kPreviousStateSize);
    }
    calls.closeHandle(*token);
}

} // namespace domora
