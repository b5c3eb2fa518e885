// A list of ready-made texts anyone may have edited or replaced: every entry read is one trimmed,
// non-empty line; what is not a readable file of a list's size is refused without blocking.
#include "wizards/PartyTextLists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes the path a file of the bytes, a link to one, a dangling or looping link, a FIFO, a folder
// or a sparse file as large as the bytes say; its size when it is a regular file.
std::optional<qint64> make(uint8_t shape, const QByteArray& path, const QByteArray& rest)
{
    const QByteArray target = path + ".target";
    qint64 length = rest.size();
    switch (shape % 7) {
    case 1: // a link to the list
        if (::symlink(target.constData(), path.constData()) != 0)
            return std::nullopt;
        [[fallthrough]];
    case 0: {
        QFile file(QFile::decodeName(shape % 7 ? target : path));
        return file.open(QIODevice::WriteOnly) && file.write(rest) == length ? std::optional(length) : std::nullopt;
    }
    case 2:
    case 3: // a link to nothing, or to itself
        ::symlink(shape % 7 == 2 ? target.constData() : path.constData(), path.constData());
        break;
    case 4:
        ::mkfifo(path.constData(), 0600);
        break;
    case 5:
        ::mkdir(path.constData(), 0700);
        break;
    case 6: {
        // Up to 16 GiB: far beyond any list, and beyond what a process may hold.
        length = 0;
        for (qsizetype i = 0; i < rest.size() && i < 4; ++i)
            length = length << 8 | uint8_t(rest[i]);
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::WriteOnly) && file.resize(length * 4) ? std::optional(length * 4) : std::nullopt;
    }
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-entry-list-XXXXXX"));
    if (size == 0)
        return 0;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("Title.txt")));
    for (const QByteArray& old : { path, path + ".target" })
        if (::unlink(old.constData()) != 0)
            ::rmdir(old.constData());
    const std::optional<qint64> bytes
        = make(data[0], path, QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));

    QString reason;
    const std::optional<QStringList> entries = readEntryList(QFile::decodeName(path), &reason);
    // Only a regular file is a list, one of a list's size is always read, and a refusal says why.
    if (entries ? !bytes : (bytes && *bytes <= 64 * 1024) || reason.isEmpty())
        std::abort();
    qsizetype characters = 0;
    for (const QString& entry : entries.value_or(QStringList())) {
        characters += entry.size();
        if (entry.isEmpty() || entry != entry.trimmed() || entry.contains(QLatin1Char('\n'))
            || entry.contains(QLatin1Char('\r')) || entry.startsWith(QChar(0xFEFF)))
            std::abort();
    }
    if (characters > bytes.value_or(0))
        std::abort(); // no entry is longer than the bytes it came from
    return 0;
}
