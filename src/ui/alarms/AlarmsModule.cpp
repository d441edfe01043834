#include "ui/alarms/AlarmsModule.h"

#include "core/alarms/AlarmFiring.h"
#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/AlarmStore.h"
#include "core/base/MinuteGate.h"
#include "platform/Platform.h"
#include "ui/alarms/AlarmListView.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/QtText.h"
#include "ui/sound/SoundPlayer.h"

namespace domora {

AlarmsModule::AlarmsModule(const ModuleContext& context)
    : host_(context.host), clock_(context.platform.clock()), flags_(context.flags) {
    Platform& platform = context.platform;
    store_ = std::make_unique<AlarmStore>(platform.files(), context.paths.BudilPath, platform.clock());
    gate_ = std::make_unique<MinuteGate>(context.flags.FirstPassPending);
    scheduler_ = std::make_unique<AlarmScheduler>(*store_, platform.clock(), *gate_, context.flags,
                                                  context.starter, context.paths);
    MessageBoxes& boxes = context.boxes;
    QWidget* owner = host_.owner();
    scheduler_->onStoreError = [&boxes, owner](const AlarmStoreResult& result) {
        boxes.error(owner, QString::fromStdString(result.message));
    };

    previewPlayer_ = std::make_unique<QtSoundPlayer>();
    list_ =
        new AlarmListView(*store_, platform.files(), platform.clock(), context.paths, boxes,
                          context.messageDialog, *previewPlayer_, host_.sheet(ReminderSheet::AlarmsAndTimer));
    list_->setGeometry(0, 0, 507, 152);
    list_->setFiredFlags(context.flags.AlarmFired);
    store_->addListener([this, &boxes, owner] {
        list_->ShowAlarms();
        showNextAlarm(true);
        const std::string notice = store_->takeNotice();
        if (!notice.empty()) {
            boxes.information(owner, QString::fromStdString(notice));
        }
    });

    host_.onMinute([this] {
        scheduler_->AlarmTick();
        showNextAlarm(false);
    });
}

void AlarmsModule::showNextAlarm(bool reread) {
    const DateTime now = clock_.localNow();
    const std::int64_t hour = MinuteNumber(now) / 60;
    if (reread || hour != trayReadingHour_) {
        AlarmList list = store_->ReadAlarms();
        trayAlarms_ = list.result ? std::move(list.alarms) : std::vector<AlarmRecord>();
        trayReadingHour_ = hour;
    }
    host_.setTrayLine(qs(NextAlarmLine(trayAlarms_, now, flags_.AlarmFired)));
}

AlarmsModule::~AlarmsModule() = default;

void AlarmsModule::addMenuBranch(QMenu& menu) {
    QMenu* alarms = addSubmenu(menu, "mnAlarms", QStringLiteral("Будильники"));
    // Each item brings the window forward on "Будильники и Таймер" before it acts. (The
    // list's handlers are called directly: calls through member pointers in lambdas trip the
    // undefined-behaviour checker's type check with this compiler.)
    addItem(*alarms, "mnASee", QStringLiteral("Показать"), list_,
            [this] { host_.showOn(ReminderSheet::AlarmsAndTimer); });
    alarms->addSeparator();
    addItem(*alarms, "mnAAdd", QStringLiteral("Добавить"), list_, [this] {
        host_.showOn(ReminderSheet::AlarmsAndTimer);
        list_->AddClick();
    });
    addItem(*alarms, "mnADelAll", QStringLiteral("Удалить все"), list_, [this] {
        host_.showOn(ReminderSheet::AlarmsAndTimer);
        list_->DeleteClick();
    });
    addItem(*alarms, "mnASbros", QStringLiteral("Сбросить все"), list_, [this] {
        host_.showOn(ReminderSheet::AlarmsAndTimer);
        list_->ResetClick();
    });
}

} // namespace domora
