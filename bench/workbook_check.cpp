// What telling whether a bound workbook changed costs, the earlier way and the present one side
// by side, on a workbook of about 100 MB (a sheet of short random texts, deflated):
//   - import: opening the workbook and reading its sheet, then its digest, as the import takes it;
//   - opening a bound design: reading the design file, then the check of its workbook; the
//     earlier way knew only the digest and read the whole workbook, the present one knows the
//     file's identity too;
//   - the check before a run: of a workbook as read (its identity known), and of one touched
//     since (same bytes, so the digest is taken).
// The earlier digest is Qt's SHA-256 over 1 MiB pieces; the present one is libcrypto's. Runs
// of the two alternate, so that a loaded machine slows both alike; medians are given.
//   bench_workbook_check [MEGABYTES] [RUNS]   (100 and 5 by default)
#include "data/BoundWorkbook.h"
#include "data/SpreadsheetWriter.h"
#include "mainwindow/DesignFile.h"
#include "model/Card_Property.h"
#include "platform/FileDigest.h"
#include "platform/FileIdentity.h"

#include <QGuiApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const char* const makeWorkbook = R"(import sys, zipfile, os, base64
NS = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
target = int(sys.argv[2]) * 1000000
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED, compresslevel=6)
z.writestr('xl/workbook.xml', '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="Guests" sheetId="1" r:id="rId1"/></sheets></workbook>' % (NS, REL))
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/></Relationships>' % REL)
# A row of random texts deflates to about 149 bytes.
rows = target // 149
with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
    f.write(('<worksheet xmlns="%s"><sheetData>' % NS).encode())
    f.write(b'<row><c t="inlineStr"><is><t>Name</t></is></c><c t="inlineStr"><is><t>Code</t></is></c>'
            b'<c t="inlineStr"><is><t>Note</t></is></c></row>')
    for first in range(0, rows, 10000):
        chunk = []
        for r in range(first, min(first + 10000, rows)):
            code, note = base64.b64encode(os.urandom(18)).decode(), base64.b64encode(os.urandom(120)).decode()
            chunk.append('<row><c t="inlineStr"><is><t>Guest %d</t></is></c><c t="inlineStr"><is><t>%s</t></is></c>'
                         '<c t="inlineStr"><is><t>%s</t></is></c></row>' % (r, code, note))
        f.write(''.join(chunk).encode())
    f.write(b'</sheetData></worksheet>')
z.close()
)";

// The digest as it was taken before: Qt's own SHA-256.
FileDigest qtDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray buffer(qsizetype(1) << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got; (got = file.read(buffer.data(), buffer.size())) > 0; total += got)
        hash.addData(QByteArrayView(buffer.constData(), got));
    return { total, hash.result() };
}

double seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Row
{
    const char* what;
    std::vector<double> earlier, present;
};

