#pragma once

#include <cstdint>
#include <string>

namespace domora {

// The standard tools the Service page starts.
enum class SystemTool { Defrag, DiskCheck, Notepad, RegistryEditor, DirectX, Browser };
// The three ways of ending the session.
enum class SessionEnd { LogOff, Restart, PowerOff };
enum class LockKey { NumLock, CapsLock, ScrollLock };

// What became of a system action: done, or a Russian text (UTF-8) saying why not.
struct ActionResult {
    bool done = true;
    std::string failure;

    static ActionResult ok() { return {}; }
    static ActionResult failed(std::string text) { return {false, std::move(text)}; }
};

// The system chores of the Service page and the preset tasks. Every action says whether it
// was done; a missing tool, a missing drive or a refusal of the system is a failure with
// its reason, never silence.
class SystemActions {
public:
    virtual ~SystemActions() = default;

    // The program's main window (a native window handle), where the system wants one as the
    // owner of a call. Set once the window exists; 0 until then.
    virtual void setMainWindow(std::uintptr_t nativeWindow) = 0;

    virtual ActionResult runTool(SystemTool tool) = 0;
    // Opens or closes the door of the first optical drive and returns once it has moved.
    virtual ActionResult cdDoor(bool open) = 0;
    // Not forced: what the system lets block it (programs that object, inhibitors) is
    // respected; forced: it is overridden.
    virtual ActionResult endSession(SessionEnd how, bool forced) = 0;
    virtual ActionResult suspend() = 0;
    virtual ActionResult monitorOff() = 0;
    virtual ActionResult startScreenSaver() = 0;
    // The picture file as chosen, not converted.
    virtual ActionResult setWallpaper(const std::string& path) = 0;
    virtual ActionResult toggleLockKey(LockKey key) = 0;
    // The path of one of the user's shell folders by its Windows value name ("AppData",
    // "Cache", ... "Templates"); empty where the system has none.
    virtual std::string shellFolder(const std::string& valueName) = 0;
};

} // namespace domora
