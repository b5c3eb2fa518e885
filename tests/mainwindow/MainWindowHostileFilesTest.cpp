#include "DesignNamingPictures.h"
#include "MainWindowFixture.h"
#include "TickGaps.h"
#include "data/CompoundFileTestSupport.h"
#include "data/XlsxTestSupport.h"

#include "imports/SheetChooser.h"
#include "library/BackgroundGallery.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "model/PictureFile.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/ResourceFolder.h"
#include "platform/SharedImages.h"
#include "support/FullFolder.h"
#include "support/HostilePictures.h"
#include "support/ScriptLetters.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

const QString unopenable = QStringLiteral("\nThe design cannot be opened.");

// A hang on a path is a failure, not a test run that never ends.
struct Watchdog
{
    Watchdog() { ::alarm(60); }
    ~Watchdog() { ::alarm(0); }
};

QString makeFifo(const QString& path)
{
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A design whose image objects and background name the given pictures.
DesignContents designNamingWithBackground(const QStringList& pictures, const QString& background)
{
    DesignContents design = designNaming(pictures);
    design.front->Card_fill_chk = true;
    design.front->Card_fill_style = QStringLiteral("I");
    design.front->Card_BG_Image_Path = background;
    return design;
}

} // namespace

TEST_F(MainWindowTest, ADesignNamingAFifoOrADeviceOpensWithoutThoseFiles)
{
    SKTWindowController& main = start();
    const QString fifo = makeFifo(folder.filePath(QStringLiteral("picture.png")));
    const QString zeroLink = folder.filePath(QStringLiteral("zero.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    const QString path = folder.filePath(QStringLiteral("hostile.dcard"));
    ASSERT_TRUE(
        DesignFile::write(path, designNamingWithBackground({ fifo, QStringLiteral("/dev/zero"), zeroLink }, fifo)));

    Watchdog watchdog;
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(main.Get_Front_Control_Count(), 3);
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        EXPECT_TRUE(static_cast<const SKTImage&>(*graphic).picture().isNull());
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image.isNull());
    EXPECT_EQ(Project_File_Name, path);
}

TEST_F(MainWindowTest, ADesignOfCutShortOrEndlessPicturesAndTextInEveryScriptOpensAndDraws)
{
    using namespace HostilePictures;
    SKTWindowController& main = start();
    const QString half = folder.filePath(QStringLiteral("half.jpg"));
    ASSERT_TRUE(writeFile(half, cutShort(encoded(detailed(300, 200), "JPG"), 0.5)));
    const QString scans = folder.filePath(QStringLiteral("scans.jpg"));
    ASSERT_TRUE(writeFile(scans, jpegOfScans(20000)));
    const QString noEnd = folder.filePath(QStringLiteral("no-end.png"));
    const QByteArray png = encoded(detailed(300, 200), "PNG");
    ASSERT_TRUE(writeFile(noEnd, png.left(png.size() - 12)));
    DesignContents design = designNamingWithBackground({ half, scans, noEnd }, scans);
    for (const QString& letter : firstLetterOfEveryScript()) {
        auto text = SKTGraphic::create<SKTText>();
        text->Text_Value = letter;
        text->setBounds(QRectF(20, 20, 100, 30));
        design.frontGraphics.append(text);
    }
    const QString path = folder.filePath(QStringLiteral("hostile.dcard"));
    ASSERT_TRUE(DesignFile::write(path, design));

    Watchdog watchdog;
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    for (int index = 0; index < 3; ++index)
        EXPECT_TRUE(static_cast<const SKTImage&>(*main.Get_Front_Controls_Array().at(index)).picture().isNull());
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image.isNull());
    EXPECT_FALSE(main.grab().isNull());
}

// The start dialog's Open and File › Open both say which pictures are not shown.
TEST_F(MainWindowTest, ADesignWhosePicturesPassTheMemoryBudgetOpensWithAMessageEveryWay)
{
    using namespace HostilePictures;
    SKTWindowController& main = start();
    QStringList pictures;
    for (const int width : { 500, 501, 502 }) {
        pictures.append(folder.filePath(QStringLiteral("picture%1.png").arg(width)));
        ASSERT_TRUE(writeFile(pictures.back(), encoded(detailed(width, 500), "PNG")));
    }
    // Sixty objects naming the first picture take its memory once.
    for (int copy = 0; copy < 60; ++copy)
        pictures.append(pictures.front());
    const QString path = folder.filePath(QStringLiteral("large.dcard"));
    ASSERT_TRUE(DesignFile::write(path, designNamingWithBackground(pictures, QString())));
    const std::function<void()> startDialogOpen = [&] { EXPECT_EQ(main.Open_Log_File(), 1); };
    const std::function<void()> fileOpen = [&] { main.action(QStringLiteral("Open_Btn"))->trigger(); };
    for (const auto& open : { startDialogOpen, fileOpen }) {
        SharedImages& decoded = PictureFile::decodedPictures();
        decoded.clear();
        decoded.setBudget(2500 * 1000);
        const size_t messagesBefore = dialogs->messages().size();
        dialogs->fileAnswers = { path };
        open();
        decoded.setBudget(PictureFile::decodedBudget);

        EXPECT_EQ(Project_File_Name, path);
        const auto& objects = main.Get_Front_Controls_Array();
        ASSERT_EQ(objects.size(), pictures.size());
        // They are decoded a few at once: any two of the three fit, and the third is named.
        QString refused;
        for (int index = 0; index < 3; ++index) {
            if (static_cast<const SKTImage&>(*objects.at(index)).picture().isNull())
                refused += pictures.at(index);
        }
        ASSERT_TRUE(refused.endsWith(QStringLiteral(".png")) && refused.count(QStringLiteral(".png")) == 1)
            << refused.toStdString();
        EXPECT_EQ(static_cast<const SKTImage&>(*objects.back()).picture().isNull(),
            static_cast<const SKTImage&>(*objects.at(0)).picture().isNull());
        ASSERT_EQ(dialogs->messages().size(), messagesBefore + 1);
        EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nSome pictures of this design are not shown."));
        EXPECT_TRUE(dialogs->lastInformative().contains(
            QStringLiteral("\"%1\": The pictures in use already take").arg(refused)))
            << dialogs->lastInformative().toStdString();
        EXPECT_TRUE(dialogs->lastInformative().contains(QStringLiteral("the limit of 3 MB")));
    }
}

