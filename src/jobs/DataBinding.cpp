#include "jobs/DataBinding.h"

#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/SizeText.h"


#include <algorithm>
#include <typeinfo>

namespace {

bool holdsAValue(const QStringList& values)
{
    return std::any_of(values.begin(), values.end(), [](const QString& value) { return !Trim_Str(value).isEmpty(); });
}

QString objectKind(const SKTGraphic& object)
{
    if (typeid(object) == typeid(SKTImage))
        return QStringLiteral("Picture");
    return typeid(object) == typeid(SKTBarcode) ? QStringLiteral("Barcode") : QStringLiteral("Text");
}

// How a fault names an object that takes no row value: its kind and, for a text, how it begins.
QString objectName(const SKTGraphic& object)
{
    if (typeid(object) != typeid(SKTText))
        return objectKind(object);
    return QStringLiteral("Text \"%1\"")
        .arg(oneLineCut(object._Text_contents ? object._Text_contents->string : object.Text_Value, 24));
}

// How a fault or a question names an object that takes row values: its kind, side and source.
// Not by its text, which the canvas does not show while the object is bound.
QString boundObjectName(const SKTGraphic& object, const QString& side, const DataBinding& binding)
{
    const QString source = object.data_source_type == DataBinding::seriesSource
        ? QStringLiteral("series \"%1\"").arg(object.batch_list_name)
        : QStringLiteral("spreadsheet column %1").arg(binding.columnLabelOf(object));
    return QStringLiteral("%1 on the %2 (%3)").arg(objectKind(object), side, source);
}

// A hidden or unprinted text is not on the card, so nothing of it is cut.
bool printedTextFits(const SKTText* text, const CardEdge& card)
{
    return !text || !text->ctrl_is_visible || text->print_object != 0 || text->textFitsBounds(card);
}

bool printedBarcodeFits(const SKTBarcode* barcode, const CardEdge& card)
{
    return !barcode || !barcode->ctrl_is_visible || barcode->print_object != 0 || barcode->barcodeFitsBounds(card);
}

// A series file by the series reading rule: every line a row, blank lines too, and a line
// longer than a value can be an empty row named as such. None when it cannot be read (logged),
// with why.
std::optional<SeriesRows> readSeriesRows(const QString& seriesName, QString& reason)
{
    std::optional<SeriesRows> rows = readSeriesFile(seriesName, &reason);
    if (!rows)
        Show_NSLog_Message(QStringLiteral("Series %1 cannot be read: %2").arg(seriesName, reason));
    return rows;
}

} // namespace

bool DataBinding::takesRowValues(const SKTGraphic& object)
{
    const auto& kind = typeid(object);
    return kind == typeid(SKTText) || kind == typeid(SKTImage) || kind == typeid(SKTBarcode);
}

bool DataBinding::sideUses(const QList<SKTGraphicPtr>& side, int source)
{
    return std::any_of(side.begin(), side.end(), [source](const SKTGraphicPtr& object) {
        return object && takesRowValues(*object) && object->data_source_type == source;
    });
}

