#include "print/Sample_Preview.h"

#include "render/PrintSheetPainter.h"

#include <QPainter>

using namespace PrintLayout;

Sample_Preview::Sample_Preview(QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(tr("Sheet sample"));
}

void Sample_Preview::showSettings(const PrintSettings& settings, const QSizeF& cardSize)
{
    settings_ = settings;
    cardSize_ = cardSize;
    setFixedSize(sizeHint());
    update();
}

QSize Sample_Preview::sizeHint() const
{
    return settings_.paper.toSize().expandedTo(QSize(1, 1));
}

void Sample_Preview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QColor outline = Qt::darkGray;
    const auto box = [&](const QRectF& area) {
        if (!settings_.Show_margin_rect)
            return;
        painter.setPen(outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
    };
    // Like a printed card, a caption stays inside its cell.
    const auto caption = [&](const QString& text, const QRectF& area, const QColor& colour) {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        PrintSheetPainter::Draw_Label_String(painter, text, area, colour);
        painter.restore();
    };
    const bool haveCard = !cardSize_.isEmpty();
    for (int row = 1; row <= settings_.Print_Row; ++row) {
        for (int column = 1; column <= settings_.Print_Col; ++column) {
            const CellPlacement placed = placeCell(settings_, row, column, haveCard ? cardSize_ : QSizeF());
            if (!haveCard) {
                caption(QStringLiteral("Invalid Data"), placed.frontArea, Qt::red);
                box(placed.frontArea);
                continue;
            }
            const int number = (row - 1) * settings_.Print_Col + column;
            const QString word
                = settings_.Print_Card_Side == sideBack ? QStringLiteral("Back") : QStringLiteral("Card");
            caption(QStringLiteral("%1 %2").arg(word).arg(number), placed.frontArea, Qt::gray);
            box(placed.frontArea);
            if (placed.back) {
                caption(QStringLiteral("Back %1").arg(number), *placed.back, Qt::gray);
                box(*placed.back);
            }
        }
    }
}
