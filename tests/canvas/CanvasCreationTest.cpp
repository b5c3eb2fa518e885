#include "CanvasTestSupport.h"

#include "model/SKTImage.h"
#include "model/SKTText.h"

using Graphics = SKTDocument::Graphics;
using Indexes = QList<int>;

TEST_F(CanvasTest, MouseCreationTakesItsSizeFromTheDragAndIsOneUndoStep)
{
    addShape({ 200, 100, 10, 10 });
    host.tool = 4;
    drag(*front, { 20, 20 }, { 60, 50 });
    ASSERT_EQ(document.graphics().size(), 2);
    const SKTGraphicPtr created = document.graphics().front();
    EXPECT_TRUE(isExactlyKind(*created, GraphicKind::Shape));
    EXPECT_EQ(created->Get_shape_type(), QStringLiteral("C"));
    EXPECT_EQ(created->bounds(), QRectF(20, 20, 40, 30));
    EXPECT_EQ(front->selectionIndexes(), Indexes { 0 });
    EXPECT_EQ(host.propertiesShownFor.lock(), nullptr);

    front->undo();
    EXPECT_EQ(document.graphics().size(), 1);
}

TEST_F(CanvasTest, MouseCreationWithoutADragLeavesNothing)
{
    host.tool = 3;
    const bool couldUndo = document.undoManager().canUndo();
    click(*front, { 30, 30 });
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(document.undoManager().canUndo(), couldUndo);
    EXPECT_EQ(front->selectedGraphic(), nullptr);
}

TEST_F(CanvasTest, MouseCreationStartsAtTheSnappedPoint)
{
    host.grid()->setConstraining(true);
    host.tool = 1;
    drag(*front, { 13.4, 4.5 }, { 40, 40 });
    ASSERT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(document.graphics().front()->bounds().topLeft(), QPointF(9, 9));
}

TEST_F(CanvasTest, CreationWithoutEventPlacesAtTheNextPositionSnappedByTheGrid)
{
    host.tool = 3;
    host.nextPoint = { 13, 13 };
    auto created = front->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("F"), {}, {});
    ASSERT_TRUE(created);
    EXPECT_EQ(created->bounds(), QRectF(13, 13, 50, 50));
    EXPECT_EQ(created->Get_shape_type(), QStringLiteral("R"));

    host.grid()->setConstraining(true);
    created = front->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("F"), {}, {});
    // (23, 23) snaps to (27, 27), the far corner (73, 73) to (72, 72).
    EXPECT_EQ(created->bounds(), QRectF(27, 27, 45, 45));
    EXPECT_EQ(front->selectedGraphics(), Graphics { created });
    EXPECT_EQ(document.graphics().front(), created);
}

TEST_F(CanvasTest, CreationFromARectangleKeepsItsOriginOnlyWithAnIdentifier)
{
    host.tool = 2;
    auto plain
        = front->createGraphicOfClass(GraphicKind::Text, true, { 100, 100, 80, 20 }, QStringLiteral("F"), {}, {});
    EXPECT_EQ(plain->bounds(), QRectF(10, 10, 80, 20));
    EXPECT_TRUE(plain->_isDrawingFill == SKTGraphic::create<SKTText>()->_isDrawingFill);

    auto named = front->createGraphicOfClass(GraphicKind::Text, true, { 100, 100, 80, 20 }, QStringLiteral("F"),
        QStringLiteral("Ann"), QStringLiteral("Fup_Name"));
    EXPECT_EQ(named->bounds(), QRectF(100, 100, 80, 20));
    EXPECT_EQ(named->Text_Value, QStringLiteral("Ann"));
    EXPECT_FALSE(named->_isDrawingFill);
    EXPECT_FALSE(named->_isDrawingStroke);
    EXPECT_EQ(named->control_ID, QStringLiteral("Fup_Name"));
}

TEST_F(CanvasTest, ToolNumberChoosesPictureKinds)
{
    host.tool = 11;
    auto signature = front->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("F"), {}, {});
    EXPECT_TRUE(isExactlyKind(*signature, GraphicKind::Signature));
    EXPECT_EQ(signature->Sign_Or_FP_Val(), QStringLiteral("S"));
    host.tool = 12;
    auto fingerprint = front->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("F"), {}, {});
    EXPECT_EQ(fingerprint->Sign_Or_FP_Val(), QStringLiteral("F"));
    host.tool = 10;
    EXPECT_TRUE(isExactlyKind(*front->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("F"), {}, {}),
        GraphicKind::Barcode));
    host.tool = 8;
    host.libraryImage = QStringLiteral("/nowhere/missing.png");
    auto image = front->createGraphicOfClass(GraphicKind::Image, false, {}, QStringLiteral("F"), {}, {});
    ASSERT_TRUE(isExactlyKind(*image, GraphicKind::Image));
    // The placeholder shows, the chosen path stays, and the picture keeps its proportions in
    // the box asked for.
    EXPECT_EQ(std::static_pointer_cast<SKTImage>(image)->picture().size(), QSize(40, 30));
    EXPECT_EQ(image->FilePath(), host.libraryImage);
    EXPECT_EQ(image->bounds().size(), QSizeF(50, 37.5));
    EXPECT_EQ(document.graphics().size(), 4);
}

TEST_F(CanvasTest, CreationOnTheBackSideGoesToTheBackList)
{
    host.tool = 3;
    back->createGraphicOfClass(GraphicKind::Shape, false, {}, QStringLiteral("B"), {}, {});
    EXPECT_EQ(document.graphics_back().size(), 1);
    EXPECT_TRUE(document.graphics().isEmpty());
}

TEST_F(CanvasTest, PlacingAValueByIdentifier)
{
    host.tool = 0;
    front->ReplaceGraphicText(GraphicKind::Text, true, { 30, 40, 100, 20 }, QStringLiteral("F"), QStringLiteral("Ann"),
        QStringLiteral("Fup_Name"));
    ASSERT_EQ(document.graphics().size(), 1);
    const SKTGraphicPtr text = document.graphics().front();
    EXPECT_EQ(text->Text_Value, QStringLiteral("Ann"));

    // An empty value changes nothing, and a hidden field stays hidden.
    text->Set_Ctrl_Is_Visible(false);
    front->ReplaceGraphicText(GraphicKind::Text, true, {}, QStringLiteral("F"), {}, QStringLiteral("Fup_Name"));
    EXPECT_EQ(text->Text_Value, QStringLiteral("Ann"));
    EXPECT_FALSE(text->ctrl_is_visible);

    front->ReplaceGraphicText(
        GraphicKind::Text, true, {}, QStringLiteral("F"), QStringLiteral("Bob"), QStringLiteral("Fup_Name"));
    EXPECT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(text->Text_Value, QStringLiteral("Bob"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Bob"));
    EXPECT_TRUE(text->ctrl_is_visible);
    EXPECT_EQ(front->selectedGraphic(), text);
}
