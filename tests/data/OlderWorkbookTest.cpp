#include "XlsxTestSupport.h"

#include "data/OlderWorkbook.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace xlsxtest;

namespace {

void putLE(QByteArray& bytes, int at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

QByteArray directoryEntry(const QString& name, char type, quint32 start, quint32 size)
{
    QByteArray entry(128, '\0');
    for (int i = 0; i < name.size(); ++i)
        putLE(entry, 2 * i, name[i].unicode(), 2);
    putLE(entry, 0x40, quint32(2 * (name.size() + 1)), 2);
    entry[0x42] = type;
    putLE(entry, 0x44, 0xffffffff, 4); // no siblings, no child
    putLE(entry, 0x48, 0xffffffff, 4);
    putLE(entry, 0x4c, 0xffffffff, 4);
    putLE(entry, 0x74, start, 4);
    putLE(entry, 0x78, size, 4);
    return entry;
}

// A compound file of 512-byte sectors as spreadsheet programs write them: the header, one
// sector of the allocation table, one of the directory, then each stream in a sector of its own.
QByteArray compoundFile(const QStringList& streams)
{
    QByteArray header(512, '\0');
    header.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    putLE(header, 0x18, 0x3e, 2);
    putLE(header, 0x1a, 3, 2);
    putLE(header, 0x1c, 0xfffe, 2);
    putLE(header, 0x1e, 9, 2);
    putLE(header, 0x20, 6, 2);
    putLE(header, 0x2c, 1, 4); // one allocation sector
    putLE(header, 0x30, 1, 4); // the directory in sector 1
    putLE(header, 0x38, 4096, 4);
    putLE(header, 0x3c, 0xfffffffe, 4);
    putLE(header, 0x44, 0xfffffffe, 4);
    for (int at = 0x4c; at < 512; at += 4)
        putLE(header, at, 0xffffffff, 4);
    putLE(header, 0x4c, 0, 4);

    QByteArray table(512, '\xff');
    putLE(table, 0, 0xfffffffd, 4);
    putLE(table, 4, 0xfffffffe, 4);
    QByteArray directory = directoryEntry(QStringLiteral("Root Entry"), 5, 0xfffffffe, 0);
    QByteArray data;
    for (int i = 0; i < streams.size(); ++i) {
        putLE(table, 4 * (2 + i), 0xfffffffe, 4);
        directory += directoryEntry(streams[i], 2, quint32(2 + i), 4096);
        data += QByteArray(512, char('a' + i));
    }
    directory += QByteArray(512 - directory.size() % 512, '\0');
    return header + table + directory + data;
}

} // namespace

TEST(OlderWorkbook, TellsABinaryWorkbookFromAnEncryptedOne)
{
    QTemporaryDir tmp;
    const QString xls = tmp.filePath(QStringLiteral("old.xls"));
    writeBytes(xls, compoundFile({ QStringLiteral("Workbook"), QStringLiteral("\x05SummaryInformation") }));
    const QString encrypted = tmp.filePath(QStringLiteral("locked.xlsx"));
    writeBytes(encrypted, compoundFile({ QStringLiteral("EncryptionInfo"), QStringLiteral("EncryptedPackage") }));
    // The stream's name as cell text of an older workbook is no directory entry.
    const QString mentions = tmp.filePath(QStringLiteral("mentions.xls"));
    QByteArray text = compoundFile({ QStringLiteral("Workbook") });
    const QByteArray cell = directoryEntry(QStringLiteral("EncryptedPackage"), 2, 0, 0).left(34);
    text.replace(text.size() - 512 + 6, cell.size(), cell);
    writeBytes(mentions, text);
    const QString plain = tmp.filePath(QStringLiteral("notes.xlsx"));
    writeBytes(plain, "Name,Age\n");

    EXPECT_EQ(OlderWorkbook::kindOf(xls), OlderWorkbook::Kind::BinaryWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(encrypted), OlderWorkbook::Kind::EncryptedWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(mentions), OlderWorkbook::Kind::BinaryWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(plain), OlderWorkbook::Kind::NotCompoundFile);
    EXPECT_EQ(OlderWorkbook::kindOf(tmp.path()), OlderWorkbook::Kind::NotCompoundFile);
    EXPECT_EQ(OlderWorkbook::kindOf(tmp.filePath(QStringLiteral("missing.xls"))), OlderWorkbook::Kind::NotCompoundFile);
}

TEST(OlderWorkbook, OpeningOneSaysWhatItIsAndToSaveItAsXlsx)
{
    QTemporaryDir tmp;
    const QString xls = tmp.filePath(QStringLiteral("old.xls"));
    writeBytes(xls, compoundFile({ QStringLiteral("Workbook") }));
    const QString encrypted = tmp.filePath(QStringLiteral("locked.xlsx"));
    writeBytes(encrypted, compoundFile({ QStringLiteral("EncryptionInfo"), QStringLiteral("EncryptedPackage") }));
    const std::pair<QString, const char*> cases[] = { { xls, "older Excel workbook (.xls)" },
        { encrypted, "encrypted workbook" } };
    for (const auto& [path, kind] : cases) {
        SCOPED_TRACE(path.toStdString());
        ScriptedDialogs answers;
        SpreadsheetWriter::ReadWorkbook(path, true);
        ASSERT_EQ(answers->messages().size(), 1u);
        const QString message = answers->messages()[0];
        EXPECT_TRUE(message.contains(QString::fromLatin1(kind))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("save it as an Excel workbook (.xlsx)"))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("zip"))) << message.toStdString();
    }
}
