// What the canvas pays to show a text bound to a large series: the first showing after the
// file changed (its first value read), a repeat showing (nothing read), and, for comparison,
// reading the whole series as a run does. Then series whose first value lies past the bound
// of that read: one after as many empty lines, and a first line of as many bytes.
//   bench_first_card [lines]   (default 10 million lines of 10 bytes: 100 MB)
// With --long-line, what a run's read of a series of one line of that many bytes (then "Second"
// and "Third") costs, alone in the process, as the print window pays it when it opens:
//   bench_first_card --long-line BYTES   (the file goes to a temporary folder, removed after)
#include "ResidentMemory.h"

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "jobs/FirstCard.h"
#include "model/SKTText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

void writeSeries(const QString& path, int lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("Ann Lee\n");
    QByteArray block;
    for (int line = 1; line < lines; ++line) {
        block += QByteArray::number(line).rightJustified(9, '0') + '\n';
        if (block.size() > (1 << 20)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
}

// A run's binding of a text bound to a series of one long line; its peak is this process's own.
int longLine(qint64 bytes)
{
    QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    {
        QFile file(seriesFilePath(QStringLiteral("long")));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray block(1 << 20, 'x');
        for (qint64 left = bytes; left > 0; left -= block.size())
            if (file.write(block.constData(), std::min<qint64>(left, block.size())) <= 0)
                return 1;
        file.write("\nSecond\nThird\n");
    }
    auto text = SKTGraphic::create<SKTText>();
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("long");
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ text }, {}, false, {});
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("a run's read of a %lld-byte line: %.1f ms, %d rows (row 1 %s, row 2 \"%s\"), resident before "
                "%ld KiB, peak %ld KiB\n",
        bytes, ms, binding.Total_Batch_Excel_Card, binding.valueTooLong(*text, 0) ? "too long" : "read",
        qPrintable(binding.Get_sel_row_col_value_of_dataset(1, QStringLiteral("long"))), before, peakResidentKiB());
    return 0;
}

template <typename Work> void report(const char* what, Work work)
{
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    const QString shown = work();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-34s %10.3f ms  peak %8ld KiB  now +%8ld KiB  (%s)\n", what, ms, peakResidentKiB(),
        residentKiB() - before, qPrintable(shown.left(20)));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--long-line") == 0)
        return longLine(std::atoll(argv[2]));
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10000000;
    QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    writeSeries(seriesFilePath(QStringLiteral("big")), lines);
    std::printf("%d lines, %lld bytes, resident %ld KiB\n", lines, QFile(seriesFilePath(QStringLiteral("big"))).size(),
        residentKiB());

    auto text = SKTGraphic::create<SKTText>();
    text->Text_contents()->setString(QStringLiteral("Typed"));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("big");
    FirstCard card;
    const auto show = [&] {
        const SKTGraphicPtr shown = card.shown(text);
        return shown ? shown->Text_contents()->string : QStringLiteral("(nothing)");
    };
    report("first card, file read", show);
    report("first card, file known", show);
    QFile appended(seriesFilePath(QStringLiteral("big")));
    if (appended.open(QIODevice::Append))
        appended.write("Zed\n");
    appended.close();
    report("first card, a line added", show);
    // What the canvas did before it read the first value only.
    report("whole series read (a run's read)",
        [] { return readSeriesFile(QStringLiteral("big")).value_or(SeriesRows()).values.value(0); });

    for (const auto& [name, bytes] : { std::pair("empty lines", QByteArray(lines, '\n') + "Ann Lee\n"),
             std::pair("one long line", QByteArray(lines, 'x') + "\nAnn Lee\n") }) {
        QFile file(seriesFilePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        file.close();
        text->batch_list_name = QString::fromLatin1(name);
        report(qPrintable(QStringLiteral("first card, %1").arg(QString::fromLatin1(name))), show);
    }
    return 0;
}
