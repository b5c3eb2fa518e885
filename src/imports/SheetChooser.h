#pragma once

#include "data/SpreadsheetWriter.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class SheetColumnsModel;

// What both spreadsheet windows share: the workbook's path, the "first row holds titles"
// check box, the sheet list and the sheet's columns with check boxes, Select All and Clear All.
// The workbook is unpacked and read off the GUI thread behind the please-wait sheet.
class SheetChooser : public QWidget
{
    Q_OBJECT

public:
    // withSeriesNames shows the editable "Series Name" column.
    explicit SheetChooser(bool withSeriesNames, QWidget* parent = nullptr);

    // What the windows built on it answer when the workbook was refused and they never opened.
    static constexpr int workbookRefused = -1;
    // The choosers' filter: the older and macro workbooks are listed too, so that picking one
    // reaches the reader's clear word on it instead of an empty list.
    static QString workbookFilter();

    // Shows the path, turns the header check box on, empties the lists, then opens the
    // workbook and lists its sheets, the first chosen. False when the workbook was refused
    // (the user has been told why).
    bool open(const QString& path);
    // Frees what was read of the workbook, which a large one's number formats and strings make
    // large; the windows call it as they close, whether by OK or Cancel.
    static void closeWorkbook();
    // Every row of the chosen sheet, read behind the please-wait sheet, with the file they were
    // read from when `file` is given; that reading has Stop, which gives no rows and sets
    // `stopped`. Rows of a file changed while it was open are none, and file->changed says so.
    SheetTable readRows(WorkbookFile* file = nullptr, bool* stopped = nullptr);
    // What to tell the user when readRows gave nothing: why the reader refused the sheet, or
    // the window's own message when the sheet simply holds no rows.
    QString noRowsMessage(const QString& windowMessage) const;
    // What to tell the user when the list holds no column: why the workbook's sheets or the
    // chosen sheet's titles could not be read, or that the sheet holds none.
    QString noColumnsMessage() const;
    // The reader's message with the workbook named where the reader names none: a workbook
    // rewritten while it was read.
    QString naming(const QString& message) const;

    void Select_ALL_Pressed();
    void Clear_All_Pressed();
    // The sheet at a position in the list (the position decides the sheet, not its name).
    void chooseSheet(int index);

    SheetColumnsModel& columns() { return *ListData_xl; }
    bool hasHeader() const;
    QString path() const;

    QLineEdit* file_path;
    QCheckBox* contains_header;
    QComboBox* Sheet_ComboBox;
    QTableView* ColList;

private:
    void showWhyUnread();
    // The message, and under it that the chosen sheet holds no cells when it holds none.
    QString withEmptySheetNote(const QString& message) const;

    SheetColumnsModel* ListData_xl;
    QLabel* unreadNote_;
    // Why the columns of the chosen sheet could not be listed; "" when they were.
    QString unreadSheet_;
    // The chosen sheet when it holds no cells at all; "" otherwise.
    QString emptySheet_;
};
