#include "platform/PlacedGlyphs.h"

#include "platform/Picture.h"
#include "support/PdfTextTools.h"
#include "support/ScriptLetters.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>

#include <algorithm>
#include <thread>

#include <gtest/gtest.h>

namespace {

// "Stars" in Liberation Sans, then stars that only DejaVu Sans has.
const QString mixedFaces = QStringLiteral("Stars \u2605\u2605");

// Text laid out at 8 layout units per point, placed at 20 points in from the top left.
QList<PlacedGlyphs> laidOut(const QString& text, double points = 20)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(points * 8));
    font.setHintingPreference(QFont::PreferNoHinting);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine().setPosition(QPointF(0, 0));
    layout.endLayout();
    QList<PlacedGlyphs> placed;
    for (const QGlyphRun& run : layout.lineAt(0).glyphRuns())
        placed.append(PlacedGlyphs::fromRun(run, font, 1.0 / 8, QPointF(20, 20)));
    return placed;
}

Picture recorded(const QList<PlacedGlyphs>& glyphs)
{
    return Picture::record(QSizeF(200, 60), [&](QPainter& painter) {
        painter.setPen(Qt::black);
        for (const PlacedGlyphs& placed : glyphs)
            Picture::drawGlyphs(painter, placed);
    });
}

QSet<QString> families(const QList<PlacedGlyphs>& glyphs)
{
    QSet<QString> names;
    for (const PlacedGlyphs& placed : glyphs)
        names.insert(placed.rawFont().familyName());
    return names;
}

} // namespace

TEST(PlacedGlyphs, RunsKeepTheirFaceSizeAndPlace)
{
    const QList<PlacedGlyphs> glyphs = laidOut(mixedFaces);
    ASSERT_EQ(glyphs.size(), 2);
    EXPECT_EQ(families(glyphs), (QSet<QString> { QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans") }));
    for (const PlacedGlyphs& placed : glyphs)
        EXPECT_DOUBLE_EQ(placed.pixelSize(), 20.0);
    // The first glyph sits at the origin, on a baseline one ascent (0.905 em) below it; an S
    // reaches a little below the baseline.
    const QRectF ink = glyphs.front().outline(glyphs.front().rawFont()).boundingRect();
    EXPECT_NEAR(ink.left(), 20 + 1.0, 1.0);
    EXPECT_NEAR(ink.bottom(), 20 + 0.905 * 20 + 0.6, 0.3);
}

TEST(PlacedGlyphs, GlyphsMadeOnOneThreadAreDrawnOnAnother)
{
    const QImage expected = recorded(laidOut(mixedFaces)).toImage(150, Qt::white);
    // Laid out and recorded on a worker, played here; and the other way round.
    Picture fromWorker;
    QSet<QString> facesOnWorker;
    std::thread([&] {
        const QList<PlacedGlyphs> glyphs = laidOut(mixedFaces);
        facesOnWorker = families(glyphs);
        fromWorker = recorded(glyphs);
    }).join();
    EXPECT_EQ(fromWorker.toImage(150, Qt::white), expected);
    EXPECT_EQ(facesOnWorker, families(laidOut(mixedFaces)));

    const Picture fromHere = recorded(laidOut(mixedFaces));
    QImage playedOnWorker;
    std::thread([&] { playedOnWorker = fromHere.toImage(150, Qt::white); }).join();
    EXPECT_EQ(playedOnWorker, expected);
}

TEST(PlacedGlyphs, CrispPicturesKeepGlyphsTwoColoured)
{
    const QImage image = recorded(laidOut(QStringLiteral("Crisp 0123"))).toImage(300, Qt::white, Picture::Edges::Crisp);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    EXPECT_EQ(colours, (QSet<QRgb> { qRgb(255, 255, 255), qRgb(0, 0, 0) }));
}

TEST(PlacedGlyphs, PdfHoldsThemAsTextInEmbeddedFonts)
{
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler's pdftotext and pdffonts are not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("glyphs.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(recorded(laidOut(mixedFaces)).toPdf());
    file.close();

    EXPECT_EQ(PdfTextTools::text(path).trimmed(), mixedFaces);
    const QList<PdfTextTools::Font> fonts = PdfTextTools::fonts(path);
    ASSERT_EQ(fonts.size(), 2);
    for (const PdfTextTools::Font& font : fonts) {
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
        EXPECT_TRUE(font.mapsToUnicode) << font.name.toStdString();
    }
}

TEST(PlacedGlyphs, TinyAndHugeSizesAndNoGlyphsDrawWithoutHarm)
{
    for (const double points : { 0.1, 4000.0 }) {
        const Picture picture = recorded(laidOut(QStringLiteral("Hg"), points));
        EXPECT_FALSE(picture.toImage(300, Qt::white).isNull()) << points;
        EXPECT_TRUE(picture.toPdf().startsWith("%PDF")) << points;
    }
    const PlacedGlyphs none;
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(none.outline(none.rawFont()).isEmpty());
    EXPECT_EQ(recorded({ none }).toImage(72, Qt::white), recorded({}).toImage(72, Qt::white));
}

TEST(PlacedGlyphs, APictureDrawnIntoAnotherKeepsItsGlyphs)
{
    // As a card's front and back are put together into one picture for export.
    const Picture side = recorded(laidOut(QStringLiteral("Front side")));
    const Picture both = Picture::record(QSizeF(200, 120), [&](QPainter& painter) {
        side.draw(painter, QRectF(0, 60, 200, 60));
    });
    QImage expected(400, 240, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.scale(2, 2);
        side.draw(painter, QRectF(0, 60, 200, 60));
    }
    EXPECT_EQ(both.toImage(144, Qt::white), expected.convertToFormat(QImage::Format_RGB32));
}

TEST(PlacedGlyphs, EveryScriptsFirstLetterIsDrawnOrLeftOut)
{
    // Scripts that no installed font covers (Syriac, Thaana, ...) are shaped by Qt with a
    // stand-in that has no face at all.
    const QStringList letters = firstLetterOfEveryScript();
    ASSERT_GT(letters.size(), 100);
    for (const QString& letter : letters) {
        const QList<PlacedGlyphs> glyphs = laidOut(QStringLiteral("A") + letter);
        for (const PlacedGlyphs& placed : glyphs)
            EXPECT_TRUE(placed.rawFont().isValid()) << letter.toStdString();
        const Picture picture = recorded(glyphs);
        EXPECT_FALSE(picture.toImage(72, Qt::white).isNull()) << letter.toStdString();
        const Picture asText = Picture::record(QSizeF(100, 40), [&](QPainter& painter) {
            painter.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
            Picture::drawText(painter, QPointF(5, 20), letter);
        });
        EXPECT_TRUE(asText.withTextAsGlyphs().toPdf().startsWith("%PDF")) << letter.toStdString();
    }
    // The letters a face has are still drawn.
    const QList<PlacedGlyphs> mixed = laidOut(QStringLiteral("A\u0710"));
    EXPECT_EQ(std::count_if(mixed.begin(), mixed.end(), [](const PlacedGlyphs& glyphs) { return !glyphs.isEmpty(); }),
              1);
}
