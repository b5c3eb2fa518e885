#include "MainWindowFixture.h"
#include "PrintToPdfFile.h"
#include "canvas/SKTGraphicView.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "data/SpreadsheetWriter.h"
#include "data/XlsxTestSupport.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "jobs/BatchExport.h"
#include "mail/Send_Mail.h"
#include "mainwindow/DesignFile.h"
#include "mainwindow/DesignOpening.h"
#include "platform/FileIdentity.h"
#include "model/SKTImage.h"
#include "print/Print_Wnd.h"

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QPushButton>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTimer>

namespace {

constexpr int photos = 5; // rows 1 to 5 have their photo beside the workbook; row 6's is missing
const QRectF photoBox(10, 10, 40, 40);

QColor colourOf(int row)
{
    return QColor::fromHsv((row * 53) % 360, 220, 200);
}

QString photoName(int row)
{
    return QStringLiteral("m%1.png").arg(row, 3, 10, QLatin1Char('0'));
}

// The file's time an hour on, as a copy or a touch gives it; its bytes stay.
void touchLater(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
}

class RowPicturesFlowTest : public MainWindowTest
{
protected:
    // A workbook whose Photo column holds bare file names, the photos beside it (one in a
    // folder below it), and the last row's photo missing.
    QString writeWorkbook()
    {
        const QDir beside(folder.filePath(QStringLiteral("guests")));
        EXPECT_TRUE(beside.mkpath(QStringLiteral("photos")));
        QJsonArray table = xlsxtest::listOf(QJsonArray { "Name", "Photo" });
        for (int row = 1; row <= photos + 1; ++row) {
            const QString name = row == 2 ? QStringLiteral("photos/") + photoName(row) : photoName(row);
            table.append(QJsonArray { QStringLiteral("Guest %1").arg(row), name });
            if (row > photos)
                continue;
            QImage photo(60, 60, QImage::Format_RGB32);
            photo.fill(colourOf(row));
            EXPECT_TRUE(photo.save(beside.filePath(name), "PNG"));
        }
        const QString workbook = beside.filePath(QStringLiteral("guests.xlsx"));
        xlsxtest::writeTableWorkbook(workbook, table);
        return workbook;
    }

    void checkBothColumns(SheetChooser& chooser)
    {
        for (int column = 0; column < 2; ++column)
            chooser.columns().setData(
                chooser.columns().index(column, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
        chooser.contains_header->setChecked(true);
    }

    // The spreadsheet table of the workbook, as the profile's Workbook imports it and binds it.
    void importTable(SKTWindowController& main, const QString& workbook)
    {
        otherModal = [&](QDialog& dialog) {
            auto* cells = qobject_cast<Import_Excel*>(&dialog);
            if (!cells)
                return 0;
            checkBothColumns(*cells->chooser);
            cells->OKPressed();
            return cells->result();
        };
        main.Open_Excel_Table_Import(workbook);
        otherModal = nullptr;
        ASSERT_TRUE(Data_From_Excel_Window);
        ASSERT_EQ(Data_From_Excel_Window->ListData.size(), photos + 1);
        Excel_Source_Path = workbook;
        Excel_Binding_Use = true;
    }

    static std::shared_ptr<SKTImage> placePhoto(
        SKTWindowController& main, int source, const QString& series, int column)
    {
        auto photo = SKTGraphic::create<SKTImage>();
        photo->setBounds(photoBox);
        photo->data_source_type = source;
        photo->batch_list_name = series;
        photo->excel_col_indx = column;
        main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { photo }, { 0 });
        return photo;
    }

    // The canvas shows the first row's photo, as the first card gets it.
    static void expectFirstPhotoOnCanvas(SKTWindowController& main, const SKTGraphicPtr& photo)
    {
        const auto shown = std::dynamic_pointer_cast<SKTImage>(main.shownOnFirstCard(photo));
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->picture().pixel(30, 30), colourOf(1).rgb());
    }

    // The colour in the middle of the photo's box on an exported card.
    QColor photoOnCard(SKTWindowController& main, int row)
    {
        const QImage card(
            QDir(QDir(folder.path()).filePath(batchExportFolderName)).filePath(QStringLiteral("Card_%1.png").arg(row)));
        EXPECT_FALSE(card.isNull()) << row;
        const QSizeF points = main.currentCanvas()->cardSize();
        const QPointF centre = photoBox.center();
        return card.pixelColor(
            int(centre.x() * card.width() / points.width()), int(centre.y() * card.height() / points.height()));
    }

