#include "ui/holidays/HolidayPage.h"

#include "core/app/Registry.h"
#include "core/base/Clock.h"
#include "core/holidays/HolidaySettings.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/holidays/HolidayAddDialog.h"
#include "ui/holidays/HolidayEditDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

namespace domora {

namespace {

constexpr int kColumnWidths[4] = {29, 44, 328, 64};
constexpr char kFileMissingRow[] = "Ошибка! Файл Celeb.dmr не найден";

} // namespace

HolidayPage::HolidayPage(HolidayStore& store, Registry& registry, const Clock& clock, MessageBoxes& boxes,
                         MessageDialog& messageDialog, IntervalTimer& eventTimer, QWidget* parent)
    : QWidget(parent), store_(store), registry_(registry), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog), eventTimer_(eventTimer) {
    setObjectName(QStringLiteral("CelebPage"));

    table_ = new QTableWidget(1, 4, this);
    table_->setObjectName(QStringLiteral("CelebTable"));
    table_->setGeometry(4, 4, 495, 190);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(16);
    table_->verticalHeader()->setMinimumSectionSize(15);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setFixedHeight(17);
    table_->horizontalHeader()->setStretchLastSection(true);
    QStringList headers;
    for (int column = 0; column < 4; ++column) {
        table_->setColumnWidth(column, kColumnWidths[column]);
        headers << qs(kHolidayHeader[static_cast<std::size_t>(column)]);
    }
    table_->setHorizontalHeaderLabels(headers);
    for (int column = 0; column < headers.size(); ++column) {
        table_->horizontalHeaderItem(column)->setToolTip(headers[column]); // a cut heading whole
    }
    // "Месяц" is wider than its column: from its first letter on, as far as it goes.
    table_->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { rowSelected(row + 1); });
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { rowSelected(row + 1); });

    const ButtonDef<HolidayPage> buttons[] = {
        {&todayButton_, "SpeedButton16", QStringLiteral("Сегодня"), &HolidayPage::showToday},
        {&monthButton_, "SpeedButton17", QStringLiteral("В этом месяце"), &HolidayPage::showThisMonth},
        {&allButton_, "SpeedButton11", QStringLiteral("Показать все"), &HolidayPage::showAll},
        {&addButton_, "SpeedButton4", QStringLiteral("Добавить..."), &HolidayPage::addHoliday},
        {&changeButton_, "SpeedButton12", QStringLiteral("Изменить..."), &HolidayPage::changeHoliday},
        {&deleteButton_, "SpeedButton22", QStringLiteral("Удалить... "), &HolidayPage::deleteHoliday},
    };
    placeButtonRow(this, buttons, QRect(4, 198, 80, 23), 83);

    reminderPanel_ = new QFrame(this);
    reminderPanel_->setObjectName(QStringLiteral("Panel1"));
    reminderPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    reminderPanel_->setGeometry(4, 225, 495, 28);
    reminderCheck_ = new QCheckBox(QStringLiteral("Сообщать о наступлении даты"), reminderPanel_);
    reminderCheck_->setObjectName(QStringLiteral("CheckBox4"));
    reminderCheck_->setGeometry(8, 5, 200, 18);
    daysBeforeLabel_ = new QLabel(QStringLiteral("за"), reminderPanel_);
    daysBeforeLabel_->setObjectName(QStringLiteral("Label14"));
    daysBeforeLabel_->setGeometry(214, 5, 18, 18);
    daysList_ = new QComboBox(reminderPanel_);
    daysList_->setObjectName(QStringLiteral("ComboBox2"));
    daysList_->setGeometry(234, 3, 56, 22);
    daysList_->setEditable(true);
    daysList_->setInsertPolicy(QComboBox::NoInsert);
    daysList_->addItems({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "30"});
    daysList_->setCurrentText(QStringLiteral("0"));
    daysAfterLabel_ = new QLabel(QStringLiteral("дней до наступления"), reminderPanel_);
    daysAfterLabel_->setObjectName(QStringLiteral("Label15"));
    daysAfterLabel_->setGeometry(296, 5, 160, 18);
    for (QWidget* widget : {static_cast<QWidget*>(daysList_), static_cast<QWidget*>(daysBeforeLabel_),
                            static_cast<QWidget*>(daysAfterLabel_)}) {
        widget->setEnabled(false);
    }
    // Only the user's clicks and edits: loading the settings sets the controls quietly,
    // except the checkbox, whose change arms saving.
    connect(reminderCheck_, &QCheckBox::toggled, this, &HolidayPage::reminderToggled);
    connect(daysList_->lineEdit(), &QLineEdit::textEdited, this, &HolidayPage::daysAheadChanged);
    connect(daysList_, &QComboBox::textActivated, this, &HolidayPage::daysAheadChanged);
    // A half-typed text (emptied) goes back to the last whole number when the list is left.
    connect(daysList_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (!ParseDaysAhead(daysList_->currentText().toStdString())) {
            daysList_->setEditText(lastDaysText_);
        }
    });
}

