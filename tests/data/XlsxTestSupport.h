#pragma once

// Helpers shared by the zip and workbook tests: archives with chosen entries, hand-made
// workbooks with chosen parts, and openpyxl as an independent reader and writer.

#include "data/SSZipArchive.h"
#include "data/ZipReader.h"
#include "support/Patience.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace xlsxtest {

using Entries = QList<QPair<QString, QByteArray>>;

inline void writeArchive(const QString& path, const Entries& entries)
{
    SSZipArchive archive(path);
    ASSERT_TRUE(archive.open());
    for (const auto& [name, bytes] : entries)
        ASSERT_TRUE(archive.writeData(bytes, name));
    ASSERT_TRUE(archive.close());
}

// The archive again with one entry's data replaced (or added).
inline void replaceEntry(const QString& path, const QString& name, const QByteArray& bytes)
{
    Entries entries;
    {
        ZipReader zip(path);
        ASSERT_TRUE(zip.open());
        for (const ZipReader::Entry& entry : zip.entries()) {
            QByteArray data;
            ASSERT_EQ(zip.read(entry, qint64(1) << 30,
                          [&data](const char* chunk, qint64 size) {
                              data.append(chunk, size);
                              return true;
                          }),
                ZipReader::Status::Ok);
            if (entry.name != name)
                entries.append({ entry.name, data });
        }
    }
    entries.append({ name, bytes });
    writeArchive(path, entries);
}

// One entry's data, or "" when the archive has no such entry.
inline QByteArray entryBytes(const QString& path, const QString& name)
{
    ZipReader zip(path);
    QByteArray data;
    const ZipReader::Entry* entry = zip.open() ? zip.find(name) : nullptr;
    if (entry) {
        zip.read(*entry, qint64(1) << 30, [&data](const char* chunk, qint64 size) {
            data.append(chunk, size);
            return true;
        });
    }
    return data;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline const char* mainNs()
{
    return "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
}

// A worksheet part whose sheetData holds the given rows markup.
inline QByteArray sheetXml(const QByteArray& rows, const QByteArray& dimension = QByteArray())
{
    QByteArray xml = QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"") + mainNs() + "\">";
    if (!dimension.isEmpty())
        xml += "<dimension ref=\"" + dimension + "\"/>";
    return xml + "<sheetData>" + rows + "</sheetData></worksheet>";
}

inline QByteArray sharedStringsXml(const QByteArray& items)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"") + mainNs() + "\">" + items
        + "</sst>";
}

struct Sheet
{
    QByteArray name; // shown name
    QByteArray partFile; // file under xl/worksheets/
    QByteArray xml;
};

// A workbook package listing the sheets in the given order; sharedStrings "" leaves that part out.
inline void writeWorkbook(const QString& path, const QList<Sheet>& sheets, const QByteArray& sharedStrings)
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray workbook
        = QByteArray("<?xml version=\"1.0\"?><workbook xmlns=\"") + mainNs() + "\" xmlns:r=\"" + rel + "\"><sheets>";
    QByteArray rels = "<?xml version=\"1.0\"?><Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    Entries entries;
    for (int i = 0; i < sheets.size(); ++i) {
        const QByteArray id = "rId" + QByteArray::number(i + 1);
        workbook += "<sheet name=\"" + sheets[i].name + "\" sheetId=\"" + QByteArray::number(i + 1) + "\" r:id=\"" + id
            + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/"
            + sheets[i].partFile + "\"/>";
        entries.append({ QStringLiteral("xl/worksheets/") + QString::fromUtf8(sheets[i].partFile), sheets[i].xml });
    }
    if (!sharedStrings.isEmpty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        entries.append({ QStringLiteral("xl/sharedStrings.xml"), sharedStrings });
    }
    entries.append({ QStringLiteral("xl/workbook.xml"), workbook + "</sheets></workbook>" });
    // The package manifest, so that other programs open the workbook too.
    const QByteArray types = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    QByteArray manifest = "<?xml version=\"1.0\"?><Types "
                          "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                          "<Default Extension=\"rels\" "
                          "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                          "<Override PartName=\"/xl/workbook.xml\" ContentType=\""
        + types + "sheet.main+xml\"/>";
    for (const Sheet& sheet : sheets)
        manifest += "<Override PartName=\"/xl/worksheets/" + sheet.partFile + "\" ContentType=\"" + types
            + "worksheet+xml\"/>";
    if (!sharedStrings.isEmpty())
        manifest += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + types + "sharedStrings+xml\"/>";
    entries.append({ QStringLiteral("[Content_Types].xml"), manifest + "</Types>" });
    entries.append({ QStringLiteral("_rels/.rels"),
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Target=\"xl/workbook.xml\" Type=\""
            + rel + "/officeDocument\"/></Relationships>" });
    entries.append({ QStringLiteral("xl/_rels/workbook.xml.rels"), rels + "</Relationships>" });
    writeArchive(path, entries);
}

