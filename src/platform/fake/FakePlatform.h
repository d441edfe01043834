#pragma once

#include "core/app/MemoryRegistry.h"
#include "platform/Platform.h"
#include "testing/core/FakeClock.h"
#include "testing/core/FakeWallTimer.h"
#include "testing/core/MemoryFileStore.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace domora {

// The platform of tests: a fake clock, a registry and files in memory, and fakes of the
// other services that answer as the test sets them and note every call, in order, in one
// log:
//   "singleInstance.acquire", "singleInstance.showAlreadyRunning <text>"
//   "autostart.set /opt/domora/domora", "autostart.remove", "autostart.isSet"
//   "launcher.start Notebox.exe [1|a b|] dir=/app/", "launcher.shortPathOf /app/",
//   "launcher.startWatched Tallyup.exe [fac] dir=/app/"
//   "keyboard.activateRussian"
//   "taskbar.hide", "taskbar.show"
//   "actions.runTool Defrag", "actions.cdDoor open", "actions.endSession PowerOff forced",
//   "actions.suspend", "actions.monitorOff", "actions.startScreenSaver",
//   "actions.setWallpaper /home/u/a.gif", "actions.toggleLockKey CapsLock",
//   "actions.shellFolder Personal"
//   "tasks.start /home/u|run.sh|-a 'b c'"
//   "clock.setUtc 2027-01-04 22:30:05.000", "clock.shiftBy +3600250000" (microseconds)
//   "system.disk /media/usb" (each drive read; clock measurements are counted apart)
// The connection's kind is read twice a second and is not noted.
class FakePlatform final : public Platform {
public:
    FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Answers, set by the test.
    bool instanceFree = true;   // acquire(): false as if another copy ran
    bool noticeShown = false;   // showAlreadyRunning(): true as if the system showed it
    bool taskbarVisible = true; // hideReportingWasVisible() answers it, then hides; show() shows
    int launcherResult = 33;    // startProgram()
    bool keyboardResult = true; // activateRussian()
    bool autostartWorks = true; // set() and remove() succeed
    bool autostartSet = false;  // the registration; set() and remove() change it
    std::string autostartPath;  // the executable registered last
    std::string executablePathValue = "/opt/domora/domora";
    std::string appDirValue = "/app/";
    // takeSettingsDamageReport() hands it out once, and only after the settings were first
    // read through registry(): the file registry finds a damaged file when it reads it.
    std::string damageReport;
    // Every system action fails with this text when it is not empty.
    std::string actionFailure;
    // The start of every task's program fails with this text when it is not empty.
    std::string taskStartFailure;
    // Setting the clock fails with this text when it is not empty.
    std::string clockFailure;
    // shellFolder() answers from it; a missing name reads as empty.
    std::map<std::string, std::string> shellFolders;
    std::uintptr_t mainWindow = 0; // the last setMainWindow()
    // connection().kind() answers it; its descriptor is -1, so the test drives the polls.
    ConnectionKind connectionKind = ConnectionKind::None;
    // connection().takeFailure() hands it out once.
    std::string connectionFailure;
    // startWatched() fails with this reason when it is not empty (and starts nothing).
    std::string watchFailure;
    // Every program started through startWatched() so far ends.
    void finishWatched();

    // The machine's facts, as systemFacts() answers them; disk() answers from `disks`
    // (a drive missing there reads as an Unknown drive).
    ProcessorFacts processorFacts;
    std::vector<std::string> driveList;
    std::map<std::string, DiskFacts> disks;
    DisplayFacts displayFacts;
    MemoryFacts memoryFacts;
    // measureCpuMHz() answers it; while the measurement is held it waits (on whatever thread
    // it runs) until releaseMeasurement().
    std::optional<double> cpuRate;
    void holdMeasurement();
    void releaseMeasurement();
    int measurementsBegun(); // how many measurements have begun, from any thread

    struct Launch {
        std::string file;
        std::vector<std::string> fields;
        std::string directory;
    };
    std::vector<Launch> launches; // every startProgram(), also failed ones

    FakeClock clockFake;
    MemoryRegistry registryFake;
    MemoryFileStore filesFake;

    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    void record(std::string call) { calls_.push_back(std::move(call)); }

    Clock& clock() override { return clockFake; }
    Registry& registry() override { return settingsReader_; }
    FileStore& files() override { return filesFake; }
    SingleInstance& singleInstance() override { return singleInstance_; }
    Autostart& autostart() override { return autostart_; }
    ProgramStarter& launcher() override { return launcher_; }
    KeyboardLayout& keyboard() override { return keyboard_; }
    Taskbar& taskbar() override { return taskbar_; }
    AppLocation& location() override { return location_; }
    SystemActions& actions() override { return actions_; }
    TaskProgramStarter& taskStarter() override { return taskStarter_; }
    ClockSetter& clockSetter() override { return clockSetter_; }
    std::unique_ptr<WallTimer> createWallTimer() override { return std::make_unique<FakeWallTimer>(); }
    std::unique_ptr<SleepWatch> createSleepWatch() override {
        return std::make_unique<FakeSleepWatch>(*this);
    }
    // Tells the started sleep watch that the computer goes to sleep or woke up; false when
    // none listens.
    bool emitSleepChange(SleepWatch::Change change) {
        if (!sleepListener_) {
            return false;
        }
        sleepListener_(change);
        return true;
    }
    ConnectionMonitor& connection() override { return connection_; }
    SystemFacts& systemFacts() override { return systemFacts_; }
    std::string takeSettingsDamageReport() override;

private:
    // The registry as the program reads it: registryFake, noting the first read.
    class SettingsReader final : public Registry {
    public:
        explicit SettingsReader(FakePlatform& owner) : owner_(owner) {}
        std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) override {
            owner_.settingsRead_ = true;
            return owner_.registryFake.openKey(hive, path, create);
        }

