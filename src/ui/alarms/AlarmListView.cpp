#include "ui/alarms/AlarmListView.h"

#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmViews.h"
#include "core/base/FileStore.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace domora {

namespace {

constexpr int kColumns = 7;
constexpr int kColumnWidths[kColumns] = {31, 37, 59, 110, 72, 64, 88};
constexpr const char* kHeaders[kColumns] = {"№", "Время", "Дата", "Тип сообщения", "День", "Повтор", "Звук"};

// Cells drawn as in a plain string grid: two pixels of margin and the text clipped at the
// cell's edge, so that a date fits its column of 59.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget* widget = cell.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        painter->save();
        painter->setClipRect(cell.rect);
        const bool selected = (cell.state & QStyle::State_Selected) != 0;
        painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(cell.font);
        painter->drawText(cell.rect.adjusted(2, 0, -1, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }
};

} // namespace

AlarmListView::AlarmListView(AlarmStore& store, FileStore& files, const Clock& clock, const AppPaths& paths,
                             MessageBoxes& boxes, MessageDialog& messageDialog, SoundPlayer& previewPlayer,
                             QWidget* parent)
    : QWidget(parent), store_(store), files_(files), paths_(paths), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog), previewPlayer_(previewPlayer) {
    setObjectName(QStringLiteral("AlarmListView"));

    table_ = new QTableWidget(1, kColumns, this);
    table_->setObjectName(QStringLiteral("BudTable"));
    table_->setGeometry(4, 4, 499, 116);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(15);
    table_->verticalHeader()->setMinimumSectionSize(15);
    table_->horizontalHeader()->setSectionsMovable(true);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setFixedHeight(17);
    for (int column = 0; column < kColumns; ++column) {
        table_->setColumnWidth(column, kColumnWidths[column]);
    }
    table_->setShowGrid(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setItemDelegate(new GridCellDelegate(table_));
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { BudTableSelectCell(column, row + 1); });
    connect(table_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { BudTableSelectCell(column, row + 1); });

    const ButtonDef<AlarmListView> buttons[] = {
        {&addButton_, "BudAddButton", QStringLiteral("Добавить..."), &AlarmListView::AddClick},
        {&changeButton_, "BudChangeButton", QStringLiteral("Изменить..."), &AlarmListView::ChangeClick},
        {&viewButton_, "BudViewButton", QStringLiteral("Просмотреть"), &AlarmListView::ViewClick},
        {&resetButton_, "BudResetButton", QStringLiteral("Сбросить..."), &AlarmListView::ResetClick},
        {&deleteButton_, "BudDeleteButton", QStringLiteral("Удалить..."), &AlarmListView::DeleteClick},
    };
    placeButtonRow(this, buttons, QRect(4, 124, 95, 23), 101);

    QStringList headers;
    for (const char* header : kHeaders) {
        headers << QString::fromUtf8(header);
    }
    table_->setHorizontalHeaderLabels(headers);
    for (int column = 0; column < headers.size(); ++column) {
        table_->horizontalHeaderItem(column)->setToolTip(headers[column]); // a cut heading whole
    }
}

AlarmListView::~AlarmListView() = default;

AlarmEditor& AlarmListView::editor() {
    if (!editor_) {
        editor_ = std::make_unique<AlarmEditor>(store_, files_, paths_, clock_, boxes_, previewPlayer_);
        connect(editor_.get(), &AlarmEditor::added, this, [this] { setEditButtonsEnabled(true); });
        connect(editor_.get(), &AlarmEditor::alarmChosen, this,
                [this](int number) { selectedAlarm_ = number; });
    }
    return *editor_;
}

void AlarmListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PageShow();
    }
}

// The page is shown: the list when the alarm file can be read; otherwise the error row with
// every button off, and, when the file is there but cannot be read (a folder in its place, no
// access), the reason, over the page as it now is.
void AlarmListView::PageShow() {
    const auto list = store_.ReadAlarms();
    if (list.result) {
        for (QPushButton* button : {addButton_, changeButton_, viewButton_, resetButton_, deleteButton_}) {
            button->setEnabled(true);
        }
        fill(list.alarms);
        return;
    }
    filling_ = true;
    showMessageRow(QStringLiteral("Ошибка! Файл Budil.dmr не найден"));
    filling_ = false;
    addButton_->setEnabled(false);
    setEditButtonsEnabled(false);
    if (store_.AlarmFileExists()) {
        repaint();
        boxes_.error(this, qs(list.result.message));
    }
}

