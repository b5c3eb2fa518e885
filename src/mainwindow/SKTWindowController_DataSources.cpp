#include "mainwindow/SKTWindowController.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "series/View_Data_Series.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

const QString excelChoice = QStringLiteral("Excel");

// Fills a combo with nothing selected: Qt selects the first item added to an empty combo.
void fillUnselected(QComboBox* combo, const QStringList& items)
{
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(-1);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

} // namespace

QString SKTWindowController::Get_First_Value_Of_Dataset(const QString& seriesName) const
{
    return firstSeriesValue(seriesName);
}

QString SKTWindowController::Get_First_Value_Of_Excel_Binding(int column) const
{
    return Data_From_Excel_Window ? Data_From_Excel_Window->Get_First_Value_Of_Excel_Binding(column) : QString();
}

void SKTWindowController::Fill_Data_Set_File_Name_In_Combo(QComboBox* combo) const
{
    fillUnselected(combo, Get_datasheet_File_Name_Array());
}

void SKTWindowController::Fill_Excel_Col_Name_In_Combo(QComboBox* combo) const
{
    fillUnselected(combo, Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList());
}

void SKTWindowController::Add_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (combo && combo->count() == 2)
        combo->addItem(excelChoice);
}

void SKTWindowController::Remove_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (!combo || combo->count() != 3)
        return;
    const int at = combo->findText(excelChoice);
    if (at >= 0)
        combo->removeItem(at);
}

void SKTWindowController::View_batch_Series_Button(const QComboBox* dataSource, const QComboBox* sources)
{
    if (!dataSource || !sources)
        return;
    const QString choice = dataSource->currentText();
    if (choice == QLatin1String("Manual"))
        return;
    if (choice == QLatin1String("Series")) {
        const QString name = Trim_Str(sources->currentText());
        if (name.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select the series."));
            return;
        }
        View_Data_Series* viewer = View_Data_Series::defaultInstance();
        viewer->file_name = name;
        viewer->Open_Wnd();
        return;
    }
    // The spreadsheet viewer comes with the import windows.
    Show_NSLog_Message(QStringLiteral("Spreadsheet viewer not available yet"));
}

void SKTWindowController::Data_Source_Help_Button()
{
    Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
    Cutom_Msg_Val = QStringLiteral("Select Data Source as 'Manual' to enter value manually, Select 'Batch Processing "
                                   "Series' to fetch the value from the list of existing Batch Processing Series.");
    Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog();
}
