#include "ui/timer/CountdownSetupDialog.h"

#include "core/app/TimeText.h"
#include "core/timer/Countdown.h"
#include "core/timer/RingMachine.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/sound/SoundPlayer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace domora {

namespace {

constexpr char kWidenCaption[] = "Муз.файл >>";
constexpr char kNarrowCaption[] = "<< Муз.файл";
// Hours, minutes and seconds; every digit may be left blank, shown as "_".
constexpr char kTimeMask[] = "90:00:00;_";

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w) {
    auto* result = place(new QPushButton(caption, parent), name, x, y, w, 25);
    // Enter is the dialog's "Ok" whatever has the focus: no button is a default one.
    result->setAutoDefault(false);
    return result;
}

QLineEdit* timeEdit(QWidget* parent, const char* name, int x, int y) {
    auto* edit = place(new QLineEdit(parent), name, x, y, 56, 21);
    edit->setInputMask(QString::fromLatin1(kTimeMask));
    edit->setText(QStringLiteral("00:00:00"));
    return edit;
}

// The field's eight characters with a blank where nothing is typed.
std::string fieldText(const QLineEdit* field) {
    QString text = field->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text.toStdString();
}

QString joined(const SplitTime& time) {
    return QString::fromStdString(time.hours + ":" + time.minutes + ":" + time.seconds);
}

// "Описание(*.a;*.b)|*.a;*.b|..." as Qt's filters "Описание(*.a *.b);;...": Qt reads the
// masks from the parentheses, separated by blanks.
QString qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        const QString name = open >= 0 ? description.left(open) : description + QLatin1Char(' ');
        result << name + QLatin1Char('(') +
                      QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result.join(QStringLiteral(";;"));
}

} // namespace

CountdownSetupDialog::CountdownSetupDialog(TimerSound& sound, SoundPlayer& player, MessageBoxes& boxes,
                                           std::string standardWav)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      sound_(sound), player_(player), boxes_(boxes), standardWav_(std::move(standardWav)) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Установить таймер..."));
    setModal(true);
    buildWindow();
    chooseFile = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(this, QString(), QString(), qtFilters(filter));
    };
    FormCreate();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void CountdownSetupDialog::buildWindow() {
    RadioButton1 = place(new QRadioButton(QStringLiteral("Установить стандартный таймер на:"), this),
                         "RadioButton1", 10, 10, 300, 18);
    RadioButton1->setChecked(true);
    ComboBox1 = place(new QComboBox(this), "ComboBox1", 28, 32, 160, 22);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(static_cast<int>(kComboPresets.size()));
    for (const ComboPreset& preset : kComboPresets) {
        ComboBox1->addItem(QString::fromUtf8(preset.text.data(), static_cast<qsizetype>(preset.text.size())));
    }
    ComboBox1->setCurrentIndex(0); // "<Нет таймера>"

    RadioButton2 =
        place(new QRadioButton(QStringLiteral("Мой таймер"), this), "RadioButton2", 10, 66, 300, 18);
    MaskEdit1 = timeEdit(this, "MaskEdit1", 28, 88);
    connect(RadioButton1, &QRadioButton::clicked, this, &CountdownSetupDialog::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &CountdownSetupDialog::RadioButton2Click);

    SpeedButton1 = button(this, "SpeedButton1", QStringLiteral("Ok"), 10, kHeight - 37, 92);
    SpeedButton2 = button(this, "SpeedButton2", QStringLiteral("Закрыть"), 108, kHeight - 37, 92);
    SpeedButton6 = button(this, "SpeedButton6", QString::fromUtf8(kWidenCaption), 206, kHeight - 37, 102);
    connect(SpeedButton1, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton2Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton6Click);

    // The music panel, right of the narrow form's edge.
    Panel1 =
        place(new QFrame(this), "Panel1", kNarrowWidth + 2, 6, kWideWidth - kNarrowWidth - 6, kHeight - 12);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    place(new QLabel(QStringLiteral("Время проигрования"), Panel1), nullptr, 6, 10, 212, 20);
    MaskEdit2 = timeEdit(Panel1, "MaskEdit2", 220, 10);
    place(new QLabel(QStringLiteral("С паузами между повторами"), Panel1), nullptr, 6, 38, 212, 20);
    MaskEdit3 = timeEdit(Panel1, "MaskEdit3", 220, 38);
    place(new QLabel(QStringLiteral("Время проигрования выбранного файла:"), Panel1), nullptr, 6, 66, 212,
          20);
    StaticText1 = place(new QLabel(QStringLiteral("00:00:00"), Panel1), "StaticText1", 220, 66, 56, 20);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setAlignment(Qt::AlignCenter);
    SpeedButton4 = button(Panel1, "SpeedButton4", QStringLiteral("Принять время файла"), 6, 94, 150);
    SpeedButton3 = button(Panel1, "SpeedButton3", QStringLiteral("Обзор..."), 162, 94, 114);
    SpeedButton5 = button(Panel1, "SpeedButton5", QStringLiteral("Стандартный муз.файл"), 6, 122, 270);
    connect(SpeedButton3, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton4Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &CountdownSetupDialog::SpeedButton5Click);

    // Key preview: the dialog sees Enter and Esc before any of its controls.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void CountdownSetupDialog::FormCreate() {
    MaskEdit1->setEnabled(false);
    ComboBox1->setEnabled(true);
    setFixedSize(kNarrowWidth, kHeight);
    SpeedButton5Click();
}

