// The time services on the recording platform: the clock dialog from the Service page and
// the tray menu, adding a time server, starting the synchronisation program, and the page
// "Время в мире" with its map and the time map window.

#include "core/app/Settings.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/MainWindow.h"
#include "ui/timeservices/WorldMapPicture.h"

#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace domora;
using uitest::child;

namespace {

constexpr const char* kServers = "/app/Data/IServers.DMR";

} // namespace

class TestTimeServices : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;
    std::unique_ptr<MainWindow> form;

    // Opens a dialog with `open` and hands it to `act` while it is shown.
    void withDialog(const std::function<void()>& open, const std::function<void(QWidget&)>& act) {
        bool shown = false;
        uitest::whenModalShown(form.get(), [&](QWidget& dialog) {
            shown = true;
            act(dialog);
            if (dialog.isVisible()) {
                dialog.close();
            }
        });
        open();
        QVERIFY(shown);
    }

    QStringList clockCalls() const {
        QStringList calls;
        for (const std::string& call : platform->calls()) {
            if (call.rfind("clock.", 0) == 0) {
                calls << QString::fromStdString(call);
            }
        }
        return calls;
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        WriteDefaults(platform->registryFake);
        platform->filesFake.put(kServers, "pool.ntp.org\r\ntime.nist.gov\r\n");
        // 00:20 on 5 January in Moscow, 21:20 on the 4th in UTC.
        platform->clockFake.setLocal(DateTime{2027, 1, 5, 3, 0, 20, 0, 0}, 180);
        form = std::make_unique<MainWindow>(*platform, boxes);
        uitest::activate(*form);
        platform->clearCalls();
        boxes.shown.clear();
    }
    void cleanup() { form.reset(); }

    // Time mode from the Service page's button, date mode from the menu: captions, the
    // running value, the picker kept between showings, the universal time set, the refresh
    // resting while closed, and a refusal told.
    void clockDialog() {
        QTimer* refresh = nullptr;
        withDialog([&] { child<QPushButton>(*form, "SpeedButton31")->click(); },
                   [&](QWidget& dialog) {
                       QCOMPARE(dialog.objectName(), QString("Form14"));
                       QCOMPARE(dialog.windowTitle(), QString("Установить время..."));
                       QCOMPARE(child<QLabel>(dialog, "StaticText1")->text(), QString("00:20:00"));
                       refresh = child<QTimer>(dialog, "Timer1");
                       QVERIFY(refresh->isActive());
                       QCOMPARE(refresh->interval(), 100);
                       child<QDateTimeEdit>(dialog, "DateTimePicker1")->setTime(QTime(0, 5, 30));
                       child<QPushButton>(dialog, "SpeedButton3")->click();
                       QVERIFY(dialog.isVisible());
                   });
        QVERIFY(!refresh->isActive());
        QCOMPARE(clockCalls(), QStringList{"clock.setUtc 2027-01-04 21:05:30.000"});

        platform->clearCalls();
        platform->clockFailure = "Часы не установлены: нет прав на изменение системного времени.";
        withDialog([&] { form->findChild<QAction*>("mnSDate")->trigger(); },
                   [&](QWidget& dialog) {
                       QCOMPARE(dialog.windowTitle(), QString("Установить дату..."));
                       QCOMPARE(child<QLabel>(dialog, "StaticText1")->text(), QString("05.01.2027"));
                       auto* picker = child<QDateTimeEdit>(dialog, "DateTimePicker1");
                       QCOMPARE(picker->date(), QDate(2027, 1, 5));
                       picker->setDate(QDate(2027, 3, 8));
                       child<QPushButton>(dialog, "SpeedButton3")->click();
                   });
        QCOMPARE(clockCalls(), QStringList{"clock.setUtc 2027-03-07 21:20:00.000"});
        QCOMPARE(boxes.shown,
                 QStringList{"error: Часы не установлены: нет прав на изменение системного времени."});
    }

    // A name with blanks around it is stored as typed, a duplicate appended, blanks only
    // not added, a name outside code page 1251 refused with the dialog kept open; the box
    // keeps the chosen server.
    void addingServers() {
        auto* combo = child<QComboBox>(*form, "ComboBox3");
        combo->setCurrentText("time.nist.gov");
        const auto add = [&](const QString& name, bool staysOpen) {
            withDialog([&] { child<QPushButton>(*form, "SpeedButton38")->click(); },
                       [&](QWidget& dialog) {
                           QCOMPARE(dialog.windowTitle(), QString("Добавить сервер..."));
                           auto* edit = child<QLineEdit>(dialog, "Edit1");
                           QVERIFY(edit->text().isEmpty());
                           edit->setText(name);
                           child<QPushButton>(dialog, "Button1")->click();
                           QCOMPARE(dialog.isVisible(), staysOpen);
                       });
        };
        add(" ntp.example.ru ", false);
        add("pool.ntp.org", false);
        add("   ", false);
        add("время.рф日本", true);
        QCOMPARE(platform->filesFake.files().at(kServers),
                 std::string("pool.ntp.org\r\ntime.nist.gov\r\n ntp.example.ru \r\npool.ntp.org\r\n"));
        QCOMPARE(combo->count(), 4);
        QCOMPARE(combo->currentText(), QString("time.nist.gov"));
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY2(boxes.shown[0].startsWith("error: ") && boxes.shown[0].contains("日"),
                 qPrintable(boxes.shown[0]));
    }

    // "Синхронизировать сейчас" and the menu item start the program in the program's folder
    // with the server and the report switch; a failed start is told.
    void synchronizeNow() {
        child<QComboBox>(*form, "ComboBox3")->setCurrentText("pool.ntp.org");
        child<QPushButton>(*form, "SpeedButton46")->click();
        child<QCheckBox>(*form, "CheckBox8")->setChecked(false);
        form->findChild<QAction*>("mnSTimeSync")->trigger();
        QCOMPARE(platform->launches.size(), 2U);
        QCOMPARE(platform->launches[0].file, std::string("Clocksy.exe"));
        QCOMPARE(platform->launches[0].fields, (std::vector<std::string>{"pool.ntp.org", "yes"}));
        QCOMPARE(platform->launches[0].directory, std::string("/app/"));
        QCOMPARE(platform->launches[1].fields, (std::vector<std::string>{"pool.ntp.org", "no"}));
        QVERIFY(boxes.shown.isEmpty());

        platform->launcherResult = 2;
        child<QPushButton>(*form, "SpeedButton46")->click();
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].contains("clocksy"));
    }

    // The page's map with and without its ocean; the button, a double-click on the map and
    // the menu item open the time map, which keeps the city pointed at between showings.
    void worldTimePage() {
        auto* map = child<QWidget>(*child<QWidget>(*form, "TabSheet4"), "Image1");
        const QPoint sea(15, 100);
        QCOMPARE(map->grab().toImage().pixel(sea), kOceanColour);
        child<QCheckBox>(*form, "CheckBox3")->click();
        QCOMPARE(map->grab().toImage().pixel(sea), map->palette().color(QPalette::Window).rgb());

        QStringList lines;
        const auto open = [&](const std::function<void()>& how, const QPoint& pointAt) {
            withDialog(how, [&](QWidget& window) {
                QCOMPARE(window.objectName(), QStringLiteral("Form3"));
                auto* canvas = child<QWidget>(window, "Image1");
                QMouseEvent move(QEvent::MouseMove, pointAt, canvas->mapToGlobal(QPointF(pointAt)),
                                 Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(canvas, &move);
                lines << child<QLabel>(window, "StaticText1")->text();
            });
        };
        open([&] { child<QPushButton>(*form, "SpeedButton9")->click(); }, QPoint(578, 140));
        open([&] { QTest::mouseDClick(map, Qt::LeftButton, {}, sea); }, sea);
        open([&] { form->findChild<QAction*>("mnSTimeWorld")->trigger(); }, sea);
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines) {
            QCOMPARE(line, QStringLiteral("06:20:00 - Токио (Япония, Азия)"));
        }
    }
};

QTEST_MAIN(TestTimeServices)
#include "tst_TimeServices.moc"
