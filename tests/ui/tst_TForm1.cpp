// The main window on the recording platform: start-up, settings load and save, the clock
// tick, closing and the tray menu.

#include "core/app/Settings.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/TForm1.h"

#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace domora;

namespace {

std::uint32_t dword(FakePlatform& platform, const char* name) {
    return platform.registryFake.hive().value(RegHive::CurrentUser, kMainKey, name).value().dword;
}

} // namespace

class TestTForm1 : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;

    std::unique_ptr<TForm1> makeForm() { return std::make_unique<TForm1>(*platform, boxes); }
    void set(const char* name, std::uint32_t value) {
        platform->registryFake.hive().setValue(RegHive::CurrentUser, kMainKey,
                                               {name, RegType::Dword, value, {}, {}});
    }
    // Settings of an earlier run, with one value changed.
    void seed(const char* name, std::uint32_t value) {
        WriteDefaults(platform->registryFake);
        set(name, value);
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
        QVERIFY(boxes.shown[0].contains("\"Ошибка\""));
        QVERIFY(!form->startedUp());
        for (int number = 1; number <= 9; ++number) {
            QCOMPARE(form->timer(number)->enabled(), number == 8);
            QVERIFY(!form->timer(number)->running());
        }

        form->FormActivate();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(form->startedUp());
        QCOMPARE(form->PageControl1->currentIndex(), 0);
        QVERIFY(form->RadioButton2->isChecked());
        QVERIFY(form->hidesWhenMinimised());
        QVERIFY(form->isMinimized());
        QCOMPARE(form->ComboBox3->currentText(), QString("pool.ntp.org"));
        QCOMPARE(form->ComboBox3->count(), 2);
        const int intervals[] = {100, 500, 0, 1000, 1000, 10000, 1000, 0, 10000};
        for (int number = 1; number <= 9; ++number) {
            QCOMPARE(form->timer(number)->enabled(), number != 9);
            QCOMPARE(form->timer(number)->interval(), intervals[number - 1]);
            QCOMPARE(form->timer(number)->running(), number != 3 && number < 8);
        }
        // Autostart is on in the defaults but registered only when the page is saved.
        QVERIFY(!platform->autostartSet);
    }

    void laterRunLoadsStartPageAndModeOnce_data() {
        QTest::addColumn<QString>("startWith");
        QTest::addColumn<int>("page");
        QTest::newRow("world time") << "Время в мире" << 3;
        QTest::newRow("unknown text keeps the first page") << "Погода" << 0;
    }
    void laterRunLoadsStartPageAndModeOnce() {
        QFETCH(QString, startWith);
        QFETCH(int, page);
        seed("StartHow1", 1);
        set("StartHow2", 0);
        set("RussianKeyb", 1);
        platform->registryFake.hive().setValue(
            RegHive::CurrentUser, kMainKey, {"StartWith", RegType::String, 0, startWith.toStdString(), {}});
        auto form = makeForm();
        platform->clearCalls();
        form->FormActivate();
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(form->PageControl1->currentIndex(), page);
        QVERIFY(form->RadioButton1->isChecked());
        QVERIFY(!form->isMinimized());
        QVERIFY(!form->hidesWhenMinimised());
        QVERIFY(form->CheckBox5->isChecked());

        // Another activation does not load again but switches the keyboard again.
        set("OnTop", 1);
        form->FormActivate();
        QVERIFY(!form->CheckBox2->isChecked());
        QCOMPARE(platform->calls(), std::vector<std::string>(2, "keyboard.activateRussian"));
    }

    void bothStartModesStoredTheLaterWins() {
        seed("StartHow1", 1);
        auto form = makeForm();
        form->FormActivate();
        QVERIFY(!form->RadioButton1->isChecked());
        QVERIFY(form->RadioButton2->isChecked());
        QVERIFY(form->hidesWhenMinimised());
    }

    void saveWritesInOrderAndStopsAtANonNumber() {
        seed("StartHow1", 0);
        auto form = makeForm();
        form->FormActivate();
        platform->clearCalls();
        form->CheckBox9->setChecked(true);
        form->Edit3->setText("7");
        form->CheckBox10->setChecked(true);
        form->Edit4->setText("abc");
        form->CheckBox11->setChecked(true);
        form->Edit5->setText("9");
        form->CheckBox2->setChecked(true);
        form->BalanceWarned.fill(true);

        form->Button1Click();
        QCOMPARE(boxes.shown.size(), 2);
        QCOMPARE(boxes.shown[0], QString("info: Зафиксированно без ошибок"));
        QVERIFY(boxes.shown[1].startsWith("error: "));
        QVERIFY(boxes.shown[1].contains("дневных часов"));
        QCOMPARE(dword(*platform, "LessBucksCh"), 1u);
        QCOMPARE(dword(*platform, "LessBucks"), 7u);
        QCOMPARE(dword(*platform, "LessDaysCh"), 1u);
        QCOMPARE(dword(*platform, "LessDays"), 1u);       // the bad field: not stored
        QCOMPARE(dword(*platform, "LessToNightsCh"), 0u); // after it: not stored
        QCOMPARE(dword(*platform, "LessToNights"), 1u);
        // The steps after the registry still ran.
        QVERIFY(platform->autostartSet);
        QCOMPARE(platform->autostartPath, std::string("/opt/domora/domora"));
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form->trayIcon()->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());
        for (bool warned : form->BalanceWarned) {
            QVERIFY(!warned);
        }
    }

    void saveWithAutostartOffRemovesIt() {
        seed("StartHow1", 0);
        platform->autostartSet = true;
        auto form = makeForm();
        form->FormActivate();
        form->CheckBox1->setChecked(false);
        form->Button1Click();
        QVERIFY(!platform->autostartSet);
        QCOMPARE(boxes.shown, QStringList{"info: Зафиксированно без ошибок"});
    }

    void clockTickFillsStatusLineAndClocks_data() {
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("newYork");
        QTest::newRow("winter") << false << "01:30:05"
                                << "18:30:05";
        QTest::newRow("daylight time") << true << "02:30:05"
                                       << "19:30:05";
    }
    void clockTickFillsStatusLineAndClocks() {
        QFETCH(bool, dst);
        QFETCH(QString, status);
        QFETCH(QString, newYork);
        seed("StartHow1", 0);
        // Local 6 December 2026 (a Sunday) 23:30:05 in a zone at universal time.
        platform->clockFake.setLocal(DateTime{2026, 12, 6, 1, 23, 30, 5, 0}, 0);
        platform->clockFake.setDaylight(dst);
        auto form = makeForm();
        form->Timer1Timer();
        QCOMPARE(form->StData->text(), QString("06.12.2026"));
        QCOMPARE(form->StDay->text(), QString("Воскресенье"));
        QCOMPARE(form->StTime->text(), status);
        QCOMPARE(form->findChild<QLabel*>("StaticText16")->text(), status);
        QCOMPARE(form->findChild<QLabel*>("StaticText6")->text(), newYork);
        QCOMPARE(form->StaticText26->text(), QString("23:30:05"));
        QCOMPARE(form->StaticText27->text(), QString("06.12.2026"));
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
        form->FormActivate();
        if (sessionEnding) {
            QVERIFY(form->QueryEndSession());
        }
        boxes.answers.assign(answers.begin(), answers.end());
        form->mnExitClick();
        QCOMPARE(form->isVisible(), !closes);
        QCOMPARE(static_cast<int>(boxes.shown.filter("question: ").size()), questions);
        if (questions > 0) {
            QCOMPARE(boxes.shown[0], QString("question: Вы хотите закрыть Domora Lite 2003?"));
        }
        QCOMPARE(platform->taskbarVisible, taskbarAfter);
        // A refused close leaves every timer going.
        for (int number = 1; number <= 7; ++number) {
            QVERIFY(form->timer(number)->enabled());
        }
    }

    void dedicationOnAboutPageOnly() {
        seed("StartHow1", 0);
        auto form = makeForm();
        form->PageControl1->setCurrentIndex(2);
        QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!form->timer(9)->enabled());
        form->PageControl1->setCurrentIndex(5);
        QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!form->timer(9)->enabled());
        QTest::keyClick(form.get(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(form->timer(9)->enabled());
        QVERIFY(form->DedicationLabel->isVisibleTo(form.get()));
        QVERIFY(!form->AppealLabel1->isVisibleTo(form.get()));
        form->Timer9Timer();
        QVERIFY(!form->timer(9)->enabled());
        QVERIFY(!form->DedicationLabel->isVisibleTo(form.get()));
        QVERIFY(form->AppealLabel2->isVisibleTo(form.get()));
    }

    void popupMenuCaptionsAndNavigation() {
        seed("StartHow1", 0);
        auto form = makeForm();
        const auto captions = [](QMenu* menu) {
            QStringList texts;
            for (QAction* action : menu->actions()) {
                texts << (action->isSeparator() ? QString("-") : action->text());
            }
            return texts;
        };
        QCOMPARE(captions(form->popupMenu()), (QStringList{"&Форма", "&Таймер", "Праздники", "Будильники",
                                                           "Задания", "Сервис", "-", "&Выход"}));
        QCOMPARE(captions(form->popupMenu()->actions()[0]->menu()),
                 (QStringList{"&Прошедшая", "-", "&Напоминания", "&Опции", "&Сервис", "&Время в мире",
                              "&Система", "О п&рограмме"}));
        const std::pair<const char*, int> items[] = {
            {"mnFOpition", 1}, {"mnFAbout", 5}, {"mnFLast", 5}, {"mnFRemember", 0}, {"mnFSystem", 4}};
        form->showMinimized();
        for (const auto& [name, page] : items) {
            form->findChild<QAction*>(name)->trigger();
            QCOMPARE(form->PageControl1->currentIndex(), page);
            QVERIFY(!form->isMinimized());
        }
        QVERIFY(form->findChild<QAction*>("mnTSet5")->isEnabled());
        QVERIFY(!form->findChild<QAction*>("mnZAdd")->isEnabled()); // tasks come later
        QCOMPARE(form->findChild<QAction*>("mnTSet15h")->text(), QString("Установить на 1.5 часа..."));
    }

    void damagedSettingsAreReported() {
        platform->damageReport = "Файл настроек повреждён.";
        auto form = makeForm();
        QCOMPARE(boxes.shown.first(), QString("error: Файл настроек повреждён."));
    }

    void unreadableServerListKeepsBoxAndPaths() {
        platform->filesFake.remove("/app/Data/IServers.DMR");
        seed("StartHow1", 0);
        auto form = makeForm();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].startsWith("error: "));
        QCOMPARE(form->ComboBox3->count(), 0);
        QCOMPARE(form->paths().AppDir, std::string("/app/"));
        QVERIFY(!form->paths().BudilPath.empty());
    }
};

QTEST_MAIN(TestTForm1)
#include "tst_TForm1.moc"
