#include "canvas/SKTGraphicView.h"

#include "barcodes/BarcodeCardFields.h"
#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"
#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "model/SKTGraphicPasteboard.h"
#include "platform/CheckedWrite.h"
#include "platform/PngEncoder.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUuid>

#include <algorithm>
#include <typeinfo>
#include <unordered_map>

namespace {

const QString lockedMessage = QStringLiteral("Selected control is locked.");

// The system clipboard's change count: how many times its contents changed in this run.
qint64 clipboardChangeCount()
{
    static qint64 count = 0;
    static bool counting = false;
    if (!counting) {
        counting = true;
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [] { ++count; });
    }
    return count;
}

QString sideCode()
{
    return Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
}

} // namespace

bool SKTGraphicView::There_Is_Any_Lock_Contrl() const
{
    const Graphics selected = selectedGraphics();
    return std::any_of(selected.begin(), selected.end(), [](const SKTGraphicPtr& g) { return g->ctrl_is_locked; });
}

bool SKTGraphicView::refuseIfLocked() const
{
    if (!There_Is_Any_Lock_Contrl())
        return false;
    Show_MessageBox(lockedMessage);
    return true;
}

// ---- Clipboard ---------------------------------------------------------------------------

void SKTGraphicView::copy()
{
    if (refuseIfLocked())
        return;
    clipboardChangeCount(); // start counting before our own change
    SKTGraphicPasteboard::writeToClipboard(selectedGraphics());
    _pasteboardChangeCount = clipboardChangeCount();
    _pasteCascadeNumber = 1;
    host_.Set_Paste_Button_Status();
}

void SKTGraphicView::cut()
{
    if (refuseIfLocked())
        return;
    asNamedStep(QStringLiteral("Cut"), [this] {
        copy();
        deleteSelection();
    });
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::paste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    asNamedStep(QStringLiteral("Paste"), [this, data] {
        if (data->hasFormat(SKTGraphicViewPasteboardType))
            pasteGraphicsFromClipboard(data);
        // File names paste nothing; anything else may be a picture from another program.
        else if (!data->hasUrls())
            makeNewImageFromPasteboard(data, QPointF(50.0, 50.0));
    });
    host_.Undo_Redo_Button_state();
}

bool SKTGraphicView::pasteGraphicsFromClipboard(const QMimeData* data)
{
    SKTError error;
    const Graphics pasted
        = SKTGraphicPasteboard::graphicsWithPasteboardData(data->data(SKTGraphicViewPasteboardType), &error);
    if (pasted.isEmpty()) {
        if (error.code != 0)
            Show_MessageBox(error.description
                + (error.failureReason.isEmpty() ? QString() : QStringLiteral("\n") + error.failureReason));
        return false;
    }
    // The clipboard holds a barcode's picture as pixels; drawn again from its fields, as a design
    // file's barcodes are, it shows the same after a save and reopen.
    for (const SKTGraphicPtr& graphic : pasted)
        if (typeid(*graphic) == typeid(SKTBarcode))
            restoreBarcodePicture(*graphic);
    const qint64 changeCount = clipboardChangeCount();
    if (changeCount != _pasteboardChangeCount) {
        _pasteboardChangeCount = changeCount;
        _pasteCascadeNumber = 0;
    }
    if (_pasteCascadeNumber > 0) {
        const QString side = sideCode();
        const QPointF point = host_.Control_New_Point(side);
        SKTGraphicPasteboard::Paste_Location_Of_Graphics(
            pasted, point.x(), point.y(), side, [this](const QString& s) { return host_.Control_New_Point(s); });
    }
    ++_pasteCascadeNumber;
    QList<int> indexes;
    for (int i = 0; i < pasted.size(); ++i)
        indexes.append(i);
    insertOnSide(pasted, indexes);
    changeSelectionIndexes(indexes);
    host_.Undo_Redo_Button_state();
    return true;
}

QString SKTGraphicView::pastedPicturesFolder()
{
    return Resource_Path + QStringLiteral("/Pasted_Images");
}

