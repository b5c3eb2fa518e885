#include "ImportTestSupport.h"

#include "data/CompoundFileTestSupport.h"
#include "support/KeyedQuestions.h"

#include "imports/Import_Excel_DataSheet.h"
#include "imports/Import_Wizard.h"
#include "series/SeriesListModel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace {

class ImportWizardTest : public ImportWindowTest
{
protected:
    // Opens the wizard in a mode, lets `fill` choose the source, presses Import; the result.
    int run(int required, int insert, const std::function<void(Import_Wizard&)>& fill)
    {
        wizard.file_name_required = required;
        wizard.file_name_Insert = insert;
        scripted->modalHandler = [&](QDialog& dialog) {
            if (&dialog != &wizard)
                return nested ? nested(dialog) : 0;
            wizard.setResult(0); // as a modal run starts
            fill(wizard);
            wizard.OKPressed();
            return wizard.result();
        };
        return wizard.Open_Wnd();
    }

    // Imports a text file as a new series under `name`; the result.
    int runTextFile(const QString& path, const QString& name = QString())
    {
        return run(1, 0, [&](Import_Wizard& w) {
            w.chooseSource(Import_Wizard::TextFile);
            w.Text_path->setText(path);
            if (!name.isEmpty())
                w.Text_file_name->setText(name);
        });
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir(resources.path()).filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    Import_Wizard wizard { importHost };
    std::function<int(QDialog&)> nested;
};

} // namespace

TEST_F(ImportWizardTest, CsvAndRtfFilesBecomeANewSeries)
{
    const QString csv = file("guests.Csv", "\"Smith, Ann\",Bob\r\nC:\\img\\a.png\n{Cy}\r");
    EXPECT_EQ(runTextFile(csv, QStringLiteral("Guests")), 1);
    EXPECT_EQ(stored("Guests"), QByteArray("Smith, Ann\nBob\nC:\\img\\a.png\n{Cy}\n"));

    const QString rtf = file("letter.rtf",
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}\\f0 Ann\\par\\f1\\b Bob\\b0\\par NSFont = x\\par}");
    runTextFile(rtf, QStringLiteral("Letter"));
    EXPECT_EQ(stored("Letter"), QByteArray("Ann\nBob\nNSFont = x\n"));
}

TEST_F(ImportWizardTest, TextIntoTheOpenSeriesAndTheListRefilled)
{
    BatchWizard editor(host);
    store("Other", "1\n");
    const QString text = file("names.txt", "caf\xE9\r\n\r\n  Bob  \n");
    run(0, 1, [&](Import_Wizard& w) {
        EXPECT_FALSE(w.Text_file_name->isVisibleTo(&w));
        w.chooseSource(Import_Wizard::TextFile);
        w.Text_path->setText(text);
    });
    // The blank line holds its row.
    EXPECT_EQ(editor.ListData_value().texts(), QStringList({ "café", "", "Bob" }));
    EXPECT_EQ(editor.ListData().texts(), QStringList({ "Other" }));
}

TEST_F(ImportWizardTest, PastedTextKeepsLinesInAFileAndTrimsThemInTheEditor)
{
    const QString pasted = QStringLiteral("  a\n\n b \n");
    run(1, 0, [&](Import_Wizard& w) {
        w.chooseSource(Import_Wizard::PastedText);
        w.ManualEdit->setPlainText(pasted);
        w.Manual_file_name->setText(QStringLiteral("Pasted"));
    });
    EXPECT_EQ(stored("Pasted"), QByteArray("a\n b\n"));

    BatchWizard editor(host);
    run(0, 0, [&](Import_Wizard& w) {
        w.chooseSource(Import_Wizard::PastedText);
        w.ManualEdit->setPlainText(pasted);
    });
    EXPECT_EQ(editor.ListData_value().texts(), QStringList({ "a", "b" }));

    EXPECT_EQ(run(1, 0, [&](Import_Wizard& w) { w.chooseSource(Import_Wizard::PastedText); }), 0);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Please enter some data."));
}

