#pragma once

#include "core/timeservices/TimeMap.h"

#include <QDialog>
#include <QImage>

#include <cstddef>
#include <functional>

class QCheckBox;
class QLabel;
class QTimer;

namespace domora {

class Clock;
class MapCanvas;

// The time map ("Карта времени", "Form3"): the world map at full size ("Image1") under a
// strip with the pointed city's time and name ("StaticText1") and the ocean switch
// ("CheckBox1" "Океан"). Pointing at a city selects it and puts a pulsing circle on it;
// the sea keeps the city chosen last, and so does closing the window.
//
// What it costs while not looked at: the city line is refreshed every 500 ms ("Timer1")
// only while the window is the active one, the circle pulses every 20 ms ("Timer2") only
// while the window is shown.
class TimeMapWindow : public QDialog {
    Q_OBJECT
public:
    // `source` gives the map picture, copied again at each activation.
    TimeMapWindow(const Clock& clock, std::function<QImage()> source);
    ~TimeMapWindow() override;

    std::size_t city() const { return city_; }
    const MapMarker& marker() const { return marker_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormActivate();
    void FormDeactivate();
    void Timer1Timer();
    void Timer2Timer();
    void Image1MouseMove(int x, int y);
    void CheckBox1Click();

    const Clock& clock_;
    std::function<QImage()> source_;
    std::size_t city_ = kStartCity;
    MapMarker marker_;
    QImage copied_; // the picture as copied at the last activation

    QLabel* line_ = nullptr;
    QCheckBox* ocean_ = nullptr;
    MapCanvas* canvas_ = nullptr;
    QTimer* lineTimer_ = nullptr;
    QTimer* pulseTimer_ = nullptr;
};

} // namespace domora
