// Processor seconds to read the addresses of a run's rows (the recipients' check before a mail
// run): 1,000 rows of cells of the longest length a workbook cell has, in the forms address cells
// take, and of half that length (the time should halve), and 100,000 rows of one plain mailbox.
#include "ProcessorTime.h"

#include "mailing/RecipientRows.h"

#include <cstdio>

namespace {

// A cell of `length` characters of addresses parted by `separator`.
QString addressCell(int row, qsizetype length, const QString& separator)
{
    QString cell;
    for (int k = 0; cell.size() < length; ++k)
        cell += QStringLiteral("m%1.%2@club.example").arg(row).arg(k) + separator;
    cell.truncate(length);
    return cell;
}

double secondsToRead(const QList<QStringList>& columns)
{
    const double start = processorSeconds();
    const RowAddresses rows(columns);
    const double seconds = processorSeconds() - start;
    if (rows.rows() == 0)
        std::printf("no rows\n");
    return seconds;
}

} // namespace

int main()
{
    constexpr qsizetype longest = 32767;
    for (const QString& separator : { QStringLiteral(", "), QStringLiteral(" "), QStringLiteral(" | Parent: ") }) {
        for (const qsizetype length : { longest / 2, longest }) {
            QStringList cells;
            for (int row = 0; row < 1000; ++row)
                cells << addressCell(row, length, separator);
            std::printf("1,000 cells of %lld characters parted by \"%s\": %.2f s\n", static_cast<long long>(length),
                qPrintable(separator), secondsToRead({ cells }));
        }
    }
    QStringList plain;
    for (int row = 0; row < 100000; ++row)
        plain << QStringLiteral("member%1@club.example").arg(row);
    std::printf("100,000 cells of one plain mailbox: %.2f s\n", secondsToRead({ plain }));
    return 0;
}
