#include "platform/fake/FakePlatform.h"

#include <cstdio>
#include <utility>

namespace domora {

namespace {

// The fields of a command line as the log shows them: "1|a b|".
std::string JoinedFields(const std::vector<std::string>& fields) {
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        joined += (i == 0 ? "" : "|") + fields[i];
    }
    return joined;
}

} // namespace

FakePlatform::FakePlatform() = default;

std::string FakePlatform::takeSettingsDamageReport() {
    return settingsRead_ ? std::exchange(damageReport, {}) : std::string();
}

bool FakePlatform::FakeSingleInstance::acquire() {
    owner_.record("singleInstance.acquire");
    return owner_.instanceFree;
}

bool FakePlatform::FakeSingleInstance::showAlreadyRunning(const std::string& text) {
    owner_.record("singleInstance.showAlreadyRunning " + text);
    return owner_.noticeShown;
}

bool FakePlatform::FakeAutostart::set(const std::string& executablePath) {
    owner_.record("autostart.set " + executablePath);
    if (!owner_.autostartWorks) {
        return false;
    }
    owner_.autostartSet = true;
    owner_.autostartPath = executablePath;
    return true;
}

bool FakePlatform::FakeAutostart::remove() {
    owner_.record("autostart.remove");
    if (!owner_.autostartWorks || !owner_.autostartSet) {
        return false;
    }
    owner_.autostartSet = false;
    return true;
}

bool FakePlatform::FakeAutostart::isSet() {
    owner_.record("autostart.isSet");
    return owner_.autostartSet;
}

int FakePlatform::FakeLauncher::startProgram(const std::string& file, const std::vector<std::string>& fields,
                                             const std::string& directory) {
    owner_.record("launcher.start " + file + " [" + JoinedFields(fields) + "] dir=" + directory);
    owner_.launches.push_back({file, fields, directory});
    return owner_.launcherResult;
}

namespace {

class FakeWatchedProgram final : public WatchedProgram {
public:
    explicit FakeWatchedProgram(std::shared_ptr<bool> ended) : ended_(std::move(ended)) {}
    bool finished() override { return *ended_; }
    int descriptor() const override { return -1; }

private:
    std::shared_ptr<bool> ended_;
};

} // namespace

std::unique_ptr<WatchedProgram>
FakePlatform::FakeLauncher::startWatched(const std::string& file, const std::vector<std::string>& fields,
                                         const std::string& directory, std::string* failure) {
    owner_.record("launcher.startWatched " + file + " [" + JoinedFields(fields) + "] dir=" + directory);
    if (!owner_.watchFailure.empty()) {
        if (failure != nullptr) {
            *failure = owner_.watchFailure;
        }
        return nullptr;
    }
    owner_.watchedEnds_.push_back(std::make_shared<bool>(false));
    return std::make_unique<FakeWatchedProgram>(owner_.watchedEnds_.back());
}

void FakePlatform::finishWatched() {
    for (const auto& ended : watchedEnds_) {
        *ended = true;
    }
}

std::string FakePlatform::FakeLauncher::shortPathOf(const std::string& path) {
    owner_.record("launcher.shortPathOf " + path);
    return path;
}

bool FakePlatform::FakeKeyboard::activateRussian() {
    owner_.record("keyboard.activateRussian");
    return owner_.keyboardResult;
}

bool FakePlatform::FakeTaskbar::hideReportingWasVisible() {
    owner_.record("taskbar.hide");
    return std::exchange(owner_.taskbarVisible, false);
}

void FakePlatform::FakeTaskbar::show() {
    owner_.record("taskbar.show");
    owner_.taskbarVisible = true;
}

std::string FakePlatform::FakeLocation::executablePath() {
    return owner_.executablePathValue;
}

std::string FakePlatform::FakeLocation::executableDir() {
    const auto slash = owner_.executablePathValue.rfind('/');
    return slash == std::string::npos ? std::string("./") : owner_.executablePathValue.substr(0, slash + 1);
}

std::string FakePlatform::FakeLocation::appDir() {
    return owner_.appDirValue;
}

} // namespace domora

