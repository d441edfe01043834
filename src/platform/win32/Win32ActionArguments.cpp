#include "platform/win32/Win32ActionArguments.h"

namespace domora {

ToolStart ToolStartOf(SystemTool tool, bool windowsNT, const std::string& windowsFolder,
                      const std::string& systemFolder) {
    switch (tool) {
    case SystemTool::Defrag:
        return {"Open", windowsNT ? systemFolder + "\\dfrg.msc" : windowsFolder + "\\defrag.exe", {}};
    case SystemTool::DiskCheck:
        return {"open", "scandskw.exe", windowsFolder};
    case SystemTool::Notepad:
        return {"Open", (windowsNT ? systemFolder : windowsFolder) + "\\notepad.exe", {}};
    case SystemTool::RegistryEditor:
        return {"Open", RegistryEditorPath(systemFolder), {}};
    case SystemTool::DirectX:
        return {"Open", systemFolder + "\\dxdiag.exe", {}};
    case SystemTool::Browser:
        return {"Open", systemFolder.substr(0, 3) + "Program Files\\Internet Explorer\\IEXPLORE.EXE", {}};
    }
    return {};
}

std::string RegistryEditorPath(const std::string& systemFolder) {
    const auto first = systemFolder.find('\\');
    const auto second = first == std::string::npos ? first : systemFolder.find('\\', first + 1);
    const std::string head = second == std::string::npos ? systemFolder : systemFolder.substr(0, second + 1);
    return head + "\\regedit.exe";
}

SessionExit SessionExitOf(SessionEnd how, bool forced) {
    // EWX_LOGOFF 0, EWX_SHUTDOWN 1, EWX_REBOOT 2, EWX_FORCE 4, EWX_POWEROFF 8; the reason
    // 65535 is "other, planned".
    switch (how) {
    case SessionEnd::LogOff:
        return forced ? SessionExit{4, 65535} : SessionExit{0, 0};
    case SessionEnd::Restart:
        return {forced ? 6U : 2U, 0};
    case SessionEnd::PowerOff:
        return {forced ? 12U : 8U, 65535};
    }
    return {};
}

std::string CdDoorCommand(bool open) {
    return open ? "Set cdaudio door open wait" : "Set cdaudio door closed wait";
}

std::uint8_t VirtualKeyOf(LockKey key) {
    switch (key) {
    case LockKey::NumLock:
        return 144;
    case LockKey::CapsLock:
        return 20;
    case LockKey::ScrollLock:
        return 145;
    }
    return 0;
}

std::string LockKeyName(LockKey key) {
    switch (key) {
    case LockKey::NumLock:
        return "Num Lock";
    case LockKey::CapsLock:
        return "Caps Lock";
    case LockKey::ScrollLock:
        return "Scroll Lock";
    }
    return {};
}

std::string ShellExecuteFailureText(const std::string& program, std::intptr_t result) {
    std::string reason;
    switch (result) {
    case 0: // out of memory or resources
    case 8: // SE_ERR_OOM
        reason = "не хватает памяти";
        break;
    case 2: // SE_ERR_FNF
    case 3: // SE_ERR_PNF
        reason = "файл не найден";
        break;
    case 5: // SE_ERR_ACCESSDENIED
        reason = "доступ запрещён";
        break;
    case 11: // ERROR_BAD_FORMAT
        reason = "файл не является программой Windows";
        break;
    case 26: // SE_ERR_SHARE
        reason = "файл занят другой программой";
        break;
    case 27: // SE_ERR_ASSOCINCOMPLETE
    case 31: // SE_ERR_NOASSOC
        reason = "нет программы, которая открывает такие файлы";
        break;
    case 28: // SE_ERR_DDETIMEOUT
    case 29: // SE_ERR_DDEFAIL
    case 30: // SE_ERR_DDEBUSY
        reason = "система не ответила на запрос";
        break;
    case 32: // SE_ERR_DLLNOTFOUND
        reason = "не найдена нужная библиотека";
        break;
    default:
        reason = "ошибка " + std::to_string(result);
        break;
    }
    return "Не удалось запустить «" + program + "»: " + reason + ".";
}

std::string SystemRefusalText(std::uint32_t error) {
    std::string reason;
    switch (error) {
    case 1314: // ERROR_PRIVILEGE_NOT_HELD
        reason = "недостаточно прав";
        break;
    case 5: // ERROR_ACCESS_DENIED
        reason = "доступ запрещён";
        break;
    case 50:  // ERROR_NOT_SUPPORTED
    case 120: // ERROR_CALL_NOT_IMPLEMENTED
        reason = "эта версия Windows так не умеет";
        break;
    case 1115: // ERROR_SHUTDOWN_IN_PROGRESS
        reason = "работа системы уже завершается";
        break;
    case 0:
        reason = "причина не сообщена";
        break;
    default:
        reason = "ошибка " + std::to_string(error);
        break;
    }
    return "Система отказала: " + reason + ".";
}

} // namespace domora