QStringList AlarmListView::rowTexts(int number, const AlarmRecord& record) {
    QStringList texts;
    for (const std::string& text : AlarmRowTexts(number, record, files_)) {
        texts << qs(text);
    }
    return texts;
}

void AlarmListView::ShowAlarms() {
    const auto list = store_.ReadAlarms();
    if (!list.result) {
        boxes_.error(this, qs(list.result.message));
        return;
    }
    fill(list.alarms);
}

void AlarmListView::fill(const std::vector<AlarmRecord>& alarms) {
    filling_ = true;
    if (alarms.empty()) {
        showMessageRow(QStringLiteral("БУДИЛЬНИК НЕ УСТАНОВЛЕН"));
        filling_ = false;
        setEditButtonsEnabled(false);
        return;
    }
    table_->clearContents();
    table_->clearSpans();
    table_->setRowCount(static_cast<int>(alarms.size()));
    int row = 0;
    for (const AlarmRecord& record : alarms) {
        const QStringList texts = rowTexts(row + 1, record);
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setToolTip(texts[column]); // the whole text of a cell its column cuts
            table_->setItem(row, column, item);
        }
        ++row;
    }
    filling_ = false;
}

// One row with a message from the date column on, across the columns after it, so that it
// shows whole.
void AlarmListView::showMessageRow(const QString& text) {
    table_->clearContents();
    table_->clearSpans();
    table_->setRowCount(1);
    table_->setItem(0, 2, new QTableWidgetItem(text));
    table_->setSpan(0, 2, 1, kColumns - 2);
}

void AlarmListView::BudTableSelectCell(int /*column*/, int row) {
    if (filling_ || row < 1) {
        return;
    }
    selectedAlarm_ = row;
}

void AlarmListView::setEditButtonsEnabled(bool enabled) {
    for (QPushButton* button : {changeButton_, deleteButton_, resetButton_, viewButton_}) {
        button->setEnabled(enabled);
    }
}

void AlarmListView::openEditor(AlarmEditor::Mode mode) {
    AlarmEditor& shown = editor();
    ownBy(shown, this);
    shown.edit(mode, selectedAlarm_);
}

void AlarmListView::AddClick() {
    openEditor(AlarmEditor::Mode::Add);
}

void AlarmListView::ChangeClick() {
    openEditor(AlarmEditor::Mode::Change);
}

void AlarmListView::ViewClick() {
    openEditor(AlarmEditor::Mode::View);
}

int AlarmListView::confirm(const char* action, int kind) {
    const QString text = QStringLiteral("Выделена запись будильника №%1 \r\nВы действительно хотите %2 "
                                        "этот будильник?")
                             .arg(selectedAlarm_)
                             .arg(QString::fromUtf8(action));
    messageDialog_.ShowMessageDialog(
        text, kind, MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll,
        QString(), this);
    return messageDialog_.DialogResult();
}

void AlarmListView::ResetClick() {
    const int answer = confirm("сбросить", MessageDialog::KindReset);
    if (selectedAlarm_ == 0) {
        return;
    }
    AlarmStoreResult result;
    if (answer == MessageDialog::ResultButton1) {
        result = store_.ResetAlarm(selectedAlarm_);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ResetAllAlarms();
    }
    // A selection past the last alarm (left by a delete) resets nothing.
    if (!result && result.status != AlarmStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

void AlarmListView::DeleteClick() {
    const int answer = confirm("удалить", MessageDialog::KindDelete);
    AlarmStoreResult result;
    if (answer == MessageDialog::ResultButton1 && selectedAlarm_ != 0) {
        result = store_.DeleteAlarm(selectedAlarm_);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ClearAlarms();
    }
    // A selection past the last alarm deletes nothing.
    if (!result && result.status != AlarmStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

} // namespace domora
