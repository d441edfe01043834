#include "ui/balance/BalanceModule.h"

#include "core/balance/TariffStore.h"
#include "core/balance/Tariffs.h"
#include "core/base/NumberText.h"
#include "platform/ConnectionMonitor.h"
#include "platform/Platform.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/timeservices/TimeServicesModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSocketNotifier>
#include <QToolTip>

namespace domora {

namespace {

constexpr int kEditorPoll = 500;

// The hints are written with CR LF line ends; a tooltip breaks lines at LF alone.
QString Hint(const std::string& text) {
    return qs(text).remove(QLatin1Char('\r'));
}

} // namespace

BalanceModule::BalanceModule(const ModuleContext& context, TimeServicesModule& timeServices)
    : platform_(context.platform), boxes_(context.boxes), starter_(context.starter), host_(context.host),
      timeServices_(timeServices), pollTimer_(context.host.timer(TimerId::Connection)),
      editorTimer_(context.host.timer(TimerId::TariffReload)), standardToolTips_(QToolTip::palette()) {
    buildBalanceSection(context.host.page(Page::Options));
    connect(&editorTimer_, &IntervalTimer::timeout, this, &BalanceModule::Timer8Timer);
}

BalanceModule::~BalanceModule() = default;

// After the settings were loaded: the tables are read (damaged values replaced and named
// once), the account takes the last session as the page shows it, and the polls begin.
void BalanceModule::startUp() {
    TariffTables tables;
    std::vector<std::string> replaced;
    if (!LoadBalanceSettings(platform_.registry(), tables, &replaced)) {
        boxes_.error(host_.owner(), QStringLiteral("Не удалось открыть настройки счёта Dial-up. Баланс не "
                                                   "ведётся до следующего запуска программы."));
        return;
    }
    if (!replaced.empty()) {
        boxes_.error(host_.owner(), qs(ReplacedValuesMessage(replaced)));
    }
    account_.load(tables, ss(lastSession_->text()), ss(lastCost_->text()));
    started_ = true;

    monitor_ = &platform_.connection();
    if (monitor_->descriptor() >= 0) {
        connectionNotifier_ = new QSocketNotifier(monitor_->descriptor(), QSocketNotifier::Read, this);
        connect(connectionNotifier_, &QSocketNotifier::activated, this, &BalanceModule::Timer2Timer);
        // While the window is seen its clock keeps the hour's price current.
        host_.onClockTick([this](const DateTime&, const DateTime&) {
            if (!pollTimer_.running()) {
                Timer2Timer();
            }
        });
    }
    connect(&pollTimer_, &IntervalTimer::timeout, this, &BalanceModule::Timer2Timer);
    Timer2Timer();
}

void BalanceModule::Timer2Timer() {
    if (!started_) {
        return;
    }
    const ConnectionKind kind = monitor_->kind();
    const Clock& clock = platform_.clock();
    const BalanceAccount::Step step =
        account_.poll(kind, clock.tickCount(), clock.localNow(), warningsShown());
    render();
    showOnline(account_.online());
    // Online the session is timed twice a second; offline only a change of the connection
    // (or the clock of a window that is seen) wakes the account where the system tells of
    // changes.
    pollTimer_.setResting(!account_.online() && monitor_->descriptor() >= 0);

    const std::string failure = monitor_->takeFailure();
    if (!failure.empty()) {
        host_.notify(QStringLiteral("Соединение с Интернетом"), qs(failure));
    }
    if (step.sessionStarted && timeServices_.synchronizeOnConnect()) {
        timeServices_.SynchronizeNow();
    }
    // Each warning was marked as given before its box opens, so the polls that run while it
    // is open do not show it again.
    for (const std::string& warning : step.warnings) {
        boxes_.information(host_.owner(), qs(warning));
    }
}

void BalanceModule::render() {
    const BalanceDisplay& display = account_.display();
    balance_->setText(qs(display.balance));
    hourPrice_->setText(qs(display.hourPrice));
    hourPrice_->setToolTip(Hint(HourPriceHint(display.hourPrice)));
    lastSession_->setText(qs(display.duration));
    lastCost_->setText(qs(display.cost));
    if (account_.online()) {
        balance_->setToolTip(Hint(BalanceHint(display.balance)));
    }
}

// Green tooltips while online, the system's own offline.
void BalanceModule::showOnline(bool online) {
    if (online == shownOnline_) {
        return;
    }
    shownOnline_ = online;
    host_.showConnection(online, online ? QStringLiteral("Соединения с Internet\nприсутствует")
                                        : QStringLiteral("Соединения с Internet\nотсутствует"));
    QPalette tips = standardToolTips_;
    if (online) {
        tips.setColor(QPalette::ToolTipBase, QColor(0, 128, 0));
        tips.setColor(QPalette::ToolTipText, Qt::white);
    }
    QToolTip::setPalette(tips);
}

BalanceWarnings BalanceModule::warningsShown() const {
    BalanceWarnings shown;
    WarningRow* rows[] = {&shown.money, &shown.day, &shown.evening, &shown.night};
    for (std::size_t i = 0; i < warnings_.size(); ++i) {
        *rows[i] = {warnings_[i].on->isChecked(), ss(warnings_[i].threshold->text())};
    }
    return shown;
}

void BalanceModule::SpeedButton47Click() {
    try {
        SaveAdvance(platform_.registry(), account_.advanceShown());
    } catch (const RegistryError& error) {
        boxes_.error(host_.owner(),
                     QStringLiteral("Не удалось записать аванс в настройки: %1").arg(qs(error.what())));
        return;
    }
    std::string failure;
    editor_ = starter_.startWatched("Tallyup.exe", {"fac"}, platform_.location().appDir(), &failure);
    if (!editor_) {
        boxes_.error(host_.owner(),
                     QStringLiteral("Не удалось запустить программу настройки цен «tallyup»%1")
                         .arg(failure.empty() ? QStringLiteral(".") : QStringLiteral(": ") + qs(failure)));
        return;
    }
    // One editor at a time: the button waits for it to end.
    editorButton_->setEnabled(false);
    if (editor_->descriptor() >= 0) {
        editorNotifier_ = new QSocketNotifier(editor_->descriptor(), QSocketNotifier::Read, this);
        connect(editorNotifier_, &QSocketNotifier::activated, this, &BalanceModule::Timer8Timer);
    } else {
        editorTimer_.setInterval(kEditorPoll);
    }
}

void BalanceModule::Timer8Timer() {
    if (editor_ && editor_->finished()) {
        tariffEditorEnded();
    }
}

// The tables are read again only when the editor says it changed them.
void BalanceModule::tariffEditorEnded() {
    editorTimer_.setInterval(0);
    delete editorNotifier_;
    editorNotifier_ = nullptr;
    editor_.reset();
    editorButton_->setEnabled(true);
    Registry& registry = platform_.registry();
    if (!TariffsChanged(registry)) {
        return;
    }
    TariffTables tables;
    std::vector<std::string> replaced;
    if (LoadBalanceSettings(registry, tables, &replaced)) {
        account_.reload(tables);
        render();
    }
    try {
        ClearTariffsChanged(registry);
    } catch (const RegistryError&) {
        // read again at the next end of the editor
    }
    if (!replaced.empty()) {
        boxes_.error(host_.owner(), qs(ReplacedValuesMessage(replaced)));
    }
}

// At the end a session in progress is timed to this moment first, so that the balance
// stored is the balance at the end.
void BalanceModule::shutDown() {
    if (!started_) {
        return;
    }
    if (account_.online()) {
        const Clock& clock = platform_.clock();
        account_.poll(ConnectionKind::Proxy, clock.tickCount(), clock.localNow(), BalanceWarnings{});
    }
    storeBalance();
}

void BalanceModule::storeBalance() {
    const BalanceDisplay& display = account_.display();
    Registry& registry = platform_.registry();
    try {
        if (auto main = registry.openKey(RegHive::CurrentUser, kMainKey, true)) {
            if (const auto seconds = ParseDuration(display.duration)) {
                main->writeDouble("Last_Seans", StoredDuration(*seconds));
            }
            main->writeDouble("Last_Money", ParseFloat(display.cost).value_or(0));
            main->close();
        }
    } catch (const RegistryError&) {
        // the advance below is what matters most
    }
    // A price editor that saved after the account last read the tables gave the advance
    // that counts; it is not overwritten.
    if (TariffsChanged(registry)) {
        return;
    }
    double avans = account_.advance();
    if (avans / 100 != account_.advanceShown() / 100) {
        avans = account_.advanceShown();
    }
    try {
        SaveAdvance(registry, avans);
    } catch (const RegistryError&) {
        // nothing more can be done while the program ends
    }
}

void BalanceModule::buildBalanceSection(QWidget* page) {
    QGroupBox* balance =
        group(page, QStringLiteral("Выводить сообщение о низком балансе счёта Dial-up, если менее:"), 4, 180,
              505, 106);
    struct Row {
        WarningRow OptionsState::*setting;
        const char* boxName;
        const char* editName;
        QString unit;
    };
    const Row rows[] = {{&OptionsState::money, "CheckBox9", "Edit3", QStringLiteral("$")},
                        {&OptionsState::day, "CheckBox10", "Edit4", QStringLiteral("дневных часов")},
                        {&OptionsState::evening, "CheckBox12", "Edit6", QStringLiteral("вечерних часов")},
                        {&OptionsState::night, "CheckBox11", "Edit5", QStringLiteral("ночных часов")}};
    int y = 20;
    for (std::size_t i = 0; i < warnings_.size(); ++i) {
        const Row& row = rows[i];
        Warning& warning = warnings_[i];
        warning.setting = row.setting;
        warning.on = check(balance, row.boxName, QString(), 8, y + 1, 18);
        warning.threshold = place(new QLineEdit(QStringLiteral("1"), balance), row.editName, 28, y, 40, 20);
        warning.threshold->setMaxLength(10);
        // Whole numbers only, as they are typed.
        warning.threshold->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), warning.threshold));
        label(balance, row.unit, 72, y, 100, 20);
        y += 21;
    }
    label(balance, QStringLiteral("Баланс:"), 180, 20, 200, 18);
    balance_ = field(balance, "StaticText56", QStringLiteral("0"), 390, 20, 70, 18);
    label(balance, QStringLiteral("Сейчас один час стоит"), 180, 41, 200, 18);
    hourPrice_ = field(balance, "StaticText58", QStringLiteral("0"), 390, 41, 70, 18);
    label(balance, QStringLiteral("Последний сеанс связи длился и стоил"), 180, 62, 206, 18);
    lastSession_ = field(balance, "StaticText39", QStringLiteral("00:00:00"), 390, 62, 58, 18);
    lastCost_ = field(balance, "StaticText57", QStringLiteral("0,00"), 450, 62, 36, 18);
    label(balance, QStringLiteral("$"), 490, 62, 10, 18);
    editorButton_ =
        place(new QPushButton(QStringLiteral("Настройки..."), balance), "SpeedButton47", 180, 80, 110, 22);
    editorButton_->setToolTip(QStringLiteral("Аванс и цены одного часа по дням недели"));
    connect(editorButton_, &QPushButton::clicked, this, &BalanceModule::SpeedButton47Click);
}

