// The alarm editor on the recording platform: the time fields' filter and range message,
// the rules of its controls, saving a typed text, the three modes, the refusals, the preview.

#include "AlarmFixture.h"

#include "core/alarms/AlarmRecord.h"
#include "core/base/Cp1251.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace domora;
using alarmtest::Fixture;
using alarmtest::goldenAlarms;
using alarmtest::recordOf;

namespace {

const QString kRange = QStringLiteral("error: Неверно указано время в поле задания часов:\r\n%1 не входит в "
                                      "промежуток 0..%2");

AlarmRecord decoded(const std::string& file, int n) {
    const std::string bytes = recordOf(file, n);
    return DecodeAlarm(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

using Mode = AlarmEditor::Mode;

// Opens the editor the way the list does, without its modal loop.
void open(Fixture& f, Mode mode, int selected = 0) {
    f.editor->prepare(mode, selected);
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
    auto* typed = f.editorPart<QPlainTextEdit>("TypedText");
    if (!typed->isVisible()) {
        f.editorPart<QPushButton>("ToggleButton")->click();
    }
    typed->setFocus();
    typeInto(typed, text);
}

int tickedDays(const Fixture& f) {
    int ticked = 0;
    for (const char* name : {"DayMon", "DayTue", "DayWed", "DayThu", "DayFri", "DaySat", "DaySun"}) {
        ticked += f.editorPart<QCheckBox>(name)->isChecked() ? 1 : 0;
    }
    return ticked;
}

} // namespace

class TestAlarmEditor : public QObject {
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
        row("third key moves on", "HourEdit", "", false, "751", "75", "MinuteEdit");
        row("letters dropped", "HourEdit", "", false, "a7b", "7", "HourEdit");
        row("minus sign", "MinuteEdit", "", false, "-1", "-1", "MinuteEdit");
        row("minute moves on", "MinuteEdit", "59", false, "3", "59", "DateCheck");
        row("selection typed over", "HourEdit", "23", true, "7", "7", "HourEdit");
    }
    void timeFieldsTakeTwoDigitsThenMoveOn() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(bool, selected);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Fixture f(goldenAlarms());
        open(f, Mode::Add);
        auto* edit = uitest::child<QLineEdit>(*f.editor, field);
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

    // A wrong hour can be erased and corrected at two characters: Backspace and Ctrl+A work.
    void editingKeysWorkAtTwoCharacters() {
        Fixture f(goldenAlarms());
        open(f, Mode::Add);
        auto* hour = uitest::child<QLineEdit>(*f.editor, "HourEdit");
        hour->setFocus();
        hour->setText("25");
        hour->deselect();
        QTest::keyClick(hour, Qt::Key_Backspace);
        QCOMPARE(hour->text(), QString("2"));
        QTest::keyClick(hour, '5');
        QTest::keyClick(hour, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(hour, '7');
        QCOMPARE(hour->text(), QString("7"));
        QCOMPARE(QApplication::focusWidget(), hour);
    }

    void leavingATimeFieldChecksItsRange_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("hour -2") << QString("HourEdit") << QString("-2") << kRange.arg("-2").arg(23);
        QTest::newRow("hour -1") << QString("HourEdit") << QString("-1") << QString();
        QTest::newRow("minute 60") << QString("MinuteEdit") << QString("60") << kRange.arg("60").arg(59);
        QTest::newRow("no number") << QString("MinuteEdit") << QString("-") << kRange.arg("-").arg(59);
    }
    void leavingATimeFieldChecksItsRange() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Fixture f(goldenAlarms());
        open(f, Mode::Add);
        auto* edit = uitest::child<QLineEdit>(*f.editor, field);
        edit->setFocus();
        edit->setText(text);
        QWidget* next = f.editorPart("SwitchedOnCheck");
        next->setFocus(Qt::TabFocusReason);
        QTest::qWait(10);
        QCOMPARE(f.boxes.shown, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QApplication::focusWidget(), message.isEmpty() ? next : edit);
    }

