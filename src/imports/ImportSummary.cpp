#include "imports/ImportSummary.h"

#include "platform/DialogService.h"

void ImportSummary::addSeries(qsizetype values)
{
    ++series_;
    values_ += values;
}

void ImportSummary::addValues(qsizetype values)
{
    intoEditor_ = true;
    values_ += values;
}

void ImportSummary::skip(const QString& what, const QString& why)
{
    skipped_.append(QStringLiteral("%1 (%2)").arg(what, why));
}

QString ImportSummary::line() const
{
    const QString valueWord = values_ == 1 ? QStringLiteral("value") : QStringLiteral("values");
    QString text;
    if (intoEditor_ && series_ == 0)
        text = QStringLiteral("%1 %2 added to the series.").arg(values_).arg(valueWord);
    else
        text = QStringLiteral("%1 series with %2 %3 imported.").arg(series_).arg(values_).arg(valueWord);
    if (!skipped_.isEmpty())
        text += QStringLiteral(" Skipped: %1.").arg(skipped_.join(QStringLiteral(", ")));
    return text;
}

void ImportSummary::tell() const
{
    dialogs().showInformation(line());
}
