// The list of what was missed: its lines, and a missed task performed only on the button,
// once started, with a failure said in the row.

#include "ui/missed/MissedWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace domora;

class TestMissedWindow : public QObject {
    Q_OBJECT

private slots:
    void listsAndRunsOnlyTasks() {
        MissedList list;
        list.afterSleep = true;
        const DateTime at{2026, 12, 8, 3, 7, 30, 0, 0};
        list.firings = {{MissedFiring::Kind::Alarm, 1, at, "Подъём, Bip-Bip", {}},
                        {MissedFiring::Kind::Task, 2, at, "backup.sh", {}},
                        {MissedFiring::Kind::Task, 3, at, "sync.sh", {}}};
        std::vector<int> runs;
        MissedWindow window([&](const MissedFiring& firing) {
            runs.push_back(firing.number);
            return firing.number == 2 ? TaskRunResult::ok() : TaskRunResult::failed("Файл не найден.");
        });
        window.showList(list);
        QCOMPARE(window.findChild<QLabel*>("MissedHeading")->text(),
                 QStringLiteral("Пока компьютер был в спящем режиме, пропущено:"));
        const auto lines = window.findChildren<QLabel*>("MissedLine");
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0]->text(), QStringLiteral("будильник 07:30 вт 08.12.2026 — Подъём, Bip-Bip"));
        QVERIFY(runs.empty());

        const auto buttons = window.findChildren<QPushButton*>("RunNowButton");
        QCOMPARE(buttons.size(), 2);
        QTest::mouseClick(buttons[0], Qt::LeftButton);
        QTest::mouseClick(buttons[0], Qt::LeftButton); // started: not again
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QTest::mouseClick(buttons[1], Qt::LeftButton); // failed: may be tried again
        QCOMPARE(runs, (std::vector<int>{2, 3, 3}));
        const auto outcomes = window.findChildren<QLabel*>("RunOutcome");
        QCOMPARE(outcomes[1]->text(), QStringLiteral("Файл не найден."));
    }
};

QTEST_MAIN(TestMissedWindow)
#include "tst_MissedWindow.moc"
