#pragma once

#include <QDialog>
#include <QString>

class SheetChooser;

// Picks a sheet of a workbook and some of its columns. Mode "D" adds the chosen cells to the
// series open in the series editor; any other mode ("E") makes them the spreadsheet table.
class Import_Excel : public QDialog
{
    Q_OBJECT

public:
    explicit Import_Excel(QWidget* parent = nullptr);

    // The caller sets open_mode first. Opens the workbook and runs the window modally.
    int Open_excel_Wnd(const QString& path);
    void OKPressed();

    SheetChooser* chooser;
    QString open_mode = QStringLiteral("D");

private:
    void Insert_file_Func();
    void Create_Excel_List_Func();
};