// Values typed into the box are not dropped by Cancel, Escape or the close button without a
// question whose default keeps the wizard open with them; Save imports them.
TEST_F(ImportWizardTest, ClosingWithTypedValuesAsksAndItsDefaultKeepsThem)
{
    const QString question = QStringLiteral("Do you want to import the values you typed before closing?");
    const auto questions = [&] {
        int count = 0;
        for (const auto& asked : scripted->asked())
            count += asked.kind == QLatin1String("choice") && asked.text == question ? 1 : 0;
        return count;
    };
    wizard.file_name_required = 1;
    bool closed = false;
    QObject::connect(&wizard, &QDialog::finished, [&] { closed = true; });
    const auto cancel = [&] { wizard.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); };
    const auto open = [&](const std::function<void()>& act) {
        closed = false;
        scripted->modalHandler = [&](QDialog& dialog) {
            if (&dialog != &wizard)
                return 0;
            wizard.setResult(0);
            act();
            return wizard.result();
        };
        return wizard.Open_Wnd();
    };

    // Nothing typed: Cancel closes at once.
    open(cancel);
    EXPECT_TRUE(closed);
    EXPECT_EQ(questions(), 0);

    open([&] {
        wizard.show();
        wizard.chooseSource(Import_Wizard::PastedText);
        wizard.ManualEdit->insertPlainText(QStringLiteral("Ann\nBob\n"));
        wizard.Manual_file_name->setText(QStringLiteral("Typed"));
        scripted->choiceAnswers = { -1 }; // Escape on the question: its default, Cancel
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&wizard, &escape);
        EXPECT_EQ(questions(), 1);
        EXPECT_FALSE(closed);
        EXPECT_EQ(wizard.ManualEdit->toPlainText(), QStringLiteral("Ann\nBob\n"));
        scripted->choiceAnswers = { 1 }; // Don't Save
        cancel();
        EXPECT_EQ(questions(), 2);
        EXPECT_TRUE(closed);
    });
    EXPECT_TRUE(stored("Typed").isEmpty());

    const int result = open([&] {
        wizard.chooseSource(Import_Wizard::PastedText);
        wizard.ManualEdit->insertPlainText(QStringLiteral("Cy\nDan"));
        wizard.Manual_file_name->setText(QStringLiteral("Kept"));
        scripted->choiceAnswers = { 0 }; // Save
        cancel();
    });
    EXPECT_EQ(questions(), 3);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(stored("Kept"), QByteArray("Cy\nDan\n"));
}

TEST_F(ImportWizardTest, AnImageFolderGivesThePathsOfItsPicturesOnly)
{
    const QString folder = QDir(resources.path()).filePath(QStringLiteral("photos"));
    QDir().mkpath(folder + QStringLiteral("/x.png"));
    file("photos/B.JPG", "x");
    file("photos/a.png", "x");
    file("photos/notes.txt", "x");
    run(1, 0, [&](Import_Wizard& w) {
        w.chooseSource(Import_Wizard::ImageFolder);
        w.Image_path->setText(folder);
        w.Image_file_name->setText(QStringLiteral("Photos"));
    });
    EXPECT_EQ(stored("Photos"), (folder + "/B.JPG\n" + folder + "/a.png\n").toUtf8());
}

TEST_F(ImportWizardTest, AnExistingNameAnsweredNoOrAFileWithNulKeepsTheFileAndTheWizardOpen)
{
    store("Guests", "old\n");
    scripted->yesNoAnswers = { false };
    const QString csv = file("g.csv", "new\n");
    EXPECT_EQ(runTextFile(csv, QStringLiteral("Guests")), 0);
    EXPECT_EQ(stored("Guests"), QByteArray("old\n"));
    EXPECT_EQ(wizard.Text_path->text(), csv);

    EXPECT_EQ(runTextFile(QStringLiteral("  ")), 0);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Please select valid file path."));

    // A NUL character, which a run refuses in a series, is refused before anything is written.
    for (const auto& [name, bytes, why] : { std::tuple { "utf16.txt", QByteArray("A\0n\0\n\0B\0", 8), "line 1 holds" },
             { "nul.csv", QByteArray("Ann,Bob\r\nC\0y", 12), "line 2 holds" },
             { "nul.rtf", QByteArray("{\\rtf1 Ann\\par\nC\\'00y}"), "an RTF document, but line 2 holds" } }) {
        const QString path = file(name, bytes);
        EXPECT_EQ(runTextFile(path, QStringLiteral("Refused")), 0);
        EXPECT_FALSE(QFile::exists(seriesFilePath(QStringLiteral("Refused"))));
        const QString told = scripted->messages().back();
        EXPECT_TRUE(told.contains('"' + path + '"') && told.contains(why)) << told.toStdString();
    }
}

