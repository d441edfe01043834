// The price editor's window on a registry in memory: the stored hundredths and date-time
// fractions shown as dollars and times, edits stored under their names as 8-byte doubles,
// copying a day to the others, refused input, a store that refuses, and leaving with or
// without saving.

#include "UiTestSupport.h"
#include "core/app/MemoryRegistry.h"
#include "core/app/Settings.h"
#include "core/balance/TariffStore.h"
#include "testing/core/FailingRegistry.h"
#include "ui/balance/TariffEditor.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include <bit>
#include <cstring>
#include <limits>
#include <optional>

using namespace domora;
using Choice = MessageBoxes::Choice;

namespace {

// Whether a name is one of the Times key's.
bool IsBound(const QString& name) {
    return name.contains(QStringLiteral("_From")) || name.contains(QStringLiteral("_To"));
}

const char* KeyOf(const QString& name) {
    return IsBound(name) ? kTimesKey : kMoneyKey;
}

// The stored value: an 8-byte binary value read as a double; NaN for anything else.
double StoredDouble(const MemoryRegistry& registry, const QString& name) {
    const auto value = registry.hive().value(RegHive::CurrentUser, KeyOf(name), name.toStdString());
    if (!value || value->type != RegType::Binary || value->binary.size() != 8) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double result = 0;
    std::memcpy(&result, value->binary.data(), 8);
    return result;
}

std::optional<std::uint32_t> ChangingData(const MemoryRegistry& registry) {
    const auto value = registry.hive().value(RegHive::CurrentUser, kMoneyKey, "Changing_Data");
    if (!value || value->type != RegType::Dword) {
        return std::nullopt;
    }
    return value->dword;
}

// Every value present, with the advance, a few prices and bounds known, and the signal off.
void Seed(MemoryRegistry& registry) {
    TariffTables tables;
    tables.avans = 12345; // 123,45 $
    for (std::size_t d = 0; d < 7; ++d) {
        tables.days[d] = {150, 75, 20, 0.375, 0.75, 0.75, 0.9375, 0.9375, 0.375};
    }
    tables.days[6].dayPrice = 12.345;        // a price the field shows rounded to nothing
    tables.days[2].eveningFrom = 37622.8125; // a date with its time: 19:30
    SaveBalanceSettings(registry, tables);
    ClearTariffsChanged(registry);
}

QLineEdit* Price(const QWidget& window, const QString& name) {
    return uitest::child<QLineEdit>(window, name);
}
QTimeEdit* Bound(const QWidget& window, const QString& name) {
    return uitest::child<QTimeEdit>(window, name);
}

// Sets a field by its name: a price's text, or a bound's time "HH:mm:ss".
void Set(const QWidget& window, const QString& name, const QString& value) {
    if (IsBound(name)) {
        Bound(window, name)->setTime(QTime::fromString(value, QStringLiteral("HH:mm:ss")));
    } else {
        Price(window, name)->setText(value);
    }
}

QString Shown(const QWidget& window, const QString& name) {
    return IsBound(name) ? Bound(window, name)->time().toString(QStringLiteral("HH:mm:ss"))
                         : Price(window, name)->text();
}

} // namespace

