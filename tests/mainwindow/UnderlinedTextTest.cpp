#include "ObjectPagesFixture.h"

#include "inspector/TextEditingPage.h"
#include "inspector/TextPropertiesPage.h"
#include "jobs/CardExport.h"
#include "model/CardGlobals.h"
#include "render/SKTRenderingView.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>

namespace {

// Capitals that stand flat on the base line: below it only an underline leaves ink.
const QString flatCapitals = QStringLiteral("TIMELINE");
const QRectF textBox(20, 30, 200, 60);

QFont underlinedAndStruck()
{
    QFont font(QStringLiteral("Liberation Sans"), 36);
    font.setUnderline(true);
    font.setStrikeOut(true);
    return font;
}

// Where the font draws its lines, in points on the card: the middle of the underline below
// the base line and of the strikeout above it.
struct LineRows
{
    double underline;
    double strikeout;
};

// The font's metrics in points of the card, whatever the screen's resolution.
QFontMetricsF inPoints(QFont font)
{
    font.setPixelSize(int(font.pointSize()));
    return QFontMetricsF(font);
}

LineRows lineRows(const QFont& font)
{
    const QFontMetricsF metrics = inPoints(font);
    const double baseLine = textBox.top() + metrics.ascent();
    return { baseLine + metrics.underlinePos(), baseLine - metrics.strikeOutPos() };
}

// The share of the text's width that is dark on the row at y (in points), in a picture of
// the card at pixelsPerPoint.
double darkShare(const QImage& picture, double pixelsPerPoint, double y, double textWidth)
{
    const int row = int(y * pixelsPerPoint);
    const int left = int(textBox.left() * pixelsPerPoint), right = int((textBox.left() + textWidth) * pixelsPerPoint);
    int dark = 0;
    for (int x = left; x < right; ++x) {
        const QRgb pixel = picture.pixel(x, row);
        dark += qAlpha(pixel) > 128 && qGray(pixel) < 128;
    }
    return double(dark) / std::max(1, right - left);
}

} // namespace

// Underline and strikeout chosen in the font dialog are drawn at the font's own place and
// thickness on the canvas and in an export, and the saved design keeps them.
TEST_F(ObjectPagesTest, UnderlineAndStrikeoutShowOnTheCanvasInAnExportAndAfterReopening)
{
    SKTWindowController& main = startShown();
    const SKTGraphicPtr text = place(2);
    ASSERT_NE(text, nullptr);
    text->setBounds(textBox);
    choose(inspector().text_prop_tab->Text_align_combo, 0); // from the box's left edge
    TextEditingPage& words = *inspector().text_edtng_tab;
    words.Text_value_Edit->setPlainText(flatCapitals);
    words.changeTextFont(QFont(QStringLiteral("Liberation Sans"), 36));
    // Nothing selected: no handles over the text.
    main.currentCanvas()->changeSelectionIndexes({});
    const double zoom = main.currentCanvas()->zoomFactor();
    const double width = inPoints(underlinedAndStruck()).horizontalAdvance(flatCapitals);
    const LineRows rows = lineRows(underlinedAndStruck());
    const QImage plain = canvasPicture();
    EXPECT_LT(darkShare(plain, zoom, rows.underline, width), 0.05);
    EXPECT_LT(darkShare(plain, zoom, rows.strikeout, width), 0.6);

    selectAllShowing(text);
    words.changeTextFont(underlinedAndStruck());
    main.currentCanvas()->changeSelectionIndexes({});
    const QImage lined = canvasPicture();
    EXPECT_GT(darkShare(lined, zoom, rows.underline, width), 0.9);
    EXPECT_GT(darkShare(lined, zoom, rows.strikeout, width), 0.9);

    const auto exported = [&] {
        const QRectF card(QPointF(0, 0), main.currentCanvas()->cardSize());
        const Picture side = SKTRenderingView::image_From_Card_Graphics(
            main.Get_Front_Controls_Array(), false, { main.Front_card_Prop, Card_Shape.load(), card });
        return QImage::fromData(encodeCardPicture(side, 144, QStringLiteral("png")), "PNG");
    };
    const QImage png = exported();
    EXPECT_GT(darkShare(png, 2, rows.underline, width), 0.9);
    EXPECT_GT(darkShare(png, 2, rows.strikeout, width), 0.9);

    ASSERT_EQ(saveAndOpenAgain(main, QStringLiteral("lined.dcard")), 1);
    ASSERT_EQ(main.Get_Front_Control_Count(), 1);
    const std::optional<QFont> reopened = main.Get_Front_Controls_Array().front()->text_ctrl_font;
    ASSERT_TRUE(reopened.has_value());
    EXPECT_TRUE(reopened->underline());
    EXPECT_TRUE(reopened->strikeOut());
    main.currentCanvas()->changeSelectionIndexes({});
    const QImage again = canvasPicture();
    EXPECT_GT(darkShare(again, zoom, rows.underline, width), 0.9);
    EXPECT_GT(darkShare(again, zoom, rows.strikeout, width), 0.9);
    EXPECT_GT(darkShare(exported(), 2, rows.underline, width), 0.9);
}
