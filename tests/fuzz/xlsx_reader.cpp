// Feeds arbitrary bytes to the workbook reader. The first byte chooses what the rest is:
// 0 a whole workbook archive, 1 a worksheet part, 2 a shared-string part.
#include "common/FileHelpers.h"
#include "data/SpreadsheetWriter.h"
#include "platform/DialogService.h"

#include <QDir>
#include <QFile>

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
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
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
    Delete_File(work);
    const uint8_t* rest = data + 1;
    const size_t restSize = size - 1;
    switch (data[0] % 3) {
    case 0: {
        const QString archive = QFileInfo(work).path() + QStringLiteral("/fuzz.xlsx");
        writeFile(archive, rest, restSize);
        SpreadsheetWriter::ReadWorkbook(archive, true);
        SpreadsheetWriter::Read_Sheet_Name();
        readFirstSheet();
        break;
    }
    case 1:
        writeFile(work + QStringLiteral("/xl/worksheets/sheet1.xml"), rest, restSize);
        Excel_Sheet_Columns = 1;
        readFirstSheet();
        break;
    default:
        writeFile(work + QStringLiteral("/xl/sharedStrings.xml"), rest, restSize);
        SpreadsheetWriter::instance().ReadSharedStrings(work + QStringLiteral("/xl/sharedStrings.xml"));
        break;
    }
    return 0;
}