void CountdownSetupDialog::RadioButton1Click() {
    MaskEdit1->setEnabled(false);
    ComboBox1->setEnabled(true);
}

void CountdownSetupDialog::RadioButton2Click() {
    MaskEdit1->setEnabled(true);
    ComboBox1->setEnabled(false);
}

std::optional<std::int32_t> CountdownSetupDialog::readTimeField(QLineEdit* field, const QString& name,
                                                                bool blankPairIsZero) {
    const TimeTextReading reading =
        TimeTextToMs(fieldText(field), blankPairIsZero ? BlankPair::Zero : BlankPair::Invalid);
    if (reading.ms) {
        return reading.ms;
    }
    QString pair = QString::fromStdString(reading.badPair);
    pair.replace(QLatin1Char(' '), QLatin1Char('_'));
    boxes_.error(this, QStringLiteral("Неверное время в поле \"%1\": \"%2\" - не число.\n"
                                      "Введите часы, минуты и секунды цифрами: чч:мм:сс.")
                           .arg(name, pair));
    field->setFocus();
    return std::nullopt;
}

// "Ok": the duration, the countdown started afresh, the sound's play and pause times, close.
void CountdownSetupDialog::SpeedButton1Click() {
    const bool preset = RadioButton1->isChecked();
    std::optional<std::int32_t> typed;
    if (!preset) {
        typed = readTimeField(MaskEdit1, RadioButton2->text(), true);
        if (!typed) {
            return;
        }
    }
    const std::optional<std::int32_t> play =
        readTimeField(MaskEdit2, QStringLiteral("Время проигрования"), false);
    if (!play) {
        return;
    }
    const std::optional<std::int32_t> pause =
        readTimeField(MaskEdit3, QStringLiteral("С паузами между повторами"), false);
    if (!pause) {
        return;
    }

    std::int32_t duration = 0;
    if (preset) {
        const PresetReading reading = PresetToMs(ComboBox1->currentText().toStdString());
        if (!reading.message.empty()) {
            boxes_.information(this, QString::fromStdString(reading.message));
        }
        duration = reading.ms;
    } else {
        duration = *typed;
    }
    emit countdownChosen(duration);
    sound_.PlayTime = *play;
    sound_.PauseTime = *pause;
    accept();
}

void CountdownSetupDialog::SpeedButton2Click() {
    reject();
}

// "Обзор...": the chosen file (or, when none is chosen, the one set) is opened in the expiry
// window's player, and its length becomes the play time.
void CountdownSetupDialog::SpeedButton3Click() {
    const QString chosen = chooseFile(QString::fromUtf8(kMusicFilter));
    const QString path = chosen.isEmpty() ? QString::fromStdString(sound_.TimerWav) : chosen;
    if (!player_.open(path)) {
        // A file that cannot be played is not taken: the sound set before stays.
        boxes_.error(this, QStringLiteral("Файл \"%1\" не удаётся воспроизвести.").arg(path));
        return;
    }
    sound_.TimerWav = path.toStdString();
    const qint64 length = std::min<qint64>(player_.lengthMs(), std::numeric_limits<std::int32_t>::max());
    sound_.PlayTime = static_cast<std::int32_t>(length);
    StaticText1->setText(joined(SplitMs(sound_.PlayTime)));
}

void CountdownSetupDialog::SpeedButton4Click() {
    MaskEdit2->setText(StaticText1->text());
    MaskEdit3->setText(QStringLiteral("00:00:02"));
}

void CountdownSetupDialog::SpeedButton5Click() {
    MaskEdit2->setText(QStringLiteral("00:00:02"));
    MaskEdit3->setText(QStringLiteral("00:00:01"));
    sound_.PlayTime = 2000;
    StaticText1->setText(QStringLiteral("00:00:02"));
    sound_.TimerWav = standardWav_;
}

void CountdownSetupDialog::SpeedButton6Click() {
    if (SpeedButton6->text() == QString::fromUtf8(kWidenCaption)) {
        setFixedSize(kWideWidth, kHeight);
        SpeedButton6->setText(QString::fromUtf8(kNarrowCaption));
    } else {
        setFixedSize(kNarrowWidth, kHeight);
        SpeedButton6->setText(QString::fromUtf8(kWidenCaption));
    }
}

bool CountdownSetupDialog::FormKeyPress(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SpeedButton1Click();
        return true;
    case Qt::Key_Escape:
        SpeedButton2Click();
        return true;
    default:
        return false;
    }
}

void CountdownSetupDialog::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyPress(event->key())) {
        QDialog::keyPressEvent(event);
    }
}

bool CountdownSetupDialog::eventFilter(QObject* watched, QEvent* event) {
    // An open list of ComboBox1 is a window of its own and keeps its keys.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget != nullptr && widget->window() == this &&
        FormKeyPress(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace domora
