// The alarm list on the recording platform: the grid of the golden records, the empty and
// error rows, deleting and resetting through the message dialog, and the main window's
// wiring (the "Будильники" menu and Timer5).

#include "AlarmFixture.h"

#include "core/app/Settings.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MinuteTimer.h"

#include <QAction>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace domora;
using alarmtest::Fixture;
using alarmtest::goldenAlarms;
using alarmtest::recordOf;
using uitest::tableRow;

namespace {

constexpr const char* kButtons[] = {"BudAddButton", "BudChangeButton", "BudViewButton", "BudResetButton",
                                    "BudDeleteButton"};

// An alarm every day of the week `days` (Monday first) marks, at h:m.
std::string alarm(int h, int m, const char* days, bool on = true) {
    AlarmRecord record;
    record.Hour = h;
    record.Minute = m;
    record.Recurrence = "Всегда";
    record.Repeat = "Безконечно";
    record.SwitchedOn = on;
    for (std::size_t day = 0; day < 7; ++day) {
        record.Weekdays[day] = days[day] == 'x';
    }
    const auto bytes = EncodeAlarm(record);
    return std::string(bytes.begin(), bytes.end());
}

// Every day at 07:30, switched off, Thursdays at 06:00.
std::string threeAlarms() {
    return alarm(7, 30, "xxxxxxx") + alarm(7, 30, "xxxxxxx", false) + alarm(6, 0, "...x...");
}

std::string reset(const Fixture& f) {
    const auto bytes = EncodeAlarm(DefaultAlarm(f.platform.clockFake.localNow()));
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

class TestAlarmList : public QObject {
    Q_OBJECT

private slots:
    // The grid shows the file's alarms in order (the texts of a row are core's).
    void goldenRecords() {
        Fixture f(goldenAlarms());
        f.list->PageShow();
        auto* table = f.listPart<QTableWidget>("BudTable");
        QCOMPARE(table->rowCount(), 5);
        const QString missing = "Файл не найден!";
        QCOMPARE(tableRow(table, 3),
                 (QStringList{"4", "23:59", "31.12.2026", missing, "", "Безконечно", missing}));
        QCOMPARE(table->item(3, 3)->toolTip(), missing); // a cut cell's whole text
        QVERIFY(uitest::cellTip(table, 3, 3).startsWith(missing + "\nНе сработает никогда: "));
        QCOMPARE(table->columnSpan(0, 2), 1);
        for (const char* button : kButtons) {
            QVERIFY(f.listPart(button)->isEnabled());
        }
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // A row's tooltip: its alarm's next firing from the minute after the clock's, as the
    // clock reads when the tooltip shows (Tuesday 5 January 2027).
    void rowTooltips_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("minute"); // of 07:xx, second 10
        QTest::addColumn<QString>("tip");
        QTest::newRow("its minute next") << 0 << 29 << "Следующий раз: вт 05.01.2027 07:30";
        QTest::newRow("its minute seen") << 0 << 30 << "Следующий раз: ср 06.01.2027 07:30";
        QTest::newRow("switched off") << 1 << 29 << "Не сработает никогда: будильник выключен";
        QTest::newRow("thursdays") << 2 << 29 << "Следующий раз: чт 07.01.2027 06:00";
    }
    void rowTooltips() {
        QFETCH(int, row);
        QFETCH(int, minute);
        QFETCH(QString, tip);
        Fixture f(threeAlarms());
        f.list->PageShow();
        f.platform.clockFake.setLocal(DateTime{2027, 1, 5, 3, 7, minute, 10, 0});
        QCOMPARE(uitest::cellTip(f.listPart<QTableWidget>("BudTable"), row, 1), tip);
    }

    void emptyAndMissingFile() {
        Fixture f("");
        f.list->PageShow();
        auto* table = f.listPart<QTableWidget>("BudTable");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(tableRow(table, 0), (QStringList{"", "", "БУДИЛЬНИК НЕ УСТАНОВЛЕН", "", "", "", ""}));
        QCOMPARE(table->columnSpan(0, 2), 5); // the message across the columns, whole
        for (const char* button : kButtons) {
            QCOMPARE(f.listPart(button)->isEnabled(), button == kButtons[0]);
        }

        // The page shown without a file: the error row, every button off, no message.
        f.platform.filesFake.remove(f.paths.BudilPath);
        f.list->PageShow();
        QCOMPARE(tableRow(table, 0)[2], QString("Ошибка! Файл Budil.dmr не найден"));
        QVERIFY(!f.listPart("BudAddButton")->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
        // A refill without a file: the store's message, the rows kept.
        f.list->ShowAlarms();
        QCOMPARE(f.boxes.shown, QStringList{"error: Ошибка!\r\nФайл /app/Data/Budil.DMR не найден"});
        QCOMPARE(tableRow(table, 0)[2], QString("Ошибка! Файл Budil.dmr не найден"));

        // A file that is there but cannot be read is treated as missing, with its reason.
        f.boxes.shown.clear();
        f.platform.filesFake.put(f.paths.BudilPath, "");
        f.platform.filesFake.makeUnreadable(f.paths.BudilPath);
        f.list->PageShow();
        QCOMPARE(tableRow(table, 0)[2], QString("Ошибка! Файл Budil.dmr не найден"));
        for (const char* button : kButtons) {
            QVERIFY(!f.listPart(button)->isEnabled());
        }
        QCOMPARE(f.boxes.shown.size(), 1);
    }

    // Deleting and resetting by the dialog's answer: 1 "Ok", 2 "Отмена", 3 "Да все".
    void confirmations_data() {
        QTest::addColumn<bool>("remove");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<int>>("kept"); // records of the old file, 0 for a reset one
        QTest::newRow("delete 2") << true << 2 << 1 << QList<int>{1, 3, 4, 5};
        QTest::newRow("delete cancelled") << true << 2 << 2 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("delete past the end") << true << 9 << 1 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("delete all, nothing selected") << true << 0 << 3 << QList<int>{};
        QTest::newRow("reset 3") << false << 3 << 1 << QList<int>{1, 2, 0, 4, 5};
        QTest::newRow("reset all") << false << 1 << 3 << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("reset all, nothing selected") << false << 0 << 3 << QList<int>{1, 2, 3, 4, 5};
    }
    void confirmations() {
        QFETCH(bool, remove);
        QFETCH(int, selected);
        QFETCH(int, answer);
        QFETCH(QList<int>, kept);
        // A selection past the end: the file had more alarms when the row was selected.
        Fixture f(selected > 5 ? goldenAlarms() + goldenAlarms() : goldenAlarms());
        f.list->PageShow();
        auto* table = f.listPart<QTableWidget>("BudTable");
        if (selected != 0) {
            table->setCurrentCell(selected - 1, 2);
        }
        f.platform.filesFake.put(f.paths.BudilPath, goldenAlarms());
        f.list->ShowAlarms();
        QCOMPARE(f.list->selectedAlarm(), selected);
        QString text;
        uitest::answerDialog(f.dialog, answer, &text);
        f.listPart<QPushButton>(remove ? "BudDeleteButton" : "BudResetButton")->click();
        QCOMPARE(text,
                 QString("Выделена запись будильника №%1 \r\nВы действительно хотите %2 этот будильник?")
                     .arg(selected)
                     .arg(remove ? "удалить" : "сбросить"));
        QCOMPARE(f.dialog.windowTitle(), QString(remove ? "Удаление..." : "Сброс..."));
        std::string expected;
        for (int n : kept) {
            expected += n == 0 ? reset(f) : recordOf(goldenAlarms(), n);
        }
        QCOMPARE(f.file(), expected);
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(table->rowCount(), std::max<int>(1, static_cast<int>(kept.size())));
        QCOMPARE(f.list->selectedAlarm(), selected);
        if (kept.isEmpty()) {
            QCOMPARE(tableRow(table, 0)[2], QString("БУДИЛЬНИК НЕ УСТАНОВЛЕН"));
            QVERIFY(!f.listPart("BudDeleteButton")->isEnabled());
        }
    }

    void addThroughTheEditorEnablesTheButtons() {
        Fixture f("");
        f.list->PageShow();
        QTimer::singleShot(0, f.editor, [&f] { f.editorPart<QPushButton>("OkButton")->click(); });
        f.listPart<QPushButton>("BudAddButton")->click();
        auto* table = f.listPart<QTableWidget>("BudTable");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(tableRow(table, 0)[1], QString("0:0"));
        QVERIFY(f.listPart("BudChangeButton")->isEnabled() && f.listPart("BudDeleteButton")->isEnabled());
    }

    // The main window: the menu opens the alarms page before it acts (firing through Timer5 is
    // the end-to-end test's).
    void mainWindowWiring() {
        FakePlatform platform;
        uitest::RecordingBoxes boxes;
        WriteDefaults(platform.registryFake);
        platform.filesFake.put("/app/Data/IServers.DMR", "pool.ntp.org\r\n");
        platform.filesFake.put("/app/Data/Budil.DMR", goldenAlarms());
        MainWindow form(platform, boxes);

        QString text;
        uitest::answerDialog(form.messageDialog(), 3, &text);
        form.findChild<QAction*>("mnADelAll")->trigger();
        QCOMPARE(
            text,
            QString("Выделена запись будильника №0 \r\nВы действительно хотите удалить этот будильник?"));
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl2")->currentIndex(), 1);
        QCOMPARE(platform.filesFake.files().at("/app/Data/Budil.DMR"), std::string());
        QCOMPARE(uitest::child<QTableWidget>(form, "BudTable")->item(0, 2)->text(),
                 QString("БУДИЛЬНИК НЕ УСТАНОВЛЕН"));
        for (const char* name : {"mnASee", "mnAAdd", "mnADelAll", "mnASbros"}) {
            QVERIFY(form.findChild<QAction*>(name)->isEnabled());
        }
    }

    // The tray tip's fourth line names the earliest next alarm after each minute's pass; with
    // no alarm to fire (all deleted) the tip has its own three lines only.
    void trayTipNamesTheNextAlarm() {
        FakePlatform platform;
        uitest::RecordingBoxes boxes;
        WriteDefaults(platform.registryFake);
        platform.filesFake.put("/app/Data/IServers.DMR", "pool.ntp.org\r\n");
        platform.filesFake.put("/app/Data/Budil.DMR", threeAlarms());
        platform.clockFake.setLocal(DateTime{2027, 1, 5, 3, 7, 30, 10, 0});
        MainWindow form(platform, boxes);
        auto* tray = uitest::child<QSystemTrayIcon>(form, "TrayIcon");
        const QStringList own{"Domora Lite 2003", "Левая:  2-Открыть окно", "Правая: 1-Меню"};
        QCOMPARE(tray->toolTip().split('\n'), own);

        emit uitest::child<MinuteTimer>(form, "MinuteTimer")->minute();
        QCOMPARE(tray->toolTip().split('\n'), own + QStringList{"Будильник: ср 06.01.2027 07:30"});

        uitest::answerDialog(form.messageDialog(), 3);
        form.findChild<QAction*>("mnADelAll")->trigger();
        QCOMPARE(tray->toolTip().split('\n'), own);
    }
};

QTEST_MAIN(TestAlarmList)
#include "tst_AlarmList.moc"
