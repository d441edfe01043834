#pragma once

#include <QCheckBox>

namespace domora {

// A check box whose caption wraps onto further lines within the box's width; the whole
// area, caption included, toggles it.
class WrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace domora
