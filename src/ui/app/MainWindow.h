#pragma once

#include "core/app/AppPaths.h"
#include "core/app/Settings.h"
#include "ui/app/Module.h"

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
class QPushButton;
class QRadioButton;
class QSystemTrayIcon;
class QTabWidget;

namespace domora {

class MessageBoxes;
class MessageDialog;
class MinuteTimer;
class Platform;

// The main window (objectName "Form1"): the frame of six pages, the status line, the nine
// timers, the tray icon and its popup menu, the program's own part of the Options page,
// start-up and closing. Everything else is done by the subsystem modules it hosts, in the
// order of the module list.
class MainWindow : public QWidget, private ModuleHost {
    Q_OBJECT
public:
    MainWindow(Platform& platform, MessageBoxes& boxes, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The session is ending: the close that follows asks nothing.
    void endSession();
    // The program's own confirmation dialog ("Form9"), shared by the modules.
    MessageDialog& messageDialog() { return *messageDialog_; }

    // Whether the start sequence and the first paint have run.
    bool startedUp() const { return startedUp_; }
    bool firstPainted() const { return firstPainted_; }
    // Whether this run started in tray mode and hides its taskbar entry when minimised.
    bool hidesWhenMinimised() const { return hideAppButton_; }
    // The "capitals in names" option as last applied.
    bool capitalNames() const { return capitalNames_; }

    // Brings back the taskbar entry and the window from its minimised state.
    void showWindow() override;

signals:
    // The start sequence has run (settings loaded, the timers and the minute beat started).
    void startSequenceDone();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // ModuleHost.
    QWidget* owner() override { return this; }
    QWidget* page(Page page) override;
    QWidget* sheet(ReminderSheet sheet) override;
    IntervalTimer& timer(TimerId id) override;
    void showOn(Page page) override;
    void showOn(ReminderSheet sheet) override;
    void notify(const QString& title, const QString& text) override;
    void showConnection(bool online, const QString& hint) override;
    void setTrayLine(const QString& line) override;
    void setEventText(const QString& text) override;
    void setEventBold(bool bold) override;
    void onClockTick(std::function<void(const DateTime& local, const DateTime& utc)> listener) override;
    void onMinute(std::function<void()> listener) override;

    // Life of the window.
    void create();
    void createModules();
    void showFirstRunThanks();
    void activate();
    void firstPaint();
    bool closeQuery();
    void destroy();
    void dedicationKey(int key, Qt::KeyboardModifiers modifiers);
    void endDedication();
    void clockTick();
    void minuteBeat();
    // The timers whose work is only seen in the window rest while it is not on the screen.
    void restWhileUnseen();
    void selectPage(int index);

    // Settings.
    void loadSettings();
    void saveOptions();
    OptionsState optionsFromControls() const;
    void optionsToControls(const OptionsState& state);
    void applyOnTop(bool onTop);
    void applyKeyboard(bool russian, bool capitalNames);

    // Tray and navigation.
    void addTrayIcon();
    void deleteTrayIcon();
    void hideAppButton();

    // Building the window.
    void buildWindow();
    QWidget* buildRemindersPage();
    QWidget* buildOptionsPage();
    QWidget* buildAboutPage();
    void buildStatusLine();
    void buildTimers();
    void buildPopupMenu();
    void finishFrame();
    void buildTray();

    Platform& platform_;
    MessageBoxes& boxes_;
    AppPaths paths_;
    SharedFlags flags_;
    std::unique_ptr<MessageDialog> messageDialog_;
    std::vector<std::unique_ptr<Module>> modules_;
    std::vector<std::function<void(const DateTime&, const DateTime&)>> clockListeners_;
    std::vector<std::function<void()>> minuteListeners_;
    DateTime lastTickLocal_; // the clock's last reading shown, to the second
    DateTime lastTickUtc_;

    bool sessionEnding_ = false;
    bool startedUp_ = false;
    bool firstPainted_ = false;
    bool trayAfterPaint_ = false; // the tray icon waits for the window's first paint
    bool firstShowSeen_ = false;
    bool hideAppButton_ = false;
    bool destroyed_ = false;
    bool capitalNames_ = true;

    std::array<IntervalTimer*, kTimerNumbers + 1> timers_{}; // by number; null where the number went
    MinuteTimer* minuteTimer_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QString trayLine_; // a module's line under the tip's own ones
    QMenu* popupMenu_ = nullptr;

    QTabWidget* pages_ = nullptr;
    QTabWidget* reminderSheets_ = nullptr;
    std::array<QWidget*, kPageCount> pageWidgets_{};
    QLabel* dateField_ = nullptr;
    QLabel* weekdayField_ = nullptr;
    QLabel* timeField_ = nullptr;
    QLineEdit* eventLine_ = nullptr;
    QLabel* connectionPicture_ = nullptr; // Image2
    bool connectionOnline_ = false;

    // The program's part of the Options page.
    QComboBox* startPageCombo_ = nullptr;
    QRadioButton* asWindowRadio_ = nullptr;
    QRadioButton* inTrayRadio_ = nullptr;
    QRadioButton* minimisedRadio_ = nullptr;
    QCheckBox* autoStartCheck_ = nullptr;
    QCheckBox* onTopCheck_ = nullptr;
    QCheckBox* russianKeyboardCheck_ = nullptr;
    QCheckBox* capitalNamesCheck_ = nullptr;
    QPushButton* okButton_ = nullptr;

    // The About page.
    QLabel* appealLabel1_ = nullptr;
    QLabel* appealLabel2_ = nullptr;
    QLabel* dedicationLabel_ = nullptr;
};

} // namespace domora
