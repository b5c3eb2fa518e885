#include "mainwindow/DesignFile.h"
#include "MainWindowFixture.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/ArchiveWriter.h"
#include "platform/PropertyList.h"
#include "support/Patience.h"
#include "support/PeakMemory.h"
#include "support/SharedReferencePlist.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

SKTDocument::Graphics everyKind(double offset)
{
    auto line = SKTGraphic::create<SKTLine>();
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Dear guest");
    text->data_source_type = 2;
    text->excel_binding = true;
    text->excel_col_indx = 1;
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->Set_Shape_Type(QStringLiteral("DS"));
    auto image = SKTGraphic::create<SKTImage>();
    image->_file_path = QStringLiteral("/no/longer/here.png");
    auto barcode = SKTGraphic::create<SKTBarcode>();
    barcode->header_val = QStringLiteral("Ticket");
    auto signature = SKTGraphic::create<SKTSignature>();
    signature->Set_Sign_Or_FP(QStringLiteral("F"));
    SKTDocument::Graphics graphics { line, text, shape, image, barcode, signature };
    for (int i = 0; i < graphics.size(); ++i)
        graphics[i]->setBounds(QRectF(offset + i * 7, 10 + i, 40 + i, 30));
    return graphics;
}

DesignContents sampleDesign()
{
    DesignContents design;
    design.front = Card_Property::create();
    design.back = Card_Property::create();
    design.front->Card_fill_chk = true;
    design.front->Card_fill_style = QStringLiteral("I");
    design.front->Card_BG_Image_Path = QStringLiteral("/pictures/party.png");
    design.front->Card_Shape = QStringLiteral("RR");
    design.front->Card_Size = QSizeF(243, 154);
    design.front->Card_fill_clr = QColor(10, 200, 30);
    design.back->Card_Side_Name = QStringLiteral("F");
    design.back->Card_Content_font = std::nullopt;
    design.excelBindingUse = true;
    design.excelSourcePath = QStringLiteral("/sheets/guests.xlsx");
    design.columnTitles = { QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Table") };
    PlistDict row;
    row.insert(QStringLiteral("Extension"), PlistValue("1"));
    row.insert(QStringLiteral("Column1"), PlistValue("Ada"));
    row.insert(QStringLiteral("Column2"), PlistValue("7"));
    design.rows.emplace_back(row);
    design.frontGraphics = everyKind(0);
    design.backGraphics = everyKind(100);
    return design;
}

QByteArray xmlOf(const DesignContents& design)
{
    return PropertyList::write(PlistValue(DesignFile::items(design)), PropertyList::Format::Xml);
}

DesignFile::ReadResult readItems(PlistArray items)
{
    return DesignFile::readItems(items);
}

} // namespace

TEST(DesignFile, EveryKindOnBothSidesReadsBackWithEveryFieldEqual)
{
    const DesignContents design = sampleDesign();
    const QByteArray xml = xmlOf(design);
    const DesignFile::ReadResult read = DesignFile::read(xml);
    ASSERT_EQ(read.status, DesignFile::Status::Loaded) << read.reason.toStdString();
    // Written again, the read design gives the same items: every field of every record
    // and object came back.
    EXPECT_EQ(firstDifference(DesignFile::items(read.contents), DesignFile::items(design)), -1);

    const DesignContents& back = read.contents;
    EXPECT_EQ(back.front->Card_BG_Image_Path, QStringLiteral("/pictures/party.png"));
    EXPECT_EQ(back.front->Card_fill_clr, QColor(10, 200, 30));
    EXPECT_EQ(back.front->Card_Size, QSizeF(243, 154));
    EXPECT_FALSE(back.back->Card_Content_font.has_value());
    EXPECT_TRUE(back.excelBindingUse);
    EXPECT_EQ(back.columnTitles, design.columnTitles);
    ASSERT_EQ(back.frontGraphics.size(), 6);
    ASSERT_EQ(back.backGraphics.size(), 6);
    EXPECT_EQ(typeid(*back.frontGraphics[3]), typeid(SKTImage));
    // A picture moved since saving keeps its stored path and shows nothing.
    EXPECT_EQ(back.frontGraphics[3]->_file_path, QStringLiteral("/no/longer/here.png"));
    EXPECT_EQ(back.backGraphics[5]->Sign_Or_FP_Val(), QStringLiteral("F"));
    EXPECT_EQ(back.backGraphics[0]->bounds(), QRectF(100, 10, 40, 30));
}

