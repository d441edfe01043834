#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace domora {

class SoundPlayer;

// The note of an alarm or of the holidays ahead: the message text or picture, the numbers
// of the records it was started for, the sound in a loop until the user closes it or puts
// it off for a few minutes. A command line it cannot understand is explained in the window
// instead.
class NoteWindow : public QWidget {
public:
    enum class Content { Text, Picture, Nothing, Error };

    explicit NoteWindow(SoundPlayer& player, QWidget* parent = nullptr);

    // Fills the window from the note program's arguments (without the program's name):
    // reads the message, opens the sound.
    void load(const QStringList& fields);
    // Shows the note centred on the screen, on top of other windows, and starts the sound.
    // A note shown while others are open takes the next place of a cascade (`place` 1, 2,
    // ... down and to the right of the centre), so that none hides another.
    void present();
    void setCascadePlace(int place) { cascadePlace_ = place; }
    static constexpr int kCascadeStep = 28;

    Content content() const { return content_; }
    // Lines telling about files that could not be used, shown under the message.
    const QStringList& notices() const { return notices_; }
    bool holiday() const { return holiday_; }

    // One line that describes what the window shows, for tests of the program:
    // "notebox: " then tab-separated key=value fields: title, content (text, picture,
    // nothing or error), text, picture, numbers, sound (the file, or "not"), sound_state
    // (playing, silent, missing or failed), notices (joined by " | "). Tabs and line breaks
    // inside values are written as \t and \n.
    QString report() const;

    // Called each time the note appears (at first and after each snooze).
    std::function<void()> onPresented;

    // The length of a snooze minute; tests shorten it.
    void setMinuteMs(int ms) { minuteMs_ = ms; }
    bool snoozed() const { return snoozeTimer_.isActive(); }
    // Milliseconds until a snoozed note comes back; -1 when it is not snoozed.
    int snoozeLeftMs() const { return snoozeTimer_.remainingTime(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void loadText(const QString& path);
    void loadPicture(const QString& path);
    void showError(const QString& error, const QStringList& fields);
    void openSound(const QString& path);
    void fill();
    void snooze();

    SoundPlayer& player_;
    Content content_ = Content::Nothing;
    QString text_;
    QString picturePath_;
    QList<int> numbers_;
    bool holiday_ = false;
    QString soundField_; // as given on the command line; empty for silence
    QString soundState_ = QStringLiteral("silent");
    QStringList notices_;
    int minuteMs_ = 60 * 1000;
    int cascadePlace_ = 0;
    QTimer snoozeTimer_;

    QLabel* heading_ = nullptr;
    QScrollArea* textArea_ = nullptr;
    QLabel* noteText_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* noticesLabel_ = nullptr;
    QComboBox* snoozeBox_ = nullptr;
    QPushButton* snoozeButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace domora
