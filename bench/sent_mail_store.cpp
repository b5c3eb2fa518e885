// What the record of mails sent adds before a run's first mail, on a record of 5 million mails:
// opening it (the checks of its files, the write that proves it can take marks, dropping marks
// past 90 days) and looking up a run's mails by key, for runs of 1,000, 10,000 and 100,000
// mails of which half are in the record; then one mark going and sent, as each mail pays.
// The record is filled once by reading in files of the earlier kind, as an upgrade does.
// Arguments: the mails in the record (default 5000000); BENCH_ROUNDS sets the rounds whose
// median is shown (default 5).
#include "mailing/SentMailStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
QByteArray keyOf(qint64 mail)
{
    return QCryptographicHash::hash(QByteArray::number(mail), QCryptographicHash::Sha256).left(16);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 mails = argc > 1 ? QByteArray(argv[1]).toLongLong() : 5000000;
    const int rounds
        = std::max(1, qEnvironmentVariableIntValue("BENCH_ROUNDS") ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Sent mails.sqlite"));
    const QString old = folder.filePath(QStringLiteral("old"));
    QDir().mkpath(old);
    // Files of at most 2 million mails, as the earlier kind held at most about 2.7 million.
    constexpr qint64 perFile = 2000000;
    for (qint64 first = 0; first < mails; first += perFile) {
        QFile file(QStringLiteral("%1/%2.txt").arg(old).arg(first));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray bytes = "{\"design\":\"/designs/club.gvt\"}\n";
        for (qint64 mail = first; mail < std::min(mails, first + perFile); ++mail)
            bytes += keyOf(mail).toBase64() + '\n';
        file.write(bytes);
    }
    QElapsedTimer clock;
    clock.start();
    {
        const SentMailStore filling(path, QStringLiteral("bench"), old);
        if (!filling.problem().isEmpty()) {
            std::printf("%s\n", qPrintable(filling.problem()));
            return 1;
        }
    }
    std::printf("record of %lld mails (%.0f MB) read in from files of the earlier kind in %.1f s\n", mails,
        double(QFileInfo(path).size()) / 1e6, double(clock.elapsed()) / 1000);
    for (const int run : { 1000, 10000, 100000 }) {
        QList<QByteArray> keys;
        // Half sent before, spread over the record; half new.
        for (int i = 0; i < run; ++i)
            keys << keyOf(i % 2 == 0 ? (qint64(i) * 7919) % mails : mails + i);
        QList<double> opening, looking, total;
        qint64 found = 0;
        for (int round = 0; round < rounds; ++round) {
            clock.restart();
            const SentMailStore store(path, QStringLiteral("bench"), old);
            const double opened = double(clock.nsecsElapsed()) / 1e6;
            const std::optional<SentMailStore::Marks> marks = store.marks(keys);
            const double all = double(clock.nsecsElapsed()) / 1e6;
            if (!marks)
                return 1;
            found = std::count_if(marks->begin(), marks->end(), [](const auto& mark) { return bool(mark); });
            opening << opened;
            looking << all - opened;
            total << all;
        }
        std::printf("  run of %6d mails (%6lld in the record): open %6.1f ms + look up %7.1f ms = %7.1f ms\n", run,
            found, median(opening), median(looking), median(total));
    }
    SentMailStore store(path, QStringLiteral("bench"), old);
    QList<double> marking;
    for (int round = 0; round < rounds; ++round) {
        const QByteArray key = keyOf(mails + 1000000 + round);
        clock.restart();
        store.markGoing(key, std::nullopt, 5);
        store.markSent(key, 5);
        marking << double(clock.nsecsElapsed()) / 1e6;
    }
    std::printf("  one mail marked going and then sent: %.1f ms\n", median(marking));
    return 0;
}
