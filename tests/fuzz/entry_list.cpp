// Arbitrary bytes as a list of ready-made texts (Title.txt, Message.txt) that anyone may have
// edited or replaced. The first byte says what the list's path is: the rest as a file, a link to
// it, a dangling or looping link, a FIFO, a folder, or a file as large as the next bytes say
// (sparse, so making it costs nothing). Every entry read is one trimmed, non-empty line; what is
// not a readable file of a list's size is refused without blocking.
#include "wizards/PartyTextLists.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Shape
{
    File,
    Link,
    Dangling,
    Loop,
    Fifo,
    Folder,
    Sized,
    Count
};

// Makes the list's path in the given shape; its size in bytes when it is a regular file.
std::optional<qint64> make(Shape shape, const QByteArray& path, const QByteArray& rest)
{
    const std::optional<qint64> none;
    const QByteArray target = path + ".target";
    switch (shape) {
    case Shape::File:
    case Shape::Link: {
        QFile file(QFile::decodeName(shape == Shape::File ? path : target));
        if (!file.open(QIODevice::WriteOnly) || file.write(rest) != rest.size())
            return none;
        file.close();
        if (shape == Shape::Link && ::symlink(target.constData(), path.constData()) != 0)
            return none;
        return rest.size();
    }
    case Shape::Dangling:
        ::symlink(target.constData(), path.constData());
        return none;
    case Shape::Loop:
        ::symlink(path.constData(), path.constData());
        return none;
    case Shape::Fifo:
        ::mkfifo(path.constData(), 0600);
        return none;
    case Shape::Folder:
        ::mkdir(path.constData(), 0700);
        return none;
    case Shape::Sized: {
        // Up to 16 GiB: far beyond any list, and beyond what a process may hold.
        uint64_t length = 0;
        for (qsizetype i = 0; i < rest.size() && i < 4; ++i)
            length = length << 8 | uint8_t(rest[i]);
        QFile file(QFile::decodeName(path));
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(length) * 4))
            return none;
        return qint64(length) * 4;
    }
    case Shape::Count:
        break;
    }
    return none;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-entry-list-XXXXXX"));
    if (size == 0)
        return 0;
    const Shape shape = Shape(data[0] % uint8_t(Shape::Count));
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("Title.txt")));
    for (const QByteArray& old : { path, path + ".target" }) {
        ::unlink(old.constData());
        ::rmdir(old.constData());
    }
    const std::optional<qint64> bytes = make(shape, path, rest);

    QString reason;
    const std::optional<QStringList> entries = readEntryList(QFile::decodeName(path), &reason);
    if (!entries) {
        if (bytes && *bytes <= 64 * 1024)
            std::abort(); // a list file of a list's size is always read
        if (reason.isEmpty())
            std::abort(); // a refusal says why
        return 0;
    }
    if (!bytes)
        std::abort(); // only a regular file is a list
    qsizetype characters = 0;
    for (const QString& entry : *entries) {
        characters += entry.size();
        if (entry.isEmpty() || entry != entry.trimmed() || entry.contains(QLatin1Char('\n'))
            || entry.contains(QLatin1Char('\r')) || entry.startsWith(QChar(0xFEFF)))
            std::abort();
    }
    if (characters > *bytes)
        std::abort(); // no entry is longer than the bytes it came from
    return 0;
}