bool SKTGraphicView::makeNewImageFromPasteboard(const QMimeData* data, const QPointF& topLeft)
{
    if (!data || !data->hasImage())
        return false;
    QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull())
        return false;
    // The picture must outlive the clipboard: it is kept as a file that designs refer to.
    const QString folder = pastedPicturesFolder();
    const QString path
        = folder + QStringLiteral("/") + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".png");
    QString reason = QStringLiteral("The picture could not be encoded.");
    const QByteArray png = encodePngFast(picture);
    if (!makeFolderChecked(folder, &reason) || png.isEmpty() || !writeFileChecked(path, png, &reason)) {
        Show_MessageBox(withReason(QStringLiteral("The pasted picture cannot be kept in %1.").arg(folder), reason));
        return false;
    }
    // A clipboard picture carries no resolution: one pixel is one point.
    SKTGraphicPtr image = createGraphicOfKind(GraphicKind::Image);
    image->setFilePath(path);
    image->setBounds(QRectF(topLeft, QSizeF(picture.width(), picture.height())));
    insertOnSide({ image }, { 0 });
    changeSelectionIndexes({ 0 });
    host_.Undo_Redo_Button_state();
    return true;
}

// ---- Deleting, undo and stacking ------------------------------------------------------------

void SKTGraphicView::deleteSelection()
{
    if (refuseIfLocked())
        return;
    const QList<int> indexes = selectionIndexes();
    invalidateGraphics(selectedGraphics());
    if (!indexes.isEmpty())
        asNamedStep(QStringLiteral("Delete"), [this, &indexes] { removeOnSide(indexes); });
    host_.Undo_Redo_Button_state();
    host_.Show_RHS_Properties(nullptr);
}

namespace {

// What undo may change of each object, to find the objects an undo or redo touched.
using Snapshot = std::unordered_map<const SKTGraphic*, QVariantMap>;

Snapshot snapshotOf(const QList<SKTGraphicPtr>& graphics)
{
    Snapshot snapshot;
    for (const auto& graphic : graphics) {
        QVariantMap values;
        for (const QString& key : graphic->keysForValuesToObserveForUndo())
            values.insert(key, graphic->valueForKey(key));
        snapshot.emplace(graphic.get(), values);
    }
    return snapshot;
}

} // namespace

void SKTGraphicView::undo()
{
    runUndoStep(false);
}

void SKTGraphicView::redo()
{
    runUndoStep(true);
}

