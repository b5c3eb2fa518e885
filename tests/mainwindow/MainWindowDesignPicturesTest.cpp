#include "DesignNamingPictures.h"
#include "MainWindowFixture.h"
#include "TickGaps.h"

#include "dialogs/PleaseWait_Modeless.h"
#include "export/ExportWindow.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "model/PictureFile.h"
#include "model/SKTImage.h"
#include "platform/DesktopOpener.h"
#include "platform/SharedImages.h"
#include "series/Open_Export_Log.h"
#include "support/HostilePictures.h"
#include "support/PeakMemory.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QComboBox>
#include <QImageReader>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <cerrno>

using namespace HostilePictures;

namespace {

// Writes `count` copies of a picture's bytes, stem0.jpg onwards, and a design stem.dcard naming
// them all into the folder; the design's path, or "" when a file could not be written.
QString designOfCopies(const QTemporaryDir& folder, const QString& stem, const QByteArray& bytes, int count)
{
    QStringList pictures;
    for (int index = 0; index < count; ++index) {
        pictures.append(folder.filePath(stem + QString::number(index) + QStringLiteral(".jpg")));
        if (!writeFile(pictures.back(), bytes))
            return QString();
    }
    const QString path = folder.filePath(stem + QStringLiteral(".dcard"));
    return DesignFile::write(path, designNaming(pictures)) ? path : QString();
}

bool pleaseWaitSheetShown()
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<const PleaseWait_Modeless*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

// A baseline TIFF of one strip holding the JPEG stream whole, as JPEG-compressed TIFFs store it.
QByteArray tiffAroundJpeg(const QByteArray& jpeg, const QSize& size)
{
    struct Entry
    {
        quint16 tag, type;
        quint32 count, value;
    };
    const quint32 bitsAt = 8 + 2 + 10 * 12 + 4;
    const quint32 stripAt = bitsAt + 6;
    const Entry entries[] = {
        { 256, 4, 1, quint32(size.width()) },
        { 257, 4, 1, quint32(size.height()) },
        { 258, 3, 3, bitsAt },
        { 259, 3, 1, 7 }, // JPEG
        { 262, 3, 1, 6 }, // YCbCr
        { 273, 4, 1, stripAt },
        { 277, 3, 1, 3 },
        { 278, 4, 1, quint32(size.height()) },
        { 279, 4, 1, quint32(jpeg.size()) },
        { 284, 3, 1, 1 },
    };
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    const auto append = [&tiff](auto value) {
        char bytes[sizeof value];
        qToLittleEndian(value, bytes);
        tiff.append(bytes, sizeof value);
    };
    append(quint16(std::size(entries)));
    for (const Entry& entry : entries) {
        append(entry.tag);
        append(entry.type);
        append(entry.count);
        if (entry.type == 3 && entry.count == 1) {
            append(quint16(entry.value));
            append(quint16(0));
        } else {
            append(entry.value);
        }
    }
    append(quint32(0));
    for (int sample = 0; sample < 3; ++sample)
        append(quint16(8));
    return tiff + jpeg;
}

QImage photo(const QSize& size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

long residentMegabytes()
{
    return statusKilobytes("VmRSS:") / 1024;
}

void pressImageTool(SKTWindowController& main)
{
    auto* button = main.findChild<QToolButton*>(QStringLiteral("Tool_8"));
    ASSERT_NE(button, nullptr);
    button->click();
}

} // namespace

TEST_F(MainWindowTest, ADesignOfSeveralHeavyPicturesOpensBehindTheSheetWithoutHoldingTheWindow)
{
    SKTWindowController& main = start();
    // Each keeps its decoder busy for a good part of a second (100 scans over 6 megapixels),
    // within the bound of scans times pixels.
    const QSize size(2500, 2500);
    const QByteArray heavy = plainJpegOfScans(100, size);
    const QString path = designOfCopies(folder, QStringLiteral("heavy"), heavy, 6);
    ASSERT_FALSE(path.isEmpty());
    PictureFile::decodedPictures().clear();

    // Whether the please-wait sheet was up at some tick of 50 ms.
    bool sheetSeen = false;
    int opened = -1;
    const qint64 longestGap
        = longestTickGapWhile([&] { opened = main.Read_and_load_design_Log(path, QStringLiteral("L")); }, 50,
            [&] { sheetSeen = sheetSeen || pleaseWaitSheetShown(); });

    ASSERT_EQ(opened, 1);
    ASSERT_EQ(main.Get_Front_Control_Count(), 6);
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        EXPECT_EQ(static_cast<const SKTImage&>(*graphic).picture().size(), size);
    EXPECT_TRUE(sheetSeen);
    // The decodes take seconds together; served on a worker, the window's ticks come on time.
    EXPECT_LT(longestGap, 1000);

    // Stop opens the design with the pictures read or being read; those not started are named.
    const QSize few(1200, 1200);
    const int count = 48;
    const QString many = designOfCopies(folder, QStringLiteral("many"), plainJpegOfScans(100, few), count);
    ASSERT_FALSE(many.isEmpty());
    PictureFile::decodedPictures().clear();
    qint64 readAtStop = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* sheet = qobject_cast<PleaseWait_Modeless*>(widget);
            if (sheet && sheet->isVisible() && sheet->stop_btn && sheet->stop_btn->isEnabled()) {
                poll.stop();
                readAtStop = PictureFile::decodedPictures().bytesKept() / (qint64(few.width()) * few.height() * 4);
                sheet->stop_btn->click();
            }
        }
    });
    poll.start(5);
    const size_t messagesBefore = dialogs->messages().size();
    ASSERT_EQ(main.Read_and_load_design_Log(many, QStringLiteral("L")), 1);
    ASSERT_GE(readAtStop, 0) << "the sheet offered no Stop";
    ASSERT_EQ(main.Get_Front_Control_Count(), count);
    int shown = 0;
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        shown += static_cast<const SKTImage&>(*graphic).picture().isNull() ? 0 : 1;
    // Those being decoded may finish (three decoders at most); no new one starts.
    EXPECT_LE(shown, readAtStop + 3);
    EXPECT_LT(shown, count);
    ASSERT_EQ(dialogs->messages().size(), messagesBefore + 1);
    EXPECT_EQ(dialogs->lastDetails().count(QStringLiteral("It was not read: opening was stopped.")), count - shown)
        << dialogs->lastDetails().toStdString();

    // 99 scans over 10 megapixels in a TIFF's strip pass the bound as they would in a JPEG.
    const QSize large(3200, 3200);
    const QString tiff = folder.filePath(QStringLiteral("scans.tif"));
    ASSERT_TRUE(writeFile(tiff, tiffAroundJpeg(plainJpegOfScans(99, large), large)));
    QImageReader reader(tiff);
    ASSERT_EQ(reader.format(), "tiff");
    ASSERT_EQ(reader.size(), large);
    QString why;
    EXPECT_TRUE(PictureFile::load(tiff, &why).isNull());
    EXPECT_TRUE(why.contains(QStringLiteral("99 scans"))) << why.toStdString();
}