void print(const Row& row)
{
    const double before = median(row.earlier), now = median(row.present);
    std::printf("%-44s %9.3f %9.3f %8.2fx\n", row.what, before, now, now > 0 ? before / now : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QTemporaryDir folder;
    const QString book = folder.filePath(QStringLiteral("guests.xlsx"));
    if (QProcess::execute(QStringLiteral("python3"),
            { QStringLiteral("-c"), QString::fromUtf8(makeWorkbook), book, QString::number(megabytes) })
        != 0) {
        std::fprintf(stderr, "python could not make the workbook\n");
        return 1;
    }

    // The import's reading, without the digest.
    qsizetype rowsRead = 0;
    const auto readSheet = [&] {
        if (const QStringList problems = SpreadsheetWriter::openWorkbook(book); !problems.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problems.join(u' ')));
            std::abort();
        }
        Excel_Sheet_Number = 1;
        rowsRead = SpreadsheetWriter::ReadWorkbook(QString(), false).size();
        if (rowsRead == 0) {
            std::fprintf(stderr, "no rows: %s\n", qPrintable(SpreadsheetWriter::lastError()));
            std::abort();
        }
        SpreadsheetWriter::Release_Data();
    };
    // A bound design holding a thousand of the rows, saved with what the workbook held.
    const QString design = folder.filePath(QStringLiteral("club.dcard"));
    DesignContents contents;
    contents.front = Card_Property::create();
    contents.back = Card_Property::create();
    contents.front->Card_Size = contents.back->Card_Size = QSizeF(243, 153);
    contents.excelBindingUse = true;
    contents.excelSourcePath = book;
    contents.columnTitles = QStringList { "#", "Name", "Code", "Note" };
    for (int row = 1; row <= 1000; ++row) {
        PlistDict cells;
        cells.insert(QStringLiteral("Extension"), QString::number(row));
        for (int column = 1; column <= 3; ++column)
            cells.insert(QStringLiteral("Column%1").arg(column), QStringLiteral("R%1C%2 some text").arg(row).arg(column));
        contents.rows.emplace_back(std::move(cells));
    }
    contents.workbookContent = FileDigest::of(book);
    contents.workbookIdentity = fileIdentity(book);
    if (!DesignFile::write(design, contents)) {
        std::fprintf(stderr, "the design could not be written\n");
        return 1;
    }
    // Earlier, the design knew only the digest, and the check read the workbook with Qt's.
    const auto openDesign = [&](bool identityKnown) {
        const DesignFile::ReadResult read = DesignFile::readFile(design);
        if (read.status != DesignFile::Status::Loaded) {
            std::fprintf(stderr, "the design could not be read: %s\n", qPrintable(read.reason));
            std::abort();
        }
        Data_From_Excel::Source source;
        source.content = read.contents.workbookContent;
        source.identity = read.contents.workbookIdentity;
        const bool asRead = identityKnown
            ? BoundWorkbook::compare(book, source).state == BoundWorkbook::State::AsRead
            : qtDigest(book) == source.content;
        if (!asRead)
            std::abort();
    };

    Row importRow { "import: reading the sheet alone", {}, {} };
    Row importEarlier { "import: reading + digest", {}, {} };
    Row opening { "opening a bound design (unchanged workbook)", {}, {} };
    Row runUnchanged { "check before a run, workbook as read", {}, {} };
    Row runTouched { "check before a run, workbook touched", {}, {} };
    Row digest { "digest alone", {}, {} };
    Data_From_Excel::Source asRead;
    asRead.content = contents.workbookContent;
    asRead.identity = fileIdentity(book);
    Data_From_Excel::Source touched = asRead;
    touched.identity = QStringLiteral("another");
    for (int run = 0; run < runs; ++run) {
        const double sheet = seconds(readSheet);
        importRow.earlier.push_back(sheet);
        importRow.present.push_back(sheet);
        importEarlier.earlier.push_back(sheet + seconds([&] { qtDigest(book); }));
        importEarlier.present.push_back(sheet + seconds([&] { FileDigest::of(book); }));
        opening.earlier.push_back(seconds([&] { openDesign(false); }));
        opening.present.push_back(seconds([&] { openDesign(true); }));
        // Before, as now, a workbook whose identity is as read is not read.
        runUnchanged.earlier.push_back(seconds([&] { BoundWorkbook::compare(book, asRead); }));
        runUnchanged.present.push_back(seconds([&] { BoundWorkbook::compare(book, asRead); }));
        runTouched.earlier.push_back(seconds([&] { qtDigest(book); }));
        runTouched.present.push_back(seconds([&] { BoundWorkbook::compare(book, touched); }));
        digest.earlier.push_back(seconds([&] { qtDigest(book); }));
        digest.present.push_back(seconds([&] { FileDigest::of(book); }));
    }
    std::printf("workbook %.1f MB, %lld rows; median of %d runs, seconds\n", double(QFile(book).size()) / 1e6,
        static_cast<long long>(rowsRead), runs);
    std::printf("%-44s %9s %9s %9s\n", "", "earlier", "present", "speed-up");
    for (const Row* row : { &digest, &importRow, &importEarlier, &opening, &runUnchanged, &runTouched })
        print(*row);
    const double sheet = median(importRow.present);
    std::printf("the digest adds %.1f%% to an import (earlier %.1f%%)\n",
        100 * (median(importEarlier.present) - sheet) / sheet, 100 * (median(importEarlier.earlier) - sheet) / sheet);
    return 0;
}
