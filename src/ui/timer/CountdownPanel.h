#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace domora {

struct CountdownRows;

// The countdown half of the sub-page "Будильники и Таймер" (the lower half, under the alarm
// list): under the heading "Таймер" three rows of two-digit fields (hours, minutes, seconds)
// "Таймер установлен на" (StaticText17-19), "Прошло" (StaticText20-22), "Осталось"
// (StaticText23-25), and the buttons "Установить..." (SpeedButton19) and "Сбросить"
// (SpeedButton20). It shows; the countdown controller decides.
class CountdownPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 501;
    static constexpr int kHeight = 120;

    explicit CountdownPanel(QWidget* parent = nullptr);

    void showRows(const CountdownRows& rows);
    // The three fields of "Таймер установлен на" joined with ":".
    QString setTimeText() const;
    // "Установить..." and "Сбросить" together.
    void setButtonsEnabled(bool enabled);

signals:
    void setClicked();   // "Установить..."
    void resetClicked(); // "Сбросить"

private:
    using Row = std::array<QLabel*, 3>; // hours, minutes, seconds

    Row total_{};
    Row elapsed_{};
    Row left_{};
    QPushButton* setButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
};

} // namespace domora
