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
    for (History& each : histories_)
        each.undo.setCheckpointObserver([this, &each] { observeUndoManagerCheckpoint(each); });
}

SKTDocument::~SKTDocument()
{
    for (History& each : histories_) {
        each.undo.setCheckpointObserver({});
        each.undo.removeAllActions();
    }
    stopObservingGraphics(graphics_);
    stopObservingGraphics(graphicsBack_);
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
    insertUndoably(Side::Front, graphics, indexes);
}

void SKTDocument::removeGraphicsAtIndexes(const QList<int>& indexes)
{
    removeUndoably(Side::Front, indexes);
}

void SKTDocument::insertUndoably(Side side, const Graphics& graphics, const QList<int>& indexes)
{
    Graphics& list = listOfSide(side);
    History& undo = history(side);
    const qsizetype count = std::min(graphics.size(), indexes.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int index = std::clamp(indexes[i], 0, int(list.size()));
        list.insert(index, graphics[i]);
        if (side == Side::Front)
            graphics[i]->_scriptingContainer = this;
    }
    undo.undo.registerUndo([this, side, indexes] { removeUndoably(side, indexes); });
    if (undo.undo.isRegistrationEnabled()) {
        for (qsizetype i = 0; i < count; ++i)
            undo.groupInsertedGraphics.insert(graphics[i].get());
    }
    startObservingGraphics(side, graphics.mid(0, count));
    emit graphicsChanged(side);
}

void SKTDocument::removeUndoably(Side side, const QList<int>& indexes)
{
    Graphics& list = listOfSide(side);
    QList<int> valid;
    Graphics removed;
    for (int index : indexes) {
        if (index >= 0 && index < list.size() && !valid.contains(index)) {
            valid.append(index);
        }
    }
    std::sort(valid.begin(), valid.end());
    for (int index : valid)
        removed.append(list[index]);
    if (valid.isEmpty())
        return;
    stopObservingGraphics(removed);
    history(side).undo.registerUndo([this, side, removed, valid] { insertUndoably(side, removed, valid); });
    for (auto it = valid.crbegin(); it != valid.crend(); ++it) {
        if (side == Side::Front)
            list[*it]->_scriptingContainer = nullptr;
        list.removeAt(*it);
    }
    emit graphicsChanged(side);
}

void SKTDocument::insertGraphicsOnSide(Side side, const Graphics& graphics, const QList<int>& indexes)
{
    if (side != Side::Temp) {
        insertUndoably(side, graphics, indexes);
        return;
    }
    const qsizetype count = std::min(graphics.size(), indexes.size());
    for (qsizetype i = 0; i < count; ++i)
        graphicsTemp_.insert(std::clamp(indexes[i], 0, int(graphicsTemp_.size())), graphics[i]);
    emit graphicsChanged(side);
}

void SKTDocument::removeGraphicsOnSide(Side side, const QList<int>& indexes)
{
    if (side != Side::Temp) {
        removeUndoably(side, indexes);
        return;
    }
    QList<int> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
        if (*it >= 0 && *it < graphicsTemp_.size())
            graphicsTemp_.removeAt(*it);
    }
    emit graphicsChanged(side);
}

void SKTDocument::setGraphicsOfSide(Side side, const Graphics& graphics)
{
    if (side != Side::Temp) {
        QList<int> all;
        for (int i = 0; i < listOfSide(side).size(); ++i)
            all.append(i);
        removeUndoably(side, all);
        QList<int> indexes;
        for (int i = 0; i < graphics.size(); ++i)
            indexes.append(i);
        insertUndoably(side, graphics, indexes);
        return;
    }
    graphicsTemp_ = graphics;
    emit graphicsChanged(side);
}

void SKTDocument::runAsStepOnBothSides(const QString& name, const std::function<void()>& change)
{
    UndoManager& front = undoManager(Side::Front);
    UndoManager& back = undoManager(Side::Back);
    front.beginGroup();
    back.beginGroup();
    change();
    const std::uint64_t link = ++lastStepLink_;
    for (UndoManager* part : { &back, &front }) {
        part->setActionName(name);
        part->setStepLink(link);
        part->endGroup();
    }
}

void SKTDocument::undo(Side side)
{
    runStep(side, false);
}

void SKTDocument::redo(Side side)
{
    runStep(side, true);
}

