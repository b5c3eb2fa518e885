#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "render/SKTRenderingView.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QRectF cardFrame(0, 0, 243, 154);

// A card side whose one text object names the guest of a row.
Picture guestCard(int row)
{
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Guest %1\nTable %2").arg(row).arg(row + 10);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(18);
    text->text_ctrl_font = font;
    text->txt_clr = QColor(Qt::black);
    text->text_alignmnet = 2;
    text->setBounds({ 10, 40, 223, 60 });
    return SKTRenderingView::image_From_Card_Graphics({ text }, false, { Card_Property::create(), 0, cardFrame });
}

} // namespace

TEST(PrintedCardTextTest, EveryCellsTextObjectsAreTextOnItsSheet)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's pdfinfo, pdftoppm and pdftotext are not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("guests.pdf"));
    const Printing_View job(twoByTwoOnA4(cardFrame.size(), 5), [](int index) {
        return PrintCellCards { guestCard(index + 1), {} };
    });
    ASSERT_TRUE(job.printToPdf(pdf));
    ASSERT_EQ(PdfTools::pageCount(pdf), 2);
    const QString first = PdfTools::text(pdf, 1);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_TRUE(first.contains(QStringLiteral("Guest %1").arg(row))) << first.toStdString();
        EXPECT_TRUE(first.contains(QStringLiteral("Table %1").arg(row + 10))) << first.toStdString();
    }
    const QString second = PdfTools::text(pdf, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Guest 5"))) << second.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("Guest 4")));
}
