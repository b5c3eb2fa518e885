// Reads workbooks side by side with our reader, openpyxl's read-only reader and R's readxl
// (Debian's r-cran-readxl), each in a process of its own so that its time and peak memory are
// its own. The workbooks:
//   - 100,000 rows by 10 mixed columns, shared strings with a used range (as spreadsheet
//     programs write them);
//   - the same with inline strings and no used range (openpyxl's write-only form);
//   - 1,048,576 rows by 5 unique short texts, the largest sheet a workbook may hold.
// Every reader keeps every cell as text, as the import does. Our memory should grow linearly
// with the cells: the last column gives the growth per million cells.
//   bench_xlsx_read [ROWS_SCALE]   (1 by default; 0.1 makes every workbook ten times smaller)
// With "formats" it compares instead one sheet of numbers read twice: every cell under a number
// format (dates, times, 0.00, 0%, #,##0, booleans) and the same values in General. Runs of
// the two alternate, so that a loaded machine slows both alike.
//   bench_xlsx_read formats [ROWS_SCALE] [RUNS]   (1,000,000 rows by 5 columns, 5 runs each)
#include "ResidentMemory.h"

#include "data/SpreadsheetWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

const char* const makeMixed = R"(import sys, openpyxl
rows = int(sys.argv[2])
wb = openpyxl.Workbook(write_only=sys.argv[3] == 'inline')
ws = wb.create_sheet('Data', 0)
ws.append(['Name', 'Code', 'City', 'Amount', 'Ratio', 'Street', 'Count', 'Mail', 'Note', 'Flag'])
for i in range(rows - 1):
    ws.append(['Guest %d' % i, '%08d' % (i * 7), 'City %d' % (i % 500), i * 3, i / 7.0,
               '%d Long Street Name' % i, i % 1000, 'guest%d@example.org' % i, 'note', i % 2 == 0])
wb.save(sys.argv[1])
)";

const char* const makeUnique = R"(import sys, openpyxl
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet('Data', 0)
for row in range(1, int(sys.argv[2]) + 1):
    ws.append(['R%dC%d' % (row, column) for column in range(1, 6)])
wb.save(sys.argv[1])
)";

// The numbers sheet: argv[3] "formatted" gives each cell its column's style, anything else
// leaves the cells in General. Booleans look the same either way.
const char* const makeNumbers = R"(import sys, zipfile
NS = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
rows = int(sys.argv[2])
styled = sys.argv[3] == 'formatted'
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED, compresslevel=1)
z.writestr('xl/workbook.xml', '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="N" sheetId="1" r:id="rId1"/></sheets></workbook>' % (NS, REL))
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>'
    '<Relationship Id="rId2" Type="%s/styles" Target="styles.xml"/></Relationships>' % (REL, REL))
z.writestr('xl/styles.xml', '<styleSheet xmlns="%s"><numFmts count="1"><numFmt numFmtId="164" formatCode="hh:mm:ss"/></numFmts>'
    '<cellXfs count="6"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="2"/><xf numFmtId="9"/>'
    '<xf numFmtId="3"/></cellXfs></styleSheet>' % NS)
def s(style):
    return ' s="%d"' % style if styled else ''
with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
    f.write(('<worksheet xmlns="%s"><dimension ref="A1:E%d"/><sheetData>' % (NS, rows)).encode())
    for first in range(1, rows + 1, 10000):
        chunk = []
        for r in range(first, min(first + 10000, rows + 1)):
            last = ('<c r="E%d"%s><v>%d</v></c>' % (r, s(5), r * 137) if r % 2 else '<c r="E%d" t="b"><v>%d</v></c>' % (r, r % 4 // 2))
            chunk.append('<row r="%d"><c r="A%d"%s><v>%d</v></c><c r="B%d"%s><v>%r</v></c><c r="C%d"%s><v>%r</v></c>'
                         '<c r="D%d"%s><v>%r</v></c>%s</row>' % (r, r, s(1), 30000 + r % 20000, r, s(2), (r % 86400) / 86400,
                         r, s(3), r * 1.37 / 7, r, s(4), (r % 1000) / 1000, last))
        f.write(''.join(chunk).encode())
    f.write(b'</sheetData></worksheet>')
z.close()
)";

// Each reader prints: wall seconds, processor seconds (the machine may be shared, so both are
// given), resident KiB before reading, peak KiB, rows.
const char* const readWithOpenpyxl = R"(import sys, time, openpyxl
def status(key):
    with open('/proc/self/status') as f:
        for line in f:
            if line.startswith(key):
                return int(line.split()[1])
before = status('VmRSS:')
start = time.perf_counter()
processor = time.process_time()
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
table = [list(r) for r in wb.worksheets[0].iter_rows(values_only=True)]
seconds = time.perf_counter() - start
processor = time.process_time() - processor
print('%.3f %.3f %d %d %d' % (seconds, processor, before, status('VmHWM:'), len(table)))
)";

