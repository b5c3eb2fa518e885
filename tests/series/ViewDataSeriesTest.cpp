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
