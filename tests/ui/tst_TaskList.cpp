// The task list on the recording platform: the grid of the golden records, the empty and
// error rows, deleting through the message dialog, the refill when the scheduler switches a
// task off, and the main window's wiring (the "Задания" menu, the minute beat, a task that
// cannot start).

#include "TaskFixture.h"

#include "core/app/Settings.h"
#include "ui/app/MainWindow.h"

#include <QAction>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace domora;
using tasktest::decoded;
using tasktest::Fixture;
using tasktest::goldenTasks;
using tasktest::recordOf;
using uitest::tableRow;

namespace {

constexpr const char* kButtons[] = {"SpeedButton40", "SpeedButton41", "SpeedButton44", "SpeedButton42"};

void expectButtons(const Fixture& f, bool add, bool others) {
    for (const char* button : kButtons) {
        const bool expected = button == kButtons[0] ? add : others;
        QVERIFY2(f.listPart(button)->isEnabled() == expected, button);
    }
}

} // namespace

class TestTaskList : public QObject {
    Q_OBJECT

private slots:
    void goldenRecordsEmptyAndMissing() {
        Fixture f(goldenTasks());
        f.list->TabSheet10Show();
        auto* table = f.listPart<QTableWidget>("ZadTable");
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(tableRow(table, 1),
                 (QStringList{"2", "-1:-1", "06.12.2026", "По будням", "Выключить монитор", "Актив"}));
        QCOMPARE(tableRow(table, 0)[4], QString("notepad.exe")); // a custom task: its file
        QCOMPARE(tableRow(table, 2)[5], QString());
        expectButtons(f, true, true);
        // A row's tooltip: the task's next run from the next minute on (Tuesday 09:15 now), by
        // the scheduler's flag of a task without a time.
        QCOMPARE(uitest::cellTip(table, 1, 1), QString("Следующий раз: вт 05.01.2027 09:16"));
        f.scheduler.TaskFired[1] = 1;
        QCOMPARE(uitest::cellTip(table, 1, 1),
                 QString("Не сработает никогда: задание без времени уже выполнено в этом запуске программы"));
        QCOMPARE(uitest::cellTip(table, 2, 1), QString("Не сработает никогда: задание выключено"));

        f.platform.filesFake.put(f.paths.ZadanPath, "");
        f.list->TabSheet10Show();
        QCOMPARE(tableRow(table, 0), (QStringList{"", "", "", "", "ЗАДАНИЙ НЕТ", ""}));
        expectButtons(f, true, false);

        f.platform.filesFake.remove(f.paths.ZadanPath);
        f.list->TabSheet10Show();
        QCOMPARE(tableRow(table, 0)[2], QString("Ошибка! Файл Zadan.dmr не найден"));
        expectButtons(f, false, false);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // "Ok" deletes the selected task (the others move up), "Отмена" nothing, "Да все"
    // every task.
    void deleting() {
        Fixture f(goldenTasks());
        const std::string golden = f.file();
        f.list->TabSheet10Show();
        auto* table = f.listPart<QTableWidget>("ZadTable");
        table->setCurrentCell(0, 3);
        QCOMPARE(f.list->SelectedTask(), 1);

        QString text;
        uitest::answerDialog(f.dialog, 2, &text);
        f.listPart<QPushButton>("SpeedButton42")->click();
        QCOMPARE(text, QString("Выделена запись №1 \r\nВы действительно хотите удалить это задание?"));
        QCOMPARE(f.dialog.windowTitle(), QString("Удаление..."));
        QCOMPARE(f.file(), golden);

        uitest::answerDialog(f.dialog, 1);
        f.listPart<QPushButton>("SpeedButton42")->click();
        QCOMPARE(f.file(), golden.substr(kTaskRecordSize));
        QCOMPARE(tableRow(table, 0)[0], QString("1"));
        QCOMPARE(tableRow(table, 0)[4], QString("Выключить монитор"));

        uitest::answerDialog(f.dialog, 3);
        f.listPart<QPushButton>("SpeedButton42")->click();
        QCOMPARE(f.file(), std::string());
        QCOMPARE(tableRow(table, 0)[4], QString("ЗАДАНИЙ НЕТ"));
        expectButtons(f, true, false);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // The main window: the menu opens the tasks page before it acts; at its start the
    // minute beat runs the task due now; a program that cannot start is told once and the
    // task is switched off all the same.
    void mainWindowWiring() {
        FakePlatform platform;
        uitest::RecordingBoxes boxes;
        WriteDefaults(platform.registryFake);
        platform.filesFake.put("/app/Data/IServers.DMR", "pool.ntp.org\r\n");
        platform.clockFake.setLocal(DateTime{2026, 12, 7, 2, 10, 0, 3, 0});
        platform.taskStartFailure = "Не найден файл «notepad.exe».";
        const std::string golden = goldenTasks();
        platform.filesFake.put("/app/Data/Zadan.DMR", golden);
        MainWindow form(platform, boxes);
        form.show();
        uitest::activate(form);
        QTRY_COMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0], QString("error: Задание №1 не выполнено.\r\nНе найден файл «notepad.exe»."));
        const std::string after = platform.filesFake.files().at("/app/Data/Zadan.DMR");
        QVERIFY(!decoded(after, 1).Active);
        QCOMPARE(after.substr(kTaskRecordSize), golden.substr(kTaskRecordSize));
        QCOMPARE(uitest::child<QTableWidget>(form, "ZadTable")->item(0, 5)->text(), QString());

        QString text;
        uitest::answerDialog(form.messageDialog(), 3, &text);
        form.findChild<QAction*>("mnZDelAll")->trigger();
        QCOMPARE(text, QString("Выделена запись №0 \r\nВы действительно хотите удалить это задание?"));
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl2")->currentIndex(), 2);
        QCOMPARE(platform.filesFake.files().at("/app/Data/Zadan.DMR"), std::string());
        QCOMPARE(boxes.shown.size(), 1);
    }
};

QTEST_MAIN(TestTaskList)
#include "tst_TaskList.moc"
