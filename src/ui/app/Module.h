#pragma once

#include "core/base/DateTime.h"
#include "ui/app/Pages.h"

#include <functional>

class QMenu;
class QString;
class QWidget;

namespace domora {

struct AppPaths;
struct OptionsState;
enum class OptionsField;
struct SharedFlags;
class IntervalTimer;
class MessageBoxes;
class MessageDialog;
class Platform;
class ProgramStarter;

// What the main window offers its modules: places for their pages, its timers and minute
// beat, the event line of the status line and ways to bring itself forward.
class ModuleHost {
public:
    virtual ~ModuleHost() = default;

    // The window a module's dialogs and messages belong to.
    virtual QWidget* owner() = 0;
    // The empty page or inner page a module fills.
    virtual QWidget* page(Page page) = 0;
    virtual QWidget* sheet(ReminderSheet sheet) = 0;
    virtual IntervalTimer& timer(TimerId id) = 0;

    // The window brought forward (from the tray or minimised), as it was / on a page.
    virtual void showWindow() = 0;
    virtual void showOn(Page page) = 0;
    virtual void showOn(ReminderSheet sheet) = 0;

    // Tells the user of something that happened while they may not be looking (a task that
    // could not run) without stopping anything: the tray icon's balloon where the desktop
    // shows one, else a message box.
    virtual void notify(const QString& title, const QString& text) = 0;

    // The connection picture of the status line: online or offline, with its hint.
    virtual void showConnection(bool online, const QString& hint) = 0;

    // The line the tray icon's tip shows under its own ones (the next alarm); empty for none.
    virtual void setTrayLine(const QString& line) = 0;

    // The event line of the status line.
    virtual void setEventText(const QString& text) = 0;
    virtual void setEventBold(bool bold) = 0;

    // Called on every clock tick with one reading of local and universal time.
    virtual void onClockTick(std::function<void(const DateTime& local, const DateTime& utc)> listener) = 0;
    // Called once right after the start sequence and then at every boundary of a minute
    // (and at once after the clock was set or the computer woke up): the beat of the
    // schedulers' minute gates.
    virtual void onMinute(std::function<void()> listener) = 0;
};

// What every module is built with.
struct ModuleContext {
    Platform& platform;
    MessageBoxes& boxes;
    const AppPaths& paths;
    SharedFlags& flags;
    ProgramStarter& starter;
    MessageDialog& messageDialog;
    ModuleHost& host;
};

// A subsystem of the program as the main window hosts it. A module builds its pages and its
// section of the Options page in its constructor, and its windows when they are first
// opened; the main window calls the steps below, in the order the modules were listed.
class Module {
public:
    virtual ~Module() = default;

    // Its branch of the tray's popup menu, added at the end of `menu`.
    virtual void addMenuBranch(QMenu& menu) { (void)menu; }
    // Its section of the Options page: shown from the loaded settings, collected for saving,
    // and told when the page has been saved.
    virtual void showOptions(const OptionsState& state) { (void)state; }
    virtual void collectOptions(OptionsState& state) const { (void)state; }
    virtual void optionsSaved() {}
    // Puts the focus into the section's field that holds a text that cannot be stored;
    // false when the field is not this module's.
    virtual bool focusOptionsField(OptionsField field) {
        (void)field;
        return false;
    }
    // At the first activation of the main window, after the settings were loaded.
    virtual void startUp() {}
    // When the main window goes (the program ends).
    virtual void shutDown() {}
};

} // namespace domora
