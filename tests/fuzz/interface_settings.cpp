// Arbitrary bytes as the interface's settings file (window places, last-used folders): every
// value in it is read, as the windows would ask for it, and a value set afterwards is written
// into it and reads back, unless the file is refused and left as it is.
#include "FuzzApplication.h"

#include "platform/InterfaceSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication();
    // A refused file is told of for each input: too many lines to be of use here.
    static const bool silenced = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)silenced;
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-interface-settings-XXXXXX"));
    // A folder of its own for each input: Qt keeps what it read of a settings file, and a file
    // of the same size written in the same moment would be taken for the one read before.
    static int input = 0;
    QDir root(folder.filePath(QString::number(input++)));
    const QString name = QCoreApplication::applicationName();
    root.mkpath(name);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(root.filePath(name + u'/' + name + QStringLiteral(".conf")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();
    InterfaceSettings::useFolder(root.path());

    InterfaceSettings::value(QStringLiteral("MainWindow/geometry")).toByteArray();
    InterfaceSettings::value(QStringLiteral("Export/openFolder"), true).toBool();
    InterfaceSettings::value(QStringLiteral("FileDialogs/files-dcard")).toString();
    const QString written = QStringLiteral("/home/ada/Badges, \"2026\" = [1]");
    InterfaceSettings::setValue(QStringLiteral("FileDialogs/files-dcard"), written);
    InterfaceSettings::useFolder(root.path()); // read anew
    const bool readBack = InterfaceSettings::value(QStringLiteral("FileDialogs/files-dcard")).toString() == written;
    if (!readBack && (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes))
        std::abort();
    root.removeRecursively();
    return 0;
}