void BalanceModule::showOptions(const OptionsState& state) {
    for (const Warning& warning : warnings_) {
        warning.on->setChecked((state.*warning.setting).on);
        warning.threshold->setText(qs((state.*warning.setting).threshold));
    }
    lastSession_->setText(qs(state.lastSession));
    lastCost_->setText(qs(state.lastCost));
    balance_->setText(qs(state.balance));
}

void BalanceModule::collectOptions(OptionsState& state) const {
    for (const Warning& warning : warnings_) {
        state.*warning.setting = {warning.on->isChecked(), ss(warning.threshold->text())};
    }
    state.lastSession = ss(lastSession_->text());
    state.lastCost = ss(lastCost_->text());
    state.balance = ss(balance_->text());
}

bool BalanceModule::focusOptionsField(OptionsField field) {
    WarningRow OptionsState::*setting = nullptr;
    switch (field) {
    case OptionsField::MoneyThreshold:
        setting = &OptionsState::money;
        break;
    case OptionsField::DayThreshold:
        setting = &OptionsState::day;
        break;
    case OptionsField::NightThreshold:
        setting = &OptionsState::night;
        break;
    case OptionsField::EveningThreshold:
        setting = &OptionsState::evening;
        break;
    case OptionsField::LastSession:
        return false; // a display, not typed into
    }
    for (const Warning& warning : warnings_) {
        if (warning.setting == setting) {
            warning.threshold->setFocus(Qt::OtherFocusReason);
            warning.threshold->selectAll();
            return true;
        }
    }
    return false;
}

void BalanceModule::optionsSaved() {
    account_.clearWarnings();
}

} // namespace domora
