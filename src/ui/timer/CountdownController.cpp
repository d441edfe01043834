#include "ui/timer/CountdownController.h"

#include "ui/app/IntervalTimer.h"
#include "ui/app/TForm9.h"
#include "ui/sound/SoundPlayer.h"
#include "ui/timer/CountdownPanel.h"
#include "ui/timer/TForm10.h"
#include "ui/timer/TForm11.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <array>

namespace domora {

namespace {

// The menu slots in the order of kMenuPresets.
using Slot = void (CountdownController::*)();
constexpr std::array<Slot, kMenuPresets.size()> kPresetSlots = {
    &CountdownController::mnTSet1Click,   &CountdownController::mnTSet2Click,
    &CountdownController::mnTSet3Click,   &CountdownController::mnTSet4Click,
    &CountdownController::mnTSet5Click,   &CountdownController::mnTSet10Click,
    &CountdownController::mnTSet15Click,  &CountdownController::mnTSet30Click,
    &CountdownController::mnTSet45Click,  &CountdownController::mnTSet1hClick,
    &CountdownController::mnTSet15hClick, &CountdownController::mnTSet2hClick,
    &CountdownController::mnTSet3hClick,
};

} // namespace

CountdownController::CountdownController(CountdownPanel& panel, IntervalTimer& timer3, const Clock& clock,
                                         MessageBoxes& boxes, const std::string& standardWav,
                                         std::unique_ptr<SoundPlayer> player, QObject* parent)
    : QObject(parent), panel_(panel), timer3_(timer3), boxes_(boxes), player_(std::move(player)) {
    setObjectName(QStringLiteral("CountdownController"));
    sound_.TimerWav = standardWav;
    form10_ = std::make_unique<TForm10>(sound_, *player_, boxes_, standardWav);
    form11_ = std::make_unique<TForm11>(sound_, *player_, clock);

    connect(form10_.get(), &TForm10::countdownChosen, this, &CountdownController::start);
    connect(form11_.get(), &TForm11::ringingChanged, &panel_,
            [this](bool ringing) { panel_.setButtonsEnabled(!ringing); });
    connect(panel_.SpeedButton19, &QPushButton::clicked, this, &CountdownController::SpeedButton19Click);
    connect(panel_.SpeedButton20, &QPushButton::clicked, this, &CountdownController::SpeedButton20Click);
    connect(&timer3_, &IntervalTimer::timeout, this, &CountdownController::Timer3Timer);
    update();
}

CountdownController::~CountdownController() = default;

void CountdownController::attachMenu(QMenu* menu) {
    if (auto* set = menu->findChild<QAction*>(QStringLiteral("mnTSet"))) {
        set->setEnabled(true);
        connect(set, &QAction::triggered, this, &CountdownController::mnTSetClick);
    }
    for (std::size_t i = 0; i < kMenuPresets.size(); ++i) {
        const std::string_view name = kMenuPresets[i].objectName;
        auto* action =
            menu->findChild<QAction*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        if (action != nullptr) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, kPresetSlots[i]);
        }
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

void CountdownController::menuPreset(std::size_t index) {
    start(kMenuPresets.at(index).ms);
}

void CountdownController::SpeedButton19Click() {
    form10_->exec();
}

void CountdownController::SpeedButton20Click() {
    if (messageDialog_ == nullptr) {
        return;
    }
    messageDialog_->ShowMessageDialog(QStringLiteral("Вы действительно хотите сбросить таймер?"),
                                      TForm9::KindReset, TForm9::ButtonOk | TForm9::ButtonCancel, QString());
    if (messageDialog_->DialogResult() == TForm9::ResultButton1) {
        ResetCountdown();
    }
}

void CountdownController::Timer3Timer() {
    const bool rang = countdown_.Timer3Timer();
    update();
    if (rang) {
        form11_->Ring(panel_.setTimeText());
    }
}

void CountdownController::mnTSetClick() {
    emit mainWindowWanted();
    SpeedButton19Click();
}

void CountdownController::mnTSet1Click() {
    menuPreset(0);
}
void CountdownController::mnTSet2Click() {
    menuPreset(1);
}
void CountdownController::mnTSet3Click() {
    menuPreset(2);
}
void CountdownController::mnTSet4Click() {
    menuPreset(3);
}
void CountdownController::mnTSet5Click() {
    menuPreset(4);
}
void CountdownController::mnTSet10Click() {
    menuPreset(5);
}
void CountdownController::mnTSet15Click() {
    menuPreset(6);
}
void CountdownController::mnTSet30Click() {
    menuPreset(7);
}
void CountdownController::mnTSet45Click() {
    menuPreset(8);
}
void CountdownController::mnTSet1hClick() {
    menuPreset(9);
}
void CountdownController::mnTSet15hClick() {
    menuPreset(10);
}
void CountdownController::mnTSet2hClick() {
    menuPreset(11);
}
void CountdownController::mnTSet3hClick() {
    menuPreset(12);
}

} // namespace domora