TEST(DesignFile, ItemsStandInTheirFixedPlaces)
{
    DesignContents design = sampleDesign();
    design.frontGraphics.clear();
    design.backGraphics.clear();
    design.front->Card_alpha_Stepper = 0.5f;
    design.back->Card_alpha_Stepper = 0.333f;
    const PlistArray items = DesignFile::items(design);
    ASSERT_EQ(items.size(), 63u);
    EXPECT_EQ(items[0].toString(), QStringLiteral("QUONMACGALAVITEFOLIOS"));
    EXPECT_EQ(items[1 + 12].toString(), QStringLiteral("0.50"));
    EXPECT_EQ(items[29 + 12].toString(), QStringLiteral("0.33"));
    EXPECT_EQ(items[1 + 18].toString(), QStringLiteral("{243, 154}"));
    EXPECT_EQ(items[1 + 15].toString(), QStringLiteral("RR"));
    EXPECT_EQ(items[57].toString(), QStringLiteral("Y"));
    EXPECT_TRUE(items[59].isArray());
    EXPECT_TRUE(items[60].isArray());
    EXPECT_EQ(items[61].toString(), QStringLiteral("0"));
    EXPECT_EQ(items[62].toString(), QStringLiteral("0"));
    for (int block : { 1, 29 }) {
        for (int offset : { 1, 6, 7, 8, 11, 26, 27 })
            EXPECT_TRUE(items[size_t(block + offset)].isData()) << block + offset;
    }

    const DesignFile::ReadResult read = readItems(items);
    ASSERT_EQ(read.status, DesignFile::Status::Loaded);
    EXPECT_FLOAT_EQ(read.contents.back->Card_alpha_Stepper, 0.33f);
    EXPECT_EQ(read.contents.front->Card_Size, QSizeF(243, 154));
}

TEST(DesignFile, OnlyAPictureFillKeepsItsBackgroundPath)
{
    DesignContents design = sampleDesign();
    design.back->Card_fill_style = QStringLiteral("G");
    design.back->Card_BG_Image_Path = QStringLiteral("/pictures/old.png");
    const PlistArray items = DesignFile::items(design);
    EXPECT_EQ(items[29 + 24].toString(), QString());
    EXPECT_TRUE(design.back->Card_BG_Image_Path.isEmpty()); // the record is cleared too
    EXPECT_EQ(items[1 + 24].toString(), QStringLiteral("/pictures/party.png"));
}

TEST(DesignFile, IsAnXmlPropertyListThatAnIndependentReaderTakesInOrder)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("party.dcard"));
    ASSERT_TRUE(DesignFile::write(path, sampleDesign()));
    const QString script
        = QStringLiteral("import plistlib,sys\n"
                         "items=plistlib.load(open(sys.argv[1],'rb'))\n"
                         "assert isinstance(items,list)\n"
                         "assert items[0]=='QUONMACGALAVITEFOLIOS'\n"
                         "for b in (1,29):\n"
                         "  assert items[b] in ('Y','N')\n"
                         "  assert all(isinstance(items[b+o],bytes) for o in (1,6,7,8,11,26,27))\n"
                         "  assert items[b+18].startswith('{')\n"
                         "assert items[57]=='Y' and items[58]=='/sheets/guests.xlsx'\n"
                         "assert items[59]==['#','Name','Table']\n"
                         "assert items[60]==[{'Extension':'1','Column1':'Ada','Column2':'7'}]\n"
                         "f=int(items[61]); assert f==6\n"
                         "assert all(isinstance(x,bytes) for x in items[62:62+f])\n"
                         "b=int(items[62+f]); assert b==6 and len(items)==63+f+b\n"
                         "for x in items[62:62+f]: assert plistlib.loads(x)['$archiver']=='NSKeyedArchiver'\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), script, path });
    ASSERT_TRUE(patience::finished(python));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
}

