#include "ui/app/RecordGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>

#include <utility>

namespace domora {

namespace {

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

// Puts the row's tooltip in place of the cell's as the viewport is about to show one.
class RowTipFilter final : public QObject {
public:
    RowTipFilter(QTableWidget& grid, std::function<QString(int)> rowTip)
        : QObject(&grid), grid_(grid), rowTip_(std::move(rowTip)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || watched != grid_.viewport()) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = grid_.indexAt(help->pos());
        const QTableWidgetItem* item = grid_.itemFromIndex(index);
        if (item == nullptr) {
            return false;
        }
        QString tip = rowTip_(index.row());
        if (tip.isEmpty()) {
            return false;
        }
        const QString text = item->text();
        // The cell's two pixels of margin and one at its far edge (GridCellDelegate).
        if (grid_.fontMetrics().horizontalAdvance(text) + 3 > grid_.visualRect(index).width()) {
            tip = text + QLatin1Char('\n') + tip;
        }
        QToolTip::showText(help->globalPos(), tip, grid_.viewport(), grid_.visualRect(index));
        return true;
    }

private:
    QTableWidget& grid_;
    std::function<QString(int)> rowTip_;
};

} // namespace

QTableWidget* MakeRecordGrid(QWidget* parent, const char* name, std::span<const int> widths,
                             std::span<const char* const> headers) {
    const int columns = static_cast<int>(widths.size());
    auto* grid = new QTableWidget(1, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(15);
    grid->verticalHeader()->setMinimumSectionSize(15);
    grid->horizontalHeader()->setSectionsMovable(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setFixedHeight(17);
    for (int column = 0; column < columns; ++column) {
        grid->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
    grid->setShowGrid(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setItemDelegate(new GridCellDelegate(grid));
    QStringList labels;
    for (const char* header : headers) {
        labels << QString::fromUtf8(header);
    }
    grid->setHorizontalHeaderLabels(labels);
    for (int column = 0; column < labels.size(); ++column) {
        grid->horizontalHeaderItem(column)->setToolTip(labels[column]);
    }
    return grid;
}

void SetGridRow(QTableWidget& grid, int row, const QStringList& texts) {
    for (int column = 0; column < texts.size() && column < grid.columnCount(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setToolTip(texts[column]);
        grid.setItem(row, column, item);
    }
}

void SetGridRowTips(QTableWidget& grid, std::function<QString(int row)> rowTip) {
    grid.viewport()->installEventFilter(new RowTipFilter(grid, std::move(rowTip)));
}

void ShowGridMessage(QTableWidget& grid, int column, const QString& text) {
    grid.clearContents();
    grid.clearSpans();
    grid.setRowCount(1);
    grid.setItem(0, column, new QTableWidgetItem(text));
    grid.setSpan(0, column, 1, grid.columnCount() - column);
}

} // namespace domora
