#include "SeriesTestSupport.h"

#include "dialogs/Long_SMS_Dlg.h"
#include "platform/DesktopOpener.h"
#include "series/Generate_List.h"
#include "series/Open_Export_Log.h"
#include "series/SeriesListModel.h"
#include "series/Update_Ex_Num.h"
#include "support/TempSettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>

namespace {

class BatchWizardTest : public SeriesWindowTest
{
protected:
    void select(QTableView* table, std::initializer_list<int> rows)
    {
        table->selectionModel()->clearSelection();
        for (const int row : rows)
            table->selectionModel()->select(
                table->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList values() { return wizard.ListData_value().texts(); }
    QStringList names() { return wizard.ListData().texts(); }

    BatchWizard wizard { host };
};

TEST_F(BatchWizardTest, CreateGenerateEditSaveAndReopen)
{
    wizard.Fill_List();
    EXPECT_EQ(wizard.batch_list_count->text(), QStringLiteral("Total List : 0"));
    wizard.AddNew_Btn_Clicked();
    EXPECT_EQ(wizard.batch_list_name->text(), QStringLiteral("Untitled"));

    // Generated values go to the open series; a list with values first asks clear or append.
    scripted->modalHandler = [](QDialog& dialog) {
        auto* generator = qobject_cast<Generate_List*>(&dialog);
        if (!generator)
            return 0;
        EXPECT_FALSE(generator->seq_file_name->isVisibleTo(generator));
        generator->from_txt->setText(QStringLiteral("1"));
        generator->to_txt->setText(QStringLiteral("3"));
        generator->prefix_txt->setText(QStringLiteral("G-"));
        generator->OKPressed();
        return dialog.result();
    };
    wizard.Series_Value_Btn_Clicked();
    EXPECT_EQ(values(), (QStringList { "G-1", "G-2", "G-3" }));
    scripted->choiceAnswers = { 1 }; // append
    wizard.Series_Value_Btn_Clicked();
    EXPECT_EQ(values().size(), 6);
    scripted->choiceAnswers = { 0 }; // clear first
    wizard.Series_Value_Btn_Clicked();
    EXPECT_EQ(values().size(), 3);
    scripted->choiceAnswers = { 2 }; // cancel: the generator does not open
    const auto modalsBefore = scripted->asked().size();
    wizard.Series_Value_Btn_Clicked();
    EXPECT_EQ(scripted->asked().size(), modalsBefore + 1);
    EXPECT_EQ(wizard.batch_value_count->text(), QStringLiteral("Total Rows : 3"));

    // Editing a value: blank refused, a duplicate accepted.
    scripted->modalHandler = [](QDialog& dialog) {
        auto* edit = qobject_cast<Update_Ex_Num*>(&dialog);
        edit->m_ex_num_str->setText(QStringLiteral("   "));
        edit->OKPressed();
        EXPECT_EQ(edit->result(), 0);
        edit->m_ex_num_str->setText(QStringLiteral(" G-3 "));
        edit->OKPressed();
        return edit->result();
    };
    select(wizard.List_value, { 0 });
    wizard.doubleClickInTable(wizard.List_value);
    EXPECT_EQ(values(), (QStringList { "G-3", "G-2", "G-3" }));
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Please enter a valid value."));

    select(wizard.List_value, { 0, 1 });
    wizard.doubleClickInTable(wizard.List_value);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Please select only one record to update."));

    wizard.batch_list_name->setText(QStringLiteral("/Guests/"));
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(stored(QStringLiteral("Guests")), QByteArray("G-3\nG-2\nG-3\n"));
    EXPECT_FALSE(wizard.showingValues());
    EXPECT_EQ(names(), (QStringList { "Guests" }));

    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();
    EXPECT_TRUE(wizard.showingValues());
    EXPECT_EQ(wizard.update_list_name, QStringLiteral("Guests"));
    EXPECT_EQ(values(), (QStringList { "G-3", "G-2", "G-3" }));
}

TEST_F(BatchWizardTest, ImportsGoThroughTheHostInTheirModes)
{
    wizard.Import_Btn_Clicked();
    wizard.AddNew_Btn_Clicked();
    wizard.Import_Value_Btn_Clicked();
    EXPECT_EQ(host.importModes, (QList<QPair<int, int>> { { 1, 1 }, { 0, 1 } }));
}

// A workbook column imported with empty cells: every later row must keep its person.
TEST_F(BatchWizardTest, ASeriesWithBlankLinesOpensAndSavesWithTheSameNumberOfValues)
{
    QByteArray column;
    for (int row = 1; row <= 500; ++row)
        column += (row % 50 == 7 ? QByteArray() : "Person " + QByteArray::number(row)) + '\n';
    column = '\n' + column; // the first cell is empty too
    store(QStringLiteral("names"), column);
    wizard.Fill_List();
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();
    EXPECT_EQ(wizard.batch_value_count->text(), QStringLiteral("Total Rows : 501"));
    EXPECT_EQ(values().at(0), QString());
    EXPECT_EQ(values().at(7), QString());
    EXPECT_EQ(values().at(500), QStringLiteral("Person 500"));
    wizard.Save_Btn_Clicked();
    EXPECT_FALSE(wizard.showingValues());
    EXPECT_EQ(stored(QStringLiteral("names")), column);
}

// A series that cannot be opened is named under the refusal, with what is wrong; one written
// with carriage returns alone opens with a value a line.
TEST_F(BatchWizardTest, ASeriesThatCannotBeOpenedIsNamedWithWhatIsWrong)
{
    store(QStringLiteral("Gone"), "Ann\n");
    store(QStringLiteral("Latin"), "caf\xe9\n");
    store(QStringLiteral("Older"), "One\rTwo\rThree\r");
    wizard.Fill_List();
    ASSERT_EQ(names(), (QStringList { "Gone", "Latin", "Older" }));
    ASSERT_TRUE(QFile::remove(seriesFilePath(QStringLiteral("Gone"))));
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("Error in file accessing.\nSeries \"Gone\": Its file \"%1\" cannot be opened for reading and "
                       "writing: No such file or directory.")
            .arg(seriesFilePath(QStringLiteral("Gone"))));
    select(wizard.List, { 1 });
    wizard.Update_Btn_Clicked();
    EXPECT_TRUE(scripted->messages().back().startsWith(
        QStringLiteral("Error in file accessing.\nSeries \"Latin\": \"%1\" is not text in UTF-8 or UTF-16: line 1")
            .arg(seriesFilePath(QStringLiteral("Latin")))))
        << scripted->messages().back().toStdString();
    wizard.Back_Btn_Clicked();
    select(wizard.List, { 2 });
    wizard.Update_Btn_Clicked();
    EXPECT_EQ(values(), (QStringList { "One", "Two", "Three" }));
}

TEST_F(BatchWizardTest, DeletingValuesAndSavingAnEmptyList)
{
    store(QStringLiteral("abc"), "a\r\n\r\nb\nc\n");
    wizard.Fill_List();
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();
    ASSERT_EQ(values(), (QStringList { "a", "", "b", "c" }));

    wizard.List_value->selectionModel()->clearSelection();
    wizard.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(
        scripted->messages().back(), QStringLiteral("Please select at least one record from the list to continue."));
    select(wizard.List_value, { 0, 3 });
    wizard.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(values(), (QStringList { "", "b" }));
    select(wizard.List_value, { 0, 1 });
    wizard.Delete_Rows_Btn_Clicked();
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("List is empty."));
    EXPECT_EQ(stored(QStringLiteral("abc")), QByteArray("a\r\n\r\nb\nc\n"));
    wizard.Back_Btn_Clicked();
    EXPECT_FALSE(wizard.showingValues());
}

TEST_F(BatchWizardTest, RenameAndReplaceAreRefusedForBoundSeries)
{
    store(QStringLiteral("abc"), "1\n");
    store(QStringLiteral("other"), "2\n");
    host.bound = { QStringLiteral("abc") };
    wizard.Fill_List();
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();
    wizard.batch_list_name->setText(QStringLiteral("renamed"));
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("Batch Processing Series can't be renamed because it is currently in use."));
    EXPECT_TRUE(wizard.showingValues());
    EXPECT_FALSE(seriesExists(QStringLiteral("renamed")));

