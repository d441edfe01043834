#pragma once

#include <QWidget>

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

    QLabel* StaticText17 = nullptr;
    QLabel* StaticText18 = nullptr;
    QLabel* StaticText19 = nullptr;
    QLabel* StaticText20 = nullptr;
    QLabel* StaticText21 = nullptr;
    QLabel* StaticText22 = nullptr;
    QLabel* StaticText23 = nullptr;
    QLabel* StaticText24 = nullptr;
    QLabel* StaticText25 = nullptr;
    QPushButton* SpeedButton19 = nullptr;
    QPushButton* SpeedButton20 = nullptr;
};

} // namespace domora
