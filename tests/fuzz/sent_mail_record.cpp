// Feeds arbitrary bytes to the record of mails sent as its file: a record that is not whole is
// never taken for one that holds nothing, and what is added to it is read back.
#include "mailing/SentMailRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir home;
    static const bool redirected = qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    const QString design = QStringLiteral("/designs/party.gvt");
    const QString path = SentMailRecord::fileFor(design);
    if (!redirected || !path.startsWith(home.path()))
        __builtin_trap();
    static const bool folderMade = QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!folderMade || !file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    file.close();
    const QByteArray key(16, '\x7f');
    const std::shared_ptr<SentMailRecord> read = SentMailRecord::forDesign(design);
    const bool whole = read->doubt().isEmpty();
    read->add(key);
    const std::shared_ptr<SentMailRecord> again = SentMailRecord::forDesign(design);
    if (!again->contains(key) || again->doubt().isEmpty() == !whole)
        __builtin_trap();
    return 0;
}
