// The task editor on the recording platform: its three modes, the rules of its controls,
// the time check, "Обзор...", a full file, and "Тест" with its question and failures.

#include "TaskFixture.h"

#include "core/base/OleDate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace domora;
using tasktest::decoded;
using tasktest::Fixture;
using tasktest::goldenTasks;
using tasktest::recordOf;

namespace {

using Mode = TaskEditor::Mode;

// Opens the editor the way the list does, without its modal loop.
void open(Fixture& f, Mode mode, int selected = 0) {
    f.editor->prepare(mode, selected);
    f.editor->show();
    QApplication::setActiveWindow(f.editor);
    QVERIFY(QTest::qWaitForWindowActive(f.editor));
}

void click(Fixture& f, const char* button) {
    f.editorPart<QPushButton>(button)->click();
}

constexpr const char* kProgramParts[] = {"Label2", "Label3", "Label4", "Edit3", "Edit4", "Edit5", "Button1"};

} // namespace

class TestTaskEditor : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    // The line under the buttons follows the fields (the clock: Tuesday 5 January 2027, 09:15;
    // its pass is made, the next minute counts).
    void nextFiringLineFollowsTheFields() {
        Fixture f("");
        open(f, Mode::Add);
        auto* line = f.editorPart<QLabel>("NextFiringLabel");
        const auto expect = [line](const char* text) { QCOMPARE(line->text(), QString(text)); };
        expect("Не сработает никогда: его день — сегодня, 05.01.2027, а время 00:00 уже прошло");
        f.editorPart<QLineEdit>("Edit1")->setText("9");
        f.editorPart<QLineEdit>("Edit2")->setText("16");
        expect("Следующий раз: вт 05.01.2027 09:16");
        f.editorPart<QCheckBox>("CheckBox2")->setChecked(false);
        expect("Не сработает никогда: задание выключено");
        f.editorPart<QCheckBox>("CheckBox2")->setChecked(true);
        f.editorPart<QDateEdit>("DateTimePicker1")->setDate(QDate(2027, 1, 6));
        expect("Следующий раз: ср 06.01.2027 09:16");
        // Without a time, once run in this run of the program, a task never runs again.
        f.editorPart<QCheckBox>("CheckBox1")->setChecked(false);
        f.editorPart<QLineEdit>("Edit1")->setText("-1");
        f.editorPart<QLineEdit>("Edit2")->setText("-1");
        expect("Следующий раз: вт 05.01.2027 09:16");
        f.scheduler.TaskFired[0] = 1;
        f.editorPart<QComboBox>("ComboBox1")->setCurrentText("По будням");
        expect("Не сработает никогда: задание без времени уже выполнено в этом запуске программы");
    }

    // Adding starts from the defaults and stores the ten values; changing loads the task and
    // replaces only it; viewing shows it with every input disabled and changes nothing.
    void threeModes() {
        Fixture f(goldenTasks());
        const std::string golden = f.file();

        open(f, Mode::Add);
        QCOMPARE(f.editor->windowTitle(), QString("Установить задание..."));
        QCOMPARE(f.editorPart<QLineEdit>("Edit1")->text(), QString("0"));
        QVERIFY(f.editorPart<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!f.editorPart("ComboBox1")->isEnabled());
        QCOMPARE(f.editorPart<QComboBox>("ComboBox1")->currentText(), QString("Ежедневно"));
        QCOMPARE(f.editorPart<QDateEdit>("DateTimePicker1")->date(), QDate(2027, 1, 5));
        f.editorPart<QLineEdit>("Edit1")->setText("7");
        f.editorPart<QLineEdit>("Edit2")->setText("5");
        f.editorPart<QLineEdit>("Edit3")->setText("/home/u/Мои программы/");
        f.editorPart<QLineEdit>("Edit4")->setText("run me.sh");
        f.editorPart<QLineEdit>("Edit5")->setText("\"a b\" $HOME");
        click(f, "SpeedButton1");
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.file().substr(0, golden.size()), golden);
        TaskRecord added = decoded(f.file(), 4);
        QCOMPARE(added.Hour, 7);
        QCOMPARE(added.Minute, 5);
        QVERIFY(added.UseDate);
        QCOMPARE(added.TaskDate, OleDateOnly(2027, 1, 5));
        // The period is stored although its list was disabled.
        QCOMPARE(QString::fromStdString(added.Period), QString("Ежедневно"));
        QCOMPARE(QString::fromStdString(added.Directory), QString("/home/u/Мои программы/"));
        QCOMPARE(QString::fromStdString(added.Params), QString("\"a b\" $HOME"));
        QVERIFY(added.Active);

        open(f, Mode::Change, 2);
        QCOMPARE(f.editor->windowTitle(), QString("Изменить задание № 2..."));
        QCOMPARE(f.editorPart<QLineEdit>("Edit1")->text(), QString("-1"));
        QVERIFY(f.editorPart("ComboBox1")->isEnabled()); // a periodic task
        QCOMPARE(f.editorPart<QComboBox>("ComboBox2")->currentText(), QString("Выключить монитор"));
        QVERIFY(!f.editorPart("Edit4")->isEnabled());
        f.editorPart<QComboBox>("ComboBox1")->setCurrentText("Суббота");
        click(f, "SpeedButton1");
        QCOMPARE(QString::fromStdString(decoded(f.file(), 2).Period), QString("Суббота"));
        QCOMPARE(recordOf(f.file(), 1), recordOf(golden, 1));
        QCOMPARE(recordOf(f.file(), 3), recordOf(golden, 3));

        const std::string before = f.file();
        open(f, Mode::View, 3);
        QCOMPARE(f.editor->windowTitle(), QString("Просмотреть задание № 3..."));
        QCOMPARE(f.editorPart<QLineEdit>("Edit1")->text(), QString("22"));
        for (const char* part : {"GroupBox1", "GroupBox2", "SpeedButton2", "CheckBox2"}) {
            QVERIFY2(!f.editorPart(part)->isEnabled(), part);
        }
        QVERIFY(f.editorPart("SpeedButton1")->isEnabled());
        QVERIFY(f.editorPart("SpeedButton3")->isEnabled());
        click(f, "SpeedButton1");
        QVERIFY(!f.editor->isVisible());
        QCOMPARE(f.file(), before);

        // Changing again after viewing: the inputs are back.
        open(f, Mode::Change, 1);
        QVERIFY(f.editorPart("GroupBox1")->isEnabled());
        QVERIFY(f.editorPart("SpeedButton2")->isEnabled());
    }

    // The program's fields follow the preset text as typed; "Дата:" switches between the date
    // and the period.
    void presetAndDateRules() {
        Fixture f("");
        open(f, Mode::Add);
        auto* preset = f.editorPart<QComboBox>("ComboBox2");
        const std::pair<QString, bool> texts[] = {{"Выключить монитор", false},
                                                  {"  <ПОЛЬЗОВАТЕЛЬСКАЯ> ", true},
                                                  {"Пользовательская", false},
                                                  {"<Пользовательская>", true}};
        for (const auto& [text, custom] : texts) {
            preset->setCurrentText(text);
            for (const char* part : kProgramParts) {
                QVERIFY2(f.editorPart(part)->isEnabled() == custom, qPrintable(text + " " + part));
            }
        }
        auto* date = f.editorPart<QCheckBox>("CheckBox1");
        QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(4, date->height() / 2));
        QVERIFY(!date->isChecked());
        QVERIFY(f.editorPart("ComboBox1")->isEnabled());
        QVERIFY(!f.editorPart("DateTimePicker1")->isEnabled());

        // A custom preset typed in capitals is stored as the preset, so that it runs.
        preset->setCurrentText("  <ПОЛЬЗОВАТЕЛЬСКАЯ> ");
        f.editorPart<QLineEdit>("Edit4")->setText("x");
        click(f, "SpeedButton1");
        const TaskRecord stored = decoded(f.file(), 1);
        QCOMPARE(QString::fromStdString(stored.Preset), QString("<Пользовательская>"));
        QVERIFY(!stored.UseDate);
    }

    // A time the task file cannot hold (the core's check has the cases), half a time, or no
    // number: a message, the field that is wrong has the focus, the editor stays open and
    // the file as it was.
    void timeCheck_data() {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("hour 24") << "24"
                                 << "0"
                                 << "Часы"
                                 << "Edit1";
        QTest::newRow("half a time") << "-1"
                                     << "5"
                                     << "-1"
                                     << "Edit2";
        QTest::newRow("no number") << "1O"
                                   << "0"
                                   << "не является целым числом"
                                   << "Edit1";
    }
    void timeCheck() {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        Fixture f(goldenTasks());
        const std::string before = f.file();
        open(f, Mode::Change, 1);
        f.editorPart<QLineEdit>("Edit1")->setText(hour);
        f.editorPart<QLineEdit>("Edit2")->setText(minute);
        click(f, "SpeedButton1");
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY2(f.boxes.shown[0].contains(message), qPrintable(f.boxes.shown[0]));
        QVERIFY(f.editor->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QCOMPARE(f.file(), before);
    }

    // "Обзор...": the folder with its closing separator and the name; cancelling keeps both.
    void browse() {
        Fixture f("");
        open(f, Mode::Add);
        QString caption;
        f.editor->chooseFile = [&](const QString& title, const QString&) {
            caption = title;
            return QString("/home/u/Мои программы/run me.sh");
        };
        click(f, "Button1");
        QCOMPARE(caption, QString("Задание"));
        QCOMPARE(f.editorPart<QLineEdit>("Edit3")->text(), QString("/home/u/Мои программы/"));
        QCOMPARE(f.editorPart<QLineEdit>("Edit4")->text(), QString("run me.sh"));
        f.editor->chooseFile = [](const QString&, const QString&) { return QString(); };
        click(f, "Button1");
        QCOMPARE(f.editorPart<QLineEdit>("Edit4")->text(), QString("run me.sh"));
    }

    // "Тест": a missing program is an error in the message dialog and nothing runs; an
    // existing one starts; ending the session asks first and does what was answered; a
    // failure is told.
    void trial() {
        Fixture f("");
        open(f, Mode::Add);
        f.editorPart<QComboBox>("ComboBox2")->setCurrentText(" <пользовательская>");
        f.editorPart<QLineEdit>("Edit3")->setText("/home/u/");
        f.editorPart<QLineEdit>("Edit4")->setText("run.sh");
        f.editorPart<QLineEdit>("Edit5")->setText("-a 'b c'");
        QString text;
        uitest::answerDialog(f.dialog, 1, &text);
        click(f, "SpeedButton3");
        QCOMPARE(text, QString("Файл /home/u/run.sh не найден."));
        QCOMPARE(f.dialog.windowTitle(), QString("Ошибка..."));
        QVERIFY(f.platform.calls().empty());

        f.platform.filesFake.put("/home/u/run.sh", "#!/bin/sh\n");
        click(f, "SpeedButton3");
        QCOMPARE(f.platform.calls(), std::vector<std::string>{"tasks.start /home/u/|run.sh|-a 'b c'"});

        auto* preset = f.editorPart<QComboBox>("ComboBox2");
        const std::tuple<QString, int, std::string> presets[] = {
            {"Выключение компьютера", 2, ""},
            {"Выключение компьютера", 3, "actions.endSession PowerOff forced"},
            {"Перегрузка компьютера", 1, "actions.endSession Restart"},
            {"Приостоновить работу компьютора", 1, "actions.suspend"},
            {"Выключить монитор", 0, "actions.monitorOff"},
        };
        for (const auto& [name, answer, call] : presets) {
            f.platform.clearCalls();
            preset->setCurrentText(name);
            text.clear();
            if (answer != 0) {
                uitest::answerDialog(f.dialog, answer, &text);
            }
            click(f, "SpeedButton3");
            QCOMPARE(text.startsWith("Вы действительно хотите прекратить ваш сеанс?"), answer != 0);
            QCOMPARE(f.platform.calls(),
                     call.empty() ? std::vector<std::string>{} : std::vector<std::string>{call});
        }

        f.platform.actionFailure = "Монитор выключить нельзя.";
        click(f, "SpeedButton3");
        QCOMPARE(f.boxes.shown, QStringList{"error: Монитор выключить нельзя."});
        QVERIFY(f.platform.filesFake.files().count(f.paths.ZadanPath) == 1 && f.file().empty());
    }
};

QTEST_MAIN(TestTaskEditor)
#include "tst_TaskEditor.moc"
