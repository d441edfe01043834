#include "ui/service/ServiceModule.h"

#include "core/app/TimeText.h"
#include "core/base/Clock.h"
#include "platform/Platform.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/QtText.h"
#include "ui/service/PictureOpenDialog.h"
#include "ui/service/SessionQuestion.h"
#include "ui/timeservices/TimeServicesModule.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace domora {

ServiceModule::ServiceModule(const ModuleContext& context, TimeServicesModule& timeServices)
    : platform_(context.platform), boxes_(context.boxes), messageDialog_(context.messageDialog),
      owner_(context.host.owner()), timeServices_(timeServices) {
    buildPage(context.host.page(Page::Service));
    context.host.onClockTick([this](const DateTime& local, const DateTime&) {
        time_->setText(qs(FormatLongTime(local)));
        date_->setText(qs(FormatShortDate(local)));
    });
}

void ServiceModule::addMenuBranch(QMenu& menu) {
    QMenu* service = addSubmenu(menu, "mnService", QStringLiteral("Сервис"));
    QMenu* launch = addSubmenu(*service, "mnSRun", QStringLiteral("Запуск"));
    const std::pair<const char*, const char*> tools[] = {
        {"mnSRunDefrag", "Дефрагментация"},    {"mnSRunDirectX", "DirectX"},
        {"mnSRunIE", "Internet Explorer"},     {"mnSRunNotepad", "Блокнот"},
        {"mnSRunRegedit", "Редактор реестра"}, {"mnSRunDiskCheck", "Проверка диска"}};
    const SystemTool toolOf[] = {SystemTool::Defrag,  SystemTool::DirectX,        SystemTool::Browser,
                                 SystemTool::Notepad, SystemTool::RegistryEditor, SystemTool::DiskCheck};
    for (std::size_t i = 0; i < std::size(tools); ++i) {
        addItem(*launch, tools[i].first, QString::fromUtf8(tools[i].second), this,
                [this, tool = toolOf[i]] { runTool(tool); });
    }
    QMenu* cd = addSubmenu(*service, "mnSCD", QStringLiteral("CD"));
    addItem(*cd, "mnSCDOpen", QStringLiteral("Открыть"), this,
            [this] { report(platform_.actions().cdDoor(true)); });
    addItem(*cd, "mnSCDClose", QStringLiteral("Закрыть"), this,
            [this] { report(platform_.actions().cdDoor(false)); });
    QMenu* computer = addSubmenu(*service, "mnSComputer", QStringLiteral("Компьютер"));
    addItem(*computer, "mnSLogOff", QStringLiteral("Log off"), this,
            [this] { endSession(SessionEnd::LogOff); });
    addItem(*computer, "mnSRestart", QStringLiteral("Перегрузить"), this,
            [this] { endSession(SessionEnd::Restart); });
    addItem(*computer, "mnSPowerOff", QStringLiteral("Выключить"), this,
            [this] { endSession(SessionEnd::PowerOff); });
    addItem(*computer, "mnSSuspend", QStringLiteral("Приостановить работу"), this, &ServiceModule::suspend);
    QMenu* monitor = addSubmenu(*service, "mnSMonitor", QStringLiteral("Монитор"));
    addItem(*monitor, "mnSMonitorOff", QStringLiteral("Выключить"), this,
            [this] { report(platform_.actions().monitorOff()); });
    addItem(*monitor, "mnSScreenSaver", QStringLiteral("Запустить заставку"), this,
            [this] { report(platform_.actions().startScreenSaver()); });
    addItem(*monitor, "mnSWallpaper", QStringLiteral("Сменить обои на рабочем столе"), this,
            &ServiceModule::chooseWallpaper);
    timeServices_.addServiceItems(*service);
    QMenu* other = addSubmenu(*service, "mnSOther", QStringLiteral("Другое"));
    const std::pair<const char*, LockKey> keys[] = {{"mnSNumLock", LockKey::NumLock},
                                                    {"mnSCapsLock", LockKey::CapsLock},
                                                    {"mnSScrollLock", LockKey::ScrollLock}};
    const char* const keyCaptions[] = {"Включить/Выключить Num Lock", "Включить/Выключить Caps Lock",
                                       "Включить/Выключить Scroll Lock"};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        addItem(*other, keys[i].first, QString::fromUtf8(keyCaptions[i]), this,
                [this, key = keys[i].second] { report(platform_.actions().toggleLockKey(key)); });
    }
    // The item applies the button's state again; only the button changes it.
    addItem(*other, "mnSTaskBar", QStringLiteral("Спрятать/Показать TaskBar"), this,
            &ServiceModule::applyTaskbar);
}

void ServiceModule::startUp() {
    platform_.actions().setMainWindow(static_cast<std::uintptr_t>(owner_->winId()));
}

void ServiceModule::report(const ActionResult& result) {
    if (!result.done) {
        boxes_.error(owner_, qs(result.failure));
    }
}

void ServiceModule::runTool(SystemTool tool) {
    report(platform_.actions().runTool(tool));
}

void ServiceModule::endSession(SessionEnd how) {
    const SessionAnswer answer = AskToEndSession(messageDialog_, owner_);
    if (answer == SessionAnswer::Cancelled || !powerGuard_.allow(platform_.clock().tickCount())) {
        return;
    }
    report(platform_.actions().endSession(how, answer == SessionAnswer::Forced));
}

void ServiceModule::suspend() {
    if (powerGuard_.allow(platform_.clock().tickCount())) {
        report(platform_.actions().suspend());
    }
}

void ServiceModule::chooseWallpaper() {
    PictureOpenDialog dialog(owner_);
    const QString path = dialog.choose();
    if (!path.isEmpty()) {
        report(platform_.actions().setWallpaper(ss(path)));
    }
}

void ServiceModule::applyTaskbar() {
    Taskbar& taskbar = platform_.taskbar();
    if (taskbarButton_->isChecked()) {
        taskbar.hideReportingWasVisible();
    } else {
        taskbar.show();
    }
}

} // namespace domora
