#include "ui/holidays/HolidayPage.h"

#include "core/app/Registry.h"
#include "core/base/Clock.h"
#include "core/holidays/HolidaySettings.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
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

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kColumnWidths[4] = {29, 44, 328, 64};
constexpr char kFileMissingRow[] = "Ошибка! Файл Celeb.dmr не найден";

} // namespace

HolidayPage::HolidayPage(HolidayStore& store, Registry& registry, const Clock& clock, MessageBoxes& boxes,
                         MessageDialog& messageDialog, IntervalTimer& eventTimer, QWidget* parent)
    : QWidget(parent), store_(store), registry_(registry), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog), eventTimer_(eventTimer) {
    setObjectName(QStringLiteral("HolidayPage"));

    CelebTable = new QTableWidget(1, 4, this);
    CelebTable->setObjectName(QStringLiteral("CelebTable"));
    CelebTable->setGeometry(4, 4, 495, 190);
    CelebTable->verticalHeader()->hide();
    CelebTable->verticalHeader()->setDefaultSectionSize(16);
    CelebTable->verticalHeader()->setMinimumSectionSize(15);
    CelebTable->horizontalHeader()->setHighlightSections(false);
    CelebTable->horizontalHeader()->setFixedHeight(17);
    CelebTable->horizontalHeader()->setStretchLastSection(true);
    QStringList headers;
    for (int column = 0; column < 4; ++column) {
        CelebTable->setColumnWidth(column, kColumnWidths[column]);
        headers << qs(kHolidayHeader[static_cast<std::size_t>(column)]);
    }
    CelebTable->setHorizontalHeaderLabels(headers);
    CelebTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CelebTable->setSelectionMode(QAbstractItemView::SingleSelection);
    CelebTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CelebTable->setWordWrap(false);
    connect(CelebTable, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { CelebTableSelectCell(column, row + 1); });
    connect(CelebTable, &QTableWidget::cellClicked, this,
            [this](int row, int column) { CelebTableSelectCell(column, row + 1); });

    struct Button {
        QPushButton** button;
        const char* name;
        QString caption;
        void (HolidayPage::*slot)();
    };
    const Button buttons[] = {
        {&SpeedButton16, "SpeedButton16", QStringLiteral("Сегодня"), &HolidayPage::SpeedButton16Click},
        {&SpeedButton17, "SpeedButton17", QStringLiteral("В этом месяце"), &HolidayPage::SpeedButton17Click},
        {&SpeedButton11, "SpeedButton11", QStringLiteral("Показать все"), &HolidayPage::SpeedButton11Click},
        {&SpeedButton4, "SpeedButton4", QStringLiteral("Добавить..."), &HolidayPage::SpeedButton4Click},
        {&SpeedButton12, "SpeedButton12", QStringLiteral("Изменить..."), &HolidayPage::SpeedButton12Click},
        {&SpeedButton22, "SpeedButton22", QStringLiteral("Удалить... "), &HolidayPage::SpeedButton22Click},
    };
    int x = 4;
    for (const Button& def : buttons) {
        *def.button = new QPushButton(def.caption, this);
        (*def.button)->setObjectName(QString::fromLatin1(def.name));
        (*def.button)->setGeometry(x, 198, 80, 23);
        connect(*def.button, &QPushButton::clicked, this, def.slot);
        x += 83;
    }

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(4, 225, 495, 28);
    CheckBox4 = new QCheckBox(QStringLiteral("Сообщать о наступлении даты"), Panel1);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    CheckBox4->setGeometry(8, 5, 200, 18);
    Label14 = new QLabel(QStringLiteral("за"), Panel1);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->setGeometry(214, 5, 18, 18);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(234, 3, 56, 22);
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->addItems({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "30"});
    ComboBox2->setCurrentText(QStringLiteral("0"));
    Label15 = new QLabel(QStringLiteral("дней до наступления"), Panel1);
    Label15->setObjectName(QStringLiteral("Label15"));
    Label15->setGeometry(296, 5, 160, 18);
    for (QWidget* widget :
         {static_cast<QWidget*>(ComboBox2), static_cast<QWidget*>(Label14), static_cast<QWidget*>(Label15)}) {
        widget->setEnabled(false);
    }
    // Only the user's clicks and edits: loading the settings sets the controls quietly,
    // except the checkbox, whose change arms saving.
    connect(CheckBox4, &QCheckBox::toggled, this, &HolidayPage::CheckBox4Click);
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, &HolidayPage::ComboBox2Change);
    connect(ComboBox2, &QComboBox::textActivated, this, &HolidayPage::ComboBox2Change);
    // A half-typed text (emptied) goes back to the last whole number when the list is left.
    connect(ComboBox2->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (!ParseDaysAhead(ComboBox2->currentText().toStdString())) {
            ComboBox2->setEditText(lastDaysText_);
        }
    });

    addDialog_ = std::make_unique<HolidayAddDialog>(*this);
    editDialog_ = std::make_unique<HolidayEditDialog>(*this);
}

