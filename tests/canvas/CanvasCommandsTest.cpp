#include "CanvasTestSupport.h"

#include "../model/GraphicFields.h"
#include "model/SKTGraphicPasteboard.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

#include <QClipboard>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>

using Graphics = SKTDocument::Graphics;
using Indexes = QList<int>;

TEST_F(CanvasTest, CopyOnFrontPasteOnBackKeepsEveryFieldAndPositionThenCascades)
{
    auto original = SKTGraphic::create<SKTText>();
    fillEveryField(*original);
    original->ctrl_is_locked = false;
    document.insertGraphicsOnSide(Side::Front, { original }, { 0 });
    front->selectAll();
    front->copy();
    EXPECT_EQ(host.pasteStatusCount, 1);

    Card_Front_Or_Back = 1;
    back->paste();
    ASSERT_EQ(document.graphics_back().size(), 1);
    const SKTGraphicPtr pasted = document.graphics_back().front();
    EXPECT_NE(pasted, original);
    expectSameFields(*original, *pasted);
    EXPECT_EQ(host.newPointCount, 0);

    // The same contents again on the back: at the next position, in front, selected.
    back->paste();
    ASSERT_EQ(document.graphics_back().size(), 2);
    EXPECT_GE(host.newPointCount, 1);
    EXPECT_EQ(document.graphics_back().front()->bounds().topLeft(), QPointF(10, 10));
    EXPECT_EQ(back->selectionIndexes(), Indexes { 0 });
}

TEST_F(CanvasTest, PasteOnTheCopyingCanvasGoesToTheNextPosition)
{
    auto a = addShape({ 100, 80, 30, 20 });
    front->selectAll();
    front->copy();
    front->paste();
    ASSERT_EQ(document.graphics().size(), 2);
    EXPECT_EQ(document.graphics().front()->bounds(), QRectF(10, 10, 30, 20));
    EXPECT_EQ(front->selectionIndexes(), Indexes { 0 });
    // One undo step removes the paste.
    document.undoManager().checkpoint();
    front->undo();
    EXPECT_EQ(document.graphics(), Graphics { a });
}

TEST_F(CanvasTest, LockedSelectionRefusesCopyCutDeleteAndRestacking)
{
    auto a = addShape({ 10, 10, 20, 20 });
    auto locked = addShape({ 60, 10, 20, 20 });
    locked->ctrl_is_locked = true;
    QGuiApplication::clipboard()->clear();
    front->selectAll();
    front->copy();
    front->cut();
    front->deleteSelection();
    front->bringToFront();
    front->sendToBack();
    EXPECT_EQ(dialogs->messages().size(), 5u);
    EXPECT_EQ(dialogs->messages().front(), QStringLiteral("\nSelected control is locked."));
    EXPECT_EQ(document.graphics(), (Graphics { locked, a }));
    EXPECT_FALSE(SKTGraphicPasteboard::clipboardHasGraphics());
}

TEST_F(CanvasTest, BadClipboardDataChangesNothing)
{
    auto* data = new QMimeData;
    data->setData(SKTGraphicViewPasteboardType, QByteArray("not a property list"));
    QGuiApplication::clipboard()->setMimeData(data);
    front->paste();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(dialogs->messages().size(), 1u);
}

TEST_F(CanvasTest, PictureFromAnotherProgramBecomesAnImageFileAtFiftyFifty)
{
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    front->paste();
    ASSERT_EQ(document.graphics().size(), 1);
    const SKTGraphicPtr image = document.graphics().front();
    EXPECT_TRUE(isExactlyKind(*image, GraphicKind::Image));
    EXPECT_EQ(image->bounds(), QRectF(50, 50, 30, 20));
    EXPECT_EQ(front->selectionIndexes(), Indexes { 0 });
    const QString path = image->FilePath();
    EXPECT_TRUE(path.startsWith(Resource_Path + QStringLiteral("/")));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    const QImage stored = reader.read();
    EXPECT_EQ(stored.size(), QSize(30, 20));
    EXPECT_EQ(stored.pixelColor(5, 5), QColor(Qt::red));
}

TEST_F(CanvasTest, FileNamesAndNonPicturesPasteNothing)
{
    auto* files = new QMimeData;
    files->setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/a.png")) });
    QGuiApplication::clipboard()->setMimeData(files);
    front->paste();
    QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
    front->paste();
    EXPECT_TRUE(document.graphics().isEmpty());
}

TEST_F(CanvasTest, RestackingKeepsTheBlockInOrder)
{
    Graphics shapes;
    for (int i = 0; i < 7; ++i)
        shapes.prepend(addShape({ double(10 * i), 10, 5, 5 }));
    const SKTGraphicPtr third = shapes[3], fifth = shapes[5];
    front->changeSelectionIndexes({ 3, 5 });
    front->bringToFront();
    EXPECT_EQ(document.graphics()[0], third);
    EXPECT_EQ(document.graphics()[1], fifth);
    EXPECT_EQ(front->selectionIndexes(), (Indexes { 0, 1 }));
    front->sendToBack();
    EXPECT_EQ(document.graphics()[5], third);
    EXPECT_EQ(document.graphics()[6], fifth);
    EXPECT_EQ(front->selectionIndexes(), (Indexes { 5, 6 }));
}

