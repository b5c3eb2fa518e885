#include "jobs/FirstCard.h"

#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTBarcode.h"
#include "platform/FileIdentity.h"

#include <typeinfo>

std::optional<QString> FirstCard::seriesFirstValue(const QString& name, QString* origin, bool* unread)
{
    // A name from a design file may point anywhere: only the series folder's own files count.
    if (!isSeriesNameSafe(name))
        return std::nullopt;
    const QString identity = fileIdentity(seriesFilePath(name));
    auto known = series_.find(name);
    if (known == series_.end() || known->identity != identity || identity.isEmpty()) {
        // As DataBinding::missingSource judges a series, from its start alone.
        const std::optional<SeriesHead> head = identity.isEmpty() ? std::nullopt : readSeriesHead(name);
        // Once per state of the file: a repaint reads nothing again.
        if (head && !head->cutShort.isEmpty())
            Show_NSLog_Message(
                QStringLiteral("Series \"%1\" gives the first card no value: %2.").arg(name, head->cutShort));
        known = series_.insert(name,
            { identity, head && head->holdsAValue ? std::optional(head->firstValue) : std::nullopt,
                head && !head->cutShort.isEmpty(), seriesOrigin(name) });
        if (seriesRead)
            seriesRead(name);
    }
    *origin = known->origin;
    *unread = known->unread;
    return known->firstValue;
}

void FirstCard::setSpreadsheet(SpreadsheetRows rows, QStringList columnTitles)
{
    spreadsheet_ = std::move(rows);
    columnTitles_ = std::move(columnTitles);
    columnProblems_.clear();
}

QString FirstCard::goneColumnOf(const SKTGraphic& object) const
{
    if (!DataBinding::takesRowValues(object) || object.data_source_type != DataBinding::spreadsheetSource
        || Trim_Str(object.excel_col_title).isEmpty() || columnTitles_.isEmpty()
        || object.excelColumnIn(columnTitles_) >= 0)
        return QString();
    return QStringLiteral("No column \"%1\"").arg(Trim_Str(object.excel_col_title));
}

FirstCard::Binding FirstCard::firstValueOf(const SKTGraphic& object, QString* value, QString* pictureFolder)
{
    if (!DataBinding::takesRowValues(object))
        return Binding::Own;
    if (object.data_source_type == DataBinding::seriesSource) {
        bool unread = false;
        const std::optional<QString> first = Trim_Str(object.batch_list_name).isEmpty()
            ? std::nullopt
            : seriesFirstValue(object.batch_list_name, pictureFolder, &unread);
        if (!first)
            return unread ? Binding::Unread : Binding::Nothing;
        *value = Trim_Str(*first);
        return Binding::Value;
    }
    if (object.data_source_type != DataBinding::spreadsheetSource)
        return Binding::Own;
    *pictureFolder = workbookFolder(Excel_Source_Path);
    const int column = object.excelColumnIn(columnTitles_);
    const QString key = QStringLiteral("%1\n%2").arg(column).arg(object.excel_col_title);
    auto known = columnProblems_.constFind(key);
    if (known == columnProblems_.constEnd())
        known = columnProblems_.insert(key, DataBinding::missingSource(object, nullptr, spreadsheet_, columnTitles_));
    if (!known->isEmpty())
        return Binding::Nothing;
    if (!spreadsheet_.isEmpty())
        *value = Trim_Str(spreadsheet_.constFirst().value(column));
    return Binding::Value;
}

SKTGraphicPtr FirstCard::barcodeShown(const SKTGraphicPtr& barcode, const QString& value)
{
    SKTGraphicPtr copy = barcode->clone();
    const auto made = barcodes_.constFind(barcode.get());
    if (made != barcodes_.constEnd() && made->object.lock() == barcode && made->value == value
        && made->madeFrom.isSameAs(barcode->_barcode_image)) {
        if (!made->encoded)
            return nullptr;
        copy->Set_Barcode_image(made->picture);
        return copy;
    }
    // A value the kind cannot encode (too long, or with characters it lacks) gives no barcode:
    // the canvas then marks the box, as for a source that gives nothing.
    const bool encoded = RowApplication::applyValue(*copy, value);
    // Entries of deleted objects go as new ones come.
    barcodes_.removeIf([](const auto& entry) { return entry.value().object.expired(); });
    barcodes_.insert(barcode.get(), { barcode, value, barcode->_barcode_image, copy->_barcode_image, encoded });
    return encoded ? copy : nullptr;
}

SKTGraphicPtr FirstCard::shown(const SKTGraphicPtr& object)
{
    QString value;
    QString folder;
    switch (object ? firstValueOf(*object, &value, &folder) : Binding::Own) {
    case Binding::Own:
        return object;
    case Binding::Nothing:
    case Binding::Unread:
        return nullptr;
    case Binding::Value:
        break;
    }
    if (typeid(*object) == typeid(SKTBarcode))
        return barcodeShown(object, value);
    SKTGraphicPtr copy = object->clone();
    RowApplication::applyValue(*copy, value, folder);
    return copy;
}

void FirstCard::applyTo(const QList<SKTGraphicPtr>& side)
{
    for (const SKTGraphicPtr& object : side) {
        QString value;
        QString folder;
        const Binding binding = object ? firstValueOf(*object, &value, &folder) : Binding::Own;
        if (binding == Binding::Nothing)
            object->ctrl_is_visible = false;
        else if (binding != Binding::Own)
            RowApplication::applyValue(*object, value, folder);
    }
}

bool FirstCard::showsSomething(const SKTGraphicPtr& object)
{
    QString value;
    QString folder;
    const Binding binding = firstValueOf(*object, &value, &folder);
    if (binding != Binding::Value)
        return binding == Binding::Own;
    const SKTGraphicPtr copy = object->clone();
    return !value.isEmpty() && RowApplication::applyValue(*copy, value, folder);
}

std::optional<QString> FirstCard::boundValue(const SKTGraphic& object)
{
    QString value;
    QString folder;
    if (firstValueOf(object, &value, &folder) != Binding::Value)
        return std::nullopt;
    return value;
}
