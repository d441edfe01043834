// The balance of the metered connection on the recording platform: a session timed from the
// first poll that sees the connection, the clock synchronised once per session, the
// warnings once until the Options page is saved, the price editor started and its tables
// read back when it has ended, and what is stored when the program ends.

#include "core/balance/TariffStore.h"
#include "core/base/OleDate.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/MainWindow.h"

#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace domora;
using uitest::child;

namespace {

// Every day at 1.20 dollars an hour from 00:00 round to 00:00 (the day 00:00-12:00, the
// evening 12:00-00:00).
TariffTables Tables(double avans) {
    TariffTables tables;
    tables.avans = avans;
    for (TariffTables::Day& day : tables.days) {
        day.dayPrice = day.eveningPrice = day.nightPrice = 120;
        day.dayTo = day.eveningFrom = 0.5;
    }
    return tables;
}

} // namespace

class TestBalance : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;
    std::unique_ptr<MainWindow> form;

    QString shown(const char* name) const { return child<QLabel>(*form, name)->text(); }
    void poll() { uitest::tick(*form, 2); }
    void advance(std::int64_t ms) { platform->clockFake.advanceMs(ms); }
    std::size_t clocksyStarts() const {
        std::size_t starts = 0;
        for (const FakePlatform::Launch& launch : platform->launches) {
            starts += launch.file == "Clocksy.exe" ? 1 : 0;
        }
        return starts;
    }
    double stored(const char* key, const char* name) const {
        return platform->registryFake.openKey(RegHive::CurrentUser, key, false)->readDouble(name);
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        WriteDefaults(platform->registryFake);
        SaveBalanceSettings(platform->registryFake, Tables(500));
        platform->clockFake.setLocal(DateTime{2026, 12, 7, 2, 10, 0, 0, 0});
        form = std::make_unique<MainWindow>(*platform, boxes);
        uitest::activate(*form);
        boxes.shown.clear();
    }
    void cleanup() { form.reset(); }

    // Half an hour online at 1.20 an hour from 5 dollars; clocksy once when the session
    // begins; the connection picture and its hint follow; the session's end keeps the
    // balance as the new advance.
    void sessionIsTimedAndPriced() {
        QCOMPARE(shown("StaticText56"), QStringLiteral("5"));
        QCOMPARE(shown("StaticText58"), QStringLiteral("1,2"));
        platform->connectionKind = ConnectionKind::DialUp;
        poll();
        QCOMPARE(clocksyStarts(), 1U);
        QVERIFY(child<QLabel>(*form, "Image2")->toolTip().endsWith(QStringLiteral("присутствует")));
        advance(30 * 60000);
        poll();
        poll();
        QCOMPARE(clocksyStarts(), 1U);
        QCOMPARE(shown("StaticText39"), QStringLiteral("00:30:00"));
        QCOMPARE(shown("StaticText57"), QStringLiteral("0,6"));
        QCOMPARE(shown("StaticText56"), QStringLiteral("4,4"));

        platform->connectionKind = ConnectionKind::None;
        poll();
        QVERIFY(child<QLabel>(*form, "Image2")->toolTip().endsWith(QStringLiteral("отсутствует")));
        QCOMPARE(shown("StaticText56"), QStringLiteral("4,4"));
        QVERIFY(boxes.shown.isEmpty());
    }

    // The money warning once; again only after the Options page was saved.
    void moneyWarningOnceUntilSaved() {
        child<QCheckBox>(*form, "CheckBox9")->setChecked(true);
        child<QLineEdit>(*form, "Edit3")->setText(QStringLiteral("5"));
        platform->connectionKind = ConnectionKind::Proxy;
        poll();
        poll();
        QCOMPARE(boxes.shown, QStringList{"info: У Вас аванс за Интернет составляет меньше чем $5."});
        child<QPushButton>(*form, "Button1")->click();
        poll();
        QCOMPARE(boxes.shown.count(QStringLiteral("info: У Вас аванс за Интернет составляет меньше чем $5.")),
                 2);
    }

    // "Настройки..." stores the balance shown as the advance, starts the editor with "fac",
    // and when it has ended reads the tables it changed, once.
    void priceEditor() {
        platform->connectionKind = ConnectionKind::Proxy;
        poll();
        advance(30 * 60000);
        poll();
        auto* settings = child<QPushButton>(*form, "SpeedButton47");
        settings->click();
        QCOMPARE(stored(kMoneyKey, "Avans"), 440.0);
        QVERIFY(!settings->isEnabled());
        const std::vector<std::string>& calls = platform->calls();
        QVERIFY(std::find(calls.begin(), calls.end(), "launcher.startWatched Tallyup.exe [fac] dir=/app/") !=
                calls.end());

        SaveBalanceSettings(platform->registryFake, Tables(1000));
        platform->finishWatched();
        uitest::tick(*form, 8);
        QVERIFY(settings->isEnabled());
        QVERIFY(!TariffsChanged(platform->registryFake));
        poll(); // online: the new advance less the running cost
        QCOMPARE(shown("StaticText56"), QStringLiteral("9,4"));
    }

    // At the end a session in progress is timed to that moment and the balance, the
    // duration and the cost are stored.
    void storedAtTheEnd() {
        platform->connectionKind = ConnectionKind::Proxy;
        poll();
        advance(60 * 60000);
        form.reset();
        QCOMPARE(stored(kMoneyKey, "Avans"), 380.0);
        QCOMPARE(stored(kMainKey, "Last_Money"), 1.2);
        QCOMPARE(stored(kMainKey, "Last_Seans"), 1.0 / 24);
    }
};

QTEST_MAIN(TestBalance)
#include "tst_Balance.moc"
