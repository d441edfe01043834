// The bare baseline of the footprint bench: a plain Qt Widgets program of the main window's
// shape (six pages, a grid, a status line with a clock, a tray icon with a menu) that does
// nothing else. Its clock runs every 100 ms without rest.
//
// Usage: footprint-bare [--tray]   (--tray: the window stays hidden, only the icon shows)

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("footprint-bare"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    const bool inTray = QApplication::arguments().contains(QStringLiteral("--tray"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt program"));
    window.setFixedSize(521, 361);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* tabs = new QTabWidget;
    for (int i = 1; i <= 6; ++i) {
        QWidget* page = new QWidget;
        if (i == 1) {
            auto* pageLayout = new QVBoxLayout(page);
            auto* grid = new QTableWidget(8, 5);
            for (int row = 0; row < grid->rowCount(); ++row) {
                for (int column = 0; column < grid->columnCount(); ++column) {
                    grid->setItem(row, column,
                                  new QTableWidgetItem(QStringLiteral("%1.%2").arg(row).arg(column)));
                }
            }
            pageLayout->addWidget(grid);
        }
        tabs->addTab(page, QStringLiteral("Page %1").arg(i));
    }
    layout->addWidget(tabs);

    auto* status = new QHBoxLayout;
    auto* eventLabel = new QLabel(QStringLiteral("No events today"));
    auto* dateLabel = new QLabel(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    auto* clockLabel = new QLabel;
    status->addWidget(eventLabel, 1);
    status->addWidget(dateLabel);
    status->addWidget(clockLabel);
    layout->addLayout(status);

    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, clockLabel, [clockLabel] {
        clockLabel->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    });
    clock.start(100);

    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("Show")), &QAction::triggered, &window, [&window] {
        window.showNormal();
        window.activateWindow();
    });
    menu.addAction(QStringLiteral("Timer"));
    menu.addAction(QStringLiteral("Options"));
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("Quit")), &QAction::triggered, &app, &QApplication::quit);

    QPixmap iconPixmap(16, 16);
    iconPixmap.fill(Qt::darkBlue);
    QSystemTrayIcon tray{QIcon(iconPixmap)};
    tray.setToolTip(QStringLiteral("Bare Qt program"));
    tray.setContextMenu(&menu);
    tray.show();

    if (!inTray) {
        window.show();
    }
    return QApplication::exec();
}