TEST_F(MainWindowTest, ARefusedBackgroundPictureSaysWhyAndMakesNoStep)
{
    SKTWindowController& main = start();
    const QString large = folder.filePath(QStringLiteral("large.png"));
    HostilePictures::writeFile(large, HostilePictures::encoded(HostilePictures::detailed(500, 500), "PNG"));
    PictureFile::decodedPictures().setBudget(500 * 1000);
    dialogs->fileAnswers = { large };
    main.Card_Image_Browse_Btn();
    emit main.imageBrowser->backgroundChosen(large);
    PictureFile::decodedPictures().setBudget(PictureFile::decodedBudget);
    EXPECT_EQ(
        dialogs->messages(), std::vector<QString>(2, "\n\"large.png\" cannot be used as the background picture."));
    EXPECT_TRUE(dialogs->lastInformative().contains(QStringLiteral("limit of 488 KB")));
    EXPECT_FALSE(main.Front_card_Prop->Card_BG_Image_Path == large || main.action("Undo_btn")->isEnabled()
        || main.isWindowModified());
}

TEST_F(MainWindowTest, AFirstStartOnAFullDiskSaysTheDiskIsFullAndWhere)
{
    FullFolder disk;
    const QByteArray home = qgetenv("HOME");
    // The data folder (test mode) lies under the home folder.
    qputenv("HOME", QFile::encodeName(disk.path()));
    const QString resources = userResourceFolder();
    ASSERT_TRUE(resources.startsWith(disk.path()));
    // The folders are made; the first file copied into them finds no room.
    ASSERT_TRUE(QDir().mkpath(resources));
    disk.fill();
    wizardAnswers = { WizardAnswer { .finish = false } };
    start();
    qputenv("HOME", home);

    const std::vector<QString> messages = dialogs->messages();
    const auto copying = std::find_if(messages.begin(), messages.end(),
        [](const QString& message) { return message.contains(QStringLiteral("could not all be copied")); });
    ASSERT_NE(copying, messages.end());
    EXPECT_TRUE(copying->contains(resources)) << copying->toStdString();
    EXPECT_TRUE(copying->contains(disk.expectedReason())) << copying->toStdString();
    for (const QString& message : messages)
        EXPECT_FALSE(message.contains(QStringLiteral("Reinstall"))) << message.toStdString();
}

TEST_F(MainWindowTest, ADesignFileThatIsAFifoOrADeviceIsRefusedAndTheDesignKept)
{
    SKTWindowController& main = start();
    const QString kept = folder.filePath(QStringLiteral("kept.dcard"));
    Project_File_Name = kept;
    main.Save_project_file(false, false);
    const QString fifo = makeFifo(folder.filePath(QStringLiteral("pipe.dcard")));
    const QString zeroLink = folder.filePath(QStringLiteral("zero.dcard"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));

    Watchdog watchdog;
    for (const QString& path : { fifo, zeroLink }) {
        EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 0);
        EXPECT_EQ(dialogs->messages().back(), unopenable);
        EXPECT_TRUE(dialogs->lastInformative().contains(QStringLiteral("not a regular file")))
            << dialogs->lastInformative().toStdString();
        EXPECT_EQ(Project_File_Name, kept);
    }
}

TEST_F(MainWindowTest, SavingOnAFullDiskFailsAndLeavesTheOldDesignByteForByte)
{
    SKTWindowController& main = start();
    FullFolder disk;
    const QString path = disk.filePath(QStringLiteral("design.dcard"));
    Project_File_Name = path;
    ASSERT_TRUE(main.Save_project_file(false, false));
    const QByteArray before = contentsOf(path);
    // A long text makes the new file larger than the room left.
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QString(20000, QLatin1Char('x'));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    disk.fill(1024);
    main.Save_Btn_Clicked();
    const QString message = dialogs->messages().back();
    EXPECT_TRUE(message.startsWith(QStringLiteral("\nThe design could not be saved."))) << message.toStdString();
    EXPECT_TRUE(message.contains(disk.expectedReason())) << message.toStdString();
    EXPECT_EQ(contentsOf(path), before);
}