const char* const readWithReadxl = R"(suppressMessages(library(readxl))
status <- function(key) { l <- readLines('/proc/self/status'); as.numeric(gsub('[^0-9]', '', l[startsWith(l, key)])) }
path <- commandArgs(trailingOnly = TRUE)[1]
before <- status('VmRSS:')
start <- Sys.time()
processor <- proc.time()
table <- read_excel(path, sheet = 1, col_names = FALSE, col_types = 'text', .name_repair = 'minimal')
seconds <- as.numeric(Sys.time() - start, units = 'secs')
used <- proc.time() - processor
cat(sprintf('%.3f %.3f %d %d %d\n', seconds, used[['user.self']] + used[['sys.self']], before, status('VmHWM:'),
    nrow(table)))
)";

double processorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Child: open, titles, all rows, as the import windows do.
int readWithOurs(const QString& path)
{
    const long before = residentKiB();
    const double processor = processorSeconds();
    QElapsedTimer timer;
    timer.start();
    SpreadsheetWriter::ReadWorkbook(path, true);
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    const SheetTable table = SpreadsheetWriter::ReadWorkbook(path, false);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.3f %.3f %ld %ld %lld\n", seconds, processorSeconds() - processor, before, peakResidentKiB(),
        qlonglong(table.size()));
    return table.isEmpty() ? 1 : 0;
}

struct Run
{
    double seconds = 0;
    double processor = 0;
    double growthMiB = 0;
    double peakMiB = 0;
    long rows = 0;
};

std::optional<Run> run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    process.waitForFinished(-1);
    const QList<QByteArray> fields = process.readAllStandardOutput().simplified().split(' ');
    if (process.exitCode() != 0 || fields.size() != 5)
        return std::nullopt;
    return Run { fields[0].toDouble(), fields[1].toDouble(), (fields[3].toDouble() - fields[2].toDouble()) / 1024,
        fields[3].toDouble() / 1024, fields[4].toLong() };
}

void print(const char* reader, const std::optional<Run>& result, double cells)
{
    if (!result) {
        std::printf("  %-24s failed or not installed\n", reader);
        return;
    }
    std::printf("  %-24s %8.2f %8.2f %10.1f %10.1f %9ld %12.1f\n", reader, result->seconds, result->processor,
        result->peakMiB, result->growthMiB, result->rows, result->growthMiB / (cells / 1e6));
}

