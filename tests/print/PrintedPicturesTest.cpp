// Pictures on batch-printed cards: a picture that every card shows reaches the PDF once,
// however many cards, sheets and workers the job has, and every row gets its own photo however
// many large photos the rows name.
#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "jobs/DataBinding.h"
#include "jobs/JobProgress.h"
#include "jobs/PrintBatchCards.h"
#include "jobs/RowApplication.h"
#include "model/Card_Property.h"
#include "model/PictureFile.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/SharedImages.h"
#include "render/ImageEffectsHook.h"

#include <QPainter>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage stripes(const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int x = 0; x < size.width(); x += 8)
        painter.fillRect(x, 0, 4, size.height(), colour);
    return image;
}

// A card with a background picture, a logo in grey (an effect the workers could each apply
// afresh) and a text that changes with the row.
CardSnapshot cardWithPictures()
{
    auto logo = SKTGraphic::create<SKTImage>();
    logo->_file_path = QStringLiteral("logo.png");
    logo->setPicture(stripes(QSize(60, 40), Qt::red));
    logo->gray_Scale = true;
    logo->setBounds(QRectF(10, 10, 60, 40));
    auto name = SKTGraphic::create<SKTText>();
    name->setBounds(QRectF(10, 60, 150, 20));
    const auto settings = Card_Property::create();
    settings->setCard_fill_chk(true);
    settings->setCard_fill_style(QStringLiteral("I"));
    settings->setCard_BG_Image(stripes(QSize(120, 80), Qt::blue));
    settings->setCard_alpha_Stepper(1.0f);
    return CardSnapshot::take({ logo, name }, {}, *settings, *settings, 0, QRectF(0, 0, 240, 150));
}

const QSizeF photoCard(240, 150);

QColor photoColour(int photo)
{
    return QColor::fromHsv((photo * 29) % 360, 255, 220);
}

// Flat photos that are small files but large once decoded: 1024 x 512, 2 MiB of pixels each.
QStringList flatPhotos(const QTemporaryDir& dir, int count, const QSize& size = QSize(1024, 512))
{
    QStringList paths;
    for (int photo = 0; photo < count; ++photo) {
        QImage flat(size, QImage::Format_RGB32);
        flat.fill(photoColour(photo));
        paths << dir.filePath(QStringLiteral("photo%1_%2.png").arg(photo).arg(size.width()));
        EXPECT_TRUE(flat.save(paths.back(), "PNG"));
    }
    return paths;
}

// Rows naming the photos in turn, a photo filling each card, printed four to a sheet by four
// workers; what the cards printed lacked.
CardProblemRows printPhotoRows(const QStringList& photos, int rows, const QString& pdf, bool* printed,
    JobProgress* progress = nullptr, int stopAtRow = -1)
{
    auto photo = SKTGraphic::create<SKTImage>();
    photo->setBounds(QRectF(QPointF(), photoCard));
    photo->data_source_type = DataBinding::spreadsheetSource;
    photo->excel_col_indx = 1;
    SpreadsheetRows sheet;
    for (int row = 0; row < rows; ++row)
        sheet << QStringList { QString::number(row + 1), photos[row % photos.size()] };
    const QList<SKTGraphicPtr> front { photo };
    const auto binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, sheet));
    const auto settings = Card_Property::create();
    const CardSnapshot snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, QRectF(QPointF(), photoCard));
    auto problems = std::make_shared<CardProblems>();
    auto batch = std::make_shared<PrintBatchCards>(
        snapshot, rows,
        [binding, progress, stopAtRow](CardSnapshot& card, int row, const QString&) {
            if (row == stopAtRow)
                progress->stopRequested = true;
            return BoundSide(card.front, *binding, card.edge(), QStringLiteral("front")).apply(row);
        },
        PrintLayout::sideFront, Picture(), problems, 4);
    const Printing_View job(twoByTwoOnA4(photoCard, rows), PrintBatchCards::source(batch));
    *printed = job.printToPdf(pdf, progress);
    return problems->summary();
}

