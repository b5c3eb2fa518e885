#pragma once

#include "imports/ImportSummary.h"

#include <QDialog>

class ImportHost;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Brings values into series from a workbook, a text file (plain, CSV or RTF), pasted text or
// a folder of pictures. file_name_required 1 writes a new series named in the wizard; 0 adds
// the values to the series open in the series editor. file_name_Insert 1 refills the
// editor's series list afterwards.
class Import_Wizard : public QDialog
{
    Q_OBJECT

public:
    enum Source
    {
        Spreadsheet,
        TextFile,
        PastedText,
        ImageFolder
    };

    explicit Import_Wizard(const ImportHost& host, QWidget* parent = nullptr);

    // Resets every source (the spreadsheet chosen) and runs the wizard modally.
    int Open_Wnd();

    void OKPressed();
    void chooseSource(int source);
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();

    bool Create_And_Save_Text_Data_Sheet(const QString& path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString& folder);

    QRadioButton *Excel_RD, *Text_RD, *Mnul_RD, *Image_RD;
    QLineEdit *Excel_path, *Text_path, *Image_path;
    QPushButton *Excel_btn, *Text_btn, *Image_btn;
    QPlainTextEdit* ManualEdit;
    QLineEdit *Text_file_name, *Manual_file_name, *Image_file_name;
    int import_option = Spreadsheet;
    int file_name_required = 0;
    int file_name_Insert = 0;

protected:
    // Cancel, Escape and the close button: values typed into the box are not dropped unasked.
    void reject() override;

private:
    void Enable_Disable_Option(int source, bool enabled);
    // The values go to a new series named in the field, or to the open series editor.
    // summary holds what the source left out; it is told once the values are delivered.
    // originFolder: the folder of the file read ("" for typed values).
    bool deliver(
        const QStringList& values, QLineEdit* nameField, const QString& originFolder, ImportSummary summary = {});
    // Puts the picked file's or folder's base name into the name field, unless the user typed
    // a name of their own there.
    static void proposeSeriesName(QLineEdit* nameField, const QString& path);
    // False when the workbook was refused (and the reader said why).
    bool importSpreadsheet(const QString& path);
    static bool validPath(const QString& path);

    const ImportHost& host_;
};
