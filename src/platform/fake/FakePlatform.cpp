#include "platform/fake/FakePlatform.h"

#include <utility>

namespace domora {

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
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        joined += (i == 0 ? "" : "|") + fields[i];
    }
    owner_.record("launcher.start " + file + " [" + joined + "] dir=" + directory);
    owner_.launches.push_back({file, fields, directory});
    return owner_.launcherResult;
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