    void expectPhotosOnEveryCard(SKTWindowController& main, const QString& workbook)
    {
        QDir(QDir(folder.path()).filePath(batchExportFolderName)).removeRecursively();
        const auto [message, details] = exportFrontAsPng(main);
        for (int row = 1; row <= photos; ++row) {
            const QColor shown = photoOnCard(main, row);
            const QColor expected = colourOf(row);
            EXPECT_LT(std::abs(shown.red() - expected.red()) + std::abs(shown.green() - expected.green())
                    + std::abs(shown.blue() - expected.blue()),
                24)
                << "card " << row << " shows " << shown.name().toStdString();
        }
        const QString missing = QFileInfo(workbook).dir().filePath(photoName(photos + 1));
        EXPECT_TRUE(message.contains(QStringLiteral("(row %1)").arg(photos + 1))) << message.toStdString();
        EXPECT_TRUE(details.contains(QStringLiteral("Row %1: ").arg(photos + 1))
            && details.contains(QStringLiteral("no readable picture file at \"%1\"").arg(missing)))
            << details.toStdString();
        EXPECT_FALSE(details.contains(QStringLiteral("Row 1:"))) << details.toStdString();
    }
};

} // namespace

// Photos named by bare file names beside the workbook are found whether the picture is bound
// to the workbook's column or to a series imported from it; the one missing is named with the
// place it was looked for.
TEST_F(RowPicturesFlowTest, BarePhotoNamesAreFoundBesideTheWorkbook)
{
    SKIP_WITHOUT_OPENPYXL();
    SKTWindowController& main = startWithOwnSeriesFolder();
    const QString workbook = writeWorkbook();

    // Bound directly: the spreadsheet table of the workbook.
    importTable(main, workbook);
    expectFirstPhotoOnCanvas(main, placePhoto(main, 2, QString(), 2));
    expectPhotosOnEveryCard(main, workbook);

    // Through a series imported from the workbook, with no spreadsheet table bound any more.
    main.document().removeGraphicsOnSide(SKTDocument::Side::Front, { 0 });
    Excel_Source_Path.clear();
    Import_Excel_DataSheet columns(main, &main);
    otherModal = [&](QDialog& dialog) {
        if (&dialog != &columns)
            return 0;
        checkBothColumns(*columns.chooser);
        columns.OKPressed();
        return columns.result();
    };
    columns.Open_excel_Wnd(workbook);
    otherModal = nullptr;
    ASSERT_TRUE(seriesExists(QStringLiteral("Photo")));
    // The series file itself is as every reader knows it: its values, one a line.
    QFile series(seriesFilePath(QStringLiteral("Photo")));
    ASSERT_TRUE(series.open(QIODevice::ReadOnly));
    EXPECT_EQ(series.readAll(), QByteArray("m001.png\nphotos/m002.png\nm003.png\nm004.png\nm005.png\nm006.png\n"));
    expectFirstPhotoOnCanvas(main, placePhoto(main, 1, QStringLiteral("Photo"), 0));
    expectPhotosOnEveryCard(main, workbook);

    // The folder goes with the series: a deleted series leaves no folder for a new one of its name.
    ASSERT_TRUE(deleteSeries(QStringLiteral("Photo")));
    EXPECT_TRUE(seriesOrigin(QStringLiteral("Photo")).isEmpty());
}

