#include "canvas/SKTGraphicView.h"

#include "barcodes/BarcodeCardFields.h"
#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"
#include "common/Logging.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"

#include <QFileInfo>

SKTGraphicPtr SKTGraphicView::newGraphic(GraphicKind kind, const QPointF& origin, const QString& ctrlValue) const
{
    const int tool = host_.Selected_Control_Tool();
    const QString library = host_.Library_Selected_Image();
    switch (tool) {
    case 8:
    case 9: {
        auto image = SKTGraphic::create<SKTImage>();
        if (tool == 9 || QFileInfo(library).isFile())
            image->initWithPath(origin, library);
        else // a missing file shows the placeholder but keeps the path chosen
            image->initWithPosition(origin, host_.placeholderPicture(CanvasHost::Placeholder::NoImage), library);
        return image;
    }
    case 10: {
        auto barcode = SKTGraphic::create<SKTBarcode>();
        barcode->initWithPosition(origin);
        barcode->Set_Barcode_image(barcodePictureFromFields(*barcode));
        barcode->setBounds(QRectF(barcode->bounds().topLeft(), barcode->barcode_image_var_assign().size()));
        return barcode;
    }
    case 11:
    case 12: {
        auto signature = SKTGraphic::create<SKTSignature>();
        if (tool == 11)
            signature->initWithPosition(
                origin, host_.placeholderPicture(CanvasHost::Placeholder::SignatureSample), QStringLiteral("S"));
        else
            signature->initWithPosition(
                origin, host_.placeholderPicture(CanvasHost::Placeholder::FingerprintSample), QStringLiteral("F"));
        return signature;
    }
    default:
        break;
    }
    SKTGraphicPtr graphic = createGraphicOfKind(kind);
    if (isExactlyKind(*graphic, GraphicKind::Text)) {
        if (!ctrlValue.isEmpty()) {
            graphic->Text_Value = ctrlValue;
            graphic->_isDrawingFill = false;
            graphic->_isDrawingStroke = false;
        }
    } else if (const QString shape = shapeTypeForTool(tool); !shape.isEmpty()) {
        graphic->Set_Shape_Type(shape);
    }
    return graphic;
}

SKTGraphicPtr SKTGraphicView::createGraphicOfClass(GraphicKind kind, bool useRect, const QRectF& boundRect,
    const QString& cardSide, const QString& ctrlValue, const QString& ctrlID)
{
    changeSelectionIndexes({});
    QPointF origin;
    QSizeF size;
    if (useRect) {
        origin = ctrlID.isEmpty() ? host_.Control_New_Point(cardSide) : boundRect.topLeft();
        size = boundRect.size();
    } else {
        origin = host_.Control_New_Point(cardSide);
        size = QSizeF(50.0, 50.0);
    }
    if (SKTGrid* shared = grid()) {
        const QPointF corner = shared->constrainedPoint(origin + QPointF(size.width(), size.height()));
        origin = shared->constrainedPoint(origin);
        size = QSizeF(corner.x() - origin.x(), corner.y() - origin.y());
    }
    SKTGraphicPtr graphic = newGraphic(kind, origin, ctrlValue);
    // A picture keeps its proportions inside the box it is given; a barcode is drawn at its
    // picture's own size, so its box is that size, or a new barcode would not fit its box.
    if (const auto* image = dynamic_cast<const SKTImage*>(graphic.get()); image && !image->pictureSize().isEmpty())
        size = image->pictureSize().scaled(size, Qt::KeepAspectRatio);
    else if (dynamic_cast<const SKTBarcode*>(graphic.get()) && !graphic->_barcode_image.isNull())
        size = graphic->_barcode_image.size();
    graphic->control_ID = ctrlID;
    graphic->setBounds(QRectF(origin, size));
    finishCreation(graphic);
    return _Selected_Graphic.lock();
}

void SKTGraphicView::beginCreationByMouse(GraphicKind kind, const QPointF& point)
{
    changeSelectionIndexes({});
    _Selected_Graphic.reset();
    tracking_ = Tracking {};
    tracking_.mode = Tracking::Mode::Create;
    QPointF origin = point;
    if (SKTGrid* shared = grid())
        origin = shared->constrainedPoint(origin);
    SKTGraphicPtr graphic = newGraphic(kind, origin, QString());
    graphic->setBounds(QRectF(origin, QSizeF(0.0, 0.0)));
    tracking_.creating = graphic;
    tracking_.handle = graphic->creationSizingHandle();
    _creatingGraphic = graphic;
}

void SKTGraphicView::finishCreation(const SKTGraphicPtr& graphic)
{
    _creatingGraphic.reset();
    if (!graphic)
        return;
    const QRectF bounds = graphic->bounds();
    if (bounds.width() == 0.0 && bounds.height() == 0.0) {
        // A click without a drag leaves no object and no undo step.
        _Selected_Graphic.reset();
        updateCard(graphic->drawingBounds());
        return;
    }
    // Inserting is the creation's one undo step: the object was sized before it joined.
    asNamedStep(QStringLiteral("New Object"), [&] {
        insertOnSide({ graphic }, { 0 });
        changeSelectionIndexes({ 0 });
        startEditingGraphic(graphic);
    });
    _Selected_Graphic = graphic;
    updateCard(graphic->drawingBounds());
}

void SKTGraphicView::ReplaceGraphicText(GraphicKind kind, bool useRect, const QRectF& boundRect,
    const QString& cardSide, const QString& ctrlValue, const QString& ctrlID)
{
    const SKTGraphicPtr found = Selcect_Ctrl_With_ID(ctrlID);
    if (!found) {
        createGraphicOfClass(kind, useRect, boundRect, cardSide, ctrlValue, ctrlID);
        return;
    }
    _creatingGraphic = found;
    if (kind == GraphicKind::Text) {
        if (!ctrlValue.isEmpty()) {
            found->Text_Value = ctrlValue;
            found->_isDrawingStroke = false;
            found->_isDrawingFill = false;
            found->Text_contents()->setString(ctrlValue);
            found->Set_Ctrl_Is_Visible(true);
        }
    } else if (kind == GraphicKind::Image) {
        if (QFileInfo(ctrlValue).isFile())
            found->setFilePath(ctrlValue);
        else
            Show_NSLog_Message(ctrlValue);
        // A hidden photo shows again, as a hidden text does when it gets a value.
        found->Set_Ctrl_Is_Visible(true);
    }
    startEditingGraphic(found);
    _Selected_Graphic = found;
    _creatingGraphic.reset();
    updateCard(found->drawingBounds());
}
