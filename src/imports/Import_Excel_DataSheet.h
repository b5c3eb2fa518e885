#pragma once

#include <QDialog>

#include <optional>

class ImportHost;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class SheetChooser;

// Turns columns of a workbook's sheet into series: one series per checked column, named in
// the column list, or one series from all checked columns (new, replacing or appended to a
// stored one).
class Import_Excel_DataSheet : public QDialog
{
    Q_OBJECT

public:
    enum FillOption
    {
        NewSeries,
        ReplaceSeries,
        AppendToSeries
    };

    explicit Import_Excel_DataSheet(const ImportHost& host, QWidget* parent = nullptr);

    // Resets the window, opens the workbook and runs the window modally.
    int Open_excel_Wnd(const QString& path);

    void OKPressed();
    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int option);

    SheetChooser* chooser;
    QRadioButton* Each_col_RD;
    QRadioButton* Fill_col_RD;
    QGroupBox* fill_box;
    QButtonGroup* matrix_fill_type;
    QLineEdit* list_name;
    QComboBox* List_ComboBox;
    int fill_col_option = NewSeries;
    // 1: the series editor's list is refilled after writing.
    int file_name_Insert = 0;

private:
    void Create_file_For_Col_Func();
    bool Insert_file_Func(const QString& chosenName);
    enum class ClashAnswer
    {
        Replace,
        Keep,
        InUse
    };
    // The answers given with "Apply to all" ticked, for the rest of one import.
    struct ClashAnswers
    {
        std::optional<bool> replace;
        bool inUseTold = false;
    };
    // What to do with a column whose series exists: asks unless an answer for all was given.
    ClashAnswer answerClash(const QString& name, bool offerApplyToAll, ClashAnswers& forAll);
    void refillSeriesEditor();

    const ImportHost& host_;
};
