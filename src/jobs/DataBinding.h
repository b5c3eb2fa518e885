#pragma once

#include "jobs/CardProblems.h"
#include "jobs/RowApplication.h"
#include "model/CardEdge.h"
#include "model/SKTGraphic.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>
#include <vector>

class SKTBarcode;
class SKTText;

// The spreadsheet table as a batch reads it: per row, its row number, then the cells of
// columns 1 to N.
using SpreadsheetRows = QList<QStringList>;

// Which objects of a card take which data row's values, and how many cards a batch makes.
// Prepared on the GUI thread from the objects as they stand, with each bound series read
// once; afterwards it is only read, so the workers of a run share it.
class DataBinding
{
public:
    // Data sources of an object (its data_source_type).
    static constexpr int manualSource = 0;
    static constexpr int seriesSource = 1;
    static constexpr int spreadsheetSource = 2;

    // The flags, the row counts and the table of bound series for a card; the back counts
    // only on a two-sided card. The column titles (the row-number column's first) name the
    // columns in what a run asks and reports. Gone columns are those whose title the workbook,
    // read again, no longer has: they keep their place, empty, and are named as gone.
    static DataBinding Check_Series_Or_Excel_Use_or_not(const QList<SKTGraphicPtr>& front,
        const QList<SKTGraphicPtr>& back, bool twoSided, SpreadsheetRows spreadsheet, QStringList columnTitles = {},
        const QList<int>& goneColumns = {});

    // How a spreadsheet column is named to the user: by its title in quotes, or by its number
    // where it has no title or shares it with another column.
    static QString columnLabel(int column, const QStringList& columnTitles);
    QString columnLabel(int column) const { return columnLabel(column, columnTitles_); }
    // The same for the column an object is bound to, named by its title when the table lacks it.
    static QString columnLabelOf(const SKTGraphic& object, const QStringList& columnTitles);
    QString columnLabelOf(const SKTGraphic& object) const { return columnLabelOf(object, columnTitles_); }

    // Only text, image and barcode objects (of exactly those kinds) take row values.
    static bool takesRowValues(const SKTGraphic& object);
    // Whether a side has such an object bound to the source.
    static bool sideUses(const QList<SKTGraphicPtr>& side, int source);

    // Recounts the cards from the flags as they stand: a window that turns a source off
    // clears its flag and calls this.
    void Get_total_Card_count();

    // The value at a row of a bound series, and the cell at a row and column of the
    // spreadsheet (0 is the row number); "" outside what they hold.
    QString Get_sel_row_col_value_of_dataset(int row, const QString& seriesName) const;
    QString Get_sel_row_col_value_of_Excel(int row, int column) const;
    // The trimmed value an object takes on a row; none when it keeps its own. A column is
    // found by the title it was bound to: "" when the table has no column of that title.
    std::optional<QString> valueFor(const SKTGraphic& object, int row) const;
    // Whether the object's series holds a value on the row that was too long to read: the
    // object then takes nothing there, and the card is not its row's.
    bool valueTooLong(const SKTGraphic& object, int row) const;

    // The folder a bound picture's bare file names are looked for in first: the bound
    // workbook's folder, or the folder the bound series was imported from; "" for none.
    QString pictureFolderFor(const SKTGraphic& object) const;

    // Writes a row's values into the bound objects of a side.
    void Assign_Batch_Values_To_Control(const QList<SKTGraphicPtr>& side, int row) const;

    bool inUse() const { return Use_Data_Sheet_Values || Use_Excel_Binding_Values; }

    // A bound series or spreadsheet column of the sources in use, and how many values it
    // holds: a series its lines, a column up to its last cell with a value.
    struct SourceLength
    {
        QString seriesName; // "" for a column
        int column = 0; // of the spreadsheet, when no series is named (0: the row numbers)
        int values = 0;
    };
    // Every bound series and column in use, series first, in the order they were met.
    QList<SourceLength> sourceLengths() const;

    // Why a bound object gets nothing on any card: no series named, a series that cannot be
    // read (seriesValues null) or holds no value, a column the spreadsheet lacks, whose title
    // is gone from the workbook or that holds no value; "" when its source gives values or the
    // object is not bound.
    static QString missingSource(const SKTGraphic& object, const QStringList* seriesValues,
        const SpreadsheetRows& spreadsheet, const QStringList& columnTitles = {}, const QList<int>& goneColumns = {});
    // The bound objects of the card whose source gives nothing, each named with its side and
    // what is wrong; whatever the sources in use, as such objects are on no card.
    const QStringList& objectsWithoutSource() const { return objectsWithoutSource_; }

    // The bound objects, each named with its side and source, of a source that has rows while
    // the run steps through the other source's rows alone: every card shows them as the design
    // does, with the values of the source's first row. None for a run of one card.
    QStringList objectsOfSourcesNotSteppedThrough() const;

    // Columns of the spreadsheet table as the binding holds it (the row numbers' among them);
    // 0 when the spreadsheet is not in use.
    qsizetype spreadsheetWidth() const;

    bool Use_Data_Sheet_Values = false;
    bool Use_Excel_Binding_Values = false;
    int Data_table_rows = 0;
    int Excel_table_rows = 0;
    int Total_Batch_Excel_Card = 0;

private:
    void Calculate_data_table_rows();

    // The rows of every bound series that could be read, by series name.
    QHash<QString, QStringList> data_table_content;
    QHash<QString, QList<int>> tooLongRows_; // by series name, in order
    QStringList seriesOrder_; // the bound series that could be read, in the order met
    QList<int> boundColumns_; // the bound spreadsheet columns, in the order met
    QStringList objectsWithoutSource_;
    QStringList seriesObjects_, spreadsheetObjects_; // bound to a source with rows, named
    SpreadsheetRows spreadsheet_;
    QStringList columnTitles_;
    QHash<QString, QString> seriesFolders_; // the bound series' folders of origin, by name
    QString spreadsheetFolder_; // of the workbook the spreadsheet table was imported from
};

// The bound objects of one side, found once, so that each row only looks its values up and
// each barcode's settings are read once. Made on the thread that then applies the rows.
class BoundSide
{
public:
    // Also checks once whether the printed texts that take no row value fit their boxes and
    // the card: they are the same on every card. sideName ("front" or "back") names the side
    // in the faults the rows report.
    BoundSide(
        const QList<SKTGraphicPtr>& side, const DataBinding& binding, const CardEdge& card, const QString& sideName);

    // Writes the row's values and says whether each bound barcode got a barcode, each bound
    // picture its picture and each text and barcode on the side room in its box and on the
    // card, with the objects that did not.
    RowOutcome apply(int row) const;

private:
    struct Bound
    {
        SKTGraphicPtr object;
        RowApplication::Applier apply;
        const SKTText* text = nullptr; // the object, when it is a text whose fit the row decides
        CardFault::Kind missing = CardFault::Kind::NoBarcode; // what a value that gives nothing leaves out
        QString name; // as faults name it
        const SKTBarcode* barcode = nullptr; // the object, when it is a barcode
    };
    // Writes a value refused for its length: nothing in the object's place, and the fault.
    void applyTooLong(const Bound& bound, RowOutcome& outcome) const;
    const DataBinding& binding_;
    CardEdge card_;
    std::vector<Bound> bound_;
    QList<CardFault> unboundCut_; // texts and barcodes that take no row value and do not fit
};