TEST_F(MainWindowTest, ADesignNamesEveryPictureItLeavesOutAndWhyInOneMessage)
{
    SKTWindowController& main = start();
    const QString missing = folder.filePath(QStringLiteral("missing.jpg"));
    const QString half = folder.filePath(QStringLiteral("half.jpg"));
    ASSERT_TRUE(writeFile(half, cutShort(encoded(detailed(300, 200), "JPG"), 0.5)));
    const QString scans = folder.filePath(QStringLiteral("scans.jpg"));
    ASSERT_TRUE(writeFile(scans, jpegOfScans(400)));
    const QString good = folder.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(writeFile(good, encoded(detailed(30, 20), "PNG")));
    const QString path = folder.filePath(QStringLiteral("gaps.dcard"));
    ASSERT_TRUE(DesignFile::write(path, designNaming({ missing, half, good, scans, missing })));

    const size_t messagesBefore = dialogs->messages().size();
    dialogs->fileAnswers = { path };
    main.action(QStringLiteral("Open_Btn"))->trigger();

    ASSERT_EQ(Project_File_Name, path);
    EXPECT_FALSE(static_cast<const SKTImage&>(*main.Get_Front_Controls_Array().at(2)).picture().isNull());
    ASSERT_EQ(dialogs->messages().size(), messagesBefore + 1);
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nSome pictures of this design are not shown."));
    const QString named = dialogs->lastInformative();
    for (const QString& part : { QStringLiteral("\"%1\": The file does not exist").arg(missing),
             QStringLiteral("\"%1\": The picture file is incomplete").arg(half),
             QStringLiteral("\"%1\": The JPEG picture is made of more than 300 scans").arg(scans) })
        EXPECT_TRUE(named.contains(part)) << part.toStdString() << "\n" << named.toStdString();
    EXPECT_FALSE(named.contains(QStringLiteral("good.png")));
    EXPECT_EQ(named.count(QStringLiteral("missing.jpg")), 1);
}