void SKTDocument::runStep(Side side, bool redoing)
{
    UndoManager& shown = undoManager(side);
    if (shown.isUndoing() || shown.isRedoing())
        return;
    const std::uint64_t link = redoing ? shown.redoStepLink() : shown.undoStepLink();
    redoing ? shown.redo() : shown.undo();
    if (link == 0 || side == Side::Temp)
        return;
    // The other side's share of the step goes along only while it is next there: later steps
    // of that side stay in their order, and the share waits for them.
    UndoManager& other = undoManager(side == Side::Front ? Side::Back : Side::Front);
    if ((redoing ? other.redoStepLink() : other.undoStepLink()) == link)
        redoing ? other.redo() : other.undo();
}

bool SKTDocument::isUndoClean() const
{
    return history(Side::Front).undo.isClean() && history(Side::Back).undo.isClean();
}

void SKTDocument::setUndoClean()
{
    for (History& each : histories_)
        each.undo.setClean();
}

void SKTDocument::Enable_Disable_Undo_Registraion(bool enable)
{
    for (History& each : histories_)
        each.undo.setRegistrationEnabled(enable);
}

void SKTDocument::Clear_All_Undo_Redo()
{
    Enable_Disable_Undo_Registraion(false);
    for (History& each : histories_)
        each.undo.removeAllActions();
    QList<int> all;
    for (int i = 0; i < graphics_.size(); ++i)
        all.append(i);
    removeGraphicsAtIndexes(all);
    Enable_Disable_Undo_Registraion(true);
    for (History& each : histories_)
        observeUndoManagerCheckpoint(each);
}

QSizeF SKTDocument::canvasSize(bool fixed, const QSizeF& size)
{
    return fixed ? fixedPrintSize : size;
}

QString SKTDocument::displayName() const
{
    return QStringLiteral("Galavite");
}

void SKTDocument::startObservingGraphics(Side side, const Graphics& graphics)
{
    for (const SKTGraphicPtr& graphic : graphics) {
        graphic->setObserver(this);
        observedSide_.insert(graphic.get(), side);
    }
}

void SKTDocument::stopObservingGraphics(const Graphics& graphics)
{
    for (const SKTGraphicPtr& graphic : graphics) {
        if (graphic->observer() == this)
            graphic->setObserver(nullptr);
        observedSide_.remove(graphic.get());
    }
}

void SKTDocument::graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue)
{
    if (!graphic.keysForValuesToObserveForUndo().contains(key))
        return;
    const auto side = observedSide_.constFind(&graphic);
    if (side == observedSide_.cend())
        return;
    History& group = history(*side);
    // Undoing the insertion removes the object anyway.
    if (group.groupInsertedGraphics.contains(&graphic))
        return;
    if (!group.groupOldPropertiesPerGraphic) {
        group.groupOldPropertiesPerGraphic = std::make_shared<OldProperties>();
        std::shared_ptr<OldProperties> properties = group.groupOldPropertiesPerGraphic;
        group.undo.registerUndo([this, properties] { setGraphicProperties(*properties); });
    }
    auto& entry = (*group.groupOldPropertiesPerGraphic)[&graphic];
    if (!entry.first)
        entry.first = graphic.shared_from_this();
    // The first old value of a key in a group is the one that undo restores.
    if (!entry.second.contains(key))
        entry.second.insert(key, oldValue);

    if (group.undo.isUndoing() || group.undo.isRedoing())
        return;
    const std::optional<QString> name = graphic.presentablePropertyNameForKey(key);
    if (!name) {
        Show_NSLog_Message(QStringLiteral("The undoable key \"%1\" has no presentable name.").arg(key));
        return;
    }
    if (group.groupHasChangesToMultipleProperties)
        return;
    if (group.groupPresentablePropertyName.isNull())
        group.groupPresentablePropertyName = *name;
    else if (group.groupPresentablePropertyName != *name) {
        group.groupHasChangesToMultipleProperties = true;
        group.groupPresentablePropertyName = QString();
    }
}

void SKTDocument::setGraphicProperties(const OldProperties& properties)
{
    for (const auto& [graphic, values] : properties)
        graphic->setValuesForKeysWithDictionary(values);
}

void SKTDocument::observeUndoManagerCheckpoint(History& history)
{
    history.groupHasChangesToMultipleProperties = false;
    history.groupPresentablePropertyName = QString();
    history.groupOldPropertiesPerGraphic.reset();
    history.groupInsertedGraphics.clear();
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
