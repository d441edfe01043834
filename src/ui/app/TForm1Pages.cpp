// The main window's pages, status line and timers, laid out at fixed places on a client
// area of 521 x 361 pixels.

#include "ui/app/Place.h"
#include "ui/app/TForm1.h"
#include "ui/app/WrapCheckBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>

#include <map>
#include <utility>

namespace domora {

namespace {

constexpr int kClientWidth = 521;
constexpr int kClientHeight = 361;
constexpr int kStatusTop = 338;

constexpr char kSiteAddress[] = "http://www.tervo.example/domora";
constexpr char kMailAddress[] = "domora@tervo.example";

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h, const char* name = nullptr) {
    return place(new QLabel(text, parent), name, x, y, w, h);
}

// A framed read-only field, as the status line and the clocks use.
QLabel* field(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    QLabel* result = label(parent, text, x, y, w, h, name);
    result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    result->setAlignment(Qt::AlignCenter);
    return result;
}

QGroupBox* group(QWidget* parent, const QString& title, int x, int y, int w, int h) {
    return place(new QGroupBox(title, parent), nullptr, x, y, w, h);
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 18) {
    return place(new QCheckBox(text, parent), name, x, y, w, h);
}

QLineEdit* numberEdit(QWidget* parent, const char* name, int x, int y) {
    QLineEdit* edit = place(new QLineEdit(QStringLiteral("1"), parent), name, x, y, 40, 20);
    edit->setMaxLength(10);
    return edit;
}

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

void TForm1::buildWindow() {
    setWindowTitle(QStringLiteral("Domora Lite 2003"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/domora.png")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    PageControl1 = place(new QTabWidget(this), "PageControl1", 2, 2, kClientWidth - 4, kStatusTop - 4);
    PageControl1->addTab(buildRemindersPage(), QStringLiteral("Напоминания"));
    PageControl1->addTab(buildOptionsPage(), QStringLiteral("Опции"));
    PageControl1->addTab(buildServicePage(), QStringLiteral("Сервис"));
    PageControl1->addTab(buildWorldTimePage(), QStringLiteral("Время в мире"));
    PageControl1->addTab(buildSystemPage(), QStringLiteral("Система"));
    PageControl1->addTab(buildAboutPage(), QStringLiteral("О программе"));

    buildStatusLine();
    buildTimers();
    buildPopupMenu();
    buildTray();
}

QWidget* TForm1::buildRemindersPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    PageControl2 = place(new QTabWidget(page), "PageControl2", 2, 2, kClientWidth - 14, kStatusTop - 36);
    PageControl2->setTabPosition(QTabWidget::South);
    const char* names[] = {"TabSheet8", "TabSheet9", "TabSheet10"};
    const QString captions[] = {QStringLiteral("Праздники"), QStringLiteral("Будильники и Таймер"),
                                QStringLiteral("Задания")};
    for (int i = 0; i < 3; ++i) {
        auto* inner = new QWidget;
        inner->setObjectName(QString::fromLatin1(names[i]));
        PageControl2->addTab(inner, captions[i]);
    }
    return page;
}

QWidget* TForm1::buildOptionsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));

    QGroupBox* start = group(page, QStringLiteral("При запуске отображается:"), 4, 2, 160, 48);
    ComboBox1 = place(new QComboBox(start), "ComboBox1", 8, 20, 144, 22);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("Напоминания"), QStringLiteral("Опции"), QStringLiteral("Сервис"),
                         QStringLiteral("Время в мире"), QStringLiteral("Система")});
    CheckBox1 = check(page, "CheckBox1", QStringLiteral("Автозапуск"), 10, 56, 150);
    CheckBox2 = check(page, "CheckBox2", QStringLiteral("Поверх всех окон"), 10, 76, 150);

    QGroupBox* how = group(page, QStringLiteral("Запускать Domora:"), 170, 2, 166, 94);
    RadioButton1 = place(new QRadioButton(QStringLiteral("Как окно"), how), "RadioButton1", 8, 20, 150, 18);
    RadioButton2 =
        place(new QRadioButton(QStringLiteral("Как значёк в TaskTray"), how), "RadioButton2", 8, 44, 150, 18);
    RadioButton3 =
        place(new QRadioButton(QStringLiteral("Минимизировано"), how), "RadioButton3", 8, 68, 150, 18);

    QGroupBox* keyboard = group(page, QStringLiteral("Клавиатура:"), 342, 2, 167, 94);
    CheckBox5 = place(
        new WrapCheckBox(QStringLiteral("Включать русскую раскладку клавиатуры автоматически "), keyboard),
        "CheckBox5", 8, 20, 152, 48);
    CheckBox6 = check(keyboard, "CheckBox6", QStringLiteral("ФИО с большой буквы"), 8, 70, 150);
    CheckBox6->setVisible(false);

    QGroupBox* sync = group(page, QStringLiteral("Синхронизация времени"), 4, 98, 505, 80);
    CheckBox7 =
        check(sync, "CheckBox7",
              QStringLiteral("Синхронизировать время при  устоновке удалённого соединения"), 8, 18, 490);
    CheckBox8 = check(sync, "CheckBox8", QStringLiteral("Выдать сообщение о ходе синхронизации"), 8, 36, 490);
    label(sync, QStringLiteral("Сервер"), 8, 56, 44, 20);
    ComboBox3 = place(new QComboBox(sync), "ComboBox3", 54, 54, 150, 22);
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    SpeedButton38 =
        place(new QPushButton(QStringLiteral("Добавить сервер..."), sync), "SpeedButton38", 210, 53, 134, 24);
    SpeedButton46 = place(new QPushButton(QStringLiteral("Синхронизировать сейчас"), sync), "SpeedButton46",
                          348, 53, 150, 24);
    // The server list and the synchronisation come with the time services.
    SpeedButton38->setEnabled(false);
    SpeedButton46->setEnabled(false);

    QGroupBox* balance =
        group(page, QStringLiteral("Выводить сообщение о низком балансе счёта Dial-up, если менее:"), 4, 180,
              505, 106);
    struct Row {
        QCheckBox** box;
        const char* boxName;
        QLineEdit** edit;
        const char* editName;
        QString unit;
    };
    const Row rows[] = {{&CheckBox9, "CheckBox9", &Edit3, "Edit3", QStringLiteral("$")},
                        {&CheckBox10, "CheckBox10", &Edit4, "Edit4", QStringLiteral("дневных часов")},
                        {&CheckBox12, "CheckBox12", &Edit6, "Edit6", QStringLiteral("вечерних часов")},
                        {&CheckBox11, "CheckBox11", &Edit5, "Edit5", QStringLiteral("ночных часов")}};
    int y = 20;
    for (const Row& row : rows) {
        *row.box = check(balance, row.boxName, QString(), 8, y + 1, 18);
        *row.edit = numberEdit(balance, row.editName, 28, y);
        label(balance, row.unit, 72, y, 100, 20);
        y += 21;
    }
    label(balance, QStringLiteral("Баланс:"), 180, 20, 200, 18);
    StaticText56 = field(balance, "StaticText56", QStringLiteral("0"), 390, 20, 70, 18);
    label(balance, QStringLiteral("Сейчас один час стоит"), 180, 41, 200, 18);
    StaticText58 = field(balance, "StaticText58", QStringLiteral("0"), 390, 41, 70, 18);
    label(balance, QStringLiteral("Последний сеанс связи длился и стоил"), 180, 62, 206, 18);
    StaticText39 = field(balance, "StaticText39", QStringLiteral("00:00:00"), 390, 62, 58, 18);
    StaticText57 = field(balance, "StaticText57", QStringLiteral("0,00"), 450, 62, 36, 18);
    label(balance, QStringLiteral("$"), 490, 62, 10, 18);
    SpeedButton47 =
        place(new QPushButton(QStringLiteral("Настройки..."), balance), "SpeedButton47", 180, 80, 110, 22);
    // The tariffs are edited by the balance program, which comes with the balance accounting.
    SpeedButton47->setEnabled(false);

    Button1 = place(new QPushButton(QStringLiteral("Ok"), page), "Button1", 429, 289, 80, 22);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    return page;
}

