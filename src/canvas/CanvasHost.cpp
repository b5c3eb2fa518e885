#include "canvas/CanvasHost.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"

#include <QPainter>

DefaultCanvasHost::DefaultCanvasHost()
    : grid_(std::make_unique<SKTGrid>())
{ }

DefaultCanvasHost::~DefaultCanvasHost() = default;

void DefaultCanvasHost::Show_RHS_Properties(const SKTGraphicPtr& graphic)
{
    ++propertiesShownCount;
    propertiesShownFor = graphic;
    tool = 0;
}

void DefaultCanvasHost::selectionDidChange(const SKTGraphicView& canvas)
{
    ++selectionChangeCount;
    selectedAtLastChange = canvas.selectedGraphics().size();
}

void DefaultCanvasHost::Card_Base_Drawing(QPainter& painter, const QRectF& rect)
{
    painter.fillRect(rect, Qt::white);
}

QPointF DefaultCanvasHost::Control_New_Point(const QString&)
{
    ++newPointCount;
    const QPointF point = nextPoint;
    nextPoint += cascadeStep;
    return point;
}

QImage DefaultCanvasHost::placeholderPicture(Placeholder which) const
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.setDotsPerMeterX(2835);
    picture.setDotsPerMeterY(2835);
    picture.fill(which == Placeholder::NoImage ? Qt::lightGray : Qt::darkGray);
    return picture;
}
