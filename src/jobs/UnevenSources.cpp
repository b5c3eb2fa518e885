#include "jobs/UnevenSources.h"

#include "platform/DialogService.h"

#include <QStringList>

#include <algorithm>

namespace {

QString sourceName(const DataBinding::SourceLength& source)
{
    if (!source.seriesName.isEmpty())
        return QStringLiteral("Series \"%1\"").arg(source.seriesName);
    return source.column == 0 ? QStringLiteral("Spreadsheet row numbers")
                              : QStringLiteral("Spreadsheet column %1").arg(source.column);
}

QString valuesText(int values)
{
    return values == 1 ? QStringLiteral("1 value") : QStringLiteral("%1 values").arg(values);
}

} // namespace

QString unevenSourcesQuestion(const DataBinding& binding)
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
        lines << QStringLiteral("%1: %2").arg(sourceName(source), valuesText(source.values));
    const int cards = binding.Total_Batch_Excel_Card;
    const int lacking = cards - shortest->values;
    return QStringLiteral("The data bound to this card do not line up:\n\n%1\n\n%2 of the %3 cards would lack a value. "
                          "If a value was deleted from one list, every card after it pairs values of different "
                          "rows.\n\nDo you want to go on?")
        .arg(lines.join(u'\n'))
        .arg(lacking)
        .arg(cards);
}

bool goOnWithUnevenSources(const DataBinding& binding)
{
    const QString question = unevenSourcesQuestion(binding);
    return question.isEmpty() || dialogs().askGoOnOrCancel(question, QStringLiteral("Go On"));
}