DataBinding DataBinding::Check_Series_Or_Excel_Use_or_not(const QList<SKTGraphicPtr>& front,
    const QList<SKTGraphicPtr>& back, bool twoSided, SpreadsheetRows spreadsheet, QStringList columnTitles,
    const QList<int>& goneColumns)
{
    DataBinding binding;
    binding.columnTitles_ = std::move(columnTitles);
    const QList<SKTGraphicPtr> none;
    const QList<SKTGraphicPtr>& backInUse = twoSided ? back : none;

    QHash<QString, QString> unreadable; // why each bound series that is there cannot be read
    binding.Use_Data_Sheet_Values = sideUses(front, seriesSource) || sideUses(backInUse, seriesSource);
    if (binding.Use_Data_Sheet_Values) {
        // Keyed by name: a series listing that changed since binding never binds another series.
        for (const QList<SKTGraphicPtr>* side : { &front, &backInUse }) {
            for (const SKTGraphicPtr& object : *side) {
                if (!object || !takesRowValues(*object) || object->data_source_type != seriesSource)
                    continue;
                const QString& name = object->batch_list_name;
                if (name.isEmpty() || binding.data_table_content.contains(name))
                    continue;
                QString reason;
                if (std::optional<SeriesRows> rows = readSeriesRows(name, reason)) {
                    binding.data_table_content.insert(name, std::move(rows->values));
                    if (!rows->tooLong.isEmpty())
                        binding.tooLongRows_.insert(name, std::move(rows->tooLong));
                    binding.seriesOrder_.append(name);
                    binding.seriesFolders_.insert(name, seriesOrigin(name));
                } else if (seriesExists(name)) {
                    unreadable.insert(name, reason);
                }
            }
        }
    }

    binding.Use_Excel_Binding_Values = sideUses(front, spreadsheetSource) || sideUses(backInUse, spreadsheetSource);
    if (binding.Use_Excel_Binding_Values) {
        binding.spreadsheet_ = std::move(spreadsheet);
        binding.spreadsheetFolder_ = workbookFolder(Excel_Source_Path);
        // A column whose title is gone has no length to compare: it is named as giving nothing.
        for (const QList<SKTGraphicPtr>* side : { &front, &backInUse }) {
            for (const SKTGraphicPtr& object : *side) {
                if (!object || !takesRowValues(*object) || object->data_source_type != spreadsheetSource)
                    continue;
                const int column = object->excelColumnIn(binding.columnTitles_);
                if (column >= 0 && !goneColumns.contains(column) && !binding.boundColumns_.contains(column))
                    binding.boundColumns_.append(column);
            }
        }
    }

    const SpreadsheetRows& table = binding.Use_Excel_Binding_Values ? binding.spreadsheet_ : spreadsheet;
    for (const auto& [side, place] : { std::pair(&front, "front"), std::pair(&backInUse, "back") }) {
        for (const SKTGraphicPtr& object : *side) {
            if (!object)
                continue;
            const auto series = binding.data_table_content.constFind(object->batch_list_name);
            QString missing
                = missingSource(*object, series == binding.data_table_content.constEnd() ? nullptr : &*series, table,
                    binding.columnTitles_, goneColumns);
            if (const auto why = unreadable.constFind(object->batch_list_name);
                !missing.isEmpty() && object->data_source_type == seriesSource && why != unreadable.cend())
                missing = QStringLiteral("series \"%1\" cannot be read: %2").arg(object->batch_list_name, *why);
            else if (!missing.isEmpty() && binding.tooLongRows_.contains(object->batch_list_name))
                missing += QStringLiteral(" a card can take: every value in it is longer than %1")
                               .arg(sizeText(maxSeriesValueBytes));
            if (!missing.isEmpty())
                binding.objectsWithoutSource_
                    << QStringLiteral("%1 on the %2: %3").arg(objectKind(*object), QLatin1String(place), missing);
            else if (takesRowValues(*object) && object->data_source_type == seriesSource)
                binding.seriesObjects_ << boundObjectName(*object, QLatin1String(place), binding);
            else if (takesRowValues(*object) && object->data_source_type == spreadsheetSource)
                binding.spreadsheetObjects_ << boundObjectName(*object, QLatin1String(place), binding);
        }
    }

    binding.Get_total_Card_count();
    binding.Use_Data_Sheet_Values = binding.Use_Data_Sheet_Values && binding.Data_table_rows > 0;
    binding.Use_Excel_Binding_Values = binding.Use_Excel_Binding_Values && binding.Excel_table_rows > 0;
    if (!binding.Use_Data_Sheet_Values)
        binding.seriesObjects_.clear();
    if (!binding.Use_Excel_Binding_Values)
        binding.spreadsheetObjects_.clear();
    return binding;
}

void DataBinding::Calculate_data_table_rows()
{
    Data_table_rows = 0;
    for (const QStringList& rows : std::as_const(data_table_content))
        Data_table_rows = std::max(Data_table_rows, int(rows.size()));
}

void DataBinding::Get_total_Card_count()
{
    if (Use_Data_Sheet_Values)
        Calculate_data_table_rows();
    else
        Data_table_rows = 0;
    Excel_table_rows = Use_Excel_Binding_Values ? int(spreadsheet_.size()) : 0;
    Total_Batch_Excel_Card = std::max(Data_table_rows, Excel_table_rows);
}

QStringList DataBinding::objectsOfSourcesNotSteppedThrough() const
{
    // A run of one card shows the card as the design does, every object as it stands.
    if (!inUse())
        return {};
    QStringList named;
    if (!Use_Data_Sheet_Values)
        named << seriesObjects_;
    if (!Use_Excel_Binding_Values)
        named << spreadsheetObjects_;
    return named;
}

qsizetype DataBinding::spreadsheetWidth() const
{
    qsizetype width = 0;
    for (const QStringList& row : spreadsheet_)
        width = std::max(width, row.size());
    return width;
}

