#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace domora {

class MessageBoxes;
class SoundPlayer;
struct TimerSound;

// The countdown's setup dialog "Установить таймер...". Created on its first opening and
// reused: the controls keep their selections and texts from one opening to the next. The
// narrow form shows the duration: a preset of ComboBox1 (RadioButton1) or "Мой таймер"
// typed into MaskEdit1 (RadioButton2). "Муз.файл >>" widens it to the music panel: the play
// time (MaskEdit2), the pause between repetitions (MaskEdit3), the chosen file's length
// (StaticText1) and its buttons. Enter does "Ok" and Esc closes, whichever control has the focus.
//
// The time fields hold "hh:mm:ss" with a blank shown as "_"; a blank before the one digit of
// a pair is allowed, and a pair of two blanks reads as 00 in "Мой таймер" only. "Ok" checks
// every time field it reads before it acts: a pair that is not a number is reported and
// changes nothing.
class CountdownSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Client widths of the narrow and the wide form: outer widths of 324 and 612 with a
    // dialog frame of 3 pixels at either side.
    static constexpr int kNarrowWidth = 318;
    static constexpr int kWideWidth = 606;
    static constexpr int kHeight = 166;
    // The open-file dialog's filter of "Обзор...", in the form "Описание|маски|...".
    static constexpr char kMusicFilter[] =
        "Музыкальные файлы(*.mp3;*.wav)|*.mp3;*.wav|Музыкальный файл в формате MP3 (*.mp3)|*.mp3|"
        "Музыкальный файл в формате WAV (*.wav)|*.wav";

    // `standardWav` is the standard sound file beside the program. Creation sets the
    // standard sound (the play time 2000 ms, `TimerWav` the standard file).
    CountdownSetupDialog(TimerSound& sound, SoundPlayer& player, MessageBoxes& boxes,
                         std::string standardWav);

    // The open-file dialog of "Обзор...": given kMusicFilter, returns the chosen path or an
    // empty text. Tests replace it.
    std::function<QString(const QString& filter)> chooseFile;

signals:
    // "Ok" with its duration in milliseconds (0: no countdown). The receiver resets the
    // countdown and starts it; it runs before the sound settings are taken and the dialog
    // closes.
    void countdownChosen(std::int32_t ms);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void presetChosen();
    void myTimerChosen();
    void confirm();          // "Ok"
    void chooseMusic();      // "Обзор..."
    void takeFileTime();     // "Принять время файла"
    void useStandardMusic(); // "Стандартный муз.файл"
    void toggleMusicPanel(); // "Муз.файл >>" / "<< Муз.файл"
    // Enter and Esc, seen before the control with the focus; true when the key is swallowed.
    bool handleKey(int key);
    // The field's milliseconds, or nothing after a message about its pair.
    std::optional<std::int32_t> readTimeField(QLineEdit* field, const QString& name, bool blankPairIsZero);

    TimerSound& sound_;
    SoundPlayer& player_;
    MessageBoxes& boxes_;
    std::string standardWav_;

    QRadioButton* presetRadio_ = nullptr;
    QComboBox* presetList_ = nullptr;
    QRadioButton* myTimerRadio_ = nullptr;
    QLineEdit* myTimerEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* musicButton_ = nullptr;

    QFrame* musicPanel_ = nullptr;
    QLineEdit* playTimeEdit_ = nullptr;
    QLineEdit* pauseEdit_ = nullptr;
    QLabel* fileTimeText_ = nullptr;
    QPushButton* takeFileTimeButton_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QPushButton* standardButton_ = nullptr;
};

} // namespace domora
