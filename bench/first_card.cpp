// What the canvas pays to show a text bound to a large series: the first showing after the
// file changed (its first value read), a repeat showing (nothing read), and, for comparison,
// reading the whole series as a run does. Then series whose first value lies past the bound
// of that read: one after as many empty lines, and a first line of as many bytes.
//   bench_first_card [lines]   (default 10 million lines of 10 bytes: 100 MB)
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
        [] { return readSeriesFile(QStringLiteral("big")).value_or(QStringList()).value(0); });

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
