#include "barcodewindow/BarcodePreview.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

BarcodePreview::BarcodePreview(QWidget* parent)
    : QScrollArea(parent)
    , image_(new QLabel)
    , errorLabel_(new QLabel(tr("Invalid barcode value"), this))
{
    setObjectName(QStringLiteral("image_scroll"));
    image_->setObjectName(QStringLiteral("barcodeImage"));
    image_->setAlignment(Qt::AlignCenter);
    image_->setAutoFillBackground(true);
    setWidget(image_);
    setWidgetResizable(false);
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(320, 200);

    errorLabel_->setObjectName(QStringLiteral("barcode_error_label"));
    errorLabel_->setAlignment(Qt::AlignCenter);
    errorLabel_->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
    errorLabel_->hide();
    Set_Blank_Image();
}

void BarcodePreview::Set_Barcode_On_Panel(const Picture& picture)
{
    picture_ = picture;
    errorLabel_->hide();
    const qreal ratio = devicePixelRatioF();
    QImage image = picture.toImage(72.0 * ratio, Qt::white);
    image.setDevicePixelRatio(ratio);
    image_->setPixmap(QPixmap::fromImage(image));
    image_->setAlignment(Qt::AlignCenter);
    fitView();
}

void BarcodePreview::Set_Blank_Image()
{
    picture_ = Picture();
    image_->clear();
    fitView();
    errorLabel_->setGeometry(viewport()->geometry());
    errorLabel_->show();
    errorLabel_->raise();
}

bool BarcodePreview::showsError() const
{
    return !errorLabel_->isHidden();
}

void BarcodePreview::setPlacement(const QString& placement)
{
    static const QList<std::pair<QString, Qt::Alignment>> placements = {
        { "Center", Qt::AlignCenter },
        { "Top", Qt::AlignTop | Qt::AlignHCenter },
        { "TopLeft", Qt::AlignTop | Qt::AlignLeft },
        { "TopRight", Qt::AlignTop | Qt::AlignRight },
        { "Left", Qt::AlignLeft | Qt::AlignVCenter },
        { "Bottom", Qt::AlignBottom | Qt::AlignHCenter },
        { "BottomLeft", Qt::AlignBottom | Qt::AlignLeft },
        { "BottomRight", Qt::AlignBottom | Qt::AlignRight },
        { "Right", Qt::AlignRight | Qt::AlignVCenter },
    };
    for (const auto& [text, alignment] : placements)
        if (text == placement)
            image_->setAlignment(alignment);
}

void BarcodePreview::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fitView();
    errorLabel_->setGeometry(viewport()->geometry());
}

// The view fills the visible area and grows with a larger picture, so that scroll bars
// appear only for the direction that does not fit.
void BarcodePreview::fitView()
{
    const QSize area = maximumViewportSize();
    const QSizeF size = picture_.isNull() ? QSizeF() : picture_.size();
    image_->resize(
        std::max(area.width(), int(std::ceil(size.width()))), std::max(area.height(), int(std::ceil(size.height()))));
}
