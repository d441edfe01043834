// The Service page and the tray menu's "Сервис" branch on the recording platform: each button
// and item reaches its system action, the end-of-session question, the taskbar button, the
// folder list, and failures told to the user.

#include "core/app/Settings.h"
#include "platform/fake/FakePlatform.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageDialog.h"

#include "UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace domora;
using uitest::child;

namespace {

constexpr int kCloseBox = 4;

} // namespace

class TestServicePage : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> platform;
    uitest::RecordingBoxes boxes;
    std::unique_ptr<MainWindow> form;

    // Clicks a page button or triggers a menu item, by objectName.
    void press(const QString& name) {
        if (auto* item = form->findChild<QAction*>(name)) {
            item->trigger();
        } else {
            child<QPushButton>(*form, name)->click();
        }
    }
    void answerNext(int answer) {
        MessageDialog& dialog = form->messageDialog();
        if (answer == kCloseBox) {
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
        } else {
            uitest::answerDialog(dialog, answer);
        }
    }
    QStringList actionCalls() const {
        QStringList calls;
        for (const std::string& call : platform->calls()) {
            if (call.rfind("actions.", 0) == 0 || call.rfind("taskbar.", 0) == 0) {
                calls << QString::fromStdString(call);
            }
        }
        return calls;
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        WriteDefaults(platform->registryFake);
        form = std::make_unique<MainWindow>(*platform, boxes);
        uitest::activate(*form);
        platform->clearCalls();
        boxes.shown.clear();
    }
    void cleanup() { form.reset(); }

    void controlsRunTheirActions_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("call");
        const std::pair<const char*, const char*> rows[] = {
            {"SpeedButton5", "runTool Defrag"},
            {"mnSRunDefrag", "runTool Defrag"},
            {"SpeedButton8", "runTool DiskCheck"},
            {"mnSRunDiskCheck", "runTool DiskCheck"},
            {"SpeedButton6", "runTool Notepad"},
            {"mnSRunNotepad", "runTool Notepad"},
            {"SpeedButton2", "runTool RegistryEditor"},
            {"mnSRunRegedit", "runTool RegistryEditor"},
            {"SpeedButton1", "runTool DirectX"},
            {"mnSRunDirectX", "runTool DirectX"},
            {"SpeedButton7", "runTool Browser"},
            {"mnSRunIE", "runTool Browser"},
            {"CdOpenButton", "cdDoor open"},
            {"mnSCDOpen", "cdDoor open"},
            {"CdCloseButton", "cdDoor close"},
            {"mnSCDClose", "cdDoor close"},
            {"SuspendButton", "suspend"},
            {"mnSSuspend", "suspend"},
            {"MonitorOffButton", "monitorOff"},
            {"mnSMonitorOff", "monitorOff"},
            {"ScreenSaverButton", "startScreenSaver"},
            {"mnSScreenSaver", "startScreenSaver"},
            {"NumLockButton", "toggleLockKey NumLock"},
            {"mnSNumLock", "toggleLockKey NumLock"},
            {"CapsLockButton", "toggleLockKey CapsLock"},
            {"mnSCapsLock", "toggleLockKey CapsLock"},
            {"ScrollLockButton", "toggleLockKey ScrollLock"},
            {"mnSScrollLock", "toggleLockKey ScrollLock"},
        };
        for (const auto& [control, call] : rows) {
            QTest::newRow(control) << control << QString("actions.") + call;
        }
    }
    // Each runs its action once, asking nothing; a failure is told with the system's reason.
    void controlsRunTheirActions() {
        QFETCH(QString, control);
        QFETCH(QString, call);
        press(control);
        QCOMPARE(actionCalls(), QStringList{call});
        QVERIFY(boxes.shown.isEmpty());

        platform->actionFailure = "Не найден привод компакт-дисков.";
        platform->clockFake.advanceMs(60000); // past the guard against a repeated power request
        press(control);
        QCOMPARE(boxes.shown, QStringList{"error: Не найден привод компакт-дисков."});
    }

    void sessionEndAsksFirst_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("call"); // empty: nothing is done
        const std::pair<const char*, const char*> controls[] = {
            {"LogOffButton", "LogOff"}, {"mnSLogOff", "LogOff"},        {"RestartButton", "Restart"},
            {"mnSRestart", "Restart"},  {"PowerOffButton", "PowerOff"}, {"mnSPowerOff", "PowerOff"}};
        for (const auto& [control, how] : controls) {
            const QString end = QString("actions.endSession ") + how;
            QTest::addRow("%s Ok", control) << control << 1 << end;
            QTest::addRow("%s forced", control) << control << 3 << end + " forced";
            QTest::addRow("%s cancelled", control) << control << 2 << QString();
            QTest::addRow("%s closed", control) << control << kCloseBox << QString();
        }
    }
    void sessionEndAsksFirst() {
        QFETCH(QString, control);
        QFETCH(int, answer);
        QFETCH(QString, call);
        QString question;
        MessageDialog& dialog = form->messageDialog();
        QTimer::singleShot(0, &dialog, [&] {
            question = child<QLabel>(dialog, "Label1")->text() + "|" + dialog.windowTitle() + "|" +
                       child<QPushButton>(dialog, "Button3")->text();
        });
        answerNext(answer);
        press(control);
        QCOMPARE(question,
                 QString("Вы действительно хотите прекратить ваш сеанс?\r\nЕсли Вы хотите сделать это "
                         "форсировано нажмите кнопку Форсировано|Информация...|Форсировано"));
        QCOMPARE(actionCalls(), call.isEmpty() ? QStringList{} : QStringList{call});
    }

    // The chosen picture goes to the wallpaper as chosen, a GIF too; cancelling sets nothing.
    void wallpaperFromTheChooser() {
        QTemporaryDir folder;
        const QString path = folder.filePath("Закат над морем.gif");
        QFile gif(path); // Qt reads GIF but does not write it: a 1 x 1 picture
        QVERIFY(gif.open(QIODevice::WriteOnly));
        gif.write(QByteArray::fromHex("474946383961010001008000000000"
                                      "00ffffff21f90401000000002c000000000100010000020244003b"));
        gif.close();
        for (const bool confirm : {false, true}) {
            uitest::whenModalShown(form.get(), [&](QWidget& dialog) {
                auto& chooser = dynamic_cast<QFileDialog&>(dialog);
                QCOMPARE(chooser.objectName(), QString("OpenPictureDialog1"));
                if (confirm) {
                    chooser.setDirectory(folder.path());
                    // The user picks "Формат GIF (*.gif)" from the list of types.
                    child<QComboBox>(chooser, "fileTypeCombo")->setCurrentIndex(3);
                    // Typed: selectFile() leaves the name field alone while it has the focus.
                    child<QLineEdit>(chooser, "fileNameEdit")->setText(path);
                    static_cast<QDialog&>(chooser).accept();
                } else {
                    chooser.reject();
                }
            });
            press(confirm ? "WallpaperButton" : "mnSWallpaper");
        }
        QCOMPARE(actionCalls(), QStringList{"actions.setWallpaper " + path});
    }

    // A double click, or a click queued while the first request ran, does not power off or
    // suspend a second time; a request some seconds later is a new one.
    void powerRequestRunsOnce() {
        press("SuspendButton");
        platform->clockFake.advanceMs(300);
        press("mnSSuspend");
        answerNext(1);
        press("PowerOffButton");
        QCOMPARE(actionCalls(), QStringList{"actions.suspend"});

        platform->clockFake.advanceMs(6000);
        answerNext(1);
        press("PowerOffButton");
        QCOMPARE(actionCalls(), (QStringList{"actions.suspend", "actions.endSession PowerOff"}));
    }

    // The button changes its state on each click and applies it; the menu item applies the
    // button's state again without changing it.
    void taskbarButtonAlternatesMenuReapplies() {
        auto* button = child<QPushButton>(*form, "TaskBarButton");
        button->click();
        QVERIFY(button->isChecked());
        press("mnSTaskBar");
        QVERIFY(button->isChecked());
        button->click();
        press("mnSTaskBar");
        QCOMPARE(actionCalls(),
                 (QStringList{"taskbar.hide", "taskbar.hide", "taskbar.show", "taskbar.show"}));
        QVERIFY(platform->taskbarVisible);
    }

    // A click on a folder shows its path in the field and its hint; a folder the system does
    // not have empties both.
    void folderListShowsPaths() {
        auto* list = child<QListWidget>(*form, "ListBox2");
        auto* path = child<QLineEdit>(*form, "Edit2");
        QCOMPARE(list->count(), 16);
        QCOMPARE(path->text(), QString("Выбирите  название"));
        QVERIFY(path->isReadOnly());
        platform->shellFolders["Personal"] = "/home/ира/Документы";
        const auto clickRow = [list](int row) {
            QListWidgetItem* item = list->item(row);
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        };
        clickRow(9);
        QCOMPARE(list->item(9)->text(), QString("Мои документы"));
        QCOMPARE(path->text(), QString("/home/ира/Документы"));
        QCOMPARE(path->toolTip(), path->text());
        clickRow(2);
        QCOMPARE(actionCalls(), (QStringList{"actions.shellFolder Personal", "actions.shellFolder Cookies"}));
        QVERIFY(path->text().isEmpty() && path->toolTip().isEmpty());
    }
};

QTEST_MAIN(TestServicePage)
#include "tst_ServicePage.moc"
