// Every card of a batch carries its own row's barcode, or none: workers reuse one card copy
// for many rows, so a row whose value gives no barcode must not show an earlier row's.
#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeSymbologies.h"
#include "common/Globals.h"
#include "jobs/BatchExport.h"
#include "model/SKTBarcode.h"
#include "support/Patience.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define RUNS_UNDER_THREAD_SANITIZER
#endif
#endif

constexpr int rows = 20;

// Rows (from 1) whose value is empty, and those Code 128 refuses (not 7-bit ASCII).
bool emptyRow(int row)
{
    return row % 6 == 3;
}
bool refusedRow(int row)
{
    return row % 6 == 0;
}

QByteArray seriesText()
{
    QByteArray text;
    for (int row = 1; row <= rows; ++row) {
        if (refusedRow(row))
            text += QStringLiteral("Zoë %1").arg(row).toUtf8();
        else if (!emptyRow(row))
            text += "ROW-" + QByteArray::number(row);
        text += '\n';
    }
    return text;
}

QByteArray decodeCode128(const QString& png)
{
    QProcess reader;
    reader.start(QStringLiteral("ZXingReader"), { QStringLiteral("-format"), QStringLiteral("Code128"), png });
    if (!patience::finished(reader))
        return "(decoder did not finish)";
    const QByteArray out = reader.readAllStandardOutput();
    // ZXingReader prints "Text:       "..."" lines; a card without a symbol gives none.
    for (const QByteArray& line : out.split('\n')) {
        if (line.startsWith("Text:")) {
            const qsizetype open = line.indexOf('"'), close = line.lastIndexOf('"');
            return open >= 0 && close > open ? line.mid(open + 1, close - open - 1) : QByteArray();
        }
    }
    return {};
}

} // namespace

TEST(BatchBarcodeRows, EachCardDecodesToItsOwnRowOrHasNoBarcode)
{
#ifdef RUNS_UNDER_THREAD_SANITIZER
    GTEST_SKIP() << "ThreadSanitizer cannot follow QProcess starting the decoder";
#endif
    QTemporaryDir data;
    QTemporaryDir out;
    const QString savedData = Data_Folder_Path;
    Data_Folder_Path = data.path();
    {
        QFile series(QDir(data.path()).filePath(QStringLiteral("codes.txt")));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write(seriesText());
    }
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);

    auto barcode = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QStringLiteral("Code 128"));
    settings.linear_font_val = QStringLiteral("DESIGN");
    storeBarcodeFields(settings, *barcode);
    ASSERT_TRUE(Get_Image_From_Val(settings, QStringLiteral("Zoë 6"), {}, {}).isNull());
    // The design's own picture, which no card may show either.
    barcode->Set_Barcode_image(barcodePictureFromFields(*barcode));
    ASSERT_FALSE(barcode->_barcode_image.isNull());
    barcode->setBounds(QRectF(QPointF(20, 20), barcode->_barcode_image.size()));
    barcode->data_source_type = DataBinding::seriesSource;
    barcode->batch_list_name = QStringLiteral("codes");
    const QList<SKTGraphicPtr> front { barcode };
    const auto frontSettings = Card_Property::create();
    frontSettings->setCard_fill_chk(true);
    frontSettings->setCard_fill_clr(Qt::white);
    const auto backSettings = Card_Property::create();

    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *frontSettings, *backSettings, 0, QRectF(0, 0, 300, 153));
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {}));
    ASSERT_EQ(request.binding->Total_Batch_Excel_Card, rows);
    request.settings.dpi = 200;
    request.folder = out.path();
    request.workers = 4;
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request, progress);
    RowApplication::setBarcodeGenerator({});
    Data_Folder_Path = savedData;

    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    ASSERT_EQ(result.cardsWritten, rows);
    const QDir folder(result.exportFolder);
    for (int row = 1; row <= rows; ++row) {
        const QByteArray read = decodeCode128(folder.filePath(QStringLiteral("Card_%1.png").arg(row)));
        if (emptyRow(row) || refusedRow(row))
            EXPECT_EQ(read, QByteArray()) << "card " << row << " shows another row's barcode";
        else
            EXPECT_EQ(read, "ROW-" + QByteArray::number(row)) << "card " << row;
    }
    // The run names the rows without a barcode: 3, 6, 9, 12, 15, then 18 as one more.
    EXPECT_EQ(result.problems.noBarcode.count, 6);
    EXPECT_EQ(result.problems.noBarcode.firstRows, QList<int>({ 3, 6, 9, 12, 15 }));
    EXPECT_EQ(result.problems.message(),
        QStringLiteral("6 cards lack a barcode or picture: their rows give no valid barcode value or no readable "
                       "picture file (rows 3, 6, 9, 12, 15 and 1 more)."));
}

TEST(BatchBarcodeRows, ProblemRowsCountOnceWhateverTheOrder)
{
    CardProblems rows;
    for (const int row : { 9, 2, 9, 0, 2, 40 })
        rows.add(row, { .picturesMade = false });
    rows.add(7, { .textFits = false });
    const CardProblemRows summary = rows.summary();
    EXPECT_EQ(summary.noBarcode.count, 4);
    EXPECT_EQ(summary.noBarcode.firstRows, QList<int>({ 1, 3, 10, 41 }));
    EXPECT_EQ(CardProblemRows().appendedTo(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(summary.appendedTo(QStringLiteral("Done.")),
        QStringLiteral(
            "Done.\n\n4 cards lack a barcode or picture: their rows give no valid barcode value or no "
            "readable picture file (rows 1, 3, 10, 41).\n\n1 card has text that does not fit its box (row 8)."));
}
