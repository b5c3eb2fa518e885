#include "data/BoundWorkbook.h"

#include "common/StringHelpers.h"
#include "data/SpreadsheetWriter.h"
#include "platform/FileIdentity.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <utility>

namespace BoundWorkbook {

namespace {

// The first row's cells as the table took its titles from them.
QStringList titleRow(const SheetTable& rows)
{
    QStringList titles;
    if (!rows.isEmpty()) {
        for (const QString& cell : rows.front())
            titles.append(Trim_Str(cell));
    }
    return titles;
}

// The sheet the table's rows came from: the one holding most of their cells, then the one
// whose title row holds most of the titles; the first sheet when none holds any. Titles alone
// would take another sheet where a title of the right one was changed or its column deleted.
int sheetOfRows(const Data_From_Excel& table, const QStringList& titles)
{
    QSet<QString> saved;
    for (qsizetype row = 0; row < table.ListData.size(); ++row) {
        for (qsizetype column = 1; column <= titles.size(); ++column) {
            if (const QString cell = Trim_Str(table.value(int(row), int(column))); !cell.isEmpty())
                saved.insert(cell);
        }
    }
    int best = 1;
    std::pair<qsizetype, qsizetype> bestScore { 0, 0 };
    const qsizetype sheets = SpreadsheetWriter::Read_Sheet_Name().size();
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        Excel_Sheet_Number = sheet;
        const SheetTable rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
        qsizetype found = 0;
        for (const QStringList& row : rows) {
            found += std::count_if(
                row.cbegin(), row.cend(), [&saved](const QString& cell) { return saved.contains(Trim_Str(cell)); });
        }
        const QStringList first = titleRow(rows);
        const qsizetype titled = std::count_if(
            titles.cbegin(), titles.cend(), [&first](const QString& title) { return first.contains(title); });
        if (const std::pair score { found, titled }; score > bestScore) {
            best = sheet;
            bestScore = score;
        }
    }
    // The chosen sheet is then read to its own width, as one whose number is known.
    Excel_Sheet_Columns = 1;
    return best;
}

// A table saved with a design does not say whether its sheet had a title row: without one,
// the titles are the first row's values.
bool titlesAreFirstRow(const Data_From_Excel& table, const QStringList& titles)
{
    if (table.ListData.isEmpty())
        return false;
    for (int column = 1; column <= titles.size(); ++column) {
        if (table.value(0, column) != titles.at(column - 1))
            return false;
    }
    return true;
}

} // namespace

Comparison compare(const QString& path, const Data_From_Excel::Source& source, const std::atomic<bool>* stop)
{
    Comparison result { State::AsRead, fileIdentity(path), {} };
    const QFileInfo file(path);
    if (result.identity.isEmpty()) {
        result.state = State::Missing;
    } else if (!source.identity.isEmpty() && result.identity == source.identity) {
        result.state = State::AsRead;
    } else if (source.content.isKnown()) {
        if (file.size() == source.content.bytes)
            result.content = FileDigest::of(path, stop);
        result.state = result.content == source.content ? State::AsRead : State::Changed;
    } else if (!source.identity.isEmpty()
        || (source.designWritten.isValid() && file.lastModified() > source.designWritten)) {
        result.state = State::Changed;
    } else {
        // From now on the rows are compared with this content, also by a design saved with them.
        result.content = FileDigest::of(path, stop);
    }
    return result;
}

Reading readAgain(const QString& path, const Data_From_Excel& table, const std::atomic<bool>* stop)
{
    Reading reading { table, {}, {} };
    const auto release = qScopeGuard([] { SpreadsheetWriter::Release_Data(); });
    // A file that is no workbook is refused before its bytes are read to the end.
    if (const QStringList problems = SpreadsheetWriter::openWorkbook(path); !problems.isEmpty()) {
        reading.error = problems.join(QLatin1Char(' '));
        return reading;
    }
    const QStringList titles = table.columnTitles().mid(1);
    Data_From_Excel::Source source = table.source;
    const bool placesKnown = !source.sheetColumns.isEmpty();
    if (!placesKnown)
        source.hasHeader = !titlesAreFirstRow(table, titles);
    if (source.sheet < 1 || source.sheet > SpreadsheetWriter::Read_Sheet_Name().size())
        source.sheet = sheetOfRows(table, titles);
    Excel_Sheet_Number = source.sheet;
    const SheetTable rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    if (rows.isEmpty()) {
        const QString why = SpreadsheetWriter::lastError();
        reading.error
            = why.isEmpty() ? QStringLiteral("The sheet holds no rows.") : SpreadsheetWriter::cannotReadMessage(why);
        return reading;
    }
    // Of the very file the rows came from: one renamed over the path meanwhile is compared anew.
    const WorkbookFile file = SpreadsheetWriter::openWorkbookFile(stop);
    if (stop && stop->load()) {
        reading.stopped = true;
        return reading;
    }
    if (!file.changed.isEmpty()) {
        reading.error = file.changed;
        return reading;
    }

    // Each column from its title's place (a moved column is still found), or from its own place
    // in a sheet without titles; -1 for a column that is gone.
    const QStringList firstRow = titleRow(rows);
    QList<int> columns;
    for (qsizetype k = 0; k < titles.size(); ++k) {
        int place = -1;
        if (!source.hasHeader && placesKnown) {
            place = k < source.sheetColumns.size() ? source.sheetColumns.at(k) : -1;
        } else {
            // A title met twice takes its places in order.
            for (qsizetype at = 0; (at = firstRow.indexOf(titles.at(k), at)) >= 0; ++at) {
                if (!columns.contains(int(at))) {
                    place = int(at);
                    break;
                }
            }
        }
        columns.append(place);
        if (place < 0)
            reading.goneColumns.append(titles.at(k));
    }
    Data_From_Excel fresh = table;
    fresh.replaceFromSheet(rows, columns, source.hasHeader);
    // A gone column keeps its title, so that what is bound to it stays bound to the same place.
    for (qsizetype k = 0; k < titles.size(); ++k)
        fresh.ColList[k + 1].title = titles.at(k);
    source.identity = file.identity;
    source.content = file.content;
    source.contentIdentity = file.identity;
    source.designWritten = {};
    source.sheetColumns = columns;
    fresh.source = source;
    reading.table = std::move(fresh);
    return reading;
}

} // namespace BoundWorkbook