TEST_F(CanvasTest, AlignmentSkipsLockedObjectsAndUsesTheFrontMostAsReference)
{
    auto third = addShape({ 70, 70, 10, 10 });
    auto second = addShape({ 50, 50, 10, 10 });
    auto first = addShape({ 20, 30, 40, 40 });
    second->ctrl_is_locked = true;
    front->selectAll();
    front->alignLeftEdges();
    EXPECT_EQ(third->bounds(), QRectF(20, 70, 10, 10));
    EXPECT_EQ(second->bounds(), QRectF(50, 50, 10, 10));
    EXPECT_EQ(first->bounds(), QRectF(20, 30, 40, 40));
    front->alignRightEdges();
    EXPECT_EQ(third->bounds().right(), first->bounds().right());
    front->alignVerticalCenters();
    EXPECT_EQ(third->bounds().center().y(), first->bounds().center().y());

    // A locked single selection: nothing moves and the buttons are not refreshed.
    front->changeSelectionIndexes({ 1 });
    const int refreshed = host.undoRedoStateCount;
    front->alignLeftEdges();
    EXPECT_EQ(second->bounds(), QRectF(50, 50, 10, 10));
    EXPECT_EQ(host.undoRedoStateCount, refreshed);
}

TEST_F(CanvasTest, SingleObjectAlignsToTheCard)
{
    auto a = addShape({ 20, 30, 40, 20 });
    front->selectAll();
    front->alignRightEdges();
    EXPECT_EQ(a->bounds(), QRectF(243 - 40, 30, 40, 20));
    front->alignHorizontalCenters();
    EXPECT_EQ(a->bounds().x(), (243 - 40) / 2.0);
    front->alignBottomEdges();
    EXPECT_EQ(a->bounds().y(), 154 - 20);
    front->alignTopEdges();
    EXPECT_EQ(a->bounds().y(), 0);
}

TEST_F(CanvasTest, CentringSeveralObjectsCentresEveryUnlockedOne)
{
    auto locked = addShape({ 1, 1, 10, 10 });
    auto b = addShape({ 5, 5, 20, 30 });
    auto a = addShape({ 100, 100, 40, 20 });
    locked->ctrl_is_locked = true;
    front->selectAll();
    front->alignformCenter();
    EXPECT_EQ(a->bounds().center(), QPointF(121.5, 77));
    EXPECT_EQ(b->bounds().center(), QPointF(121.5, 77));
    EXPECT_EQ(locked->bounds(), QRectF(1, 1, 10, 10));
}

TEST_F(CanvasTest, SameSizeNaturalSizeGridAlignmentAndPrintFlag)
{
    auto locked = addShape({ 0, 0, 5, 5 });
    auto b = addShape({ 50, 50, 10, 30 });
    auto a = addShape({ 20, 20, 40, 20 });
    locked->ctrl_is_locked = true;

    front->changeSelectionIndexes({ 0 });
    front->makeSameWidth();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 40, 20));

    front->selectAll();
    front->makeSameWidth();
    front->makeSameHeight();
    EXPECT_EQ(b->bounds(), QRectF(50, 50, 40, 20));
    EXPECT_EQ(locked->bounds(), QRectF(0, 0, 5, 5));

    front->print_contol_or_not(1);
    EXPECT_EQ(a->print_object, 1);
    EXPECT_EQ(locked->print_object, 0);

    b->setBounds({ 4, 4, 3, 3 });
    front->changeSelectionIndexes({ 1 });
    front->alignWithGrid();
    EXPECT_EQ(b->bounds(), QRectF(0, 0, 9, 9));

    front->changeSelectionIndexes({ 0 });
    EXPECT_TRUE(front->isCommandEnabled(SKTGraphicView::Command::MakeNaturalSize));
    front->makeNaturalSize();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 20, 20));
    EXPECT_FALSE(front->isCommandEnabled(SKTGraphicView::Command::SameSize));
}

TEST_F(CanvasTest, ProfileServicesFindAndHideOnlyTextAndImageObjects)
{
    auto shape = addShape({ 0, 0, 5, 5 });
    shape->control_ID = QStringLiteral("Fup_Name");
    auto text = SKTGraphic::create<SKTText>();
    text->control_ID = QStringLiteral("Fup_Name");
    auto other = SKTGraphic::create<SKTText>();
    other->control_ID = QStringLiteral("Mine");
    document.insertGraphicsOnSide(Side::Front, { text, other }, { 0, 1 });
    EXPECT_EQ(front->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name")), text);

    front->Hide_all_Text_control_FUP_Control();
    EXPECT_FALSE(text->ctrl_is_visible); // front-most, hidden too
    EXPECT_TRUE(other->ctrl_is_visible);
    EXPECT_TRUE(shape->ctrl_is_visible);

    front->delete_all_Text_control();
    EXPECT_EQ(document.graphics(), Graphics { shape });
    front->delete_all_control();
    EXPECT_TRUE(document.graphics().isEmpty());
}
