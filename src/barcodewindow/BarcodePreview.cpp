#include "barcodewindow/BarcodePreview.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
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
    errorLabel_->setWordWrap(true);
    errorLabel_->setMargin(12); // a wrapped reason keeps clear of the preview's frame
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

void BarcodePreview::Set_Blank_Image(const QString& why)
{
    showNoBarcode(why.isEmpty() ? tr("Invalid barcode value") : tr("Invalid barcode value") + u'\n' + why);
}

void BarcodePreview::showNoBarcode(const QString& note)
{
    errorLabel_->setText(note);
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

void BarcodePreview::setDragAndDropEnabled(bool enabled)
{
    dragAndDrop_ = enabled;
    setAcceptDrops(enabled);
    viewport()->setAcceptDrops(enabled);
    image_->setToolTip(enabled ? tr("Drop a text here to encode it, or drag the barcode out as a picture") : QString());
}

void BarcodePreview::showDropTarget(bool shown)
{
    setStyleSheet(shown ? QStringLiteral("BarcodePreview { border: 2px solid red; }") : QString());
}

void BarcodePreview::dragEnterEvent(QDragEnterEvent* event)
{
    if (!dragAndDrop_ || !event->mimeData()->hasText())
        return;
    showDropTarget(true);
    event->acceptProposedAction();
}

void BarcodePreview::dragLeaveEvent(QDragLeaveEvent* event)
{
    showDropTarget(false);
    QScrollArea::dragLeaveEvent(event);
}

void BarcodePreview::dropEvent(QDropEvent* event)
{
    showDropTarget(false);
    if (!dragAndDrop_ || !event->mimeData()->hasText())
        return;
    event->acceptProposedAction();
    emit textDropped(event->mimeData()->text());
}

void BarcodePreview::mousePressEvent(QMouseEvent* event)
{
    pressPosition_ = event->position().toPoint();
    QScrollArea::mousePressEvent(event);
}

void BarcodePreview::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragAndDrop_ || picture_.isNull() || !(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - pressPosition_).manhattanLength() < QApplication::startDragDistance()) {
        QScrollArea::mouseMoveEvent(event);
        return;
    }
    // Print quality, so that the dragged picture stays sharp where it lands.
    constexpr double dragDpi = 300;
    auto* data = new QMimeData;
    data->setImageData(picture_.toImage(dragDpi, Qt::white));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(image_->pixmap());
    drag->exec(Qt::CopyAction);
}
