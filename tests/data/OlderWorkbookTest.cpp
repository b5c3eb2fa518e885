#include "CompoundFileTestSupport.h"
#include "XlsxTestSupport.h"

#include "data/OlderWorkbook.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace xlsxtest;

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
        // The reader words the refusal and shows nothing: it runs behind the please-wait sheet.
        EXPECT_TRUE(answers->messages().empty());
        const QString message = SpreadsheetWriter::lastError();
        EXPECT_TRUE(message.contains(QString::fromLatin1(kind))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("save it as an Excel workbook (.xlsx)"))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("zip"))) << message.toStdString();
    }
}
