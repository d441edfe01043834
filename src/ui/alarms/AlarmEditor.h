#pragma once

#include "core/alarms/AlarmFiring.h"
#include "core/alarms/AlarmRecord.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace domora {

struct AppPaths;
class AlarmStore;
class Clock;
class FileStore;
class MessageBoxes;
class SoundPlayer;

// The alarm editor: adds an alarm, changes one or shows one. Created once, when the list
// first opens it, and reused; the controls keep their contents between showings except what
// showing sets.
// "Ok" stores through the alarm store, which refills the list.
//
// Controls by object name: Image1; GroupBox1 "Дата. Время. Период." with HourEdit,
// MinuteEdit, DateCheck, DatePicker, DayMon .. DaySun, RecurrenceCombo, RepeatCombo and
// RepeatLabel; GroupBox2 "Тип сообщения:" with RadioGroup1 (TextRadio, PictureRadio),
// ToggleButton, TextFileEdit, TextFileButton, TypedText, PictureFileEdit, PictureFileButton;
// GroupBox3 "Звук:" with BuiltinRadio, MelodyCombo, PlayButton, StopButton, Mp3Radio,
// Mp3Edit, Mp3Button, WavRadio, WavEdit, WavButton, NoSoundRadio; Panel1 with
// SwitchedOnCheck; OkButton, CancelButton. Under them NextFiringLabel tells when the alarm
// as the fields describe it fires next; saving one that is switched on and never fires is
// asked about first.
class AlarmEditor : public QDialog {
    Q_OBJECT
public:
    enum class Mode : std::uint16_t { Add = 1, Change = 2, View = 3 };

    AlarmEditor(AlarmStore& store, FileStore& files, const AppPaths& paths, const Clock& clock,
                MessageBoxes& boxes, SoundPlayer& player);

    // Shows the editor for adding an alarm, or for changing or viewing alarm `number` (0 when
    // none is selected), and returns when it is closed.
    void edit(Mode mode, int number);
    // What the next showing is for, without showing.
    void prepare(Mode mode, int number);

    // The scheduler's flags (AlarmFired); see AlarmListView::setFiredFlags.
    void setFiredFlags(std::span<const std::uint8_t> fired) { fired_ = fired; }

    // The open-file dialog of the "..." buttons: caption, filter in the form
    // "Описание (*.ext)", whether it previews pictures; the chosen path or empty. Tests
    // replace it.
    std::function<QString(const QString& caption, const QString& filter, bool picturePreview)> chooseFile;

signals:
    // An alarm was added.
    void added();
    // "Ok" when changing with no alarm selected: the change goes to this alarm (1).
    void alarmChosen(int number);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    // Showing: the controls for the mode.
    void FormShow();
    void OkClick();
    void CancelClick();
    void DateCheckClick();
    void RadioGroup1Click();
    void RecurrenceChange();
    void ToggleButtonClick();
    void SoundRadioClick();
    void TextFileButtonClick();
    void PictureFileButtonClick();
    void Mp3ButtonClick();
    void WavButtonClick();
    void PlayClick();
    void StopClick();

    // Saves the typed text of a text message into the program's Temp folder and puts the
    // file's path into the text file field. False when it could not (the reason was shown).
    bool SaveTypedText();
    // The record the controls describe; nothing when a field cannot be stored (the reason
    // was shown and the field has the focus).
    std::optional<AlarmRecord> recordFromControls();

    // NextFiringLabel for the fields as they stand.
    void showNextFiring();
    // The scheduler's flag of the alarm being edited (of the one to add: at the end of the file).
    AlarmFlag firingFlag() const;

    void setDefaults();
    void fillFromRecord(const AlarmRecord& record);
    void loadTypedText(const std::string& path);
    void setFileMode();
    void setEditing(bool enabled);
    // The key filter of the hour and minute fields; true when the key is dropped.
    bool timeKey(QLineEdit* field, QKeyEvent* key);
    // The range check of the hour or minute field; false after its message.
    bool checkTimeField(QLineEdit* field);
    // Whether the path may be stored in a field of `capacity` characters (else a message).
    bool pathFits(const QString& path, std::size_t capacity);
    // Whether every character of the text has a byte in the files' code page (else a message).
    bool storable(const QString& text);
    // Puts the chosen path into the field; false when nothing was chosen or it was refused.
    bool chooseInto(QLineEdit* field, const QString& filter, std::size_t capacity, bool picturePreview);
    std::string textFilePathFor(int number, int changing);

    AlarmStore& store_;
    FileStore& files_;
    const AppPaths& paths_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    SoundPlayer& player_;
    Mode mode_ = Mode::Add;
    int number_ = 0;
    QString previewFile_;
    bool previewOpened_ = false;
    bool checking_ = false;
    std::span<const std::uint8_t> fired_;
    int addedIndex_ = 0; // the index (from 0) an alarm added now takes

    QLabel* image_ = nullptr;
    QGroupBox* timeGroup_ = nullptr;
    QGroupBox* messageGroup_ = nullptr;
    QGroupBox* soundGroup_ = nullptr;
    QFrame* switchPanel_ = nullptr;

    QLineEdit* hourEdit_ = nullptr;
    QLineEdit* minuteEdit_ = nullptr;
    QCheckBox* dateCheck_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QCheckBox* days_[7] = {}; // Monday .. Sunday
    QComboBox* recurrenceCombo_ = nullptr;
    QComboBox* repeatCombo_ = nullptr;
    QLabel* repeatLabel_ = nullptr;

    QGroupBox* contentGroup_ = nullptr;
    QRadioButton* textRadio_ = nullptr;
    QRadioButton* pictureRadio_ = nullptr;
    QPushButton* toggleButton_ = nullptr;
    QLineEdit* textFileEdit_ = nullptr;
    QPushButton* textFileButton_ = nullptr;
    QPlainTextEdit* typedText_ = nullptr;
    QLineEdit* pictureFileEdit_ = nullptr;
    QPushButton* pictureFileButton_ = nullptr;

    QButtonGroup* soundButtons_ = nullptr;
    QRadioButton* builtinRadio_ = nullptr;
    QComboBox* melodyCombo_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QRadioButton* mp3Radio_ = nullptr;
    QLineEdit* mp3Edit_ = nullptr;
    QPushButton* mp3Button_ = nullptr;
    QRadioButton* wavRadio_ = nullptr;
    QLineEdit* wavEdit_ = nullptr;
    QPushButton* wavButton_ = nullptr;
    QRadioButton* noSoundRadio_ = nullptr;

    QCheckBox* switchedOnCheck_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* nextFiringLabel_ = nullptr;
};

} // namespace domora