QWidget* TForm1::buildServicePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    QGroupBox* time = group(page, QStringLiteral("Время"), 4, 2, 120, 46);
    StaticText26 = field(time, "StaticText26", QString(), 8, 20, 104, 18);
    QGroupBox* date = group(page, QStringLiteral("Дата"), 128, 2, 120, 46);
    StaticText27 = field(date, "StaticText27", QString(), 8, 20, 104, 18);
    return page;
}

QWidget* TForm1::buildWorldTimePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    struct City {
        const char* display;
        QString caption;
        std::int8_t offset;
    };
    // Page order, west to east within each column.
    const City cities[] = {
        {"StaticText12", QStringLiteral("Гринвич, Лондон (GMT)"), 0},
        {"StaticText16", QStringLiteral("Киев"), 2},
        {"StaticText1", QStringLiteral("Стамбул"), 2},
        {"StaticText2", QStringLiteral("Рига, Талин"), 2},
        {"StaticText5", QStringLiteral("Претория"), 2},
        {"StaticText14", QStringLiteral("Минск"), 2},
        {"StaticText15", QStringLiteral("Севастополь"), 2},
        {"StaticText11", QStringLiteral("Москва"), 3},
        {"StaticText9", QStringLiteral("Екатеринбург"), 5},
        {"StaticText3", QStringLiteral("Красноярск"), 7},
        {"StaticText10", QStringLiteral("Гон-конг"), 8},
        {"StaticText8", QStringLiteral("Токио"), 9},
        {"StaticText7", QStringLiteral("Владивосток"), 10},
        {"StaticText6", QStringLiteral("Нью Йорк"), -5},
    };
    std::map<std::string, QLabel*> displays;
    int index = 0;
    for (const City& city : cities) {
        const int column = index / 7;
        const int row = index % 7;
        const int x = 6 + column * 252;
        const int top = 6 + row * 30;
        label(page, city.caption, x, top, 160, 22);
        displays[city.display] = field(page, city.display, QString(), x + 166, top + 2, 70, 18);
        ++index;
    }
    QLabel* cet = label(
        page,
        QStringLiteral("   Центральное европейское время             (CET: Амстердам, Рим,              "
                       " Париж, Мадрид, Берлин, Белград)"),
        258, 214, 160, 52);
    cet->setWordWrap(true);
    displays["StaticText13"] = field(page, "StaticText13", QString(), 424, 232, 70, 18);

    // The order the clock tick fills them in.
    const std::pair<const char*, std::int8_t> tickOrder[] = {
        {"StaticText16", 2}, {"StaticText1", 2},  {"StaticText14", 2}, {"StaticText15", 2},
        {"StaticText2", 2},  {"StaticText5", 2},  {"StaticText3", 7},  {"StaticText12", 0},
        {"StaticText7", 10}, {"StaticText8", 9},  {"StaticText9", 5},  {"StaticText10", 8},
        {"StaticText11", 3}, {"StaticText6", -5}, {"StaticText13", 1},
    };
    for (const auto& [name, offset] : tickOrder) {
        zoneClocks_.push_back({displays.at(name), offset});
    }
    return page;
}

