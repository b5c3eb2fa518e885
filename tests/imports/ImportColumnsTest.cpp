#include "ImportTestSupport.h"

#include "dialogs/Long_SMS_Dlg.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class ImportColumnsTest : public ImportWindowTest
{
protected:
    // Opens the workbook, lets `choose` set the window up, presses OK; the dialogs of the
    // questions are answered by `answer` (their text and whether apply-to-all was offered).
    int run(const QString& path, const std::function<void(Import_Excel_DataSheet&)>& choose)
    {
        Import_Excel_DataSheet window(importHost);
        scripted->modalHandler = [&](QDialog& dialog) {
            if (auto* question = qobject_cast<Long_SMS_Dlg*>(&dialog)) {
                questions.append(question->title_val.value_or(QString()) + QLatin1Char('|')
                    + question->msg_val_str.value_or(QString()).section(QLatin1Char('\n'), 0, 0)
                    + (question->apply_chk_show ? "|all" : ""));
                // Answered with the buttons, as a person does.
                const int answer = answers.isEmpty() ? 0 : answers.takeFirst();
                question->apply_chk->setChecked(applyToAll);
                question->setResult(0);
                answer == 1 ? question->OKPressed() : question->CancelPressed();
                return question->result();
            }
            choose(window);
            window.OKPressed();
            return window.result();
        };
        return window.Open_excel_Wnd(path);
    }

    static void check(Import_Excel_DataSheet& window, const QList<int>& columns)
    {
        SheetColumnsModel& model = window.chooser->columns();
        for (int column : columns)
            model.setData(model.index(column, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
    }
    static void rename(Import_Excel_DataSheet& window, int column, const QString& name)
    {
        SheetColumnsModel& model = window.chooser->columns();
        model.setData(model.index(column, SheetColumnsModel::Header), name, Qt::EditRole);
    }
    static void oneSeries(Import_Excel_DataSheet& window, int option, const QString& name)
    {
        window.Fill_col_RD->click();
        window.matrix_fill_type->button(option)->click();
        if (option == Import_Excel_DataSheet::NewSeries)
            window.list_name->setText(name);
        else
            window.List_ComboBox->setCurrentText(name);
    }

    QStringList questions;
    QList<int> answers;
    bool applyToAll = false;
};

} // namespace

TEST_F(ImportColumnsTest, EachCheckedColumnBecomesItsOwnSeriesBlankTitlesIncluded)
{
    EXPECT_EQ(run(guests(), [](Import_Excel_DataSheet& w) { check(w, { 0, 1 }); }), 1);
    EXPECT_EQ(stored("Name"), QByteArray("Ann\nBob\nCy\n"));
    EXPECT_EQ(stored("Untitled Column 2"), QByteArray("t1\n\nt3\n"));
    EXPECT_FALSE(seriesExists(QStringLiteral("City")));

    // Without the header the title row is the first value.
    run(guests(), [](Import_Excel_DataSheet& w) {
        check(w, { 2 });
        rename(w, 2, QStringLiteral(" Towns "));
        w.chooser->contains_header->setChecked(false);
    });
    EXPECT_EQ(stored("Towns"), QByteArray("City\nOslo\n\nRome\n"));
}

TEST_F(ImportColumnsTest, ExistingSeriesAreAskedAboutAndSeriesInUseAreNeverOverwritten)
{
    store("Name", "old\n");
    store("City", "kept\n");
    host.bound = { QStringLiteral("Name") };
    Msg_Apply_All_Chk = true; // left by an earlier import: must not carry over
    answers = { 1, 0 };
    run(guests(), [](Import_Excel_DataSheet& w) { check(w, { 0, 2 }); });
    EXPECT_EQ(questions, QStringList({ "Message :|Name|all", "Batch Processing Series already exists :|City|all" }));
    EXPECT_EQ(stored("Name"), QByteArray("old\n"));
    EXPECT_EQ(stored("City"), QByteArray("kept\n"));

    // Apply-to-all overwrites the rest without asking, but still not a series in use.
    questions.clear();
    answers = { 1 };
    applyToAll = true;
    run(guests(), [](Import_Excel_DataSheet& w) {
        check(w, { 0, 1, 2 });
        rename(w, 0, QStringLiteral("City"));
        rename(w, 1, QStringLiteral("Name"));
        rename(w, 2, QStringLiteral("City"));
    });
    EXPECT_EQ(questions, QStringList({ "Batch Processing Series already exists :|City|all" }));
    EXPECT_EQ(stored("City"), QByteArray("Oslo\n\nRome\n"));
    EXPECT_EQ(stored("Name"), QByteArray("old\n"));
}

// Apply to all answers the rest of the import, whichever the answer: one question, five clashes.
TEST_F(ImportColumnsTest, ApplyToAllAnswersEveryLaterClashAndTheImportSaysWhatItDid)
{
    for (const char* name : { "A", "B", "C", "D", "E" })
        store(QString::fromLatin1(name), "old\n");
    host.bound = { QStringLiteral("B"), QStringLiteral("D") };
    const auto fiveClashes = [](Import_Excel_DataSheet& w) {
        check(w, { 0, 1, 2 });
        rename(w, 0, QStringLiteral("A"));
        rename(w, 1, QStringLiteral("B"));
        rename(w, 2, QStringLiteral("C"));
    };
    applyToAll = true;
    answers = { 0 };
    run(guests(), fiveClashes);
    EXPECT_EQ(questions, QStringList({ "Batch Processing Series already exists :|A|all" }));
    for (const char* name : { "A", "B", "C" })
        EXPECT_EQ(stored(QString::fromLatin1(name)), QByteArray("old\n")) << name;
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("0 series with 0 values imported. Skipped: A (already exists, kept), B (in use by the design), "
                       "C (already exists, kept)."));

    // The in-use notice offers OK alone; ticked, it is not shown again in this import.
    questions.clear();
    answers = { 1, 1 };
    run(guests(), [](Import_Excel_DataSheet& w) {
        check(w, { 0, 1, 2 });
        rename(w, 0, QStringLiteral("B"));
        rename(w, 1, QStringLiteral("D"));
        rename(w, 2, QStringLiteral("E"));
    });
    EXPECT_EQ(questions, QStringList({ "Message :|B|all", "Batch Processing Series already exists :|E|all" }));
    EXPECT_EQ(stored("E"), QByteArray("Oslo\n\nRome\n"));
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("1 series with 3 values imported. Skipped: B (in use by the design), D (in use by the design)."));
}

