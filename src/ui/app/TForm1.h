#pragma once

#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/AlarmStore.h"
#include "core/app/AppPaths.h"
#include "core/app/ProgramStarter.h"
#include "core/app/Settings.h"
#include "core/base/MinuteGate.h"
#include "core/holidays/CelebReminder.h"
#include "core/holidays/CelebStore.h"
#include "ui/app/IntervalTimer.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QSystemTrayIcon;
class QTabWidget;

namespace domora {

class AlarmListView;
class CelebPage;
class CountdownController;
class MessageBoxes;
class TForm9;
class Platform;

// The main window: the six pages, the status line, the nine timers, the tray icon and
// its popup menu, the settings of the Options page, start-up and closing.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(Platform& platform, MessageBoxes& boxes, QWidget* parent = nullptr);
    ~TForm1() override;

    // Application-wide values set at creation.
    const AppPaths& paths() const { return paths_; }
    SharedFlags& flags() { return flags_; }
    bool SessionEnding = false;
    // The low-balance warnings already given, one per row (money, day, evening, night);
    // saving the Options page clears them.
    std::array<bool, 4> BalanceWarned{};
    // The "capitals in names" option as last applied.
    bool capitalNames() const { return capitalNames_; }

    // Whether the start sequence and the first paint have run.
    bool startedUp() const { return startedUp_; }
    bool firstPainted() const { return firstPainted_; }
    // Whether this run started in tray mode and hides its taskbar entry when minimised.
    bool hidesWhenMinimised() const { return hideAppButton_; }

    // The working copy of the Options page.
    OptionsState optionsFromControls() const;
    void optionsToControls(const OptionsState& state);
    const TariffTables& tariffs() const { return tariffs_; }

    QMenu* popupMenu() const { return PopupMenu1; }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    IntervalTimer* timer(int number) const { return timers_.at(static_cast<std::size_t>(number - 1)); }

    // The program's own confirmation dialog, created once beside the main window.
    void setMessageDialog(TForm9* dialog);
    TForm9* messageDialog() const { return messageDialog_; }

    // The alarms: the store of the alarm file, the list on the page "Будильники и Таймер"
    // and the scheduler that Timer5 drives.
    AlarmStore& alarmStore() { return *alarmStore_; }
    AlarmListView* alarmList() const { return alarmList_; }
    CountdownController* countdown() const { return countdown_; }
    AlarmScheduler& alarmScheduler() { return *alarmScheduler_; }
    // The holidays: the store of the holiday file, the sub-page "Праздники" and the
    // advance reminder that Timer6 drives.
    CelebStore& celebStore() { return *celebStore_; }
    CelebPage* celebPage() const { return celebPage_; }
    CelebReminder& celebReminder() { return *celebReminder_; }
    // 1 until the first scheduler gate has made its pass after start-up.
    std::uint8_t FirstPassPending = 1;

    // Called at destruction to store the balance; the balance accounting installs it.
    void setBalanceSaveHook(std::function<void()> hook) { balanceSaveHook_ = std::move(hook); }

public slots:
    // Start-up and life of the window.
    void FormActivate();
    void FormPaint();
    bool QueryEndSession();
    void mnExitClick();
    void Timer1Timer();
    void Timer9Timer();

    // Settings.
    void LoadSettings();
    void Button1Click();
    void ApplyOnTop(bool onTop);
    void ApplyKeyboard(bool russian, bool capitalNames);
    void SetAutoStart();
    void RemoveAutoStart();
    void FillServerCombo();

    // Tray and navigation.
    void AddTrayIcon();
    void DeleteTrayIcon();
    void ShowMainWindow();
    void HideAppButton();
    void mnFLastClick();
    void mnFRememberClick();
    void mnFOpitionClick();
    void mnFServiceClick();
    void mnFTimeInWorldClick();
    void mnFSystemClick();
    void mnFAboutClick();

    // Alarms.
    void Timer5Timer();
    void mnASeeClick();
    void mnAAddClick();
    void mnADelAllClick();
    void mnASbrosClick();

    // Holidays: the event line, the reminder and the "Праздники" submenu.
    void Timer4Timer();
    void Timer6Timer();
    void mnCShowAllClick();
    void mnCThisMonthClick();
    void mnCTodayClick();

signals:
    // The start sequence has run (settings loaded, seven timers enabled).
    void startSequenceDone();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormDestroy();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void showFirstRunThanks();
    void selectPage(int index);
    void showOnPage(int index);
    void createAlarms();
    void createCountdown();
    void showAlarmsPage();
    void createHolidays();
    void showHolidaysPage();

    // Building the window, one page at a time.
    void buildWindow();
    QWidget* buildRemindersPage();
    QWidget* buildOptionsPage();
    QWidget* buildServicePage();
    QWidget* buildWorldTimePage();
    QWidget* buildSystemPage();
    QWidget* buildAboutPage();
    void buildStatusLine();
    void buildTimers();
    void buildPopupMenu();
    void buildTray();

    Platform& platform_;
    MessageBoxes& boxes_;
    AppPaths paths_;
    SharedFlags flags_;
    TariffTables tariffs_;
    std::function<void()> balanceSaveHook_;
    TForm9* messageDialog_ = nullptr;
    std::unique_ptr<AlarmStore> alarmStore_;
    std::unique_ptr<MinuteGate> alarmGate_;
    std::unique_ptr<ProgramStarter> programStarter_;
    std::unique_ptr<AlarmScheduler> alarmScheduler_;
    AlarmListView* alarmList_ = nullptr;
    std::unique_ptr<CelebStore> celebStore_;
    std::unique_ptr<CelebReminder> celebReminder_;
    CelebPage* celebPage_ = nullptr;
    CountdownController* countdown_ = nullptr;

    bool startedUp_ = false;
    bool firstPainted_ = false;
    bool firstShowSeen_ = false;
    bool hideAppButton_ = false;
    bool destroyed_ = false;
    bool capitalNames_ = true;

    std::vector<IntervalTimer*> timers_;
    QSystemTrayIcon* tray_ = nullptr;

public:
    // Controls the other parts of the program and the tests reach by name.
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QLabel* StData = nullptr;
    QLabel* StDay = nullptr;
    QLabel* StTime = nullptr;
    QLabel* Image2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* NoEventsText = nullptr;

    // Options page.
    QComboBox* ComboBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* SpeedButton38 = nullptr;
    QPushButton* SpeedButton46 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox12 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLabel* StaticText56 = nullptr;
    QLabel* StaticText58 = nullptr;
    QLabel* StaticText39 = nullptr;
    QLabel* StaticText57 = nullptr;
    QPushButton* SpeedButton47 = nullptr;
    QPushButton* Button1 = nullptr;

    // Service page clock.
    QLabel* StaticText26 = nullptr;
    QLabel* StaticText27 = nullptr;

    // About page.
    QLabel* AppealLabel1 = nullptr;
    QLabel* AppealLabel2 = nullptr;
    QLabel* DedicationLabel = nullptr;

    QMenu* PopupMenu1 = nullptr;

private:
    // The world-time clocks in the order the clock tick fills them, with their offsets.
    struct ZoneClock {
        QLabel* display;
        std::int8_t offset;
    };
    std::vector<ZoneClock> zoneClocks_;
};

} // namespace domora
