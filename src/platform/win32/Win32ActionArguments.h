#pragma once

#include "platform/SystemActions.h"

#include <cstdint>
#include <string>

namespace domora {

// The arguments of the system actions' calls, worked out from what the system tells about
// itself. Paths are in the ANSI code page, as the folders come from the system.

// How a tool is started: the shell verb, the file and the working folder (empty: none).
struct ToolStart {
    std::string verb;
    std::string file;
    std::string directory;
};

// `windowsNT`: the NT family; the folders as GetWindowsDirectoryA and GetSystemDirectoryA
// give them.
ToolStart ToolStartOf(SystemTool tool, bool windowsNT, const std::string& windowsFolder,
                      const std::string& systemFolder);

// The system folder cut after its second backslash (the whole of it when it has fewer)
// with "\regedit.exe" after it: "C:\WINDOWS\SYSTEM32" gives "C:\WINDOWS\\regedit.exe",
// which Windows takes as it is.
std::string RegistryEditorPath(const std::string& systemFolder);

// The flags and the reason of ExitWindowsEx.
struct SessionExit {
    std::uint32_t flags = 0;
    std::uint32_t reason = 0;
};
SessionExit SessionExitOf(SessionEnd how, bool forced);

// The MCI command that opens or closes the door of the optical drive and waits for it.
std::string CdDoorCommand(bool open);

// The virtual key code of a lock key.
std::uint8_t VirtualKeyOf(LockKey key);
// "Num Lock", "Caps Lock", "Scroll Lock", for messages.
std::string LockKeyName(LockKey key);

// "Не удалось запустить «program»: файл не найден." for a ShellExecuteA result of 32 or
// less; `program` is UTF-8.
std::string ShellExecuteFailureText(const std::string& program, std::intptr_t result);
// "Система отказала: недостаточно прав." for the error code of a refused call.
std::string SystemRefusalText(std::uint32_t error);

} // namespace domora