// A design copied with its workbook and photos (the workbook's time now later), the old folder
// gone, says it uses the workbook beside it, which holds the bytes the rows were read from, and
// finds the photos there; the missing one is named by the full path tried. That workbook edited
// since its rows were read is named before a run: Cancel starts nothing; "use as read" is not
// asked again for that state; the default reads it again as one undo step and opens the window
// asked for.
TEST_F(RowPicturesFlowTest, AMovedDesignUsesTheWorkbookBesideItAndNamesItOnceItChanges)
{
    SKIP_WITHOUT_OPENPYXL();
    SKTWindowController& main = start();
    const QString first = writeWorkbook(), moved = folder.filePath(QStringLiteral("moved"));
    importTable(main, first);
    for (const QString& value : { photoName(1), photoName(photos + 1) })
        placePhoto(main, 2, QString(), 2)->_file_path = value;
    dialogs->fileAnswers = { QFileInfo(first).dir().filePath(QStringLiteral("club.dcard")) };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    ASSERT_TRUE(QDir().rename(QFileInfo(first).absolutePath(), moved));
    const QString workbook = QDir(moved).filePath(QStringLiteral("guests.xlsx"));
    touchLater(workbook);
    dialogs->fileAnswers = { QDir(moved).filePath(QStringLiteral("club.dcard")) };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_TRUE(
        dialogs->messages().back().contains(QStringLiteral("The one beside the design is used:\n%1").arg(workbook)));
    EXPECT_EQ(dialogs->lastInformative(),
        QStringLiteral("\"%1\": The file does not exist.").arg(QDir(moved).filePath(photoName(photos + 1))));
    const SKTGraphicPtr own = main.Get_Front_Controls_Array().back();
    EXPECT_EQ(std::dynamic_pointer_cast<SKTImage>(own)->picture().pixel(30, 30), colourOf(1).rgb());
    expectFirstPhotoOnCanvas(main, own);
    expectPhotosOnEveryCard(main, workbook);

    const Data_From_Excel& table = *Data_From_Excel_Window;
    // Row 1's name corrected, the Photo column deleted, five guests added.
    const auto edit = [&](const char* firstName) {
        QJsonArray rows { QJsonArray { "Name" }, QJsonArray { firstName } };
        for (int row = 2; row <= photos + 6; ++row)
            rows.append(QJsonArray { QStringLiteral("Guest %1").arg(row) });
        xlsxtest::writeTableWorkbook(workbook, rows);
    };
    int windows = 0, offered = 0;
    otherModal = [&](QDialog& dialog) {
        ++windows;
        if (auto* print = qobject_cast<Print_Wnd*>(&dialog))
            offered = print->settings().Total_Label;
        return 0;
    };
    // Runs the command; the questions about the workbook then number `count`, the last with `words`.
    const auto run = [&](const char* command, std::deque<int> answers, qsizetype count, const char* words) {
        dialogs->choiceAnswers = std::move(answers);
        main.action(QLatin1String(command))->trigger();
        QStringList texts;
        for (const auto& question : dialogs->asked())
            if (question.kind == QLatin1String("choice") && question.text.contains(workbook))
                texts.append(question.text);
        return testing::AssertionResult(texts.size() == count && texts.last().contains(QLatin1String(words)))
            << texts.size() << " asked: " << texts.join(u'|').toStdString();
    };
    const char* changed = "has changed since its rows were read";

    edit("Guest One");
    qsizetype count = 0;
    for (const char* command : { "Print_Btn", "Export_Btn", "Mail_Btn" })
        ASSERT_TRUE(run(command, { 2 }, ++count, changed));
    EXPECT_EQ(windows, 0);
    EXPECT_TRUE(run("Print_Btn", { 1 }, 4, changed));
    EXPECT_EQ(offered, photos + 1);
    EXPECT_TRUE(run("Print_Btn", {}, 4, changed));
    EXPECT_EQ(windows, 2);

    edit("Guest Uno");
    EXPECT_TRUE(run("Export_Btn", {}, 5, changed));
    EXPECT_EQ(windows, 3);
    EXPECT_EQ(table.value(0, 1), QStringLiteral("Guest Uno"));
    EXPECT_TRUE(table.value(0, 2).isEmpty());
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "Name", "Photo" }));
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("The workbook was read again: %1 rows.").arg(photos + 6));
    EXPECT_TRUE(dialogs->lastInformative().contains(QStringLiteral("no longer in the workbook: \"Photo\"")))
        << dialogs->lastInformative().toStdString();
    EXPECT_TRUE(main.isWindowModified());
    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_EQ(table.ListData.size(), photos + 1);
    EXPECT_EQ(table.value(0, 2), photoName(1));

    // Saving rows older than the workbook asks first; the workbook edited after saving, opening asks.
    const QString design = folder.filePath(QStringLiteral("party.dcard"));
    dialogs->fileAnswers = { design };
    ASSERT_TRUE(run("SaveAs_Btn", { 1 }, 6, changed));
    edit("Guest Eins");
    dialogs->fileAnswers = { design };
    ASSERT_TRUE(run("Open_Btn", {}, 7, "has changed since the design was saved"));
    EXPECT_EQ(table.value(0, 1), QStringLiteral("Guest Eins"));
    EXPECT_TRUE(run("Print_Btn", {}, 7, "has changed since the design was saved"));
    EXPECT_EQ(offered, photos + 6);

    // Gone or unreadable at a run: said, with Cancel or the rows as read.
    ASSERT_TRUE(QFile::remove(workbook));
    ASSERT_TRUE(run("Print_Btn", { 1 }, 8, "is not there"));
    EXPECT_EQ(windows, 4);
    xlsxtest::writeBytes(workbook, "not a workbook");
    ASSERT_TRUE(run("Print_Btn", { 0, 0 }, 10, "cannot be read again"));
    EXPECT_EQ(windows, 5);
    EXPECT_EQ(table.ListData.size(), photos + 6);

    // Changed while the send window is open: Send asks as opening does, and Cancel sends nothing.
    const QString savedSender = std::exchange(sender_email, QStringLiteral("me@example.com"));
    const auto putBackSender = qScopeGuard([&] { sender_email = savedSender; });
    QStringList askedAtSend;
    otherModal = [&](QDialog& dialog) {
        if (auto* send = qobject_cast<Send_Mail*>(&dialog)) {
            edit("Guest Ena");
            send->to_txt->setText(QStringLiteral("guest@example.org"));
            const qsizetype before = dialogs->asked().size();
            dialogs->choiceAnswers = { 2 };
            send->Send_Button();
            for (qsizetype i = before; i < dialogs->asked().size(); ++i)
                askedAtSend << dialogs->asked().at(i).text;
            EXPECT_FALSE(send->isRunning());
        }
        return 0;
    };
    edit("Guest Zwei");
    dialogs->choiceAnswers = { 1 };
    main.action(QStringLiteral("Mail_Btn"))->trigger();
    ASSERT_EQ(askedAtSend.size(), 1);
    EXPECT_TRUE(askedAtSend.front().contains(QLatin1String(changed))) << askedAtSend.front().toStdString();
    EXPECT_EQ(table.ListData.size(), photos + 6);

    // Changed while the print window is open: Print asks as Send does and prints every row read
    // again; changed while the export window is open, its OK asks, and Cancel exports nothing.
    const auto writeGuests = [&](int guests) {
        QJsonArray rows = xlsxtest::listOf(QJsonArray { "Name" });
        for (int row = 1; row <= guests; ++row)
            rows.append(QJsonArray { QStringLiteral("Guest %1").arg(row) });
        xlsxtest::writeTableWorkbook(workbook, rows);
    };
    const QString pdf = folder.filePath(QStringLiteral("cards.pdf"));
    const qsizetype askedBefore = dialogs->asked().size();
    int printed = 0;
    otherModal = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<Print_Wnd*>(&dialog)) {
            writeGuests(3);
            showPrintingToPdfFile(*print);
            dialogs->fileAnswers = { pdf };
            dialogs->choiceAnswers = { 0 };
            print->Execute_Printing(false);
            printed = print->settings().Total_Label;
            return 0;
        }
        writeGuests(4);
        dialogs->choiceAnswers = { 2 };
        return int(QDialog::Accepted);
    };
    dialogs->choiceAnswers = { 1 };
    main.action(QStringLiteral("Print_Btn"))->trigger();
    EXPECT_EQ(printed, 3);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    main.action(QStringLiteral("Export_Btn"))->trigger();
    EXPECT_EQ(table.ListData.size(), 3);
    // At Print's opening, at its Print and at Export's OK; no folder was asked for.
    int workbookQuestions = 0;
    for (qsizetype i = askedBefore; i < dialogs->asked().size(); ++i) {
        const auto& question = dialogs->asked().at(i);
        workbookQuestions += question.kind == QLatin1String("choice") && question.text.contains(QLatin1String(changed));
        EXPECT_NE(question.kind, QStringLiteral("folder"));
    }
    EXPECT_EQ(workbookQuestions, 3);

    // Asked by the window, never by the worker that read.
    for (const auto& question : dialogs->asked())
        EXPECT_EQ(question.thread, main.thread()) << question.text.toStdString();
}