    private:
        FakePlatform& owner_;
    };

    class FakeSingleInstance final : public SingleInstance {
    public:
        explicit FakeSingleInstance(FakePlatform& owner) : owner_(owner) {}
        bool acquire() override;
        bool showAlreadyRunning(const std::string& text) override;

    private:
        FakePlatform& owner_;
    };
    class FakeAutostart final : public Autostart {
    public:
        explicit FakeAutostart(FakePlatform& owner) : owner_(owner) {}
        bool set(const std::string& executablePath) override;
        bool remove() override;
        bool isSet() override;

    private:
        FakePlatform& owner_;
    };
    class FakeLauncher final : public ProgramStarter {
    public:
        explicit FakeLauncher(FakePlatform& owner) : owner_(owner) {}
        int startProgram(const std::string& file, const std::vector<std::string>& fields,
                         const std::string& directory) override;
        std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                     const std::vector<std::string>& fields,
                                                     const std::string& directory,
                                                     std::string* failure) override;
        std::string shortPathOf(const std::string& path) override;

    private:
        FakePlatform& owner_;
    };
    class FakeKeyboard final : public KeyboardLayout {
    public:
        explicit FakeKeyboard(FakePlatform& owner) : owner_(owner) {}
        bool activateRussian() override;

    private:
        FakePlatform& owner_;
    };
    class FakeTaskbar final : public Taskbar {
    public:
        explicit FakeTaskbar(FakePlatform& owner) : owner_(owner) {}
        bool hideReportingWasVisible() override;
        void show() override;

    private:
        FakePlatform& owner_;
    };
    class FakeLocation final : public AppLocation {
    public:
        explicit FakeLocation(FakePlatform& owner) : owner_(owner) {}
        std::string executablePath() override;
        std::string executableDir() override;
        std::string appDir() override;

    private:
        FakePlatform& owner_;
    };

    class FakeActions final : public SystemActions {
    public:
        explicit FakeActions(FakePlatform& owner) : owner_(owner) {}
        void setMainWindow(std::uintptr_t nativeWindow) override { owner_.mainWindow = nativeWindow; }
        ActionResult runTool(SystemTool tool) override;
        ActionResult cdDoor(bool open) override;
        ActionResult endSession(SessionEnd how, bool forced) override;
        ActionResult suspend() override;
        ActionResult monitorOff() override;
        ActionResult startScreenSaver() override;
        ActionResult setWallpaper(const std::string& path) override;
        ActionResult toggleLockKey(LockKey key) override;
        std::string shellFolder(const std::string& valueName) override;

    private:
        ActionResult done(std::string call);
        FakePlatform& owner_;
    };

    class FakeTaskStarter final : public TaskProgramStarter {
    public:
        explicit FakeTaskStarter(FakePlatform& owner) : owner_(owner) {}
        ActionResult start(const std::string& directory, const std::string& fileName,
                           const std::string& params) override;

    private:
        FakePlatform& owner_;
    };

    class FakeClockSetter final : public ClockSetter {
    public:
        explicit FakeClockSetter(FakePlatform& owner) : owner_(owner) {}
        ActionResult setUtc(const DateTime& utc) override;
        ActionResult shiftBy(std::int64_t microseconds) override;

    private:
        ActionResult done(std::string call);
        FakePlatform& owner_;
    };

    class FakeSleepWatch final : public SleepWatch {
    public:
        explicit FakeSleepWatch(FakePlatform& owner) : owner_(owner) {}
        ~FakeSleepWatch() override { owner_.sleepListener_ = nullptr; }
        bool start(Listener listener) override {
            owner_.sleepListener_ = std::move(listener);
            return true;
        }
        int descriptor() const override { return -1; }
        void process() override {}

    private:
        FakePlatform& owner_;
    };

    class FakeConnection final : public ConnectionMonitor {
    public:
        explicit FakeConnection(FakePlatform& owner) : owner_(owner) {}
        ConnectionKind kind() override { return owner_.connectionKind; }
        int descriptor() const override { return -1; }
        std::string takeFailure() override { return std::exchange(owner_.connectionFailure, {}); }

    private:
        FakePlatform& owner_;
    };

    class FakeSystemFacts final : public SystemFacts {
    public:
        explicit FakeSystemFacts(FakePlatform& owner) : owner_(owner) {}
        ProcessorFacts processor() override { return owner_.processorFacts; }
        std::vector<std::string> drives() override { return owner_.driveList; }
        DiskFacts disk(const std::string& drive) override;
        DisplayFacts display() override { return owner_.displayFacts; }
        MemoryFacts memory() override { return owner_.memoryFacts; }
        std::optional<double> measureCpuMHz() override;

    private:
        FakePlatform& owner_;
    };

    std::vector<std::string> calls_;
    std::vector<std::shared_ptr<bool>> watchedEnds_; // one flag per startWatched()
    bool settingsRead_ = false;
    SleepWatch::Listener sleepListener_;
    SettingsReader settingsReader_{*this};
    FakeSingleInstance singleInstance_{*this};
    FakeAutostart autostart_{*this};
    FakeLauncher launcher_{*this};
    FakeKeyboard keyboard_{*this};
    FakeTaskbar taskbar_{*this};
    FakeLocation location_{*this};
    FakeActions actions_{*this};
    FakeTaskStarter taskStarter_{*this};
    FakeClockSetter clockSetter_{*this};
    FakeConnection connection_{*this};
    FakeSystemFacts systemFacts_{*this};
    // The measurement's gate, shared with the thread that measures.
    std::mutex measureMutex_;
    std::condition_variable measureReleased_;
    bool measureHeld_ = false;
    int measurementsBegun_ = 0;
};

} // namespace domora
