#include "ui/balance/TariffEditor.h"

#include "core/app/TimeText.h"
#include "core/balance/TariffStore.h"
#include "core/balance/TariffText.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/app/Resources.h"

#include <QCloseEvent>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTimeEdit>

#include <optional>
#include <vector>

namespace domora {
namespace {

using Day = TariffTables::Day;

// The three periods of a day: the price and the bounds each row of a page edits.
struct Period {
    const char* caption; // the row's label
    const char* inText;  // the price as a message names it
    double Day::*price;
    double Day::*from;
    double Day::*to;
};
constexpr std::array<Period, 3> kPeriods = {{
    {"Дневная", "дневная цена", &Day::dayPrice, &Day::dayFrom, &Day::dayTo},
    {"Вечерняя", "вечерняя цена", &Day::eveningPrice, &Day::eveningFrom, &Day::eveningTo},
    {"Ночная", "ночная цена", &Day::nightPrice, &Day::nightFrom, &Day::nightTo},
}};

constexpr std::array<const char*, 7> kShortDays = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

// Monday is weekday 2 of the names, Sunday 1.
QString DayName(int day) {
    return qs(WeekdayName(day == 6 ? 1 : day + 2));
}

QString PriceText(double hundredths) {
    return qs(DollarsText(hundredths));
}

// The time of day of a stored date-time value, to the second.
QTime TimeOf(double value) {
    return QTime::fromString(qs(FormatTimeOfDay(value)), QStringLiteral("HH:mm:ss"));
}

double OleOf(const QTime& time) {
    return OleTimeOfDay(time.hour(), time.minute(), time.second());
}

QString MaxText(double dollars) {
    return qs(FormatFloat(dollars));
}

} // namespace

TariffEditor::TariffEditor(Registry& registry, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), registry_(registry), boxes_(boxes) {
    RegisterResources();
    setObjectName(QStringLiteral("TfrmTallyup"));
    setWindowTitle(QStringLiteral("Tallyup"));
    setWindowIcon(QIcon(Picture("domora.png")));
    setFixedSize(392, 292);

    label(this, QStringLiteral("Аванс, $:"), 12, 14, 80, 18);
    avans_ = place(new QLineEdit(this), "Avans", 96, 11, 110, 23);
    avans_->setToolTip(QStringLiteral("Сколько долларов внесено за Интернет"));

    days_ = place(new QTabWidget(this), "Days", 12, 44, 368, 168);
    for (int day = 0; day < 7; ++day) {
        auto* page = new QWidget(days_);
        page->setObjectName(QStringLiteral("Day%1").arg(day + 1));
        buildDay(day, page);
        days_->addTab(page, QString::fromUtf8(kShortDays[static_cast<std::size_t>(day)]));
        days_->setTabToolTip(day, DayName(day));
    }
    QLabel* hint = label(this,
                         QStringLiteral("Цена 0 — в это время цены нет. Время может переходить через полночь "
                                        "(с 23:00:00 до 07:00:00)."),
                         12, 216, 368, 30, "Hint");
    hint->setWordWrap(true);

    copyButton_ = place(new QPushButton(QStringLiteral("Скопировать на все дни"), this), "CopyButton", 12,
                        254, 160, 26);
    saveButton_ = place(new QPushButton(QStringLiteral("Сохранить"), this), "SaveButton", 196, 254, 88, 26);
    cancelButton_ = place(new QPushButton(QStringLiteral("Отмена"), this), "CancelButton", 292, 254, 88, 26);
    copyButton_->setToolTip(QStringLiteral("Цены и время показанного дня — всем дням недели"));
    saveButton_->setToolTip(QStringLiteral("Сохранить и закрыть (Ctrl+S)"));
    connect(copyButton_, &QPushButton::clicked, this, &TariffEditor::copyToAllDays);
    connect(saveButton_, &QPushButton::clicked, this, &TariffEditor::saveAndClose);
    connect(cancelButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            &TariffEditor::saveAndClose);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    fill(stored_);
    avans_->setFocus();
}

void TariffEditor::buildDay(int day, QWidget* page) {
    const std::vector<std::string> money = MoneyValueNames(), times = TimesValueNames();
    QLabel* heading = label(page, DayName(day), 8, 6, 140, 18, "DayName");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    label(page, QStringLiteral("Цена, $/час"), 84, 26, 86, 18);
    label(page, QStringLiteral("с"), 180, 26, 80, 18);
    label(page, QStringLiteral("до"), 268, 26, 80, 18);
    DayControls& controls = controls_[static_cast<std::size_t>(day)];
    for (std::size_t row = 0; row < kPeriods.size(); ++row) {
        const int y = 46 + static_cast<int>(row) * 30;
        label(page, QString::fromUtf8(kPeriods[row].caption), 8, y + 3, 72, 18);
        const std::size_t price = 1 + static_cast<std::size_t>(day) * 3 + row;
        controls.prices[row] = place(new QLineEdit(page), money[price].c_str(), 84, y, 86, 23);
        for (std::size_t end = 0; end < 2; ++end) {
            const std::size_t bound = static_cast<std::size_t>(day) * 6 + row * 2 + end;
            auto* edit =
                place(new QTimeEdit(page), times[bound].c_str(), 180 + static_cast<int>(end) * 88, y, 80, 23);
            edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
            edit->setWrapping(true);
            controls.bounds[row * 2 + end] = edit;
        }
    }
}

void TariffEditor::load() {
    std::vector<std::string> replaced;
    TariffTables read;
    if (!LoadBalanceSettings(registry_, read, &replaced)) {
        boxes_.error(this,
                     QStringLiteral("Не удалось открыть раздел цен в настройках программы. Показаны нули; "
                                    "сохранить цены, скорее всего, тоже не удастся."));
    } else if (!replaced.empty()) {
        boxes_.information(this, qs(ReplacedValuesMessage(replaced)));
    }
    stored_ = read;
    fill(stored_);
}

void TariffEditor::fill(const TariffTables& tables) {
    avans_->setText(PriceText(tables.avans));
    for (std::size_t day = 0; day < controls_.size(); ++day) {
        const Day& values = tables.days[day];
        DayControls& controls = controls_[day];
        for (std::size_t row = 0; row < kPeriods.size(); ++row) {
            controls.prices[row]->setText(PriceText(values.*kPeriods[row].price));
            controls.bounds[row * 2]->setTime(TimeOf(values.*kPeriods[row].from));
            controls.bounds[row * 2 + 1]->setTime(TimeOf(values.*kPeriods[row].to));
        }
    }
}

bool TariffEditor::changed() const {
    if (avans_->text() != PriceText(stored_.avans)) {
        return true;
    }
    for (std::size_t day = 0; day < controls_.size(); ++day) {
        const Day& values = stored_.days[day];
        const DayControls& controls = controls_[day];
        for (std::size_t row = 0; row < kPeriods.size(); ++row) {
            if (controls.prices[row]->text() != PriceText(values.*kPeriods[row].price) ||
                controls.bounds[row * 2]->time() != TimeOf(values.*kPeriods[row].from) ||
                controls.bounds[row * 2 + 1]->time() != TimeOf(values.*kPeriods[row].to)) {
                return true;
            }
        }
    }
    return false;
}

int TariffEditor::shownDay() const {
    return days_->currentIndex();
}

void TariffEditor::copyToAllDays() {
    const DayControls& from = controls_[static_cast<std::size_t>(shownDay())];
    for (DayControls& to : controls_) {
        for (std::size_t i = 0; i < to.prices.size(); ++i) {
            to.prices[i]->setText(from.prices[i]->text());
        }
        for (std::size_t i = 0; i < to.bounds.size(); ++i) {
            to.bounds[i]->setTime(from.bounds[i]->time());
        }
    }
}

void TariffEditor::refuse(QLineEdit* edit, int day, const QString& message) {
    boxes_.error(this, message + QStringLiteral(" Ничего не сохранено."));
    if (day >= 0) {
        days_->setCurrentIndex(day);
    }
    edit->setFocus();
    edit->selectAll();
}

bool TariffEditor::collect(TariffTables& tables) {
    tables = stored_;
    // A field as it was shown keeps the stored value: its text may be rounded.
    if (avans_->text() != PriceText(stored_.avans)) {
        const std::optional<double> avans = ParseDollars(ss(avans_->text()), kMaxAvansDollars);
        if (!avans) {
            refuse(avans_, -1,
                   QStringLiteral("В поле «Аванс» должно стоять число долларов от 0 до %1 (например, 25,50).")
                       .arg(MaxText(kMaxAvansDollars)));
            return false;
        }
        tables.avans = *avans;
    }
    for (std::size_t day = 0; day < controls_.size(); ++day) {
        Day& values = tables.days[day];
        const Day& before = stored_.days[day];
        const DayControls& controls = controls_[day];
        for (std::size_t row = 0; row < kPeriods.size(); ++row) {
            const Period& period = kPeriods[row];
            QLineEdit* edit = controls.prices[row];
            if (edit->text() != PriceText(before.*period.price)) {
                const std::optional<double> price = ParseDollars(ss(edit->text()), kMaxPriceDollars);
                if (!price) {
                    refuse(edit, static_cast<int>(day),
                           QStringLiteral("В поле «%1: %2» должно стоять число долларов за час от 0 до %3 "
                                          "(например, 1,25; 0 — цены нет).")
                               .arg(DayName(static_cast<int>(day)), QString::fromUtf8(period.inText),
                                    MaxText(kMaxPriceDollars)));
                    return false;
                }
                values.*period.price = *price;
            }
            const std::array<double Day::*, 2> ends = {period.from, period.to};
            for (std::size_t end = 0; end < 2; ++end) {
                const QTime time = controls.bounds[row * 2 + end]->time();
                if (time != TimeOf(before.*ends[end])) {
                    values.*ends[end] = OleOf(time);
                }
            }
        }
    }
    return true;
}

bool TariffEditor::save() {
    TariffTables tables;
    if (!collect(tables)) {
        return false;
    }
    try {
        SaveBalanceSettings(registry_, tables);
    } catch (const RegistryError& error) {
        boxes_.error(this, QStringLiteral("Цены не сохранены: настройки программы не записываются.\n%1\n"
                                          "Введённое осталось в окне; попробуйте сохранить ещё раз.")
                               .arg(qs(error.what())));
        return false;
    }
    stored_ = tables;
    fill(stored_);
    return true;
}

void TariffEditor::saveAndClose() {
    if (save()) {
        closing_ = true;
        close();
    }
}

void TariffEditor::closeEvent(QCloseEvent* event) {
    if (closing_ || !changed()) {
        closing_ = true;
        event->accept();
        return;
    }
    switch (boxes_.questionWithCancel(this, QStringLiteral("Сохранить изменения?"))) {
    case MessageBoxes::Choice::Yes:
        if (save()) {
            closing_ = true;
            event->accept();
        } else {
            event->ignore();
        }
        break;
    case MessageBoxes::Choice::No:
        closing_ = true;
        event->accept();
        break;
    case MessageBoxes::Choice::Cancel:
        event->ignore();
        break;
    }
}

} // namespace domora
