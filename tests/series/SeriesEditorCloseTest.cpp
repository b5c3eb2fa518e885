// Closing the series editor with edited values: Save, Don't Save or Cancel, and Cancel is what
// Enter and Escape give.
#include "SeriesTestSupport.h"

#include "series/SeriesListModel.h"
#include "series/Update_Ex_Num.h"
#include "support/KeyedQuestions.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

class SeriesEditorCloseTest : public SeriesWindowTest
{
protected:
    void SetUp() override
    {
        SeriesWindowTest::SetUp();
        store(QStringLiteral("Guests"), "Ann Lee\nCara Diaz\nBo Chen\n");
    }

    static void select(QTableView* table, int row)
    {
        table->selectionModel()->clearSelection();
        table->selectionModel()->select(
            table->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The editor as Open_Wnd shows it, with the stored series opened from its list.
    void openGuests()
    {
        wizard.show();
        wizard.Back_Btn_Clicked();
        wizard.Fill_List();
        select(wizard.List, 0);
        wizard.Update_Btn_Clicked();
        ASSERT_TRUE(wizard.showingValues());
    }

    // Double-clicking a value and typing a new one, as in the edit dialog.
    void editCara()
    {
        scripted->modalHandler = [](QDialog& dialog) {
            auto& edit = dynamic_cast<Update_Ex_Num&>(dialog);
            edit.m_ex_num_str->setText(QStringLiteral("Cara Diaz-Lopez"));
            edit.OKPressed();
            return edit.result();
        };
        select(wizard.List_value, 1);
        wizard.doubleClickInTable(wizard.List_value);
        ASSERT_EQ(wizard.ListData_value().text(1), QStringLiteral("Cara Diaz-Lopez"));
    }

    QPushButton* closeButton()
    {
        for (QPushButton* button : wizard.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("&Close") && button->isVisible())
                return button;
        return nullptr;
    }

    BatchWizard wizard { host };
};

TEST_F(SeriesEditorCloseTest, ClosingWithEditedValuesAsksAndOnlySaveKeepsThem)
{
    int closed = 0;
    QObject::connect(&wizard, &QDialog::rejected, [&closed] { ++closed; });
    const QByteArray before = stored(QStringLiteral("Guests"));

    // Nothing edited: Close closes without a question.
    openGuests();
    closeButton()->click();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(scripted->asked().empty());

    // Escape in the editor, then Escape in the question: the editor stays with the edit.
    openGuests();
    editCara();
    {
        KeyedDialogs keyed(Qt::Key_Escape);
        pressKey(wizard.List_value, Qt::Key_Escape);
        ASSERT_EQ(keyed->questions.size(), 1);
        EXPECT_TRUE(keyed->questions[0].contains(QStringLiteral("\"Guests\"")));
    }
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.ListData_value().text(1), QStringLiteral("Cara Diaz-Lopez"));
    EXPECT_EQ(stored(QStringLiteral("Guests")), before);

    // Close, then Enter: the default answer is Cancel too.
    {
        KeyedDialogs keyed(Qt::Key_Return);
        closeButton()->click();
        EXPECT_EQ(keyed->questions.size(), 1);
    }
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(wizard.showingValues());
    EXPECT_EQ(stored(QStringLiteral("Guests")), before);

    // Don't Save closes and the file keeps what it had.
    scripted->choiceAnswers = { 1 };
    closeButton()->click();
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(stored(QStringLiteral("Guests")), before);

    // Save stores the edit, then closes.
    openGuests();
    EXPECT_EQ(wizard.ListData_value().text(1), QStringLiteral("Cara Diaz"));
    editCara();
    scripted->choiceAnswers = { 0 };
    closeButton()->click();
    EXPECT_EQ(closed, 3);
    EXPECT_EQ(stored(QStringLiteral("Guests")), QByteArray("Ann Lee\nCara Diaz-Lopez\nBo Chen\n"));

    // A save that does not happen (the name is taken) leaves the editor open on the values.
    store(QStringLiteral("Hosts"), "Dee\n");
    openGuests();
    wizard.batch_list_name->setText(QStringLiteral("Hosts"));
    scripted->choiceAnswers = { 0 };
    scripted->yesNoAnswers = { false }; // do not replace "Hosts"
    closeButton()->click();
    EXPECT_EQ(closed, 3);
    EXPECT_TRUE(wizard.showingValues());
    EXPECT_EQ(stored(QStringLiteral("Hosts")), QByteArray("Dee\n"));
}

} // namespace