QList<DataBinding::SourceLength> DataBinding::sourceLengths() const
{
    QList<SourceLength> lengths;
    if (Use_Data_Sheet_Values)
        for (const QString& name : seriesOrder_)
            lengths.append({ name, 0, int(data_table_content.value(name).size()) });
    if (Use_Excel_Binding_Values) {
        for (const int column : boundColumns_) {
            int values = 0;
            for (int row = int(spreadsheet_.size()); row > 0 && values == 0; --row)
                if (!Trim_Str(Get_sel_row_col_value_of_Excel(row - 1, column)).isEmpty())
                    values = row;
            lengths.append({ QString(), column, values });
        }
    }
    return lengths;
}

QString DataBinding::columnLabel(int column, const QStringList& columnTitles)
{
    const QString title = column > 0 ? Trim_Str(columnTitles.value(column)) : QString();
    const bool shared = std::count_if(columnTitles.begin(), columnTitles.end(), [&title](const QString& other) {
        return Trim_Str(other) == title;
    }) > 1;
    return title.isEmpty() || shared ? QString::number(column) : QStringLiteral("\"%1\"").arg(title);
}

QString DataBinding::columnLabelOf(const SKTGraphic& object, const QStringList& columnTitles)
{
    const int column = object.excelColumnIn(columnTitles);
    const QString title = Trim_Str(object.excel_col_title);
    // A column whose title is gone is named by the title it was bound to, never by a place.
    if (column < 0 && !title.isEmpty())
        return QStringLiteral("\"%1\"").arg(title);
    return columnLabel(column, columnTitles);
}

QString DataBinding::missingSource(const SKTGraphic& object, const QStringList* seriesValues,
    const SpreadsheetRows& spreadsheet, const QStringList& columnTitles, const QList<int>& goneColumns)
{
    if (!takesRowValues(object))
        return QString();
    if (object.data_source_type == seriesSource) {
        const QString& name = object.batch_list_name;
        if (Trim_Str(name).isEmpty())
            return QStringLiteral("no series is chosen");
        if (!seriesValues)
            return QStringLiteral("series \"%1\" does not exist or cannot be read").arg(name);
        return holdsAValue(*seriesValues) ? QString() : QStringLiteral("series \"%1\" holds no value").arg(name);
    }
    if (object.data_source_type != spreadsheetSource)
        return QString();
    const int column = object.excelColumnIn(columnTitles);
    qsizetype columns = 0;
    for (const QStringList& row : spreadsheet)
        columns = std::max(columns, row.size());
    if (!spreadsheet.isEmpty() && (column < 0 || column >= columns))
        return QStringLiteral("spreadsheet column %1 does not exist").arg(columnLabelOf(object, columnTitles));
    // Its place is kept, empty, after the workbook was read again without its title.
    if (goneColumns.contains(column))
        return QStringLiteral("the title of spreadsheet column %1 is no longer in the workbook")
            .arg(columnLabelOf(object, columnTitles));
    const bool holds = std::any_of(spreadsheet.begin(), spreadsheet.end(), [column](const QStringList& row) {
        return column >= 0 && column < row.size() && !Trim_Str(row.at(column)).isEmpty();
    });
    return holds ? QString()
                 : QStringLiteral("spreadsheet column %1 holds no value").arg(columnLabelOf(object, columnTitles));
}

QString DataBinding::Get_sel_row_col_value_of_dataset(int row, const QString& seriesName) const
{
    const auto found = data_table_content.constFind(seriesName);
    if (found == data_table_content.constEnd() || row < 0 || row >= found->size())
        return QString();
    return found->at(row);
}

QString DataBinding::Get_sel_row_col_value_of_Excel(int row, int column) const
{
    if (row < 0 || row >= spreadsheet_.size() || column < 0 || column >= spreadsheet_.at(row).size())
        return QString();
    return spreadsheet_.at(row).at(column);
}

std::optional<QString> DataBinding::valueFor(const SKTGraphic& object, int row) const
{
    if (!takesRowValues(object))
        return std::nullopt;
    if (object.data_source_type == seriesSource && Use_Data_Sheet_Values)
        return Trim_Str(Get_sel_row_col_value_of_dataset(row, object.batch_list_name));
    if (object.data_source_type == spreadsheetSource && Use_Excel_Binding_Values)
        return Trim_Str(Get_sel_row_col_value_of_Excel(row, object.excelColumnIn(columnTitles_)));
    return std::nullopt;
}

