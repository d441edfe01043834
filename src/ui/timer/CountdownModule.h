#pragma once

#include "ui/app/Module.h"

#include <memory>
#include <string>

namespace domora {

class CountdownController;

// The countdown timer: its panel under the alarm list on "Будильники и Таймер", its
// dialogs, Timer3 and the "&Таймер" branch of the tray menu.
class CountdownModule final : public Module {
public:
    explicit CountdownModule(const ModuleContext& context);
    ~CountdownModule() override;

    void addMenuBranch(QMenu& menu) override;

    // The countdown's sound as the user last chose it.
    std::string timerSound() const;

private:
    std::unique_ptr<CountdownController> controller_;
};

} // namespace domora
