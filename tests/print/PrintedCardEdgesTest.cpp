#include "print/Printing_View.h"

#include "PdfTools.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "render/CardBasePainter.h"
#include "render/SKTRenderingView.h"

#include <QPainter>
#include <QTemporaryDir>

#include <array>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

// A name badge after its card was made smaller: the header, 288 points wide, reaches past
// both edges of a card 255 points wide.
const QRectF badge(0, 0, 255, 162);
constexpr double dpi = 144;
constexpr double pixelsPerPoint = dpi / 72;

std::shared_ptr<Shape_Control> bar(const QRectF& bounds, const QColor& fill)
{
    auto object = SKTGraphic::create<Shape_Control>();
    object->setBounds(bounds);
    object->_fillColor = fill;
    object->_isDrawingStroke = false;
    return object;
}

CardSideBase base(const QColor& fill, int cardShape)
{
    auto settings = Card_Property::create();
    settings->Card_fill_chk = true;
    settings->Card_fill_style = QStringLiteral("S");
    settings->Card_fill_clr = fill;
    return { settings, cardShape, badge };
}

// Card index's side: its header at a height of its own, so that a header running into the
// next cell shows there where that card has none.
Picture side(int index, const QColor& baseColour, const QColor& header, int cardShape)
{
    const double top = 20 + 30 * index;
    const QList<SKTGraphicPtr> objects { bar(QRectF(-16.5, top, 288, 24), header),
        bar(QRectF(200, top + 40, 120, 12), header), bar(QRectF(-60, top + 60, 100, 12), header) };
    return SKTRenderingView::image_From_Card_Graphics(objects, true, base(baseColour, cardShape));
}

PrintCellCards card(int index, int cardShape)
{
    return { side(index, Qt::blue, Qt::green, cardShape), side(index, Qt::red, Qt::yellow, cardShape) };
}

// The colour a pixel is meant to have, when it clearly has one: none on an edge, where
// smoothing mixes colours differently from one renderer to another.
enum class Ink : char
{
    White,
    Blue,
    Red,
    Green,
    Yellow,
    Mixed
};

Ink inkOf(QRgb pixel)
{
    static const std::array<std::pair<QRgb, Ink>, 5> inks { { { qRgb(255, 255, 255), Ink::White },
        { qRgb(0, 0, 255), Ink::Blue }, { qRgb(255, 0, 0), Ink::Red }, { qRgb(0, 255, 0), Ink::Green },
        { qRgb(255, 255, 0), Ink::Yellow } } };
    for (const auto& [colour, ink] : inks) {
        if (std::abs(qRed(pixel) - qRed(colour)) < 40 && std::abs(qGreen(pixel) - qGreen(colour)) < 40
            && std::abs(qBlue(pixel) - qBlue(colour)) < 40)
            return ink;
    }
    return Ink::Mixed;
}

// The ink of every pixel, row after row.
std::vector<Ink> inksOf(const QImage& image)
{
    std::vector<Ink> inks;
    inks.reserve(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            inks.push_back(inkOf(line[x]));
    }
    return inks;
}

// The ink of each pixel whose neighbours all share it; Mixed near any edge.
std::vector<Ink> settledInks(const QImage& image)
{
    const std::vector<Ink> inks = inksOf(image);
    std::vector<Ink> settled(inks.size(), Ink::Mixed);
    const int w = image.width(), h = image.height();
    for (int y = 2; y < h - 2; ++y) {
        for (int x = 2; x < w - 2; ++x) {
            const Ink ink = inks[size_t(y * w + x)];
            bool same = true;
            for (int dy = -2; dy <= 2 && same; ++dy)
                for (int dx = -2; dx <= 2 && same; ++dx)
                    same = inks[size_t((y + dy) * w + x + dx)] == ink;
            if (same)
                settled[size_t(y * w + x)] = ink;
        }
    }
    return settled;
}

QRectF pixelsOf(const QRectF& points)
{
    return QRectF(points.topLeft() * pixelsPerPoint, points.size() * pixelsPerPoint);
}

// Pixels of the sheet that differ from what the card placed there shows on its own (its
// corners off a rounded or elliptic card white), and pixels off every card that are not
// white; 0 when every cell holds its card and nothing else. The cards' own edges are left
// out: renderers smooth them differently.
int strayPixels(const QImage& sheet, const PrintSettings& s, int cardShape)
{
    QImage expected(sheet.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    QList<QRectF> places;
    for (int row = 1; row <= s.Print_Row; ++row) {
        for (int column = 1; column <= s.Print_Col; ++column) {
            const PrintCellCards cards = card(cardIndex(s, 0, row, column), cardShape);
            const CellPlacement placed = placeCell(s, row, column, badge.size());
            painter.drawImage(pixelsOf(placed.front).topLeft(), cards.front.toImage(dpi, Qt::white));
            places.append(pixelsOf(placed.front));
            if (placed.back) {
                painter.drawImage(pixelsOf(*placed.back).topLeft(), cards.back.toImage(dpi, Qt::white));
                places.append(pixelsOf(*placed.back));
            }
        }
    }
    painter.setPen(QPen(Qt::magenta, 2));
    painter.setBrush(Qt::NoBrush);
    for (const QRectF& place : places)
        painter.drawPath(CardBasePainter::cardOutline(place, cardShape));
    painter.end();
    const std::vector<Ink> meant = settledInks(expected);
    const std::vector<Ink> printed = inksOf(sheet);
    int stray = 0;
    for (size_t i = 0; i < meant.size(); ++i)
        stray += meant[i] != Ink::Mixed && printed[i] != meant[i];
    return stray;
}

PrintSettings gridWithoutGaps(const QString& sides)
{
    PrintSettings s;
    s.paper = QSizeF(595.276, 841.89);
    s.Left_Mar = s.Rite_Mar = s.Top_Mar = s.Bot_Mar = 20;
    s.Print_Card_Side = sides;
    s.Print_Card_Algn = backBeside;
    s.Print_Row = 2;
    s.Print_Col = sides == sideBoth ? 1 : 2;
    s.label_width = float(badge.width() * (sides == sideBoth ? 2 : 1));
    s.label_hight = float(badge.height());
    s.Total_Label = s.Total_Label_Real = 4;
    return s;
}

} // namespace