TEST_F(ImportWizardTest, ChoosingASourceFillsAnEmptyNameWithUntitled)
{
    run(1, 0, [&](Import_Wizard& w) {
        EXPECT_EQ(w.Text_file_name->text(), QString());
        EXPECT_FALSE(w.Text_path->isEnabled());
        w.chooseSource(Import_Wizard::TextFile);
        EXPECT_EQ(w.Text_file_name->text(), QStringLiteral("Untitled"));
        EXPECT_TRUE(w.Text_path->isEnabled());
        EXPECT_FALSE(w.Excel_path->isEnabled());
        w.Text_file_name->clear();
        w.chooseSource(Import_Wizard::PastedText);
        EXPECT_EQ(w.Text_file_name->text(), QString());
        w.chooseSource(Import_Wizard::TextFile);
        EXPECT_EQ(w.Text_file_name->text(), QStringLiteral("Untitled"));
        w.chooseSource(Import_Wizard::Spreadsheet);
    });
}

TEST_F(ImportWizardTest, AWorkbookGoesToTheColumnImportWhichCloseTheWizard)
{
    const QString path = guests();
    bool columnsOpened = false;
    nested = [&](QDialog& dialog) {
        auto* columns = qobject_cast<Import_Excel_DataSheet*>(&dialog);
        columnsOpened = columns && columns->file_name_Insert == 1;
        return 0;
    };
    EXPECT_EQ(run(1, 1, [&](Import_Wizard& w) { w.Excel_path->setText(path); }), 1);
    EXPECT_TRUE(columnsOpened);
}

TEST_F(ImportWizardTest, AnOlderWorkbookIsOfferedAndNamedAndTheWizardStaysOpen)
{
    const QString xls = file("Guests.xls", xlsxtest::compoundFile({ QStringLiteral("Workbook") }));
    const QString xlsx = guests();
    scripted->fileAnswers = { xls };
    bool columnsOpened = false;
    nested = [&](QDialog&) {
        columnsOpened = true;
        return 0;
    };
    bool stayed = false;
    EXPECT_EQ(run(1, 0,
                  [&](Import_Wizard& w) {
                      w.Browse_Excel_Pressed();
                      EXPECT_EQ(w.Excel_path->text(), xls);
                      w.OKPressed();
                      stayed = w.result() == 0;
                      // Still usable: another workbook goes on to the column import.
                      w.Excel_path->setText(xlsx);
                  }),
        1);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(columnsOpened);
    const std::vector<ScriptedDialogService::Asked> asked = scripted->asked();
    const auto chooser = std::find_if(asked.begin(), asked.end(), [](const auto& a) { return a.kind == "open"; });
    ASSERT_NE(chooser, asked.end());
    for (const char* pattern : { "*.xlsx", "*.xls", "*.xlsm" })
        EXPECT_TRUE(chooser->filter.split(QRegularExpression(QStringLiteral("[ ()]"))).contains(QLatin1String(pattern)))
            << chooser->filter.toStdString();
    ASSERT_FALSE(scripted->messages().empty());
    EXPECT_TRUE(scripted->messages().front().contains(QStringLiteral("older Excel workbook (.xls)")))
        << scripted->messages().front().toStdString();
}

