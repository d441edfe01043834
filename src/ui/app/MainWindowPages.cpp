// The main window's frame: its pages, the program's part of the Options page, the About
// page, the status line and the timers, laid out at fixed places on a client area of
// 521 x 361 pixels.

#include "platform/Platform.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MinuteTimer.h"
#include "ui/app/Place.h"
#include "ui/app/Resources.h"
#include "ui/app/WrapCheckBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QUrl>

namespace domora {

namespace {

constexpr int kClientWidth = 521;
constexpr int kClientHeight = 361;
constexpr int kStatusTop = 338;

constexpr char kSiteAddress[] = "http://www.tervo.example/domora";
constexpr char kMailAddress[] = "domora@tervo.example";

// A label that opens an address through the desktop; a failure is not reported.
QLabel* link(QWidget* parent, const char* name, const QString& shown, const QString& url, int x, int y,
             int w) {
    QLabel* result = label(parent, QStringLiteral("<a href=\"%1\">%2</a>").arg(url, shown.toHtmlEscaped()), x,
                           y, w, 18, name);
    result->setTextFormat(Qt::RichText);
    result->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(result, &QLabel::linkActivated, result,
                     [](const QString& target) { QDesktopServices::openUrl(QUrl(target)); });
    return result;
}

} // namespace

void MainWindow::buildWindow() {
    setWindowTitle(QStringLiteral("Domora Lite 2003"));
    setWindowIcon(QIcon(Picture("domora.png")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    centreOnScreen(*this);

    pages_ = place(new QTabWidget(this), "PageControl1", 2, 2, kClientWidth - 4, kStatusTop - 4);
    struct PageDefinition {
        const char* name;
        QString caption;
    };
    const PageDefinition definitions[kPageCount] = {
        {"TabSheet1", QStringLiteral("Напоминания")}, {"TabSheet2", QStringLiteral("Опции")},
        {"TabSheet3", QStringLiteral("Сервис")},      {"TabSheet4", QStringLiteral("Время в мире")},
        {"TabSheet5", QStringLiteral("Система")},     {"TabSheet6", QStringLiteral("О программе")},
    };
    for (std::size_t index = 0; index < pageWidgets_.size(); ++index) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(definitions[index].name));
        pageWidgets_[index] = page;
        pages_->addTab(page, definitions[index].caption);
    }
    buildRemindersPage();
    buildOptionsPage();
    buildAboutPage();

    buildStatusLine();
    buildTimers();
    buildPopupMenu();
    buildTray();
}

// The page "Напоминания" holds the inner pages of the holidays, the alarms with the
// countdown, and the tasks.
QWidget* MainWindow::buildRemindersPage() {
    QWidget* page = pageWidgets_[static_cast<std::size_t>(Page::Reminders)];
    reminderSheets_ = place(new QTabWidget(page), "PageControl2", 2, 2, kClientWidth - 14, kStatusTop - 36);
    reminderSheets_->setTabPosition(QTabWidget::South);
    const char* names[] = {"TabSheet8", "TabSheet9", "TabSheet10"};
    const QString captions[] = {QStringLiteral("Праздники"), QStringLiteral("Будильники и Таймер"),
                                QStringLiteral("Задания")};
    for (int i = 0; i < 3; ++i) {
        auto* inner = new QWidget;
        inner->setObjectName(QString::fromLatin1(names[i]));
        reminderSheets_->addTab(inner, captions[i]);
    }
    return page;
}

// The program's own options: the start page and mode, autostart, on top, keyboard, and
// "Ok" (made after the modules' sections, last in the tab order).
QWidget* MainWindow::buildOptionsPage() {
    QWidget* page = pageWidgets_[static_cast<std::size_t>(Page::Options)];

    QGroupBox* start = group(page, QStringLiteral("При запуске отображается:"), 4, 2, 160, 48);
    startPageCombo_ = place(new QComboBox(start), "ComboBox1", 8, 20, 144, 22);
    startPageCombo_->setEditable(true);
    startPageCombo_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* name : kStartPages) {
        startPageCombo_->addItem(QString::fromUtf8(name));
    }
    autoStartCheck_ = check(page, "CheckBox1", QStringLiteral("Автозапуск"), 10, 56, 150);
    onTopCheck_ = check(page, "CheckBox2", QStringLiteral("Поверх всех окон"), 10, 76, 150);

    QGroupBox* how = group(page, QStringLiteral("Запускать Domora:"), 170, 2, 166, 94);
    asWindowRadio_ = place(new QRadioButton(QStringLiteral("Как окно"), how), "RadioButton1", 8, 20, 150, 18);
    inTrayRadio_ =
        place(new QRadioButton(QStringLiteral("Как значёк в TaskTray"), how), "RadioButton2", 8, 44, 150, 18);
    minimisedRadio_ =
        place(new QRadioButton(QStringLiteral("Минимизировано"), how), "RadioButton3", 8, 68, 150, 18);

    QGroupBox* keyboard = group(page, QStringLiteral("Клавиатура:"), 342, 2, 167, 94);
    russianKeyboardCheck_ = place(
        new WrapCheckBox(QStringLiteral("Включать русскую раскладку клавиатуры автоматически "), keyboard),
        "CheckBox5", 8, 20, 152, 48);
    capitalNamesCheck_ = check(keyboard, "CheckBox6", QStringLiteral("ФИО с большой буквы"), 8, 70, 150);
    capitalNamesCheck_->setVisible(false);