TEST(PrintedCardEdges, EveryCellHoldsItsCardCutToTheCardsShapeAndNothingElse)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    QTemporaryDir dir;
    for (const QString& sides : { sideFront, sideBoth }) {
        for (int cardShape : { 0, 1, 2 }) {
            SCOPED_TRACE(QStringLiteral("side %1, card shape %2").arg(sides).arg(cardShape).toStdString());
            PrintSettings s = gridWithoutGaps(sides);
            const Printing_View job(s, [&](int index) { return card(index, cardShape); });
            const QString pdf = dir.filePath(QStringLiteral("badges-%1-%2.pdf").arg(sides).arg(cardShape));
            ASSERT_TRUE(job.printToPdf(pdf));
            const QImage sheet = PdfTools::page(pdf, 1, int(dpi)).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(sheet.isNull());
            EXPECT_EQ(strayPixels(sheet, s, cardShape), 0);
        }
    }
}

TEST(PrintedCardEdges, TextAndBarsCutAtTheCardsEdgeStayTextAndVectors)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    auto name = SKTGraphic::create<SKTText>();
    name->Text_Value = QStringLiteral("Wilhelmina Overhanging");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(14);
    name->text_ctrl_font = font;
    name->txt_clr = QColor(Qt::black);
    name->setBounds({ 150, 60, 200, 30 }); // its last word runs off the card
    const Picture front = SKTRenderingView::image_From_Card_Graphics(
        { name, bar(QRectF(-16.5, 10, 288, 24), Qt::green) }, true, base(Qt::white, 2));
    PrintSettings s = gridWithoutGaps(sideFront);
    const Printing_View job(s, [&](int) { return PrintCellCards { front.withTextAsGlyphs(), {} }; });
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("text.pdf"));
    ASSERT_TRUE(job.printToPdf(pdf));
    EXPECT_TRUE(PdfTools::text(pdf, 1).contains(QStringLiteral("Wilhelmina"))) << PdfTools::text(pdf, 1).toStdString();
    EXPECT_TRUE(PdfTools::imageObjects(pdf).isEmpty()) << "clipping drew the card as a picture";
}

namespace {

// Pixels of image in area (in points) that lie clearly off the outline of the card placed
// at place and are not blank.
int inkOffTheCard(const QImage& image, const QRectF& place, const QRectF& area, int cardShape,
    const std::function<bool(QRgb)>& blank)
{
    const QPainterPath outline = CardBasePainter::cardOutline(place, cardShape);
    const QRect around = pixelsOf(area).toRect().intersected(image.rect());
    int ink = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            const QPointF point = QPointF(x + 0.5, y + 0.5) / pixelsPerPoint;
            const bool clearlyOff = !outline.intersects(QRectF(point - QPointF(1, 1), QSizeF(2, 2)));
            ink += clearlyOff && !blank(image.pixel(x, y));
        }
    }
    return ink;
}

} // namespace

// A name running off a rounded card and a bar over its corner are cut to the card's shape,
// on paper and in an exported picture alike.
TEST(PrintedCardEdges, ObjectsAcrossARoundedCardsEdgeAreCutToItsShapeInPrintAndExport)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    auto name = SKTGraphic::create<SKTText>();
    name->Text_Value = QStringLiteral("Wilhelmina Overhanging");
    name->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 14);
    name->txt_clr = QColor(Qt::black);
    name->setBounds({ 150, 60, 200, 30 });
    constexpr int rounded = 1;
    const Picture front = SKTRenderingView::image_From_Card_Graphics(
        { name, bar(QRectF(-16.5, 2, 100, 24), Qt::green) }, true, base(Qt::blue, rounded));
    const QPointF inTheBar = QPointF(40, 14) * pixelsPerPoint;

    const QImage exported = QImage::fromData(front.toPng(dpi), "PNG");
    ASSERT_FALSE(exported.isNull());
    EXPECT_EQ(inkOf(exported.pixel(inTheBar.toPoint())), Ink::Green);
    EXPECT_EQ(inkOffTheCard(exported, badge, badge, rounded, [](QRgb pixel) { return qAlpha(pixel) == 0; }), 0);

    const PrintSettings s = gridWithoutGaps(sideFront);
    const Printing_View job(s, [&](int) { return PrintCellCards { front.withTextAsGlyphs(), {} }; });
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rounded.pdf"));
    ASSERT_TRUE(job.printToPdf(pdf));
    const QImage sheet = PdfTools::page(pdf, 1, int(dpi)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(sheet.isNull());
    const QRectF place = placeCell(s, 1, 1, badge.size()).front;
    EXPECT_EQ(inkOf(sheet.pixel((inTheBar + pixelsOf(place).topLeft()).toPoint())), Ink::Green);
    EXPECT_TRUE(PdfTools::text(pdf, 1).contains(QStringLiteral("Wilhelmina")));
    // The cell and the paper's margins above and to its left; other cards lie right and below.
    EXPECT_EQ(inkOffTheCard(sheet, place, place.adjusted(-10, -10, 0, 0), rounded,
                  [](QRgb pixel) { return inkOf(pixel) == Ink::White; }),
        0);
}
