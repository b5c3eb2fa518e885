// Reads a 100,000-row by 10-column workbook made by openpyxl, with our reader and with
// openpyxl's read-only reader, each in a process of its own so that peak memory is its own.
// Two forms of the same table: shared strings with a used range (as spreadsheet programs
// write), and inline strings without one (openpyxl's write-only form, which makes the title
// read scan the whole sheet for its width).
//   bench_xlsx_read [ROWS]
#include "ResidentMemory.h"

#include "data/SpreadsheetWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char* const makeWorkbook = R"(import sys, openpyxl
rows = int(sys.argv[2])
write_only = sys.argv[3] == 'inline'
wb = openpyxl.Workbook(write_only=write_only)
ws = wb.create_sheet('Data', 0)
ws.append(['Name', 'Code', 'City', 'Amount', 'Ratio', 'Street', 'Count', 'Mail', 'Note', 'Flag'])
for i in range(rows):
    ws.append(['Guest %d' % i, '%08d' % (i * 7), 'City %d' % (i % 500), i * 3, i / 7.0,
               '%d Long Street Name' % i, i % 1000, 'guest%d@example.org' % i, 'note', i % 2 == 0])
wb.save(sys.argv[1])
)";

// Time and peak memory of openpyxl reading every row and keeping the values, as our reader does.
const char* const readWithOpenpyxl = R"(import sys, time, resource, openpyxl
def rss():
    with open('/proc/self/status') as f:
        for line in f:
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
before = rss()
start = time.perf_counter()
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
table = [list(r) for r in wb.worksheets[0].iter_rows(values_only=True)]
seconds = time.perf_counter() - start
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
print('%.3f %d %d %d' % (seconds, before, peak, len(table)))
)";

// The heap the returned table itself needs, so that the reader's own overhead can be told apart.
long tableKiB(const SheetTable& table)
{
    qint64 bytes = 0;
    for (const QStringList& row : table) {
        bytes += 16 + row.size() * qint64(sizeof(QString));
        for (const QString& cell : row)
            bytes += cell.isEmpty() ? 0 : 16 + (cell.size() + 1) * 2;
    }
    return long(bytes / 1024);
}

// Child: open, titles, all rows, as the import windows do.
int readWithOurs(const QString& path)
{
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    SpreadsheetWriter::ReadWorkbook(path, true);
    const double opened = timer.nsecsElapsed() / 1e9;
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    const double titled = timer.nsecsElapsed() / 1e9;
    const SheetTable table = SpreadsheetWriter::ReadWorkbook(path, false);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "    galavite: unpacking and shared strings %.2f s, titles %.2f s, rows %.2f s\n", opened,
        titled - opened, seconds - titled);
    std::printf(
        "%.3f %ld %ld %lld %ld\n", seconds, before, peakResidentKiB(), qlonglong(table.size()), tableKiB(table));
    return table.isEmpty() ? 1 : 0;
}

QList<double> run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    process.waitForFinished(-1);
    QList<double> values;
    for (const QByteArray& field : process.readAllStandardOutput().simplified().split(' '))
        values.append(field.toDouble());
    return values;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--read"))
        return readWithOurs(arguments[2]);

    const int rows = arguments.size() > 1 ? arguments[1].toInt() : 100000;
    const QString python = QStringLiteral("/usr/bin/python3");
    QTemporaryDir folder;
    std::printf("%-44s %8s %12s %10s %8s\n", "reader", "seconds", "peak RSS MB", "growth MB", "rows");
    for (const QString& form : { QStringLiteral("shared"), QStringLiteral("inline") }) {
        const QString workbook = folder.filePath(form + QStringLiteral(".xlsx"));
        run(python, { QStringLiteral("-c"), QString::fromUtf8(makeWorkbook), workbook, QString::number(rows), form });
        if (!QFile::exists(workbook)) {
            std::fprintf(stderr, "openpyxl could not make the workbook\n");
            return 1;
        }
        std::printf("%s, %.1f MB\n",
            form == QStringLiteral("shared") ? "shared strings, used range" : "inline strings, no used range",
            QFile(workbook).size() / 1e6);
        std::fflush(stdout);
        QList<double> ours;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QList<double> result = run(app.applicationFilePath(), { QStringLiteral("--read"), workbook });
            if (result.size() == 5 && (ours.isEmpty() || result[0] < ours[0]))
                ours = result;
        }
        const QList<double> theirs
            = run(python, { QStringLiteral("-c"), QString::fromUtf8(readWithOpenpyxl), workbook });
        if (ours.size() != 5 || theirs.size() != 4) {
            std::fprintf(stderr, "a reader failed\n");
            return 1;
        }
        std::printf("  %-42s %8.2f %12.1f %10.1f %8.0f   (the table itself: %.1f MB)\n", "galavite, best of 3", ours[0],
            ours[2] / 1024, (ours[2] - ours[1]) / 1024, ours[3], ours[4] / 1024);
        std::printf("  %-42s %8.2f %12.1f %10.1f %8.0f\n", "openpyxl read-only", theirs[0], theirs[2] / 1024,
            (theirs[2] - theirs[1]) / 1024, theirs[3]);
        std::printf("  speed-up: %.1fx\n", theirs[0] / ours[0]);
        std::fflush(stdout);
    }
    return 0;
}