// A workbook stored by a relative path is the design's: it is found from the design's folder,
// whatever folder the program runs in, though that one has a workbook of the name at the same
// place. Its time alone changed, nothing is asked; changed, it is named by its full path.
TEST_F(RowPicturesFlowTest, ARelativeWorkbookPathIsTakenFromTheDesignsFolder)
{
    SKIP_WITHOUT_OPENPYXL();
    SKTWindowController& main = start();
    const QString workbook = writeWorkbook();
    importTable(main, workbook);
    placePhoto(main, 2, QString(), 2);
    const QDir guests = QFileInfo(workbook).dir();
    ASSERT_TRUE(guests.mkpath(QStringLiteral("cards/club")));
    const QString design = guests.filePath(QStringLiteral("cards/club/club.dcard"));
    dialogs->fileAnswers = { design };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    DesignFile::ReadResult saved = DesignFile::readFile(design);
    ASSERT_EQ(saved.status, DesignFile::Status::Loaded) << saved.reason.toStdString();
    saved.contents.excelSourcePath = QStringLiteral("../../guests.xlsx");
    ASSERT_TRUE(DesignFile::write(design, saved.contents));

    // Started from a folder with other people's workbook two levels up.
    const QDir decoy(folder.filePath(QStringLiteral("decoy")));
    ASSERT_TRUE(decoy.mkpath(QStringLiteral("a/b")));
    xlsxtest::writeTableWorkbook(decoy.filePath(QStringLiteral("guests.xlsx")),
        QJsonArray { QJsonArray { "Name", "Photo" }, QJsonArray { "Stranger", "x.png" } });
    const QString started = QDir::currentPath();
    const auto back = qScopeGuard([&] { QDir::setCurrent(started); });
    ASSERT_TRUE(QDir::setCurrent(decoy.filePath(QStringLiteral("a/b"))));

    touchLater(workbook);
    const auto questions = [&] {
        QStringList texts;
        for (const auto& question : dialogs->asked())
            if (question.kind == QLatin1String("choice"))
                texts.append(question.text);
        return texts;
    };
    dialogs->fileAnswers = { design };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(Excel_Source_Path, workbook);
    EXPECT_EQ(Data_From_Excel_Window->value(0, 1), QStringLiteral("Guest 1"));
    int windows = 0;
    otherModal = [&](QDialog&) {
        ++windows;
        return 0;
    };
    main.action(QStringLiteral("Print_Btn"))->trigger();
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(questions().isEmpty()) << questions().join(u'|').toStdString();

    xlsxtest::writeTableWorkbook(
        workbook, QJsonArray { QJsonArray { "Name", "Photo" }, QJsonArray { "Guest Uno", photoName(1) } });
    dialogs->choiceAnswers = { 0 };
    main.action(QStringLiteral("Print_Btn"))->trigger();
    ASSERT_EQ(questions().size(), 1);
    EXPECT_TRUE(
        questions().front().contains(QStringLiteral("has changed since its rows were read:\n%1\n").arg(workbook)))
        << questions().front().toStdString();
    EXPECT_EQ(Data_From_Excel_Window->value(0, 1), QStringLiteral("Guest Uno"));
    EXPECT_EQ(windows, 2);

    // Opened through a link to its folder, ".." leaves the folder the design really lies in, as
    // the system takes it; the link's own name would lead to another workbook of the same name.
    const QDir deep(folder.filePath(QStringLiteral("deep")));
    ASSERT_TRUE(deep.mkpath(QStringLiteral("er")));
    const QString link = deep.filePath(QStringLiteral("er/club"));
    ASSERT_TRUE(QFile::link(QFileInfo(design).absolutePath(), link));
    xlsxtest::writeTableWorkbook(deep.filePath(QStringLiteral("guests.xlsx")),
        QJsonArray { QJsonArray { "Name", "Photo" }, QJsonArray { "Stranger", "x.png" } });
    dialogs->fileAnswers = { QDir(link).filePath(QStringLiteral("club.dcard")) };
    dialogs->choiceAnswers = { 1, 0 }; // the rows read again are not saved; the workbook is read again
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(Excel_Source_Path, QFileInfo(workbook).canonicalFilePath());
    ASSERT_EQ(questions().size(), 3) << questions().join(u'|').toStdString();
    EXPECT_TRUE(questions().back().contains(QStringLiteral("has changed since the design was saved")));
    EXPECT_EQ(Data_From_Excel_Window->value(0, 1), QStringLiteral("Guest Uno"));

    // A path that climbs past the root is named as the path it is.
    DesignContents contents = saved.contents;
    contents.excelSourcePath = QStringLiteral("../").repeated(64) + QStringLiteral("galavite-none.xlsx");
    const QString note = DesignOpening::findMovedWorkbook(contents, design);
    EXPECT_EQ(contents.excelSourcePath, QStringLiteral("/galavite-none.xlsx"));
    EXPECT_TRUE(note.contains(QStringLiteral(":\n/galavite-none.xlsx\n"))) << note.toStdString();
}

