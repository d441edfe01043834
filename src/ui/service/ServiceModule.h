#pragma once

#include "core/service/PowerGuard.h"
#include "platform/SystemActions.h"
#include "ui/app/Module.h"

#include <QObject>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace domora {

class TimeServicesModule;

// The system chores: the Service page with its clock, tools, CD door, session and power,
// monitor, lock keys, taskbar and the user's folders, and the "Сервис" branch of the tray
// menu, whose items run the same actions as the page's buttons. A failed action is told in
// a message box with its reason.
class ServiceModule final : public QObject, public Module {
    Q_OBJECT
public:
    // The time services fill the branch's "Время" items.
    ServiceModule(const ModuleContext& context, TimeServicesModule& timeServices);

    void addMenuBranch(QMenu& menu) override;
    void startUp() override;

private:
    void buildPage(QWidget* page);
    void buildComputerGroup(QWidget* page);
    void buildMonitorGroup(QWidget* page);
    void buildCdGroup(QWidget* page);
    void buildOtherGroup(QWidget* page);
    void buildToolsGroup(QWidget* page);
    void buildFoldersGroup(QWidget* page);

    // Tells the user why an action was not done.
    void report(const ActionResult& result);
    void runTool(SystemTool tool);
    // Asks first: "Ok" ends the session, "Форсировано" ends it whatever objects.
    void endSession(SessionEnd how);
    void suspend();
    void chooseWallpaper();
    // The two-state button's state is applied: pressed hides the taskbar, released shows it.
    void applyTaskbar();
    void showFolder(int row);

    Platform& platform_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    QWidget* owner_;
    TimeServicesModule& timeServices_;
    PowerGuard powerGuard_;

    QLabel* time_ = nullptr;
    QLabel* date_ = nullptr;
    QPushButton* taskbarButton_ = nullptr;
    QListWidget* folderList_ = nullptr;
    QLineEdit* folderPath_ = nullptr;
};

} // namespace domora
