#include "model/SKTGraphicPasteboard.h"

#include "GraphicFields.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/PropertyList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <typeinfo>

#include <gtest/gtest.h>

namespace {

SKTGraphicPasteboard::Graphics oneOfEveryKind()
{
    SKTGraphicPasteboard::Graphics graphics = {
        SKTGraphic::create<Shape_Control>(), SKTGraphic::create<SKTLine>(), SKTGraphic::create<SKTText>(),
        SKTGraphic::create<SKTImage>(),      SKTGraphic::create<SKTSignature>(), SKTGraphic::create<SKTBarcode>(),
    };
    for (const auto& graphic : graphics)
        fillEveryField(*graphic);
    return graphics;
}

void expectSameObjects(const SKTGraphicPasteboard::Graphics& expected, const SKTGraphicPasteboard::Graphics& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(typeid(*expected[i]), typeid(*actual[i]));
        expectSameFields(*expected[i], *actual[i]);
    }
}

} // namespace

TEST(SKTGraphicPasteboard, EveryKindComesBackWithEveryField)
{
    const auto graphics = oneOfEveryKind();
    const QByteArray data = SKTGraphicPasteboard::pasteboardDataWithGraphics(graphics);
    SKTError error;
    expectSameObjects(graphics, SKTGraphicPasteboard::graphicsWithPasteboardData(data, &error));
    EXPECT_EQ(error.code, 0);
}

TEST(SKTGraphicPasteboard, ThroughTheSystemClipboard)
{
    const auto graphics = oneOfEveryKind();
    SKTGraphicPasteboard::writeToClipboard(graphics);
    ASSERT_TRUE(SKTGraphicPasteboard::clipboardHasGraphics());
    expectSameObjects(graphics, SKTGraphicPasteboard::readFromClipboard());
}

TEST(SKTGraphicPasteboard, DataThatIsNotAnArrayOfArchivesIsRefused)
{
    SKTError error;
    PlistDict dict;
    dict.insert(QStringLiteral("graphics"), PlistValue(PlistArray{}));
    const QByteArray dictionaryRoot = PropertyList::write(PlistValue(dict), PropertyList::Format::Binary);
    EXPECT_TRUE(SKTGraphicPasteboard::graphicsWithPasteboardData(dictionaryRoot, &error).isEmpty());
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.domain, QStringLiteral("SketchErrorDomain"));
    EXPECT_FALSE(error.description.isEmpty());

    error = {};
    EXPECT_TRUE(SKTGraphicPasteboard::graphicsWithPasteboardData("garbage \x01\x02", &error).isEmpty());
    EXPECT_EQ(error.code, 2);

    // Garbage on the clipboard under our format pastes nothing.
    auto* mime = new QMimeData;
    mime->setData(SKTGraphicViewPasteboardType, QByteArray("bplist00\xff\xff\xff", 11));
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_TRUE(SKTGraphicPasteboard::readFromClipboard().isEmpty());
}

TEST(SKTGraphicPasteboard, UnreadableElementsAreDroppedAndTheRestPasted)
{
    const auto graphics = oneOfEveryKind();
    PlistArray archives = SKTGraphicPasteboard::propertiesWithGraphics(graphics);
    archives.insert(archives.begin() + 1, PlistValue(QByteArray("not an archive")));
    archives.emplace_back(QStringLiteral("a string, not data"));
    const auto pasted = SKTGraphicPasteboard::graphicsWithProperties(archives);
    expectSameObjects(graphics, pasted);
}

TEST(SKTGraphicPasteboard, PlacingPutsTheFirstAtThePointAndTheRestAtTheCascade)
{
    auto graphics = oneOfEveryKind();
    graphics = graphics.mid(0, 3);
    for (const auto& graphic : graphics)
        graphic->ctrl_is_locked = false;
    graphics[1]->ctrl_is_locked = true;
    const QRectF lockedBounds = graphics[1]->bounds();
    int asked = 0;
    SKTGraphicPasteboard::Paste_Location_Of_Graphics(graphics, 50, 60, QStringLiteral("F"),
                                                     [&asked](const QString& side) {
                                                         EXPECT_EQ(side, QStringLiteral("F"));
                                                         ++asked;
                                                         return QPointF(10.0 * asked, 20.0 * asked);
                                                     });
    EXPECT_EQ(graphics[0]->bounds().topLeft(), QPointF(50, 60));
    EXPECT_EQ(graphics[1]->bounds(), lockedBounds);
    EXPECT_EQ(graphics[2]->bounds().topLeft(), QPointF(20, 40));
    EXPECT_EQ(asked, 2); // asked once per later object, placed or not
}