// Picking a file fills the form and proposes its name; only Import imports, and says what it did.
TEST_F(ImportWizardTest, PickingAFileStartsNothingAndProposesItsNameForTheSeries)
{
    const QString csv = file("Wedding Guests.csv", "Ann,Bob\nCy,Dan\n");
    scripted->fileAnswers = { csv, csv };
    run(1, 0, [&](Import_Wizard& w) {
        w.chooseSource(Import_Wizard::TextFile);
        w.Browse_Text_Pressed();
        EXPECT_EQ(w.result(), 0);
        EXPECT_FALSE(seriesExists(QStringLiteral("Wedding Guests")));
        EXPECT_EQ(w.Text_path->text(), csv);
        EXPECT_EQ(w.Text_file_name->text(), QStringLiteral("Wedding Guests"));
        // A name the user typed is theirs: picking again keeps it.
        w.Text_file_name->setText(QStringLiteral("Guests"));
        w.Browse_Text_Pressed();
        EXPECT_EQ(w.Text_file_name->text(), QStringLiteral("Guests"));
    });
    EXPECT_EQ(stored("Guests"), QByteArray("Ann\nBob\nCy\nDan\n"));
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("1 series with 4 values imported."));

    run(1, 0, [&](Import_Wizard& w) {
        w.chooseSource(Import_Wizard::PastedText);
        w.ManualEdit->setPlainText(QStringLiteral("a\n\n\nb"));
        w.Manual_file_name->setText(QStringLiteral("Typed"));
    });
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("1 series with 2 values imported. Skipped: 2 blank lines (typed text keeps no empty values)."));
}

// Each workbook the reader refuses is named once the please-wait sheet is gone, in a box that
// Enter dismisses, and the wizard takes the next workbook.
TEST_F(ImportWizardTest, EveryRefusedWorkbookIsToldAfterTheSheetAndEnterDismissesIt)
{
    QFile good(guests());
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray goodBytes = good.readAll();
    // Whole as an archive, its styles cut off in the middle of their XML.
    const QString brokenStyles = QDir(resources.path()).filePath(QStringLiteral("Styles.xlsx"));
    xlsxtest::runPython(
        QStringLiteral("import sys, zipfile\n"
                       "with zipfile.ZipFile(sys.argv[1]) as a, zipfile.ZipFile(sys.argv[2], 'w') as b:\n"
                       "    for item in a.infolist():\n"
                       "        data = a.read(item.filename)\n"
                       "        if item.filename == 'xl/styles.xml':\n"
                       "            data = data[:len(data) // 2]\n"
                       "        b.writestr(item, data)\n"),
        { good.fileName(), brokenStyles });
    const std::pair<QString, const char*> refused[] = {
        { file("Guests.xls", xlsxtest::compoundFile({ QStringLiteral("Workbook") })), "older Excel workbook (.xls)" },
        { file("Locked.xlsx",
              xlsxtest::compoundFile({ QStringLiteral("EncryptionInfo"), QStringLiteral("EncryptedPackage") })),
            "it is protected by a password" },
        { file("Damaged.xlsx", goodBytes.left(goodBytes.size() / 2)),
            "The workbook cannot be opened: it is damaged or not an Excel workbook (.xlsx)" },
        { brokenStyles, "The workbook cannot be read" },
        { QDir(resources.path()).filePath(QStringLiteral("Gone.xlsx")), "Please select valid file path." },
    };
    KeyedDialogs enter(Qt::Key_Return);
    enter->keyedAlerts = true;
    enter->script.modalHandler = [&](QDialog& dialog) { return scripted->modalHandler(dialog); };
    bool columnsOpened = false;
    nested = [&](QDialog&) {
        columnsOpened = true;
        return 0;
    };
    const int result = run(1, 0, [&](Import_Wizard& w) {
        w.show();
        QPushButton* import = w.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        for (const auto& [path, told] : refused) {
            const qsizetype before = enter->questions.size();
            w.Excel_path->setText(path);
            import->click();
            ASSERT_EQ(enter->questions.size(), before + 1) << path.toStdString();
            EXPECT_TRUE(enter->questions.back().contains(QLatin1String(told))) << enter->questions.back().toStdString();
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(w.result(), 0);
            EXPECT_FALSE(columnsOpened);
        }
        // Still usable: a good workbook goes on to the column import.
        w.Excel_path->setText(good.fileName());
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(columnsOpened);
}