    void controlRules() {
        Fixture f(goldenAlarms());
        open(f, Mode::Add);
        // "Всегда" chosen or typed ticks all seven days; another text unticks them.
        auto* recurrence = f.editorPart<QComboBox>("RecurrenceCombo");
        recurrence->setCurrentIndex(1);
        emit recurrence->textActivated(recurrence->currentText());
        QCOMPARE(tickedDays(f), 7);
        recurrence->setCurrentIndex(2);
        emit recurrence->textActivated(recurrence->currentText());
        QCOMPARE(tickedDays(f), 0);
        recurrence->lineEdit()->clear();
        typeInto(recurrence->lineEdit(), " ВСЕГДА ");
        QCOMPARE(tickedDays(f), 7);

        // "Дата" greys the days and both lists, and only the picker is left.
        auto* dateCheck = f.editorPart<QCheckBox>("DateCheck");
        QWidget* picker = f.editorPart("DatePicker");
        dateCheck->click();
        QVERIFY(picker->isEnabled());
        for (const char* part : {"DayMon", "DaySun", "RecurrenceCombo", "RepeatCombo", "RepeatLabel"}) {
            QVERIFY2(!f.editorPart(part)->isEnabled(), part);
        }
        dateCheck->click();
        QVERIFY(!picker->isEnabled());
        QVERIFY(recurrence->isEnabled());

        // The toggle shows the typed text; "Рисунок" goes back to the file.
        auto* toggle = f.editorPart<QPushButton>("ToggleButton");
        QWidget* typed = f.editorPart("TypedText");
        toggle->click();
        QVERIFY(typed->isVisible());
        f.editorPart<QRadioButton>("PictureRadio")->click();
        QVERIFY(!typed->isVisible());
        QVERIFY(!toggle->isEnabled() && !f.editorPart("TextFileEdit")->isEnabled() &&
                f.editorPart("PictureFileEdit")->isEnabled());
    }

    // The line under the buttons follows the fields (the clock: Tuesday 5 January 2027, 07:29:55;
    // its pass is made, the next minute counts).
    void nextFiringLineFollowsTheFields() {
        Fixture f("");
        open(f, Mode::Add);
        auto* line = f.editorPart<QLabel>("NextFiringLabel");
        const auto expect = [line](const char* text) { QCOMPARE(line->text(), QString(text)); };
        expect("Не сработает никогда: будильник выключен");
        f.editorPart<QCheckBox>("SwitchedOnCheck")->setChecked(true);
        expect("Не сработает никогда: не выбран ни один день недели");
        f.editorPart<QCheckBox>("DayTue")->setChecked(true);
        expect("Следующий раз: вт 12.01.2027 00:00");
        f.editorPart<QLineEdit>("HourEdit")->setText("7");
        f.editorPart<QLineEdit>("MinuteEdit")->setText("30");
        expect("Следующий раз: вт 05.01.2027 07:30");
        f.editorPart<QLineEdit>("MinuteEdit")->setText("3x");
        expect("Не сработает никогда: в поле времени «3x» — не целое число");
        f.editorPart<QLineEdit>("MinuteEdit")->setText("45");
        f.editorPart<QCheckBox>("DateCheck")->setChecked(true);
        f.editorPart<QDateEdit>("DatePicker")->setDate(QDate(2027, 3, 1));
        expect("Следующий раз: пн 01.03.2027 07:45");
    }

