#include "SeriesTestSupport.h"

#include "series/SeriesListModel.h"
#include "series/Update_Ex_Num.h"
#include "series/View_Data_Series.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using ViewDataSeriesTest = SeriesWindowTest;

TEST_F(ViewDataSeriesTest, ShowsTrimmedValuesBlankOnesIncludedAndTheirCount)
{
    store(QStringLiteral("Guests"), " Ann \r\n\r\n\nBob\r\n  \n");
    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Guests");
    EXPECT_EQ(viewer.Open_Wnd(), 0);
    EXPECT_EQ(viewer.ListData().texts(), (QStringList { "Ann", "", "", "Bob", "" }));
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 5"));
    EXPECT_FALSE(viewer.ListData().flags(viewer.ListData().index(0, 0)).testFlag(Qt::ItemIsEditable));

    viewer.file_name = QStringLiteral("Missing");
    viewer.Open_Wnd();
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 0"));
    EXPECT_TRUE(scripted->messages().empty());
}

// A series of one 500 MB line between two values: the viewer reads it as a run does, rising by
// no more than tens of megabytes, and shows the line as too long to show between its neighbours.
TEST_F(ViewDataSeriesTest, AHugeLineIsShownAsTooLongToShowWithoutBeingKept)
{
    storeHugeLine(QStringLiteral("Huge"), "Ann\n", "\nBob\n");
    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Huge");
    const long rise = peakRiseMegabytes([&] { viewer.Open_Wnd(); });
    EXPECT_GE(rise, 0); // measured
    EXPECT_LT(rise, 64);
    const SeriesListModel& rows = viewer.ListData();
    EXPECT_EQ(rows.texts(), (QStringList { "Ann", "", "Bob" }));
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 3"));
    EXPECT_EQ(rows.data(rows.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("(too long to show)"));
    EXPECT_TRUE(rows.data(rows.index(1, 0), Qt::ToolTipRole).toString().contains(QStringLiteral("128 KB")));
    EXPECT_EQ(rows.data(rows.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("Bob"));
    EXPECT_TRUE(scripted->messages().empty());

    // A file there that cannot be read says why.
    store(QStringLiteral("Latin"), "caf\xE9\n");
    viewer.file_name = QStringLiteral("Latin");
    viewer.Open_Wnd();
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 0"));
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_TRUE(scripted->messages().back().startsWith(
        QStringLiteral("\"%1\" is not text in UTF-8 or UTF-16").arg(seriesFilePath(QStringLiteral("Latin")))));
}

// The row may have been removed while the dialog was open; nothing else is replaced then.
TEST_F(ViewDataSeriesTest, EditDialogReplacesOnlyARowThatStillExists)
{
    SeriesListModel values(QStringLiteral("Value"));
    values.setTexts({ "a", "b" });
    Update_Ex_Num edit(values);
    scripted->modalHandler = [&](QDialog&) {
        values.removeRowSet({ 1 });
        edit.m_ex_num_str->setText(QStringLiteral("changed"));
        edit.OKPressed();
        return edit.result();
    };
    EXPECT_EQ(edit.Open_Wnd(QStringLiteral("b"), 1), 0);
    EXPECT_EQ(values.texts(), (QStringList { "a" }));
}

} // namespace
