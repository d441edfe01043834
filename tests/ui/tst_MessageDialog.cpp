#include "ui/app/MessageDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

using domora::MessageDialog;

namespace {

const QString Forced = QStringLiteral("Форсировано");

QPushButton* button(MessageDialog& dialog, int number) {
    return dialog.findChild<QPushButton*>(QStringLiteral("Button%1").arg(number));
}

// Shows the dialog and, once it is up, hands it to answer. A dialog the answer leaves open is
// closed after a while, so a fault fails the test instead of hanging it.
void showAndAnswer(MessageDialog& dialog, const QString& text, int kind, unsigned char buttons,
                   const QString& lastCaption, const std::function<void()>& answer) {
    QTimer::singleShot(0, &dialog, [&dialog, answer] {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.DialogResult(), 0);
        answer();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, &QWidget::hide);
    watchdog.start(5000);
    dialog.ShowMessageDialog(text, kind, buttons, lastCaption);
    QVERIFY(watchdog.isActive());
    QVERIFY(!dialog.isVisible());
}

} // namespace

class TestMessageDialog : public QObject {
    Q_OBJECT
    MessageDialog dialog; // one dialog for the whole run, as in the program

private slots:
    // Owned by the desktop, above every window, three different pictures for the kinds.
    void window() {
        QCOMPARE(dialog.parent(), nullptr);
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(dialog.ImageList1().size(), 3);
        QVERIFY(dialog.ImageList1()[0].toImage() != dialog.ImageList1()[1].toImage());
        QVERIFY(dialog.ImageList1()[1].toImage() != dialog.ImageList1()[2].toImage());
    }

    // A long message is cut: the dialog keeps the size of a short one and stays centred.
    void longTextKeepsTheSize() {
        showAndAnswer(dialog, "Текст", 0, 1, {}, [this] { button(dialog, 1)->click(); });
        const QSize size = dialog.size();
        const QString text = QStringLiteral("Вы действительно хотите удалить это задание? ").repeated(30);
        showAndAnswer(dialog, text, 0, 19, {}, [this, size] {
            QCOMPARE(dialog.size(), size);
            const QPoint offset =
                dialog.frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
            QVERIFY(offset.manhattanLength() <= 2);
            button(dialog, 1)->click();
        });
    }

    void buttonSets_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("lastCaption");
        QTest::addColumn<QStringList>("captions"); // Button1..3; empty when hidden
        QTest::addColumn<int>("focus");
        // Rows run in order on one dialog: a row without lastCaption follows one with it.
        QTest::newRow("1 last") << 1 << Forced << QStringList{Forced, "", ""} << 1;
        QTest::newRow("0 shows Ok") << 0 << "" << QStringList{"Ok", "", ""} << 1;
        QTest::newRow("7 last") << 7 << Forced << QStringList{"Ok", "Отмена", Forced} << 2;
        QTest::newRow("3") << 3 << "" << QStringList{"Ok", "Отмена", ""} << 2;
        QTest::newRow("19") << 19 << "" << QStringList{"Ok", "Отмена", "Да все"} << 2;
        QTest::newRow("23 Все wins") << 23 << "" << QStringList{"Ok", "Отмена", "Все"} << 2;
        QTest::newRow("4 without 2") << 4 << "" << QStringList{"Ok", "", "Все"} << 1;
    }
    void buttonSets() {
        QFETCH(int, buttons);
        QFETCH(QString, lastCaption);
        QFETCH(QStringList, captions);
        QFETCH(int, focus);
        showAndAnswer(dialog, "Текст", 1, static_cast<unsigned char>(buttons), lastCaption, [&] {
            for (int number = 1; number <= 3; ++number) {
                QPushButton* b = button(dialog, number);
                QCOMPARE(b->isVisible() ? b->text() : QString(), captions[number - 1]);
            }
            QCOMPARE(dialog.focusWidget(), button(dialog, focus));
            button(dialog, 1)->click();
        });
    }

    void results_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("action"); // "1".."3" click that button, or a way of closing
        QTest::addColumn<int>("result");
        QTest::newRow("1: Ok") << 1 << "1" << 1;
        QTest::newRow("1: close box") << 1 << "close" << 4;
        QTest::newRow("1: Enter") << 1 << "enter" << 1;
        QTest::newRow("3: Отмена") << 3 << "2" << 2;
        QTest::newRow("3: Enter") << 3 << "enter" << 2;
        QTest::newRow("19: third") << 19 << "3" << 3;
        QTest::newRow("19: Escape") << 19 << "escape" << 4;
        QTest::newRow("19: hidden by the program") << 19 << "hide" << 4;
        QTest::newRow("4 without 2: Enter") << 4 << "enter" << 1;
    }
    void results() {
        QFETCH(int, buttons);
        QFETCH(QString, action);
        QFETCH(int, result);
        showAndAnswer(dialog, "Текст", 0, static_cast<unsigned char>(buttons), Forced, [&] {
            if (action == "close") {
                dialog.close();
            } else if (action == "hide") {
                dialog.hide();
            } else if (action == "enter" || action == "escape") {
                QTest::keyClick(QApplication::focusWidget(),
                                action == "enter" ? Qt::Key_Return : Qt::Key_Escape);
            } else {
                button(dialog, action.toInt())->click();
            }
        });
        QCOMPARE(dialog.DialogResult(), result);
    }

    // Kinds 0..3 pick caption and picture; any other keeps the ones shown before.
    void kinds_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("picture");
        QTest::newRow("2") << 3 << 2 << "Ошибка..." << 1;
        QTest::newRow("3") << 0 << 3 << "Информация..." << 2;
        QTest::newRow("9 keeps Ошибка") << 2 << 9 << "Ошибка..." << 1;
        QTest::newRow("-1 keeps Удаление") << 0 << -1 << "Удаление..." << 0;
    }
    void kinds() {
        QFETCH(int, before);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(int, picture);
        for (const int k : {before, kind}) {
            showAndAnswer(dialog, "Текст", k, 1, {}, [this] { button(dialog, 1)->click(); });
        }
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.findChild<QLabel*>("Image1")->pixmap().toImage(),
                 dialog.ImageList1()[picture].toImage());
    }

    // A second message while one is open leaves the open one alone and reads 0.
    void secondMessageWhileOpen() {
        showAndAnswer(dialog, "Первое", 0, 19, {}, [this] {
            dialog.ShowMessageDialog("Второе", 3, 1, Forced);
            QCOMPARE(dialog.DialogResult(), 0);
            QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QStringLiteral("Первое"));
            QCOMPARE(button(dialog, 3)->text(), QStringLiteral("Да все"));
            QVERIFY(dialog.isVisible());
            button(dialog, 3)->click();
        });
        QCOMPARE(dialog.DialogResult(), 3);
    }
};

QTEST_MAIN(TestMessageDialog)
#include "tst_MessageDialog.moc"