TEST(DesignFile, RefusesDamagedFilesWithAReason)
{
    const PlistArray good = DesignFile::items(sampleDesign());
    const auto refused = [](const PlistArray& items) {
        const DesignFile::ReadResult read = DesignFile::readItems(items);
        return read.status == DesignFile::Status::Corrupt && !read.reason.isEmpty();
    };
    PlistArray wrongMarker = good;
    wrongMarker[0] = PlistValue("QUONMACGALAVITEFOLIO");
    EXPECT_TRUE(refused(wrongMarker));
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused(PlistArray(good.begin(), good.begin() + 40))); // truncated in a block

    PlistArray overCount = good;
    overCount[61] = PlistValue("1000000");
    EXPECT_TRUE(refused(overCount));
    PlistArray negativeCount = good;
    negativeCount[61] = PlistValue("-1");
    EXPECT_TRUE(refused(negativeCount));
    PlistArray notAColour = good;
    notAColour[2] = PlistValue("black");
    EXPECT_TRUE(refused(notAColour));
    PlistArray brokenColour = good;
    brokenColour[2] = PlistValue(QByteArray("bplist00garbage"));
    EXPECT_TRUE(refused(brokenColour));
    PlistArray fontForColour = good;
    fontForColour[2] = PlistValue(ArchiveWriter::archivedFont(QFont()));
    EXPECT_TRUE(refused(fontForColour));
    PlistArray badInteger = good;
    badInteger[3] = PlistValue("three");
    EXPECT_TRUE(refused(badInteger));
    PlistArray badObject = good;
    badObject[62] = PlistValue(QByteArray("not an archive"));
    EXPECT_TRUE(refused(badObject));
    PlistArray badRow = good;
    badRow[60] = PlistValue(PlistArray { PlistValue("row") });
    EXPECT_TRUE(refused(badRow));
    PlistArray badTitles = good;
    badTitles[59] = PlistValue("titles");
    EXPECT_TRUE(refused(badTitles));

    EXPECT_EQ(DesignFile::read("<plist><dict/></plist>").status, DesignFile::Status::Corrupt);
    EXPECT_EQ(DesignFile::read("garbage").status, DesignFile::Status::Corrupt);
    EXPECT_EQ(DesignFile::readFile(QStringLiteral("/no/such/file.dcard")).status, DesignFile::Status::Corrupt);
}

