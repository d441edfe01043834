// The holiday page and its dialogs on the recording platform: where "Добавить..." puts a
// holiday from each view, changing and deleting from a filtered view, the days-ahead list,
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
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace domora;
using uitest::RecordingBoxes;

namespace {

const char* const kCelebPath = "/app/Data/Celeb.DMR";

// "month.day event" records as a holiday file.
std::string celebFile(const QStringList& records) {
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

struct HolidayPage {
    FakePlatform platform;
    RecordingBoxes boxes;
    HolidayStore store{platform.filesFake, kCelebPath};
    MessageDialog dialog;
    IntervalTimer eventTimer{QStringLiteral("Timer4"), 1000, false, nullptr};
    HolidayPage page{store, platform.registryFake, platform.clockFake, boxes, dialog, eventTimer};
    HolidayAddDialog& add = page.addDialog();
    HolidayEditDialog& edit = page.editDialog();
    bool addOpened = false;

    HolidayPage(const QStringList& records, DateTime today) {
        platform.clockFake.setLocal(today);
        platform.filesFake.put(kCelebPath, celebFile(records));
        store.addListener([this] {
            page.HolidayViewMode = HolidayViewMode::All;
            page.ShowHolidays();
        });
        page.TabSheet8Show();
    }

    // The file's holidays as "month.day event".
    QStringList file() const {
        QStringList result;
        const std::string& bytes = platform.filesFake.files().at(kCelebPath);
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
        QTimer::singleShot(0, &add, [this, date, event] {
            addOpened = true;
            QVERIFY(add.Edit1->text().isEmpty());
            add.DateTimePicker1->setDate(date);
            add.Edit1->setText(event);
            add.SpeedButton1->click();
        });
        page.SpeedButton4Click();
    }
};

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT

private slots:
    void pageAndDialogs() {
        HolidayPage f(kYear, DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        QTableWidget* table = f.page.CelebTable;
        QCOMPARE(table->rowCount(), 5);
        QList<int> widths;
        QStringList headers;
        for (int column = 0; column < 4; ++column) {
            widths << table->columnWidth(column);
            headers << table->horizontalHeaderItem(column)->text();
        }
        QCOMPARE(widths.mid(0, 3), (QList<int>{29, 44, 328}));
        QCOMPARE(headers, (QStringList{"Месяц", "День", "Событие", "Коммектарий"}));
        QCOMPARE(f.page.SpeedButton22->text(), QString("Удалить... "));
        QCOMPARE(f.add.windowTitle(), QString("Добавить праздник..."));
        QCOMPARE(f.edit.windowTitle(), QString("Изменить настройки праздника"));
        QCOMPARE(f.add.DateTimePicker1->date(), QDate(2002, 5, 8));
        QCOMPARE(f.edit.DateTimePicker1->date(), QDate(2002, 5, 8));
    }

    // Where the new holiday lands, by view, today's date and the row selected.
    void addAnchors_data() {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<int>("view"); // HolidayViewMode
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("selectedRow"); // 0: none
        QTest::addColumn<QStringList>("expected");
        const auto with = [](int at, const QString& added) {
            QStringList list = kYear;
            list.insert(at, added);
            return list;
        };
        QTest::newRow("today: after the holiday before today's first")
            << kYear << 1 << QDate(2027, 5, 5) << 0 << with(4, "5.5 Новый");
        QTest::newRow("today: before the file's first holiday goes first")
            << kYear << 1 << QDate(2027, 1, 1) << 0 << with(0, "5.5 Новый");
        QTest::newRow("today: after this month's last")
            << kYear << 1 << QDate(2027, 5, 20) << 0 << with(5, "5.5 Новый");
        QTest::newRow("today: a month without holidays")
            << kYear << 1 << QDate(2027, 6, 15) << 0 << with(5, "5.5 Новый");
        QTest::newRow("this month: after the selected")
            << kYear << 2 << QDate(2027, 5, 5) << 1 << with(4, "5.5 Новый");
        QTest::newRow("today: empty file")
            << QStringList{} << 1 << QDate(2027, 5, 5) << 0 << QStringList{"5.5 Новый"};
        QTest::newRow("this month: empty file")
            << QStringList{} << 2 << QDate(2027, 5, 5) << 1 << QStringList{"5.5 Новый"};
        QTest::newRow("full view: after the selected")
            << kYear << 0 << QDate(2027, 5, 5) << 2 << with(2, "5.5 Новый");
        QTest::newRow("full view: nothing selected adds nothing")
            << kYear << 0 << QDate(2027, 5, 5) << 0 << kYear;
    }

    void addAnchors() {
        QFETCH(QStringList, records);
        QFETCH(int, view);
        QFETCH(QDate, today);
        QFETCH(int, selectedRow);
        QFETCH(QStringList, expected);
        HolidayPage f(records, DateTime{today.year(), today.month(), today.day(), 1, 12, 0, 0, 0});
        QPushButton* buttons[] = {f.page.SpeedButton11, f.page.SpeedButton16, f.page.SpeedButton17};
        buttons[view]->click();
        if (selectedRow != 0) {
            f.page.CelebTable->setCurrentCell(selectedRow - 1, 0);
        }
        f.addThroughDialog(QDate(2003, 5, 5), "Новый");
        QCOMPARE(f.file(), expected);
        QCOMPARE(f.addOpened, expected != records);
        QCOMPARE(f.page.HolidayViewMode, HolidayViewMode::All);
        QCOMPARE(f.page.CelebTable->rowCount(), static_cast<int>(expected.size()));
    }

    // Changing and deleting from a filtered view act on the holiday's row of the full list,
    // the first of two equal ones.
    void changeAndDeleteFromFilteredViews() {
        HolidayPage f(kYear + QStringList{"5.9 День Победы"}, DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        f.page.SpeedButton16->click();
        QCOMPARE(f.page.CelebTable->rowCount(), 2);
        f.page.CelebTable->setCurrentCell(1, 2);
        QTimer::singleShot(0, &f.edit, [&f] {
            QCOMPARE(f.edit.StaticText1->text(), QString("09.05"));
            QCOMPARE(f.edit.StaticText2->text(), QString("День Победы"));
            QCOMPARE(f.edit.Edit2->text(), QString("к"));
            f.edit.Edit1->setText("Победа");
            f.edit.DateTimePicker1->setDate(QDate(2002, 5, 10));
            f.edit.SpeedButton1->click();
        });
        f.page.SpeedButton12->click();
        QCOMPARE(f.page.SelectedCeleb, 5);
        QCOMPARE(f.file().mid(4), (QStringList{"5.10 Победа", "5.9 День Победы"}));

        struct Case {
            int button;
            QStringList left;
        };
        const Case cases[] = {{2, kYear.mid(0, 4) + QStringList{"5.10 Победа", "5.9 День Победы"}},
                              {1, kYear.mid(0, 3) + QStringList{"5.10 Победа", "5.9 День Победы"}},
                              {3, {}}};
        for (const Case& c : cases) {
            f.page.SpeedButton17->click();
            f.page.CelebTable->setCurrentCell(0, 0);
            QString text;
            uitest::answerDialog(f.dialog, c.button, &text);
            f.page.SpeedButton22->click();
            QCOMPARE(
                text,
                QString("Выделена запись праздника №4 \r\nВы действительно хотите удалить этот праздник?"));
            QCOMPARE(f.file(), c.left);
        }
        QCOMPARE(f.page.CelebTable->item(0, 2)->text(), QString("Праздников нет/Праздники не записаны"));
        QVERIFY(!f.page.SpeedButton12->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // A days-ahead text that is not a whole number is refused and never stored; numbers are
    // written from the first change on, also when the stored reminder was off.
    void daysAheadList() {
        HolidayPage f(kYear, DateTime{2027, 5, 9, 1, 12, 0, 0, 0});
        QLineEdit* line = f.page.ComboBox2->lineEdit();
        f.page.CheckBox4->click();
        QVERIFY(f.page.ComboBox2->isEnabled());
        line->selectAll();
        QTest::keyClicks(line, "15");
        QCOMPARE(LoadHolidaySettings(f.platform.registryFake).Kolich, std::optional<std::int32_t>(15));
        QCOMPARE(LoadHolidaySettings(f.platform.registryFake).Celebr, std::optional<bool>(true));
        QTest::keyClicks(line, "x");
        QCOMPARE(f.boxes.shown, QStringList{"error: " + QString::fromUtf8(kDaysAheadRefused)});
        QCOMPARE(f.page.ComboBox2->currentText(), QString("15"));
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
        const std::string file = celebFile(kYear + QStringList{"5.9 Парад"});
        platform.filesFake.put(kCelebPath, file);
        MainWindow form(platform, boxes);
        auto* page = uitest::child<HolidayPage>(form, "HolidayPage");
        IntervalTimer* timer4 = uitest::timer(form, 4);
        auto* eventLine = uitest::child<QLineEdit>(form, "Edit1");

        uitest::tick(form, 4);
        QCOMPARE(eventLine->text(), QString("Сегодня: День Победы | Парад | "));
        // A minute's wait, then one bold second.
        const std::pair<bool, int> steps[] = {{false, 60000}, {true, 1000}, {false, 60000}};
        for (const auto& [bold, interval] : steps) {
            QCOMPARE(eventLine->font().bold(), bold);
            QCOMPARE(timer4->interval(), interval);
            uitest::tick(form, 4);
        }

        platform.filesFake.remove(kCelebPath);
        uitest::tick(form, 4);
        QCOMPARE(timer4->interval(), 0);
        QCOMPARE(page->CelebTable->item(0, 2)->text(), QString("Ошибка! Файл Celeb.dmr не найден"));
        QVERIFY(!page->SpeedButton4->isEnabled());
        QVERIFY(!page->CheckBox4->isEnabled());
        uitest::tick(form, 6);
        QVERIFY(platform.launches.empty());

        platform.filesFake.put(kCelebPath, file);
        form.findChild<QAction*>("mnCToday")->trigger();
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(uitest::child<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
        QCOMPARE(timer4->interval(), 1000);
        QVERIFY(page->SpeedButton4->isEnabled() && page->CheckBox4->isEnabled());
        QCOMPARE(page->HolidayViewMode, HolidayViewMode::Today);
        QCOMPARE(page->CelebTable->rowCount(), 2);
    }
};

QTEST_MAIN(TestHolidays)
#include "tst_Holidays.moc"