    // Saving a switched-on alarm that never fires is asked about: "Нет" goes back to the
    // editor with nothing written, "Да" saves.
    void neverFiringAlarmIsAskedAbout() {
        Fixture f("");
        open(f, Mode::Add);
        f.editorPart<QCheckBox>("SwitchedOnCheck")->setChecked(true);
        f.editorPart<QPushButton>("OkButton")->click();
        const QString question = "question: Этот будильник не сработает никогда: не выбран ни один день "
                                 "недели. Сохранить всё равно?";
        QCOMPARE(f.boxes.shown, QStringList{question});
        QVERIFY(f.editor->isVisible());
        QCOMPARE(f.file(), std::string());

        f.boxes.answers = {true};
        f.editorPart<QPushButton>("OkButton")->click();
        QCOMPARE(f.boxes.shown, (QStringList{question, question}));
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.file().size(), kAlarmRecordSize);
    }

    void addWithTheDefaultsAppendsASilentRule() {
        Fixture f(goldenAlarms());
        // Left over from an earlier showing.
        auto* hour = f.editorPart<QLineEdit>("HourEdit");
        auto* mp3 = f.editorPart<QLineEdit>("Mp3Edit");
        hour->setText("9");
        mp3->setText("/music/a.mp3");
        QWidget* change = f.listPart("BudChangeButton");
        change->setEnabled(false);
        open(f, Mode::Add);
        QCOMPARE(hour->text(), QString("0"));
        QVERIFY(mp3->text().isEmpty());
        f.editorPart<QPushButton>("OkButton")->click();
        QVERIFY(!f.editor->isVisible());
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.file().size(), 6 * kAlarmRecordSize);
        AlarmRecord expected;
        expected.AlarmDate = 46392.0; // 5 January 2027, the picker's first date
        expected.Recurrence = "Всегда";
        expected.Repeat = "Безконечно";
        expected.TextMessage = true;
        expected.BuiltinSound = true;
        expected.BuiltinName = "Бип-Бип";
        QCOMPARE(decoded(f.file(), 6), expected);
        QVERIFY(change->isEnabled());
    }

    void changeLoadsTheAlarmAndStoresItInPlace() {
        Fixture f(goldenAlarms());
        const std::string before = f.file();
        open(f, Mode::Change, 2);
        auto* ok = f.editorPart<QPushButton>("OkButton");
        auto* picture = f.editorPart<QRadioButton>("PictureRadio");
        QVERIFY(picture->isChecked() && f.editorPart("PictureFileEdit")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f.editorPart("HourEdit"));

        // Nothing touched: every field of the record loaded comes back as it was, and the
        // others stay byte for byte.
        ok->click();
        QCOMPARE(f.file(), before);

        // Also when its texts hold bytes that have no character in code page 1251 (0x98) or
        // are control characters: they are stored as they came.
        std::string odd = before;
        const std::size_t picturePath = kAlarmRecordSize + 438;
        odd.replace(picturePath, kPictureFileChars + 1,
                    std::string("\x05\x98x\x01\x98y", 6) + std::string(kPictureFileChars - 5, '\0'));
        f.platform.filesFake.put(f.paths.BudilPath, odd);
        open(f, Mode::Change, 2);
        ok->click();
        QVERIFY2(f.boxes.shown.isEmpty(), qPrintable(f.boxes.shown.join('\n')));
        QCOMPARE(f.file(), odd);
        f.platform.filesFake.put(f.paths.BudilPath, before);

        // Alarm 1 turned into a picture alarm without sound.
        open(f, Mode::Change, 1);
        picture->click();
        f.editorPart<QRadioButton>("NoSoundRadio")->click();
        f.editorPart<QLineEdit>("HourEdit")->setText("-1");
        f.editorPart<QLineEdit>("MinuteEdit")->setText("-1");
        ok->click();
        AlarmRecord changed = decoded(f.file(), 1);
        QVERIFY(!changed.TextMessage && changed.PictureMessage);
        QVERIFY(changed.NoSound && !changed.BuiltinSound);
        QCOMPARE(changed.Hour, -1);
        QCOMPARE(recordOf(f.file(), 1)[0], '\xFF');
        for (int n = 2; n <= 5; ++n) {
            QCOMPARE(recordOf(f.file(), n), recordOf(before, n));
        }

        // "Изменить..." before any selection changes alarm 1, which the list then has selected.
        open(f, Mode::Change, 0);
        f.editorPart<QLineEdit>("MinuteEdit")->setText("7");
        f.boxes.answers = {true}; // -1:7 never fires: saved when the user says so
        ok->click();
        QVERIFY(f.boxes.shown.last().contains("заданы минуты без часа"));
        QCOMPARE(f.list->selectedAlarm(), 1);
        QCOMPARE(decoded(f.file(), 1).Minute, 7);
    }

    void viewShowsEverythingGreyedAndWritesNothing() {
        Fixture f(goldenAlarms());
        const std::string before = f.file();
        open(f, Mode::View, 4);
        QCOMPARE(f.editorPart<QDateEdit>("DatePicker")->date(), QDate(2026, 12, 31));
        for (const char* part : {"GroupBox1", "GroupBox2", "GroupBox3", "Panel1"}) {
            QVERIFY(!f.editorPart(part)->isEnabled());
        }
        QVERIFY(!f.editorPart("CancelButton")->isVisible());
        f.editorPart<QPushButton>("OkButton")->click();
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.file(), before);
        QVERIFY(f.editorPart("GroupBox1")->isEnabled());
    }

    // The typed text of a new alarm after three goes to Temp/File3.txt (the name is the
    // core's), over a file left there, and the alarm names it.
    void typedTextSaved() {
        Fixture f(goldenAlarms().substr(0, 3 * kAlarmRecordSize));
        f.platform.filesFake.put("/app/Temp/File3.txt", "чужой текст\r\n");
        open(f, Mode::Add);
        typeText(f, "Подъём!");
        QTest::keyClick(f.editorPart("TypedText"), Qt::Key_Return); // Enter breaks no line
        f.editorPart<QPushButton>("OkButton")->click();
        QVERIFY2(f.boxes.shown.isEmpty(), qPrintable(f.boxes.shown.join('\n')));
        QCOMPARE(f.platform.filesFake.files().at("/app/Temp/File3.txt"), Utf8ToCp1251Lossy("Подъём!\r\n"));
        QCOMPARE(decoded(f.file(), 4).TextFile, std::string("/app/Temp/File3.txt"));
    }

    void typedTextSavedOnlyWhenTyped() {
        Fixture f(goldenAlarms().substr(0, kAlarmRecordSize));
        f.platform.filesFake.put("/notes/утро.txt", Utf8ToCp1251Lossy("Доброе утро\r\nВставай\r\n"));
        f.editor->chooseFile = [](const QString&, const QString& filter, bool) {
            return filter == "Текстовый файл (*.txt)" ? QString("/notes/утро.txt") : QString();
        };
        auto* ok = f.editorPart<QPushButton>("OkButton");
        auto* textFile = f.editorPart<QLineEdit>("TextFileEdit");
        open(f, Mode::Add);
        f.editorPart<QPushButton>("TextFileButton")->click();
        QCOMPARE(textFile->text(), QString("/notes/утро.txt"));
        QCOMPARE(f.editorPart<QPlainTextEdit>("TypedText")->toPlainText(), QString("Доброе утро\nВставай"));
        ok->click();
        QCOMPARE(decoded(f.file(), 2).TextFile, std::string("/notes/утро.txt"));

        // A path typed over a chosen file's text keeps the typed path.
        open(f, Mode::Change, 2);
        textFile->setText("/notes/other.txt");
        ok->click();
        QCOMPARE(decoded(f.file(), 2).TextFile, std::string("/notes/other.txt"));
        QCOMPARE(f.platform.filesFake.files().count("/app/Temp/File1.txt"), std::size_t(0));

        // A character the files cannot hold is refused by name; nothing is stored.
        const std::string before = f.file();
        open(f, Mode::Change, 1);
        typeText(f, "Звонок ☎");
        ok->click();
        QVERIFY(f.editor->isVisible());
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
        open(f, Mode::Add);
        typeText(f, "ещё один");
        f.editorPart<QPushButton>("OkButton")->click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].startsWith("error: Будильник не добавлен"));
        QCOMPARE(f.file(), full);
        QCOMPARE(f.platform.filesFake.files().size(), std::size_t(1));
        QVERIFY(f.editor->isVisible());

        // A chosen path longer than its field is refused, the field keeps its text.
        f.boxes.shown.clear();
        f.editorPart<QRadioButton>("Mp3Radio")->click();
        auto* mp3 = f.editorPart<QLineEdit>("Mp3Edit");
        mp3->setText("/m/a.mp3");
        f.editor->chooseFile = [](const QString&, const QString&, bool) {
            return QString("/music/") + QString(100, 'x') + ".mp3";
        };
        f.editorPart<QPushButton>("Mp3Button")->click();
        QCOMPARE(mp3->text(), QString("/m/a.mp3"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown[0].contains("не более 100"));

        // An hour out of range at "Ok" is reported before anything is stored.
        f.boxes.shown.clear();
        f.editorPart<QLineEdit>("HourEdit")->setText("75");
        f.editorPart<QPushButton>("OkButton")->click();
        QCOMPARE(f.boxes.shown, QStringList{kRange.arg("75").arg(23)});
        QCOMPARE(f.file(), full);
    }

    void preview() {
        Fixture f(goldenAlarms());
        open(f, Mode::Add);
        auto* play = f.editorPart<QPushButton>("PlayButton");
        auto* stop = f.editorPart<QPushButton>("StopButton");
        auto* melody = f.editorPart<QComboBox>("MelodyCombo");
        stop->click();
        QCOMPARE(f.boxes.shown.size(), 1); // nothing opened yet
        f.player.playable << "/app/Sound/Bud/KuKu.wav";
        melody->setCurrentText(" кукушка "); // as the alarm would ring it
        play->click();
        // An unknown melody keeps the file before; "Звук отключён" plays nothing.
        melody->setCurrentText("Гудок");
        play->click();
        f.editorPart<QRadioButton>("NoSoundRadio")->click();
        play->click();
        stop->click();
        QCOMPARE(f.player.calls, (QStringList{"open /app/Sound/Bud/KuKu.wav", "play",
                                              "open /app/Sound/Bud/KuKu.wav", "play", "stop"}));
        QCOMPARE(f.boxes.shown.size(), 1);
    }
};

QTEST_MAIN(TestAlarmEditor)
#include "tst_AlarmEditor.moc"
