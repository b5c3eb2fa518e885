#include "model/SKTDocument.h"

#include "common/Logging.h"
#include "model/GraphicsRendering.h"
#include "model/SKTGraphicPasteboard.h"
#include "platform/PropertyList.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

const QSizeF fixedPrintSize(243.0, 154.0);

bool isPdfType(const QString& type)
{
    return type == QLatin1String("com.adobe.pdf") || type == QLatin1String("application/pdf");
}

bool isTiffType(const QString& type)
{
    return type == QLatin1String("public.tiff") || type == QLatin1String("image/tiff");
}

} // namespace

SKTDocument::SKTDocument(QObject* parent)
    : QObject(parent)
{
    undo_.setCheckpointObserver([this] { observeUndoManagerCheckpoint(); });
}

SKTDocument::~SKTDocument()
{
    undo_.setCheckpointObserver({});
    undo_.removeAllActions();
    stopObservingGraphics(graphics_);
}

const SKTDocument::Graphics& SKTDocument::graphicsOfSide(Side side) const
{
    switch (side) {
    case Side::Back:
        return graphicsBack_;
    case Side::Temp:
        return graphicsTemp_;
    case Side::Front:
        break;
    }
    return graphics_;
}

SKTDocument::Graphics& SKTDocument::listOfSide(Side side)
{
    return const_cast<Graphics&>(graphicsOfSide(side));
}

void SKTDocument::insertGraphics(const Graphics& graphics, const QList<int>& indexes)
{
    const qsizetype count = std::min(graphics.size(), indexes.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int index = std::clamp(indexes[i], 0, int(graphics_.size()));
        graphics_.insert(index, graphics[i]);
        graphics[i]->_scriptingContainer = this;
    }
    undo_.registerUndo([this, indexes] { removeGraphicsAtIndexes(indexes); });
    if (undo_.isRegistrationEnabled()) {
        for (qsizetype i = 0; i < count; ++i)
            undoGroupInsertedGraphics_.insert(graphics[i].get());
    }
    startObservingGraphics(graphics.mid(0, count));
    emit graphicsChanged(Side::Front);
}

void SKTDocument::removeGraphicsAtIndexes(const QList<int>& indexes)
{
    QList<int> valid;
    Graphics removed;
    for (int index : indexes) {
        if (index >= 0 && index < graphics_.size() && !valid.contains(index)) {
            valid.append(index);
        }
    }
    std::sort(valid.begin(), valid.end());
    for (int index : valid)
        removed.append(graphics_[index]);
    if (valid.isEmpty())
        return;
    stopObservingGraphics(removed);
    undo_.registerUndo([this, removed, valid] { insertGraphics(removed, valid); });
    for (auto it = valid.crbegin(); it != valid.crend(); ++it) {
        graphics_[*it]->_scriptingContainer = nullptr;
        graphics_.removeAt(*it);
    }
    emit graphicsChanged(Side::Front);
}

void SKTDocument::insertGraphicsOnSide(Side side, const Graphics& graphics, const QList<int>& indexes)
{
    if (side == Side::Front) {
        insertGraphics(graphics, indexes);
        return;
    }
    Graphics& list = listOfSide(side);
    const qsizetype count = std::min(graphics.size(), indexes.size());
    for (qsizetype i = 0; i < count; ++i)
        list.insert(std::clamp(indexes[i], 0, int(list.size())), graphics[i]);
    emit graphicsChanged(side);
}

void SKTDocument::removeGraphicsOnSide(Side side, const QList<int>& indexes)
{
    if (side == Side::Front) {
        removeGraphicsAtIndexes(indexes);
        return;
    }
    Graphics& list = listOfSide(side);
    QList<int> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
        if (*it >= 0 && *it < list.size())
            list.removeAt(*it);
    }
    emit graphicsChanged(side);
}

void SKTDocument::setGraphicsOfSide(Side side, const Graphics& graphics)
{
    if (side == Side::Front) {
        QList<int> all;
        for (int i = 0; i < graphics_.size(); ++i)
            all.append(i);
        removeGraphicsAtIndexes(all);
        QList<int> indexes;
        for (int i = 0; i < graphics.size(); ++i)
            indexes.append(i);
        insertGraphics(graphics, indexes);
        return;
    }
    listOfSide(side) = graphics;
    emit graphicsChanged(side);
}

void SKTDocument::Enable_Disable_Undo_Registraion(bool enable)
{
    undo_.setRegistrationEnabled(enable);
}

void SKTDocument::Clear_All_Undo_Redo()
{
    undo_.removeAllActions();
    undo_.setRegistrationEnabled(false);
    QList<int> all;
    for (int i = 0; i < graphics_.size(); ++i)
        all.append(i);
    removeGraphicsAtIndexes(all);
    undo_.setRegistrationEnabled(true);
    observeUndoManagerCheckpoint();
}

