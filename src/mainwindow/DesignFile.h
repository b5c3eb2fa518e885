#pragma once

#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "platform/FileDigest.h"
#include "platform/PlistValue.h"
#include "platform/SafeRead.h"

#include <QString>
#include <QStringList>

#include <atomic>

// Everything a design file holds: both sides' card settings, the spreadsheet table that
// objects may be bound to, and the objects of the front and back sides.
struct DesignContents
{
    Card_PropertyPtr front;
    Card_PropertyPtr back;
    bool excelBindingUse = false;
    QString excelSourcePath;
    QStringList columnTitles;
    PlistArray rows;
    SKTDocument::Graphics frontGraphics;
    SKTDocument::Graphics backGraphics;
    FileDigest workbookContent; // what the workbook held when the rows were read; unknown in older files
    QString workbookIdentity; // the workbook's fileIdentity while it held workbookContent; empty when unknown
};

// The design file: an XML property list whose root array holds, with no keys, the marker,
// 28 items per side, four spreadsheet items, then each side's object count and one keyed
// archive per object, and last, when known, a dictionary of what the workbook held (which
// readers that do not know it pass over). Reading checks every item's type, every count and
// every archive before anything is handed back, so a damaged file never changes the open design.
class DesignFile
{
public:
    static const QString marker; // "QUONMACGALAVITEFOLIOS"
    static constexpr int cardBlockItems = 28;
    static constexpr int itemsWithoutObjects = 63;
    // More objects than this on one side cannot be told apart on a card, and unarchiving them
    // would hold the window for seconds: no design file is written or read with more.
    static constexpr int maxObjectsPerSide = 2500;
    // The largest design file written and read.
    static constexpr qint64 maxFileBytes = SafeRead::maxDesignBytes;

    enum class Status
    {
        Loaded,
        Corrupt,
        TooLarge // beyond what a design may hold: too many objects, or a file past maxFileBytes
    };
    struct ReadResult
    {
        Status status = Status::Corrupt;
        QString reason; // why a file was refused, for the log
        DesignContents contents;
    };

    // The items in file order. A side whose fill is not a picture ("I") loses its
    // background path, in the record itself too, so that only a picture fill keeps one.
    // itemsCollected (if given) counts the items made, also when archiving fails part-way.
    static PlistArray items(const DesignContents& contents, int* itemsCollected = nullptr);
    // Writes the items as an XML property list, replacing the file whole or not at all (a link
    // at path itself with replaceLink, else the file it names). A design that readFile would
    // refuse (too many objects, a file over maxBytes) is not written, and error says why.
    static bool write(const QString& path, const DesignContents& contents, QString* error = nullptr,
        int* itemsCollected = nullptr, qint64 maxBytes = maxFileBytes, bool replaceLink = false);

    // Whether reading decodes the image objects' pictures or leaves them to decodePictures.
    enum class Pictures
    {
        Decoded,
        Deferred
    };
    static ReadResult read(const QByteArray& bytes);
    static ReadResult readFile(
        const QString& path, qint64 maxBytes = maxFileBytes, Pictures pictures = Pictures::Decoded);
    static ReadResult readItems(PlistArray items, Pictures pictures = Pictures::Decoded);
    // The rows for the spreadsheet table, moved out of the contents: a large table is not held twice.
    static QList<PlistValue> takeRows(DesignContents& contents);
    // Decodes the pictures of the image objects and of the picture-filled sides, a few at once,
    // which may take seconds: safe on any thread while nothing else uses the contents. Once
    // `stop` is set no new picture is started; those never started are left out and noted.
    static void decodePictures(DesignContents& contents, const std::atomic<bool>* stop = nullptr);

    // The card outline as stored in the card settings ("R", "RR", "E") and as the global
    // Card_Shape counts it (0 rectangle, 1 rounded rectangle, 2 ellipse).
    static QString cardShapeCode(int cardShape);
    static int cardShapeFromCode(const QString& code);
};
