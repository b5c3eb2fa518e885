#pragma once

#include "jobs/CardSnapshot.h"
#include "print/PrintHost.h"
#include "render/PrintLayout.h"

#include <QDialog>

#include <map>
#include <memory>
#include <optional>

struct JobWithdrawal;
struct PrintServiceAnswer;

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class Printing_View;
class Sample_Preview;

// The print window: printer and paper, the side each cell carries, the cell grid and its
// placement, the number of cards and copies, and whether a batch takes its rows from the
// bound series or spreadsheet columns. It keeps its own printer settings and starts prints
// and previews of the design as it stood when the window opened.
class Print_Wnd : public QDialog
{
    Q_OBJECT

public:
    explicit Print_Wnd(QWidget* parent = nullptr);
    ~Print_Wnd() override;

    // The single instance; null before one is made.
    static Print_Wnd* defaultInstance();

    // Fills the window afresh from the host's design and printers and runs it modally.
    // Says "List is empty." instead when a bound batch has no rows.
    bool Open_Print_Wnd(PrintHost& host);

    // The name the printer list gives to printing into a PDF file.
    static QString pdfFileEntry();

    void Set_values_From_Printer();
    void Check_Max_Cell_Value();
    // The paper, margins and the cells that fit them, after the printer's page changed.
    void refitToPrinter();
    void Refresh_Preview();
    // Starts a preview (true) or a print (false) with the settings as they stand.
    void Execute_Printing(bool preview);
    void Verify_Card_Count();

    const PrintLayout::PrintSettings& settings() const { return settings_; }
    QPrinter& printer() { return *printInfo; }

private:
    void buildWindow();
    void gridCountTyped();
    QString designName() const;
    std::optional<QSize> gridAskedBefore() const;
    void rememberGrid();
    QWidget* buildPrinterGroup();
    QWidget* buildCardGroup();
    QWidget* buildGridGroup();
    QWidget* buildQuantityGroup();
    void connectFields();

    void printerChosen(int index);
    void orientationChosen(int index);
    void pagesetup();
    void card_side_CellClick();
    void alignmentChosen(int position);
    void Auto_Center_Checked();
    void Print_With_Batch_Changed();
    void showTotal(int total, int maximum);
    std::unique_ptr<Printing_View> makeJob() const;
    void previewSheets();
    void printSheets(const Printing_View& job);
    bool chosenSheetsExist(int sheets);
    // The title of the job on the printer's queue: the design's name and the rows printed.
    QString jobTitle(const Printing_View& job) const;
    void applyChosenPrinter();
    // Each says what went where when the sheets were printed whole, and "" otherwise.
    QString printToPdfFile(const Printing_View& job);
    QString printToPrinter(const Printing_View& job);
    // "8 cards went to <destination> on 2 sheets.", for the printer's range and copies.
    QString printedText(const Printing_View& job, const QString& destination) const;
    enum class Outcome
    {
        Printed,
        Stopped,
        Failed,
    };
    // With answer, a job the print service did not take is a failure, and answer says why.
    // With withdrawal, a stopped job is taken back from the print service, and it says what
    // had printed.
    Outcome runPrint(
        const Printing_View& job, PrintServiceAnswer* answer = nullptr, JobWithdrawal* withdrawal = nullptr);

    PrintHost* host_ = nullptr;
    std::unique_ptr<QPrinter> printInfo;
    PrintLayout::PrintSettings settings_;
    CardSnapshot snapshot_;
    Picture front_image;
    Picture back_image;
    PrintBatchState batch_;
    // The sources the binding had in use when the window opened, whatever the ticks say since.
    bool seriesFound_ = false;
    bool spreadsheetFound_ = false;
    bool loading = false;
    // The rows and columns the user asked for. Every refit fits these, so a cell too large
    // for the paper for a while takes cells away only while it does not fit.
    int askedRows_ = 1;
    int askedColumns_ = 1;
    // The grid last asked for each design opened in this run, for the next opening: it stays
    // through renaming the card and saving the design under a new name. A design's file keeps
    // it for later runs (PrintGridMemory).
    std::map<quint64, QSize> gridBySerial_;
    quint64 designSerial_ = 0;
    QString designFile_;

    QComboBox* Printer_ComboBox;
    QComboBox* Orient_ComboBox;
    QLabel* Paper_id;
    QLabel* Size_id;
    QLabel* l_mar_id;
    QLabel* r_mar_id;
    QLabel* t_mar_id;
    QLabel* b_mar_id;
    QRadioButton* bothSides;
    QRadioButton* frontSide;
    QRadioButton* backSide;
    QComboBox* print_alignment;
    QDoubleSpinBox* width_Text;
    QDoubleSpinBox* height_Text;
    QSpinBox* Row_Text;
    QSpinBox* Col_Text;
    QDoubleSpinBox* horz_mar_Text;
    QDoubleSpinBox* vert_mar_Text;
    QCheckBox* Auto_Center_chk_bx;
    QGroupBox* align_Gp_Bx;
    QButtonGroup* alignmentButtons;
    QCheckBox* Show_Margins;
    QSpinBox* Total_Text;
    QSpinBox* Copies_Text;
    QCheckBox* print_with_batch_chk;
    QCheckBox* print_with_excel_chk;
    QCheckBox* onlySheets_chk; // reprint some sheets, for example after a paper jam
    QSpinBox* firstSheet_Text;
    QSpinBox* lastSheet_Text;
    QScrollArea* Print_sclview;
    Sample_Preview* PrintView;
};
