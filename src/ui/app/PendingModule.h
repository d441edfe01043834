#pragma once

#include "ui/app/Module.h"

#include "core/app/Settings.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace domora {

// The subsystem not built yet, as the user sees it today: the balance section of the Options
// page, whose values are loaded and saved while its button stays disabled. The balance
// module takes it over when it arrives.
class PendingModule final : public Module {
public:
    explicit PendingModule(const ModuleContext& context);

    void showOptions(const OptionsState& state) override;
    void collectOptions(OptionsState& state) const override;
    void optionsSaved() override;
    bool focusOptionsField(OptionsField field) override;

    // The low-balance warnings already given, one per row (money, day, evening, night);
    // saving the Options page clears them.
    const std::array<bool, 4>& balanceWarned() const { return balanceWarned_; }

private:
    void buildBalanceSection(QWidget* page);

    std::array<bool, 4> balanceWarned_{};

    // The four warning rows in page order, each with the setting it holds.
    struct Warning {
        WarningRow OptionsState::*setting = nullptr;
        QCheckBox* on = nullptr;
        QLineEdit* threshold = nullptr;
    };
    std::array<Warning, 4> warnings_{};
    QLabel* balance_ = nullptr;
    QLabel* hourPrice_ = nullptr;
    QLabel* lastSession_ = nullptr;
    QLabel* lastCost_ = nullptr;
};

} // namespace domora