// Every card shows its row's photo: its colour at the card's centre.
void expectEveryRowsPhoto(const QString& pdf, int photos, int rows)
{
    SCOPED_TRACE(pdf.toStdString());
    const QList<QImage> sheets = PdfTools::pages(pdf, 18);
    ASSERT_EQ(sheets.size(), (rows + 3) / 4);
    const double scale = 18 / 72.0;
    for (int row = 0; row < rows; ++row) {
        const int cell = row % 4;
        const QColor shown = sheets[row / 4].pixelColor(int(scale * (20 + (cell % 2 + 0.5) * photoCard.width())),
            int(scale * (20 + (cell / 2 + 0.5) * photoCard.height())));
        const QColor expected = photoColour(row % photos);
        EXPECT_LT(std::abs(shown.red() - expected.red()) + std::abs(shown.green() - expected.green())
                + std::abs(shown.blue() - expected.blue()),
            12)
            << "row " << row + 1 << " shows " << shown.name().toStdString();
    }
}

} // namespace

TEST(PrintedPictures, EveryRowGetsItsPhotoWhenThePhotosInUseFillTheBudget)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    QTemporaryDir dir;
    SharedImages& decoded = PictureFile::decodedPictures();
    PictureFile::releaseUnused();
    // Room for eight photos of 2 MiB and no ninth, as eight photos of 96 MB fill the program's
    // budget of 1 GB.
    decoded.setBudget(17 * 1024 * 1024);
    const auto restore = qScopeGuard([&] { decoded.setBudget(PictureFile::decodedBudget); });
    const int rows = 400;
    bool printed = false;

    // Eight photos in turn: every one of them in use by the cards drawn ahead.
    const QString eight = dir.filePath(QStringLiteral("eight.pdf"));
    CardProblemRows problems = printPhotoRows(flatPhotos(dir, 8), rows, eight, &printed);
    ASSERT_TRUE(printed);
    EXPECT_EQ(problems.details(), QString());
    expectEveryRowsPhoto(eight, 8, rows);

    // Twelve, more than the budget holds at once: the print decodes fewer at a time.
    const QString twelve = dir.filePath(QStringLiteral("twelve.pdf"));
    problems = printPhotoRows(flatPhotos(dir, 12), rows / 2, twelve, &printed);
    ASSERT_TRUE(printed);
    EXPECT_EQ(problems.details(), QString());
    expectEveryRowsPhoto(twelve, 12, rows / 2);

    // A photo larger than the whole budget never waits for room: its rows say so, the others
    // have theirs.
    QStringList mixed = flatPhotos(dir, 3);
    mixed << flatPhotos(dir, 1, QSize(2200, 2048));
    const QString large = dir.filePath(QStringLiteral("large.pdf"));
    problems = printPhotoRows(mixed, 40, large, &printed);
    ASSERT_TRUE(printed);
    EXPECT_EQ(problems.noBarcode.count, 10);
    ASSERT_EQ(problems.faults.size(), 10);
    EXPECT_EQ(problems.faults.front().first, 3);
    EXPECT_EQ(problems.faults.front().second.describe(),
        QStringLiteral("Picture on the front (spreadsheet column 1): the picture file \"%1\" was left out: This "
                       "picture alone would take 18 MB once decoded, more than the limit of 17 MB")
            .arg(mixed.back()));
    EXPECT_EQ(PdfTools::imageObjects(large).size(), 30);

    // Stop ends a print whose rows are drawn again for room.
    JobProgress progress;
    printPhotoRows(flatPhotos(dir, 12), rows, dir.filePath(QStringLiteral("stopped.pdf")), &printed,
        &progress, 100);
    EXPECT_FALSE(printed);
}

TEST(PrintedPictures, APictureEveryCardShowsIsEmbeddedOncePerJob)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ImageEffectsHook::install();
    const CardSnapshot snapshot = cardWithPictures();
    const int rows = 12;
    // Drawn from a clone: the snapshot the job gets has never been drawn.
    const Picture plainFront
        = SKTRenderingView::image_From_Card_Graphics(snapshot.clone().front, true, snapshot.frontBase());
    auto batch = std::make_shared<PrintBatchCards>(
        snapshot, rows,
        [](CardSnapshot& card, int row, const QString&) {
            RowApplication::applyValue(*card.front[1], QString::number(row));
            return RowOutcome();
        },
        PrintLayout::sideFront, plainFront, nullptr, 4);
    const Printing_View job(twoByTwoOnA4(QSizeF(240, 150), rows), PrintBatchCards::source(batch));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pictures.pdf"));
    ASSERT_TRUE(job.printToPdf(pdf));

    const QList<int> drawn = PdfTools::imageObjects(pdf);
    EXPECT_EQ(drawn.size(), 2 * rows) << "a background and a logo on every card";
    EXPECT_EQ(QSet<int>(drawn.begin(), drawn.end()).size(), 2) << "each embedded once";
}