class TestTariffEditor : public QObject {
    Q_OBJECT

private slots:
    void showsStoredValues_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("advance in dollars") << "Avans"
                                            << "123,45";
        QTest::newRow("price in fractions of a cent") << "7_Days"
                                                      << "0,12345";
        QTest::newRow("night over midnight") << "5_N_From"
                                             << "22:30:00";
        QTest::newRow("date with its time") << "3_E_From"
                                            << "19:30:00";
    }
    void showsStoredValues() {
        QFETCH(QString, name);
        MemoryRegistry registry;
        Seed(registry);
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        QTEST(Shown(window, name), "shown");
        QVERIFY(boxes.shown.isEmpty());
        QVERIFY(!window.changed());
    }

    void editsAreStoredUnderTheirNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("advance above a price's limit") << "Avans"
                                                       << "2500,75" << 250075.0;
        QTest::newRow("Wednesday evening price") << "3_Evening"
                                                 << "0,1" << 10.0;
        QTest::newRow("Sunday night: no price") << "7_Night"
                                                << "0" << 0.0;
        QTest::newRow("night from 23:00, over midnight") << "7_N_From"
                                                         << "23:00:00" << 23.0 / 24;
        QTest::newRow("night to midnight") << "5_N_To"
                                           << "00:00:00" << 0.0;
    }
    void editsAreStoredUnderTheirNames() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        MemoryRegistry registry;
        Seed(registry);
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        Set(window, name, typed);
        QVERIFY(window.changed());
        QVERIFY(window.save());
        QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.join('\n')));
        QCOMPARE(StoredDouble(registry, name), stored);
        QVERIFY(ChangingData(registry) == 1U);
        // The fields left alone keep their stored values to the last bit, dates and all.
        QCOMPARE(std::bit_cast<std::uint64_t>(StoredDouble(registry, "7_Days")),
                 std::bit_cast<std::uint64_t>(12.345));
        QCOMPARE(StoredDouble(registry, "3_E_From"), 37622.8125);
        QVERIFY(!window.changed());
    }

    void copiesTheShownDayToAllDays() {
        MemoryRegistry registry;
        Seed(registry);
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        uitest::child<QTabWidget>(window, "Days")->setCurrentIndex(3);
        Set(window, "4_Days", "2");
        Set(window, "4_Evening", "1,5");
        Set(window, "4_Night", "0");
        Set(window, "4_D_From", "07:00:00");
        Set(window, "4_N_To", "07:00:00");
        uitest::child<QPushButton>(window, "CopyButton")->click();
        QVERIFY(window.save());
        for (int day = 1; day <= 7; ++day) {
            const QString n = QString::number(day);
            QCOMPARE(StoredDouble(registry, n + "_Days"), 200.0);
            QCOMPARE(StoredDouble(registry, n + "_Evening"), 150.0);
            QCOMPARE(StoredDouble(registry, n + "_Night"), 0.0);
            QCOMPARE(StoredDouble(registry, n + "_D_From"), 7.0 / 24);
            QCOMPARE(StoredDouble(registry, n + "_D_To"), 0.75);
            QCOMPARE(StoredDouble(registry, n + "_N_To"), 7.0 / 24);
        }
    }

    // The texts refused are the core's cases; here the field named, focused and shown.
    void badInputIsRefusedAndNamed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("day"); // the page shown afterwards; -1 the page left as it was
        QTest::newRow("advance not a number") << "Avans"
                                              << "сто"
                                              << "«Аванс»" << -1;
        QTest::newRow("price absurd") << "7_Days"
                                      << "1000,01"
                                      << "«Воскресенье: дневная цена»" << 6;
    }
    void badInputIsRefusedAndNamed() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(int, day);
        MemoryRegistry registry;
        Seed(registry);
        const std::string before = registry.hive().serialise();
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        Set(window, "1_Days", "9"); // a good edit beside the bad one is not written either
        Set(window, name, typed);
        window.show();
        uitest::child<QPushButton>(window, "SaveButton")->click();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY2(boxes.shown.front().startsWith("error: ") && boxes.shown.front().contains(field),
                 qPrintable(boxes.shown.front()));
        QVERIFY(window.isVisible());
        QCOMPARE(registry.hive().serialise(), before);
        QVERIFY(window.focusWidget() == Price(window, name));
        QCOMPARE(window.shownDay(), day < 0 ? 0 : day);
        QCOMPARE(Price(window, name)->text(), typed); // nothing typed is lost
    }

    void refusingStoreIsToldAndNothingIsLost() {
        MemoryRegistry memory;
        Seed(memory);
        FailingRegistry registry(memory);
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        window.show();
        Set(window, "Avans", "99");
        registry.failWritesAfter(0);
        uitest::child<QPushButton>(window, "SaveButton")->click();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY2(boxes.shown.front().startsWith("error: Цены не сохранены"), qPrintable(boxes.shown.front()));
        QVERIFY(window.isVisible());
        QVERIFY(ChangingData(memory) == 0U);
        QCOMPARE(Price(window, "Avans")->text(), QStringLiteral("99"));
        QVERIFY(window.changed());

        registry.failWritesAfter(-1); // the disk has room again
        uitest::child<QPushButton>(window, "SaveButton")->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(StoredDouble(memory, "Avans"), 9900.0);
        QVERIFY(ChangingData(memory) == 1U);
    }

    void leaving_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("choice"); // the answer to "Сохранить изменения?"; -1 not asked
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("nothing changed") << false << "" << -1 << true << false;
        QTest::newRow("changed, saved") << true << "7" << int(Choice::Yes) << true << true;
        QTest::newRow("changed, dropped") << true << "7" << int(Choice::No) << true << false;
        QTest::newRow("changed, stays") << true << "7" << int(Choice::Cancel) << false << false;
        QTest::newRow("changed, saved but bad") << true << "x" << int(Choice::Yes) << false << false;
    }
    void leaving() {
        QFETCH(bool, edit);
        QFETCH(QString, typed);
        QFETCH(int, choice);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        // Both ways out: "Отмена" and the window's cross (a close event).
        for (const bool byButton : {true, false}) {
            MemoryRegistry registry;
            Seed(registry);
            const std::string before = registry.hive().serialise();
            uitest::RecordingBoxes boxes;
            if (choice >= 0) {
                boxes.choices.push_back(static_cast<Choice>(choice));
            }
            TariffEditor window(registry, boxes);
            window.load();
            window.show();
            if (edit) {
                Set(window, "2_Night", typed);
            }
            if (byButton) {
                uitest::child<QPushButton>(window, "CancelButton")->click();
            } else {
                window.close();
            }
            QCOMPARE(!window.isVisible(), closed);
            QCOMPARE(boxes.shown.contains(QStringLiteral("choice: Сохранить изменения?")), choice >= 0);
            if (saved) {
                QCOMPARE(StoredDouble(registry, "2_Night"), 700.0);
                QVERIFY(ChangingData(registry) == 1U);
            } else {
                QCOMPARE(registry.hive().serialise(), before);
            }
        }
    }

    void missingAndDamagedValuesAreReplacedAndToldOnce() {
        MemoryRegistry registry;
        Seed(registry);
        registry.openKey(RegHive::CurrentUser, kMoneyKey, false)->deleteValue("Avans");
        registry.openKey(RegHive::CurrentUser, kTimesKey, false)->writeInteger("6_N_To", 5);
        uitest::RecordingBoxes boxes;
        TariffEditor window(registry, boxes);
        window.load();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown.front().startsWith("info: "));
        QVERIFY(boxes.shown.front().contains("Avans, 6_N_To"));
        QCOMPARE(Shown(window, "Avans"), QStringLiteral("0"));
        QCOMPARE(Shown(window, "6_N_To"), QStringLiteral("00:00:00"));
        QCOMPARE(Shown(window, "6_N_From"), QStringLiteral("22:30:00"));
        QCOMPARE(StoredDouble(registry, "6_N_To"), 0.0); // repaired as a double
        QVERIFY(!ChangingData(registry).value_or(1));    // reading is no change

        TariffEditor again(registry, boxes);
        again.load();
        QCOMPARE(boxes.shown.size(), 1);
    }
};

QTEST_MAIN(TestTariffEditor)
#include "tst_TariffEditor.moc"
