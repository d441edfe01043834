// The main window on the recording platform: start-up, settings load and save, the clock
// tick, closing and the tray menu.

#include "core/app/Settings.h"
#include "platform/fake/FakePlatform.h"
#include "testing/core/TestData.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MinuteTimer.h"

#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

using namespace domora;
using uitest::activate;
using uitest::child;
using uitest::tick;
using uitest::timer;

namespace {

// "Timer5" and "Timer7" are the minute beat's.
constexpr int kTimerNumbersInUse[] = {1, 2, 3, 4, 6, 8, 9};

std::uint32_t dword(FakePlatform& platform, const char* name) {
    return platform.registryFake.hive().value(RegHive::CurrentUser, kMainKey, name).value().dword;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;

    std::unique_ptr<MainWindow> makeForm() { return std::make_unique<MainWindow>(*platform, boxes); }
    void set(const char* name, std::uint32_t value) {
        platform->registryFake.hive().setValue(RegHive::CurrentUser, kMainKey,
                                               {name, RegType::Dword, value, {}, {}});
    }
    // Settings of an earlier run, with one value changed.
    void seed(const char* name, std::uint32_t value) {
        WriteDefaults(platform->registryFake);
        set(name, value);
    }
    // The window of a later run, started.
    std::unique_ptr<MainWindow> started(std::uint32_t startHow1) {
        seed("StartHow1", startHow1);
        auto form = makeForm();
        activate(*form);
        return form;
    }

    // The window of a later run in window mode, with an empty alarm file and the reference
    // holidays, shown and started.
    std::unique_ptr<MainWindow> shownWithFiles(bool onTop = false) {
        seed("StartHow1", 1);
        set("StartHow2", 0);
        set("OnTop", onTop ? 1 : 0);
        platform->filesFake.put("/app/Data/Budil.DMR", "");
        platform->filesFake.put("/app/Data/Zadan.DMR", "");
        platform->filesFake.put("/app/Data/Celeb.DMR", ReadTestData("Celeb.DMR"));
        auto form = makeForm();
        form->show();
        // Drawn first, then its tray icon comes.
        [&] {
            QTRY_VERIFY(child<QSystemTrayIcon>(*form, "TrayIcon")->isVisible());
            QVERIFY(form->firstPainted());
        }();
        return form;
    }
    // Opens each dialog of the main window with its button and hands it to `look` while it is
    // open; then it is closed.
    void openEachDialog(MainWindow& form, const std::function<void(QWidget&)>& look) {
        auto* sheets = child<QTabWidget>(form, "PageControl2");
        const std::pair<int, const char*> buttons[] = {{1, "BudAddButton"},  {1, "SpeedButton19"},
                                                       {1, "SpeedButton20"}, {0, "SpeedButton4"},
                                                       {0, "SpeedButton12"}, {2, "SpeedButton40"}};
        for (const auto& [sheet, button] : buttons) {
            sheets->setCurrentIndex(sheet);
            if (sheet == 0) {
                child<QTableWidget>(form, "CelebTable")->setCurrentCell(0, 2); // the holiday to add after
            }
            bool opened = false;
            uitest::whenModalShown(&form, [&](QWidget& dialog) {
                opened = true;
                look(dialog);
                dialog.close();
            });
            child<QPushButton>(form, button)->click();
            QVERIFY2(opened, button);
        }
    }
    // A countdown of one minute from the tray menu, run out: the expiry window shows.
    void ringCountdown(MainWindow& form) {
        child<QAction>(form, "mnTSet1")->trigger();
        for (int second = 0; second < 60; ++second) {
            tick(form, 3);
        }
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        platform->filesFake.put("/app/Data/IServers.DMR", "pool.ntp.org\r\ntime.nist.gov\r\n");
        boxes.shown.clear();
        boxes.answers.clear();
    }

    void firstRunWritesDefaultsThanksOnceAndStartsInTray() {
        auto form = makeForm();
        QVERIFY(SettingsKeysExist(platform->registryFake));
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].startsWith("info: Спасибо"));
        QVERIFY(!form->startedUp());
        for (int number : kTimerNumbersInUse) {
            QCOMPARE(timer(*form, number)->enabled(), number == 8);
            QVERIFY(!timer(*form, number)->running());
        }