bool DataBinding::valueTooLong(const SKTGraphic& object, int row) const
{
    if (object.data_source_type != seriesSource || !Use_Data_Sheet_Values || !takesRowValues(object))
        return false;
    const auto rows = tooLongRows_.constFind(object.batch_list_name);
    return rows != tooLongRows_.constEnd() && std::binary_search(rows->begin(), rows->end(), row);
}

QString DataBinding::pictureFolderFor(const SKTGraphic& object) const
{
    if (object.data_source_type == seriesSource)
        return seriesFolders_.value(object.batch_list_name);
    return object.data_source_type == spreadsheetSource ? spreadsheetFolder_ : QString();
}

void DataBinding::Assign_Batch_Values_To_Control(const QList<SKTGraphicPtr>& side, int row) const
{
    for (const SKTGraphicPtr& object : side) {
        if (!object)
            continue;
        if (const std::optional<QString> value = valueFor(*object, row))
            RowApplication::prepare(*object, pictureFolderFor(*object))(*value);
    }
}

BoundSide::BoundSide(
    const QList<SKTGraphicPtr>& side, const DataBinding& binding, const CardEdge& card, const QString& sideName)
    : binding_(binding)
    , card_(card)
{
    for (const SKTGraphicPtr& object : side) {
        if (!object)
            continue;
        const auto* text = dynamic_cast<const SKTText*>(object.get());
        if (binding.valueFor(*object, 0)) {
            const SKTGraphic& graphic = *object;
            const CardFault::Kind missing
                = typeid(graphic) == typeid(SKTImage) ? CardFault::Kind::NoPicture : CardFault::Kind::NoBarcode;
            bound_.push_back({ object, RowApplication::prepare(*object, binding.pictureFolderFor(*object)), text,
                missing, boundObjectName(*object, sideName, binding), dynamic_cast<const SKTBarcode*>(object.get()) });
        } else if (!printedTextFits(text, card)) {
            unboundCut_.append(
                { CardFault::Kind::TextCut, QStringLiteral("%1 on the %2").arg(objectName(*object), sideName), {}, {} });
        } else if (!printedBarcodeFits(dynamic_cast<const SKTBarcode*>(object.get()), card)) {
            unboundCut_.append(
                { CardFault::Kind::BarcodeCut, QStringLiteral("%1 on the %2").arg(objectName(*object), sideName), {}, {} });
        }
    }
}

RowOutcome BoundSide::apply(int row) const
{
    RowOutcome outcome;
    // A text or barcode that takes no row value is cut the same on every card.
    outcome.faults = unboundCut_;
    for (const CardFault& fault : unboundCut_) {
        outcome.textFits = outcome.textFits && fault.kind != CardFault::Kind::TextCut;
        outcome.barcodeFits = outcome.barcodeFits && fault.kind != CardFault::Kind::BarcodeCut;
    }
    for (const Bound& bound : bound_) {
        if (binding_.valueTooLong(*bound.object, row)) {
            applyTooLong(bound, outcome);
            continue;
        }
        const QString value = binding_.valueFor(*bound.object, row).value_or(QString());
        if (const RowApplication::Applied applied = bound.apply(value); !applied.made) {
            outcome.picturesMade = false;
            const bool picture = bound.missing == CardFault::Kind::NoPicture && !applied.picture.path.isEmpty();
            // A file that is a picture, refused for the memory it would take, is not called unreadable.
            const bool forMemory = applied.refusal == PictureFile::Refusal::TooLarge
                || applied.refusal == PictureFile::Refusal::NoRoom;
            outcome.lackedRoom = outcome.lackedRoom || applied.refusal == PictureFile::Refusal::NoRoom;
            outcome.faults.append({ bound.missing, bound.name, picture ? applied.picture.path : value,
                forMemory ? applied.reason : QString() });
        }
        if (!printedTextFits(bound.text, card_)) {
            outcome.textFits = false;
            outcome.faults.append({ CardFault::Kind::TextCut, bound.name, value, {} });
        }
        if (!printedBarcodeFits(bound.barcode, card_)) {
            outcome.barcodeFits = false;
            outcome.faults.append({ CardFault::Kind::BarcodeCut, bound.name, value, {} });
        }
    }
    return outcome;
}

void BoundSide::applyTooLong(const Bound& bound, RowOutcome& outcome) const
{
    // Whatever an empty value gives (an empty frame for a barcode) is not the row's fault.
    bound.apply(QString());
    outcome.valuesRead = false;
    outcome.faults.append({ CardFault::Kind::ValueTooLong, bound.name, {} });
}