// Reads the numbers sheet with and without formats, alternately; each run's times and the best
// of each, and how much longer the formatted read takes.
int compareFormats(const QString& program, double scale, int runs)
{
    const int rows = std::max(1, int(1'000'000 * scale));
    QTemporaryDir folder;
    const QString variants[] = { QStringLiteral("formatted"), QStringLiteral("general") };
    QStringList books;
    for (const QString& variant : variants) {
        books.append(folder.filePath(variant + QStringLiteral(".xlsx")));
        QProcess maker;
        maker.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-c"), QString::fromUtf8(makeNumbers), books.back(), QString::number(rows), variant });
        maker.waitForFinished(-1);
        if (!QFile::exists(books.back())) {
            std::fprintf(stderr, "python could not make the workbook\n");
            return 1;
        }
    }
    std::printf("%d x 5 numbers, %.1f MB formatted, %.1f MB general\n", rows, QFile(books[0]).size() / 1e6,
        QFile(books[1]).size() / 1e6);
    std::printf("%-10s %8s %8s %10s\n", "sheet", "wall s", "cpu s", "peak MiB");
    std::optional<Run> best[2];
    for (int attempt = 0; attempt < runs; ++attempt) {
        for (int variant = 0; variant < 2; ++variant) {
            const std::optional<Run> result = run(program, { QStringLiteral("--read"), books[variant] });
            if (!result) {
                std::fprintf(stderr, "reading %s failed\n", qPrintable(books[variant]));
                return 1;
            }
            std::printf("%-10s %8.2f %8.2f %10.1f\n", qPrintable(variants[variant]), result->seconds,
                result->processor, result->peakMiB);
            std::fflush(stdout);
            if (!best[variant] || result->seconds < best[variant]->seconds)
                best[variant] = result;
        }
    }
    std::printf("best of %d: formatted %.2f s wall, %.2f s cpu; general %.2f s wall, %.2f s cpu; formatted/general "
                "%.2fx wall, %.2fx cpu\n",
        runs, best[0]->seconds, best[0]->processor, best[1]->seconds, best[1]->processor,
        best[0]->seconds / best[1]->seconds, best[0]->processor / best[1]->processor);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--read"))
        return readWithOurs(arguments[2]);
    if (arguments.size() > 1 && arguments[1] == QStringLiteral("formats"))
        return compareFormats(app.applicationFilePath(), arguments.size() > 2 ? arguments[2].toDouble() : 1.0,
            arguments.size() > 3 ? std::max(1, arguments[3].toInt()) : 5);

    const double scale = arguments.size() > 1 ? arguments[1].toDouble() : 1.0;
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString rscript = QStandardPaths::findExecutable(QStringLiteral("Rscript"));
    struct Book
    {
        const char* title;
        const char* maker;
        int rows;
        int columns;
        const char* form;
    };
    const Book books[] = {
        { "100,000 x 10, shared strings, used range", makeMixed, 100000, 10, "shared" },
        { "100,000 x 10, inline strings, no used range", makeMixed, 100000, 10, "inline" },
        { "1,048,576 x 5 unique short texts", makeUnique, 1048576, 5, "" },
    };
    QTemporaryDir folder;
    std::printf("%-26s %8s %8s %10s %10s %9s %12s\n", "reader", "wall s", "cpu s", "peak MiB", "growth MiB", "rows",
        "MiB/M cells");
    for (const Book& book : books) {
        const int rows = std::max(1, int(book.rows * scale));
        const QString workbook = folder.filePath(QStringLiteral("book.xlsx"));
        QFile::remove(workbook);
        QProcess maker;
        maker.start(python,
            { QStringLiteral("-c"), QString::fromUtf8(book.maker), workbook, QString::number(rows),
                QString::fromUtf8(book.form) });
        maker.waitForFinished(-1);
        if (!QFile::exists(workbook)) {
            std::fprintf(stderr, "openpyxl could not make the workbook\n");
            return 1;
        }
        const double cells = double(rows) * book.columns;
        std::printf("%s (%d rows), %.1f MB\n", book.title, rows, QFile(workbook).size() / 1e6);
        std::fflush(stdout);

        std::optional<Run> ours;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::optional<Run> result = run(app.applicationFilePath(), { QStringLiteral("--read"), workbook });
            if (result && (!ours || result->seconds < ours->seconds))
                ours = result;
        }
        const std::optional<Run> openpyxl
            = run(python, { QStringLiteral("-c"), QString::fromUtf8(readWithOpenpyxl), workbook });
        std::optional<Run> readxl;
        if (!rscript.isEmpty())
            readxl = run(rscript, { QStringLiteral("-e"), QString::fromUtf8(readWithReadxl), workbook });
        print("galavite, best of 3", ours, cells);
        print("openpyxl read-only", openpyxl, cells);
        print("readxl (R)", readxl, cells);
        double fastestWall = 0;
        double fastestProcessor = 0;
        for (const std::optional<Run>& peer : { openpyxl, readxl }) {
            if (peer && (fastestWall == 0 || peer->seconds < fastestWall))
                fastestWall = peer->seconds;
            if (peer && (fastestProcessor == 0 || peer->processor < fastestProcessor))
                fastestProcessor = peer->processor;
        }
        if (ours && fastestWall > 0)
            std::printf("  galavite against the fastest other reader: %.1fx in wall time, %.1fx in processor time\n",
                fastestWall / ours->seconds, fastestProcessor / ours->processor);
        std::fflush(stdout);
    }
    return 0;
}
