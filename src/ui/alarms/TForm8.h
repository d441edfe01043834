#pragma once

#include "core/alarms/BudilRecord.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
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

class AlarmListView;
class Clock;
class FileStore;
class MessageBoxes;
class SoundPlayer;

// The alarm editor: adds an alarm, changes one or shows one, as the alarm list's
// `EditorMode` says (1 add, 2 change, 3 view; `SelectedAlarm` names the alarm). Created once
// at start-up and reused; the controls keep their contents between showings except what
// showing sets. "Ok" stores through the alarm store, which refills the list.
//
// Controls by object name: Image1; GroupBox1 "Дата. Время. Период." with HourEdit,
// MinuteEdit, DateCheck, DatePicker, DayMon .. DaySun, RecurrenceCombo, RepeatCombo and
// RepeatLabel; GroupBox2 "Тип сообщения:" with RadioGroup1 (TextRadio, PictureRadio),
// ToggleButton, TextFileEdit, TextFileButton, TypedText, PictureFileEdit, PictureFileButton;
// GroupBox3 "Звук:" with BuiltinRadio, MelodyCombo, PlayButton, StopButton, Mp3Radio,
// Mp3Edit, Mp3Button, WavRadio, WavEdit, WavButton, NoSoundRadio; Panel1 with
// SwitchedOnCheck; OkButton, CancelButton.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(AlarmListView& list, FileStore& files, const Clock& clock, MessageBoxes& boxes,
           SoundPlayer& player);

    // The open-file dialog of the "..." buttons: caption, filter in the form
    // "Описание (*.ext)", whether it previews pictures; the chosen path or empty. Tests
    // replace it.
    std::function<QString(const QString& caption, const QString& filter, bool picturePreview)> chooseFile;

    // Saves the typed text of a text message into the program's Temp folder and puts the
    // file's path into the text file field. False when it could not (the reason was shown).
    bool SaveTypedText();

    // The record the controls describe; nothing when a field cannot be stored (the reason
    // was shown and the field has the focus).
    std::optional<BudilRecord> recordFromControls();

public slots:
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

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void setDefaults();
    void fillFromRecord(const BudilRecord& record);
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

    AlarmListView& list_;
    FileStore& files_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    SoundPlayer& player_;
    QString previewFile_;
    bool previewOpened_ = false;
    bool checking_ = false;

public:
    QLabel* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QFrame* Panel1 = nullptr;

    QLineEdit* HourEdit = nullptr;
    QLineEdit* MinuteEdit = nullptr;
    QCheckBox* DateCheck = nullptr;
    QDateEdit* DatePicker = nullptr;
    QCheckBox* Days[7] = {}; // Monday .. Sunday
    QComboBox* RecurrenceCombo = nullptr;
    QComboBox* RepeatCombo = nullptr;
    QLabel* RepeatLabel = nullptr;

    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* TextRadio = nullptr;
    QRadioButton* PictureRadio = nullptr;
    QPushButton* ToggleButton = nullptr;
    QLineEdit* TextFileEdit = nullptr;
    QPushButton* TextFileButton = nullptr;
    QPlainTextEdit* TypedText = nullptr;
    QLineEdit* PictureFileEdit = nullptr;
    QPushButton* PictureFileButton = nullptr;

    QButtonGroup* SoundGroup = nullptr;
    QRadioButton* BuiltinRadio = nullptr;
    QComboBox* MelodyCombo = nullptr;
    QPushButton* PlayButton = nullptr;
    QPushButton* StopButton = nullptr;
    QRadioButton* Mp3Radio = nullptr;
    QLineEdit* Mp3Edit = nullptr;
    QPushButton* Mp3Button = nullptr;
    QRadioButton* WavRadio = nullptr;
    QLineEdit* WavEdit = nullptr;
    QPushButton* WavButton = nullptr;
    QRadioButton* NoSoundRadio = nullptr;

    QCheckBox* SwitchedOnCheck = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace domora