QWidget* TForm1::buildSystemPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet5"));
    return page;
}

QWidget* TForm1::buildAboutPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet6"));
    QLabel* icon = label(page, QString(), 16, 14, 32, 32);
    icon->setPixmap(QPixmap(QStringLiteral(":/pictures/domora.png")));
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

    AppealLabel1 = label(page,
                         QStringLiteral("Программа распространяется бесплатно. Если она Вам пригодилась, "
                                        "расскажите о ней друзьям."),
                         16, 190, 480, 36, "AppealLabel1");
    AppealLabel1->setWordWrap(true);
    AppealLabel2 = label(page,
                         QStringLiteral("Нашли ошибку или знаете, чего не хватает? Напишите нам: "
                                        "каждое письмо прочитано."),
                         16, 230, 480, 36, "AppealLabel2");
    AppealLabel2->setWordWrap(true);
    DedicationLabel =
        label(page,
              QStringLiteral("Посвящается тем, кто каждое утро встаёт по будильнику и всё равно "
                             "всё успевает."),
              16, 190, 480, 76, "DedicationLabel");
    DedicationLabel->setWordWrap(true);
    DedicationLabel->setAlignment(Qt::AlignCenter);
    DedicationLabel->setFont(big);
    DedicationLabel->hide();
    return page;
}

void TForm1::buildStatusLine() {
    StData = field(this, "StData", QString(), 2, kStatusTop + 2, 76, 20);
    StData->setToolTip(QStringLiteral("Дата"));
    StDay = field(this, "StDay", QString(), 80, kStatusTop + 2, 90, 20);
    StDay->setToolTip(QStringLiteral("День недели"));
    StTime = field(this, "StTime", QString(), 172, kStatusTop + 2, 62, 20);
    StTime->setToolTip(QStringLiteral("Время"));
    Image2 = field(this, "Image2", QString(), 236, kStatusTop + 2, 22, 20);
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/offline.png")));

    NoEventsText = field(this, "StaticText40", QStringLiteral("НЕТ СОБЫТИЙ"), 260, kStatusTop + 2, 259, 20);
    Edit1 = place(new QLineEdit(QStringLiteral("Ошибка!"), this), "Edit1", 260, kStatusTop + 1, 259, 22);
    Edit1->setReadOnly(true);
    Edit1->setToolTip(QStringLiteral("События"));
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    Edit1->raise();
}

void TForm1::buildTimers() {
    struct Definition {
        int interval;
        bool enabled;
    };
    // Intervals and enabling at creation; the first activation enables the first seven.
    const Definition definitions[] = {{100, false},   {500, false},  {0, false}, {1000, false}, {1000, false},
                                      {10000, false}, {1000, false}, {0, true},  {10000, false}};
    int number = 1;
    for (const Definition& definition : definitions) {
        timers_.push_back(new IntervalTimer(QStringLiteral("Timer%1").arg(number), definition.interval,
                                            definition.enabled, this));
        ++number;
    }
    connect(timer(1), &IntervalTimer::timeout, this, &TForm1::Timer1Timer);
    connect(timer(9), &IntervalTimer::timeout, this, &TForm1::Timer9Timer);
}

} // namespace domora
