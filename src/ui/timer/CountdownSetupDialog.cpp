#include "ui/timer/CountdownSetupDialog.h"

#include "core/app/TimeText.h"
#include "core/timer/Countdown.h"
#include "core/timer/RingMachine.h"
#include "ui/app/FileFilters.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/sound/SoundPlayer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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
        return QFileDialog::getOpenFileName(this, QString(), QString(), qtFileFilters(filter));
    };
    myTimerEdit_->setEnabled(false);
    presetList_->setEnabled(true);
    setFixedSize(kNarrowWidth, kHeight);
    useStandardMusic();
    centreOnScreen(*this);
}

void CountdownSetupDialog::buildWindow() {
    presetRadio_ = place(new QRadioButton(QStringLiteral("Установить стандартный таймер на:"), this),
                         "RadioButton1", 10, 10, 300, 18);
    presetRadio_->setChecked(true);
    presetList_ = place(new QComboBox(this), "ComboBox1", 28, 32, 160, 22);
    presetList_->setEditable(true);
    presetList_->setInsertPolicy(QComboBox::NoInsert);
    presetList_->setMaxVisibleItems(static_cast<int>(kComboPresets.size()));
    for (const ComboPreset& preset : kComboPresets) {
        presetList_->addItem(
            QString::fromUtf8(preset.text.data(), static_cast<qsizetype>(preset.text.size())));
    }
    presetList_->setCurrentIndex(0); // "<Нет таймера>"

    myTimerRadio_ =
        place(new QRadioButton(QStringLiteral("Мой таймер"), this), "RadioButton2", 10, 66, 300, 18);
    myTimerEdit_ = timeEdit(this, "MaskEdit1", 28, 88);
    connect(presetRadio_, &QRadioButton::clicked, this, &CountdownSetupDialog::presetChosen);
    connect(myTimerRadio_, &QRadioButton::clicked, this, &CountdownSetupDialog::myTimerChosen);

    okButton_ = button(this, "SpeedButton1", QStringLiteral("Ok"), 10, kHeight - 37, 92);
    closeButton_ = button(this, "SpeedButton2", QStringLiteral("Закрыть"), 108, kHeight - 37, 92);
    musicButton_ = button(this, "SpeedButton6", QString::fromUtf8(kWidenCaption), 206, kHeight - 37, 102);
    connect(okButton_, &QPushButton::clicked, this, &CountdownSetupDialog::confirm);
    connect(closeButton_, &QPushButton::clicked, this, &CountdownSetupDialog::reject);
    connect(musicButton_, &QPushButton::clicked, this, &CountdownSetupDialog::toggleMusicPanel);

    // The music panel, right of the narrow form's edge.
    musicPanel_ =
        place(new QFrame(this), "Panel1", kNarrowWidth + 2, 6, kWideWidth - kNarrowWidth - 6, kHeight - 12);
    musicPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    place(new QLabel(QStringLiteral("Время проигрования"), musicPanel_), nullptr, 6, 10, 212, 20);
    playTimeEdit_ = timeEdit(musicPanel_, "MaskEdit2", 220, 10);
    place(new QLabel(QStringLiteral("С паузами между повторами"), musicPanel_), nullptr, 6, 38, 212, 20);
    pauseEdit_ = timeEdit(musicPanel_, "MaskEdit3", 220, 38);
    place(new QLabel(QStringLiteral("Время проигрования выбранного файла:"), musicPanel_), nullptr, 6, 66,
          212, 20);
    fileTimeText_ =
        place(new QLabel(QStringLiteral("00:00:00"), musicPanel_), "StaticText1", 220, 66, 56, 20);
    fileTimeText_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    fileTimeText_->setAlignment(Qt::AlignCenter);
    takeFileTimeButton_ =
        button(musicPanel_, "SpeedButton4", QStringLiteral("Принять время файла"), 6, 94, 150);
    browseButton_ = button(musicPanel_, "SpeedButton3", QStringLiteral("Обзор..."), 162, 94, 114);
    standardButton_ =
        button(musicPanel_, "SpeedButton5", QStringLiteral("Стандартный муз.файл"), 6, 122, 270);
    connect(browseButton_, &QPushButton::clicked, this, &CountdownSetupDialog::chooseMusic);
    connect(takeFileTimeButton_, &QPushButton::clicked, this, &CountdownSetupDialog::takeFileTime);
    connect(standardButton_, &QPushButton::clicked, this, &CountdownSetupDialog::useStandardMusic);

    // Key preview: the dialog sees Enter and Esc before any of its controls.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void CountdownSetupDialog::presetChosen() {
    myTimerEdit_->setEnabled(false);
    presetList_->setEnabled(true);
}

void CountdownSetupDialog::myTimerChosen() {
    myTimerEdit_->setEnabled(true);
    presetList_->setEnabled(false);
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
void CountdownSetupDialog::confirm() {
    const bool preset = presetRadio_->isChecked();
    std::optional<std::int32_t> typed;
    if (!preset) {
        typed = readTimeField(myTimerEdit_, myTimerRadio_->text(), true);
        if (!typed) {
            return;
        }
    }
    const std::optional<std::int32_t> play =
        readTimeField(playTimeEdit_, QStringLiteral("Время проигрования"), false);
    if (!play) {
        return;
    }
    const std::optional<std::int32_t> pause =
        readTimeField(pauseEdit_, QStringLiteral("С паузами между повторами"), false);
    if (!pause) {
        return;
    }

    std::int32_t duration = 0;
    if (preset) {
        const PresetReading reading = PresetToMs(presetList_->currentText().toStdString());
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

// "Обзор...": the chosen file (or, when none is chosen, the one set) is opened in the expiry
// window's player, and its length becomes the play time.
void CountdownSetupDialog::chooseMusic() {
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
    fileTimeText_->setText(joined(SplitMs(sound_.PlayTime)));
}

void CountdownSetupDialog::takeFileTime() {
    playTimeEdit_->setText(fileTimeText_->text());
    pauseEdit_->setText(QStringLiteral("00:00:02"));
}

void CountdownSetupDialog::useStandardMusic() {
    playTimeEdit_->setText(QStringLiteral("00:00:02"));
    pauseEdit_->setText(QStringLiteral("00:00:01"));
    sound_.PlayTime = 2000;
    fileTimeText_->setText(QStringLiteral("00:00:02"));
    sound_.TimerWav = standardWav_;
}

void CountdownSetupDialog::toggleMusicPanel() {
    if (musicButton_->text() == QString::fromUtf8(kWidenCaption)) {
        setFixedSize(kWideWidth, kHeight);
        musicButton_->setText(QString::fromUtf8(kNarrowCaption));
    } else {
        setFixedSize(kNarrowWidth, kHeight);
        musicButton_->setText(QString::fromUtf8(kWidenCaption));
    }
    keepOnScreen(*this);
}

bool CountdownSetupDialog::handleKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

void CountdownSetupDialog::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event->key())) {
        QDialog::keyPressEvent(event);
    }
}

bool CountdownSetupDialog::eventFilter(QObject* watched, QEvent* event) {
    // An open list of the presets is a window of its own and keeps its keys.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget != nullptr && widget->window() == this &&
        handleKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace domora