// The Debian python with openpyxl, or "" when it is not installed.
inline QString openpyxlPython()
{
    static const QString found = [] {
        for (const QString& candidate : { QStringLiteral("/usr/bin/python3"), QStringLiteral("python3") }) {
            QProcess probe;
            probe.start(candidate, { QStringLiteral("-c"), QStringLiteral("import openpyxl") });
            if (patience::finished(probe) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
}

// Runs a python program with arguments; its standard output, or a failed test.
inline QString runPython(const QString& code, const QStringList& arguments = {})
{
    QProcess process;
    process.start(openpyxlPython(), QStringList { QStringLiteral("-c"), code } + arguments);
    const bool finished = patience::finished(process);
    EXPECT_TRUE(finished);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Writes a workbook with openpyxl whose sheet holds the rows of `table` (arrays of cells, null
// for an empty one), and is named `sheetTitle` when one is given.
inline void writeTableWorkbook(const QString& path, const QJsonArray& table, const QString& sheetTitle = QString())
{
    QStringList arguments { path, QString::fromUtf8(QJsonDocument(table).toJson(QJsonDocument::Compact)) };
    if (!sheetTitle.isEmpty())
        arguments << sheetTitle;
    runPython(QStringLiteral("import json, sys, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "if len(sys.argv) > 3:\n"
                             "    wb.active.title = sys.argv[3]\n"
                             "for row in json.loads(sys.argv[2]):\n"
                             "    wb.active.append(row)\n"
                             "wb.save(sys.argv[1])\n"),
        arguments);
}

// A list holding one array. Braces around a single QJsonArray make such a list for g++ but a
// copy of the array for clang, so the tests never write one with them.
inline QJsonArray listOf(const QJsonArray& only)
{
    QJsonArray list;
    list.append(only);
    return list;
}

// Writes a workbook with openpyxl of several sheets, in order: each a [name, rows] pair whose
// rows are arrays of cells (null for an empty one).
inline void writeSheetsWorkbook(const QString& path, const QJsonArray& sheets)
{
    runPython(QStringLiteral("import json, sys, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "wb.remove(wb.active)\n"
                             "for name, rows in json.loads(sys.argv[2]):\n"
                             "    ws = wb.create_sheet(name)\n"
                             "    for row in rows:\n"
                             "        ws.append(row)\n"
                             "wb.save(sys.argv[1])\n"),
        { path, QString::fromUtf8(QJsonDocument(sheets).toJson(QJsonDocument::Compact)) });
}

// Python defining streaming_zip64(entries, descriptors): the bytes of an archive of (name, data)
// pairs in the form streaming writers use: every size and the local header's offset only in
// ZIP64 extra fields (the 32-bit fields hold 0xFFFFFFFF), a ZIP64 end record and locator, and
// with descriptors the sizes and check sum after the data instead of in the local header.
inline QString streamingZip64Python()
{
    return QStringLiteral(R"(
import struct, zlib
def streaming_zip64(entries, descriptors):
    out = bytearray(); central = bytearray()
    for name, data in entries:
        name = name.encode()
        packer = zlib.compressobj(6, zlib.DEFLATED, -15)
        packed = packer.compress(data) + packer.flush()
        crc = zlib.crc32(data); offset = len(out)
        flags = 0x0808 if descriptors else 0x0800
        local_extra = struct.pack('<HHQQ', 1, 16, 0 if descriptors else len(data), 0 if descriptors else len(packed))
        out += struct.pack('<IHHHHHIIIHH', 0x04034b50, 45, flags, 8, 0, 0x21, 0 if descriptors else crc,
                           0xFFFFFFFF, 0xFFFFFFFF, len(name), len(local_extra)) + name + local_extra + packed
        if descriptors:
            out += struct.pack('<IIQQ', 0x08074b50, crc, len(packed), len(data))
        extra = struct.pack('<HHQQQ', 1, 24, len(data), len(packed), offset)
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 45, 45, flags, 8, 0, 0x21, crc, 0xFFFFFFFF,
                               0xFFFFFFFF, len(name), len(extra), 0, 0, 0, 0, 0xFFFFFFFF) + name + extra
    directory = len(out); out += central; end64 = len(out)
    out += struct.pack('<IQHHIIQQQQ', 0x06064b50, 44, 45, 45, 0, 0, len(entries), len(entries), len(central), directory)
    out += struct.pack('<IIQI', 0x07064b50, 0, end64, 1)
    out += struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0)
    return bytes(out)
)");
}

} // namespace xlsxtest

#define SKIP_WITHOUT_OPENPYXL()                                                                                        \
    do {                                                                                                               \
        if (xlsxtest::openpyxlPython().isEmpty())                                                                      \
            GTEST_SKIP() << "python3-openpyxl is not installed";                                                       \
    } while (0)

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
