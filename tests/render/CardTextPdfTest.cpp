#include "render/SKTRenderingView.h"

#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "support/PdfTextTools.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::shared_ptr<SKTText> text(const QString& value, const QFont& font, QRectF bounds)
{
    auto object = SKTGraphic::create<SKTText>();
    object->Text_Value = value;
    object->text_ctrl_font = font;
    object->txt_clr = QColor(Qt::darkBlue);
    object->_isDrawingFill = false;
    object->_isDrawingStroke = false;
    object->setBounds(bounds);
    return object;
}

QFont font(const QString& family, double points, bool bold = false)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace

TEST(CardTextPdfTest, TextObjectsAreSearchableTextInEmbeddedFonts)
{
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler's pdftotext and pdffonts are not installed";
    auto name
        = text(QStringLiteral("anna berg"), font(QStringLiteral("Liberation Sans"), 16, true), { 12, 10, 220, 24 });
    name->text_transfrom_case = 3;
    name->text_alignmnet = 2;
    auto address = text(QStringLiteral("Main Street 4\n12345 Springfield"),
        font(QStringLiteral("Liberation Serif"), 10), { 12, 40, 220, 30 });
    auto spaced = text(QStringLiteral("GUEST"), font(QStringLiteral("Liberation Sans"), 9), { 12, 80, 220, 14 });
    spaced->text_kerning = 2.0f;
    spaced->text_alignmnet = 1;
    // A line of 9 points is 10.35 points high: the second line starts below the height.
    auto cut
        = text(QStringLiteral("shown\nnot shown"), font(QStringLiteral("Liberation Sans"), 9), { 12, 100, 220, 10 });
    const CardSideBase base { Card_Property::create(), 0, QRectF(0, 0, 243, 154) };

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("side.pdf"));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(SKTRenderingView::pdfDataWithGraphics_data({ name, address, spaced, cut }, base));
    pdf.close();

    const QStringList lines = PdfTextTools::text(path).split(u'\n', Qt::SkipEmptyParts);
    QStringList shown;
    for (const QString& line : lines) {
        if (!line.simplified().isEmpty())
            shown.append(line.simplified());
    }
    // Letter spacing leaves the word one word; what lies below a text's height is not there.
    EXPECT_EQ(shown.join(u'|').toStdString(), "Anna Berg|Main Street 4|12345 Springfield|GUEST|shown");

    QStringList embedded;
    for (const PdfTextTools::Font& font : PdfTextTools::fonts(path)) {
        if (font.embedded)
            embedded.append(font.name);
    }
    embedded.sort();
    EXPECT_EQ(embedded.join(u' ').toStdString(), "LiberationSans LiberationSans-Bold LiberationSerif");
}
