#include "model/SKTDocument.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>

namespace {

SKTGraphicPtr shapeAt(double x, double y)
{
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->setBounds(QRectF(x, y, 20, 10));
    return shape;
}

} // namespace

TEST(SKTDocument, FrontInsertionAndRemovalUndoAndRedo)
{
    SKTDocument document;
    auto a = shapeAt(0, 0);
    auto b = shapeAt(30, 0);
    document.insertGraphics({a, b}, {0, 1});
    document.undoManager().checkpoint();
    ASSERT_EQ(document.graphics().size(), 2);
    EXPECT_EQ(a->_scriptingContainer, &document);

    document.removeGraphicsAtIndexes({0});
    document.undoManager().checkpoint();
    EXPECT_EQ(document.graphics(), SKTDocument::Graphics({b}));
    EXPECT_EQ(a->_scriptingContainer, nullptr);

    document.undoManager().undo();
    EXPECT_EQ(document.graphics(), SKTDocument::Graphics({a, b}));
    document.undoManager().undo();
    EXPECT_TRUE(document.graphics().isEmpty());
    document.undoManager().redo();
    EXPECT_EQ(document.graphics(), SKTDocument::Graphics({a, b}));
}

TEST(SKTDocument, PropertyChangesUndoToTheirFirstValueInTheGroup)
{
    SKTDocument document;
    auto shape = shapeAt(0, 0);
    document.insertGraphics({shape}, {0});
    document.undoManager().checkpoint();

    shape->setBounds(QRectF(5, 5, 20, 10));
    shape->setBounds(QRectF(9, 9, 20, 10));
    shape->setFillColor(Qt::blue);
    document.undoManager().checkpoint();

    document.undoManager().undo();
    EXPECT_EQ(shape->bounds(), QRectF(0, 0, 20, 10));
    EXPECT_EQ(shape->_fillColor, QColor(Qt::white));
    document.undoManager().redo();
    EXPECT_EQ(shape->bounds(), QRectF(9, 9, 20, 10));
    EXPECT_EQ(shape->_fillColor, QColor(Qt::blue));
}

TEST(SKTDocument, ADragOfManyMovesIsOneUndoStep)
{
    SKTDocument document;
    auto shape = shapeAt(0, 0);
    document.insertGraphics({shape}, {0});
    document.undoManager().checkpoint();

    document.undoManager().beginGroup();
    for (int step = 1; step <= 30; ++step) {
        shape->setBounds(QRectF(step, step * 2, 20, 10));
        document.undoManager().checkpoint(); // each mouse event ends a turn of the event loop
    }
    document.undoManager().endGroup();

    document.undoManager().undo();
    EXPECT_EQ(shape->bounds(), QRectF(0, 0, 20, 10));
    ASSERT_TRUE(document.undoManager().canUndo()); // the insertion is the step before
    document.undoManager().redo();
    EXPECT_EQ(shape->bounds(), QRectF(30, 60, 20, 10));
}

TEST(SKTDocument, UndoingAnInsertionDiscardsChangesMadeInTheSameGroup)
{
    SKTDocument document;
    auto shape = shapeAt(0, 0);
    document.insertGraphics({shape}, {0});
    shape->setBounds(QRectF(40, 40, 20, 10));
    document.undoManager().checkpoint();
    document.undoManager().undo();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canUndo());
}

TEST(SKTDocument, EachSideHasItsOwnHistoryAndTheScratchSideNone)
{
    using Side = SKTDocument::Side;
    SKTDocument document;
    auto front = shapeAt(0, 0);
    auto back = shapeAt(0, 0);
    document.insertGraphics({ front }, { 0 });
    document.insertGraphicsOnSide(Side::Back, { back }, { 0 });
    document.undoManager(Side::Back).checkpoint();
    back->setBounds(QRectF(10, 10, 20, 10));
    document.undoManager(Side::Back).checkpoint();
    document.insertGraphicsOnSide(Side::Temp, { shapeAt(1, 1) }, { 0 });
    document.undoManager(Side::Temp).checkpoint();
    EXPECT_FALSE(document.undoManager(Side::Temp).canUndo());

    // The back's move, then its insertion; the front's insertion stays.
    document.undoManager(Side::Back).undo();
    EXPECT_EQ(back->bounds(), shapeAt(0, 0)->bounds());
    document.undoManager(Side::Back).undo();
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_FALSE(document.undoManager(Side::Back).canUndo());
    EXPECT_EQ(document.graphics().size(), 1);
    EXPECT_TRUE(document.undoManager(Side::Front).canUndo());
    EXPECT_FALSE(document.isUndoClean());
    document.undoManager(Side::Back).redo();
    document.undoManager(Side::Back).redo();
    EXPECT_EQ(back->bounds(), QRectF(10, 10, 20, 10));
    document.setUndoClean();
    EXPECT_TRUE(document.isUndoClean());
}

TEST(SKTDocument, ClearingUndoEmptiesTheFrontAndKeepsTheOtherSides)
{
    SKTDocument document;
    document.insertGraphics({shapeAt(0, 0), shapeAt(5, 5)}, {0, 1});
    document.insertGraphicsOnSide(SKTDocument::Side::Back, {shapeAt(1, 1)}, {0});
    document.insertGraphicsOnSide(SKTDocument::Side::Temp, {shapeAt(2, 2)}, {0});
    document.Clear_All_Undo_Redo();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(document.graphics_back().size(), 1);
    EXPECT_EQ(document.graphics_temp().size(), 1);
    EXPECT_FALSE(document.undoManager().canUndo());
    EXPECT_FALSE(document.undoManager(SKTDocument::Side::Back).canUndo());
    EXPECT_FALSE(document.undoManager().canRedo());
    EXPECT_TRUE(document.undoManager().isRegistrationEnabled());
}

TEST(SKTDocument, RegistrationOffRecordsNothing)
{
    SKTDocument document;
    document.Enable_Disable_Undo_Registraion(false);
    auto shape = shapeAt(0, 0);
    document.insertGraphics({shape}, {0});
    shape->setBounds(QRectF(3, 3, 3, 3));
    document.Enable_Disable_Undo_Registraion(true);
    document.undoManager().checkpoint();
    EXPECT_FALSE(document.undoManager().canUndo());
}

TEST(SKTDocument, CanvasSizeAndDocumentData)
{
    EXPECT_EQ(SKTDocument::canvasSize(true, QSizeF(300, 200)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(false, QSizeF(300, 200)), QSizeF(300, 200));

    SKTDocument document;
    document.insertGraphics({shapeAt(0, 0), SKTGraphic::create<SKTText>()}, {0, 1});
    document.insertGraphicsOnSide(SKTDocument::Side::Back, {shapeAt(1, 1)}, {0});
    const QByteArray data = document.dataOfType(SKTDocumentOldTypeName);
    const PlistValue root = PropertyList::read(data);
    ASSERT_TRUE(root.isDict());
    EXPECT_EQ(root.toDict().find(QStringLiteral("version"))->toInteger(), 2);
    const PlistValue* graphics = root.toDict().find(QStringLiteral("graphics"));
    ASSERT_TRUE(graphics && graphics->isArray());
    EXPECT_EQ(graphics->toArray().size(), 2u); // the front side only

    QString error;
    EXPECT_TRUE(document.dataOfType(QStringLiteral("public.jpeg"), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