QSizeF SKTDocument::canvasSize(bool fixed, const QSizeF& size)
{
    return fixed ? fixedPrintSize : size;
}

QString SKTDocument::displayName() const
{
    return QStringLiteral("Galavite");
}

void SKTDocument::startObservingGraphics(const Graphics& graphics)
{
    for (const SKTGraphicPtr& graphic : graphics)
        graphic->setObserver(this);
}

void SKTDocument::stopObservingGraphics(const Graphics& graphics)
{
    for (const SKTGraphicPtr& graphic : graphics) {
        if (graphic->observer() == this)
            graphic->setObserver(nullptr);
    }
}

void SKTDocument::graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue)
{
    if (!graphic.keysForValuesToObserveForUndo().contains(key))
        return;
    // Undoing the insertion removes the object anyway.
    if (undoGroupInsertedGraphics_.contains(&graphic))
        return;
    if (!undoGroupOldPropertiesPerGraphic_) {
        undoGroupOldPropertiesPerGraphic_ = std::make_shared<OldProperties>();
        std::shared_ptr<OldProperties> properties = undoGroupOldPropertiesPerGraphic_;
        undo_.registerUndo([this, properties] { setGraphicProperties(*properties); });
    }
    auto& entry = (*undoGroupOldPropertiesPerGraphic_)[&graphic];
    if (!entry.first)
        entry.first = graphic.shared_from_this();
    // The first old value of a key in a group is the one that undo restores.
    if (!entry.second.contains(key))
        entry.second.insert(key, oldValue);

    if (undo_.isUndoing() || undo_.isRedoing())
        return;
    const std::optional<QString> name = graphic.presentablePropertyNameForKey(key);
    if (!name) {
        Show_NSLog_Message(QStringLiteral("The undoable key \"%1\" has no presentable name.").arg(key));
        return;
    }
    if (undoGroupHasChangesToMultipleProperties_)
        return;
    if (undoGroupPresentablePropertyName_.isNull())
        undoGroupPresentablePropertyName_ = *name;
    else if (undoGroupPresentablePropertyName_ != *name) {
        undoGroupHasChangesToMultipleProperties_ = true;
        undoGroupPresentablePropertyName_ = QString();
    }
}

void SKTDocument::setGraphicProperties(const OldProperties& properties)
{
    for (const auto& [graphic, values] : properties)
        graphic->setValuesForKeysWithDictionary(values);
}

void SKTDocument::observeUndoManagerCheckpoint()
{
    undoGroupHasChangesToMultipleProperties_ = false;
    undoGroupPresentablePropertyName_ = QString();
    undoGroupOldPropertiesPerGraphic_.reset();
    undoGroupInsertedGraphics_.clear();
}

QByteArray SKTDocument::dataOfType(const QString& typeName, QString* error) const
{
    const GraphicsRendering& rendering = graphicsRendering();
    if (typeName == SKTDocumentNewTypeName || typeName == SKTDocumentOldTypeName) {
        PlistDict data;
        data.insert(SKTDocumentVersionKey, PlistValue(SKTDocumentCurrentVersion));
        data.insert(SKTDocumentGraphicsKey, PlistValue(SKTGraphicPasteboard::propertiesWithGraphics(graphics_)));
        // The printer settings are the print dialog's; nothing reads them back.
        data.insert(SKTDocumentPrintInfoKey, PlistValue(QByteArray()));
        return PropertyList::write(PlistValue(data), PropertyList::Format::Binary);
    }
    if (isPdfType(typeName) && rendering.pdfOfGraphics)
        return rendering.pdfOfGraphics(graphics_);
    if (isTiffType(typeName) && rendering.tiffOfGraphics) {
        int code = 0;
        const QByteArray tiff = rendering.tiffOfGraphics(graphics_, &code);
        if (tiff.isEmpty() && error)
            *error = SKTErrorWithCode(code).description;
        return tiff;
    }
    if (error)
        *error = QStringLiteral("Invalid parameter not satisfying: %1").arg(typeName);
    return {};
}

bool SKTDocument::printFrontSide(QPagedPaintDevice& device) const
{
    const GraphicsRendering& rendering = graphicsRendering();
    if (!rendering.paintGraphics)
        return false;
    device.setPageSize(QPageSize(fixedPrintSize, QPageSize::Point, QString(), QPageSize::ExactMatch));
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    rendering.paintGraphics(painter, graphics_, QRectF(QPointF(0, 0), fixedPrintSize));
    return true;
}
