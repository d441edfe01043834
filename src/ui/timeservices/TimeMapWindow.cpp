#include "ui/timeservices/TimeMapWindow.h"

#include "ui/app/Place.h"
#include "ui/timeservices/WorldMapPicture.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace domora {

namespace {

constexpr int kStrip = MapMarker::kStripHeight;
constexpr int kLineInterval = 500;
constexpr int kPulseInterval = 20;

// The marker's square in the canvas's pixels (the canvas starts below the strip), widened
// by the pen that draws it.
QRect markerArea(const MapMarker& marker) {
    return QRect(marker.left, marker.top - kStrip, marker.size, marker.size).adjusted(-2, -2, 2, 2);
}

} // namespace

// The map control: the picture stretched to the control, the pulsing circle over it, and
// the pointer's moves with the mouse buttons up or down.
class MapCanvas : public QWidget {
public:
    MapCanvas(QWidget* parent, const MapMarker& marker, std::function<void(int, int)> moved)
        : QWidget(parent), marker_(marker), moved_(std::move(moved)) {
        setObjectName(QStringLiteral("Image1"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPicture(const QImage& picture) {
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setClipRegion(event->region());
        painter.drawImage(rect(), picture_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(255, 0, 255), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRect(marker_.left, marker_.top - kStrip, marker_.size, marker_.size));
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        moved_(at.x(), at.y());
    }

private:
    const MapMarker& marker_;
    std::function<void(int, int)> moved_;
    QImage picture_;
};

TimeMapWindow::TimeMapWindow(const Clock& clock, std::function<QImage()> source)
    : clock_(clock), source_(std::move(source)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Карта времени"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kMapWidth, kStrip + kMapHeight);

    const MapCity& start = kMapCities[kStartCity];
    marker_ = PlaceMarker(start.pointX, start.pointY);

    line_ = label(this, QString(), 4, 0, kMapWidth - 84, kStrip, "StaticText1");
    ocean_ = check(this, "CheckBox1", QStringLiteral("Океан"), kMapWidth - 76, 0, 72, kStrip);
    ocean_->setChecked(true);
    connect(ocean_, &QCheckBox::clicked, this, &TimeMapWindow::CheckBox1Click);
    canvas_ = place(new MapCanvas(this, marker_, [this](int x, int y) { Image1MouseMove(x, y); }), nullptr, 0,
                    kStrip, kMapWidth, kMapHeight);

    lineTimer_ = new QTimer(this);
    lineTimer_->setObjectName(QStringLiteral("Timer1"));
    connect(lineTimer_, &QTimer::timeout, this, &TimeMapWindow::Timer1Timer);
    pulseTimer_ = new QTimer(this);
    pulseTimer_->setObjectName(QStringLiteral("Timer2"));
    pulseTimer_->setTimerType(Qt::PreciseTimer);
    connect(pulseTimer_, &QTimer::timeout, this, &TimeMapWindow::Timer2Timer);
}

TimeMapWindow::~TimeMapWindow() = default;

bool TimeMapWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    } else if (event->type() == QEvent::WindowDeactivate) {
        FormDeactivate();
    }
    return QDialog::event(event);
}

void TimeMapWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    pulseTimer_->start(kPulseInterval);
}

void TimeMapWindow::hideEvent(QHideEvent* event) {
    pulseTimer_->stop();
    lineTimer_->stop();
    QDialog::hideEvent(event);
}

// The picture is copied afresh, drawn as the ocean box says (so that the box and the map
// agree after a reactivation), and the city line is shown at once, then every 500 ms.
void TimeMapWindow::FormActivate() {
    copied_ = source_();
    CheckBox1Click();
    Timer1Timer();
    lineTimer_->start(kLineInterval);
}

void TimeMapWindow::FormDeactivate() {
    lineTimer_->stop();
}

void TimeMapWindow::Timer1Timer() {
    line_->setText(QString::fromStdString(MapCityLine(clock_.utcNow(), kMapCities[city_], clock_)));
}

void TimeMapWindow::Timer2Timer() {
    const QRect before = markerArea(marker_);
    marker_.step();
    canvas_->update(before.united(markerArea(marker_)));
}

// Every move over a city puts the circle on it afresh; the sea changes nothing, so the last
// city stays and its circle goes on pulsing.
void TimeMapWindow::Image1MouseMove(int x, int y) {
    const std::size_t found = CityAt(x, y, kMapCities.size());
    if (found == kMapCities.size()) {
        return;
    }
    const QRect before = markerArea(marker_);
    city_ = found;
    marker_ = PlaceMarker(kMapCities[found].pointX, kMapCities[found].pointY);
    canvas_->update(before.united(markerArea(marker_)));
    Timer1Timer();
}

// The ocean in the map's own colour, or in the window's background colour.
void TimeMapWindow::CheckBox1Click() {
    canvas_->setPicture(ocean_->isChecked() ? copied_
                                            : ReplaceOcean(copied_, palette().color(QPalette::Window)));
}

} // namespace domora
