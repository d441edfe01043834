#include "ui/holidays/HolidaysModule.h"

#include "core/app/AppPaths.h"
#include "core/holidays/HolidayReminder.h"
#include "core/holidays/HolidayStore.h"
#include "core/holidays/TodayLine.h"
#include "platform/Platform.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/holidays/HolidayPage.h"
#include "ui/timer/CountdownModule.h"

namespace domora {

namespace {

// The event line is bold for this one second after each minute's wait.
constexpr int kBoldMs = 1000;
constexpr int kWaitMs = 60000;

} // namespace

HolidaysModule::HolidaysModule(const ModuleContext& context, const CountdownModule& countdown)
    : host_(context.host), boxes_(context.boxes), clock_(context.platform.clock()), countdown_(countdown) {
    Platform& platform = context.platform;
    store_ = std::make_unique<HolidayStore>(platform.files(), context.paths.CelebPath);
    reminder_ = std::make_unique<HolidayReminder>(*store_, platform.files(), platform.clock(), context.flags,
                                                  context.starter, context.paths);

    IntervalTimer& eventTimer = host_.timer(TimerId::EventLine);
    page_ = new HolidayPage(*store_, platform.registry(), platform.clock(), boxes_, context.messageDialog,
                            eventTimer, host_.sheet(ReminderSheet::Holidays));
    page_->setGeometry(0, 0, 503, 258);
    store_->addListener([this] {
        page_->setView(HolidayViewMode::All);
        const std::string notice = store_->takeNotice();
        if (!notice.empty()) {
            boxes_.information(host_.owner(), QString::fromStdString(notice));
        }
    });

    QObject::connect(&eventTimer, &IntervalTimer::timeout, page_, [this] { eventLineTick(); });
    QObject::connect(&host_.timer(TimerId::HolidayReminder), &IntervalTimer::timeout, page_,
                     [this] { reminderTick(); });
}

HolidaysModule::~HolidaysModule() = default;

// The event line: today's holidays, refreshed every minute and bold for a second after
// each refresh. Without the holiday file the timer stops until the page is shown again
// with the file back.
void HolidaysModule::eventLineTick() {
    IntervalTimer& line = host_.timer(TimerId::EventLine);
    if (!store_->CelebFileExists()) {
        line.setInterval(0);
        page_->showFileMissing(true);
        return;
    }
    const bool bold = line.interval() != kBoldMs;
    line.setInterval(bold ? kBoldMs : kWaitMs);
    host_.setEventBold(bold);
    const TodayLine today = RefreshTodayLine(*store_, clock_.localNow());
    if (!today.ok) {
        boxes_.error(host_.owner(), QString::fromStdString(today.text));
        return;
    }
    host_.setEventText(QString::fromStdString(today.text));
}

void HolidaysModule::dateChanged() {
    eventLineTick();
}

// The advance reminder, while it is switched on and its list holds a whole number.
void HolidaysModule::reminderTick() {
    if (!store_->CelebFileExists()) {
        return;
    }
    const std::optional<int> days = page_->reminderDaysAhead();
    if (!days) {
        return;
    }
    reminder_->setTimerWav(countdown_.timerSound());
    reminder_->RemindPass(*days);
}

void HolidaysModule::addMenuBranch(QMenu& menu) {
    QMenu* holidays = addSubmenu(menu, "mnCeleb", QStringLiteral("Праздники"));
    addItem(*holidays, "mnCShowAll", QStringLiteral("Показать все"), page_, [this] {
        host_.showOn(ReminderSheet::Holidays);
        page_->showAll();
    });
    addItem(*holidays, "mnCThisMonth", QStringLiteral("В этом месяце"), page_, [this] {
        host_.showOn(ReminderSheet::Holidays);
        page_->showThisMonth();
    });
    addItem(*holidays, "mnCToday", QStringLiteral("Сегодня"), page_, [this] {
        host_.showOn(ReminderSheet::Holidays);
        page_->showToday();
    });
}

} // namespace domora
