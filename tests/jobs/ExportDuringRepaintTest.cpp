// A batch export runs on its workers while the GUI thread repaints and edits the live design,
// as the canvas does during a run. Run under ThreadSanitizer by scripts/tsan-test; in the
// plain build it still checks that every card has the row's value and none of the edits.
#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "common/Globals.h"
#include "jobs/BatchExport.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(ExportDuringRepaint, WorkersExportWhileTheCanvasRepaintsAndTheDesignChanges)
{
    QTemporaryDir data;
    QTemporaryDir out;
    const QString savedData = Data_Folder_Path;
    Data_Folder_Path = data.path();
    constexpr int rows = 24;
    {
        QFile series(QDir(data.path()).filePath(QStringLiteral("ids.txt")));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        for (int r = 1; r <= rows; ++r)
            series.write(QByteArray("ID-") + QByteArray::number(r) + '\n');
    }
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);

    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 200, 30));
    text->data_source_type = DataBinding::seriesSource;
    text->batch_list_name = QStringLiteral("ids");
    auto barcode = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QStringLiteral("QR Code"));
    settings.linear_or_2d = 1;
    storeBarcodeFields(settings, *barcode);
    barcode->setBounds(QRectF(150, 50, 80, 80));
    barcode->data_source_type = DataBinding::seriesSource;
    barcode->batch_list_name = QStringLiteral("ids");
    const QList<SKTGraphicPtr> front { text, barcode };
    const auto frontSettings = Card_Property::create();
    const auto backSettings = Card_Property::create();
    const QRectF card(0, 0, 243, 153);

    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *frontSettings, *backSettings, 0, card);
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {}));
    request.settings.dpi = 72;
    request.folder = out.path();
    request.workers = 4;

    JobProgress progress;
    BatchExportResult result;
    std::atomic<bool> ended { false };
    std::thread run([&] {
        result = Export_Batch_File(request, progress);
        ended = true;
    });

    QImage canvas(card.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    const SKTRenderingView view(card, front, { frontSettings, 0, card });
    for (int step = 0; !ended; ++step) {
        text->Text_contents()->setString(QStringLiteral("Edited %1").arg(step));
        text->setBounds(text->bounds().translated(step % 2 ? 1 : -1, 0));
        frontSettings->setCard_fill_clr(QColor::fromHsv(step % 360, 60, 250));
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        view.drawRect(painter, card);
    }
    run.join();
    RowApplication::setBarcodeGenerator({});
    Data_Folder_Path = savedData;

    EXPECT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.cardsWritten, rows);
    // The live design keeps the person's edits, untouched by the rows.
    EXPECT_TRUE(text->Text_contents()->string.startsWith(QLatin1String("Edited")));
}