void SKTGraphicView::runUndoStep(bool redoing)
{
    // Afterwards the objects the step inserted or changed become the selection.
    const Snapshot before = snapshotOf(graphics());
    if (redoing)
        document_.redo(editedSide_);
    else
        document_.undo(editedSide_);
    const Graphics& list = graphics();
    const Snapshot after = snapshotOf(list);
    QList<int> touched;
    for (int i = 0; i < list.size(); ++i) {
        auto old = before.find(list[i].get());
        if (old == before.end() || old->second != after.at(list[i].get()))
            touched.append(i);
    }
    if (!touched.isEmpty())
        changeSelectionIndexes(touched);
    update();
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::restackSelection(bool toFront)
{
    if (refuseIfLocked())
        return;
    const QList<int> indexes = selectionIndexes();
    if (!indexes.isEmpty()) {
        asNamedStep(toFront ? QStringLiteral("Bring to Front") : QStringLiteral("Send to Back"), [&] {
            const Graphics moved = selectedGraphics();
            removeOnSide(indexes);
            const int first = toFront ? 0 : int(graphics().size());
            QList<int> block;
            for (int i = 0; i < moved.size(); ++i)
                block.append(first + i);
            insertOnSide(moved, block);
            changeSelectionIndexes(block);
        });
    }
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::bringToFront()
{
    restackSelection(true);
}

void SKTGraphicView::sendToBack()
{
    restackSelection(false);
}

void SKTGraphicView::asNamedStep(const QString& name, const std::function<void()>& change)
{
    document_.undoManager(editedSide_).runAsStep(name, change);
}

// ---- Alignment and sizes ---------------------------------------------------------------------

void SKTGraphicView::alignSelection(const QString& name,
    const std::function<QPointF(const QRectF& reference, const QRectF& bounds)>& withReference,
    const std::function<QPointF(const QRectF& bounds)>& alone)
{
    const Graphics selected = selectedGraphics();
    if (selected.size() == 1 && selected.front()->ctrl_is_locked)
        return;
    asNamedStep(name, [&] {
        if (selected.size() == 1) {
            const SKTGraphicPtr& graphic = selected.front();
            const QPointF origin = alone(graphic->bounds());
            if (origin != graphic->bounds().topLeft())
                graphic->setBounds(QRectF(origin, graphic->bounds().size()));
        } else if (selected.size() > 1) {
            const QRectF reference = selected.front()->bounds();
            for (int i = 1; i < selected.size(); ++i) {
                const SKTGraphicPtr& graphic = selected[i];
                if (graphic->ctrl_is_locked)
                    continue;
                const QPointF origin = withReference(reference, graphic->bounds());
                if (origin != graphic->bounds().topLeft())
                    graphic->setBounds(QRectF(origin, graphic->bounds().size()));
            }
        }
    });
    update();
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::alignLeftEdges()
{
    alignSelection(
        QStringLiteral("Align Left Edges"), [](const QRectF& f, const QRectF& g) { return QPointF(f.x(), g.y()); },
        [](const QRectF& g) { return QPointF(0.0, g.y()); });
}

void SKTGraphicView::alignRightEdges()
{
    const double w = cardSize_.width();
    alignSelection(
        QStringLiteral("Align Right Edges"),
        [](const QRectF& f, const QRectF& g) { return QPointF(f.x() + f.width() - g.width(), g.y()); },
        [w](const QRectF& g) { return QPointF(w - g.width(), g.y()); });
}

void SKTGraphicView::alignTopEdges()
{
    alignSelection(
        QStringLiteral("Align Top Edges"), [](const QRectF& f, const QRectF& g) { return QPointF(g.x(), f.y()); },
        [](const QRectF& g) { return QPointF(g.x(), 0.0); });
}

void SKTGraphicView::alignBottomEdges()
{
    const double h = cardSize_.height();
    alignSelection(
        QStringLiteral("Align Bottom Edges"),
        [](const QRectF& f, const QRectF& g) { return QPointF(g.x(), f.y() + f.height() - g.height()); },
        [h](const QRectF& g) { return QPointF(g.x(), h - g.height()); });
}

void SKTGraphicView::alignHorizontalCenters()
{
    const double w = cardSize_.width();
    alignSelection(
        QStringLiteral("Align Horizontal Centres"),
        [](const QRectF& f, const QRectF& g) { return QPointF(f.x() + 0.5 * f.width() - g.width() / 2, g.y()); },
        [w](const QRectF& g) { return QPointF(w / 2 - g.width() / 2, g.y()); });
}

void SKTGraphicView::alignVerticalCenters()
{
    const double h = cardSize_.height();
    alignSelection(
        QStringLiteral("Align Vertical Centres"),
        [](const QRectF& f, const QRectF& g) { return QPointF(g.x(), f.y() + 0.5 * f.height() - g.height() / 2); },
        [h](const QRectF& g) { return QPointF(g.x(), h / 2 - g.height() / 2); });
}

void SKTGraphicView::alignformCenter()
{
    // Every unlocked selected object is centred on the card, the first one too.
    const QSizeF card = cardSize_;
    const auto centred = [card](const QRectF& g) {
        return QPointF(card.width() / 2 - g.width() / 2, card.height() / 2 - g.height() / 2);
    };
    const Graphics selected = selectedGraphics();
    asNamedStep(QStringLiteral("Centre on Card"), [&] {
        for (const SKTGraphicPtr& graphic : selected) {
            if (graphic->ctrl_is_locked)
                continue;
            const QPointF origin = centred(graphic->bounds());
            if (origin != graphic->bounds().topLeft())
                graphic->setBounds(QRectF(origin, graphic->bounds().size()));
        }
    });
    if (selected.size() == 1 && selected.front()->ctrl_is_locked)
        return;
    update();
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::makeSameSize(bool width)
{
    const Graphics selected = selectedGraphics();
    if (selected.size() > 1) {
        asNamedStep(width ? QStringLiteral("Same Width") : QStringLiteral("Same Height"), [&] {
            const QRectF reference = selected.front()->bounds();
            for (int i = 1; i < selected.size(); ++i) {
                const SKTGraphicPtr& graphic = selected[i];
                if (graphic->ctrl_is_locked)
                    continue;
                QRectF bounds = graphic->bounds();
                if (width && bounds.width() != reference.width())
                    bounds.setWidth(reference.width());
                else if (!width && bounds.height() != reference.height())
                    bounds.setHeight(reference.height());
                else
                    continue;
                graphic->setBounds(bounds);
            }
        });
    }
    update();
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::makeSameWidth()
{
    makeSameSize(true);
}

void SKTGraphicView::makeSameHeight()
{
    makeSameSize(false);
}

void SKTGraphicView::makeNaturalSize()
{
    const Graphics selected = selectedGraphics();
    asNamedStep(QStringLiteral("Natural Size"), [&] {
        for (const SKTGraphicPtr& graphic : selected)
            graphic->makeNaturalSize();
    });
    update();
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::alignWithGrid()
{
    SKTGrid* shared = grid();
    if (shared && shared->canAlign()) {
        asNamedStep(QStringLiteral("Align to Grid"), [&] {
            for (const SKTGraphicPtr& graphic : selectedGraphics()) {
                if (!graphic->ctrl_is_locked)
                    graphic->setBounds(shared->alignedRect(graphic->bounds()));
            }
        });
        update();
    }
    host_.Undo_Redo_Button_state();
}

void SKTGraphicView::print_contol_or_not(int value)
{
    for (const SKTGraphicPtr& graphic : selectedGraphics()) {
        if (!graphic->ctrl_is_locked)
            graphic->print_object = value;
    }
}

// ---- Selection, rulers and validation --------------------------------------------------------

void SKTGraphicView::selectAll()
{
    setSelection(graphics());
}

void SKTGraphicView::deselectAll()
{
    setSelection({});
}

void SKTGraphicView::showOrHideRulers()
{
    host_.setRulersVisible(!host_.rulersVisible());
}

void SKTGraphicView::Refresh_ScrollView()
{
    if (QWidget* around = parentWidget())
        around->update();
    update();
}

bool SKTGraphicView::isCommandEnabled(Command command) const
{
    const Graphics selected = selectedGraphics();
    switch (command) {
    case Command::MakeNaturalSize:
        return std::any_of(
            selected.begin(), selected.end(), [](const SKTGraphicPtr& g) { return g->canMakeNaturalSize(); });
    case Command::AlignWithGrid:
        return grid() && grid()->canAlign() && !selected.isEmpty();
    case Command::Delete:
    case Command::BringToFront:
    case Command::SendToBack:
    case Command::Cut:
    case Command::Copy:
        return !selected.isEmpty();
    case Command::AlignEdges:
    case Command::SameSize:
        return selected.size() >= 2;
    case Command::Other:
        return true;
    }
    return true;
}

// ---- Services --------------------------------------------------------------------------------

void SKTGraphicView::delete_all_control()
{
    QList<int> all;
    for (int i = 0; i < graphics().size(); ++i)
        all.append(i);
    if (!all.isEmpty())
        removeOnSide(all);
}

SKTGraphicPtr SKTGraphicView::Selcect_Ctrl_With_ID(const QString& identifier) const
{
    for (const SKTGraphicPtr& graphic : graphics()) {
        if ((isExactlyKind(*graphic, GraphicKind::Text) || isExactlyKind(*graphic, GraphicKind::Image))
            && graphic->control_ID == identifier)
            return graphic;
    }
    return nullptr;
}

void SKTGraphicView::Hide_all_Text_control_FUP_Control()
{
    static const QStringList profileFields = { QStringLiteral("Fup_Name"), QStringLiteral("Fup_Title"),
        QStringLiteral("Fup_Company"), QStringLiteral("Fup_CompanySlogan"), QStringLiteral("Fup_Address"),
        QStringLiteral("Fup_PhoneNO"), QStringLiteral("Fup_FaxNo"), QStringLiteral("Fup_EmailID"),
        QStringLiteral("Fup_Website"), QStringLiteral("Fup_UniqueNo"), QStringLiteral("Fup_Photo") };
    const Graphics& list = graphics();
    for (int i = int(list.size()) - 1; i >= 0; --i) {
        const SKTGraphicPtr& graphic = list[i];
        if ((isExactlyKind(*graphic, GraphicKind::Text) || isExactlyKind(*graphic, GraphicKind::Image))
            && profileFields.contains(graphic->control_ID))
            graphic->Set_Ctrl_Is_Visible(false);
    }
    update();
}

void SKTGraphicView::delete_all_Text_control()
{
    QList<int> doomed;
    const Graphics& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (isExactlyKind(*list[i], GraphicKind::Text) || isExactlyKind(*list[i], GraphicKind::Image))
            doomed.append(i);
    }
    if (!doomed.isEmpty())
        removeOnSide(doomed);
}
