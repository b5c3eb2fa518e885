// Feeds arbitrary bytes to the workbook reader. The first byte chooses what the rest is:
// 0 a whole workbook archive, 1 a worksheet part, 2 a shared-string part, 3 a styles part.
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"
#include "platform/DialogService.h"

#include <QFile>
#include <QFileInfo>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// The reader reports unreadable workbooks in a message box; here nobody answers.
class SilentDialogs final : public DialogService
{
public:
    void showMessage(const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    int askChoice(const QString&, const QStringList&, int) override { return -1; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QStringList chooseOpenFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    int runModal(QDialog&) override { return 0; }
};

void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
}

// A workbook whose one sheet, shared strings and styles are the given parts.
void writeWorkbook(const QString& path, const QByteArray& sheet, const QByteArray& strings, const QByteArray& styles)
{
    const QByteArray relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    SSZipArchive archive(path);
    if (!archive.open())
        return;
    archive.writeData("<workbook xmlns:r=\"" + relationships
            + "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>",
        QStringLiteral("xl/workbook.xml"));
    archive.writeData("<Relationships><Relationship Id=\"rId1\" Type=\"" + relationships
            + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>",
        QStringLiteral("xl/_rels/workbook.xml.rels"));
    archive.writeData(sheet, QStringLiteral("xl/worksheets/sheet1.xml"));
    archive.writeData(strings, QStringLiteral("xl/sharedStrings.xml"));
    if (!styles.isEmpty())
        archive.writeData(styles, QStringLiteral("xl/styles.xml"));
    archive.close();
}

void readFirstSheet()
{
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    SpreadsheetWriter::ReadWorkbook(QString(), false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool silenced = [] {
        setDialogService(std::make_unique<SilentDialogs>());
        return true;
    }();
    (void)silenced;
    if (size == 0)
        return 0;
    const QString work = SpreadsheetWriter::workFolder();
    if (work.isEmpty())
        return 0;
    const QString archive = QFileInfo(work).path() + QStringLiteral("/fuzz.xlsx");
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QByteArray sheet = "<worksheet><sheetData><row><c t=\"s\"><v>0</v></c></row></sheetData></worksheet>";
    const QByteArray strings = "<sst><si><t>a</t></si></sst>";
    // Numbers, a boolean and a date under the first styles, whatever their formats are.
    const QByteArray styledSheet = "<worksheet><sheetData><row><c><v>45356.396</v></c><c s=\"1\"><v>-0.5</v></c>"
                                   "<c s=\"2\" t=\"b\"><v>1</v></c><c s=\"3\" t=\"d\"><v>2024-03-05T09:30</v></c>"
                                   "<c s=\"1\"><v>1e300</v></c></row></sheetData></worksheet>";
    switch (data[0] % 4) {
    case 0:
        writeFile(archive, data + 1, size - 1);
        break;
    case 1:
        writeWorkbook(archive, rest, strings, {});
        break;
    case 2:
        writeWorkbook(archive, sheet, rest, {});
        break;
    default:
        writeWorkbook(archive, styledSheet, strings, rest);
        break;
    }
    SpreadsheetWriter::ReadWorkbook(archive, true);
    SpreadsheetWriter::Read_Sheet_Name();
    readFirstSheet();
    // What the rows were read from: the bytes of the file opened.
    const WorkbookFile file = SpreadsheetWriter::openWorkbookFile();
    if (file.content.isKnown() && file.content.bytes != QFileInfo(archive).size())
        __builtin_trap();
    return 0;
}
