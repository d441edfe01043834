// The holiday page and its dialogs on the recording platform: "Добавить..." from each view
// through the add dialog, changing and deleting from a filtered view, the days-ahead list,
// and the main window's wiring (event line, Timer4 without the file, the submenu).

#include "UiTestSupport.h"

#include "core/app/Settings.h"
#include "core/holidays/HolidayRecord.h"
#include "core/holidays/HolidaySettings.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MainWindow.h"
#include "ui/holidays/HolidayAddDialog.h"
#include "ui/holidays/HolidayEditDialog.h"
#include "ui/holidays/HolidayPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace domora;
using uitest::child;
using uitest::RecordingBoxes;

namespace {

const char* const kHolidayPath = "/app/Data/Celeb.DMR";

// "month.day event" records as a holiday file.
std::string holidayFile(const QStringList& records) {
    std::string bytes;
    for (const QString& record : records) {
        const QStringList parts = record.split(' ');
        const QStringList date = parts[0].split('.');
        const auto encoded = EncodeHoliday(
            HolidayRecord{date[0].toInt(), date[1].toInt(), parts.mid(1).join(' ').toStdString(), "к"});
        bytes.append(encoded.begin(), encoded.end());
    }
    return bytes;
}

const QStringList kYear = {"1.1 Новый год", "1.7 Рождество", "3.8 Женский день", "5.1 Первомай",
                           "5.9 День Победы"};

struct PageFixture {
    FakePlatform platform;
    RecordingBoxes boxes;
    HolidayStore store{platform.filesFake, kHolidayPath};
    MessageDialog dialog;
    IntervalTimer eventTimer{QStringLiteral("Timer4"), 1000, false, nullptr};
    HolidayPage page{store, platform.registryFake, platform.clockFake, boxes, dialog, eventTimer};
    QDialog* add = &page.addDialog();
    QDialog* edit = &page.editDialog();
    QTableWidget* table = child<QTableWidget>(page, "CelebTable");
    bool addOpened = false;

    PageFixture(const QStringList& records, DateTime today) {
        platform.clockFake.setLocal(today);
        platform.filesFake.put(kHolidayPath, holidayFile(records));
        store.addListener([this] { page.setView(HolidayViewMode::All); });
        page.show();
    }

    void click(const char* button) { child<QPushButton>(page, button)->click(); }

    // The file's holidays as "month.day event".
    QStringList file() const {
        QStringList result;
        const std::string& bytes = platform.filesFake.files().at(kHolidayPath);
        for (std::size_t at = 0; at + kHolidayRecordSize <= bytes.size(); at += kHolidayRecordSize) {
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
            const HolidayRecord record = DecodeHoliday({data, kHolidayRecordSize});
            result << QStringLiteral("%1.%2 %3")
                          .arg(record.Month)
                          .arg(record.Day)
                          .arg(QString::fromStdString(record.Event));
        }
        return result;
    }

    // "Добавить..." answered with Ok on the given date and event.
    void addThroughDialog(QDate date, const QString& event) {
        QTimer::singleShot(0, add, [this, date, event] {
            addOpened = true;
            auto* eventEdit = child<QLineEdit>(*add, "Edit1");
            QVERIFY(eventEdit->text().isEmpty());
            child<QDateEdit>(*add, "DateTimePicker1")->setDate(date);
            eventEdit->setText(event);
            child<QPushButton>(*add, "SpeedButton1")->click();
        });
        click("SpeedButton4");
    }
};

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT

private slots:
    // Where the new holiday lands, by view, today's date and the row selected (the places
    // themselves are the core's; here what the page adds: the view, the row and the dialog).
    void addAnchors_data() {
        QTest::addColumn<QString>("view");    // the button of the view
        QTest::addColumn<int>("selectedRow"); // 0: none
        QTest::addColumn<QStringList>("expected");
        const auto with = [](int at, const QString& added) {
            QStringList list = kYear;
            list.insert(at, added);
            return list;
        };
        // Today is 5 May 2027.
        QTest::newRow("today: after the holiday before today's")
            << "SpeedButton16" << 0 << with(4, "5.5 Новый");
        QTest::newRow("this month: after the selected") << "SpeedButton17" << 1 << with(4, "5.5 Новый");
        QTest::newRow("full view: nothing selected adds nothing") << "SpeedButton11" << 0 << kYear;
    }

    void addAnchors() {
        QFETCH(QString, view);
        QFETCH(int, selectedRow);
        QFETCH(QStringList, expected);
        PageFixture f(kYear, DateTime{2027, 5, 5, 1, 12, 0, 0, 0});
        f.click(view.toLatin1().constData());
        if (selectedRow != 0) {
            f.table->setCurrentCell(selectedRow - 1, 0);
        }
        f.addThroughDialog(QDate(2003, 5, 5), "Новый");
        QCOMPARE(f.file(), expected);
        QCOMPARE(f.addOpened, expected != kYear);
        QCOMPARE(f.page.viewMode(), HolidayViewMode::All);
        QCOMPARE(f.table->rowCount(), static_cast<int>(expected.size()));
    }

