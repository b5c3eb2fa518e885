#include "profilewindows/Profile_Dialog.h"

#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/RowPicture.h"
#include "platform/DialogService.h"
#include "profilewindows/ProfileDialogHost.h"
#include "series/View_Data_Series.h"
#include "widgets/ExcelSourceItem.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// A new list with nothing chosen: filling is not choosing.
void fillList(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

// The first sheet column whose title is the name, compared by meaning; -1 when none is.
int columnTitled(const QStringList& titles, const QString& name)
{
    for (int column = 1; column < titles.size(); ++column) {
        if (Trim_Str(titles.at(column)).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

} // namespace

void Profile_Dialog::sourceChanged(Field field)
{
    FieldRow& r = rows_[field];
    goneColumns_[field].clear();
    const int source = r.ds_combo->currentIndex();
    if (field == Field::image) {
        browse_pic_btn->setEnabled(source == 0);
        clear_pic_btn->setEnabled(source == 0);
    } else {
        r.value->setReadOnly(source != 0);
    }
    r.ser_col_cb->setEnabled(source != 0);
    r.view_btn->setEnabled(source == 1);
    if (source == 0)
        fillList(r.ser_col_cb, {});
    else if (source == 1)
        fillList(r.ser_col_cb, seriesNames());
    else
        fillList(r.ser_col_cb, Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList());
}

void Profile_Dialog::startAtOwnColumn(Field field)
{
    FieldRow& r = rows_[field];
    if (r.ds_combo->currentIndex() != 2 || r.ser_col_cb->currentIndex() >= 0 || !Data_From_Excel_Window)
        return;
    const OwnColumn& own = ownColumns_[field];
    const QString folder = workbookFolder(excel_path_field->text());
    const QStringList titles = Data_From_Excel_Window->columnTitles();
    // A field bound to no column yet starts at the column titled as the field is.
    int column = Trim_Str(own.title).isEmpty() && own.place <= 0 ? columnTitled(titles, profileFieldTitle(field)) : -1;
    if (column < 0)
        column = SKTGraphic::excelColumnToStartAt(own.title, own.place, titles, [&](int place) {
            const QString value = Data_From_Excel_Window->Get_First_Value_Of_Excel_Binding(place);
            return field == Field::image ? findRowPicture(value, folder).found : !value.isEmpty();
        });
    if (column >= 0)
        r.ser_col_cb->setCurrentIndex(column);
    else
        goneColumns_[field] = Trim_Str(own.title); // named on OK
}

void Profile_Dialog::seriesOrColumnChosen(Field field)
{
    FieldRow& r = rows_[field];
    const int chosen = r.ser_col_cb->currentIndex();
    const QString text = chosen < 0 ? QString() : r.ser_col_cb->currentText();
    if (text.isEmpty())
        return;
    goneColumns_[field].clear();
    QString sample, besideFolder;
    switch (r.ds_combo->currentIndex()) {
    case 1:
        sample = firstSeriesValue(text);
        break;
    case 2:
        ownColumns_[field] = { text, chosen };
        sample = Data_From_Excel_Window ? Data_From_Excel_Window->Get_First_Value_Of_Excel_Binding(chosen) : QString();
        besideFolder = workbookFolder(excel_path_field->text());
        break;
    default:
        return;
    }
    if (field == Field::image)
        Set_User_Image(sample, besideFolder);
    else
        r.value->setText(sample);
}

void Profile_Dialog::Browse_excel_Btn_Clicked()
{
    host_.Delete_Excel_File_Temp_Folder();
    const QString path = dialogs().chooseOpenFile(tr("Choose a Workbook"), QString(), tr("Workbooks (*.xlsx *.XLSX *.xlsm *.XLSM *.xls *.XLS)"));
    if (path.isEmpty())
        return;
    excel_path_field->setText(path);
    if (host_.Check_And_Validate_File_Path(path))
        return;
    const WorkbookBinding before = WorkbookBinding::current();
    host_.importWorkbookColumns(path);
    // The rows and the workbook they came from go together: a bare picture name in them is
    // looked for beside it, by the preview as by the canvas. Nothing imported, the field shows
    // the workbook of the rows there are.
    if (WorkbookBinding::current().isSameAs(before))
        excel_path_field->setText(Excel_Source_Path);
    else
        Excel_Source_Path = path;
    if (Data_From_Excel_Window && !Data_From_Excel_Window->ListData.empty()) {
        Add_Excel_in_Data_Source_Combo();
        followImportedColumns();
    } else {
        Remove_Excel_in_Data_Source_Combo();
    }
    // The pictures show the card with the rows it now takes.
    Create_and_Set_Preview_picture();
}

// The table may now come from another sheet, with other columns: a field bound to a column
// keeps the column of its title and shows the first row the preview and the cards take. A
// field whose column the table lacks is left with no choice and no value, so OK names it.
void Profile_Dialog::followImportedColumns()
{
    for (int i = 0; i < FieldCount; ++i) {
        FieldRow& r = rows_[i];
        if (r.ds_combo->currentIndex() != 2)
            continue;
        // A column gone from the last table is looked for again in this one.
        const QString title = r.ser_col_cb->currentIndex() < 0 ? goneColumns_[i] : r.ser_col_cb->currentText();
        sourceChanged(Field(i));
        const int column = title.isEmpty() ? -1 : r.ser_col_cb->findText(title);
        if (column >= 0) {
            r.ser_col_cb->setCurrentIndex(column);
        } else {
            goneColumns_[i] = title;
            if (Field(i) == Field::image)
                Set_User_Image(QString());
            else
                r.value->clear();
        }
    }
}

void Profile_Dialog::Add_Excel_in_Data_Source_Combo()
{
    for (FieldRow& r : rows_)
        Add_Excel_Col_Name_In_Combo(r.ds_combo);
}

void Profile_Dialog::Remove_Excel_in_Data_Source_Combo()
{
    for (FieldRow& r : rows_)
        Remove_Excel_Col_Name_In_Combo(r.ds_combo);
}

void Profile_Dialog::View_Excel_Btn_Clicked()
{
    host_.viewWorkbook();
}

void Profile_Dialog::Batch_Series_Btn_Clicked()
{
    host_.Batch_Series_Button();
}

void Profile_Dialog::View_Data_Series_By_Name(QComboBox* combo)
{
    const QString name = combo->currentIndex() < 0 ? QString() : Trim_Str(combo->currentText());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    View_Data_Series* viewer = View_Data_Series::defaultInstance();
    viewer->file_name = name;
    viewer->Open_Wnd();
}