        activate(*form);
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(form->startedUp());
        QCOMPARE(child<QTabWidget>(*form, "PageControl1")->currentIndex(), 0);
        QVERIFY(child<QRadioButton>(*form, "RadioButton2")->isChecked());
        QVERIFY(form->hidesWhenMinimised());
        QVERIFY(form->isMinimized());
        QCOMPARE(child<QComboBox>(*form, "ComboBox3")->currentText(), QString("pool.ntp.org"));
        QCOMPARE(child<QComboBox>(*form, "ComboBox3")->count(), 2);
        // All but the dedication's are enabled. The countdown's and the tariffs' stay silent
        // at 0, and the clock and the event line while the window is not on the screen; the
        // connection is polled, as the fake tells of no connection changes; the minute beat
        // has started.
        for (int number : kTimerNumbersInUse) {
            QCOMPARE(timer(*form, number)->enabled(), number != 9);
            QCOMPARE(timer(*form, number)->running(), number == 6 || number == 2);
        }
        QVERIFY(child<MinuteTimer>(*form, "MinuteTimer")->started());
        // Autostart is on in the defaults but registered only when the page is saved.
        QVERIFY(!platform->autostartSet);
    }

    void laterRunLoadsStartPageAndModeOnce() {
        seed("StartHow1", 1);
        set("StartHow2", 0);
        set("RussianKeyb", 1);
        platform->registryFake.hive().setValue(RegHive::CurrentUser, kMainKey,
                                               {"StartWith", RegType::String, 0, "Время в мире", {}});
        auto form = makeForm();
        platform->clearCalls();
        activate(*form);
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(child<QTabWidget>(*form, "PageControl1")->currentIndex(), 3);
        QVERIFY(child<QRadioButton>(*form, "RadioButton1")->isChecked());
        QVERIFY(!form->isMinimized());
        QVERIFY(!form->hidesWhenMinimised());
        QVERIFY(child<QCheckBox>(*form, "CheckBox5")->isChecked());

        // Another activation does not load again but switches the keyboard again.
        set("OnTop", 1);
        activate(*form);
        QVERIFY(!child<QCheckBox>(*form, "CheckBox2")->isChecked());
        QCOMPARE(platform->calls(), std::vector<std::string>(2, "keyboard.activateRussian"));
    }

    void bothStartModesStoredTheLaterWins() {
        auto form = started(1);
        QVERIFY(!child<QRadioButton>(*form, "RadioButton1")->isChecked());
        QVERIFY(child<QRadioButton>(*form, "RadioButton2")->isChecked());
        QVERIFY(form->hidesWhenMinimised());
    }

    // A field that cannot be stored is named and focused and nothing is stored or applied;
    // put right, everything is stored in order and only then is success reported.
    void saveChecksEveryFieldFirst() {
        auto form = started(0);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        child<QCheckBox>(*form, "CheckBox9")->setChecked(true);
        child<QLineEdit>(*form, "Edit3")->setText("7");
        child<QCheckBox>(*form, "CheckBox10")->setChecked(true);
        auto* day = child<QLineEdit>(*form, "Edit4");
        day->setText("abc"); // as a damaged setting would load it: typing takes digits only
        child<QCheckBox>(*form, "CheckBox11")->setChecked(true);
        child<QLineEdit>(*form, "Edit5")->setText("9");
        child<QCheckBox>(*form, "CheckBox2")->setChecked(true);

        child<QPushButton>(*form, "Button1")->click();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].startsWith("error: Настройки не сохранены"));
        QVERIFY(boxes.shown[0].contains("«дневных часов»"));
        QCOMPARE(QApplication::focusWidget(), day);
        QCOMPARE(dword(*platform, "LessBucksCh"), 0u); // nothing stored, nothing applied
        QVERIFY(!platform->autostartSet);
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        day->clear();
        QTest::keyClicks(day, "x3");
        QCOMPARE(day->text(), QString("3"));
        child<QCheckBox>(*form, "CheckBox1")->setChecked(false);
        platform->autostartSet = true;
        boxes.shown.clear();
        child<QPushButton>(*form, "Button1")->click();
        QCOMPARE(boxes.shown, QStringList{"info: Зафиксированно без ошибок"});
        QCOMPARE(dword(*platform, "LessBucks"), 7u);
        QCOMPARE(dword(*platform, "LessDaysCh"), 1u);
        QCOMPARE(dword(*platform, "LessDays"), 3u);
        QCOMPARE(dword(*platform, "LessToNights"), 9u);
        QVERIFY(!platform->autostartSet);
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // The icon was taken away and put back by the save.
        QVERIFY(child<QSystemTrayIcon>(*form, "TrayIcon")->isVisible());
    }

    // The status line and a world clock from the platform's clock and daylight flag (the
    // texts and zone arithmetic are the core's).
    void clockTickFillsStatusLineAndClocks() {
        seed("StartHow1", 0);
        // Local 6 December 2026 (a Sunday) 23:30:05 in a zone at universal time, daylight time.
        platform->clockFake.setLocal(DateTime{2026, 12, 6, 1, 23, 30, 5, 0}, 0);
        platform->clockFake.setDaylight(true);
        auto form = makeForm();
        tick(*form, 1);
        QCOMPARE(child<QLabel>(*form, "StData")->text(), QString("06.12.2026"));
        QCOMPARE(child<QLabel>(*form, "StTime")->text(), QString("02:30:05"));
        QCOMPARE(child<QLabel>(*form, "StaticText6")->text(), QString("19:30:05"));
    }

    // Nothing ticks for a window that is not on the screen: hidden to the tray or minimised,
    // the clock rests; shown again, the status line is current at once.
    void clockRestsWhileTheWindowIsNotSeen() {
        seed("StartHow1", 1);
        set("StartHow2", 0);
        auto form = makeForm();
        form->show();
        activate(*form);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        IntervalTimer* clock = timer(*form, 1);
        QVERIFY(clock->running() && timer(*form, 4)->running());

        form->hide();
        QVERIFY(!clock->running() && !timer(*form, 4)->running());
        QVERIFY(clock->enabled());
        platform->clockFake.setLocal(DateTime{2026, 12, 7, 2, 10, 0, 59, 0}, 0);
        form->show();
        QVERIFY(clock->running());
        QCOMPARE(child<QLabel>(*form, "StTime")->text(), QString("12:00:59"));

        form->showMinimized();
        QTRY_VERIFY(form->isMinimized());
        QVERIFY(!clock->running());
        platform->clockFake.advanceMs(1000);
        form->showNormal();
        QTRY_VERIFY(clock->running());
        QCOMPARE(child<QLabel>(*form, "StTime")->text(), QString("12:01:00"));
    }

    void closeQuestions_data() {
        QTest::addColumn<bool>("sessionEnding");
        QTest::addColumn<bool>("taskbarVisible");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("taskbarAfter");
        QTest::newRow("no keeps running") << false << true << QList<bool>{false} << false << 1 << true;
        QTest::newRow("yes closes") << false << true << QList<bool>{true} << true << 1 << true;
        QTest::newRow("hidden taskbar brought back")
            << false << false << QList<bool>{true, true} << true << 2 << true;
        QTest::newRow("hidden taskbar left hidden")
            << false << false << QList<bool>{true, false} << true << 2 << false;
        QTest::newRow("session end asks nothing") << true << true << QList<bool>{} << true << 0 << true;
    }
    void closeQuestions() {
        QFETCH(bool, sessionEnding);
        QFETCH(bool, taskbarVisible);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        QFETCH(bool, taskbarAfter);
        seed("StartHow1", 1);
        set("StartHow2", 0);
        platform->taskbarVisible = taskbarVisible;
        auto form = makeForm();
        form->show();
        activate(*form);
        if (sessionEnding) {
            form->endSession();
        }
        boxes.answers.assign(answers.begin(), answers.end());
        child<QAction>(*form, "mnExit")->trigger();
        QCOMPARE(form->isVisible(), !closes);
        QCOMPARE(static_cast<int>(boxes.shown.filter("question: ").size()), questions);
        if (questions > 0) {
            QCOMPARE(boxes.shown[0], QString("question: Вы хотите закрыть Domora Lite 2003?"));
        }
        QCOMPARE(platform->taskbarVisible, taskbarAfter);
        // A refused close leaves every timer going.
        for (int number : {1, 2, 3, 4, 6}) {
            QVERIFY(timer(*form, number)->enabled());
        }
    }

    void dedicationOnAboutPageOnly() {
        seed("StartHow1", 0);
        auto form = makeForm();
        child<QTabWidget>(*form, "PageControl1")->setCurrentIndex(2);
        QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!timer(*form, 9)->enabled());
        child<QTabWidget>(*form, "PageControl1")->setCurrentIndex(5);
        QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!timer(*form, 9)->enabled());
        QTest::keyClick(form.get(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(timer(*form, 9)->enabled());
        QVERIFY(child<QLabel>(*form, "DedicationLabel")->isVisibleTo(form.get()));
        QVERIFY(!child<QLabel>(*form, "AppealLabel1")->isVisibleTo(form.get()));
        tick(*form, 9);
        QVERIFY(!timer(*form, 9)->enabled());
        QVERIFY(!child<QLabel>(*form, "DedicationLabel")->isVisibleTo(form.get()));
        QVERIFY(child<QLabel>(*form, "AppealLabel2")->isVisibleTo(form.get()));
    }

    // The menu joins the modules' submenus in order; its page items bring the window back.
    void popupMenuOrderAndNavigation() {
        seed("StartHow1", 0);
        auto form = makeForm();
        QStringList captions;
        for (QAction* action : child<QMenu>(*form, "PopupMenu1")->actions()) {
            captions << (action->isSeparator() ? QString("-") : action->text());
        }
        QCOMPARE(captions, (QStringList{"&Форма", "&Таймер", "Праздники", "Будильники", "Задания", "Сервис",
                                        "-", "&Выход"}));
        const std::pair<const char*, int> items[] = {{"mnFOpition", 1}, {"mnFAbout", 5}, {"mnFSystem", 4}};
        form->showMinimized();
        for (const auto& [name, page] : items) {
            child<QAction>(*form, name)->trigger();
            QCOMPARE(child<QTabWidget>(*form, "PageControl1")->currentIndex(), page);
            QVERIFY(!form->isMinimized());
        }
        child<QAction>(*form, "mnZSee")->trigger();
        QCOMPARE(child<QTabWidget>(*form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(*form, "PageControl2")->currentIndex(), 2);
    }

    // Every dialog opened from the main window belongs to it (the window manager keeps it
    // above), and stays on top when the main window does.
    void dialogsBelongToTheMainWindow() {
        auto form = shownWithFiles(true);
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QStringList shown;
        openEachDialog(*form, [&](QWidget& dialog) {
            shown << dialog.objectName();
            QCOMPARE(dialog.windowHandle()->transientParent(), form->windowHandle());
            QVERIFY2(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                     qPrintable(dialog.objectName()));
        });
        QCOMPARE(shown, (QStringList{"Form8", "Form10", "Form9", "Form6", "Form12", "Form15"}));
    }

    // The dialogs and the countdown's expiry window are made when they are first opened, not
    // at start-up, and then kept: opened again, the add dialog shows the date last chosen.
    // Ringing without a sound file loads no sound module.
    void dialogsAndSoundAreMadeOnFirstUse() {
        auto form = shownWithFiles();
        const QStringList later{"Form6", "Form8", "Form10", "Form11", "Form12", "Form15"};
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            QVERIFY2(!later.contains(window->objectName()), qPrintable(window->objectName()));
        }
        QList<QWidget*> first;
        openEachDialog(*form, [&](QWidget& dialog) {
            first << &dialog;
            if (dialog.objectName() == "Form6") {
                child<QDateEdit>(dialog, "DateTimePicker1")->setDate(QDate(2003, 2, 1));
            }
        });
        QList<QWidget*> again;
        QDate date;
        openEachDialog(*form, [&](QWidget& dialog) {
            again << &dialog;
            if (dialog.objectName() == "Form6") {
                date = child<QDateEdit>(dialog, "DateTimePicker1")->date();
            }
        });
        QCOMPARE(again, first);
        QCOMPARE(date, QDate(2003, 2, 1));
        ringCountdown(*form);
        QVERIFY(uitest::topLevel<QWidget>("Form11")->isVisible());
        QVERIFY(!uitest::soundModuleLoaded());
    }

    // Every fixed caption of the window's pages and dialogs fits its box at the program's font.
    void captionsFitTheirBoxes() {
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
        auto form = shownWithFiles();
        openEachDialog(*form, [](QWidget&) {});
        ringCountdown(*form);
        QStringList cut;
        QList<QWidget*> windows{form.get()};
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName().startsWith(QStringLiteral("Form")) && window != form.get()) {
                windows << window;
            }
        }
        QList<QLabel*> labels;
        for (QWidget* window : windows) {
            labels += window->findChildren<QLabel*>();
            for (QHeaderView* header : window->findChildren<QHeaderView*>()) {
                const auto* table = qobject_cast<QTableWidget*>(header->parentWidget());
                if (table == nullptr || header->orientation() != Qt::Horizontal) {
                    continue;
                }
                for (int column = 0; column < table->columnCount(); ++column) {
                    // A heading its described column cuts carries its whole text as a tooltip.
                    const QTableWidgetItem* heading = table->horizontalHeaderItem(column);
                    const QString text = heading->text();
                    const int needed = header->fontMetrics().horizontalAdvance(text) + 4;
                    if (needed > header->sectionSize(column) && heading->toolTip() != text) {
                        cut << QStringLiteral("%1 heading «%2» %3 in %4")
                                   .arg(table->objectName(), text)
                                   .arg(needed)
                                   .arg(header->sectionSize(column));
                    }
                }
            }
        }
        for (QLabel* label : labels) {
            const QString text = label->text();
            if (text.isEmpty() || label->textFormat() == Qt::RichText || !label->pixmap().isNull()) {
                continue;
            }
            const QRect box = label->contentsRect();
            const QString where = label->window()->objectName() + "/" + label->objectName();
            const QRect needed = label->fontMetrics().boundingRect(
                box, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), text);
            if (needed.width() > box.width() || needed.height() > box.height()) {
                cut << QStringLiteral("%1 «%2» %3x%4 in %5x%6")
                           .arg(where, text)
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(box.width())
                           .arg(box.height());
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("\n"))));
        // "Ok" of the Options page shows whole on its page.
        child<QTabWidget>(*form, "PageControl1")->setCurrentIndex(1);
        auto* ok = child<QPushButton>(*form, "Button1");
        QTRY_VERIFY(ok->isVisible());
        QVERIFY(ok->parentWidget()->rect().contains(ok->geometry()));
    }

    // The damage is found by the first read of the settings; the user is told of it (not
    // thanked for a first run) and the defaults are written.
    void damagedSettingsAreReported() {
        platform->damageReport = "Файл настроек повреждён.";
        auto form = makeForm();
        QCOMPARE(boxes.shown, QStringList{"error: Файл настроек повреждён."});
        QVERIFY(SettingsKeysExist(platform->registryFake));
    }

    void unreadableServerListIsReportedAndLeavesTheBoxEmpty() {
        platform->filesFake.remove("/app/Data/IServers.DMR");
        seed("StartHow1", 0);
        auto form = makeForm();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].startsWith("error: "));
        QCOMPARE(child<QComboBox>(*form, "ComboBox3")->count(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
