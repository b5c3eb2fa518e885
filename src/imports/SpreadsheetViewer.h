#pragma once

#include <QDialog>

class Data_From_Excel;
class QLabel;
class QTableView;
class SpreadsheetTableModel;

// Shows the spreadsheet table, one view row per table row (a model: large tables scroll
// smoothly), with its row and column counts; cells may be edited in place.
class SpreadsheetViewer : public QDialog
{
    Q_OBJECT

public:
    explicit SpreadsheetViewer(Data_From_Excel& table, QWidget* parent = nullptr);

    // Shows the counts and runs the viewer modally; 1 after OK.
    int Open_Wnd();
    // Tells the view that the table was replaced.
    void reload();

    QTableView* ColList;
    QLabel* rows_count;
    QLabel* column_count;

private:
    Data_From_Excel& table_;
    SpreadsheetTableModel* model_;
};
