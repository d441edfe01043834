// The Options page of the main window: loading the settings at start, saving them with
// "Ok", and the options that act on the system (autostart, on top, keyboard).

#include "core/timeservices/ServerList.h"
#include "platform/Platform.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/TForm1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace domora {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ss(const QString& text) {
    return text.toStdString();
}

} // namespace

OptionsState TForm1::optionsFromControls() const {
    OptionsState state;
    state.startWith = ss(ComboBox1->currentText());
    state.startHow1 = RadioButton1->isChecked();
    state.startHow2 = RadioButton2->isChecked();
    state.startHow3 = RadioButton3->isChecked();
    state.autoStart = CheckBox1->isChecked();
    state.onTop = CheckBox2->isChecked();
    state.synchronization = CheckBox7->isChecked();
    state.messageSynchron = CheckBox8->isChecked();
    state.serverSynchron = ss(ComboBox3->currentText());
    state.russianKeyb = CheckBox5->isChecked();
    state.snfBigLetter = CheckBox6->isChecked();
    state.money = {CheckBox9->isChecked(), ss(Edit3->text())};
    state.day = {CheckBox10->isChecked(), ss(Edit4->text())};
    state.night = {CheckBox11->isChecked(), ss(Edit5->text())};
    state.evening = {CheckBox12->isChecked(), ss(Edit6->text())};
    state.lastSession = ss(StaticText39->text());
    state.lastCost = ss(StaticText57->text());
    state.balance = ss(StaticText56->text());
    return state;
}

void TForm1::optionsToControls(const OptionsState& state) {
    // The three start modes are set one after another as stored: a true one checks its
    // button and clears the others, a false one clears its own, so the last true wins.
    QRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3};
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

    ComboBox1->setCurrentText(qs(state.startWith));
    CheckBox1->setChecked(state.autoStart);
    CheckBox2->setChecked(state.onTop);
    CheckBox7->setChecked(state.synchronization);
    CheckBox8->setChecked(state.messageSynchron);
    ComboBox3->setCurrentText(qs(state.serverSynchron));
    CheckBox5->setChecked(state.russianKeyb);
    CheckBox6->setChecked(state.snfBigLetter);
    CheckBox9->setChecked(state.money.on);
    Edit3->setText(qs(state.money.threshold));
    CheckBox10->setChecked(state.day.on);
    Edit4->setText(qs(state.day.threshold));
    CheckBox11->setChecked(state.night.on);
    Edit5->setText(qs(state.night.threshold));
    CheckBox12->setChecked(state.evening.on);
    Edit6->setText(qs(state.evening.threshold));
    StaticText39->setText(qs(state.lastSession));
    StaticText57->setText(qs(state.lastCost));
    StaticText56->setText(qs(state.balance));
}

// Once, at the first activation: the settings into the page, then the start page and the
// start mode.
void TForm1::LoadSettings() {
    startedUp_ = true;
    Registry& registry = platform_.registry();
    if (!SettingsKeysExist(registry)) {
        WriteDefaults(registry);
        showFirstRunThanks();
    }
    OptionsState state = optionsFromControls();
    LoadOptions(registry, state, tariffs_);
    optionsToControls(state);

    // A start page text that is none of the five leaves the page as it is.
    selectPage(StartPageIndex(ss(ComboBox1->currentText())));
    if (RadioButton3->isChecked()) {
        showMinimized();
    }
    if (RadioButton2->isChecked()) {
        AddTrayIcon();
        hideAppButton_ = true;
        showMinimized();
    }
}

// "Ok" of the Options page.
void TForm1::Button1Click() {
    std::unique_ptr<RegistryKey> key = platform_.registry().openKey(RegHive::CurrentUser, kMainKey, false);
    if (key) {
        boxes_.information(this, QStringLiteral("Зафиксированно без ошибок"));
    }
    DeleteTrayIcon();
    SaveOutcome outcome;
    if (key) {
        outcome = SaveOptions(*key, optionsFromControls());
        try {
            key->close();
        } catch (const RegistryError&) {
            outcome.complete = false;
        }
    }
    BalanceWarned.fill(false);
    if (CheckBox1->isChecked()) {
        SetAutoStart();
    } else {
        RemoveAutoStart();
    }
    ApplyOnTop(CheckBox2->isChecked());
    ApplyKeyboard(CheckBox5->isChecked(), CheckBox6->isChecked());
    AddTrayIcon();

    // The notice above is given before anything is written; when the writing then fails
    // the user learns it here rather than trusting a half-stored page.
    if (!key) {
        boxes_.error(this,
                     QStringLiteral("Не удалось открыть раздел настроек программы. Настройки не сохранены."));
    } else if (!outcome.complete) {
        QString text = QStringLiteral("Сохранены не все настройки.");
        if (outcome.fieldNotValid) {
            text += QStringLiteral(" В поле «%1» должно стоять целое число или время; настройки после этого "
                                   "поля не сохранены.")
                        .arg(qs(outcome.stoppedAt));
        } else if (!outcome.stoppedAt.empty()) {
            text += QStringLiteral(" Не удалось записать %1; настройки после него не сохранены.")
                        .arg(qs(outcome.stoppedAt));
        }
        boxes_.error(this, text);
    }
}

void TForm1::SetAutoStart() {
    platform_.autostart().set(platform_.location().executablePath());
}

void TForm1::RemoveAutoStart() {
    platform_.autostart().remove();
}

void TForm1::ApplyOnTop(bool onTop) {
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

void TForm1::ApplyKeyboard(bool russian, bool capitalNames) {
    if (russian) {
        platform_.keyboard().activateRussian();
    }
    capitalNames_ = capitalNames;
}

// The time-server list into the Options page's server box. When the list cannot be read
// the box keeps what it had.
void TForm1::FillServerCombo() {
    const std::string path = platform_.location().appDir() + "Data/IServers.DMR";
    const std::optional<std::vector<std::string>> servers = LoadServers(platform_.files(), path);
    if (!servers) {
        boxes_.error(this,
                     QStringLiteral("Не удалось открыть файл списка серверов времени «%1».").arg(qs(path)));
        return;
    }
    ComboBox3->clear();
    ComboBox3->setCurrentText(QString());
    for (const std::string& server : *servers) {
        ComboBox3->addItem(qs(server));
    }
    ComboBox3->setCurrentText(QString());
}

} // namespace domora
