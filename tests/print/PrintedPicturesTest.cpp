// Pictures on batch-printed cards: a picture that every card shows reaches the PDF once,
// however many cards, sheets and workers the job has.
#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "jobs/PrintBatchCards.h"
#include "jobs/RowApplication.h"
#include "model/Card_Property.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "render/ImageEffectsHook.h"

#include <QPainter>
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

} // namespace

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
