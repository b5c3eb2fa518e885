#include "mainwindow/MainWindowExport.h"

#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "dialogs/BackgroundWork.h"
#include "export/CardExporter.h"
#include "mainwindow/BatchBindingRead.h"
#include "mainwindow/RunSources.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"

MainWindowExport::MainWindowExport(SKTWindowController& window)
    : QObject(&window)
    , window_(window)
    , exporter_(new CardExporter(*this, this))
{ }

QWidget* MainWindowExport::exportWindow()
{
    return &window_;
}

CardSnapshot MainWindowExport::takeCardSnapshot() const
{
    return window_.firstCardSnapshot();
}

bool MainWindowExport::twoSidedCard() const
{
    return CARD_SIDE_STR == QLatin1String("2");
}

bool MainWindowExport::backShown() const
{
    return Card_Front_Or_Back != 0;
}

SpreadsheetRows MainWindowExport::rowsOf(const Data_From_Excel& table)
{
    const int columns = std::max(0, int(table.ColList.size()) - 1);
    SpreadsheetRows rows;
    rows.reserve(qsizetype(table.ListData.size()));
    for (const PlistValue& row : table.ListData) {
        QStringList cells;
        cells.reserve(columns + 1);
        // A row without a column's key shows nothing there.
        const auto cell = [&](const QString& key) {
            const PlistValue* value = row.isDict() ? row.toDict().find(key) : nullptr;
            return value ? value->toString() : QString();
        };
        cells << cell(QStringLiteral("Extension"));
        for (int k = 1; k <= columns; ++k)
            cells << cell(QStringLiteral("Column%1").arg(k));
        rows << cells;
    }
    return rows;
}

bool MainWindowExport::goOnWithSources(const DataBinding& binding)
{
    return goOnWithRunSources(&window_, binding);
}

SpreadsheetRows MainWindowExport::spreadsheetRows() const
{
    return Data_From_Excel_Window ? rowsOf(*Data_From_Excel_Window) : SpreadsheetRows();
}

DataBinding MainWindowExport::batchBinding(const CardSnapshot& card)
{
    return readBatchBinding(&window_, card.front, card.back, twoSidedCard());
}

bool MainWindowExport::confirmRowsAreCurrent(bool* readAgain)
{
    return window_.confirmBoundWorkbookIsCurrent(true, readAgain);
}

void MainWindowExport::Show_One_By_One_Modeless()
{
    window_.Show_One_By_One_Modeless();
}

void MainWindowExport::Hide_One_By_One_Modeless()
{
    window_.Hide_One_By_One_Modeless();
}

void MainWindowExport::Select_first_row_value_for_design(const DataBinding&)
{
    window_.Select_first_row_value_for_design();
}

void MainWindowExport::showExportDone(const QString& path, const QString& message, const QString& details)
{
    Export_File_Path = path;
    Export_File_Message = message;
    window_.Open_Export_File_Box(details);
}

void MainWindowExport::runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop)
{
    ::runBehindPleaseWait(&window_, work, stop);
}
