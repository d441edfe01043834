#pragma once

#include <QPixmap>
#include <QWidget>

namespace domora {

// The small world map of the page "Время в мире" ("Image1"): the map picture scaled to the
// control, drawn opaque, or with a transparent ocean through which the page shows. The
// picture is read when the map is first painted, not while the page has never been seen.
class WorldMapView : public QWidget {
    Q_OBJECT
public:
    explicit WorldMapView(QWidget* parent);

    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool opaque_ = true;
    QPixmap scaled_; // for the size and opacity it was made for
    QSize scaledSize_;
    bool scaledOpaque_ = true;
};

} // namespace domora
