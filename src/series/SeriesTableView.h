#pragma once

#include <QList>

class QAbstractItemModel;
class QTableView;
class QWidget;

// A read-only, one-column table over a series model: rows selected whole, row numbers at the
// side, fixed row heights so that large series scroll without measuring every row.
QTableView* makeSeriesTable(QAbstractItemModel* model, bool multiSelection, QWidget* parent);
// The rows selected in the table, ascending; the row the user last selected (-1 for none).
QList<int> selectedSeriesRows(const QTableView* table);
int lastSelectedSeriesRow(const QTableView* table);
void selectSeriesRow(QTableView* table, int row);