HolidayPage::~HolidayPage() = default;

HolidayAddDialog& HolidayPage::addDialog() {
    if (!addDialog_) {
        addDialog_ = std::make_unique<HolidayAddDialog>(*this);
    }
    return *addDialog_;
}

HolidayEditDialog& HolidayPage::editDialog() {
    if (!editDialog_) {
        editDialog_ = std::make_unique<HolidayEditDialog>(*this);
    }
    return *editDialog_;
}

std::optional<int> HolidayPage::reminderDaysAhead() const {
    if (!reminderCheck_->isChecked()) {
        return std::nullopt;
    }
    return ParseDaysAhead(daysList_->currentText().toStdString());
}

void HolidayPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        pageShown();
    }
}

void HolidayPage::pageShown() {
    viewMode_ = HolidayViewMode::All;
    if (store_.CelebFileExists()) {
        if (eventTimer_.interval() == 0) {
            eventTimer_.setInterval(1000);
        }
        setButtonsEnabled(true);
        reminderPanel_->setEnabled(true);
        reminderCheck_->setEnabled(true);
        if (daysListWasEnabled_) {
            daysList_->setEnabled(true);
            daysBeforeLabel_->setEnabled(true);
            daysAfterLabel_->setEnabled(true);
        }
        showAll();
    } else {
        showFileMissing(false);
    }
    const HolidaySettings settings = LoadHolidaySettings(registry_);
    if (settings.Celebr) {
        reminderCheck_->setChecked(*settings.Celebr);
    }
    if (settings.Kolich) {
        lastDaysText_ = QString::number(*settings.Kolich);
        daysList_->setEditText(lastDaysText_);
    }
    // Every later change the user makes is written, also when the stored reminder was off
    // and loading ticked nothing.
    saveArmed_ = true;
}

void HolidayPage::showFileMissing(bool fromTimer) {
    filling_ = true;
    table_->clearContents();
    table_->setRowCount(1);
    table_->setItem(0, 2, new QTableWidgetItem(QString::fromUtf8(kFileMissingRow)));
    filling_ = false;
    setButtonsEnabled(false);
    if (fromTimer) {
        reminderCheck_->setEnabled(false);
        daysList_->setEnabled(false);
    } else {
        reminderPanel_->setEnabled(false);
        daysListWasEnabled_ = daysList_->isEnabled();
    }
}

void HolidayPage::reminderToggled() {
    const bool on = reminderCheck_->isChecked();
    daysList_->setEnabled(on);
    daysBeforeLabel_->setEnabled(on);
    daysAfterLabel_->setEnabled(on);
    daysAheadChanged();
}

void HolidayPage::daysAheadChanged() {
    const QString text = daysList_->currentText();
    if (!ParseDaysAhead(text.toStdString())) {
        // An emptied list waits for the number; anything else is refused at once.
        if (!text.trimmed().isEmpty()) {
            boxes_.error(this, QString::fromUtf8(kDaysAheadRefused));
            daysList_->setEditText(lastDaysText_);
        }
        return;
    }
    lastDaysText_ = text;
    if (!saveArmed_) {
        saveArmed_ = true;
        return;
    }
    // A registry failure is not reported: the reminder keeps working on the list's text.
    SaveHolidaySettings(registry_, reminderCheck_->isChecked(), text.toStdString());
}

void HolidayPage::rowSelected(int row) {
    if (filling_ || row < 1) {
        return;
    }
    selectedRow_ = row;
}

void HolidayPage::setButtonsEnabled(bool enabled) {
    for (QPushButton* button :
         {todayButton_, monthButton_, allButton_, addButton_, changeButton_, deleteButton_}) {
        button->setEnabled(enabled);
    }
}