TEST_F(ImportColumnsTest, ASheetOfOneColumnAsksWithoutApplyToAll)
{
    store("Table", "old\n");
    answers = { 1 };
    run(guests(), [](Import_Excel_DataSheet& w) {
        w.chooser->Sheet_ComboBox->setCurrentIndex(1);
        w.chooser->chooseSheet(1);
        check(w, { 0 });
    });
    EXPECT_EQ(questions, QStringList({ "Batch Processing Series already exists :|Table" }));
    EXPECT_EQ(stored("Table"), QByteArray("T-9\n"));
}

TEST_F(ImportColumnsTest, OneSeriesNewReplaceAndAppend)
{
    const QString path = guests();
    run(path, [](Import_Excel_DataSheet& w) {
        check(w, { 0, 2 });
        oneSeries(w, Import_Excel_DataSheet::NewSeries, QStringLiteral("All"));
    });
    EXPECT_EQ(stored("All"), QByteArray("Ann\nOslo\nBob\n\nCy\nRome\n"));

    store("Appended", "x\ny");
    run(path, [](Import_Excel_DataSheet& w) {
        w.chooser->chooseSheet(1);
        check(w, { 0 });
        w.chooser->contains_header->setChecked(false);
        oneSeries(w, Import_Excel_DataSheet::AppendToSeries, QStringLiteral("Appended"));
    });
    EXPECT_EQ(stored("Appended"), QByteArray("x\ny\nTable\nT-9\n"));

    run(path, [](Import_Excel_DataSheet& w) {
        check(w, { 1 });
        oneSeries(w, Import_Excel_DataSheet::ReplaceSeries, QStringLiteral("All"));
    });
    EXPECT_EQ(stored("All"), QByteArray("t1\n\nt3\n"));

    // A new series over an existing one asks; No keeps the window open and the file.
    scripted->yesNoAnswers = { false };
    EXPECT_EQ(run(path,
                  [](Import_Excel_DataSheet& w) {
                      check(w, { 0 });
                      oneSeries(w, Import_Excel_DataSheet::NewSeries, QStringLiteral("All"));
                  }),
        0);
    EXPECT_EQ(stored("All"), QByteArray("t1\n\nt3\n"));
}

TEST_F(ImportColumnsTest, NamesAreCheckedAndNothingIsLostOnFailure)
{
    store("Kept", "a\nb\n");
    host.bound = { QStringLiteral("Kept") };
    const QString path = workbook(QStringLiteral("two.xlsx"),
        QJsonArray { QJsonArray { "Full", QJsonArray { QJsonArray { "A" }, QJsonArray { "1" } } },
            QJsonArray { "Empty", QJsonArray {} } });

    // A series in use is not replaced.
    EXPECT_EQ(run(path,
                  [](Import_Excel_DataSheet& w) {
                      check(w, { 0 });
                      oneSeries(w, Import_Excel_DataSheet::ReplaceSeries, QStringLiteral("Kept"));
                  }),
        0);
    EXPECT_TRUE(
        scripted->messages().back().startsWith(QStringLiteral("Kept\nBatch processing Series name is already in use")));

    // An empty sheet leaves the stored series as it was.
    host.bound.clear();
    run(path, [](Import_Excel_DataSheet& w) {
        check(w, { 0 });
        w.chooser->chooseSheet(1);
        oneSeries(w, Import_Excel_DataSheet::ReplaceSeries, QStringLiteral("Kept"));
    });
    EXPECT_TRUE(scripted->messages().back().endsWith(QStringLiteral(".\n\nThe sheet \"Empty\" holds no cells.")));
    EXPECT_EQ(stored("Kept"), QByteArray("a\nb\n"));

    // A name with a slash: skipped in the per-column choice, refused in the one-series choice.
    run(path, [](Import_Excel_DataSheet& w) {
        check(w, { 0 });
        rename(w, 0, QStringLiteral("a/b"));
    });
    EXPECT_FALSE(QFile::exists(Data_Folder_Path + QStringLiteral("/a")));
    EXPECT_EQ(run(path,
                  [](Import_Excel_DataSheet& w) {
                      check(w, { 0 });
                      oneSeries(w, Import_Excel_DataSheet::NewSeries, QStringLiteral("a/b"));
                  }),
        0);
    EXPECT_TRUE(scripted->messages().back().startsWith(QStringLiteral("Error in file accessing.\nSeries \"a/b\": ")));

    // Nothing chosen.
    EXPECT_EQ(run(path, [](Import_Excel_DataSheet& w) { oneSeries(w, 1, QString()); }), 0);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("No column is selected."));
    EXPECT_EQ(run(path,
                  [](Import_Excel_DataSheet& w) {
                      check(w, { 0 });
                      oneSeries(w, Import_Excel_DataSheet::NewSeries, QStringLiteral("  "));
                  }),
        0);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Please enter list name."));
}
