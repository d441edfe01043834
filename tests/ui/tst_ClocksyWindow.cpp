// The time synchronisation's window on the scripted network and a recording clock setter:
// the course shown line by line, the result, and the question before a shift of more than a
// day.

#include "ClocksyWindow.h"
#include "platform/fake/ScriptedUdpNetwork.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace domora;

namespace {

class RecordingClockSetter final : public ClockSetter {
public:
    std::vector<std::int64_t> shifts;
    ActionResult setUtc(const DateTime&) override { return ActionResult::failed("not expected"); }
    ActionResult shiftBy(std::int64_t micros) override {
        shifts.push_back(micros);
        return ActionResult::ok();
    }
};

// A server ahead by `offset`, 100 µs away, or refusing with DENY.
void Serve(ScriptedUdpNetwork& network, std::int64_t offset, bool deny = false) {
    network.hosts["time.example"] = {"192.0.2.1"};
    network.server = [offset, deny](const std::vector<std::uint8_t>& request, std::int64_t sentUtc) {
        NtpPacket reply;
        reply.mode = 4;
        reply.stratum = deny ? 0 : 2;
        reply.referenceId = deny ? 0x44454E59 : 0;
        reply.originate = DecodeNtpPacket(request)->transmit;
        reply.receive = NtpFromUnixMicros(sentUtc + 100 + offset);
        reply.transmit = reply.receive;
        const auto bytes = EncodeNtpPacket(reply);
        return std::vector<ScriptedDatagram>{{200, {bytes.begin(), bytes.end()}}};
    };
}

ClocksyCommand Command() {
    ClocksyCommand command;
    command.server.host = "time.example";
    command.serverText = "time.example";
    command.showWindow = true;
    return command;
}

} // namespace

class TestClocksyWindow : public QObject {
    Q_OBJECT

private slots:
    void showsTheCourseAndTheResult() {
        ScriptedUdpNetwork network;
        RecordingClockSetter setter;
        Serve(network, 3600250000);
        ClocksyWindow window(Command(), network, setter);
        window.show();
        window.start();
        QTRY_VERIFY(window.outcome().has_value());
        QTRY_VERIFY(window.resultText().startsWith(QStringLiteral("Готово")));
        QVERIFY(window.logText().contains(QStringLiteral("Запрос времени у сервера (4 из 4)")));
        QVERIFY(window.logText().contains(QStringLiteral("Найдена поправка +3600,250000 с")));
        QCOMPARE(setter.shifts, std::vector<std::int64_t>{3600250000});
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("MoveButton"))->isVisible());
    }

    void showsWhyItFailed() {
        ScriptedUdpNetwork network;
        RecordingClockSetter setter;
        Serve(network, 0, true);
        ClocksyWindow window(Command(), network, setter);
        window.show();
        window.start();
        QTRY_VERIFY(window.resultText().contains(QStringLiteral("(код DENY)")));
        QVERIFY(window.resultText().startsWith(QStringLiteral("Синхронизация не выполнена: ")));
        QVERIFY(setter.shifts.empty());
    }

    void asksBeforeALargeShift() {
        for (const bool move : {true, false}) {
            ScriptedUdpNetwork network;
            RecordingClockSetter setter;
            Serve(network, 3LL * 86400 * 1000000);
            ClocksyWindow window(Command(), network, setter);
            window.show();
            window.start();
            auto* moveButton = window.findChild<QPushButton*>(QStringLiteral("MoveButton"));
            auto* keepButton = window.findChild<QPushButton*>(QStringLiteral("KeepButton"));
            QTRY_VERIFY(moveButton->isVisible());
            QVERIFY(keepButton->isVisible());
            QVERIFY(window.resultText().contains(QStringLiteral("больше чем на сутки")));
            QVERIFY(setter.shifts.empty());
            (move ? moveButton : keepButton)->click();
            QTRY_VERIFY(window.outcome().has_value());
            QCOMPARE(window.outcome()->succeeded, move);
            QCOMPARE(setter.shifts.size(), move ? 1u : 0u);
            QTRY_VERIFY(!moveButton->isVisible());
        }
    }

    void closingWhileAskedMovesNothing() {
        ScriptedUdpNetwork network;
        RecordingClockSetter setter;
        Serve(network, -3LL * 86400 * 1000000);
        ClocksyWindow window(Command(), network, setter);
        window.show();
        window.start();
        QTRY_VERIFY(window.findChild<QPushButton*>(QStringLiteral("MoveButton"))->isVisible());
        window.close();
        QVERIFY(window.outcome().has_value());
        QVERIFY(!window.outcome()->succeeded);
        QVERIFY(setter.shifts.empty());
    }
};

QTEST_MAIN(TestClocksyWindow)
#include "tst_ClocksyWindow.moc"
