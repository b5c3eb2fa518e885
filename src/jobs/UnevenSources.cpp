#include "jobs/UnevenSources.h"

#include "platform/DialogService.h"

#include <QStringList>

#include <algorithm>

namespace {

QString sourceName(const DataBinding::SourceLength& source, const DataBinding& binding)
{
    if (!source.seriesName.isEmpty())
        return QStringLiteral("Series \"%1\"").arg(source.seriesName);
    return source.column == 0 ? QStringLiteral("Spreadsheet row numbers")
                              : QStringLiteral("Spreadsheet column %1").arg(binding.columnLabel(source.column));
}

QString valuesText(int values)
{
    return values == 1 ? QStringLiteral("1 value") : QStringLiteral("%1 values").arg(values);
}

// What the run would be asked about its sources' lengths; "" when they line up.
QString unevenLengths(const DataBinding& binding)
{
    const QList<DataBinding::SourceLength> sources = binding.sourceLengths();
    if (sources.size() < 2)
        return QString();
    const auto [shortest, longest] = std::minmax_element(sources.begin(), sources.end(),
        [](const DataBinding::SourceLength& a, const DataBinding::SourceLength& b) { return a.values < b.values; });
    if (shortest->values == longest->values)
        return QString();
    QStringList lines;
    for (const DataBinding::SourceLength& source : sources)
        lines << QStringLiteral("%1: %2").arg(sourceName(source, binding), valuesText(source.values));
    const int cards = binding.Total_Batch_Excel_Card;
    const int lacking = cards - shortest->values;
    return QStringLiteral("The data bound to this card do not line up:\n\n%1\n\n%2 of the %3 cards would lack a value. "
                          "If a value was deleted from one list, every card after it pairs values of different "
                          "rows.")
        .arg(lines.join(u'\n'))
        .arg(lacking)
        .arg(cards);
}

} // namespace

QString sourcesQuestion(const DataBinding& binding)
{
    QStringList parts;
    if (const QStringList& objects = binding.objectsWithoutSource(); !objects.isEmpty())
        parts << QStringLiteral("These objects are bound to a series or spreadsheet column that gives them nothing, "
                                "so no card will show them:\n\n%1")
                     .arg(objects.join(u'\n'));
    if (const QStringList objects = binding.objectsOfSourcesNotSteppedThrough(); !objects.isEmpty())
        parts << QStringLiteral("These objects are bound to a source whose rows this run does not use, so every card "
                                "would show them with the values of its first row:\n\n%1\n\nTick that source too to "
                                "give each card its own row's values.")
                     .arg(objects.join(u'\n'));
    parts << unevenLengths(binding);
    parts.removeAll(QString());
    if (parts.isEmpty())
        return QString();
    return parts.join(QStringLiteral("\n\n")) + QStringLiteral("\n\nDo you want to go on?");
}

bool goOnWithSources(const DataBinding& binding)
{
    const QString question = sourcesQuestion(binding);
    return question.isEmpty() || dialogs().askGoOnOrCancel(question, QStringLiteral("Go On"));
}
