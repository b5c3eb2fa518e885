#include "SeriesTestSupport.h"

#include "series/Generate_List.h"
#include "support/KeyedQuestions.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

namespace {

class SafeSeriesQuestionsTest : public SeriesWindowTest, public ::testing::WithParamInterface<int>
{ };

// Enter presses the default button, Escape the box's escape button: both must keep the series.
TEST_P(SafeSeriesQuestionsTest, DeletingAndReplacingASeriesKeepsItOnEnterAndEscape)
{
    store(QStringLiteral("Guests"), "Ann\nBob\n");
    const QByteArray before = md5Of(seriesFilePath(QStringLiteral("Guests")));

    BatchWizard wizard(host);
    wizard.Fill_List();
    wizard.List->selectionModel()->select(
        wizard.List->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    {
        KeyedDialogs keyed(GetParam());
        wizard.Delete_List_Btn_Clicked();
        ASSERT_EQ(keyed->questions.size(), 1);
        EXPECT_TRUE(keyed->questions[0].contains(QStringLiteral("delete")));
    }
    EXPECT_EQ(md5Of(seriesFilePath(QStringLiteral("Guests"))), before);

    Generate_List generator;
    {
        KeyedDialogs keyed(GetParam());
        keyed->script.modalHandler = [](QDialog& dialog) {
            auto& g = dynamic_cast<Generate_List&>(dialog);
            g.setResult(0);
            g.selectGenerator(Generate_List::Constant);
            g.const_file_name->setText(QStringLiteral("Guests"));
            g.value_txt->setText(QStringLiteral("x"));
            g.OKPressed();
            return g.result();
        };
        EXPECT_EQ(generator.Open_Wnd(1, 0), 0);
        ASSERT_EQ(keyed->questions.size(), 1);
        EXPECT_TRUE(keyed->questions[0].contains(QStringLiteral("replace")));
    }
    EXPECT_EQ(md5Of(seriesFilePath(QStringLiteral("Guests"))), before);
}

INSTANTIATE_TEST_SUITE_P(EnterAndEscape, SafeSeriesQuestionsTest, ::testing::Values(Qt::Key_Return, Qt::Key_Escape));

} // namespace
