#pragma once

#include "core/balance/BalanceAccount.h"
#include "ui/app/Module.h"

#include <QObject>
#include <QPalette>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSocketNotifier;

namespace domora {

class ConnectionMonitor;
class IntervalTimer;
class TimeServicesModule;
class WatchedProgram;

// The balance of a pre-paid metered connection: the section "Выводить сообщение о низком
// балансе счёта Dial-up, если менее:" of the Options page with its warnings, the balance,
// the price of an hour now and the last session; the connection picture of the status line;
// and the price editor `tallyup` started from "Настройки...".
//
// The connection is polled every 500 ms ("Timer2") while online, and where the system
// tells of no connection changes. Where it does (Linux), an offline program is woken by the
// change itself and by the window's clock while the window is seen, and costs nothing else.
class BalanceModule final : public QObject, public Module {
    Q_OBJECT
public:
    // A session that begins synchronises the clock when the time services say so.
    BalanceModule(const ModuleContext& context, TimeServicesModule& timeServices);
    ~BalanceModule() override;

    void showOptions(const OptionsState& state) override;
    void collectOptions(OptionsState& state) const override;
    void optionsSaved() override;
    bool focusOptionsField(OptionsField field) override;
    void startUp() override;
    void shutDown() override;

    const BalanceAccount& account() const { return account_; }

private:
    void buildBalanceSection(QWidget* page);
    // One poll of the connection with the accounting it drives.
    void Timer2Timer();
    void render();
    void showOnline(bool online);
    BalanceWarnings warningsShown() const;
    // "Настройки...": the balance shown becomes the stored advance and the price editor
    // starts; when it has ended, the tables it changed are read again.
    void SpeedButton47Click();
    void Timer8Timer();
    void tariffEditorEnded();
    // The advance, the last session's duration and cost, into the store.
    void storeBalance();

    Platform& platform_;
    MessageBoxes& boxes_;
    ProgramStarter& starter_;
    ModuleHost& host_;
    TimeServicesModule& timeServices_;
    IntervalTimer& pollTimer_;
    IntervalTimer& editorTimer_;
    ConnectionMonitor* monitor_ = nullptr; // from the start
    QSocketNotifier* connectionNotifier_ = nullptr;
    std::unique_ptr<WatchedProgram> editor_;
    QSocketNotifier* editorNotifier_ = nullptr;

    BalanceAccount account_;
    bool started_ = false;
    bool shownOnline_ = false;
    QPalette standardToolTips_;

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
    QPushButton* editorButton_ = nullptr;
};

} // namespace domora
