// The time map window: pointing at cities with the mouse, the city line on the fake clock,
// the ocean switch, and the timers resting while the window is not looked at.

#include "testing/core/FakeClock.h"
#include "ui/timeservices/TimeMapWindow.h"
#include "ui/timeservices/WorldMapPicture.h"

#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

using namespace domora;
using uitest::child;

namespace {

void moveTo(QWidget& canvas, int x, int y) {
    const QPointF at(x, y);
    QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
}

void deactivate(QWidget& window) {
    QEvent event(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &event);
}

// A point of the open sea (the middle of the Pacific) in the map's pixels.
constexpr int kSeaX = 30;
constexpr int kSeaY = 200;

} // namespace

class TestTimeMapWindow : public QObject {
    Q_OBJECT

    FakeClock clock;
    int copies = 0;
    std::unique_ptr<TimeMapWindow> window;

    QWidget& canvas() const { return *child<QWidget>(*window, "Image1"); }
    QString line() const { return child<QLabel>(*window, "StaticText1")->text(); }
    QRgb seaPixel() const { return canvas().grab().toImage().pixel(kSeaX, kSeaY); }

private slots:
    void init() {
        // 22:30:15 universal time, no daylight time.
        clock.setLocal(DateTime{2026, 12, 7, 1, 22, 30, 15, 0});
        clock.setDaylight(false);
        copies = 0;
        window = std::make_unique<TimeMapWindow>(clock, [this] {
            ++copies;
            return WorldMapImage();
        });
        window->show();
        uitest::activate(*window);
    }
    void cleanup() { window.reset(); }

    // Kyiv at first; Sevastopol wins where its rectangle overlaps Odessa's; the sea keeps
    // the city and its circle; the line follows the city and the daylight hour.
    void pointingAtCities() {
        QCOMPARE(line(), QStringLiteral("00:30:15 - Киев (Украина, Европа)"));
        QCOMPARE(window->marker(), PlaceMarker(373, 112));

        moveTo(canvas(), 371, 122);
        QCOMPARE(line(), QStringLiteral("00:30:15 - Севастополь (Крым, Украина, Европа)"));
        QCOMPARE(window->marker(), PlaceMarker(373, 123));

        QMetaObject::invokeMethod(window->findChild<QTimer*>(QStringLiteral("Timer2")), "timeout");
        const MapMarker pulsed = window->marker();
        QCOMPARE(pulsed.size, 2);
        moveTo(canvas(), kSeaX, kSeaY);
        QCOMPARE(window->marker(), pulsed);
        QVERIFY(line().endsWith(QStringLiteral("Севастополь (Крым, Украина, Европа)")));

        clock.setDaylight(true);
        moveTo(canvas(), 164, 133); // New York, five hours behind, plus the daylight hour
        QCOMPARE(line(), QStringLiteral("18:30:15 - Нью Йорк (США, Северная Америка)"));
    }

    // The line every 500 ms only while the window is active; the circle every 20 ms only
    // while it is shown.
    void timersRestWhileNotLookedAt() {
        auto* lineTimer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
        auto* pulse = window->findChild<QTimer*>(QStringLiteral("Timer2"));
        QVERIFY(lineTimer->isActive() && pulse->isActive());
        QCOMPARE(lineTimer->interval(), 500);
        QCOMPARE(pulse->interval(), 20);

        deactivate(*window);
        QVERIFY(!lineTimer->isActive());
        QVERIFY(pulse->isActive());

        window->hide();
        QVERIFY(!lineTimer->isActive() && !pulse->isActive());

        window->show();
        uitest::activate(*window);
        QVERIFY(lineTimer->isActive() && pulse->isActive());
    }

    // Without the ocean the sea takes the window's background; the picture is copied again
    // at each activation and stays as the box says.
    void oceanSwitch() {
        QCOMPARE(seaPixel(), kOceanColour);
        QCOMPARE(copies, 1);
        auto* ocean = child<QCheckBox>(*window, "CheckBox1");
        ocean->click();
        const QRgb background = window->palette().color(QPalette::Window).rgb();
        QCOMPARE(seaPixel(), background);

        deactivate(*window);
        uitest::activate(*window);
        QCOMPARE(copies, 2);
        QCOMPARE(seaPixel(), background);

        ocean->click();
        QCOMPARE(seaPixel(), kOceanColour);
    }
};

QTEST_MAIN(TestTimeMapWindow)
#include "tst_TimeMapWindow.moc"
