#pragma once

#include "jobs/DataBinding.h"

#include <QHash>

#include <functional>

// The first card of a run as the design's bound objects show it before any run: a bound text
// or picture takes its series' or column's first value, and an object whose source gives
// nothing shows nothing. The canvas draws this, and a run's card that takes no row is this, so
// what the canvas shows is what the cards get: a bound barcode is drawn from its first value
// as a run draws it. One thread; a series read stays known until its file changes, and only
// its start is read.
class FirstCard
{
public:
    // The spreadsheet table as a run reads it, with its column titles (the row-number column's
    // first), by which bound objects find their columns.
    void setSpreadsheet(SpreadsheetRows rows, QStringList columnTitles = {});
    // Why a spreadsheet-bound object shows nothing because the table has no column of the
    // title it was bound to ("" otherwise), as the canvas names it.
    QString goneColumnOf(const SKTGraphic& object) const;

    // The object as the first card shows it: the object itself when it keeps what it holds, a
    // copy that took its first value, or none when its source gives nothing (or a value that
    // its barcode kind cannot encode).
    SKTGraphicPtr shown(const SKTGraphicPtr& object);
    // The same for a side of a run's own copies, in place: bound objects take their first
    // value and those without a source are hidden. An object whose first value lies past what
    // this reads is left empty, not hidden: the run's rows, read whole, give it their values.
    void applyTo(const QList<SKTGraphicPtr>& side);
    // The value a bound object takes on the first card; none for an object that keeps what it
    // holds or whose source gives nothing.
    std::optional<QString> boundValue(const SKTGraphic& object);
    // Whether the object shows something on the first card: one that keeps what it holds, or
    // a value that its kind can show (a text some text, a picture a picture that is read).
    bool showsSomething(const SKTGraphicPtr& object);

    // Told the name of each series as its file is read, so that the owner can watch the file
    // and draw the card again when it changes.
    std::function<void(const QString& name)> seriesRead;

private:
    enum class Binding
    {
        Own, // keeps what it holds
        Value, // takes the value
        Nothing, // its source gives nothing
        Unread // its first value lies past what the first card reads: only a run's own read finds it
    };
    // The value, and the folder a bare picture name in it is looked for in first.
    Binding firstValueOf(const SKTGraphic& object, QString* value, QString* pictureFolder);
    // The first value of a series as its file now holds it; none when the series cannot be
    // read or holds no value, or (unread set) its start is past what the first card reads
    // (named in the log). origin: the folder of the file it was imported from.
    std::optional<QString> seriesFirstValue(const QString& name, QString* origin, bool* unread);
    // The barcode object as the first card shows it, or none when its value gives no barcode.
    // Its picture is made again only when its value or the picture the barcode window gave it
    // (which changes with its settings) changes: a repaint must not encode every barcode again.
    SKTGraphicPtr barcodeShown(const SKTGraphicPtr& barcode, const QString& value);

    struct ReadSeries
    {
        QString identity; // the file's path, size and modification time when read
        std::optional<QString> firstValue;
        bool unread = false; // the read stopped before a value
        QString origin; // the folder of the file it was imported from
    };
    QHash<QString, ReadSeries> series_;
    struct MadeBarcode
    {
        std::weak_ptr<SKTGraphic> object;
        QString value;
        Picture madeFrom; // the object's own picture when it was made
        Picture picture;
        bool encoded = false; // whether the value gave a barcode
    };
    QHash<const SKTGraphic*, MadeBarcode> barcodes_;
    SpreadsheetRows spreadsheet_;
    QStringList columnTitles_;
    // Why a column gives nothing ("" when it gives values), found once per table: a column is
    // checked down all its rows. Keyed by place and the title bound to (a gone title is named).
    QHash<QString, QString> columnProblems_;
};
