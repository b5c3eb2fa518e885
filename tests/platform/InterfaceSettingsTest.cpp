#include "platform/InterfaceSettings.h"
#include "platform/FileDialogFolders.h"

#include "support/PeakMemory.h"
#include "support/ScriptedDialogService.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The interface settings of a config folder of the test's own, for the test's length.
class OwnConfigFolder
{
public:
    OwnConfigFolder() { InterfaceSettings::useFolder(dir_.path()); }
    ~OwnConfigFolder() { InterfaceSettings::useFolder(QString()); }

    // Where the program keeps them, with its folder made.
    QString settingsFile() const
    {
        QDir(dir_.path()).mkpath(QStringLiteral("Galavite"));
        return dir_.filePath(QStringLiteral("Galavite/Galavite.conf"));
    }

private:
    QTemporaryDir dir_;
};

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

const QByteArray rememberedFolder = "[FileDialogs]\nfolders=/remembered/folder\n";

} // namespace

TEST(InterfaceSettings, AFileOfAHundredMegabytesIsRefusedOnceAndLeftAsItIs)
{
    ScriptedDialogs dialogs;
    OwnConfigFolder config;
    const QString path = config.settingsFile();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(rememberedFolder), rememberedFolder.size());
        const QByteArray comments = QByteArray(1023, ';') + '\n';
        const QByteArray block = comments.repeated(1024);
        for (int megabyte = 0; megabyte < 100; ++megabyte)
            ASSERT_EQ(file.write(block), block.size());
    }
    const QByteArray digest = digestOf(path);
    const QDateTime modified = QFileInfo(path).lastModified();

    // Not read: the folder it names is not where choosers start.
    const QString start = FileDialogFolders::startAt(QString(), QString());
    EXPECT_NE(start, QStringLiteral("/remembered/folder"));
    EXPECT_FALSE(start.isEmpty());
    ASSERT_EQ(dialogs->messages().size(), 1u);
    EXPECT_TRUE(dialogs->messages().front().contains(path)) << dialogs->messages().front().toStdString();
    EXPECT_EQ(dialogs->lastInformative(), QStringLiteral("It is larger than 1 MB."));

    // The program goes on: what is chosen now holds for this run, without another message,
    // and the person's file is not written.
    const QString chosen = QFileInfo(path).absolutePath();
    FileDialogFolders::remember(QString(), chosen);
    EXPECT_EQ(FileDialogFolders::startAt(QString(), QString()), chosen);
    InterfaceSettings::setValue(QStringLiteral("MainWindow/geometry"), QByteArray("geometry"));
    EXPECT_EQ(InterfaceSettings::value(QStringLiteral("MainWindow/geometry")).toByteArray(), QByteArray("geometry"));
    EXPECT_EQ(dialogs->messages().size(), 1u);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_EQ(digestOf(path), digest);

    // Once it is of a settings file's size again, the next run reads it.
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(rememberedFolder), rememberedFolder.size());
    }
    OwnConfigFolder nextRun;
    ASSERT_TRUE(QFile::copy(path, nextRun.settingsFile()));
    EXPECT_EQ(InterfaceSettings::value(QStringLiteral("FileDialogs/folders")).toString(),
        QStringLiteral("/remembered/folder"));
    EXPECT_EQ(dialogs->messages().size(), 1u);
}

// Qt decodes a value in its data-stream form, which may claim billions of items, and asks for
// memory for them before it reads one: such a file is refused, however it is spelled, and left
// as it is. A folder whose name only reads so is written escaped and reads back.
TEST(InterfaceSettings, AValueInDataStreamFormIsRefusedAndLeftAsItIs)
{
    ScriptedDialogs dialogs;
    const QByteArray billionsOfTexts = "list=@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xff)\n";
    for (const QByteArray& value :
        { billionsOfTexts, QByteArray("a=x, \"@\"Var\\151ant(\\0)\n"), QByteArray("a=\\z\\100DateTime(\\0)\n") }) {
        OwnConfigFolder config;
        const QString path = config.settingsFile();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(rememberedFolder + value), rememberedFolder.size() + value.size());
        file.close();
        EXPECT_NE(FileDialogFolders::startAt(QString(), QString()), QStringLiteral("/remembered/folder")) << value.toStdString();
        EXPECT_EQ(
            dialogs->lastInformative(), QStringLiteral("It holds a value in a form this program does not write."));
        InterfaceSettings::setValue(QStringLiteral("MainWindow/geometry"), QByteArray("geometry"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), rememberedFolder + value);
    }
    const auto messages = dialogs->messages().size();
    OwnConfigFolder config;
    const QString folder = QStringLiteral("@Variant(\\0\\0\\0\\v)");
    InterfaceSettings::setValue(QStringLiteral("FileDialogs/folders"), folder);
    InterfaceSettings::useFolder(QFileInfo(QFileInfo(config.settingsFile()).path()).path());
    EXPECT_EQ(InterfaceSettings::value(QStringLiteral("FileDialogs/folders")).toString(), folder);
    EXPECT_EQ(dialogs->messages().size(), messages);
}

