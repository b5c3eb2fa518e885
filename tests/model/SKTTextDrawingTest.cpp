#include "model/SKTText.h"

#include "DrawingTestSupport.h"
#include "model/ModelHooks.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

QFont sans(double points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    return font;
}

std::shared_ptr<SKTText> text(const QString& value, QRectF bounds)
{
    auto object = SKTGraphic::create<SKTText>();
    object->Text_Value = value;
    object->text_ctrl_font = sans(20);
    object->txt_clr = QColor(Qt::black);
    object->_isDrawingFill = false;
    object->_isDrawingStroke = false;
    object->setBounds(bounds);
    return object;
}

} // namespace

TEST(SKTTextDrawingTest, TextIsTrimmedAndCaseTransformedButTheStorageKeepsIt)
{
    auto spaced = text(QStringLiteral("  hello  "), {0, 0, 200, 40});
    spaced->text_transfrom_case = 3;
    auto plain = text(QStringLiteral("Hello"), {0, 0, 200, 40});
    EXPECT_EQ(drawObject(*spaced, {200, 40}), drawObject(*plain, {200, 40}));
    EXPECT_EQ(spaced->Text_contents()->string, QStringLiteral("  hello  "));

    auto upper = text(QStringLiteral("hello world"), {0, 0, 200, 40});
    upper->text_transfrom_case = 1;
    auto typedUpper = text(QStringLiteral("HELLO WORLD"), {0, 0, 200, 40});
    EXPECT_EQ(drawObject(*upper, {200, 40}), drawObject(*typedUpper, {200, 40}));
}

TEST(SKTTextDrawingTest, BlankTextDrawsNothingNotEvenItsFill)
{
    int refreshes = 0;
    ModelHooks::setRefreshCanvas([&] { ++refreshes; });
    auto blank = text(QStringLiteral(" \n\t "), {10, 10, 100, 30});
    blank->_isDrawingFill = true;
    blank->_fillColor = QColor(Qt::black);
    EXPECT_FALSE(inkBox(drawObject(*blank, {120, 50})).isValid());
    EXPECT_EQ(refreshes, 0);
    ModelHooks::setRefreshCanvas({});
}

TEST(SKTTextDrawingTest, TextSitsInItsBoundsInItsColourAndSize)
{
    auto object = text(QStringLiteral("HHHH"), {30, 20, 200, 60});
    object->txt_clr = QColor(Qt::red);
    for (const double scale : {1.0, 300.0 / 72.0}) {
        const QImage image = drawObject(*object, {260, 100}, scale);
        QRect red;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80)
                    red |= QRect(x, y, 1, 1);
        ASSERT_TRUE(red.isValid());
        // Capital H of Liberation Sans 20 pt: about 13.8 points tall, starting at the left edge.
        const QRectF inPoints(red.x() / scale, red.y() / scale, red.width() / scale, red.height() / scale);
        EXPECT_NEAR(inPoints.left(), 30 + 1.5, 1.5) << scale;
        EXPECT_NEAR(inPoints.height(), 13.8, 1.0) << scale;
        EXPECT_GT(inPoints.top(), 20);
        EXPECT_LT(inPoints.bottom(), 20 + 25);
    }
}

TEST(SKTTextDrawingTest, AlignmentPlacesTheLineInTheBounds)
{
    auto left = text(QStringLiteral("II"), {0, 0, 200, 40});
    auto right = text(QStringLiteral("II"), {0, 0, 200, 40});
    right->text_alignmnet = 1;
    auto centre = text(QStringLiteral("II"), {0, 0, 200, 40});
    centre->text_alignmnet = 2;
    EXPECT_LT(inkBox(drawObject(*left, {200, 40})).left(), 10);
    EXPECT_GT(inkBox(drawObject(*right, {200, 40})).right(), 190);
    const QRect middle = inkBox(drawObject(*centre, {200, 40}));
    EXPECT_NEAR(middle.center().x(), 100, 3);
}

TEST(SKTTextDrawingTest, WhatDoesNotFitTheHeightIsNotShown)
{
    auto object = text(QStringLiteral("one two three four five six seven"), {0, 0, 60, 30});
    const QImage image = drawObject(*object, {60, 200});
    EXPECT_LE(inkBox(image).bottom(), 30);
}

