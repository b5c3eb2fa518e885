#pragma once

#include "model/SKTGraphic.h"
#include "platform/UndoManager.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QSizeF>

#include <array>
#include <cstdint>
#include <functional>

class QPagedPaintDevice;

// The one document: the objects of the front, back and scratch ("TEMP") sides, and undo.
// The front and the back each have their own history: insertions, removals and changes of
// their objects' observed values. The scratch list (a preview) changes directly.
class SKTDocument : public QObject, private SKTGraphicObserver
{
    Q_OBJECT

public:
    enum class Side { Front, Back, Temp };
    using Graphics = QList<SKTGraphicPtr>;

    explicit SKTDocument(QObject* parent = nullptr);
    ~SKTDocument() override;

    const Graphics& graphics() const { return graphics_; }
    const Graphics& graphics_back() const { return graphicsBack_; }
    const Graphics& graphics_temp() const { return graphicsTemp_; }
    const Graphics& graphicsOfSide(Side side) const;

    // The front list's changes (undoable). Indexes are ascending: each object goes to its
    // index in turn (as into the list being built).
    void insertGraphics(const Graphics& graphics, const QList<int>& indexes);
    void removeGraphicsAtIndexes(const QList<int>& indexes);

    // Changes a side's list: the front and back undoably, the scratch list directly.
    void insertGraphicsOnSide(Side side, const Graphics& graphics, const QList<int>& indexes);
    void removeGraphicsOnSide(Side side, const QList<int>& indexes);
    // Replaces a side's list whole (the scratch side shows another side's objects).
    void setGraphicsOfSide(Side side, const Graphics& graphics);

    // A side's history; the scratch side's never holds a step.
    UndoManager& undoManager(Side side = Side::Front) { return history(side).undo; }
    // Runs change as one step, so named, in the front's and the back's history together: Undo
    // or Redo of either side takes both parts along while the other part is next in its history.
    void runAsStepOnBothSides(const QString& name, const std::function<void()>& change);
    void undo(Side side);
    void redo(Side side);
    // Whether both sides are at their saved state; marking it marks both.
    bool isUndoClean() const;
    void setUndoClean();
    void Enable_Disable_Undo_Registraion(bool enable);
    // Empties both sides' undo and redo and the front list; the back and scratch lists stay.
    void Clear_All_Undo_Redo();

    // The fixed print size 243 x 154 points when asked for it, else the size given.
    static QSizeF canvasSize(bool fixedPrintSize, const QSizeF& size);
    QString displayName() const;
    bool isDocumentEdited() const { return false; }

    // Document data of the front side: "QUON CARD document" (or the document type) gives a
    // binary property list with "version" 2 and "graphics"; PDF and TIFF types give those
    // pictures. An unknown type gives no data and a reason.
    QByteArray dataOfType(const QString& typeName, QString* error = nullptr) const;
    // The front side printed at 243 x 154 points, titled after the design file.
    bool printFrontSide(QPagedPaintDevice& device) const;

signals:
    // The list of a side gained, lost or reordered objects.
    void graphicsChanged(SKTDocument::Side side);

private:
    using OldProperties = QHash<SKTGraphic*, QPair<SKTGraphicPtr, QVariantMap>>;
    // One side's undo and the state of its current undo group.
    struct History
    {
        UndoManager undo;
        QSet<SKTGraphic*> groupInsertedGraphics;
        std::shared_ptr<OldProperties> groupOldPropertiesPerGraphic;
        QString groupPresentablePropertyName;
        bool groupHasChangesToMultipleProperties = false;
    };

    void graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue) override;
    void observeUndoManagerCheckpoint(History& history);
    void runStep(Side side, bool redoing);
    void setGraphicProperties(const OldProperties& properties);
    void startObservingGraphics(Side side, const Graphics& graphics);
    void stopObservingGraphics(const Graphics& graphics);
    void insertUndoably(Side side, const Graphics& graphics, const QList<int>& indexes);
    void removeUndoably(Side side, const QList<int>& indexes);
    Graphics& listOfSide(Side side);
    History& history(Side side) { return histories_[size_t(side)]; }
    const History& history(Side side) const { return histories_[size_t(side)]; }

    Graphics graphics_;
    Graphics graphicsBack_;
    Graphics graphicsTemp_;
    std::array<History, 3> histories_; // by Side
    QHash<const SKTGraphic*, Side> observedSide_;
    std::uint64_t lastStepLink_ = 0;
};

inline const QString SKTDocumentGraphicsKey = QStringLiteral("graphics");
inline const QString SKTDocumentVersionKey = QStringLiteral("version");
inline const QString SKTDocumentPrintInfoKey = QStringLiteral("printInfo");
inline const QString SKTDocumentOldTypeName = QStringLiteral("QUON CARD document");
inline const QString SKTDocumentNewTypeName = QStringLiteral("com.quon.card.document");
constexpr int SKTDocumentCurrentVersion = 2;
