// The page "Система" on the recording platform: every block filled from the machine's facts
// when the page is shown, the drive block again when another drive is chosen, and the clock
// rate following from its own thread while the page already answers.

#include "core/app/Settings.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/MainWindow.h"

#include "UiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>

using namespace domora;
using uitest::child;

class TestSystemInfo : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;
    std::unique_ptr<MainWindow> form;

    // A field of the page, whole (a text cut to its line is whole in its tip; other pages use
    // some of the same names).
    QString text(const char* name) const {
        const auto* page = child<QWidget>(*form, "TabSheet5");
        if (auto* edit = page->findChild<QLineEdit*>(name)) {
            return edit->text();
        }
        const auto* value = child<QLabel>(*page, name);
        return value->toolTip().isEmpty() ? value->text() : value->toolTip();
    }

    void showPage(Page page) {
        child<QTabWidget>(*form, "PageControl1")->setCurrentIndex(static_cast<int>(page));
    }

    void chooseDrive(const QString& drive) {
        auto* combo = child<QComboBox>(*form, "DriveComboBox1");
        combo->setCurrentIndex(combo->findText(drive));
        emit combo->activated(combo->currentIndex());
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        WriteDefaults(platform->registryFake);
        ProcessorFacts& cpu = platform->processorFacts;
        cpu = {"Advanced Micro Devices", "AuthenticAMD", 26, 2, 1, "Turin", 0, "", 2};
        platform->driveList = {"/", "/app", "/media/cd"};
        DiskFacts root;
        root.driveType = static_cast<int>(DriveKind::Fixed);
        root.fileSystem = "ext4";
        root.capacity = 3'000'000'000'000;
        root.freeSpace = 1'000'000'000'000;
        root.sectorsPerCluster = 8;
        root.bytesPerSector = 512;
        root.totalClusters = 732'421'875;
        root.freeClusters = 244'140'625;
        root.serialNumber = "0f3c-11";
        platform->disks["/"] = root;
        DiskFacts app = root;
        app.capacity = 67'108'864;
        app.freeSpace = 67'108'864;
        app.driveType = static_cast<int>(DriveKind::RamDisk);
        app.fileSystem = "tmpfs";
        platform->disks["/app"] = app;
        DiskFacts cd;
        cd.driveType = static_cast<int>(DriveKind::CdRom);
        cd.fileSystem = "iso9660";
        platform->disks["/media/cd"] = cd;
        platform->displayFacts = {1920,
                                  1080,
                                  24,
                                  96,
                                  36,
                                  36,
                                  51,
                                  "Raster Display",
                                  "1.2",
                                  "05/06/2024",
                                  "Advanced Micro Devices, Inc. [AMD/ATI] Navi 22 [Radeon RX 6700/6700 XT]",
                                  "Navi 22",
                                  "",
                                  " 12884901888 "};
        platform->memoryFacts = {17'179'869'184, 8'589'934'592,  2'147'483'648,
                                 1'073'741'824,  19'327'352'832, 9'663'676'416};
        platform->cpuRate = 2096.015;
        form = std::make_unique<MainWindow>(*platform, boxes);
        uitest::activate(*form);
        form->show();
        QTest::qWait(20); // the start sequence and the first paint, which run after the first show
    }
    void cleanup() {
        platform->releaseMeasurement();
        form.reset();
    }

    // Shown while the clock is still being measured: every other field is there already, the
    // rate follows when the measurement ends.
    void filledBeforeTheRateIsMeasured() {
        platform->holdMeasurement();
        showPage(Page::System);
        QTRY_COMPARE(platform->measurementsBegun(), 1);

        QCOMPARE(child<QComboBox>(*form, "DriveComboBox1")->currentText(), QStringLiteral("/app"));
        QCOMPARE(text("StaticText33"), QStringLiteral("RAMDisk - tmpfs"));
        QCOMPARE(text("StaticText34"), QStringLiteral("67 108 864 байт"));
        QCOMPARE(text("StaticText40"), QStringLiteral("0f3c-11"));

        QCOMPARE(text("StaticText45"), QStringLiteral("1920x1080 - 24 bit"));
        QCOMPARE(text("StaticText47"), QStringLiteral("96 dpi"));
        QCOMPARE(text("Edit7"), QStringLiteral("1.2 05/06/2024"));
        QCOMPARE(text("Edit8"), QStringLiteral("Высота пикселя:36 Ширина пикселя:36 Диагональ пикселя:51"));
        QCOMPARE(text("StaticText48"), QStringLiteral("нет сведений"));
        QCOMPARE(text("StaticText49"), QStringLiteral("12 884 901 888"));
        // An adapter's name too long for its line is cut, and whole in the tip.
        auto* adapter = child<QLabel>(*child<QWidget>(*form, "TabSheet5"), "StaticText43");
        QVERIFY(adapter->text().endsWith(QChar(0x2026)));
        QCOMPARE(adapter->toolTip(), QString::fromStdString(platform->displayFacts.adapter));

        QCOMPARE(text("StaticText44"), QStringLiteral("17 179 869 184 байт"));
        QCOMPARE(text("StaticText50"), QStringLiteral("8 589 934 592 байт"));
        QCOMPARE(text("StaticText55"), QStringLiteral("9 663 676 416 байт"));

        QCOMPARE(text("StaticText38"), QStringLiteral("Domora 26 Model 2 Stepping 1"));
        QCOMPARE(text("StaticText29"), QStringLiteral("Turin"));
        QCOMPARE(text("StaticText31"), QStringLiteral("нет сведений"));
        QCOMPARE(text("Label56"), QStringLiteral("CPU: 2 x AuthenticAMD"));
        QCOMPARE(text("StaticText28"), QStringLiteral("измеряется…"));
        QTest::qWait(50);
        QCOMPARE(text("StaticText28"), QStringLiteral("измеряется…"));

        platform->releaseMeasurement();
        QTRY_COMPARE(text("StaticText28"), QStringLiteral("2096,02 MHz"));
        QCOMPARE(text("Label56"), QStringLiteral("CPU: 2 x AuthenticAMD - 2096"));
    }

    // Another drive is read when chosen; the chosen one stays chosen while it exists, and
    // every showing reads the machine again.
    void drivesAndShowings() {
        showPage(Page::System);
        QTRY_COMPARE(text("StaticText28"), QStringLiteral("2096,02 MHz"));
        platform->clearCalls();

        chooseDrive("/");
        QCOMPARE(platform->calls(), std::vector<std::string>{"system.disk /"});
        QCOMPARE(text("StaticText33"), QStringLiteral("Fixed - ext4"));
        QCOMPARE(text("StaticText34"), QStringLiteral("3000000000000 байт"));
        QCOMPARE(text("StaticText35"), QStringLiteral("8"));
        QCOMPARE(text("StaticText41"), QStringLiteral("244140625"));
        auto* gauge = child<QProgressBar>(*form, "Gauge1");
        QCOMPARE(qRound(3.0 * gauge->value() / gauge->maximum()), 2);
        chooseDrive("/media/cd");
        QCOMPARE(text("StaticText33"), QStringLiteral("CDROM - iso9660"));
        QCOMPARE(text("StaticText34"), QStringLiteral("0 байт"));
        QCOMPARE(gauge->maximum(), 1);
        // A kind the page has no word for leaves the line as it was.
        platform->disks["/media/cd"].driveType = 9;
        chooseDrive("/media/cd");
        QCOMPARE(text("StaticText33"), QStringLiteral("CDROM - iso9660"));

        platform->memoryFacts.availablePhysical = 4096;
        platform->displayFacts.biosVersion.clear();
        platform->displayFacts.biosDate.clear();
        platform->cpuRate.reset();
        const int measured = platform->measurementsBegun();
        showPage(Page::Options);
        showPage(Page::System);
        QCOMPARE(child<QComboBox>(*form, "DriveComboBox1")->currentText(), QStringLiteral("/media/cd"));
        QCOMPARE(text("StaticText50"), QStringLiteral("4 096 байт"));
        QCOMPARE(text("Edit7"), QStringLiteral("нет сведений"));
        QTRY_COMPARE(text("StaticText28"), QStringLiteral("нет сведений"));
        QCOMPARE(text("Label56"), QStringLiteral("CPU: 2 x AuthenticAMD"));
        QVERIFY(platform->measurementsBegun() > measured);

        // The chosen drive gone, the drive holding the program is chosen again.
        platform->driveList = {"/", "/app"};
        showPage(Page::Options);
        showPage(Page::System);
        QCOMPARE(child<QComboBox>(*form, "DriveComboBox1")->currentText(), QStringLiteral("/app"));
    }
};

QTEST_MAIN(TestSystemInfo)
#include "tst_SystemInfo.moc"
