#include "SeriesTestSupport.h"

#include "series/SeriesListModel.h"
#include "series/View_Data_Series.h"

#include <QLabel>

namespace {

using ViewDataSeriesTest = SeriesWindowTest;

TEST_F(ViewDataSeriesTest, ShowsTrimmedNonBlankValuesAndTheirCount)
{
    store(QStringLiteral("Guests"), " Ann \r\n\r\n\nBob\r\n  \n");
    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Guests");
    EXPECT_EQ(viewer.Open_Wnd(), 0);
    EXPECT_EQ(viewer.ListData().texts(), (QStringList { "Ann", "Bob" }));
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 2"));
    EXPECT_FALSE(viewer.ListData().flags(viewer.ListData().index(0, 0)).testFlag(Qt::ItemIsEditable));

    viewer.file_name = QStringLiteral("Missing");
    viewer.Open_Wnd();
    EXPECT_EQ(viewer.list_count->text(), QStringLiteral("Total Rows : 0"));
    EXPECT_TRUE(scripted->messages().empty());
}

} // namespace