HolidayPage::~HolidayPage() = default;

std::optional<int> HolidayPage::reminderDaysAhead() const {
    if (!CheckBox4->isChecked()) {
        return std::nullopt;
    }
    return ParseDaysAhead(ComboBox2->currentText().toStdString());
}

void HolidayPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        TabSheet8Show();
    }
}

void HolidayPage::TabSheet8Show() {
    HolidayViewMode = domora::HolidayViewMode::All;
    if (store_.CelebFileExists()) {
        if (eventTimer_.interval() == 0) {
            eventTimer_.setInterval(1000);
        }
        setButtonsEnabled(true);
        Panel1->setEnabled(true);
        CheckBox4->setEnabled(true);
        if (Panel1Tag == 1) {
            ComboBox2->setEnabled(true);
            Label14->setEnabled(true);
            Label15->setEnabled(true);
        }
        SpeedButton11Click();
    } else {
        showFileMissing(false);
    }
    const HolidaySettings settings = LoadHolidaySettings(registry_);
    if (settings.Celebr) {
        CheckBox4->setChecked(*settings.Celebr);
    }
    if (settings.Kolich) {
        lastDaysText_ = QString::number(*settings.Kolich);
        ComboBox2->setEditText(lastDaysText_);
    }
    // Every later change the user makes is written, also when the stored reminder was off
    // and loading ticked nothing.
    CelebSaveArmed = true;
}

void HolidayPage::showFileMissing(bool fromTimer) {
    filling_ = true;
    CelebTable->clearContents();
    CelebTable->setRowCount(1);
    CelebTable->setItem(0, 2, new QTableWidgetItem(QString::fromUtf8(kFileMissingRow)));
    filling_ = false;
    setButtonsEnabled(false);
    if (fromTimer) {
        CheckBox4->setEnabled(false);
        ComboBox2->setEnabled(false);
    } else {
        Panel1->setEnabled(false);
        Panel1Tag = ComboBox2->isEnabled() ? 1 : 0;
    }
}

void HolidayPage::CheckBox4Click() {
    const bool on = CheckBox4->isChecked();
    ComboBox2->setEnabled(on);
    Label14->setEnabled(on);
    Label15->setEnabled(on);
    ComboBox2Change();
}

void HolidayPage::ComboBox2Change() {
    const QString text = ComboBox2->currentText();
    if (!ParseDaysAhead(text.toStdString())) {
        // An emptied list waits for the number; anything else is refused at once.
        if (!text.trimmed().isEmpty()) {
            boxes_.error(this, QString::fromUtf8(kDaysAheadRefused));
            ComboBox2->setEditText(lastDaysText_);
        }
        return;
    }
    lastDaysText_ = text;
    if (!CelebSaveArmed) {
        CelebSaveArmed = true;
        return;
    }
    // A registry failure is not reported: the reminder keeps working on the list's text.
    SaveHolidaySettings(registry_, CheckBox4->isChecked(), text.toStdString());
}

void HolidayPage::CelebTableSelectCell(int /*column*/, int row) {
    if (filling_ || row < 1) {
        return;
    }
    SelectedCeleb = row;
}

void HolidayPage::setButtonsEnabled(bool enabled) {
    for (QPushButton* button :
         {SpeedButton16, SpeedButton17, SpeedButton11, SpeedButton4, SpeedButton12, SpeedButton22}) {
        button->setEnabled(enabled);
    }
}