// A photo bound to a workbook column keeps the first row's bare file name; opened, the design
// finds that picture beside the workbook and names only those not there, in the system's words,
// a value that is a page of text by its start.
TEST_F(MainWindowTest, ABoundPhotosBareNameIsReadFromBesideTheWorkbookWhenTheDesignOpens)
{
    SKTWindowController& main = start();
    ASSERT_TRUE(writeFile(folder.filePath(QStringLiteral("m001.png")), encoded(detailed(30, 20), "PNG")));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("loop.png")), folder.filePath(QStringLiteral("loop.png"))));
    const QString letter = QStringLiteral("Dear guest,\nwe are glad to welcome you. ").repeated(100);
    DesignContents design
        = designNaming({ QStringLiteral("m001.png"), QStringLiteral("m007.png"), QStringLiteral("loop.png"), letter });
    design.excelSourcePath = folder.filePath(QStringLiteral("members.xlsx"));
    for (const SKTGraphicPtr& photo : design.frontGraphics)
        photo->Set_Data_source_type(2);
    const QString path = folder.filePath(QStringLiteral("club.dcard"));
    ASSERT_TRUE(DesignFile::write(path, design));
    ASSERT_NE(QDir::currentPath(), QDir(folder.path()).absolutePath());

    const size_t messagesBefore = dialogs->messages().size();
    dialogs->fileAnswers = { path };
    main.action(QStringLiteral("Open_Btn"))->trigger();

    ASSERT_EQ(Project_File_Name, path);
    const auto& photos = main.Get_Front_Controls_Array();
    EXPECT_FALSE(static_cast<const SKTImage&>(*photos.at(0)).picture().isNull());
    EXPECT_EQ(photos.at(0)->_file_path, QStringLiteral("m001.png"));
    ASSERT_EQ(dialogs->messages().size(), messagesBefore + 1);
    EXPECT_EQ(dialogs->lastInformative(),
        QStringLiteral("\"%1/%2…\": %3.\n\"%4\": %5.\n\"%6\": The file does not exist.")
            .arg(folder.path(), letter.simplified().left(80), qt_error_string(ENAMETOOLONG),
                folder.filePath(QStringLiteral("loop.png")), qt_error_string(ELOOP),
                folder.filePath(QStringLiteral("m007.png"))));
}

