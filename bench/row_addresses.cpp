// Processor seconds to read the addresses of a run's rows (the recipients' check before a mail
// run): 1,000 rows of cells of the longest length a workbook cell has, in the forms address cells
// take, and of half that length (the time should halve), and 100,000 rows of one plain mailbox.
// Then, for a run of one card per row of 10,000 rows of cells of that longest length: the seconds
// its mails take to key for the record of mails sent (work that used to hold the GUI thread at
// Send and now runs behind the please-wait sheet), how soon Stop ends that work, and how long a
// question about such a row's card is.
#include "ProcessorTime.h"

#include "mailing/RecipientRows.h"
#include "mailing/SentMails.h"

#include <chrono>
#include <cstdio>
#include <thread>

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

    MailJob job;
    job.mode = MailJob::Mode::RowPerRecipient;
    job.batchRows = 10000;
    QList<QStringList> cards;
    for (int row = 0; row < job.batchRows; ++row) {
        job.recipients << QStringLiteral("member%1@club.example").arg(row);
        cards << QStringList { addressCell(row, longest, QStringLiteral(", ")) };
    }
    const double start = processorSeconds();
    const qsizetype keys = mailKeys(job, cards).size();
    std::printf("%lld mails keyed from cells of %lld characters: %.2f s\n", static_cast<long long>(keys),
        static_cast<long long>(longest), processorSeconds() - start);
    // Stop pressed a tenth of a second into the work: how long until the work has returned.
    std::atomic<bool> stop = false;
    std::thread worker([&] { mailKeys(job, cards, &stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto stopped = std::chrono::steady_clock::now();
    stop = true;
    worker.join();
    std::printf("Stop ends the keying after %.3f s\n",
        std::chrono::duration<double>(std::chrono::steady_clock::now() - stopped).count());

    const RecipientQuestion asked = misdirectedCardsQuestion(misdirectedCards(
        { job.recipients.at(1), job.recipients.at(0) }, RowAddresses({ { cards[0][0], cards[1][0] } })));
    std::printf("A question about two rows of such cells: %lld characters, its details %lld\n",
        static_cast<long long>(asked.text.size()), static_cast<long long>(asked.details.size()));
    return 0;
}