// What the workbook was when the design was saved is kept beside its digest: opening a design
// whose workbook is as it was reads none of its bytes, and one whose identity is not known
// compares its bytes. Reading a huge workbook again has Stop, which keeps the rows and starts
// no run.
TEST_F(RowPicturesFlowTest, AnUnchangedWorkbookIsNotReadAtOpeningAndReadingItAgainStops)
{
    SKIP_WITHOUT_OPENPYXL();
    SKTWindowController& main = start();
    const QString workbook = writeWorkbook();
    importTable(main, workbook);
    placePhoto(main, 2, QString(), 2);
    const QString design = folder.filePath(QStringLiteral("club.dcard"));
    dialogs->fileAnswers = { design };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    DesignFile::ReadResult saved = DesignFile::readFile(design);
    ASSERT_EQ(saved.status, DesignFile::Status::Loaded) << saved.reason.toStdString();
    EXPECT_EQ(saved.contents.workbookIdentity, fileIdentity(workbook));
    EXPECT_EQ(saved.contents.workbookContent.bytes, QFileInfo(workbook).size());

    // A digest that no longer fits the bytes shows which openings read them.
    const auto changedAtOpening = [&](const QString& identity) {
        DesignContents contents = saved.contents;
        contents.workbookContent.sha256[0] = char(contents.workbookContent.sha256[0] ^ 1);
        contents.workbookIdentity = identity;
        EXPECT_TRUE(DesignFile::write(design, contents));
        const size_t before = dialogs->asked().size();
        dialogs->fileAnswers = { design };
        dialogs->choiceAnswers = { 1 };
        main.action(QStringLiteral("Open_Btn"))->trigger();
        bool asked = false;
        for (size_t i = before; i < dialogs->asked().size(); ++i)
            asked = asked || dialogs->asked()[i].text.contains(QStringLiteral("has changed since the design was saved"));
        return asked;
    };
    EXPECT_FALSE(changedAtOpening(saved.contents.workbookIdentity));
    EXPECT_TRUE(changedAtOpening(QString()));
    // Not of the form an identity takes, or of another size than the content's: not trusted.
    QString otherSize = saved.contents.workbookIdentity;
    otherSize.prepend(QLatin1Char('1'));
    EXPECT_TRUE(changedAtOpening(otherSize));
    EXPECT_TRUE(changedAtOpening(saved.contents.workbookIdentity + QStringLiteral("\n")));

    // The workbook replaced by one of 2 GB, most of it a hole between its entries and its end
    // record: a sound workbook, whose bytes take seconds to read to the end.
    const QString far = folder.filePath(QStringLiteral("far.xlsx"));
    xlsxtest::writeTableWorkbook(far, QJsonArray { QJsonArray { "Name", "Photo" }, QJsonArray { "Far Guest", "f.png" } });
    const QByteArray small = xlsxtest::fileBytes(far);
    const qsizetype end = small.lastIndexOf(QByteArray("PK\x05\x06", 4));
    ASSERT_GT(end, 0);
    {
        QFile file(far);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(small.left(end)), end);
        ASSERT_TRUE(file.seek((qint64(2) << 30) - (small.size() - end)));
        ASSERT_EQ(file.write(small.mid(end)), small.size() - end);
    }
    ASSERT_TRUE(SpreadsheetWriter::openWorkbook(far).isEmpty()) << SpreadsheetWriter::lastError().toStdString();
    SpreadsheetWriter::Release_Data();
    ASSERT_TRUE(QFile::remove(workbook));
    ASSERT_TRUE(QFile::rename(far, workbook));

    int windows = 0;
    otherModal = [&](QDialog&) {
        ++windows;
        return 0;
    };
    bool stopOffered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* sheet = qobject_cast<PleaseWait_Modeless*>(widget);
            if (sheet && sheet->isVisible() && sheet->stop_btn && sheet->stop_btn->isEnabled()) {
                poll.stop();
                stopOffered = true;
                sheet->stop_btn->click();
            }
        }
    });
    poll.start(5);
    const size_t messages = dialogs->messages().size();
    dialogs->choiceAnswers = { 0 };
    main.action(QStringLiteral("Print_Btn"))->trigger();
    poll.stop();
    EXPECT_TRUE(stopOffered);
    EXPECT_EQ(windows, 0);
    EXPECT_EQ(dialogs->messages().size(), messages);
    EXPECT_EQ(Data_From_Excel_Window->value(0, 1), QStringLiteral("Guest 1"));
    EXPECT_EQ(Data_From_Excel_Window->ListData.size(), photos + 1);
}