namespace domora {

ActionResult FakePlatform::FakeActions::done(std::string call) {
    owner_.record("actions." + std::move(call));
    if (!owner_.actionFailure.empty()) {
        return ActionResult::failed(owner_.actionFailure);
    }
    return ActionResult::ok();
}

ActionResult FakePlatform::FakeActions::runTool(SystemTool tool) {
    static const char* const names[] = {"Defrag",         "DiskCheck", "Notepad",
                                        "RegistryEditor", "DirectX",   "Browser"};
    return done(std::string("runTool ") + names[static_cast<int>(tool)]);
}

ActionResult FakePlatform::FakeActions::cdDoor(bool open) {
    return done(open ? "cdDoor open" : "cdDoor close");
}

ActionResult FakePlatform::FakeActions::endSession(SessionEnd how, bool forced) {
    static const char* const names[] = {"LogOff", "Restart", "PowerOff"};
    return done(std::string("endSession ") + names[static_cast<int>(how)] + (forced ? " forced" : ""));
}

ActionResult FakePlatform::FakeActions::suspend() {
    return done("suspend");
}

ActionResult FakePlatform::FakeActions::monitorOff() {
    return done("monitorOff");
}

ActionResult FakePlatform::FakeActions::startScreenSaver() {
    return done("startScreenSaver");
}

ActionResult FakePlatform::FakeActions::setWallpaper(const std::string& path) {
    return done("setWallpaper " + path);
}

ActionResult FakePlatform::FakeActions::toggleLockKey(LockKey key) {
    static const char* const names[] = {"NumLock", "CapsLock", "ScrollLock"};
    return done(std::string("toggleLockKey ") + names[static_cast<int>(key)]);
}

std::string FakePlatform::FakeActions::shellFolder(const std::string& valueName) {
    owner_.record("actions.shellFolder " + valueName);
    const auto found = owner_.shellFolders.find(valueName);
    return found == owner_.shellFolders.end() ? std::string() : found->second;
}

ActionResult FakePlatform::FakeTaskStarter::start(const std::string& directory, const std::string& fileName,
                                                  const std::string& params) {
    owner_.record("tasks.start " + directory + "|" + fileName + "|" + params);
    if (!owner_.taskStartFailure.empty()) {
        return ActionResult::failed(owner_.taskStartFailure);
    }
    return ActionResult::ok();
}

ActionResult FakePlatform::FakeClockSetter::done(std::string call) {
    owner_.record("clock." + call);
    if (!owner_.clockFailure.empty()) {
        return ActionResult::failed(owner_.clockFailure);
    }
    return ActionResult::ok();
}

ActionResult FakePlatform::FakeClockSetter::setUtc(const DateTime& utc) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second, utc.millisecond);
    return done(std::string("setUtc ") + text);
}

ActionResult FakePlatform::FakeClockSetter::shiftBy(std::int64_t microseconds) {
    return done(std::string("shiftBy ") + (microseconds >= 0 ? "+" : "") + std::to_string(microseconds));
}

DiskFacts FakePlatform::FakeSystemFacts::disk(const std::string& drive) {
    owner_.record("system.disk " + drive);
    const auto found = owner_.disks.find(drive);
    return found == owner_.disks.end() ? DiskFacts{} : found->second;
}

std::optional<double> FakePlatform::FakeSystemFacts::measureCpuMHz() {
    std::unique_lock lock(owner_.measureMutex_);
    ++owner_.measurementsBegun_;
    owner_.measureReleased_.wait(lock, [this] { return !owner_.measureHeld_; });
    return owner_.cpuRate;
}

void FakePlatform::holdMeasurement() {
    const std::lock_guard lock(measureMutex_);
    measureHeld_ = true;
}

void FakePlatform::releaseMeasurement() {
    {
        const std::lock_guard lock(measureMutex_);
        measureHeld_ = false;
    }
    measureReleased_.notify_all();
}

int FakePlatform::measurementsBegun() {
    const std::lock_guard lock(measureMutex_);
    return measurementsBegun_;
}

} // namespace domora