// Qt waits for the settings file's lock without end; a lock that cannot be taken leaves the
// file as it is, with one message, and the values last for the run.
TEST(InterfaceSettings, ALockThatCannotBeTakenLeavesTheFileUnwrittenWithOneMessage)
{
    struct Watchdog // a hang is a failure, not a run that never ends
    {
        Watchdog() { ::alarm(60); }
        ~Watchdog() { ::alarm(0); }
    } watchdog;
    const QString folder = QStringLiteral("folder"), fifo = QStringLiteral("FIFO"), held = QStringLiteral("held"),
                  huge = QStringLiteral("2 GB");
    for (const QString& lockKind : { folder, fifo, held, huge }) {
        ScriptedDialogs dialogs;
        OwnConfigFolder config;
        const QString path = config.settingsFile();
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(rememberedFolder) == rememberedFolder.size());
        }
        const QString lockPath = path + QStringLiteral(".lock");
        QLockFile otherProgram(lockPath);
        if (lockKind == folder)
            ASSERT_TRUE(QDir().mkdir(lockPath));
        else if (lockKind == fifo)
            ASSERT_EQ(::mkfifo(QFile::encodeName(lockPath).constData(), 0600), 0);
        else if (lockKind == held)
            ASSERT_TRUE(otherProgram.tryLock(0));
        else { // sparse: it takes no room on the disk, only in a reader's memory
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly) && lock.resize(qint64(2) << 30));
        }
        const QByteArray digest = digestOf(path);

        // In a child process whose memory is measured: Qt reads a lock whole.
        const QString chosen = QFileInfo(path).absolutePath();
        const MeasuredRun run = runMeasured([&] {
            FileDialogFolders::remember(QString(), chosen);
            InterfaceSettings::setValue(QStringLiteral("MainWindow/geometry"), QByteArray("geometry"));
            const bool kept = FileDialogFolders::startAt(QString(), QString()) == chosen;
            const std::vector<QString> messages = dialogs->messages();
            return QStringList { QString::number(messages.size()), QString::number(kept),
                messages.empty() ? QString() : messages.front(), dialogs->lastInformative() }
                .join(u'\x1f')
                .toStdString();
        });
        EXPECT_GE(run.peakMegabytes, 0) << lockKind.toStdString();
        EXPECT_LT(run.peakMegabytes, 64) << lockKind.toStdString();
        const QStringList told = QString::fromStdString(run.result).split(u'\x1f');
        ASSERT_EQ(told.size(), 4) << run.result;
        EXPECT_EQ(told[0], QStringLiteral("1")) << lockKind.toStdString();
        EXPECT_EQ(told[1], QStringLiteral("1")) << lockKind.toStdString();
        EXPECT_TRUE(told[2].contains(QStringLiteral("%1 cannot be written").arg(path))) << told[2].toStdString();
        EXPECT_EQ(told[3],
            lockKind == held       ? QStringLiteral("Its lock %1 is held by another program.").arg(lockPath)
                : lockKind == huge ? QStringLiteral("Its lock %1 is larger than a lock file can be.").arg(lockPath)
                                   : QStringLiteral("Its lock %1 is not a regular file.").arg(lockPath));
        EXPECT_EQ(digestOf(path), digest) << lockKind.toStdString();
        if (lockKind == huge)
            EXPECT_EQ(QFileInfo(lockPath).size(), qint64(2) << 30);
    }
}
