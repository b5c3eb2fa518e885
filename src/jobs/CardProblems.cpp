#include "jobs/CardProblems.h"

#include "common/StringHelpers.h"
#include "data/SeriesStore.h"
#include "platform/SizeText.h"

#include <QStringList>

namespace {

// A row's value as the list quotes it: a long text shown by its beginning.
QString quoted(const QString& value)
{
    return QStringLiteral("\"%1\"").arg(oneLineCut(value, 40));
}

} // namespace

QString CardFault::describe() const
{
    switch (kind) {
    case Kind::NoBarcode:
        return value.trimmed().isEmpty() ? QStringLiteral("%1: the row gives no barcode value").arg(object)
                                         : QStringLiteral("%1: %2 gives no valid barcode").arg(object, quoted(value));
    case Kind::NoPicture:
        // A bound value may be a page of text rather than a file's path.
        if (reason.isEmpty())
            return QStringLiteral("%1: no readable picture file at \"%2\"").arg(object, oneLineCut(value, 1000));
        return QStringLiteral("%1: the picture file \"%2\" was left out: %3")
            .arg(object, oneLineCut(value, 1000), reason.endsWith(u'.') ? reason.chopped(1) : reason);
    case Kind::BarcodeCut:
        return value.isEmpty() ? QStringLiteral("%1 passes its box or the card's edge").arg(object)
                               : QStringLiteral("%1: the barcode of %2 passes its box or the card's edge")
                                     .arg(object, quoted(value));
    case Kind::ValueTooLong:
        return QStringLiteral("%1: the row's value is longer than the %2 a value can hold, so the card shows nothing "
                              "there")
            .arg(object, sizeText(maxSeriesValueBytes));
    case Kind::TextCut:
        break;
    }
    return value.isEmpty() ? QStringLiteral("%1 does not fit its box").arg(object)
                           : QStringLiteral("%1: %2 does not fit its box").arg(object, quoted(value));
}

QString NamedRows::cardsSentence(const QString& one, const QString& many) const
{
    if (count <= 0)
        return QString();
    if (firstRows.isEmpty())
        return QStringLiteral("The card %1.").arg(one);
    QStringList rows;
    for (const int row : firstRows)
        rows << QString::number(row);
    QString named = rows.join(QStringLiteral(", "));
    if (count > firstRows.size())
        named += QStringLiteral(" and %1 more").arg(count - firstRows.size());
    return count == 1 ? QStringLiteral("1 card %1 (row %2).").arg(one, named)
                      : QStringLiteral("%1 cards %2 (rows %3).").arg(count).arg(many, named);
}

void RowTally::add(int row)
{
    if (row < 0)
        return;
    std::lock_guard guard(lock_);
    if (size_t(row) >= seen_.size())
        seen_.resize(size_t(row) + 1);
    if (seen_[size_t(row)])
        return;
    seen_[size_t(row)] = true;
    ++count_;
}

void RowTally::clear()
{
    std::lock_guard guard(lock_);
    seen_.clear();
    count_ = 0;
}

NamedRows RowTally::summary() const
{
    std::lock_guard guard(lock_);
    NamedRows result;
    result.count = count_;
    for (size_t row = 0; row < seen_.size() && result.firstRows.size() < rowsNamed; ++row)
        if (seen_[row])
            result.firstRows << int(row) + 1;
    return result;
}

QString CardProblemRows::message() const
{
    QStringList lines;
    const QString limit = sizeText(maxSeriesValueBytes);
    lines << valueTooLong.cardsSentence(
        QStringLiteral("lacks its row's value, which is longer than the %1 a value can hold").arg(limit),
        QStringLiteral("lack their rows' values, which are longer than the %1 a value can hold").arg(limit));
    lines << noBarcode.cardsSentence(
        QStringLiteral("lacks a barcode or picture: its row gives no valid barcode value or no readable picture file"),
        QStringLiteral("lack a barcode or picture: their rows give no valid barcode value or no readable picture "
                       "file"));
    lines << textCut.cardsSentence(
        QStringLiteral("has text that does not fit its box"), QStringLiteral("have text that does not fit its box"));
    // A wider value passes the box and covers what lies beside it, though the card may hold it.
    lines << barcodeCut.cardsSentence(QStringLiteral("has a barcode that passes its box or the card's edge"),
        QStringLiteral("have a barcode that passes its box or the card's edge"));
    lines.removeAll(QString());
    return lines.join(QStringLiteral("\n\n"));
}

CardProblemRows CardProblemRows::ofSingleCard(const RowOutcome& outcome)
{
    CardProblemRows single;
    single.noBarcode.count = outcome.picturesMade ? 0 : 1;
    single.textCut.count = outcome.textFits ? 0 : 1;
    single.barcodeCut.count = outcome.barcodeFits ? 0 : 1;
    single.valueTooLong.count = outcome.valuesRead ? 0 : 1;
    for (const CardFault& fault : outcome.faults)
        single.faults.append({ -1, fault });
    return single;
}

QString CardProblemRows::details() const
{
    QStringList lines;
    for (const auto& [row, fault] : faults)
        lines << (row < 0 ? fault.describe() + u'.' : QStringLiteral("Row %1: %2.").arg(row + 1).arg(fault.describe()));
    return lines.join(u'\n');
}

QString CardProblemRows::appendedTo(const QString& text) const
{
    const QString lines = message();
    return lines.isEmpty() ? text : text + QStringLiteral("\n\n") + lines;
}

void CardProblems::add(int row, const RowOutcome& outcome)
{
    if (!outcome.picturesMade)
        noBarcode_.add(row);
    if (!outcome.textFits)
        textCut_.add(row);
    if (!outcome.barcodeFits)
        barcodeCut_.add(row);
    if (!outcome.valuesRead)
        valueTooLong_.add(row);
    if (row < 0 || outcome.faults.isEmpty())
        return;
    std::lock_guard guard(faultsLock_);
    QList<CardFault>& kept = faults_[row];
    for (const CardFault& fault : outcome.faults)
        if (!kept.contains(fault))
            kept.append(fault);
}

void CardProblems::clear()
{
    noBarcode_.clear();
    textCut_.clear();
    barcodeCut_.clear();
    valueTooLong_.clear();
    std::lock_guard guard(faultsLock_);
    faults_.clear();
}

CardProblemRows CardProblems::summary() const
{
    CardProblemRows rows { noBarcode_.summary(), textCut_.summary(), barcodeCut_.summary(), valueTooLong_.summary(), {} };
    std::lock_guard guard(faultsLock_);
    for (const auto& [row, faults] : faults_)
        for (const CardFault& fault : faults)
            rows.faults.append({ row, fault });
    return rows;
}