    // Changing and deleting from a filtered view act on the holiday's row of the full list,
    // the first of two equal ones.
    // "Изменить..." starts at the holiday's own date: renaming it leaves it on its day, also on
    // 29 February.
    void renamingKeepsTheDate() {
        PageFixture f(QStringList{"1.1 Новый год", "2.29 Високосный день"},
                      DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        for (int row : {1, 0}) {
            f.table->setCurrentCell(row, 2);
            QTimer::singleShot(0, f.edit, [&f] {
                child<QLineEdit>(*f.edit, "Edit1")->setText("Праздник");
                child<QPushButton>(*f.edit, "SpeedButton1")->click();
            });
            f.click("SpeedButton12");
        }
        QCOMPARE(f.file(), (QStringList{"1.1 Праздник", "2.29 Праздник"}));
    }

    void changeAndDeleteFromFilteredViews() {
        PageFixture f(kYear + QStringList{"5.9 День Победы"}, DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        f.click("SpeedButton16");
        QCOMPARE(f.table->rowCount(), 2);
        f.table->setCurrentCell(1, 2);
        QTimer::singleShot(0, f.edit, [&f] {
            QCOMPARE(child<QLabel>(*f.edit, "StaticText2")->text(), QString("День Победы"));
            child<QLineEdit>(*f.edit, "Edit1")->setText("Победа");
            child<QDateEdit>(*f.edit, "DateTimePicker1")->setDate(QDate(2002, 5, 10));
            child<QPushButton>(*f.edit, "SpeedButton1")->click();
        });
        f.click("SpeedButton12");
        QCOMPARE(f.page.selectedRow(), 5);
        QCOMPARE(f.file().mid(4), (QStringList{"5.10 Победа", "5.9 День Победы"}));

        struct Case {
            int button;
            QStringList left;
        };
        const Case cases[] = {{2, kYear.mid(0, 4) + QStringList{"5.10 Победа", "5.9 День Победы"}},
                              {1, kYear.mid(0, 3) + QStringList{"5.10 Победа", "5.9 День Победы"}},
                              {3, {}}};
        for (const Case& c : cases) {
            f.click("SpeedButton17");
            f.table->setCurrentCell(0, 0);
            QString text;
            uitest::answerDialog(f.dialog, c.button, &text);
            f.click("SpeedButton22");
            QCOMPARE(
                text,
                QString("Выделена запись праздника №4 \r\nВы действительно хотите удалить этот праздник?"));
            QCOMPARE(f.file(), c.left);
        }
        QCOMPARE(f.table->item(0, 2)->text(), QString("Праздников нет/Праздники не записаны"));
        QVERIFY(!child<QPushButton>(f.page, "SpeedButton12")->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // A days-ahead text that is not a whole number is refused and never stored; numbers are
    // written from the first change on, also when the stored reminder was off.
    void daysAheadList() {
        PageFixture f(kYear, DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        auto* days = child<QComboBox>(f.page, "ComboBox2");
        QLineEdit* line = days->lineEdit();
        child<QCheckBox>(f.page, "CheckBox4")->click();
        QVERIFY(days->isEnabled());
        line->selectAll();
        QTest::keyClicks(line, "15");
        QCOMPARE(LoadHolidaySettings(f.platform.registryFake).Kolich, std::optional<std::int32_t>(15));
        QCOMPARE(f.page.reminderDaysAhead(), std::optional<int>(15));
        QTest::keyClicks(line, "x");
        QCOMPARE(f.boxes.shown, QStringList{"error: " + QString::fromUtf8(kDaysAheadRefused)});
        QCOMPARE(days->currentText(), QString("15"));
        QCOMPARE(LoadHolidaySettings(f.platform.registryFake).Kolich, std::optional<std::int32_t>(15));
    }

    // The main window: the event line, Timer4 and the reminder stopping without the file, and
    // both coming back when the page is shown with the file back (the reminder's note is the
    // end-to-end test's).
    void mainWindowWiring() {
        FakePlatform platform;
        RecordingBoxes boxes;
        WriteDefaults(platform.registryFake);
        platform.filesFake.put("/app/Data/IServers.DMR", "pool.ntp.org\r\n");
        platform.clockFake.setLocal(DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        const std::string file = holidayFile(kYear + QStringList{"5.9 Парад"});
        platform.filesFake.put(kHolidayPath, file);
        MainWindow form(platform, boxes);
        auto* page = form.findChild<HolidayPage*>();
        QVERIFY(page != nullptr);
        auto* table = child<QTableWidget>(*page, "CelebTable");
        auto* addButton = child<QPushButton>(*page, "SpeedButton4");
        auto* reminderCheck = child<QCheckBox>(*page, "CheckBox4");
        IntervalTimer* timer4 = uitest::timer(form, 4);
        auto* eventLine = child<QLineEdit>(form, "Edit1");

        uitest::tick(form, 4);
        QCOMPARE(eventLine->text(), QString("Сегодня: День Победы | Парад | "));
        // A minute's wait, then one bold second.
        const std::pair<bool, int> steps[] = {{false, 60000}, {true, 1000}, {false, 60000}};
        for (const auto& [bold, interval] : steps) {
            QCOMPARE(eventLine->font().bold(), bold);
            QCOMPARE(timer4->interval(), interval);
            uitest::tick(form, 4);
        }

        platform.filesFake.remove(kHolidayPath);
        uitest::tick(form, 4);
        QCOMPARE(timer4->interval(), 0);
        QCOMPARE(table->item(0, 2)->text(), QString("Ошибка! Файл Celeb.dmr не найден"));
        QVERIFY(!addButton->isEnabled());
        QVERIFY(!reminderCheck->isEnabled());
        uitest::tick(form, 6);
        QVERIFY(platform.launches.empty());

        platform.filesFake.put(kHolidayPath, file);
        form.findChild<QAction*>("mnCToday")->trigger();
        QCOMPARE(child<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
        QCOMPARE(timer4->interval(), 1000);
        QVERIFY(addButton->isEnabled() && reminderCheck->isEnabled());
        QCOMPARE(page->viewMode(), HolidayViewMode::Today);
        QCOMPARE(table->rowCount(), 2);
    }
};

QTEST_MAIN(TestHolidays)
#include "tst_Holidays.moc"
