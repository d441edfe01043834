#include "ui/alarms/AlarmList.h"

#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmViews.h"
#include "core/base/FileStore.h"
#include "ui/alarms/TForm8.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace domora {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kColumnWidths[AlarmListView::kColumns] = {31, 37, 59, 110, 72, 64, 88};
constexpr const char* kHeaders[AlarmListView::kColumns] = {"№",    "Время",  "Дата", "Тип сообщения",
                                                           "День", "Повтор", "Звук"};

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
    : QWidget(parent), store_(store), files_(files), paths_(paths), boxes_(boxes),
      messageDialog_(messageDialog) {
    setObjectName(QStringLiteral("AlarmListView"));

    BudTable = new QTableWidget(1, kColumns, this);
    BudTable->setObjectName(QStringLiteral("BudTable"));
    BudTable->setGeometry(4, 4, 499, 116);
    BudTable->verticalHeader()->hide();
    BudTable->verticalHeader()->setDefaultSectionSize(15);
    BudTable->verticalHeader()->setMinimumSectionSize(15);
    BudTable->horizontalHeader()->setSectionsMovable(true);
    BudTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    BudTable->horizontalHeader()->setHighlightSections(false);
    BudTable->horizontalHeader()->setFixedHeight(17);
    for (int column = 0; column < kColumns; ++column) {
        BudTable->setColumnWidth(column, kColumnWidths[column]);
    }
    BudTable->setShowGrid(true);
    BudTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    BudTable->setSelectionMode(QAbstractItemView::SingleSelection);
    BudTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BudTable->setWordWrap(false);
    BudTable->setItemDelegate(new GridCellDelegate(BudTable));
    connect(BudTable, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { BudTableSelectCell(column, row + 1); });
    connect(BudTable, &QTableWidget::cellClicked, this,
            [this](int row, int column) { BudTableSelectCell(column, row + 1); });

    struct Button {
        QPushButton** button;
        const char* name;
        QString caption;
        void (AlarmListView::*slot)();
    };
    const Button buttons[] = {
        {&AddButton, "BudAddButton", QStringLiteral("Добавить..."), &AlarmListView::AddClick},
        {&ChangeButton, "BudChangeButton", QStringLiteral("Изменить..."), &AlarmListView::ChangeClick},
        {&ViewButton, "BudViewButton", QStringLiteral("Просмотреть"), &AlarmListView::ViewClick},
        {&ResetButton, "BudResetButton", QStringLiteral("Сбросить..."), &AlarmListView::ResetClick},
        {&DeleteButton, "BudDeleteButton", QStringLiteral("Удалить..."), &AlarmListView::DeleteClick},
    };
    int x = 4;
    for (const Button& def : buttons) {
        *def.button = new QPushButton(def.caption, this);
        (*def.button)->setObjectName(QString::fromLatin1(def.name));
        (*def.button)->setGeometry(x, 124, 95, 23);
        connect(*def.button, &QPushButton::clicked, this, def.slot);
        x += 101;
    }

    QStringList headers;
    for (const char* header : kHeaders) {
        headers << QString::fromUtf8(header);
    }
    BudTable->setHorizontalHeaderLabels(headers);

    editor_ = std::make_unique<TForm8>(*this, files_, clock, boxes_, previewPlayer);
}

AlarmListView::~AlarmListView() = default;

void AlarmListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PageShow();
    }
}

void AlarmListView::PageShow() {
    if (store_.AlarmFileExists()) {
        for (QPushButton* button : {AddButton, ChangeButton, ViewButton, ResetButton, DeleteButton}) {
            button->setEnabled(true);
        }
        ShowAlarms();
        return;
    }
    filling_ = true;
    BudTable->clearContents();
    BudTable->setRowCount(1);
    BudTable->setItem(0, 2, new QTableWidgetItem(QStringLiteral("Ошибка! Файл Budil.dmr не найден")));
    filling_ = false;
    AddButton->setEnabled(false);
    setEditButtonsEnabled(false);
}

QStringList AlarmListView::rowTexts(int number, const BudilRecord& record) {
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
    filling_ = true;
    BudTable->clearContents();
    if (list.alarms.empty()) {
        BudTable->setRowCount(1);
        BudTable->setItem(0, 2, new QTableWidgetItem(QStringLiteral("БУДИЛЬНИК НЕ УСТАНОВЛЕН")));
        filling_ = false;
        setEditButtonsEnabled(false);
        return;
    }
    BudTable->setRowCount(static_cast<int>(list.alarms.size()));
    int row = 0;
    for (const BudilRecord& record : list.alarms) {
        const QStringList texts = rowTexts(row + 1, record);
        for (int column = 0; column < kColumns; ++column) {
            BudTable->setItem(row, column, new QTableWidgetItem(texts[column]));
        }
        ++row;
    }
    filling_ = false;
}

void AlarmListView::BudTableSelectCell(int /*column*/, int row) {
    if (filling_ || row < 1) {
        return;
    }
    SelectedAlarm = row;
}

void AlarmListView::setEditButtonsEnabled(bool enabled) {
    for (QPushButton* button : {ChangeButton, DeleteButton, ResetButton, ViewButton}) {
        button->setEnabled(enabled);
    }
}

void AlarmListView::enableEditButtons() {
    setEditButtonsEnabled(true);
}

void AlarmListView::openEditor(std::uint16_t mode) {
    EditorMode = mode;
    editor_->exec();
}

void AlarmListView::AddClick() {
    openEditor(ModeAdd);
}

void AlarmListView::ChangeClick() {
    openEditor(ModeChange);
}

void AlarmListView::ViewClick() {
    openEditor(ModeView);
}

int AlarmListView::confirm(const char* action, int kind) {
    const QString text = QStringLiteral("Выделена запись будильника №%1 \r\nВы действительно хотите %2 "
                                        "этот будильник?")
                             .arg(SelectedAlarm)
                             .arg(QString::fromUtf8(action));
    messageDialog_.ShowMessageDialog(
        text, kind, MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll,
        QString());
    return messageDialog_.DialogResult();
}

void AlarmListView::ResetClick() {
    const int answer = confirm("сбросить", MessageDialog::KindReset);
    if (SelectedAlarm == 0) {
        return;
    }
    AlarmStoreResult result;
    if (answer == MessageDialog::ResultButton1) {
        result = store_.ResetAlarm(SelectedAlarm);
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
    if (answer == MessageDialog::ResultButton1 && SelectedAlarm != 0) {
        result = store_.DeleteAlarm(SelectedAlarm);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ClearAlarms();
    }
    // A selection past the last alarm deletes nothing.
    if (!result && result.status != AlarmStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

} // namespace domora
