#pragma once

#include "ui/holidays/HolidayDialog.h"

class QLabel;

namespace domora {

// The edit dialog "Изменить настройки праздника": shows the page's selected holiday (old
// date StaticText1, event StaticText2 and comment StaticText3) beside the new values.
// Created when the page first opens it and kept; the date picker is never preset: the
// holiday always takes the picker's date.
class HolidayEditDialog : public HolidayDialog {
    Q_OBJECT
public:
    explicit HolidayEditDialog(HolidayPage& page);

private:
    void prepare() override;
    void confirm() override;

    QLabel* oldDate_ = nullptr;
    QLabel* oldEvent_ = nullptr;
    QLabel* oldComment_ = nullptr;
};

} // namespace domora
