#include "jobs/FirstCard.h"

#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTBarcode.h"
#include "platform/FileIdentity.h"

#include <QFileInfo>

#include <typeinfo>

const QStringList* FirstCard::seriesValues(const QString& name, QString* origin)
{
    // A name from a design file may point anywhere: only the series folder's own files count.
    if (!isSeriesNameSafe(name))
        return nullptr;
    const QString identity = fileIdentity(seriesFilePath(name));
    auto known = series_.find(name);
    if (known == series_.end() || known->identity != identity || identity.isEmpty())
        known = series_.insert(
            name, { identity, identity.isEmpty() ? std::nullopt : readSeriesFile(name), seriesOrigin(name) });
    if (origin)
        *origin = known->origin;
    return known->values ? &*known->values : nullptr;
}

void FirstCard::setSpreadsheet(SpreadsheetRows rows)
{
    spreadsheet_ = std::move(rows);
    columnProblems_.clear();
}

FirstCard::Binding FirstCard::firstValueOf(const SKTGraphic& object, QString* value, QString* pictureFolder)
{
    if (!DataBinding::takesRowValues(object))
        return Binding::Own;
    const QStringList* values = nullptr;
    QString missing;
    if (object.data_source_type == DataBinding::seriesSource) {
        if (!Trim_Str(object.batch_list_name).isEmpty())
            values = seriesValues(object.batch_list_name, pictureFolder);
        missing = DataBinding::missingSource(object, values, spreadsheet_);
    } else if (object.data_source_type == DataBinding::spreadsheetSource) {
        if (!Trim_Str(Excel_Source_Path).isEmpty())
            *pictureFolder = QFileInfo(Trim_Str(Excel_Source_Path)).absolutePath();
        auto known = columnProblems_.constFind(object.excel_col_indx);
        if (known == columnProblems_.constEnd())
            known = columnProblems_.insert(
                object.excel_col_indx, DataBinding::missingSource(object, nullptr, spreadsheet_));
        missing = *known;
    } else {
        return Binding::Own;
    }
    if (!missing.isEmpty())
        return Binding::Nothing;
    // A barcode's picture is made by the barcode window, not per drawing.
    if (typeid(object) == typeid(SKTBarcode))
        return Binding::Own;
    if (values)
        *value = Trim_Str(values->value(0));
    else if (!spreadsheet_.isEmpty())
        *value = Trim_Str(spreadsheet_.constFirst().value(object.excel_col_indx));
    return Binding::Value;
}

SKTGraphicPtr FirstCard::shown(const SKTGraphicPtr& object)
{
    QString value;
    QString folder;
    switch (object ? firstValueOf(*object, &value, &folder) : Binding::Own) {
    case Binding::Own:
        return object;
    case Binding::Nothing:
        return nullptr;
    case Binding::Value:
        break;
    }
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
        else if (binding == Binding::Value)
            RowApplication::applyValue(*object, value, folder);
    }
}