TEST(SKTTextDrawingTest, EditingFrameOnlyWhileBeingCreated)
{
    auto object = text(QStringLiteral("Text"), {10, 10, 50, 20});
    const QImage image = paint({80, 50}, [&](QPainter& painter) { object->drawContentsInView(painter, true); });
    // A frame one point outside the bounds, and no text inside.
    EXPECT_NE(image.pixel(9, 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(35, 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(SKTTextDrawingTest, NaturalSizeFollowsTheTextAndKerning)
{
    auto object = text(QStringLiteral("Hello"), {5, 5, 500, 10});
    object->Text_contents(); // the storage holds the text in its own font
    const QSizeF natural = object->naturalSize();
    EXPECT_GT(natural.width(), 20);
    EXPECT_LT(natural.width(), 60);
    EXPECT_NEAR(natural.height(), 16.1, 1.5); // one line of Times-metric 14 pt

    object->makeNaturalSize();
    EXPECT_EQ(object->bounds().topLeft(), QPointF(5, 5));
    EXPECT_EQ(object->bounds().size(), natural);

    auto locked = text(QStringLiteral("Hello"), {5, 5, 500, 10});
    locked->ctrl_is_locked = true;
    locked->makeNaturalSize();
    EXPECT_EQ(locked->bounds(), QRectF(5, 5, 500, 10));

    // Height fitting keeps origin and width and wraps at the width.
    auto narrow = text(QStringLiteral("one two three four five"), {0, 0, 40, 5});
    narrow->Text_contents();
    narrow->setHeightToMatchContents();
    EXPECT_EQ(narrow->bounds().width(), 40);
    EXPECT_GT(narrow->bounds().height(), 2 * 15.0);
}

TEST(SKTTextDrawingTest, KerningWidensEveryGap)
{
    auto plain = text(QStringLiteral("IIIII"), {0, 0, 300, 40});
    auto kerned = text(QStringLiteral("IIIII"), {0, 0, 300, 40});
    kerned->text_kerning = 2.0f;
    const int plainWidth = inkBox(drawObject(*plain, {300, 40})).width();
    const int kernedWidth = inkBox(drawObject(*kerned, {300, 40})).width();
    EXPECT_NEAR(kernedWidth - plainWidth, 4 * 2, 1.5);
}

TEST(SKTTextDrawingTest, HugeFontsKeepTheirSize)
{
    auto object = text(QStringLiteral("H"), {0, 0, 1000, 1200});
    object->text_ctrl_font = sans(1000);
    const QRect ink = inkBox(drawObject(*object, {1000, 1200}, 0.1));
    ASSERT_TRUE(ink.isValid());
    // Cap height of Liberation Sans is 0.688 of the size, under an ascent of 0.905.
    EXPECT_NEAR(ink.height() * 10, 688, 15);
    EXPECT_NEAR(ink.bottom() * 10, 905, 15);
}

namespace {

// Bands of consecutive pixel rows that hold ink, top to bottom.
int inkBands(const QImage& image)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = isInk(image.pixel(x, y));
        if (ink && !inBand)
            ++bands;
        inBand = ink;
    }
    return bands;
}

} // namespace

TEST(SKTTextDrawingTest, LineBreaksStartNewLinesInDrawingAndNaturalSize)
{
    auto oneLine = text(QStringLiteral("From:"), { 0, 0, 300, 100 });
    oneLine->Text_contents();
    const QSizeF single = oneLine->naturalSize();
    EXPECT_EQ(inkBands(drawObject(*oneLine, { 300, 100 })), 1);

    const QString breaks[] = { QStringLiteral("\n"), QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator),
        QString(QChar::LineSeparator) };
    for (const QString& lineBreak : breaks) {
        auto object = text(QStringLiteral("From:") + lineBreak + QStringLiteral("Anna Berg"), { 0, 0, 300, 100 });
        const QImage image = drawObject(*object, { 300, 100 });
        EXPECT_EQ(inkBands(image), 2) << lineBreak.toUtf8().toHex().constData();
        // The second line starts at the left edge again, not after "From:".
        EXPECT_LT(inkBox(image).width(), 120);

        object->Text_contents();
        const QSizeF natural = object->naturalSize();
        EXPECT_NEAR(natural.height(), 2 * single.height(), 0.5);
        EXPECT_LT(natural.width(), 100);
        object->setHeightToMatchContents();
        EXPECT_NEAR(object->bounds().height(), 2 * single.height(), 0.5);
    }
}
