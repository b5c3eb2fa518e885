#include "data/Data_From_Excel.h"
#include "data/SpreadsheetTableModel.h"

#include <gtest/gtest.h>

namespace {

const SheetTable threeColumns { { "Name", " ", "City " }, { "Ann", "1", " Oslo" }, { "Bob", "", "" } };

QStringList row(const Data_From_Excel& table, int r)
{
    QStringList cells;
    for (int c = 0; c < table.ColList.size(); ++c)
        cells.append(table.value(r, c));
    return cells;
}

} // namespace

TEST(SpreadsheetTable, ChosenColumnsAreNumberedByPositionWithAndWithoutHeader)
{
    Data_From_Excel table;
    ASSERT_TRUE(table.replaceFromSheet(threeColumns, { 0, 2 }, true));
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "Name", "City" }));
    EXPECT_EQ(table.ColList.at(2).identifier, QStringLiteral("Column2"));
    ASSERT_EQ(table.ListData.size(), 2);
    EXPECT_EQ(row(table, 0), QStringList({ "1", "Ann", "Oslo" }));
    EXPECT_EQ(row(table, 1), QStringList({ "2", "Bob", "" }));
    // Every key is present, an empty cell as "".
    EXPECT_EQ(table.ListData.at(1).toDict().keys(), QStringList({ "Extension", "Column1", "Column2" }));

    // Without a header the title row is also row 1; a blank title stays blank in the table.
    ASSERT_TRUE(table.replaceFromSheet(threeColumns, { 1 }, false));
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "" }));
    EXPECT_EQ(row(table, 0), QStringList({ "1", "" }));
    EXPECT_EQ(row(table, 1), QStringList({ "2", "1" }));
    EXPECT_EQ(table.Get_First_Value_Of_Excel_Binding(0), QStringLiteral("1"));
}

TEST(SpreadsheetTable, ASheetWithoutRowsKeepsTheTable)
{
    Data_From_Excel table;
    table.replaceFromSheet(threeColumns, { 0 }, true);
    EXPECT_FALSE(table.replaceFromSheet({}, { 0 }, true));
    EXPECT_EQ(table.ListData.size(), 2);
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "Name" }));
}

TEST(SpreadsheetTable, CopiesForWorkersStayAsTheyWereWhileTheTableChanges)
{
    Data_From_Excel table;
    table.replaceFromSheet(threeColumns, { 0, 2 }, true);
    const Data_From_Excel copy = table.readOnlyCopy();
    table.setValue(0, 1, QStringLiteral("Eve"));
    table.Create_List_By_Array({ " Cy ", "Rome", "extra" }, 2);
    EXPECT_EQ(copy.value(0, 1), QStringLiteral("Ann"));
    EXPECT_EQ(copy.ListData.size(), 2);
    EXPECT_EQ(row(table, 0), QStringList({ "1", "Eve", "Oslo" }));
    EXPECT_EQ(row(table, 2), QStringList({ "3", "Cy", "Rome" }));
}

TEST(SpreadsheetTable, CellsOutsideTheTableAreRefused)
{
    Data_From_Excel table;
    table.replaceFromSheet(threeColumns, { 0 }, true);
    EXPECT_FALSE(table.setValue(2, 1, QStringLiteral("x")));
    EXPECT_FALSE(table.setValue(0, 2, QStringLiteral("x")));
    EXPECT_FALSE(table.setValue(-1, 1, QStringLiteral("x")));
    EXPECT_EQ(table.value(5, 1), QString());
    Data_From_Excel empty;
    EXPECT_EQ(empty.Get_First_Value_Of_Excel_Binding(1), QString());
}

TEST(SpreadsheetTableModel, ShowsTitlesAndEditsCellsButNotRowNumbers)
{
    Data_From_Excel table;
    table.replaceFromSheet(threeColumns, { 0, 2 }, true);
    SpreadsheetTableModel model(table);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("City"));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("Bob"));
    EXPECT_TRUE(model.setData(model.index(1, 2), QStringLiteral("Rome"), Qt::EditRole));
    EXPECT_EQ(table.value(1, 2), QStringLiteral("Rome"));
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("9"), Qt::EditRole));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsEditable));
}
