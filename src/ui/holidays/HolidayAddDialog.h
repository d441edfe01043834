#pragma once

#include "ui/holidays/HolidayDialog.h"

namespace domora {

// The add dialog "Добавить праздник...": a date, an event and a comment. Created when the page
// first opens it and kept; "Ok" inserts the holiday after the page's `addAfter()`.
class HolidayAddDialog : public HolidayDialog {
    Q_OBJECT
public:
    explicit HolidayAddDialog(HolidayPage& page);

private:
    void prepare() override;
    void confirm() override;
};

} // namespace domora
