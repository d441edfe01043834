// The alarm editor on the recording platform: the time fields' filter and range message,
// the rules of its controls, saving a typed text, the three modes and the refusals.

#include "AlarmFixture.h"

#include "core/alarms/BudilRecord.h"
#include "core/base/Cp1251.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

using namespace domora;
using alarmtest::Fixture;
using alarmtest::goldenAlarms;
using alarmtest::recordOf;

namespace {

const QString kRange = QStringLiteral("error: Неверно указано время в поле задания часов:\r\n%1 не входит в "
                                      "промежуток 0..%2");

BudilRecord decoded(const std::string& file, int n) {
    const std::string bytes = recordOf(file, n);
    return DecodeBudil(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::string encoded(const BudilRecord& record) {
    const auto bytes = EncodeBudil(record);
    return std::string(bytes.begin(), bytes.end());
}

// Opens the editor the way the list does, without its modal loop.
void open(Fixture& f, std::uint16_t mode, int selected = 0) {
    f.list->EditorMode = mode;
    f.list->SelectedAlarm = selected;
    f.editor->show();
    QApplication::setActiveWindow(f.editor);
    QVERIFY(QTest::qWaitForWindowActive(f.editor));
}

// Types any text, one key event a character (QTest::keyClicks knows Latin-1 only).
void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void typeText(Fixture& f, const QString& text) {
    if (!f.editor->TypedText->isVisible()) {
        f.editor->ToggleButton->click();
    }
    f.editor->TypedText->setFocus();
    typeInto(f.editor->TypedText, text);
}

} // namespace

class TestTForm8 : public QObject {
    Q_OBJECT

private slots:
    void timeFieldsTakeTwoDigitsThenMoveOn_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        const auto row = [](const char* name, const char* field, const char* start, bool selected,
                            const char* keys, const char* text, const char* focus) {
            QTest::newRow(name) << QString(field) << QString(start) << selected << QString(keys)
                                << QString(text) << QString(focus);
        };
        row("two digits stay", "HourEdit", "", false, "75", "75", "HourEdit");
        row("third key moves on, dropped", "HourEdit", "", false, "751", "75", "MinuteEdit");
        row("letters dropped", "HourEdit", "", false, "a7b", "7", "HourEdit");
        row("minus sign", "MinuteEdit", "", false, "-1", "-1", "MinuteEdit");
        row("minute moves on to the date box", "MinuteEdit", "59", false, "3", "59", "DateCheck");
        row("a selection is typed over", "HourEdit", "23", true, "7", "7", "HourEdit");
    }
    void timeFieldsTakeTwoDigitsThenMoveOn() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(bool, selected);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Fixture f(goldenAlarms());
        open(f, AlarmListView::ModeAdd);
        auto* edit = f.editor->findChild<QLineEdit*>(field);
        edit->setFocus();
        edit->setText(start);
        if (selected) {
            edit->selectAll();
        } else {
            edit->deselect();
        }
        for (const QChar key : keys) {
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        }
        QCOMPARE(edit->text(), text);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void leavingATimeFieldChecksItsRange_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        const auto row = [](const char* name, const char* field, const char* text, const QString& message) {
            QTest::newRow(name) << QString(field) << QString(text) << message;
        };
        row("hour 75", "HourEdit", "75", kRange.arg("75").arg(23));
        row("hour -2", "HourEdit", "-2", kRange.arg("-2").arg(23));
        row("hour -1", "HourEdit", "-1", "");
        row("minute 60, same text", "MinuteEdit", "60", kRange.arg("60").arg(59));
        row("no number", "MinuteEdit", "-", kRange.arg("-").arg(59));
    }
    void leavingATimeFieldChecksItsRange() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Fixture f(goldenAlarms());
        open(f, AlarmListView::ModeAdd);
        auto* edit = f.editor->findChild<QLineEdit*>(field);
        edit->setFocus();
        edit->setText(text);
        f.editor->SwitchedOnCheck->setFocus(Qt::TabFocusReason);
        QTest::qWait(10);
        QCOMPARE(f.boxes.shown, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QApplication::focusWidget(),
                 message.isEmpty() ? static_cast<QWidget*>(f.editor->SwitchedOnCheck) : edit);
    }

    void controlRules() {
        Fixture f(goldenAlarms());
        open(f, AlarmListView::ModeAdd);
        auto& e = *f.editor;
        // "Всегда" chosen or typed ticks all seven days; another text unticks them.
        e.RecurrenceCombo->setCurrentIndex(1);
        emit e.RecurrenceCombo->textActivated(e.RecurrenceCombo->currentText());
        for (QCheckBox* day : e.Days) {
            QVERIFY(day->isChecked());
        }
        e.RecurrenceCombo->setCurrentIndex(2);
        emit e.RecurrenceCombo->textActivated(e.RecurrenceCombo->currentText());
        for (QCheckBox* day : e.Days) {
            QVERIFY(!day->isChecked());
        }
        e.RecurrenceCombo->lineEdit()->clear();
        typeInto(e.RecurrenceCombo->lineEdit(), " ВСЕГДА ");
        QVERIFY(e.Days[6]->isChecked());

        // "Дата" greys the days and both lists, and only the picker is left.
        e.DateCheck->click();
        QVERIFY(e.DatePicker->isEnabled());
        for (QWidget* w : {static_cast<QWidget*>(e.Days[0]), static_cast<QWidget*>(e.Days[6]),
                           static_cast<QWidget*>(e.RecurrenceCombo), static_cast<QWidget*>(e.RepeatCombo),
                           static_cast<QWidget*>(e.RepeatLabel)}) {
            QVERIFY(!w->isEnabled());
        }
        e.DateCheck->click();
        QVERIFY(!e.DatePicker->isEnabled());
        QVERIFY(e.RecurrenceCombo->isEnabled());

        // The toggle names the mode it switches to; "Рисунок" goes back to the file.
        QCOMPARE(e.ToggleButton->text(), QString("Ручной ввод сообщения"));
        e.ToggleButton->click();
        QVERIFY(e.TypedText->isVisible());
        QCOMPARE(e.ToggleButton->text(), QString("Текст из файла"));
        e.PictureRadio->click();
        QVERIFY(!e.TypedText->isVisible());
        QCOMPARE(e.ToggleButton->text(), QString("Ручной ввод сообщения"));
        QVERIFY(!e.ToggleButton->isEnabled() && !e.TextFileEdit->isEnabled() &&
                e.PictureFileEdit->isEnabled());
    }

    void addWithTheDefaultsAppendsASilentRule() {
        Fixture f(goldenAlarms());
        // Left over from an earlier showing.
        f.editor->HourEdit->setText("9");
        f.editor->Mp3Edit->setText("/music/a.mp3");
        f.list->ChangeButton->setEnabled(false);
        open(f, AlarmListView::ModeAdd);
        QCOMPARE(f.editor->windowTitle(), QString("Добавить будильник..."));
        QVERIFY(f.editor->CancelButton->isVisible());
        QVERIFY(f.editor->GroupBox1->isEnabled() && f.editor->GroupBox3->isEnabled());
        QCOMPARE(f.editor->HourEdit->text(), QString("0"));
        QVERIFY(f.editor->Mp3Edit->text().isEmpty());
        f.editor->OkButton->click();
        QVERIFY(!f.editor->isVisible());
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.file().size(), 6 * kBudilRecordSize);
        BudilRecord expected;
        expected.AlarmDate = 46392.0; // 5 January 2027, the picker's first date
        expected.Recurrence = "Всегда";
        expected.Repeat = "Безконечно";
        expected.TextMessage = true;
        expected.BuiltinSound = true;
        expected.BuiltinName = "Бип-Бип";
        QCOMPARE(decoded(f.file(), 6), expected);
        QVERIFY(f.list->ChangeButton->isEnabled());
    }

    void changeLoadsTheAlarmAndStoresItInPlace() {
        Fixture f(goldenAlarms());
        const std::string before = f.file();
        open(f, AlarmListView::ModeChange, 2);
        auto& e = *f.editor;
        QCOMPARE(e.windowTitle(), QString("Изменить настройки будильника..."));
        QVERIFY(e.PictureRadio->isChecked() && e.PictureFileEdit->isEnabled());
        QCOMPARE(QApplication::focusWidget(), e.HourEdit);

        // Nothing touched: every field of the record loaded comes back as it was, and the
        // others stay byte for byte.
        e.OkButton->click();
        QCOMPARE(f.file(), before);

        // Alarm 1 turned into a picture alarm without sound.
        open(f, AlarmListView::ModeChange, 1);
        e.PictureRadio->click();
        e.NoSoundRadio->click();
        e.HourEdit->setText("-1");
        e.MinuteEdit->setText("-1");
        e.OkButton->click();
        BudilRecord changed = decoded(f.file(), 1);
        QVERIFY(!changed.TextMessage && changed.PictureMessage);
        QVERIFY(changed.NoSound && !changed.BuiltinSound);
        QCOMPARE(changed.Hour, -1);
        QCOMPARE(recordOf(f.file(), 1)[0], '\xFF');
        for (int n = 2; n <= 5; ++n) {
            QCOMPARE(recordOf(f.file(), n), recordOf(before, n));
        }

        // "Изменить..." before any selection changes alarm 1.
        open(f, AlarmListView::ModeChange, 0);
        e.MinuteEdit->setText("7");
        e.OkButton->click();
        QCOMPARE(f.list->SelectedAlarm, 1);
        QCOMPARE(decoded(f.file(), 1).Minute, 7);
    }

    void viewShowsEverythingGreyedAndWritesNothing() {
        Fixture f(goldenAlarms());
        const std::string before = f.file();
        open(f, AlarmListView::ModeView, 4);
        auto& e = *f.editor;
        QCOMPARE(e.windowTitle(), QString("Просмотреть настройки будильника..."));
        QCOMPARE(e.HourEdit->text(), QString("23"));
        QVERIFY(e.DateCheck->isChecked());
        QCOMPARE(e.DatePicker->date(), QDate(2026, 12, 31));
        QVERIFY(e.WavRadio->isChecked());
        for (QWidget* part : {static_cast<QWidget*>(e.GroupBox1), static_cast<QWidget*>(e.GroupBox2),
                              static_cast<QWidget*>(e.GroupBox3), static_cast<QWidget*>(e.Panel1)}) {
            QVERIFY(!part->isEnabled());
        }
        QVERIFY(!e.CancelButton->isVisible());
        e.OkButton->click();
        QVERIFY(!e.isVisible());
        QCOMPARE(f.file(), before);
        QVERIFY(e.GroupBox1->isEnabled());
    }

    // The typed text goes to Temp/File<N>.txt (a file of three alarms): N is the alarm count
    // for a new alarm and the number minus one for a changed one, moved on past any name
    // another alarm's text uses.
    void typedTextFileNames_data() {
        QTest::addColumn<int>("changing"); // 0: adding
        QTest::addColumn<QString>("usedByFirst");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, int changing, const char* used, const char* expected) {
            QTest::newRow(name) << changing << QString(used) << QString(expected);
        };
        row("new alarm after three", 0, "", "/app/Temp/File3.txt");
        row("case does not hide the clash", 3, "/APP/temp/file2.TXT", "/app/Temp/File3.txt");
    }
    void typedTextFileNames() {
        QFETCH(int, changing);
        QFETCH(QString, usedByFirst);
        QFETCH(QString, expected);
        std::string file = goldenAlarms().substr(0, 3 * kBudilRecordSize);
        BudilRecord first = decoded(file, 1);
        first.TextFile = usedByFirst.toStdString();
        file.replace(0, kBudilRecordSize, encoded(first));
        Fixture f(file);
        f.platform.filesFake.put("/app/Temp/File3.txt", "чужой текст\r\n");
        open(f, changing == 0 ? AlarmListView::ModeAdd : AlarmListView::ModeChange, changing);
        typeText(f, "Подъём!");
        QTest::keyClick(f.editor->TypedText, Qt::Key_Return); // Enter breaks no line
        f.editor->OkButton->click();
        QVERIFY2(f.boxes.shown.isEmpty(), qPrintable(f.boxes.shown.join('\n')));
        const auto& files = f.platform.filesFake.files();
        QVERIFY(files.count(expected.toStdString()) == 1);
        QCOMPARE(files.at(expected.toStdString()), Utf8ToCp1251Lossy("Подъём!\r\n"));
        if (expected != "/app/Temp/File3.txt") {
            QCOMPARE(files.at("/app/Temp/File3.txt"), std::string("чужой текст\r\n"));
        }
        const int stored = changing == 0 ? 4 : changing;
        QCOMPARE(QString::fromStdString(decoded(f.file(), stored).TextFile), expected);
    }

    void typedTextSavedOnlyWhenTyped() {
        Fixture f(goldenAlarms().substr(0, kBudilRecordSize));
        f.platform.filesFake.put("/notes/утро.txt", Utf8ToCp1251Lossy("Доброе утро\r\nВставай\r\n"));
        auto& e = *f.editor;
        e.chooseFile = [](const QString&, const QString& filter, bool) {
            return filter == "Текстовый файл (*.txt)" ? QString("/notes/утро.txt") : QString();
        };
        open(f, AlarmListView::ModeAdd);
        e.TextFileButton->click();
        QCOMPARE(e.TextFileEdit->text(), QString("/notes/утро.txt"));
        QCOMPARE(e.TypedText->toPlainText(), QString("Доброе утро\nВставай"));
        e.OkButton->click();
        QCOMPARE(decoded(f.file(), 2).TextFile, std::string("/notes/утро.txt"));

        // A path typed over a chosen file's text keeps the typed path.
        open(f, AlarmListView::ModeChange, 2);
        e.TextFileEdit->setText("/notes/other.txt");
        e.OkButton->click();
        QCOMPARE(decoded(f.file(), 2).TextFile, std::string("/notes/other.txt"));
        QCOMPARE(f.platform.filesFake.files().count("/app/Temp/File1.txt"), std::size_t(0));

        // A character the files cannot hold is refused by name; nothing is stored.
        const std::string before = f.file();
        open(f, AlarmListView::ModeChange, 1);
        typeText(f, "Звонок ☎");
        e.OkButton->click();
        QVERIFY(e.isVisible());
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].contains("«☎»"));
        QCOMPARE(f.file(), before);
    }

    void refusals() {
        // The 101st alarm: the store's message, the file and the Temp folder untouched.
        std::string full;
        for (int i = 0; i < 20; ++i) {
            full += goldenAlarms();
        }
        Fixture f(full);
        open(f, AlarmListView::ModeAdd);
        typeText(f, "ещё один");
        f.editor->OkButton->click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].startsWith("error: Будильник не добавлен"));
        QCOMPARE(f.file(), full);
        QCOMPARE(f.platform.filesFake.files().size(), std::size_t(1));
        QVERIFY(f.editor->isVisible());

        // A chosen path longer than its field is refused, the field keeps its text.
        f.boxes.shown.clear();
        f.editor->Mp3Radio->click();
        f.editor->Mp3Edit->setText("/m/a.mp3");
        f.editor->chooseFile = [](const QString&, const QString&, bool) {
            return QString("/music/") + QString(100, 'x') + ".mp3";
        };
        f.editor->Mp3Button->click();
        QCOMPARE(f.editor->Mp3Edit->text(), QString("/m/a.mp3"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].contains("не более 100"));

        // An hour out of range at "Ok" stores nothing.
        Fixture g(goldenAlarms());
        open(g, AlarmListView::ModeChange, 1);
        g.editor->HourEdit->setText("75");
        g.editor->OkButton->click();
        QCOMPARE(g.boxes.shown, QStringList{kRange.arg("75").arg(23)});
        QCOMPARE(g.file(), goldenAlarms());
    }

    void preview() {
        Fixture f(goldenAlarms());
        open(f, AlarmListView::ModeAdd);
        f.editor->StopButton->click();
        QCOMPARE(f.boxes.shown.size(), 1); // nothing opened yet
        f.player.playable << "/app/Sound/Bud/KuKu.wav";
        f.editor->MelodyCombo->setCurrentText(" кукушка "); // as the alarm would ring it
        f.editor->PlayButton->click();
        // An unknown melody keeps the file before; "Звук отключён" plays nothing.
        f.editor->MelodyCombo->setCurrentText("Гудок");
        f.editor->PlayButton->click();
        f.editor->NoSoundRadio->click();
        f.editor->PlayButton->click();
        f.editor->StopButton->click();
        QCOMPARE(f.player.calls, (QStringList{"open /app/Sound/Bud/KuKu.wav", "play",
                                              "open /app/Sound/Bud/KuKu.wav", "play", "stop"}));
        QCOMPARE(f.boxes.shown.size(), 1);
    }
};

QTEST_MAIN(TestTForm8)
#include "tst_TForm8.moc"