    return page;
}

QWidget* MainWindow::buildAboutPage() {
    QWidget* page = pageWidgets_[static_cast<std::size_t>(Page::About)];
    QLabel* icon = label(page, QString(), 16, 14, 32, 32);
    icon->setPixmap(Picture("domora.png"));
    QLabel* title = label(page, QStringLiteral("Domora Lite 2003"), 60, 10, 300, 22);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    label(page, QStringLiteral("Многофункциональный временной процессор"), 60, 32, 400, 18);

    QLabel* makerHeading = label(page, QStringLiteral("Создатель:"), 16, 64, 120, 18);
    QFont bold = makerHeading->font();
    bold.setBold(true);
    makerHeading->setFont(bold);
    label(page, QStringLiteral("Tervo: программа, рисунки и звуки"), 140, 64, 360, 18);
    QLabel* thanksHeading = label(page, QStringLiteral("Благодарности:"), 16, 86, 120, 18);
    thanksHeading->setFont(bold);
    QLabel* thanks = label(page,
                           QStringLiteral("всем, кто пользовался программой и присылал сообщения об ошибках "
                                          "и пожелания."),
                           140, 86, 360, 36);
    thanks->setWordWrap(true);

    label(page, QStringLiteral("Заходите на сайт"), 16, 132, 120, 18);
    link(page, "LinkSite", QString::fromLatin1(kSiteAddress), QString::fromLatin1(kSiteAddress), 140, 132,
         300);
    label(page, QStringLiteral("Написать письмо"), 16, 152, 120, 18);
    link(page, "LinkMail", QString::fromLatin1(kMailAddress),
         QStringLiteral("mailto:%1?subject=%2")
             .arg(QString::fromLatin1(kMailAddress), QStringLiteral("Ошибка")),
         140, 152, 300);

    appealLabel1_ = label(page,
                          QStringLiteral("Программа распространяется бесплатно. Если она Вам пригодилась, "
                                         "расскажите о ней друзьям."),
                          16, 190, 480, 36, "AppealLabel1");
    appealLabel1_->setWordWrap(true);
    appealLabel2_ = label(page,
                          QStringLiteral("Нашли ошибку или знаете, чего не хватает? Напишите нам: "
                                         "каждое письмо прочитано."),
                          16, 230, 480, 36, "AppealLabel2");
    appealLabel2_->setWordWrap(true);
    dedicationLabel_ =
        label(page,
              QStringLiteral("Посвящается тем, кто каждое утро встаёт по будильнику и всё равно "
                             "всё успевает."),
              16, 190, 480, 76, "DedicationLabel");
    dedicationLabel_->setWordWrap(true);
    dedicationLabel_->setAlignment(Qt::AlignCenter);
    dedicationLabel_->setFont(big);
    dedicationLabel_->hide();
    return page;
}

void MainWindow::buildStatusLine() {
    dateField_ = field(this, "StData", QString(), 2, kStatusTop + 2, 76, 20);
    dateField_->setToolTip(QStringLiteral("Дата"));
    weekdayField_ = field(this, "StDay", QString(), 80, kStatusTop + 2, 90, 20);
    weekdayField_->setToolTip(QStringLiteral("День недели"));
    timeField_ = field(this, "StTime", QString(), 172, kStatusTop + 2, 62, 20);
    timeField_->setToolTip(QStringLiteral("Время"));
    connectionPicture_ = field(this, "Image2", QString(), 236, kStatusTop + 2, 22, 20);
    connectionPicture_->setPixmap(Picture("offline.png"));

    field(this, "StaticText40", QStringLiteral("НЕТ СОБЫТИЙ"), 260, kStatusTop + 2, 259, 20);
    eventLine_ = place(new QLineEdit(QStringLiteral("Ошибка!"), this), "Edit1", 260, kStatusTop + 1, 259, 22);
    eventLine_->setReadOnly(true);
    eventLine_->setToolTip(QStringLiteral("События"));
    QFont bold = eventLine_->font();
    bold.setBold(true);
    eventLine_->setFont(bold);
    eventLine_->raise();
}

void MainWindow::showConnection(bool online, const QString& hint) {
    if (online != connectionOnline_) {
        connectionOnline_ = online;
        connectionPicture_->setPixmap(Picture(online ? "online.png" : "offline.png"));
    }
    connectionPicture_->setToolTip(hint);
}

void MainWindow::buildTimers() {
    for (const TimerDefinition& definition : kTimers) {
        const int number = static_cast<int>(definition.id);
        auto* made = new IntervalTimer(QStringLiteral("Timer%1").arg(number), definition.intervalMs,
                                       definition.enabled, this);
        // Until the window is first on the screen.
        made->setResting(definition.onScreen);
        timers_.at(static_cast<std::size_t>(number)) = made;
    }
    minuteTimer_ = new MinuteTimer(platform_.clock(), platform_.createWallTimer(), this);
    connect(minuteTimer_, &MinuteTimer::minute, this, &MainWindow::minuteBeat);
    connect(&timer(TimerId::Clock), &IntervalTimer::timeout, this, &MainWindow::clockTick);
    connect(&timer(TimerId::Dedication), &IntervalTimer::timeout, this, &MainWindow::endDedication);
}

} // namespace domora