    host.bound = { QStringLiteral("other") };
    scripted->yesNoAnswers = { true };
    wizard.batch_list_name->setText(QStringLiteral("other"));
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(stored(QStringLiteral("other")), QByteArray("2\n"));
    EXPECT_EQ(scripted->yesNoAnswers.size(), 1u);
}

TEST_F(BatchWizardTest, DeletingASeriesInUseIsRefusedBeforeAnyQuestion)
{
    for (const char* name : { "a", "b", "c" })
        store(QString::fromLatin1(name), "v\n");
    host.bound = { QStringLiteral("b") };
    wizard.Fill_List();
    select(wizard.List, { 1 });
    scripted->yesNoAnswers = { true };
    wizard.Delete_List_Btn_Clicked();
    ASSERT_FALSE(scripted->asked().empty());
    EXPECT_EQ(scripted->asked().back().kind, QStringLiteral("message"));
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("Batch Processing Series can't be delete because it is currently in use."));
    EXPECT_EQ(scripted->yesNoAnswers.size(), 1u) << "nothing was asked";
    EXPECT_EQ(names(), (QStringList { "a", "b", "c" }));

    // A selection holding a series in use deletes nothing, and asks nothing.
    select(wizard.List, { 0, 1, 2 });
    wizard.Delete_List_Btn_Clicked();
    EXPECT_EQ(scripted->yesNoAnswers.size(), 1u);
    EXPECT_TRUE(seriesExists(QStringLiteral("a")));
    EXPECT_TRUE(seriesExists(QStringLiteral("c")));

    // Series not in use are asked about, and a "No" keeps them.
    select(wizard.List, { 0, 2 });
    scripted->yesNoAnswers = { false };
    wizard.Delete_List_Btn_Clicked();
    EXPECT_EQ(scripted->asked().back().kind, QStringLiteral("yesno"));
    EXPECT_EQ(names().size(), 3);

    // After "apply to all", series in use are skipped quietly and the others go.
    select(wizard.List, { 0, 1, 2 });
    scripted->yesNoAnswers = { true };
    const auto messages = scripted->messages().size();
    Msg_Apply_All_Chk = true;
    wizard.Delete_List_Btn_Clicked();
    Msg_Apply_All_Chk = false;
    EXPECT_EQ(scripted->messages().size(), messages);
    EXPECT_EQ(names(), (QStringList { "b" }));
    EXPECT_EQ(wizard.batch_list_count->text(), QStringLiteral("Total List : 1"));

    host.bound.clear();
    select(wizard.List, { 0 });
    scripted->yesNoAnswers = { true };
    wizard.Delete_List_Btn_Clicked();
    EXPECT_TRUE(names().isEmpty());
    wizard.Update_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Available list is empty."));
}

