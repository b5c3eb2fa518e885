#include "CompoundFileTestSupport.h"
#include "XlsxTestSupport.h"

#include "data/OlderWorkbook.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <tuple>

#include <gtest/gtest.h>

using namespace xlsxtest;

TEST(OlderWorkbook, TellsABinaryWorkbookFromAnEncryptedOne)
{
    QTemporaryDir tmp;
    const QString xls = tmp.filePath(QStringLiteral("old.xls"));
    writeBytes(xls, compoundFile({ QStringLiteral("Workbook"), QStringLiteral("\x05SummaryInformation") }));
    const QString encrypted = tmp.filePath(QStringLiteral("locked.xlsx"));
    writeBytes(encrypted, compoundFile({ QStringLiteral("EncryptionInfo"), QStringLiteral("EncryptedPackage") }));
    // The stream's name, or a whole entry of it, in the data of an older workbook's stream (an
    // embedded document, say) is no entry of its directory.
    const QString mentions = tmp.filePath(QStringLiteral("mentions.xls"));
    QByteArray text = compoundFile({ QStringLiteral("Workbook") });
    const QByteArray entry = directoryEntry(QStringLiteral("EncryptedPackage"), 2, 0, 0);
    text.replace(1024, entry.size(), entry);
    writeBytes(mentions, text);
    // The directory spans sectors chained through the allocation table; the stream is in its
    // second, its name's length given without the closing NUL as some writers do.
    const QString later = tmp.filePath(QStringLiteral("later.xlsx"));
    QByteArray chained = compoundFile({ QStringLiteral("\x06DataSpaces"), QStringLiteral("Version"),
        QStringLiteral("EncryptionInfo"), QStringLiteral("encryptedpackage") });
    chained[chained.size() - 512 + 0x40] = char(32);
    writeBytes(later, chained);
    const QString plain = tmp.filePath(QStringLiteral("notes.xlsx"));
    writeBytes(plain, "Name,Age\n");

    EXPECT_EQ(OlderWorkbook::kindOf(xls), OlderWorkbook::Kind::BinaryWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(encrypted), OlderWorkbook::Kind::EncryptedWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(mentions), OlderWorkbook::Kind::BinaryWorkbook);
    EXPECT_EQ(OlderWorkbook::kindOf(later), OlderWorkbook::Kind::EncryptedWorkbook);
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
    const std::tuple<QString, const char*, const char*> cases[]
        = { { xls, "older Excel workbook (.xls)", "save it as an Excel workbook (.xlsx)" },
              { encrypted, "protected by a password", "save it without the password as an Excel workbook (.xlsx)" } };
    for (const auto& [path, kind, advice] : cases) {
        SCOPED_TRACE(path.toStdString());
        ScriptedDialogs answers;
        SpreadsheetWriter::ReadWorkbook(path, true);
        // The reader words the refusal and shows nothing: it runs behind the please-wait sheet.
        EXPECT_TRUE(answers->messages().empty());
        const QString message = SpreadsheetWriter::lastError();
        EXPECT_TRUE(message.contains(QString::fromLatin1(kind))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromLatin1(advice))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("zip"))) << message.toStdString();
        EXPECT_EQ(message.contains(QStringLiteral(".xls)")), path == xls) << message.toStdString();
    }
}
