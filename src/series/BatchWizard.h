#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <utility>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class SeriesKeptLines;
class SeriesListModel;

// What the series editor asks of the main window.
class BatchWizardHost
{
public:
    virtual ~BatchWizardHost() = default;
    // True when an object of the design takes its values from the series.
    virtual bool Check_Batch_File_In_Use_Validation(const QString& seriesName) const = 0;
    // Opens the import wizard: file_name_required 1 writes a new series, 0 adds to the open one;
    // file_name_Insert 1 refills the editor's list afterwards.
    virtual void Open_Import_Wizard(int file_name_required, int file_name_Insert) = 0;
    // A series was saved under that name: objects bound to it show its first value at once.
    virtual void seriesSaved(const QString& /*seriesName*/) { }
};

// The series editor: the stored series (first screen) and the values of one series (second
// screen), where values are typed in by editing, generated, imported, deleted, exported and saved.
class BatchWizard : public QDialog
{
    Q_OBJECT

public:
    explicit BatchWizard(BatchWizardHost& host, QWidget* parent = nullptr);
    ~BatchWizard() override;

    static BatchWizard* defaultInstance();

    // Shows the series list, refilled, and runs the editor modally.
    int Open_Wnd();
    // Refills the series list from the series folder.
    void Fill_List();
    // Appends a trimmed, non-empty series name or value to its list.
    void Create_Avail_List(const QString& name);
    void Create_Value_List(const QString& value);
    // Appends many values in one step (generators and importers).
    void Create_Value_List(const QStringList& values);

    QString Get_List_Name_Text(int row) const;
    QString Get_Value_Text(int row) const;
    void Mark_List_New_Selection(int row);
    void Mark_List_New_Selection_Value(int row);

    SeriesListModel& ListData() { return *ListData_; }
    SeriesListModel& ListData_value() { return *ListData_value_; }
    bool showingValues() const;

    // Series list screen.
    void AddNew_Btn_Clicked();
    void Update_Btn_Clicked();
    void Delete_List_Btn_Clicked();
    void Import_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    // Values screen.
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Export_Value_Btn_Clicked();
    void Save_Btn_Clicked();
    void Back_Btn_Clicked();
    void doubleClickInTable(QTableView* table);

    QTableView* List = nullptr;
    QTableView* List_value = nullptr;
    QLineEdit* batch_list_name = nullptr;
    // The name the open series had when it was opened; "" for a new series.
    QString update_list_name;
    QLabel* batch_list_count = nullptr;
    QLabel* batch_value_count = nullptr;

protected:
    // Close, Escape and the title bar's close button: values edited since the series was
    // opened are saved, dropped or kept open as the user chooses.
    void reject() override;

private:
    QWidget* buildListScreen();
    QWidget* buildValueScreen();
    void showListScreen();
    void showValueScreen(const QString& name);
    void Update_batch_List_Count();
    void Update_Value_List_Count();
    bool Batch_List_Selection_Validation();
    bool valuesPresent();
    void On_Update();
    // The name and values shown become the ones a close compares with.
    void markValuesUnchanged();
    bool valuesChanged() const;
    void OnGetSelected();
    // Asks whether to clear the values before adding new ones; false when the user cancelled.
    bool prepareForNewValues();
    // Writes the values as a workbook or a text file, under the chosen name with the type's
    // extension.
    void exportValues(const QString& chosenPath, bool asText);

    BatchWizardHost& host_;
    SeriesListModel* ListData_ = nullptr;
    SeriesListModel* ListData_value_ = nullptr;
    QStackedWidget* screens_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QString unchangedName_;
    QStringList unchangedValues_;
    QList<std::pair<int, qint64>> unchangedTooLong_;
    // The file of the open series, for its lines too long to show, which Save writes back.
    std::shared_ptr<SeriesKeptLines> keptLines_;
};

// The open series editor, through which generators and importers add values.
extern BatchWizard* BatchWizard_Window;