TEST_F(BatchWizardTest, TheRowShownSelectedIsTheOneOpened)
{
    store(QStringLiteral("first"), "1\n");
    store(QStringLiteral("second"), "2\n");
    scripted->modalHandler = [this](QDialog& dialog) {
        dialog.show();
        wizard.List->setFocus();
        QCoreApplication::processEvents();
        // What the list shows as chosen is what the Open button takes.
        const QModelIndexList shown = wizard.List->selectionModel()->selectedRows();
        EXPECT_EQ(shown.size(), 1);
        EXPECT_EQ(shown.value(0).row(), 0);
        EXPECT_EQ(wizard.List->currentIndex().row(), 0);
        wizard.Update_Btn_Clicked();
        EXPECT_TRUE(wizard.showingValues());
        EXPECT_EQ(wizard.update_list_name, QStringLiteral("first"));
        dialog.hide();
        return 0;
    };
    wizard.Open_Wnd();
    EXPECT_TRUE(scripted->messages().empty());

    // After a deletion the row above the deleted one is the chosen one, shown and opened alike.
    wizard.Back_Btn_Clicked();
    select(wizard.List, { 1 });
    wizard.List->selectionModel()->setCurrentIndex(wizard.List->model()->index(1, 0), QItemSelectionModel::NoUpdate);
    scripted->yesNoAnswers = { true };
    wizard.Delete_List_Btn_Clicked();
    EXPECT_EQ(names(), (QStringList { "first" }));
    EXPECT_EQ(wizard.List->selectionModel()->selectedRows().size(), 1);
    wizard.Update_Btn_Clicked();
    EXPECT_EQ(wizard.update_list_name, QStringLiteral("first"));
}

