#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "series/Generate_List.h"
#include "series/SeriesListModel.h"
#include "support/SeriesReference.h"

#include <QAction>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

namespace {

// The series editor opened from the main window refuses to delete a series the design uses.
TEST_F(MainWindowTest, SeriesEditorAsksTheDesignWhetherASeriesIsInUse)
{
    SKTWindowController& main = start();
    // The main window's resources folder is shared with tests running at the same time.
    const QString name = QStringLiteral("Series editor in-use check");
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(name), { QStringLiteral("Ann") }, true));
    main.findChild<QToolButton*>(QStringLiteral("Tool_2"))->click();
    main.Get_Front_Controls_Array().front()->data_source_type = 1;
    main.Get_Front_Controls_Array().front()->batch_list_name = name;

    int editorRuns = 0;
    otherModal = [&](QDialog& dialog) {
        auto* editor = qobject_cast<BatchWizard*>(&dialog);
        if (!editor)
            return 0;
        ++editorRuns;
        const int row = int(editor->ListData().texts().indexOf(name));
        EXPECT_GE(row, 0);
        editor->List->selectionModel()->select(
            editor->List->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        dialogs->yesNoAnswers = { true };
        editor->Delete_List_Btn_Clicked();
        return 0;
    };
    main.findChild<QAction*>(QStringLiteral("Batch_Series_Btn"))->trigger();
    EXPECT_EQ(editorRuns, 1);
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("Batch Processing Series can't be delete because it is currently in use."));
    EXPECT_TRUE(seriesExists(name));
    deleteSeries(name);
}

TEST_F(MainWindowTest, CreateSeriesWritesANewSeriesFile)
{
    start();
    const QString name = QStringLiteral("Main window generated series");
    otherModal = [&](QDialog& dialog) {
        auto* generator = qobject_cast<Generate_List*>(&dialog);
        if (!generator)
            return 0;
        generator->selectGenerator(Generate_List::Constant);
        generator->const_file_name->setText(name);
        generator->value_txt->setText(QStringLiteral("VIP"));
        generator->count_txt->setText(QStringLiteral("2"));
        generator->OKPressed();
        return generator->result();
    };
    window->findChild<QAction*>(QStringLiteral("Create_Series_Btn"))->trigger();
    EXPECT_EQ(readSeriesValues(name), (QStringList { "VIP", "VIP" }));
    deleteSeries(name);
}

} // namespace
