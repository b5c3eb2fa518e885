#include "mainwindow/SideCanvas.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QFileInfo>
#include <QPainter>

namespace {

SKTGraphicPtr makeGraphicOfClass(const QString& className)
{
    if (className == QLatin1String("SKTLine"))
        return SKTGraphic::create<SKTLine>();
    if (className == QLatin1String("SKTText"))
        return SKTGraphic::create<SKTText>();
    if (className == QLatin1String("Shape_Control"))
        return SKTGraphic::create<Shape_Control>();
    if (className == QLatin1String("SKTImage"))
        return SKTGraphic::create<SKTImage>();
    if (className == QLatin1String("SKTBarcode"))
        return SKTGraphic::create<SKTBarcode>();
    if (className == QLatin1String("SKTSignature"))
        return SKTGraphic::create<SKTSignature>();
    return nullptr;
}

QString shapeCodeOfTool(int tool)
{
    switch (tool) {
    case 3:
        return QStringLiteral("R");
    case 4:
        return QStringLiteral("C");
    case 5:
        return QStringLiteral("RR");
    case 6:
        return QStringLiteral("T");
    case 7:
        return QStringLiteral("D");
    case 13:
        return QStringLiteral("S");
    case 14:
        return QStringLiteral("DS");
    case 15:
        return QStringLiteral("P");
    default:
        return {};
    }
}

} // namespace

SideCanvas::SideCanvas(SKTDocument& document, SKTDocument::Side side, Host host, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , side_(side)
    , host_(std::move(host))
{
    connect(&document_, &SKTDocument::graphicsChanged, this, [this](SKTDocument::Side changed) {
        if (changed == side_)
            Refresh_Canvas();
    });
}

SKTGraphicPtr SideCanvas::createGraphicOfClass(const QString& className, bool useRect, const QRectF& boundRect,
    const QString& cardSide, const QString& value, const QString& controlID)
{
    selected_.reset();
    QRectF bounds = useRect ? boundRect : QRectF(0, 0, 50, 50);
    if (!useRect || controlID.isEmpty())
        bounds.moveTopLeft(host_.nextPoint(cardSide));

    const int tool = host_.currentTool();
    SKTGraphicPtr graphic = makeGraphicOfClass(className);
    if (!graphic)
        return nullptr;
    switch (tool) {
    case 8: {
        const QString file = host_.selectedImageFile();
        if (!file.isEmpty() && QFileInfo(file).isFile())
            graphic->setFilePath(file);
        else
            graphic->Set_Barcode_image(Picture::fromImage(host_.placeholder(tool), bounds.size()));
        break;
    }
    case 9:
        graphic->setFilePath(host_.selectedImageFile());
        break;
    case 10:
        graphic->Set_Barcode_image(Picture::fromImage(host_.placeholder(tool), bounds.size()));
        break;
    case 11:
    case 12:
        graphic->Set_Sign_Or_FP(tool == 11 ? QStringLiteral("S") : QStringLiteral("F"));
        graphic->Set_Barcode_image(Picture::fromImage(host_.placeholder(tool), bounds.size()));
        break;
    default:
        if (className == QLatin1String("SKTText")) {
            if (!value.isEmpty()) {
                graphic->Text_Value = value;
                graphic->_isDrawingFill = false;
                graphic->_isDrawingStroke = false;
            }
        } else if (const QString code = shapeCodeOfTool(tool); !code.isEmpty()) {
            graphic->Set_Shape_Type(code);
        }
        break;
    }
    graphic->control_ID = controlID;
    graphic->setBounds(bounds);
    if (graphic->bounds().width() == 0.0 && graphic->bounds().height() == 0.0)
        return nullptr;
    document_.insertGraphicsOnSide(side_, { graphic }, { 0 });
    selected_ = graphic;
    return graphic;
}

void SideCanvas::delete_all_control()
{
    const int count = int(graphics().size());
    if (count == 0)
        return;
    QList<int> indexes;
    for (int i = 0; i < count; ++i)
        indexes.append(i);
    document_.removeGraphicsOnSide(side_, indexes);
    selected_.reset();
}

void SideCanvas::setCanvasSize(const QSizeF& points)
{
    size_ = points;
    setFixedSize(points.toSize());
}

void SideCanvas::Refresh_Canvas()
{
    if (painting_)
        return;
    ++refreshCount_;
    update();
}

void SideCanvas::paintEvent(QPaintEvent*)
{
    painting_ = true;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Outside a rounded or elliptic card the window shows through.
    if (host_.drawBase)
        host_.drawBase(painter, side_, QRectF(rect()));
    else
        painter.fillRect(rect(), Qt::white);
    const SKTDocument::Graphics& list = graphics();
    for (auto it = list.crbegin(); it != list.crend(); ++it)
        (*it)->drawContentsInView(painter, false);
    if (const SKTGraphicPtr selected = selected_.lock())
        selected->drawHandlesInView(painter, selected->Is_Control_Locked());
    painting_ = false;
}