TEST_F(BatchWizardTest, ExportWritesTheChosenFormatAndOffersToOpenIt)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx"),
        Resource_File(QStringLiteral("Template.xlsx"))));
    QList<QUrl> opened;
    const auto previous = setDesktopOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    store(QStringLiteral("codes"), "007\n010\n");
    wizard.Fill_List();
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();

    const QDir folder(resources.path());
    scripted->fileAnswers = { folder.filePath(QStringLiteral("codes.txt")) };
    scripted->typeAnswers = { 1 };
    // The first box is ticked; once the person unticks it, the next boxes are not, in this
    // run and the next one.
    TempSettings settings;
    int boxes = 0;
    scripted->modalHandler = [&](QDialog& dialog) {
        auto* box = qobject_cast<Open_Export_Log*>(&dialog);
        EXPECT_EQ(box->_open_log_chk->isChecked(), boxes < 2) << boxes;
        EXPECT_EQ(box->_open_log_chk->text(), QStringLiteral("Open exported file."));
        box->_open_log_chk->setChecked(boxes++ == 0);
        box->OKPressed();
        return 1;
    };
    wizard.Export_Value_Btn_Clicked();
    QFile text(folder.filePath(QStringLiteral("codes.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("007\n010\n"));
    EXPECT_EQ(opened, (QList<QUrl> { QUrl::fromLocalFile(folder.filePath(QStringLiteral("codes.txt"))) }));
    EXPECT_EQ(Export_File_Message, QStringLiteral("Record has been exported successfully."));

    // The type chosen in the list decides, whatever the typed name ends with: a workbook
    // name with the text type gives a text file.
    scripted->fileAnswers = { folder.filePath(QStringLiteral("list.xlsx")) };
    scripted->typeAnswers = { 1 };
    wizard.Export_Value_Btn_Clicked();
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("list.xlsx"))));
    QFile list(folder.filePath(QStringLiteral("list.txt")));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("007\n010\n"));
    EXPECT_EQ(Export_File_Path, folder.filePath(QStringLiteral("list.txt")));

    settings.reread();
    // Another extension becomes the workbook's; an existing workbook is not replaced unasked.
    QFile(folder.filePath(QStringLiteral("codes.xlsx"))).open(QIODevice::WriteOnly);
    scripted->fileAnswers = { folder.filePath(QStringLiteral("codes.csv")) };
    scripted->yesNoAnswers = { false };
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(QFileInfo(folder.filePath(QStringLiteral("codes.xlsx"))).size(), 0);
    scripted->fileAnswers = { folder.filePath(QStringLiteral("codes.txt")) };
    scripted->yesNoAnswers = { true };
    wizard.Export_Value_Btn_Clicked();
    EXPECT_GT(QFileInfo(folder.filePath(QStringLiteral("codes.xlsx"))).size(), 0);
    EXPECT_EQ(QFileInfo(folder.filePath(QStringLiteral("codes.txt"))).size(), 8) << "the text export stays as it was";
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("codes.csv"))));
    EXPECT_EQ(opened.size(), 1);
    setDesktopOpener(previous);
}

TEST_F(BatchWizardTest, AValueTooLongForAWorkbookCellIsNamedAndNoWorkbookIsWritten)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx"),
        Resource_File(QStringLiteral("Template.xlsx"))));
    store(QStringLiteral("long"), "short\n" + QByteArray(40000, 'x') + "\n");
    wizard.Fill_List();
    select(wizard.List, { 0 });
    wizard.Update_Btn_Clicked();

    const QString path = QDir(resources.path()).filePath(QStringLiteral("long.xlsx"));
    scripted->fileAnswers = { path };
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("The series cannot be exported as a workbook: row 3 of the workbook cannot be written: its "
                       "value has 40000 characters, and a workbook cell holds at most 32767."));
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A series of one 500 MB line opens in the editor as in the viewer, rising by no more than tens
// of megabytes; with rows deleted and edited around it, Save writes the line back as it was. A
// workbook, whose cell cannot hold it, is refused before anything is written.
TEST_F(BatchWizardTest, AHugeLineOpensAsTooLongToShowAndSaveKeepsItAsItWas)
{
    storeHugeLine(QStringLiteral("Huge"), "Ann\n", "\nBob\n");
    wizard.Fill_List();
    select(wizard.List, { 0 });
    const long rise = peakRiseMegabytes([&] { wizard.Update_Btn_Clicked(); });
    EXPECT_GE(rise, 0); // measured
    EXPECT_LT(rise, 64);
    EXPECT_EQ(values(), (QStringList { "Ann", "", "Bob" }));
    EXPECT_TRUE(wizard.ListData_value().isTooLong(1));
    EXPECT_EQ(wizard.batch_value_count->text(), QStringLiteral("Total Rows : 3"));

    const QString workbook = QDir(resources.path()).filePath(QStringLiteral("huge.xlsx"));
    scripted->fileAnswers = { workbook };
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("The series cannot be exported as a workbook: row 3 of the workbook cannot be written: its "
                       "value is longer than the 128 KB a value can hold."));
    EXPECT_FALSE(QFileInfo::exists(workbook));

    select(wizard.List_value, { 0 });
    wizard.Delete_Rows_Btn_Clicked();
    EXPECT_TRUE(wizard.ListData_value().isTooLong(0));
    // The line too long to show is replaced, not edited: its dialog starts empty.
    scripted->modalHandler = [](QDialog& dialog) {
        auto* edit = qobject_cast<Update_Ex_Num*>(&dialog);
        EXPECT_EQ(edit->m_ex_num_str->text(), QString());
        EXPECT_EQ(edit->m_s_number->placeholderText(), QStringLiteral("(too long to show)"));
        edit->reject();
        return 0;
    };
    select(wizard.List_value, { 0 });
    wizard.doubleClickInTable(wizard.List_value);
    EXPECT_TRUE(wizard.ListData_value().isTooLong(0));
    wizard.ListData_value().replace(1, QStringLiteral("Cy"));
    wizard.Save_Btn_Clicked();
    EXPECT_FALSE(wizard.showingValues());
    EXPECT_TRUE(holdsHugeLine(QStringLiteral("Huge"), "", "\nCy\n"));
}

} // namespace
