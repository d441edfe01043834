// The Options page of the main window: loading the settings at start, saving them with
// "Ok", and the options that act on the system (autostart, on top, keyboard). The modules'
// sections of the page take part through their options steps.

#include "platform/Platform.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace domora {

OptionsState MainWindow::optionsFromControls() const {
    OptionsState state;
    state.startWith = ss(startPageCombo_->currentText());
    state.startHow1 = asWindowRadio_->isChecked();
    state.startHow2 = inTrayRadio_->isChecked();
    state.startHow3 = minimisedRadio_->isChecked();
    state.autoStart = autoStartCheck_->isChecked();
    state.onTop = onTopCheck_->isChecked();
    state.russianKeyb = russianKeyboardCheck_->isChecked();
    state.snfBigLetter = capitalNamesCheck_->isChecked();
    for (const std::unique_ptr<Module>& module : modules_) {
        module->collectOptions(state);
    }
    return state;
}

void MainWindow::optionsToControls(const OptionsState& state) {
    // The three start modes are set one after another as stored: a true one checks its
    // button and clears the others, a false one clears its own, so the last true wins.
    QRadioButton* radios[] = {asWindowRadio_, inTrayRadio_, minimisedRadio_};
    const bool stored[] = {state.startHow1, state.startHow2, state.startHow3};
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(false);
    }
    for (int i = 0; i < 3; ++i) {
        if (stored[i]) {
            for (QRadioButton* radio : radios) {
                radio->setChecked(false);
            }
        }
        radios[i]->setChecked(stored[i]);
    }
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(true);
    }

    startPageCombo_->setCurrentText(qs(state.startWith));
    autoStartCheck_->setChecked(state.autoStart);
    onTopCheck_->setChecked(state.onTop);
    russianKeyboardCheck_->setChecked(state.russianKeyb);
    capitalNamesCheck_->setChecked(state.snfBigLetter);
    for (const std::unique_ptr<Module>& module : modules_) {
        module->showOptions(state);
    }
}

// Once, at the first activation: the settings into the page, then the start page and the
// start mode.
void MainWindow::loadSettings() {
    startedUp_ = true;
    Registry& registry = platform_.registry();
    if (!SettingsKeysExist(registry)) {
        WriteDefaults(registry);
        showFirstRunThanks();
    }
    OptionsState state = optionsFromControls();
    LoadOptions(registry, state);
    optionsToControls(state);

    // A start page text that is none of the five leaves the page as it is.
    selectPage(StartPageIndex(ss(startPageCombo_->currentText())));
    if (minimisedRadio_->isChecked()) {
        showMinimized();
    }
    if (inTrayRadio_->isChecked()) {
        addTrayIcon();
        hideAppButton_ = true;
        showMinimized();
    }
}

// "Ok" of the Options page. Every field is checked first: a text that cannot be stored is
// named and focused, and nothing is stored. Success is reported only when every value was
// written.
void MainWindow::saveOptions() {
    const OptionsState state = optionsFromControls();
    if (const std::optional<InvalidOptionsField> invalid = CheckOptions(state)) {
        const QString wanted = invalid->wanted == OptionsWanted::Duration ? QStringLiteral("время (ч:мм:сс)")
                               : invalid->wanted == OptionsWanted::Hours
                                   ? QStringLiteral("целое число часов от 0 до 23")
                                   : QStringLiteral("целое число");
        boxes_.error(this, QStringLiteral("Настройки не сохранены: в поле «%1» должно стоять %2.")
                               .arg(qs(invalid->caption), wanted));
        for (const std::unique_ptr<Module>& module : modules_) {
            if (module->focusOptionsField(invalid->field)) {
                break;
            }
        }
        return;
    }
    std::unique_ptr<RegistryKey> key = platform_.registry().openKey(RegHive::CurrentUser, kMainKey, false);
    deleteTrayIcon();
    SaveOutcome outcome;
    if (key) {
        outcome = SaveOptions(*key, state);
        try {
            key->close();
        } catch (const RegistryError&) {
            outcome.complete = false;
        }
    }
    for (const std::unique_ptr<Module>& module : modules_) {
        module->optionsSaved();
    }
    if (autoStartCheck_->isChecked()) {
        platform_.autostart().set(platform_.location().executablePath());
    } else {
        platform_.autostart().remove();
    }
    applyOnTop(onTopCheck_->isChecked());
    applyKeyboard(russianKeyboardCheck_->isChecked(), capitalNamesCheck_->isChecked());
    addTrayIcon();

    if (!key) {
        boxes_.error(this,
                     QStringLiteral("Не удалось открыть раздел настроек программы. Настройки не сохранены."));
    } else if (!outcome.complete) {
        QString text = QStringLiteral("Сохранены не все настройки.");
        if (!outcome.stoppedAt.empty()) {
            text += QStringLiteral(" Не удалось записать %1; настройки после него не сохранены.")
                        .arg(qs(outcome.stoppedAt));
        }
        boxes_.error(this, text);
    } else {
        boxes_.information(this, QStringLiteral("Зафиксированно без ошибок"));
    }
}

void MainWindow::applyOnTop(bool onTop) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    // Changing the window flags hides the window: bring it back as it was.
    const bool wasVisible = isVisible();
    const Qt::WindowStates state = windowState();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        setWindowState(state);
        show();
    }
}

void MainWindow::applyKeyboard(bool russian, bool capitalNames) {
    if (russian) {
        platform_.keyboard().activateRussian();
    }
    capitalNames_ = capitalNames;
}

} // namespace domora
