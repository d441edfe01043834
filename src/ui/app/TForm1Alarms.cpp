// The alarms on the main window: the store of the alarm file, the list on the sub-page
// "Будильники и Таймер", the scheduler driven by Timer5 and the "Будильники" submenu.

#include "ui/app/TForm1.h"
#include "ui/timer/CountdownController.h"

#include "platform/Platform.h"
#include "ui/alarms/AlarmList.h"
#include "ui/alarms/LauncherStarter.h"
#include "ui/app/MessageBoxes.h"
#include "ui/holidays/CelebPage.h"

#include <QTabWidget>

namespace domora {

namespace {

constexpr int kRemindersPage = 0;
constexpr int kAlarmsSheet = 1; // "Будильники и Таймер" inside the reminders page

} // namespace

// Made once the paths are known.
void TForm1::createAlarms() {
    alarmStore_ = std::make_unique<AlarmStore>(platform_.files(), paths_.BudilPath, platform_.clock());
    alarmGate_ = std::make_unique<MinuteGate>(FirstPassPending);
    programStarter_ = std::make_unique<LauncherStarter>(platform_.launcher());
    alarmScheduler_ = std::make_unique<AlarmScheduler>(*alarmStore_, platform_.clock(), *alarmGate_, flags_,
                                                       *programStarter_, paths_);
    alarmScheduler_->onStoreError = [this](const AlarmStoreResult& result) {
        boxes_.error(this, QString::fromStdString(result.message));
    };

    // The upper half of the sub-page; the lower half is the countdown's.
    QWidget* sheet = PageControl2->widget(kAlarmsSheet);
    alarmList_ = new AlarmListView(*alarmStore_, platform_.files(), paths_, boxes_, sheet);
    alarmList_->setGeometry(0, 0, 507, 152);
    alarmList_->setMessageDialog(messageDialog_);
    alarmStore_->onListChanged = [this] { alarmList_->ShowAlarms(); };

    connect(timer(5), &IntervalTimer::timeout, this, &TForm1::Timer5Timer);
}

void TForm1::setMessageDialog(TForm9* dialog) {
    messageDialog_ = dialog;
    if (alarmList_ != nullptr) {
        alarmList_->setMessageDialog(dialog);
    }
    if (celebPage_ != nullptr) {
        celebPage_->setMessageDialog(dialog);
    }
    if (countdown_ != nullptr) {
        countdown_->setMessageDialog(dialog);
    }
}

void TForm1::Timer5Timer() {
    alarmScheduler_->AlarmTick();
}

// The window brought forward on "Напоминания", inner page "Будильники и Таймер".
void TForm1::showAlarmsPage() {
    showOnPage(kRemindersPage);
    PageControl2->setCurrentIndex(kAlarmsSheet);
}

void TForm1::mnASeeClick() {
    showAlarmsPage();
}

void TForm1::mnAAddClick() {
    showAlarmsPage();
    alarmList_->AddClick();
}

void TForm1::mnADelAllClick() {
    showAlarmsPage();
    alarmList_->DeleteClick();
}

void TForm1::mnASbrosClick() {
    showAlarmsPage();
    alarmList_->ResetClick();
}

} // namespace domora
