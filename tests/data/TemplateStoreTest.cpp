#include "data/TemplateStore.h"
#include "support/TempResources.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TemplateStore::FileWriter writing(const QByteArray& text)
{
    return [text](const QString& path, QString*) { return writeText(path, text); };
}

class TemplateStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(TemplateStore::userFolder())); }

    void makeTemplate(const QString& name, const QByteArray& design = "design")
    {
        ASSERT_TRUE(writeText(TemplateStore::userDesignPath(name), design));
        ASSERT_TRUE(writeText(TemplateStore::userPreviewPath(name), "preview-" + design));
    }

    // Every file below the resources folder, hidden ones too, relative to it.
    QStringList allFiles() const
    {
        QStringList files;
        QDirIterator it(resources.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(QDir(resources.path()).relativeFilePath(it.next()));
        files.sort();
        return files;
    }

    TempResources resources;
};

TEST_F(TemplateStoreTest, NamesAreCleanedUntilStableAndMustBeOneFileName)
{
    using TemplateStore::NameProblem;
    EXPECT_EQ(TemplateStore::cleanName(QStringLiteral("  \"Party/ ")), QStringLiteral("Party"));
    // One pass of stripping would leave a quotation mark behind the slash and space.
    EXPECT_EQ(TemplateStore::cleanName(QStringLiteral("/ \"Picnic")), QStringLiteral("Picnic"));
    EXPECT_EQ(TemplateStore::checkName(TemplateStore::cleanName(QStringLiteral("   "))), NameProblem::Empty);
    EXPECT_EQ(TemplateStore::checkName(TemplateStore::cleanName(QStringLiteral("../x"))), NameProblem::NotOneFileName);
    EXPECT_EQ(TemplateStore::checkName(QStringLiteral("..")), NameProblem::NotOneFileName);
    EXPECT_EQ(TemplateStore::checkName(QStringLiteral("a\\b")), NameProblem::NotOneFileName);
    EXPECT_EQ(TemplateStore::checkName(QStringLiteral("Party..2")), NameProblem::None);
    // Saved but never listed, or cut short at the NUL onto one file without an extension.
    for (const QString& name : { QStringLiteral(".x"), QStringLiteral("..x"), QStringLiteral("a") + QChar(0) + "b",
             QStringLiteral("a\tb") })
        EXPECT_EQ(TemplateStore::checkName(TemplateStore::cleanName(name)), NameProblem::HiddenOrControl)
            << name.toStdString();
    EXPECT_EQ(TemplateStore::nameProblemMessage(NameProblem::Empty), QStringLiteral("Please enter template name."));
}

TEST_F(TemplateStoreTest, ListingFindsTemplatesThroughTheirPreviews)
{
    const QString folder = TemplateStore::builtInFolder();
    for (const char* name : { "b.png", "a.JPG", "c.jpeg", "d.dcard", "e.txt" })
        ASSERT_TRUE(writeText(QDir(folder).filePath(QString::fromLatin1(name)), "x"));
    // A link to a FIFO is no preview, though the folder listing takes it for a file.
    const QByteArray fifo = QFile::encodeName(QDir(folder).filePath(QStringLiteral("pipe")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QFile::decodeName(fifo), QDir(folder).filePath(QStringLiteral("f.png"))));
    const QStringList previews = TemplateStore::previewsIn(folder);
    ASSERT_EQ(previews.size(), 2);
    EXPECT_TRUE(previews[0].endsWith(QStringLiteral("/a.JPG")));
    EXPECT_TRUE(previews[1].endsWith(QStringLiteral("/b.png")));
    EXPECT_EQ(TemplateStore::designPathFor(previews[0]), QDir(folder).filePath(QStringLiteral("a.dcard")));
    EXPECT_TRUE(TemplateStore::previewsIn(QDir(folder).filePath(QStringLiteral("missing"))).isEmpty());

    // A name starting with ":" is a file beside the others, not a path into the program's resources.
    const QString colon = folder + QStringLiteral("/:Party.png");
    EXPECT_EQ(TemplateStore::designPathFor(colon), folder + QStringLiteral("/:Party.dcard"));
    EXPECT_EQ(TemplateStore::copyPathFor(colon), folder + QStringLiteral("/:Party (copy 1).png"));
    EXPECT_EQ(TemplateStore::userDesignPath(QStringLiteral(":Party")),
        TemplateStore::userFolder() + QStringLiteral("/:Party.dcard"));
}

TEST_F(TemplateStoreTest, SavingWritesBothFilesAndLeavesNoTemporaryFiles)
{
    QString error;
    ASSERT_TRUE(TemplateStore::saveUserTemplate(QStringLiteral("Party"), writing("new"), writing("pic"), &error))
        << error.toStdString();
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party"))), QByteArray("new"));
    EXPECT_EQ(readText(TemplateStore::userPreviewPath(QStringLiteral("Party"))), QByteArray("pic"));
    EXPECT_EQ(allFiles(),
        (QStringList { QStringLiteral("Templates/User/Party.dcard"), QStringLiteral("Templates/User/Party.png") }));
    // Made as any new file is, not with the owner-only permissions of a file being written.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const QString& path :
        { TemplateStore::userDesignPath(QStringLiteral("Party")), TemplateStore::userPreviewPath(QStringLiteral("Party")) }) {
        struct stat info
        {
        };
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask) << path.toStdString();
    }
}

