#pragma once

#include "export/ExportHost.h"

#include <QObject>

class CardExporter;
class Data_From_Excel;
class SKTWindowController;

// The main window as the card export's host.
class MainWindowExport : public QObject, public ExportHost
{
    Q_OBJECT

public:
    explicit MainWindowExport(SKTWindowController& window);

    CardExporter& exporter() { return *exporter_; }

    QWidget* exportWindow() override;
    CardSnapshot takeCardSnapshot() const override;
    bool twoSidedCard() const override;
    bool backShown() const override;
    SpreadsheetRows spreadsheetRows() const override;
    DataBinding batchBinding(const CardSnapshot& card) override;
    bool goOnWithSources(const DataBinding& binding) override;
    bool confirmRowsAreCurrent(bool* readAgain) override;
    void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop) override;
    void Show_One_By_One_Modeless() override;
    void Hide_One_By_One_Modeless() override;
    void Select_first_row_value_for_design(const DataBinding& binding) override;
    void showExportDone(const QString& path, const QString& message, const QString& details) override;

    // The table's rows as a batch reads them: the row number, then columns 1 to N.
    static SpreadsheetRows rowsOf(const Data_From_Excel& table);

private:
    SKTWindowController& window_;
    CardExporter* exporter_;
};