TEST_F(MainWindowTest, APhonesFortyEightMegapixelPhotoIsPlacedAndExported)
{
    SKTWindowController& main = start();
    const QRgb blue = qRgb(20, 110, 220);
    const QString phone = folder.filePath(QStringLiteral("phone48mp.jpg"));
    ASSERT_TRUE(writeFile(phone, encoded(photo(QSize(8000, 6000), blue), "JPG")));

    dialogs->fileAnswers = { phone };
    pressImageTool(main);
    ASSERT_EQ(main.Get_Front_Control_Count(), 1)
        << (dialogs->messages().empty() ? std::string() : dialogs->messages().back().toStdString());
    const auto& image = static_cast<const SKTImage&>(*main.Get_Front_Controls_Array().front());
    EXPECT_EQ(image.picture().size(), QSize(8000, 6000));

    const QString typed = folder.filePath(QStringLiteral("card.png"));
    dialogs->fileAnswers = { typed };
    const DesktopOpenerFunction previous = setDesktopOpener([](const QUrl&) { return true; });
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            sheet->matrix_export_card_side->button(1)->click();
            return 1;
        }
        return 0;
    };
    main.Export_Button();
    setDesktopOpener(previous);

    const QStringList written = QDir(folder.path()).entryList({ QStringLiteral("card*.png") }, QDir::Files);
    ASSERT_EQ(written.size(), 1);
    const QImage card(folder.filePath(written.front()));
    ASSERT_FALSE(card.isNull());
    const QPointF centre = image.bounds().center();
    const double scale = card.width() / main.Front_card_Prop->Card_Size.width();
    const QColor shown = card.pixelColor(int(centre.x() * scale), int(centre.y() * scale));
    EXPECT_NEAR(shown.red(), qRed(blue), 8);
    EXPECT_NEAR(shown.green(), qGreen(blue), 8);
    EXPECT_NEAR(shown.blue(), qBlue(blue), 8);

    // Twelve large pictures, decoded a few at once: those the budget allows are shown, the
    // others named.
    const QByteArray bytes = encoded(photo(QSize(2000, 2000), blue), "JPG");
    const QString path = designOfCopies(folder, QStringLiteral("large"), bytes, 12);
    ASSERT_FALSE(path.isEmpty());
    SharedImages& decoded = PictureFile::decodedPictures();
    decoded.setBudget(50'000'000); // three pictures of 16 MB
    const size_t messagesBefore = dialogs->messages().size();
    EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    EXPECT_LE(decoded.bytesKept(), 50'000'000);
    decoded.setBudget(PictureFile::decodedBudget);
    int shownPictures = 0;
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        shownPictures += static_cast<const SKTImage&>(*graphic).picture().isNull() ? 0 : 1;
    EXPECT_EQ(shownPictures, 3);
    ASSERT_EQ(dialogs->messages().size(), messagesBefore + 1);
    EXPECT_EQ(dialogs->lastDetails().count(QStringLiteral("would pass the limit")), 9)
        << dialogs->lastDetails().toStdString();
}

TEST_F(MainWindowTest, AClosedDesignGivesItsPicturesBackToTheBudgetAndTheMemory)
{
    SKTWindowController& main = start();
    PictureFile::decodedPictures().clear();
    // Ten pictures of 100 MB once decoded: 954 of the 1024 MiB budget.
    const QByteArray large = encoded(photo(QSize(5000, 5000), qRgb(200, 60, 30)), "JPG");
    const QString path = designOfCopies(folder, QStringLiteral("large"), large, 10);
    ASSERT_FALSE(path.isEmpty());
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        ASSERT_FALSE(static_cast<const SKTImage&>(*graphic).picture().isNull());
    // Drawn, as a person sees it, so that the drawing's own copies are made too.
    EXPECT_FALSE(main.grab().isNull());
    const long residentWithDesign = residentMegabytes();

    main.action(QStringLiteral("New_Btn"))->trigger();
    ASSERT_EQ(main.Get_Front_Control_Count(), 0);
    // The pixels freed are given back to the system (a sanitizer's quarantine may keep a part).
    EXPECT_GT(residentWithDesign - residentMegabytes(), 450)
        << residentWithDesign << " MB before, " << residentMegabytes() << " MB after";

    // 80 MB more: refused while the old pictures stayed counted.
    const QString twenty = folder.filePath(QStringLiteral("photo20mp.jpg"));
    ASSERT_TRUE(writeFile(twenty, encoded(photo(QSize(5472, 3648), qRgb(40, 160, 90)), "JPG")));
    const size_t messagesBefore = dialogs->messages().size();
    dialogs->fileAnswers = { twenty };
    pressImageTool(main);
    EXPECT_EQ(dialogs->messages().size(), messagesBefore)
        << (dialogs->messages().empty() ? std::string() : dialogs->messages().back().toStdString());
    ASSERT_EQ(main.Get_Front_Control_Count(), 1);
    EXPECT_FALSE(static_cast<const SKTImage&>(*main.Get_Front_Controls_Array().front()).picture().isNull());
}