void HolidayPage::setEditButtonsEnabled(bool enabled) {
    SpeedButton12->setEnabled(enabled);
    SpeedButton22->setEnabled(enabled);
}

void HolidayPage::ShowHolidays() {
    const HolidayView view = domora::ShowHolidays(store_, HolidayViewMode, clock_.localNow());
    if (!view.result) {
        boxes_.error(this, qs(view.result.message));
        return;
    }
    filling_ = true;
    CelebTable->clearContents();
    CelebTable->setRowCount(static_cast<int>(view.rows.size()));
    int row = 0;
    for (const HolidayRow& cells : view.rows) {
        for (int column = 0; column < 4; ++column) {
            CelebTable->setItem(row, column,
                                new QTableWidgetItem(qs(cells[static_cast<std::size_t>(column)])));
        }
        ++row;
    }
    CelebTable->setCurrentCell(-1, -1);
    filling_ = false;
    setEditButtonsEnabled(view.hasHolidays);
}

void HolidayPage::setView(domora::HolidayViewMode mode) {
    HolidayViewMode = mode;
    ShowHolidays();
}

void HolidayPage::SpeedButton16Click() {
    setView(domora::HolidayViewMode::Today);
}

void HolidayPage::SpeedButton17Click() {
    setView(domora::HolidayViewMode::ThisMonth);
}

void HolidayPage::SpeedButton11Click() {
    setView(domora::HolidayViewMode::All);
    const bool on = CheckBox4->isChecked();
    ComboBox2->setEnabled(on);
    Label14->setEnabled(on);
    Label15->setEnabled(on);
}

int HolidayPage::rowCount() const {
    return CelebTable->rowCount();
}

HolidayRow HolidayPage::rowCells(int row) const {
    HolidayRow cells;
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem* item = CelebTable->item(row - 1, column);
        if (item != nullptr) {
            cells[static_cast<std::size_t>(column)] = item->text().toStdString();
        }
    }
    return cells;
}

void HolidayPage::selectRow(int row) {
    if (row >= 1 && row <= CelebTable->rowCount()) {
        CelebTable->selectRow(row - 1);
    }
    SelectedCeleb = row;
}

int HolidayPage::currentRow() const {
    const int row = CelebTable->currentRow();
    return row >= 0 ? row + 1 : SelectedCeleb;
}

void HolidayPage::openAddDialog() {
    addDialog_->exec();
}

// "Добавить...": the place follows from the view (PlaceNewHoliday); a filtered view gives way
// to the full one first.
void HolidayPage::SpeedButton4Click() {
    const HolidayList list = store_.ReadCelebs();
    if (!list.result) {
        boxes_.error(this, qs(list.result.message));
        return;
    }
    const bool full = HolidayViewMode == domora::HolidayViewMode::All;
    const HolidayAddPlace place = PlaceNewHoliday(HolidayViewMode, list.holidays, clock_.localNow(),
                                                  full ? SelectedCeleb : currentRow());
    AddAfter = place.after;
    if (!full) {
        setView(domora::HolidayViewMode::All);
    }
    if (place.select != 0) {
        selectRow(place.select);
    }
    if (place.open) {
        openAddDialog();
    }
}

void HolidayPage::FindHolidayInFullList() {
    if (HolidayViewMode == domora::HolidayViewMode::All) {
        return;
    }
    const HolidayRow selected = rowCells(currentRow());
    SpeedButton11Click();
    const HolidayView full = domora::ShowAllHolidays(store_);
    const int row = domora::FindHolidayInFullList(full, selected);
    if (row != 0) {
        selectRow(row);
    }
}

void HolidayPage::SpeedButton12Click() {
    FindHolidayInFullList();
    editDialog_->exec();
}

void HolidayPage::SpeedButton22Click() {
    FindHolidayInFullList();
    const QString text =
        QStringLiteral("Выделена запись праздника №%1 \r\nВы действительно хотите удалить этот праздник?")
            .arg(SelectedCeleb);
    messageDialog_.ShowMessageDialog(
        text, MessageDialog::KindDelete,
        MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll, QString());
    const int answer = messageDialog_.DialogResult();
    if (answer == MessageDialog::ResultButton1 && SelectedCeleb != 0) {
        report(store_.DeleteCeleb(SelectedCeleb));
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