void HolidayPage::setEditButtonsEnabled(bool enabled) {
    changeButton_->setEnabled(enabled);
    deleteButton_->setEnabled(enabled);
}

void HolidayPage::refill() {
    const HolidayView view = ShowHolidays(store_, viewMode_, clock_.localNow());
    if (!view.result) {
        boxes_.error(this, qs(view.result.message));
        return;
    }
    filling_ = true;
    table_->clearContents();
    table_->setRowCount(static_cast<int>(view.rows.size()));
    int row = 0;
    for (const HolidayRow& cells : view.rows) {
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(qs(cells[static_cast<std::size_t>(column)]));
            item->setToolTip(item->text()); // the whole text of a cell its column cuts
            table_->setItem(row, column, item);
        }
        ++row;
    }
    table_->setCurrentCell(-1, -1);
    filling_ = false;
    setEditButtonsEnabled(view.hasHolidays);
}

void HolidayPage::setView(HolidayViewMode mode) {
    viewMode_ = mode;
    refill();
}

void HolidayPage::showToday() {
    setView(HolidayViewMode::Today);
}

void HolidayPage::showThisMonth() {
    setView(HolidayViewMode::ThisMonth);
}

void HolidayPage::showAll() {
    setView(HolidayViewMode::All);
    const bool on = reminderCheck_->isChecked();
    daysList_->setEnabled(on);
    daysBeforeLabel_->setEnabled(on);
    daysAfterLabel_->setEnabled(on);
}

HolidayRow HolidayPage::rowCells(int row) const {
    HolidayRow cells;
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem* item = table_->item(row - 1, column);
        if (item != nullptr) {
            cells[static_cast<std::size_t>(column)] = item->text().toStdString();
        }
    }
    return cells;
}

void HolidayPage::selectRow(int row) {
    if (row >= 1 && row <= table_->rowCount()) {
        table_->selectRow(row - 1);
    }
    selectedRow_ = row;
}

int HolidayPage::currentRow() const {
    const int row = table_->currentRow();
    return row >= 0 ? row + 1 : selectedRow_;
}

// "Добавить...": the place follows from the view (PlaceNewHoliday); a filtered view gives
// way to the full one first.
void HolidayPage::addHoliday() {
    const HolidayList list = store_.ReadCelebs();
    if (!list.result) {
        boxes_.error(this, qs(list.result.message));
        return;
    }
    const bool full = viewMode_ == HolidayViewMode::All;
    const HolidayAddPlace place =
        PlaceNewHoliday(viewMode_, list.holidays, clock_.localNow(), full ? selectedRow_ : currentRow());
    addAfter_ = place.after;
    if (!full) {
        setView(HolidayViewMode::All);
    }
    if (place.select != 0) {
        selectRow(place.select);
    }
    if (place.open) {
        HolidayAddDialog& dialog = addDialog();
        ownBy(dialog, this);
        dialog.exec();
    }
}

void HolidayPage::findInFullList() {
    if (viewMode_ == HolidayViewMode::All) {
        return;
    }
    const HolidayRow selected = rowCells(currentRow());
    showAll();
    const HolidayView full = ShowAllHolidays(store_);
    const int row = FindHolidayInFullList(full, selected);
    if (row != 0) {
        selectRow(row);
    }
}

void HolidayPage::changeHoliday() {
    findInFullList();
    HolidayEditDialog& dialog = editDialog();
    ownBy(dialog, this);
    dialog.exec();
}

void HolidayPage::deleteHoliday() {
    findInFullList();
    const QString text =
        QStringLiteral("Выделена запись праздника №%1 \r\nВы действительно хотите удалить этот праздник?")
            .arg(selectedRow_);
    messageDialog_.ShowMessageDialog(
        text, MessageDialog::KindDelete,
        MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll, QString(), this);
    const int answer = messageDialog_.DialogResult();
    if (answer == MessageDialog::ResultButton1 && selectedRow_ != 0) {
        report(store_.DeleteCeleb(selectedRow_));
    } else if (answer == MessageDialog::ResultButton3) {
        report(store_.ClearCelebs());
    }
}

void HolidayPage::report(const HolidayStoreResult& result) {
    if (!result && result.status != HolidayStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

} // namespace domora