TEST(DesignFile, ALargeTableOpensInAFewTimesItsFileSize)
{
    // Neither the file's bytes nor a second tree nor a copy of the rows is held beside the table.
    DesignContents design = sampleDesign();
    const int rows = 200000;
    for (int i = 2; i <= rows; ++i) {
        PlistDict row;
        row.insert(QStringLiteral("Extension"), QString::number(i));
        row.insert(QStringLiteral("Column1"), QStringLiteral("Guest %1").arg(i));
        design.rows.emplace_back(std::move(row));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.dcard"));
    ASSERT_TRUE(DesignFile::write(path, design));
    const long fileMegabytes = long(QFileInfo(path).size() >> 20);
    const MeasuredRun run = runMeasured([&] {
        DesignFile::ReadResult read
            = DesignFile::readFile(path, DesignFile::maxFileBytes, DesignFile::Pictures::Deferred);
        const QList<PlistValue> table = DesignFile::takeRows(read.contents);
        return std::to_string(table.size()) + " "
            + table.last().toDict().find(QStringLiteral("Column1"))->toString().toStdString();
    });
    EXPECT_EQ(run.result, "200000 Guest 200000");
    EXPECT_GE(run.peakMegabytes, 0);
    EXPECT_LT(run.peakMegabytes, 4 * fileMegabytes) << fileMegabytes << " MB file";
}

TEST(DesignFile, RefusesACardSizeNoOneCouldHaveSet)
{
    const PlistArray good = DesignFile::items(sampleDesign());
    const qsizetype cardSize = 19; // the front block's size, after the marker
    ASSERT_EQ(good[cardSize].toString(), QStringLiteral("{243, 154}"));
    for (const char* size : { "{0, 154}", "{243, -5}", "{nan, 154}", "{243, inf}", "{1e30, 154}", "{243, 1e6}" }) {
        PlistArray items = good;
        items[cardSize] = PlistValue(size);
        const DesignFile::ReadResult read = DesignFile::readItems(items);
        EXPECT_EQ(read.status, DesignFile::Status::Corrupt) << size;
        EXPECT_TRUE(read.reason.contains(QStringLiteral("card size"))) << size;
    }
    // The largest and smallest cards the card settings make still open.
    for (const char* size : { "{2834.6, 2.8}", "{2.8347, 2834.6}" }) {
        PlistArray items = good;
        items[cardSize] = PlistValue(size);
        EXPECT_EQ(DesignFile::readItems(items).status, DesignFile::Status::Loaded) << size;
    }
}

TEST(DesignFile, CardShapeCodesMatchTheShapeMatrixRows)
{
    EXPECT_EQ(DesignFile::cardShapeCode(0), QStringLiteral("R"));
    EXPECT_EQ(DesignFile::cardShapeCode(1), QStringLiteral("RR"));
    EXPECT_EQ(DesignFile::cardShapeCode(2), QStringLiteral("E"));
    EXPECT_EQ(DesignFile::cardShapeCode(3), QStringLiteral("E"));
    for (int shape : { 0, 1, 2 })
        EXPECT_EQ(DesignFile::cardShapeFromCode(DesignFile::cardShapeCode(shape)), shape);
    EXPECT_EQ(DesignFile::cardShapeFromCode(QStringLiteral("?")), 0);
}

TEST(DesignFile, MoreObjectsThanASideHoldsAreRefusedBeforeAnyIsUnarchived)
{
    DesignContents empty = sampleDesign();
    empty.frontGraphics.clear();
    empty.backGraphics.clear();
    PlistArray items = DesignFile::items(empty);
    ASSERT_EQ(items.size(), size_t(DesignFile::itemsWithoutObjects));
    const int count = DesignFile::maxObjectsPerSide + 1;
    items[61] = PlistValue(QString::number(count));
    items.insert(items.begin() + 62, size_t(count), PlistValue(QByteArray("never unarchived")));
    const DesignFile::ReadResult read = DesignFile::readItems(items);
    EXPECT_EQ(read.status, DesignFile::Status::TooLarge);
    EXPECT_TRUE(read.reason.contains(QStringLiteral("is 2501, and a side of a design holds at most 2500 objects")))
        << read.reason.toStdString();
}

TEST(DesignFile, SharedReferencesThatWouldMultiplyObjectsAreRefused)
{
    const QByteArray archive = sampleDesign().frontGraphics.at(1)->archivedData();
    for (const QByteArray& bytes : { sharedplist::doublingArrays(29), sharedplist::repeatedData(archive, 60000) }) {
        const DesignFile::ReadResult read = DesignFile::read(bytes);
        EXPECT_EQ(read.status, DesignFile::Status::Corrupt);
        EXPECT_TRUE(read.reason.contains(QStringLiteral("repeats its objects"))) << read.reason.toStdString();
    }
}

TEST(DesignFile, SaveRefusesWhatOpenWouldRefuseAndKeepsTheOldFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("party.dcard"));
    constexpr qint64 megabyte = 1 << 20;
    ASSERT_TRUE(DesignFile::write(path, sampleDesign(), nullptr, nullptr, megabyte));
    EXPECT_EQ(DesignFile::readFile(path, megabyte).status, DesignFile::Status::Loaded);
    const QByteArray saved = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    DesignContents crowded = sampleDesign();
    crowded.backGraphics = SKTDocument::Graphics(DesignFile::maxObjectsPerSide + 1, crowded.backGraphics.front());
    QString error;
    EXPECT_FALSE(DesignFile::write(path, crowded, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("at most 2500 objects"))) << error.toStdString();
    EXPECT_TRUE(error.contains(path));

    // A table that makes the file larger than Open takes.
    DesignContents bound = sampleDesign();
    PlistDict row = bound.rows.front().toDict();
    row.insert(QStringLiteral("Column1"), PlistValue(QString(1000, QLatin1Char('n'))));
    bound.rows = PlistArray(2000, PlistValue(row));
    EXPECT_FALSE(DesignFile::write(path, bound, &error, nullptr, megabyte));
    EXPECT_TRUE(error.contains(QStringLiteral("more than the 1 MB"))) << error.toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved);
}
