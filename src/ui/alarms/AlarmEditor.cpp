#include "ui/alarms/AlarmEditor.h"

#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmViews.h"
#include "core/alarms/Recurrence.h"
#include "core/app/AppPaths.h"
#include "core/base/Clock.h"
#include "core/base/Cp1251.h"
#include "core/base/FileStore.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"
#include "core/base/Text.h"
#include "ui/alarms/AlarmPictures.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/app/StoredText.h"
#include "ui/app/TimeFields.h"
#include "ui/sound/SoundPlayer.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <tuple>

namespace domora {

namespace {

constexpr int kClientWidth = 404;
// The controls fill 420; the line of the next firing takes two lines' room under the buttons.
constexpr int kClientHeight = 454;

constexpr char kManualCaption[] = "Ручной ввод сообщения";
constexpr char kFromFileCaption[] = "Текст из файла";

QPushButton* ellipsisButton(QWidget* parent, const char* name, int x, int y) {
    auto* button = place(new QPushButton(QStringLiteral("..."), parent), name, x, y, 24, 21);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// The Qt filter of a "Description (*.ext)|*.ext" filter: the description, whose pattern
// Qt reads.
QString qtFilter(const char* filter) {
    return QString::fromUtf8(filter).section(QLatin1Char('|'), 0, 0);
}

// An open-file dialog with a preview of the selected picture beside the file list.
QString choosePicture(QWidget* parent, const QString& caption, const QString& filter) {
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    }
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        const QPixmap picture(path);
        preview->setPixmap(picture.isNull() ? QPixmap()
                                            : picture.scaled(preview->size() - QSize(4, 4),
                                                             Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

} // namespace

AlarmEditor::AlarmEditor(AlarmStore& store, FileStore& files, const AppPaths& paths, const Clock& clock,
                         MessageBoxes& boxes, SoundPlayer& player)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      store_(store), files_(files), paths_(paths), clock_(clock), boxes_(boxes), player_(player) {
    setObjectName(QStringLiteral("Form8"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    buildWindow();
    chooseFile = [this](const QString& caption, const QString& filter, bool picturePreview) {
        if (picturePreview) {
            return choosePicture(this, caption, filter);
        }
        return QFileDialog::getOpenFileName(this, caption, QString(), filter);
    };
}

void AlarmEditor::prepare(Mode mode, int number) {
    mode_ = mode;
    number_ = number;
}

void AlarmEditor::edit(Mode mode, int number) {
    prepare(mode, number);
    exec();
}

void AlarmEditor::buildWindow() {
    image_ = place(new QLabel(this), "Image1", 8, 10, 48, 48);

    // Date, time and period.
    timeGroup_ =
        place(new QGroupBox(QStringLiteral("Дата. Время. Период."), this), "GroupBox1", 64, 4, 336, 130);
    place(new QLabel(QStringLiteral("Время:"), timeGroup_), nullptr, 8, 20, 40, 20);
    hourEdit_ = place(new QLineEdit(QStringLiteral("0"), timeGroup_), "HourEdit", 50, 19, 28, 21);
    minuteEdit_ = place(new QLineEdit(QStringLiteral("0"), timeGroup_), "MinuteEdit", 82, 19, 28, 21);
    for (QLineEdit* field : {hourEdit_, minuteEdit_}) {
        field->setAlignment(Qt::AlignRight);
        field->installEventFilter(this);
    }
    dateCheck_ = place(new QCheckBox(QStringLiteral("Дата"), timeGroup_), "DateCheck", 126, 20, 52, 20);
    datePicker_ = place(new QDateEdit(timeGroup_), "DatePicker", 180, 19, 100, 21);
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setCalendarPopup(true);
    const DateTime today = clock_.localNow();
    datePicker_->setDate(QDate(today.year, today.month, today.day));
    const char* dayNames[7] = {"DayMon", "DayTue", "DayWed", "DayThu", "DayFri", "DaySat", "DaySun"};
    const char* dayCaptions[7] = {"ПН", "ВТ", "СР", "ЧТ", "ПТ", "СБ", "ВС"};
    for (int day = 0; day < 7; ++day) {
        days_[day] = place(new QCheckBox(QString::fromUtf8(dayCaptions[day]), timeGroup_), dayNames[day],
                           8 + day * 46, 46, 44, 20);
    }
    recurrenceCombo_ = place(new QComboBox(timeGroup_), "RecurrenceCombo", 8, 72, 320, 22);
    recurrenceCombo_->setEditable(true);
    recurrenceCombo_->setInsertPolicy(QComboBox::NoInsert);
    recurrenceCombo_->setMaxVisibleItems(12);
    for (std::string_view text : kRecurrenceTexts) {
        recurrenceCombo_->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    repeatCombo_ = place(new QComboBox(timeGroup_), "RepeatCombo", 8, 100, 120, 22);
    repeatCombo_->setEditable(true);
    repeatCombo_->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view text : kRepeatTexts) {
        repeatCombo_->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    repeatCombo_->setCurrentText(QStringLiteral("Безконечно"));
    repeatLabel_ = place(new QLabel(QStringLiteral("раз(а)"), timeGroup_), "RepeatLabel", 134, 102, 50, 18);
    connect(dateCheck_, &QCheckBox::clicked, this, &AlarmEditor::DateCheckClick);
    connect(recurrenceCombo_, &QComboBox::textActivated, this, &AlarmEditor::RecurrenceChange);
    connect(recurrenceCombo_->lineEdit(), &QLineEdit::textEdited, this, &AlarmEditor::RecurrenceChange);

    // The message.
    messageGroup_ =
        place(new QGroupBox(QStringLiteral("Тип сообщения:"), this), "GroupBox2", 4, 138, 396, 124);
    contentGroup_ = place(new QGroupBox(QStringLiteral("Сообщение содержит:"), messageGroup_), "RadioGroup1",
                          8, 16, 180, 42);
    textRadio_ = place(new QRadioButton(QStringLiteral("Текст"), contentGroup_), "TextRadio", 8, 18, 80, 18);
    pictureRadio_ =
        place(new QRadioButton(QStringLiteral("Рисунок"), contentGroup_), "PictureRadio", 92, 18, 84, 18);
    textRadio_->setChecked(true);
    connect(textRadio_, &QRadioButton::clicked, this, &AlarmEditor::RadioGroup1Click);
    connect(pictureRadio_, &QRadioButton::clicked, this, &AlarmEditor::RadioGroup1Click);
    toggleButton_ = place(new QPushButton(QString::fromUtf8(kManualCaption), messageGroup_), "ToggleButton",
                          196, 22, 192, 32);
    toggleButton_->setIcon(ToggleGlyph(0));
    connect(toggleButton_, &QPushButton::clicked, this, &AlarmEditor::ToggleButtonClick);
    textFileEdit_ = place(new QLineEdit(messageGroup_), "TextFileEdit", 8, 64, 352, 21);
    textFileEdit_->setMaxLength(static_cast<int>(kTextFileChars));
    textFileButton_ = ellipsisButton(messageGroup_, "TextFileButton", 364, 64);
    connect(textFileButton_, &QPushButton::clicked, this, &AlarmEditor::TextFileButtonClick);
    pictureFileEdit_ = place(new QLineEdit(messageGroup_), "PictureFileEdit", 8, 94, 352, 21);
    pictureFileEdit_->setMaxLength(static_cast<int>(kPictureFileChars));
    pictureFileButton_ = ellipsisButton(messageGroup_, "PictureFileButton", 364, 94);
    connect(pictureFileButton_, &QPushButton::clicked, this, &AlarmEditor::PictureFileButtonClick);
    // The typed text lies over the text file's field and button (and the picture's, which
    // a text message does not use).
    typedText_ = place(new QPlainTextEdit(messageGroup_), "TypedText", 8, 62, 380, 56);
    typedText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    typedText_->setTabChangesFocus(true);
    typedText_->installEventFilter(this);
    typedText_->hide();

    // The sound.
    soundGroup_ = place(new QGroupBox(QStringLiteral("Звук:"), this), "GroupBox3", 4, 266, 396, 112);
    soundButtons_ = new QButtonGroup(this);
    builtinRadio_ = place(new QRadioButton(QStringLiteral("Встроенный звуковой сигнал"), soundGroup_),
                          "BuiltinRadio", 8, 18, 178, 20);
    melodyCombo_ = place(new QComboBox(soundGroup_), "MelodyCombo", 188, 17, 120, 22);
    melodyCombo_->setEditable(true);
    melodyCombo_->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view name : kMelodyNames) {
        melodyCombo_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    melodyCombo_->setCurrentText(QStringLiteral("Бип-Бип"));
    playButton_ = place(new QPushButton(soundGroup_), "PlayButton", 314, 17, 34, 22);
    playButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    playButton_->setToolTip(QStringLiteral("Прослушать"));
    stopButton_ = place(new QPushButton(soundGroup_), "StopButton", 352, 17, 34, 22);
    stopButton_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    stopButton_->setToolTip(QStringLiteral("Остановить"));
    connect(playButton_, &QPushButton::clicked, this, &AlarmEditor::PlayClick);
    connect(stopButton_, &QPushButton::clicked, this, &AlarmEditor::StopClick);
    mp3Radio_ = place(new QRadioButton(QStringLiteral("Звук или музука  MP3"), soundGroup_), "Mp3Radio", 8,
                      42, 150, 20);
    mp3Edit_ = place(new QLineEdit(soundGroup_), "Mp3Edit", 160, 42, 200, 21);
    mp3Edit_->setMaxLength(static_cast<int>(kMp3FileChars));
    mp3Button_ = ellipsisButton(soundGroup_, "Mp3Button", 364, 42);
    connect(mp3Button_, &QPushButton::clicked, this, &AlarmEditor::Mp3ButtonClick);
    wavRadio_ = place(new QRadioButton(QStringLiteral("Звук или музука  WAV"), soundGroup_), "WavRadio", 8,
                      66, 150, 20);
    wavEdit_ = place(new QLineEdit(soundGroup_), "WavEdit", 160, 66, 200, 21);
    wavEdit_->setMaxLength(static_cast<int>(kWavFileChars));
    wavButton_ = ellipsisButton(soundGroup_, "WavButton", 364, 66);
    connect(wavButton_, &QPushButton::clicked, this, &AlarmEditor::WavButtonClick);
    noSoundRadio_ =
        place(new QRadioButton(QStringLiteral("Звук отключён"), soundGroup_), "NoSoundRadio", 8, 90, 150, 20);
    for (QRadioButton* radio : {builtinRadio_, mp3Radio_, wavRadio_, noSoundRadio_}) {
        soundButtons_->addButton(radio);
        connect(radio, &QRadioButton::clicked, this, &AlarmEditor::SoundRadioClick);
    }
    builtinRadio_->setChecked(true);
    SoundRadioClick();

    switchPanel_ = place(new QFrame(this), "Panel1", 4, 384, 120, 30);
    switchPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    switchedOnCheck_ =
        place(new QCheckBox(QStringLiteral("Включён"), switchPanel_), "SwitchedOnCheck", 10, 5, 100, 20);

    // Buttons that do not take the focus, so that pressing them runs no field check.
    okButton_ = place(new QPushButton(QStringLiteral("Ok"), this), "OkButton", 236, 386, 78, 25);
    cancelButton_ = place(new QPushButton(QStringLiteral("Отмена"), this), "CancelButton", 320, 386, 78, 25);
    for (QPushButton* button : {okButton_, cancelButton_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    connect(okButton_, &QPushButton::clicked, this, &AlarmEditor::OkClick);
    connect(cancelButton_, &QPushButton::clicked, this, &AlarmEditor::CancelClick);

    nextFiringLabel_ = place(new QLabel(this), "NextFiringLabel", 8, 418, 390, 32);
    nextFiringLabel_->setWordWrap(true);
    nextFiringLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLineEdit* field : {hourEdit_, minuteEdit_}) {
        connect(field, &QLineEdit::textChanged, this, &AlarmEditor::showNextFiring);
    }
    for (QCheckBox* check : days_) {
        connect(check, &QCheckBox::toggled, this, &AlarmEditor::showNextFiring);
    }
    connect(dateCheck_, &QCheckBox::toggled, this, &AlarmEditor::showNextFiring);
    connect(switchedOnCheck_, &QCheckBox::toggled, this, &AlarmEditor::showNextFiring);
    connect(datePicker_, &QDateEdit::dateChanged, this, &AlarmEditor::showNextFiring);
    for (QComboBox* list : {recurrenceCombo_, repeatCombo_}) {
        connect(list, &QComboBox::currentTextChanged, this, &AlarmEditor::showNextFiring);
    }
}

AlarmFlag AlarmEditor::firingFlag() const {
    const int index = mode_ == Mode::Add ? addedIndex_ : std::max(number_, 1) - 1;
    return AlarmFlagAt(static_cast<std::size_t>(index), fired_);
}

// The fields that tell when the alarm fires, read without a word to the user: a time that
// is no number is a reason in the line, and its message waits for "Ok".
void AlarmEditor::showNextFiring() {
    AlarmRecord record;
    if (const auto unreadable = ReadTimeFields(*hourEdit_, *minuteEdit_, record.Hour, record.Minute)) {
        nextFiringLabel_->setText(*unreadable);
        return;
    }
    record.UseDate = dateCheck_->isChecked();
    const QDate date = datePicker_->date();
    record.AlarmDate = OleDateOnly(date.year(), date.month(), date.day());
    for (int day = 0; day < 7; ++day) {
        record.Weekdays[static_cast<std::size_t>(day)] = days_[day]->isChecked();
    }
    record.Recurrence = ss(recurrenceCombo_->currentText());
    record.Repeat = ss(repeatCombo_->currentText());
    record.SwitchedOn = switchedOnCheck_->isChecked();
    nextFiringLabel_->setText(qs(AlarmFiringLine(record, clock_.localNow(), firingFlag())));
}

void AlarmEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    centreFrameOnScreen(*this);
    FormShow();
}

void AlarmEditor::FormShow() {
    if (mode_ == Mode::Add) {
        const AlarmCount count = store_.CountAlarms();
        addedIndex_ = count.result ? count.count : 0;
    }
    hourEdit_->selectAll();
    setFileMode();
    const Mode mode = mode_;
    setEditing(true);
    if (mode == Mode::Add) {
        image_->setPixmap(EditorPicture(0));
        setWindowTitle(QStringLiteral("Добавить будильник..."));
        setDefaults();
        showNextFiring();
        return;
    }
    image_->setPixmap(EditorPicture(mode == Mode::View ? 2 : 1));
    setWindowTitle(mode == Mode::View ? QStringLiteral("Просмотреть настройки будильника...")
                                      : QStringLiteral("Изменить настройки будильника..."));
    const LoadedAlarm loaded = store_.LoadAlarm(number_);
    if (!loaded.result) {
        boxes_.error(this, qs(loaded.result.message));
    } else {
        fillFromRecord(loaded.record);
    }
    showNextFiring();
    if (mode == Mode::View) {
        setEditing(false);
    } else {
        hourEdit_->setFocus(Qt::OtherFocusReason);
        hourEdit_->selectAll();
    }
}

// The three groups and the panel enabled (with "Отмена" shown), or all of them disabled
// and only "Ok" left to close the window.
void AlarmEditor::setEditing(bool enabled) {
    for (QWidget* part :
         std::initializer_list<QWidget*>{timeGroup_, messageGroup_, soundGroup_, switchPanel_}) {
        part->setEnabled(enabled);
    }
    cancelButton_->setVisible(enabled);
    if (enabled) {
        RadioGroup1Click();
    }
}

void AlarmEditor::setDefaults() {
    hourEdit_->setText(QStringLiteral("0"));
    minuteEdit_->setText(QStringLiteral("0"));
    hourEdit_->selectAll();
    dateCheck_->setChecked(false);
    for (QCheckBox* day : days_) {
        day->setChecked(false);
    }
    switchedOnCheck_->setChecked(false);
    DateCheckClick();
    recurrenceCombo_->setCurrentText(QStringLiteral("Всегда"));
    melodyCombo_->setCurrentText(QStringLiteral("Бип-Бип"));
    repeatCombo_->setCurrentText(QStringLiteral("Безконечно"));
    textRadio_->setChecked(true);
    RadioGroup1Click();
    builtinRadio_->setChecked(true);
    SoundRadioClick();
    for (QLineEdit* field : {mp3Edit_, wavEdit_, pictureFileEdit_, textFileEdit_}) {
        field->clear();
    }
    typedText_->clear();
    typedText_->document()->setModified(false);
}

void AlarmEditor::fillFromRecord(const AlarmRecord& record) {
    hourEdit_->setText(QString::number(record.Hour));
    minuteEdit_->setText(QString::number(record.Minute));
    hourEdit_->selectAll();
    dateCheck_->setChecked(record.UseDate);
    DateCheckClick();
    if (const auto date = TryOleToDateTime(record.AlarmDate)) {
        datePicker_->setDate(QDate(date->year, date->month, date->day));
    }
    for (int day = 0; day < 7; ++day) {
        days_[day]->setChecked(record.Weekdays[static_cast<std::size_t>(day)]);
    }
    // Setting the text is no change by the user: the weekday flags stay as stored.
    recurrenceCombo_->setCurrentText(qs(record.Recurrence));
    repeatCombo_->setCurrentText(qs(record.Repeat));
    (record.TextMessage ? textRadio_ : pictureRadio_)->setChecked(true);
    RadioGroup1Click();
    textFileEdit_->setText(qs(record.TextFile));
    pictureFileEdit_->setText(qs(record.PictureFile));
    melodyCombo_->setCurrentText(qs(record.BuiltinName));
    mp3Edit_->setText(qs(record.Mp3File));
    wavEdit_->setText(qs(record.WavFile));
    // Each sound button from its flag; with several flags the last one wins, with none no
    // button is selected.
    soundButtons_->setExclusive(false);
    const std::pair<QRadioButton*, bool> sounds[] = {{builtinRadio_, record.BuiltinSound},
                                                     {mp3Radio_, record.Mp3Sound},
                                                     {wavRadio_, record.WavSound},
                                                     {noSoundRadio_, record.NoSound}};
    QRadioButton* chosen = nullptr;
    for (const auto& [radio, flag] : sounds) {
        radio->setChecked(false);
        if (flag) {
            chosen = radio;
        }
    }
    if (chosen != nullptr) {
        chosen->setChecked(true);
    }
    soundButtons_->setExclusive(true);
    SoundRadioClick();
    switchedOnCheck_->setChecked(record.SwitchedOn);
    loadTypedText(record.TextFile);
}

// The typed-text box holds the text file's text, or nothing when there is no such file, so
// that no text of another alarm is left in it to be saved for this one.
void AlarmEditor::loadTypedText(const std::string& path) {
    typedText_->clear();
    if (!path.empty()) {
        if (const auto bytes = files_.readAll(path)) {
            typedText_->setPlainText(qs(DecodeNoteText(*bytes)));
        }
    }
    typedText_->document()->setModified(false);
}

void AlarmEditor::setFileMode() {
    typedText_->hide();
    toggleButton_->setText(QString::fromUtf8(kManualCaption));
    toggleButton_->setIcon(ToggleGlyph(0));
}

void AlarmEditor::DateCheckClick() {
    const bool byDate = dateCheck_->isChecked();
    datePicker_->setEnabled(byDate);
    for (QCheckBox* day : days_) {
        day->setEnabled(!byDate);
    }
    recurrenceCombo_->setEnabled(!byDate);
    repeatCombo_->setEnabled(!byDate);
    repeatLabel_->setEnabled(!byDate);
}

void AlarmEditor::RadioGroup1Click() {
    const bool text = textRadio_->isChecked();
    pictureFileEdit_->setEnabled(!text);
    pictureFileButton_->setEnabled(!text);
    if (!text && typedText_->isVisibleTo(this)) {
        setFileMode();
    }
    textFileEdit_->setEnabled(text);
    textFileButton_->setEnabled(text);
    toggleButton_->setEnabled(text);
}

void AlarmEditor::RecurrenceChange() {
    const bool always = TrimmedLower(recurrenceCombo_->currentText().toStdString()) == "всегда";
    for (QCheckBox* day : days_) {
        day->setChecked(always);
    }
}

// The caption names the mode the button switches to.
void AlarmEditor::ToggleButtonClick() {
    if (toggleButton_->text() == QString::fromUtf8(kManualCaption)) {
        typedText_->show();
        typedText_->raise();
        toggleButton_->setText(QString::fromUtf8(kFromFileCaption));
        toggleButton_->setIcon(ToggleGlyph(1));
        typedText_->setFocus(Qt::OtherFocusReason);
    } else {
        setFileMode();
    }
}

void AlarmEditor::SoundRadioClick() {
    melodyCombo_->setEnabled(builtinRadio_->isChecked());
    mp3Edit_->setEnabled(mp3Radio_->isChecked());
    mp3Button_->setEnabled(mp3Radio_->isChecked());
    wavEdit_->setEnabled(wavRadio_->isChecked());
    wavButton_->setEnabled(wavRadio_->isChecked());
}

bool AlarmEditor::pathFits(const QString& path, std::size_t capacity) {
    return PathFits(boxes_, this, path, capacity);
}

bool AlarmEditor::storable(const QString& text) {
    return StorableText(boxes_, this, text, QStringLiteral("файлы будильников"));
}

bool AlarmEditor::chooseInto(QLineEdit* field, const QString& filter, std::size_t capacity,
                             bool picturePreview) {
    const QString path = chooseFile(windowTitle(), filter, picturePreview);
    if (path.isEmpty() || !pathFits(path, capacity) || !storable(path)) {
        return false;
    }
    field->setText(path);
    return true;
}

// The text file's chooser: the typed-text box then holds the chosen file's text. Cancelling
// keeps the box as it was.
void AlarmEditor::TextFileButtonClick() {
    if (chooseInto(textFileEdit_, qtFilter("Текстовый файл (*.txt)|*.txt"), kTextFileChars, false)) {
        loadTypedText(textFileEdit_->text().toStdString());
    }
}

void AlarmEditor::PictureFileButtonClick() {
    chooseInto(pictureFileEdit_, qtFilter("Точечный рисунок Windows (*.bmp)|*.bmp"), kPictureFileChars, true);
}

void AlarmEditor::Mp3ButtonClick() {
    chooseInto(mp3Edit_, qtFilter("Музыкальный файл в формате MP3 (*.mp3)|*.mp3"), kMp3FileChars, false);
}

void AlarmEditor::WavButtonClick() {
    chooseInto(wavEdit_, qtFilter("Музыкальный файл в формате WAV (*.wav)|*.wav"), kWavFileChars, false);
}

void AlarmEditor::PlayClick() {
    if (builtinRadio_->isChecked()) {
        const std::string melody = MelodyFile(paths_, melodyCombo_->currentText().toStdString());
        if (!melody.empty()) {
            previewFile_ = qs(melody);
        }
    } else if (mp3Radio_->isChecked()) {
        previewFile_ = mp3Edit_->text();
    } else if (wavRadio_->isChecked()) {
        previewFile_ = wavEdit_->text();
    }
    if (noSoundRadio_->isChecked() || previewFile_.isEmpty()) {
        return;
    }
    previewOpened_ = player_.open(previewFile_);
    if (!previewOpened_) {
        boxes_.error(this, QStringLiteral("Не удаётся воспроизвести звуковой файл:\r\n%1").arg(previewFile_));
        return;
    }
    player_.play();
}

void AlarmEditor::StopClick() {
    if (!previewOpened_) {
        boxes_.error(this, QStringLiteral("Звуковой файл не открыт."));
        return;
    }
    player_.stop();
}

bool AlarmEditor::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && (field == hourEdit_ || field == minuteEdit_)) {
        if (event->type() == QEvent::KeyPress) {
            return timeKey(field, static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Another window taking the focus (a message box, another program) is no leaving.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !checking_) {
                QTimer::singleShot(0, this, [this, field] {
                    if (isVisible() && !checking_) {
                        checkTimeField(field);
                    }
                });
            }
        }
    }
    if (watched == typedText_ && event->type() == QEvent::KeyPress) {
        // Enter breaks no line (a line break is Ctrl+Enter).
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier) {
                typedText_->insertPlainText(QStringLiteral("\n"));
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Typing into the hour or minute field: "-" and digits only, two characters at most; a
// character typed at two characters (nothing selected) moves on to the next field. Editing
// keys always work, so that a wrong value can be erased and corrected.
bool AlarmEditor::timeKey(QLineEdit* field, QKeyEvent* key) {
    const QString text = key->text();
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        return false;
    default:
        break;
    }
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Undo,
          QKeySequence::Redo}) {
        if (key->matches(editing)) {
            return false;
        }
    }
    if (text.isEmpty()) {
        return false; // arrows, Home, End, selection and other keys that type nothing
    }
    const QChar c = text.at(0);
    const bool accepted = c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (!accepted) {
        QApplication::beep();
    }
    if (!field->hasSelectedText() && field->text().size() >= 2) {
        QWidget* next =
            field == hourEdit_ ? static_cast<QWidget*>(minuteEdit_) : static_cast<QWidget*>(dateCheck_);
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return !accepted;
}

bool AlarmEditor::checkTimeField(QLineEdit* field) {
    const int high = field == hourEdit_ ? 23 : 59;
    const auto value = ParseInt32(field->text().toStdString());
    if (value && *value >= -1 && *value <= high) {
        return true;
    }
    // The same text for both fields. A text that is no number is shown as it was typed.
    const QString shown = value ? QString::number(*value) : field->text();
    checking_ = true;
    boxes_.error(this,
                 QStringLiteral("Неверно указано время в поле задания часов:\r\n%1 не входит в промежуток "
                                "%2..%3")
                     .arg(shown)
                     .arg(0)
                     .arg(high));
    checking_ = false;
    // Back to this window (the message box had the focus) and into the field.
    activateWindow();
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

std::optional<AlarmRecord> AlarmEditor::recordFromControls() {
    AlarmRecord record;
    const std::pair<QLineEdit*, int*> times[] = {{hourEdit_, &record.Hour}, {minuteEdit_, &record.Minute}};
    for (const auto& [field, target] : times) {
        const auto value = ParseInt32(field->text().toStdString());
        if (!value) {
            boxes_.error(this, QStringLiteral("\"%1\" не является целым числом.").arg(field->text()));
            field->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        // An hour or minute outside its range would make an alarm that never fires.
        if (!checkTimeField(field)) {
            return std::nullopt;
        }
        *target = *value;
    }
    record.UseDate = dateCheck_->isChecked();
    const QDate date = datePicker_->date();
    record.AlarmDate = OleDateOnly(date.year(), date.month(), date.day());
    for (int day = 0; day < 7; ++day) {
        record.Weekdays[static_cast<std::size_t>(day)] = days_[day]->isChecked();
    }
    record.TextMessage = textRadio_->isChecked();
    record.PictureMessage = !record.TextMessage;
    record.BuiltinSound = builtinRadio_->isChecked();
    record.Mp3Sound = mp3Radio_->isChecked();
    record.WavSound = wavRadio_->isChecked();
    record.NoSound = noSoundRadio_->isChecked();
    record.SwitchedOn = switchedOnCheck_->isChecked();

    const std::pair<QString, std::string*> texts[] = {
        {recurrenceCombo_->currentText(), &record.Recurrence},
        {repeatCombo_->currentText(), &record.Repeat},
        {melodyCombo_->currentText(), &record.BuiltinName},
    };
    for (const auto& [text, target] : texts) {
        if (!storable(text)) {
            return std::nullopt;
        }
        *target = text.toStdString();
    }
    // Paths are never cut: a cut path points nowhere.
    const std::tuple<QLineEdit*, std::size_t, std::string*> paths[] = {
        {textFileEdit_, kTextFileChars, &record.TextFile},
        {pictureFileEdit_, kPictureFileChars, &record.PictureFile},
        {mp3Edit_, kMp3FileChars, &record.Mp3File},
        {wavEdit_, kWavFileChars, &record.WavFile},
    };
    for (const auto& [field, capacity, target] : paths) {
        if (!pathFits(field->text(), capacity) || !storable(field->text())) {
            return std::nullopt;
        }
        *target = field->text().toStdString();
    }
    return record;
}

// The file for a typed text: "Temp/File<number>.txt" in the program's folder, unless
// another alarm's text file has that name; then the next number no other alarm uses.
// `changing` is the number of the alarm whose text it is (0 for a new alarm).
std::string AlarmEditor::textFilePathFor(int number, int changing) {
    return TypedTextPath(paths_.AppDir, store_.ReadAlarms().alarms, number, changing);
}

bool AlarmEditor::SaveTypedText() {
    if (!textRadio_->isChecked()) {
        return true;
    }
    // Only a text the user typed is saved: the box also holds the text of a chosen file,
    // and a path typed into the field must not be replaced by that.
    if (!typedText_->document()->isModified()) {
        return true;
    }
    std::string bytes;
    char32_t bad = 0;
    if (!EncodeTypedText(typedText_->toPlainText().toStdString(), bytes, &bad)) {
        boxes_.error(this,
                     QStringLiteral("Знак «%1» нельзя сохранить в текстовом файле будильника: текст хранится "
                                    "в кодировке Windows-1251.")
                         .arg(qs(EncodeUtf8(bad))));
        typedText_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string current = textFileEdit_->text().toStdString();
    std::string existing;
    if (!current.empty()) {
        existing = files_.readAll(current).value_or(std::string());
    }
    if (bytes == existing) {
        return true;
    }
    int number = 0;
    int changing = 0;
    if (mode_ == Mode::Add) {
        const AlarmCount count = store_.CountAlarms();
        if (!count.result) {
            boxes_.error(this, qs(count.result.message));
            return false;
        }
        number = count.count;
    } else {
        changing = number_;
        number = changing - 1;
    }
    const std::string path = textFilePathFor(number, changing);
    if (!pathFits(qs(path), kTextFileChars)) {
        return false;
    }
    std::string error;
    if (!WriteTypedText(files_, path, bytes, &error)) {
        boxes_.error(this, qs(error));
        return false;
    }
    textFileEdit_->setText(qs(path));
    typedText_->document()->setModified(false);
    return true;
}

void AlarmEditor::OkClick() {
    const Mode mode = mode_;
    if (mode == Mode::View) {
        setEditing(true);
        accept();
        return;
    }
    if (mode == Mode::Change && number_ == 0) {
        number_ = 1;
        emit alarmChosen(number_);
    }
    std::optional<AlarmRecord> record = recordFromControls();
    if (!record) {
        return;
    }
    // Asked, not refused: the user may mean to mend the alarm later.
    if (const auto question = NeverFiringQuestion(*record, clock_.localNow(), firingFlag())) {
        if (!boxes_.question(this, qs(*question))) {
            return;
        }
    }
    if (mode == Mode::Add) {
        // A full file refuses the alarm before its typed text is saved anywhere.
        const AlarmStoreResult room = store_.CanAddAlarm();
        if (room.status == AlarmStoreResult::Status::Full) {
            boxes_.error(this, qs(room.message));
            return;
        }
    }
    if (!SaveTypedText()) {
        return;
    }
    record->TextFile = textFileEdit_->text().toStdString();
    const AlarmStoreResult result =
        mode == Mode::Add ? store_.AddAlarm(*record) : store_.ChangeAlarm(number_, *record);
    if (!result) {
        boxes_.error(this, qs(result.message));
        return;
    }
    accept();
    if (mode == Mode::Add) {
        emit added();
    }
}

void AlarmEditor::CancelClick() {
    reject();
}

} // namespace domora
