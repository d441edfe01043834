#include "ui/alarms/TForm8.h"

#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmViews.h"
#include "core/alarms/Recurrence.h"
#include "core/base/Clock.h"
#include "core/base/Cp1251.h"
#include "core/base/FileStore.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"
#include "core/base/Text.h"
#include "ui/alarms/AlarmList.h"
#include "ui/alarms/AlarmPictures.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
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
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include <tuple>

namespace domora {

namespace {

constexpr int kClientWidth = 404;
constexpr int kClientHeight = 420;

constexpr char kManualCaption[] = "Ручной ввод сообщения";
constexpr char kFromFileCaption[] = "Текст из файла";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

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

TForm8::TForm8(AlarmListView& list, FileStore& files, const Clock& clock, MessageBoxes& boxes,
               SoundPlayer& player)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      list_(list), files_(files), clock_(clock), boxes_(boxes), player_(player) {
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

void TForm8::buildWindow() {
    Image1 = place(new QLabel(this), "Image1", 8, 10, 48, 48);

    // Date, time and period.
    GroupBox1 =
        place(new QGroupBox(QStringLiteral("Дата. Время. Период."), this), "GroupBox1", 64, 4, 336, 130);
    place(new QLabel(QStringLiteral("Время:"), GroupBox1), nullptr, 8, 20, 40, 20);
    HourEdit = place(new QLineEdit(QStringLiteral("0"), GroupBox1), "HourEdit", 50, 19, 28, 21);
    MinuteEdit = place(new QLineEdit(QStringLiteral("0"), GroupBox1), "MinuteEdit", 82, 19, 28, 21);
    for (QLineEdit* field : {HourEdit, MinuteEdit}) {
        field->setAlignment(Qt::AlignRight);
        field->installEventFilter(this);
    }
    DateCheck = place(new QCheckBox(QStringLiteral("Дата"), GroupBox1), "DateCheck", 126, 20, 52, 20);
    DatePicker = place(new QDateEdit(GroupBox1), "DatePicker", 180, 19, 100, 21);
    DatePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DatePicker->setCalendarPopup(true);
    const DateTime today = clock_.localNow();
    DatePicker->setDate(QDate(today.year, today.month, today.day));
    const char* dayNames[7] = {"DayMon", "DayTue", "DayWed", "DayThu", "DayFri", "DaySat", "DaySun"};
    const char* dayCaptions[7] = {"ПН", "ВТ", "СР", "ЧТ", "ПТ", "СБ", "ВС"};
    for (int day = 0; day < 7; ++day) {
        Days[day] = place(new QCheckBox(QString::fromUtf8(dayCaptions[day]), GroupBox1), dayNames[day],
                          8 + day * 46, 46, 44, 20);
    }
    RecurrenceCombo = place(new QComboBox(GroupBox1), "RecurrenceCombo", 8, 72, 320, 22);
    RecurrenceCombo->setEditable(true);
    RecurrenceCombo->setInsertPolicy(QComboBox::NoInsert);
    RecurrenceCombo->setMaxVisibleItems(12);
    for (std::string_view text : kRecurrenceTexts) {
        RecurrenceCombo->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    RepeatCombo = place(new QComboBox(GroupBox1), "RepeatCombo", 8, 100, 120, 22);
    RepeatCombo->setEditable(true);
    RepeatCombo->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view text : kRepeatTexts) {
        RepeatCombo->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    RepeatCombo->setCurrentText(QStringLiteral("Безконечно"));
    RepeatLabel = place(new QLabel(QStringLiteral("раз(а)"), GroupBox1), "RepeatLabel", 134, 102, 50, 18);
    connect(DateCheck, &QCheckBox::clicked, this, &TForm8::DateCheckClick);
    connect(RecurrenceCombo, &QComboBox::textActivated, this, &TForm8::RecurrenceChange);
    connect(RecurrenceCombo->lineEdit(), &QLineEdit::textEdited, this, &TForm8::RecurrenceChange);

    // The message.
    GroupBox2 = place(new QGroupBox(QStringLiteral("Тип сообщения:"), this), "GroupBox2", 4, 138, 396, 124);
    RadioGroup1 =
        place(new QGroupBox(QStringLiteral("Сообщение содержит:"), GroupBox2), "RadioGroup1", 8, 16, 180, 42);
    TextRadio = place(new QRadioButton(QStringLiteral("Текст"), RadioGroup1), "TextRadio", 8, 18, 80, 18);
    PictureRadio =
        place(new QRadioButton(QStringLiteral("Рисунок"), RadioGroup1), "PictureRadio", 92, 18, 84, 18);
    TextRadio->setChecked(true);
    connect(TextRadio, &QRadioButton::clicked, this, &TForm8::RadioGroup1Click);
    connect(PictureRadio, &QRadioButton::clicked, this, &TForm8::RadioGroup1Click);
    ToggleButton = place(new QPushButton(QString::fromUtf8(kManualCaption), GroupBox2), "ToggleButton", 196,
                         22, 192, 32);
    ToggleButton->setIcon(ToggleGlyph(0));
    connect(ToggleButton, &QPushButton::clicked, this, &TForm8::ToggleButtonClick);
    TextFileEdit = place(new QLineEdit(GroupBox2), "TextFileEdit", 8, 64, 352, 21);
    TextFileEdit->setMaxLength(static_cast<int>(kTextFileChars));
    TextFileButton = ellipsisButton(GroupBox2, "TextFileButton", 364, 64);
    connect(TextFileButton, &QPushButton::clicked, this, &TForm8::TextFileButtonClick);
    PictureFileEdit = place(new QLineEdit(GroupBox2), "PictureFileEdit", 8, 94, 352, 21);
    PictureFileEdit->setMaxLength(static_cast<int>(kPictureFileChars));
    PictureFileButton = ellipsisButton(GroupBox2, "PictureFileButton", 364, 94);
    connect(PictureFileButton, &QPushButton::clicked, this, &TForm8::PictureFileButtonClick);
    // The typed text lies over the text file's field and button (and the picture's, which
    // a text message does not use).
    TypedText = place(new QPlainTextEdit(GroupBox2), "TypedText", 8, 62, 380, 56);
    TypedText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TypedText->setTabChangesFocus(true);
    TypedText->installEventFilter(this);
    TypedText->hide();

    // The sound.
    GroupBox3 = place(new QGroupBox(QStringLiteral("Звук:"), this), "GroupBox3", 4, 266, 396, 112);
    SoundGroup = new QButtonGroup(this);
    BuiltinRadio = place(new QRadioButton(QStringLiteral("Встроенный звуковой сигнал"), GroupBox3),
                         "BuiltinRadio", 8, 18, 178, 20);
    MelodyCombo = place(new QComboBox(GroupBox3), "MelodyCombo", 188, 17, 120, 22);
    MelodyCombo->setEditable(true);
    MelodyCombo->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view name : kMelodyNames) {
        MelodyCombo->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    MelodyCombo->setCurrentText(QStringLiteral("Бип-Бип"));
    PlayButton = place(new QPushButton(GroupBox3), "PlayButton", 314, 17, 34, 22);
    PlayButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    PlayButton->setToolTip(QStringLiteral("Прослушать"));
    StopButton = place(new QPushButton(GroupBox3), "StopButton", 352, 17, 34, 22);
    StopButton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    StopButton->setToolTip(QStringLiteral("Остановить"));
    connect(PlayButton, &QPushButton::clicked, this, &TForm8::PlayClick);
    connect(StopButton, &QPushButton::clicked, this, &TForm8::StopClick);
    Mp3Radio = place(new QRadioButton(QStringLiteral("Звук или музука  MP3"), GroupBox3), "Mp3Radio", 8, 42,
                     150, 20);
    Mp3Edit = place(new QLineEdit(GroupBox3), "Mp3Edit", 160, 42, 200, 21);
    Mp3Edit->setMaxLength(static_cast<int>(kMp3FileChars));
    Mp3Button = ellipsisButton(GroupBox3, "Mp3Button", 364, 42);
    connect(Mp3Button, &QPushButton::clicked, this, &TForm8::Mp3ButtonClick);
    WavRadio = place(new QRadioButton(QStringLiteral("Звук или музука  WAV"), GroupBox3), "WavRadio", 8, 66,
                     150, 20);
    WavEdit = place(new QLineEdit(GroupBox3), "WavEdit", 160, 66, 200, 21);
    WavEdit->setMaxLength(static_cast<int>(kWavFileChars));
    WavButton = ellipsisButton(GroupBox3, "WavButton", 364, 66);
    connect(WavButton, &QPushButton::clicked, this, &TForm8::WavButtonClick);
    NoSoundRadio =
        place(new QRadioButton(QStringLiteral("Звук отключён"), GroupBox3), "NoSoundRadio", 8, 90, 150, 20);
    for (QRadioButton* radio : {BuiltinRadio, Mp3Radio, WavRadio, NoSoundRadio}) {
        SoundGroup->addButton(radio);
        connect(radio, &QRadioButton::clicked, this, &TForm8::SoundRadioClick);
    }
    BuiltinRadio->setChecked(true);
    SoundRadioClick();

    Panel1 = place(new QFrame(this), "Panel1", 4, 384, 120, 30);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SwitchedOnCheck =
        place(new QCheckBox(QStringLiteral("Включён"), Panel1), "SwitchedOnCheck", 10, 5, 100, 20);

    // Buttons that do not take the focus, so that pressing them runs no field check.
    OkButton = place(new QPushButton(QStringLiteral("Ok"), this), "OkButton", 236, 386, 78, 25);
    CancelButton = place(new QPushButton(QStringLiteral("Отмена"), this), "CancelButton", 320, 386, 78, 25);
    for (QPushButton* button : {OkButton, CancelButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    connect(OkButton, &QPushButton::clicked, this, &TForm8::OkClick);
    connect(CancelButton, &QPushButton::clicked, this, &TForm8::CancelClick);
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    FormShow();
}

// Showing: the controls for the list's mode.
void TForm8::FormShow() {
    HourEdit->selectAll();
    setFileMode();
    const std::uint16_t mode = list_.EditorMode;
    setEditing(true);
    if (mode == AlarmListView::ModeAdd) {
        Image1->setPixmap(EditorPicture(0));
        setWindowTitle(QStringLiteral("Добавить будильник..."));
        setDefaults();
        return;
    }
    Image1->setPixmap(EditorPicture(mode == AlarmListView::ModeView ? 2 : 1));
    setWindowTitle(mode == AlarmListView::ModeView ? QStringLiteral("Просмотреть настройки будильника...")
                                                   : QStringLiteral("Изменить настройки будильника..."));
    const LoadedAlarm loaded = list_.store().LoadAlarm(list_.SelectedAlarm);
    if (!loaded.result) {
        boxes_.error(this, qs(loaded.result.message));
    } else {
        fillFromRecord(loaded.record);
    }
    if (mode == AlarmListView::ModeView) {
        setEditing(false);
    } else {
        HourEdit->setFocus(Qt::OtherFocusReason);
        HourEdit->selectAll();
    }
}

// The three groups and the panel enabled (with "Отмена" shown), or all of them disabled
// and only "Ok" left to close the window.
void TForm8::setEditing(bool enabled) {
    for (QWidget* part : std::initializer_list<QWidget*>{GroupBox1, GroupBox2, GroupBox3, Panel1}) {
        part->setEnabled(enabled);
    }
    CancelButton->setVisible(enabled);
    if (enabled) {
        RadioGroup1Click();
    }
}

void TForm8::setDefaults() {
    HourEdit->setText(QStringLiteral("0"));
    MinuteEdit->setText(QStringLiteral("0"));
    HourEdit->selectAll();
    DateCheck->setChecked(false);
    for (QCheckBox* day : Days) {
        day->setChecked(false);
    }
    SwitchedOnCheck->setChecked(false);
    DateCheckClick();
    RecurrenceCombo->setCurrentText(QStringLiteral("Всегда"));
    MelodyCombo->setCurrentText(QStringLiteral("Бип-Бип"));
    RepeatCombo->setCurrentText(QStringLiteral("Безконечно"));
    TextRadio->setChecked(true);
    RadioGroup1Click();
    BuiltinRadio->setChecked(true);
    SoundRadioClick();
    for (QLineEdit* field : {Mp3Edit, WavEdit, PictureFileEdit, TextFileEdit}) {
        field->clear();
    }
    TypedText->clear();
    TypedText->document()->setModified(false);
}

void TForm8::fillFromRecord(const BudilRecord& record) {
    HourEdit->setText(QString::number(record.Hour));
    MinuteEdit->setText(QString::number(record.Minute));
    HourEdit->selectAll();
    DateCheck->setChecked(record.UseDate);
    DateCheckClick();
    if (const auto date = TryOleToDateTime(record.AlarmDate)) {
        DatePicker->setDate(QDate(date->year, date->month, date->day));
    }
    for (int day = 0; day < 7; ++day) {
        Days[day]->setChecked(record.Weekdays[static_cast<std::size_t>(day)]);
    }
    // Setting the text is no change by the user: the weekday flags stay as stored.
    RecurrenceCombo->setCurrentText(qs(record.Recurrence));
    RepeatCombo->setCurrentText(qs(record.Repeat));
    (record.TextMessage ? TextRadio : PictureRadio)->setChecked(true);
    RadioGroup1Click();
    TextFileEdit->setText(qs(record.TextFile));
    PictureFileEdit->setText(qs(record.PictureFile));
    MelodyCombo->setCurrentText(qs(record.BuiltinName));
    Mp3Edit->setText(qs(record.Mp3File));
    WavEdit->setText(qs(record.WavFile));
    // Each sound button from its flag; with several flags the last one wins, with none no
    // button is selected.
    SoundGroup->setExclusive(false);
    const std::pair<QRadioButton*, bool> sounds[] = {{BuiltinRadio, record.BuiltinSound},
                                                     {Mp3Radio, record.Mp3Sound},
                                                     {WavRadio, record.WavSound},
                                                     {NoSoundRadio, record.NoSound}};
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
    SoundGroup->setExclusive(true);
    SoundRadioClick();
    SwitchedOnCheck->setChecked(record.SwitchedOn);
    loadTypedText(record.TextFile);
}

// The typed-text box holds the text file's text, or nothing when there is no such file, so
// that no text of another alarm is left in it to be saved for this one.
void TForm8::loadTypedText(const std::string& path) {
    TypedText->clear();
    if (!path.empty()) {
        if (const auto bytes = files_.readAll(path)) {
            TypedText->setPlainText(qs(DecodeNoteText(*bytes)));
        }
    }
    TypedText->document()->setModified(false);
}

void TForm8::setFileMode() {
    TypedText->hide();
    ToggleButton->setText(QString::fromUtf8(kManualCaption));
    ToggleButton->setIcon(ToggleGlyph(0));
}

void TForm8::DateCheckClick() {
    const bool byDate = DateCheck->isChecked();
    DatePicker->setEnabled(byDate);
    for (QCheckBox* day : Days) {
        day->setEnabled(!byDate);
    }
    RecurrenceCombo->setEnabled(!byDate);
    RepeatCombo->setEnabled(!byDate);
    RepeatLabel->setEnabled(!byDate);
}

void TForm8::RadioGroup1Click() {
    const bool text = TextRadio->isChecked();
    PictureFileEdit->setEnabled(!text);
    PictureFileButton->setEnabled(!text);
    if (!text && TypedText->isVisibleTo(this)) {
        setFileMode();
    }
    TextFileEdit->setEnabled(text);
    TextFileButton->setEnabled(text);
    ToggleButton->setEnabled(text);
}

void TForm8::RecurrenceChange() {
    const bool always = TrimmedLower(RecurrenceCombo->currentText().toStdString()) == "всегда";
    for (QCheckBox* day : Days) {
        day->setChecked(always);
    }
}

// The caption names the mode the button switches to.
void TForm8::ToggleButtonClick() {
    if (ToggleButton->text() == QString::fromUtf8(kManualCaption)) {
        TypedText->show();
        TypedText->raise();
        ToggleButton->setText(QString::fromUtf8(kFromFileCaption));
        ToggleButton->setIcon(ToggleGlyph(1));
        TypedText->setFocus(Qt::OtherFocusReason);
    } else {
        setFileMode();
    }
}

void TForm8::SoundRadioClick() {
    MelodyCombo->setEnabled(BuiltinRadio->isChecked());
    Mp3Edit->setEnabled(Mp3Radio->isChecked());
    Mp3Button->setEnabled(Mp3Radio->isChecked());
    WavEdit->setEnabled(WavRadio->isChecked());
    WavButton->setEnabled(WavRadio->isChecked());
}

bool TForm8::pathFits(const QString& path, std::size_t capacity) {
    const std::size_t length = DecodeUtf8Lossy(path.toStdString()).size();
    if (length <= capacity) {
        return true;
    }
    boxes_.error(this, QStringLiteral("Путь к файлу слишком длинный: %1 знаков, а поместиться может не более "
                                      "%2.\r\n%3\r\nПереместите файл в папку с более коротким путём.")
                           .arg(length)
                           .arg(capacity)
                           .arg(path));
    return false;
}

bool TForm8::storable(const QString& text) {
    std::string bytes;
    char32_t bad = 0;
    if (Utf8ToCp1251(text.toStdString(), bytes, &bad)) {
        return true;
    }
    boxes_.error(this,
                 QStringLiteral("Знак «%1» нельзя сохранить: файлы будильников хранят текст в кодировке "
                                "Windows-1251.\r\n%2")
                     .arg(qs(EncodeUtf8(bad)), text));
    return false;
}

bool TForm8::chooseInto(QLineEdit* field, const QString& filter, std::size_t capacity, bool picturePreview) {
    const QString path = chooseFile(windowTitle(), filter, picturePreview);
    if (path.isEmpty() || !pathFits(path, capacity) || !storable(path)) {
        return false;
    }
    field->setText(path);
    return true;
}

// The text file's chooser: the typed-text box then holds the chosen file's text. Cancelling
// keeps the box as it was.
void TForm8::TextFileButtonClick() {
    if (chooseInto(TextFileEdit, qtFilter("Текстовый файл (*.txt)|*.txt"), kTextFileChars, false)) {
        loadTypedText(TextFileEdit->text().toStdString());
    }
}

void TForm8::PictureFileButtonClick() {
    chooseInto(PictureFileEdit, qtFilter("Точечный рисунок Windows (*.bmp)|*.bmp"), kPictureFileChars, true);
}

void TForm8::Mp3ButtonClick() {
    chooseInto(Mp3Edit, qtFilter("Музыкальный файл в формате MP3 (*.mp3)|*.mp3"), kMp3FileChars, false);
}

void TForm8::WavButtonClick() {
    chooseInto(WavEdit, qtFilter("Музыкальный файл в формате WAV (*.wav)|*.wav"), kWavFileChars, false);
}

void TForm8::PlayClick() {
    if (BuiltinRadio->isChecked()) {
        const std::string melody = MelodyFile(list_.paths(), MelodyCombo->currentText().toStdString());
        if (!melody.empty()) {
            previewFile_ = qs(melody);
        }
    } else if (Mp3Radio->isChecked()) {
        previewFile_ = Mp3Edit->text();
    } else if (WavRadio->isChecked()) {
        previewFile_ = WavEdit->text();
    }
    if (NoSoundRadio->isChecked() || previewFile_.isEmpty()) {
        return;
    }
    previewOpened_ = player_.open(previewFile_);
    if (!previewOpened_) {
        boxes_.error(this, QStringLiteral("Не удаётся воспроизвести звуковой файл:\r\n%1").arg(previewFile_));
        return;
    }
    player_.play();
}

void TForm8::StopClick() {
    if (!previewOpened_) {
        boxes_.error(this, QStringLiteral("Звуковой файл не открыт."));
        return;
    }
    player_.stop();
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && (field == HourEdit || field == MinuteEdit)) {
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
    if (watched == TypedText && event->type() == QEvent::KeyPress) {
        // Enter breaks no line (a line break is Ctrl+Enter).
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier) {
                TypedText->insertPlainText(QStringLiteral("\n"));
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Typing into the hour or minute field: "-", digits and Backspace only, two characters at
// most; a key at two characters (nothing selected) moves on to the next field.
bool TForm8::timeKey(QLineEdit* field, QKeyEvent* key) {
    const QString text = key->text();
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    if (text.isEmpty()) {
        return false; // arrows, Home, End and other keys that type nothing
    }
    const QChar c = text.at(0);
    const bool accepted = key->key() == Qt::Key_Backspace || c == QLatin1Char('-') ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (!accepted) {
        QApplication::beep();
    }
    if (!field->hasSelectedText() && field->text().size() >= 2) {
        QWidget* next =
            field == HourEdit ? static_cast<QWidget*>(MinuteEdit) : static_cast<QWidget*>(DateCheck);
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return !accepted;
}

bool TForm8::checkTimeField(QLineEdit* field) {
    const int high = field == HourEdit ? 23 : 59;
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

std::optional<BudilRecord> TForm8::recordFromControls() {
    BudilRecord record;
    const std::pair<QLineEdit*, int*> times[] = {{HourEdit, &record.Hour}, {MinuteEdit, &record.Minute}};
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
    record.UseDate = DateCheck->isChecked();
    const QDate date = DatePicker->date();
    record.AlarmDate = OleDateOnly(date.year(), date.month(), date.day());
    for (int day = 0; day < 7; ++day) {
        record.Weekdays[static_cast<std::size_t>(day)] = Days[day]->isChecked();
    }
    record.TextMessage = TextRadio->isChecked();
    record.PictureMessage = !record.TextMessage;
    record.BuiltinSound = BuiltinRadio->isChecked();
    record.Mp3Sound = Mp3Radio->isChecked();
    record.WavSound = WavRadio->isChecked();
    record.NoSound = NoSoundRadio->isChecked();
    record.SwitchedOn = SwitchedOnCheck->isChecked();

    const std::pair<QString, std::string*> texts[] = {
        {RecurrenceCombo->currentText(), &record.Recurrence},
        {RepeatCombo->currentText(), &record.Repeat},
        {MelodyCombo->currentText(), &record.BuiltinName},
    };
    for (const auto& [text, target] : texts) {
        if (!storable(text)) {
            return std::nullopt;
        }
        *target = text.toStdString();
    }
    // Paths are never cut: a cut path points nowhere.
    const std::tuple<QLineEdit*, std::size_t, std::string*> paths[] = {
        {TextFileEdit, kTextFileChars, &record.TextFile},
        {PictureFileEdit, kPictureFileChars, &record.PictureFile},
        {Mp3Edit, kMp3FileChars, &record.Mp3File},
        {WavEdit, kWavFileChars, &record.WavFile},
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
std::string TForm8::textFilePathFor(int number, int changing) {
    return TypedTextPath(list_.paths().AppDir, list_.store().ReadAlarms().alarms, number, changing);
}

bool TForm8::SaveTypedText() {
    if (!TextRadio->isChecked()) {
        return true;
    }
    // Only a text the user typed is saved: the box also holds the text of a chosen file,
    // and a path typed into the field must not be replaced by that.
    if (!TypedText->document()->isModified()) {
        return true;
    }
    std::string bytes;
    char32_t bad = 0;
    if (!EncodeTypedText(TypedText->toPlainText().toStdString(), bytes, &bad)) {
        boxes_.error(this,
                     QStringLiteral("Знак «%1» нельзя сохранить в текстовом файле будильника: текст хранится "
                                    "в кодировке Windows-1251.")
                         .arg(qs(EncodeUtf8(bad))));
        TypedText->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string current = TextFileEdit->text().toStdString();
    std::string existing;
    if (!current.empty()) {
        existing = files_.readAll(current).value_or(std::string());
    }
    if (bytes == existing) {
        return true;
    }
    int number = 0;
    int changing = 0;
    if (list_.EditorMode == AlarmListView::ModeAdd) {
        const AlarmCount count = list_.store().CountAlarms();
        if (!count.result) {
            boxes_.error(this, qs(count.result.message));
            return false;
        }
        number = count.count;
    } else {
        changing = list_.SelectedAlarm;
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
    TextFileEdit->setText(qs(path));
    TypedText->document()->setModified(false);
    return true;
}

void TForm8::OkClick() {
    const std::uint16_t mode = list_.EditorMode;
    if (mode == AlarmListView::ModeView) {
        setEditing(true);
        accept();
        return;
    }
    if (mode != AlarmListView::ModeAdd && mode != AlarmListView::ModeChange) {
        reject();
        return;
    }
    if (mode == AlarmListView::ModeChange && list_.SelectedAlarm == 0) {
        list_.SelectedAlarm = 1;
    }
    std::optional<BudilRecord> record = recordFromControls();
    if (!record) {
        return;
    }
    AlarmStore& store = list_.store();
    if (mode == AlarmListView::ModeAdd) {
        // A full file refuses the alarm before its typed text is saved anywhere.
        const AlarmStoreResult room = store.CanAddAlarm();
        if (room.status == AlarmStoreResult::Status::Full) {
            boxes_.error(this, qs(room.message));
            return;
        }
    }
    if (!SaveTypedText()) {
        return;
    }
    record->TextFile = TextFileEdit->text().toStdString();
    const AlarmStoreResult result = mode == AlarmListView::ModeAdd
                                        ? store.AddAlarm(*record)
                                        : store.ChangeAlarm(list_.SelectedAlarm, *record);
    if (!result) {
        boxes_.error(this, qs(result.message));
        return;
    }
    accept();
    if (mode == AlarmListView::ModeAdd) {
        list_.enableEditButtons();
    }
}

void TForm8::CancelClick() {
    reject();
}

} // namespace domora