TEST_F(MainWindowTest, ADesignOfALargePictureOfManyScansOpensWithoutHoldingTheWindow)
{
    using namespace HostilePictures;
    SKTWindowController& main = start();
    // 213 KB that would hold the decoder for ten seconds or more.
    const QString scans = folder.filePath(QStringLiteral("scans.jpg"));
    ASSERT_TRUE(writeFile(scans, plainJpegOfScans(300, QSize(5780, 5780))));
    const QString path = folder.filePath(QStringLiteral("scans.dcard"));
    ASSERT_TRUE(DesignFile::write(path, designNamingWithBackground({ scans }, scans)));

    // The longest the window goes without serving a timer while the design opens: the open runs
    // from the event loop, between two ticks.
    int opened = -1;
    const qint64 longestGap
        = longestTickGapWhile([&] { opened = main.Read_and_load_design_Log(path, QStringLiteral("L")); }, 10);

    ASSERT_EQ(opened, 1);
    EXPECT_TRUE(static_cast<const SKTImage&>(*main.Get_Front_Controls_Array().at(0)).picture().isNull());
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image.isNull());
    // Decoding it takes 8 s on an idle machine; refusing it, milliseconds. The bound leaves room
    // for a loaded machine.
    EXPECT_LT(longestGap, 4000);
    QString why;
    EXPECT_TRUE(PictureFile::load(scans, &why).isNull());
    EXPECT_TRUE(why.contains(QStringLiteral("300 scans"))) << why.toStdString();
}

// A file refused is named with what is wrong: a design too large, in UTF-16 or with an undeclared
// entity; another program's document taken for a workbook; a workbook rewritten as it is read.
TEST_F(MainWindowTest, AFileRefusedIsNamedWithWhatIsWrongWithIt)
{
    SKTWindowController& main = start();
    const QString large = folder.filePath(QStringLiteral("large.dcard"));
    QFile sparse(large);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(DesignFile::maxFileBytes + 1));
    EXPECT_EQ(main.Read_and_load_design_Log(large, QStringLiteral("L")), 0);
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\nThe design cannot be opened: \"%1\" is larger than 512 MB, the largest design this "
                       "program opens.")
            .arg(large));

    DesignContents design = designNaming({});
    design.front->Card_Name = QStringLiteral("Party for ENTITY");
    const QString entity = folder.filePath(QStringLiteral("entity.dcard"));
    const QString utf16 = folder.filePath(QStringLiteral("utf16.dcard"));
    ASSERT_TRUE(DesignFile::write(entity, design));
    const QByteArray written = contentsOf(entity); // its DOCTYPE names an outside subset
    xlsxtest::writeBytes(
        utf16, QStringEncoder(QStringEncoder::Utf16, QStringEncoder::Flag::WriteBom)(QString::fromUtf8(written)));
    xlsxtest::writeBytes(entity, QByteArray(written).replace("ENTITY", "&guest;"));
    for (const auto& [path, why] :
        { std::pair(utf16, "The property list is written in UTF-16, which this program does not read."),
            std::pair(entity, "The property list refers to the entity \"&guest;\", which it does not declare.") }) {
        EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 0);
        EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nFile is corrupt and cannot be opened."));
        EXPECT_TRUE(dialogs->lastInformative().startsWith(QStringLiteral("\"%1\": %2").arg(path, why)))
            << dialogs->lastInformative().toStdString();
    }

    const QString letter = folder.filePath(QStringLiteral("Letter.xlsx"));
    xlsxtest::writeBytes(letter, xlsxtest::compoundFile({ QStringLiteral("WordDocument") }));
    SpreadsheetWriter::ReadWorkbook(letter, true);
    EXPECT_EQ(SpreadsheetWriter::lastError(),
        QStringLiteral("The workbook cannot be opened: \"%1\" is not a workbook but a document of another program (a "
                       "compound file holding no workbook). Choose an Excel workbook (.xlsx).")
            .arg(letter));
    const QByteArray row = "<row><c><v>1</v></c></row>";
    xlsxtest::writeWorkbook(letter, { { "Guests", "sheet1.xml", xlsxtest::sheetXml(row.repeated(50)) } }, {});
    const QByteArray newer = xlsxtest::fileBytes(letter);
    xlsxtest::writeWorkbook(letter, { { "Guests", "sheet1.xml", xlsxtest::sheetXml(row) } }, {});
    ASSERT_EQ(SpreadsheetWriter::openWorkbook(letter), QStringList());
    xlsxtest::writeBytes(letter, newer);
    EXPECT_TRUE(SpreadsheetWriter::ReadWorkbook(QString(), false).isEmpty());
    EXPECT_TRUE(SheetChooser(false).noRowsMessage(QString()).endsWith(
        QStringLiteral("The workbook was changed by another program while it was read. Try again once that program "
                       "has finished saving it.")));
}
