#pragma once

#include <QStringList>

#include <functional>
#include <span>

class QTableWidget;
class QWidget;

namespace domora {

// A grid of the records of a data file, as the list pages show them: one fixed header row,
// no row headers, whole rows selected one at a time, columns the user may widen and move,
// rows of 15 pixels, cells drawn as in a plain string grid (two pixels of margin, the text
// clipped at the cell's edge). A heading's tooltip gives it whole.
QTableWidget* MakeRecordGrid(QWidget* parent, const char* name, std::span<const int> widths,
                             std::span<const char* const> headers);

// Fills row `row` with one text per column, each cell's tooltip giving its whole text.
void SetGridRow(QTableWidget& grid, int row, const QStringList& texts);

// The tooltip of the grid's record rows: `rowTip(row)` (from 0), asked only as a tooltip is
// about to show, so that nothing is worked out while nobody looks. A cell whose text is cut
// at its edge shows its whole text on the line above. An empty answer (a message row) leaves
// the cell's own tooltip.
void SetGridRowTips(QTableWidget& grid, std::function<QString(int row)> rowTip);

// One row with a message from `column` on, across the columns after it, so that it shows whole.
void ShowGridMessage(QTableWidget& grid, int column, const QString& text);

} // namespace domora
