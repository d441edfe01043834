#pragma once

#include "ui/holidays/CelebDialog.h"

namespace domora {

// The add dialog "Добавить праздник...": a date, an event and a comment. Created once at
// start-up; "Ok" inserts the holiday after the page's `AddAfter`.
class TForm6 : public CelebDialog {
    Q_OBJECT
public:
    explicit TForm6(CelebPage& page);

public slots:
    void FormShow() override;
    void SpeedButton1Click() override;
};

} // namespace domora
