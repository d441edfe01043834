#include "ui/timer/CountdownController.h"

#include "ui/app/IntervalTimer.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"
#include "ui/sound/SoundPlayer.h"
#include "ui/timer/CountdownPanel.h"
#include "ui/timer/CountdownRingWindow.h"
#include "ui/timer/CountdownSetupDialog.h"

#include <QAction>
#include <QMenu>

#include <array>

namespace domora {

CountdownController::CountdownController(CountdownPanel& panel, IntervalTimer& timer3, const Clock& clock,
                                         MessageBoxes& boxes, MessageDialog& messageDialog,
                                         const std::string& standardWav, std::unique_ptr<SoundPlayer> player,
                                         QObject* parent)
    : QObject(parent), panel_(panel), timer3_(timer3), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog), standardWav_(standardWav), player_(std::move(player)) {
    setObjectName(QStringLiteral("CountdownController"));
    // The standard sound, as the setup dialog sets it when it is made.
    sound_.TimerWav = standardWav;
    connect(&panel_, &CountdownPanel::setClicked, this, &CountdownController::openSetup);
    connect(&panel_, &CountdownPanel::resetClicked, this, &CountdownController::askReset);
    connect(&timer3_, &IntervalTimer::timeout, this, &CountdownController::Timer3Timer);
    update();
}

CountdownController::~CountdownController() = default;

CountdownSetupDialog& CountdownController::setupDialog() {
    if (!setupDialog_) {
        setupDialog_ = std::make_unique<CountdownSetupDialog>(sound_, *player_, boxes_, standardWav_);
        connect(setupDialog_.get(), &CountdownSetupDialog::countdownChosen, this,
                &CountdownController::start);
    }
    return *setupDialog_;
}

CountdownRingWindow& CountdownController::ringWindow() {
    if (!ringWindow_) {
        ringWindow_ = std::make_unique<CountdownRingWindow>(sound_, *player_, clock_);
        connect(ringWindow_.get(), &CountdownRingWindow::ringingChanged, &panel_,
                [this](bool ringing) { panel_.setButtonsEnabled(!ringing); });
    }
    return *ringWindow_;
}

void CountdownController::addMenu(QMenu& menu) {
    QMenu* sub = addSubmenu(menu, "mnTimer", QStringLiteral("&Таймер"));
    addItem(*sub, "mnTSet", QStringLiteral("&Установить..."), this, &CountdownController::openSetupFromMenu);
    for (std::size_t i = 0; i < kMenuPresets.size(); ++i) {
        const MenuPreset& preset = kMenuPresets[i];
        if (preset.separatorBefore) {
            sub->addSeparator();
        }
        const std::string name(preset.objectName);
        addItem(*sub, name.c_str(),
                QString::fromUtf8(preset.caption.data(), static_cast<qsizetype>(preset.caption.size())), this,
                [this, i] { startPreset(i); });
    }
}

void CountdownController::update() {
    panel_.showRows(countdown_.rows);
    if (timer3_.interval() != countdown_.Timer3Interval) {
        timer3_.setInterval(countdown_.Timer3Interval);
    }
}

void CountdownController::ResetCountdown() {
    countdown_.ResetCountdown();
    update();
}

void CountdownController::start(std::int32_t ms) {
    // Reset first, so that Timer3 stops and a new count starts a full second before its
    // first tick.
    ResetCountdown();
    countdown_.Start(ms);
    update();
}

void CountdownController::startPreset(std::size_t index) {
    start(kMenuPresets.at(index).ms);
}

void CountdownController::openSetup() {
    CountdownSetupDialog& dialog = setupDialog();
    ownBy(dialog, &panel_);
    dialog.exec();
}

void CountdownController::askReset() {
    messageDialog_.ShowMessageDialog(
        QStringLiteral("Вы действительно хотите сбросить таймер?"), MessageDialog::KindReset,
        MessageDialog::ButtonOk | MessageDialog::ButtonCancel, QString(), &panel_);
    if (messageDialog_.DialogResult() == MessageDialog::ResultButton1) {
        ResetCountdown();
    }
}

void CountdownController::Timer3Timer() {
    const bool rang = countdown_.Timer3Timer();
    update();
    if (rang) {
        ringWindow().Ring(panel_.setTimeText());
    }
}

void CountdownController::openSetupFromMenu() {
    emit mainWindowWanted();
    openSetup();
}

} // namespace domora
