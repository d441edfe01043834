// The holidays on the main window: the store of the holiday file, the sub-page
// "Праздники", the event line that Timer4 keeps, the advance reminder that Timer6 drives
// and the "Праздники" submenu.

#include "ui/app/TForm1.h"

#include "core/holidays/CelebSettings.h"
#include "core/holidays/TodayLine.h"
#include "platform/Platform.h"
#include "ui/app/MessageBoxes.h"
#include "ui/holidays/CelebPage.h"
#include "ui/timer/CountdownController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace domora {

namespace {

constexpr int kRemindersPage = 0;
constexpr int kHolidaysSheet = 0; // "Праздники" inside the reminders page
// The event line is bold for this one second after each minute's wait.
constexpr int kBoldMs = 1000;
constexpr int kWaitMs = 60000;

} // namespace

// Made once the paths are known, after the alarms (their scheduler's starter is shared).
void TForm1::createHolidays() {
    celebStore_ = std::make_unique<CelebStore>(platform_.files(), paths_.CelebPath);
    celebReminder_ = std::make_unique<CelebReminder>(*celebStore_, platform_.files(), platform_.clock(),
                                                     flags_, *programStarter_, paths_);

    QWidget* sheet = PageControl2->widget(kHolidaysSheet);
    celebPage_ = new CelebPage(*celebStore_, platform_.registry(), platform_.clock(), boxes_, sheet);
    celebPage_->setGeometry(0, 0, 503, 258);
    celebPage_->setMessageDialog(messageDialog_);
    celebPage_->setEventTimer(timer(4));
    celebStore_->onListChanged = [this] {
        celebPage_->CelebViewMode = CelebViewMode::All;
        celebPage_->ShowCelebs();
    };

    connect(timer(4), &IntervalTimer::timeout, this, &TForm1::Timer4Timer);
    connect(timer(6), &IntervalTimer::timeout, this, &TForm1::Timer6Timer);
}

// The event line: today's holidays, refreshed every minute and bold for a second after
// each refresh. Without the holiday file the timer stops until the page is shown again
// with the file back.
void TForm1::Timer4Timer() {
    IntervalTimer* line = timer(4);
    if (!celebStore_->CelebFileExists()) {
        line->setInterval(0);
        celebPage_->showFileMissing(true);
        return;
    }
    QFont font = Edit1->font();
    if (line->interval() != kBoldMs) {
        font.setBold(true);
        line->setInterval(kBoldMs);
    } else {
        font.setBold(false);
        line->setInterval(kWaitMs);
    }
    Edit1->setFont(font);
    const TodayLine today = RefreshTodayLine(*celebStore_, platform_.clock().localNow());
    if (!today.ok) {
        boxes_.error(this, QString::fromStdString(today.text));
        return;
    }
    Edit1->setText(QString::fromStdString(today.text));
}

// The advance reminder, while its checkbox is ticked and the list holds a whole number.
void TForm1::Timer6Timer() {
    if (!celebStore_->CelebFileExists() || !celebPage_->CheckBox4->isChecked()) {
        return;
    }
    const std::optional<int> days = ParseCelebDaysAhead(celebPage_->ComboBox2->currentText().toStdString());
    if (!days) {
        return;
    }
    // The note plays the countdown's sound, as the user last chose it.
    celebReminder_->setTimerWav(countdown_->sound().TimerWav);
    celebReminder_->RemindPass(*days);
}

// The window brought forward on "Напоминания", inner page "Праздники".
void TForm1::showHolidaysPage() {
    showOnPage(kRemindersPage);
    PageControl2->setCurrentIndex(kHolidaysSheet);
}

void TForm1::mnCShowAllClick() {
    showHolidaysPage();
    celebPage_->SpeedButton11Click();
}

void TForm1::mnCThisMonthClick() {
    showHolidaysPage();
    celebPage_->SpeedButton17Click();
}

void TForm1::mnCTodayClick() {
    showHolidaysPage();
    celebPage_->SpeedButton16Click();
}

} // namespace domora