TEST_F(TemplateStoreTest, AFailedWriteKeepsTheOldTemplateWhole)
{
    makeTemplate(QStringLiteral("Party"), "old");
    const auto failing = [](const QString&, QString* error) {
        *error = QStringLiteral("disk full");
        return false;
    };
    QString error;
    EXPECT_FALSE(TemplateStore::saveUserTemplate(QStringLiteral("Party"), writing("new"), failing, &error));
    EXPECT_EQ(error, QStringLiteral("disk full"));
    EXPECT_FALSE(TemplateStore::saveUserTemplate(QStringLiteral("Party"), failing, writing("pic"), &error));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party"))), QByteArray("old"));
    EXPECT_EQ(readText(TemplateStore::userPreviewPath(QStringLiteral("Party"))), QByteArray("preview-old"));
    EXPECT_EQ(allFiles().size(), 2);
}

TEST_F(TemplateStoreTest, ANameLeavingTheUserFolderWritesNothing)
{
    bool called = false;
    const auto spy = [&called](const QString&, QString*) { return called = true; };
    QString error;
    EXPECT_FALSE(TemplateStore::saveUserTemplate(QStringLiteral("../x"), spy, spy, &error));
    EXPECT_FALSE(called);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(allFiles().isEmpty());
    EXPECT_FALSE(
        TemplateStore::renameTemplate(TemplateStore::userPreviewPath(QStringLiteral("x")), QStringLiteral("..")));
}

TEST_F(TemplateStoreTest, CopyTakesTheFirstNumberWhosePreviewAndDesignAreBothFree)
{
    makeTemplate(QStringLiteral("Party"));
    ASSERT_TRUE(writeText(TemplateStore::userPreviewPath(QStringLiteral("Party (copy 1)")), "taken"));
    // A design left without its preview must not be taken over by the copy.
    ASSERT_TRUE(writeText(TemplateStore::userDesignPath(QStringLiteral("Party (copy 2)")), "orphan"));
    TemplateStore::copyTemplate(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party (copy 2)"))), QByteArray("orphan"));
    EXPECT_FALSE(QFileInfo::exists(TemplateStore::userPreviewPath(QStringLiteral("Party (copy 2)"))));
    EXPECT_EQ(readText(TemplateStore::userPreviewPath(QStringLiteral("Party (copy 3)"))), QByteArray("preview-design"));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party (copy 3)"))), QByteArray("design"));
}

TEST_F(TemplateStoreTest, RenameMovesBothFilesAndTheSameNameChangesNothing)
{
    makeTemplate(QStringLiteral("Party"));
    const QString party = TemplateStore::userPreviewPath(QStringLiteral("Party"));
    EXPECT_TRUE(TemplateStore::renameTemplate(party, QStringLiteral("Party")));
    EXPECT_EQ(allFiles().size(), 2);
    EXPECT_TRUE(TemplateStore::renameTemplate(party, QStringLiteral("Picnic")));
    EXPECT_EQ(allFiles(),
        (QStringList { QStringLiteral("Templates/User/Picnic.dcard"), QStringLiteral("Templates/User/Picnic.png") }));
}

TEST_F(TemplateStoreTest, RenameOntoAnExistingTemplateKeepsBoth)
{
    makeTemplate(QStringLiteral("Party"), "one");
    makeTemplate(QStringLiteral("Picnic"), "two");
    EXPECT_FALSE(TemplateStore::renameTemplate(
        TemplateStore::userPreviewPath(QStringLiteral("Party")), QStringLiteral("Picnic")));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party"))), QByteArray("one"));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Picnic"))), QByteArray("two"));
}

} // namespace

TEST_F(TemplateStoreTest, AReadOnlyTemplateIsRefusedBeforeEitherFileIsReplaced)
{
    makeTemplate(QStringLiteral("Party"), "old");
    const QString preview = TemplateStore::userPreviewPath(QStringLiteral("Party"));
    ASSERT_TRUE(QFile::setPermissions(preview, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QString error;
    EXPECT_FALSE(TemplateStore::saveUserTemplate(QStringLiteral("Party"), writing("new"), writing("pic"), &error));
    EXPECT_EQ(error, preview + QStringLiteral(": Permission denied"));
    EXPECT_EQ(readText(TemplateStore::userDesignPath(QStringLiteral("Party"))), QByteArray("old"));
    EXPECT_EQ(readText(preview), QByteArray("preview-old"));
    EXPECT_EQ(allFiles().size(), 2);
}
