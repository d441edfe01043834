// The alarm list on the recording platform: the grid of the golden records, the empty and
// error rows, deleting and resetting through the message dialog, and the main window's
// wiring (the "Будильники" menu and Timer5).

#include "AlarmFixture.h"

#include "core/app/Settings.h"
#include "ui/app/MainWindow.h"

#include <QAction>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace domora;
using alarmtest::Fixture;
using alarmtest::goldenAlarms;
using alarmtest::recordOf;
using uitest::tableRow;

namespace {

std::string reset(const Fixture& f) {
    const auto bytes = EncodeBudil(DefaultAlarm(f.platform.clockFake.localNow()));
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

class TestAlarmList : public QObject {
    Q_OBJECT

private slots:
    void goldenRecords() {
        Fixture f(goldenAlarms());
        f.platform.filesFake.put("/music/Утро.mp3", "");
        f.list->PageShow();
        QTableWidget* table = f.list->BudTable;
        QStringList headers;
        QList<int> widths;
        for (int column = 0; column < table->columnCount(); ++column) {
            headers << table->horizontalHeaderItem(column)->text();
            widths << table->columnWidth(column);
        }
        QCOMPARE(headers, (QStringList{"№", "Время", "Дата", "Тип сообщения", "День", "Повтор", "Звук"}));
        QCOMPARE(widths, (QList<int>{31, 37, 59, 110, 72, 64, 88}));
        QCOMPARE(table->rowCount(), 5);
        const QString missing = "Файл не найден!";
        QCOMPARE(tableRow(table, 0),
                 (QStringList{"1", "7:30", "", missing, "ПН,ВТ,СР,ЧТ,ПТ,", "Безконечно", "Бип-Бип"}));
        QCOMPARE(tableRow(table, 1),
                 (QStringList{"2", "0:0", "", missing, "Каждый первый день месяца", "2", "Звонок"}));
        QCOMPARE(tableRow(table, 2),
                 (QStringList{"3", "-1:-1", "", missing, "Каждый рабочий день", "1", missing}));
        QCOMPARE(tableRow(table, 3),
                 (QStringList{"4", "23:59", "31.12.2026", missing, "", "Безконечно", missing}));
        QCOMPARE(tableRow(table, 4), (QStringList{"5", "12:5", "", missing, "СБ,ВС", "10", "Нет"}));
        for (QPushButton* button : {f.list->AddButton, f.list->ChangeButton, f.list->ViewButton,
                                    f.list->ResetButton, f.list->DeleteButton}) {
            QVERIFY(button->isEnabled());
        }
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void emptyAndMissingFile() {
        Fixture f("");
        f.list->PageShow();
        QCOMPARE(f.list->BudTable->rowCount(), 1);
        QCOMPARE(tableRow(f.list->BudTable, 0),
                 (QStringList{"", "", "БУДИЛЬНИК НЕ УСТАНОВЛЕН", "", "", "", ""}));
        QVERIFY(f.list->AddButton->isEnabled());
        QVERIFY(!f.list->ChangeButton->isEnabled() && !f.list->ViewButton->isEnabled());
        QVERIFY(!f.list->ResetButton->isEnabled() && !f.list->DeleteButton->isEnabled());

        // The page shown without a file: the error row, every button off, no message.
        f.platform.filesFake.remove(f.paths.BudilPath);
        f.list->PageShow();
        QCOMPARE(tableRow(f.list->BudTable, 0)[2], QString("Ошибка! Файл Budil.dmr не найден"));
        QVERIFY(!f.list->AddButton->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
        // A refill without a file: the store's message, the rows kept.
        f.list->ShowAlarms();
        QCOMPARE(f.boxes.shown, QStringList{"error: Ошибка!\r\nФайл /app/Data/Budil.DMR не найден"});
        QCOMPARE(tableRow(f.list->BudTable, 0)[2], QString("Ошибка! Файл Budil.dmr не найден"));
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
        QTest::newRow("delete nothing selected") << true << 0 << 1 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("delete all, nothing selected") << true << 0 << 3 << QList<int>{};
        QTest::newRow("reset 3") << false << 3 << 1 << QList<int>{1, 2, 0, 4, 5};
        QTest::newRow("reset all") << false << 1 << 3 << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("reset all, nothing selected") << false << 0 << 3 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("reset past the end") << false << 9 << 1 << QList<int>{1, 2, 3, 4, 5};
    }
    void confirmations() {
        QFETCH(bool, remove);
        QFETCH(int, selected);
        QFETCH(int, answer);
        QFETCH(QList<int>, kept);
        Fixture f(goldenAlarms());
        f.list->PageShow();
        if (selected >= 1 && selected <= 5) {
            f.list->BudTable->setCurrentCell(selected - 1, 2);
        } else {
            f.list->SelectedAlarm = selected;
        }
        QCOMPARE(f.list->SelectedAlarm, selected);
        QString text;
        uitest::answerDialog(f.dialog, answer, &text);
        (remove ? f.list->DeleteButton : f.list->ResetButton)->click();
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
        QCOMPARE(f.list->BudTable->rowCount(), std::max<int>(1, static_cast<int>(kept.size())));
        QCOMPARE(f.list->SelectedAlarm, selected);
        if (kept.isEmpty()) {
            QCOMPARE(tableRow(f.list->BudTable, 0)[2], QString("БУДИЛЬНИК НЕ УСТАНОВЛЕН"));
            QVERIFY(!f.list->DeleteButton->isEnabled());
        }
    }

    void addThroughTheEditorEnablesTheButtons() {
        Fixture f("");
        f.list->PageShow();
        QTimer::singleShot(0, f.editor, [&f] { f.editor->OkButton->click(); });
        f.list->AddButton->click();
        QCOMPARE(f.list->EditorMode, std::uint16_t(1));
        QCOMPARE(f.list->BudTable->rowCount(), 1);
        QCOMPARE(tableRow(f.list->BudTable, 0)[1], QString("0:0"));
        QVERIFY(f.list->ChangeButton->isEnabled() && f.list->DeleteButton->isEnabled());
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
};

QTEST_MAIN(TestAlarmList)
#include "tst_AlarmList.moc"
