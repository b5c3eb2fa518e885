// Arbitrary bytes into the property-list reader the way a file reaches it: the XML form in
// pieces as they are read (the first byte chooses their sizes, 1 byte each up to a few hundred,
// so that every character the reader masks is cut somewhere), and the whole through
// PropertyList::readFile. Either must read what the bytes read as at once.
#include "platform/PlistXmlReader.h"
#include "platform/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool same(const PlistValue& a, const PlistValue& b)
{
    if (a == b)
        return true;
    // A real that is not a number equals nothing, itself included: compared by what is written.
    return !a.isNone() && !b.isNone()
        && PropertyList::write(a, PropertyList::Format::Binary) == PropertyList::write(b, PropertyList::Format::Binary);
}

PlistValue readInPieces(const char* bytes, size_t size, unsigned seed)
{
    PlistXmlReader reader(PropertyList::maxNesting);
    const size_t largest = 1 + seed;
    unsigned state = seed;
    while (size > 0) {
        state = state * 1103515245u + 12345u;
        const size_t piece = std::min(size, 1 + (state >> 16) % largest);
        if (!reader.feed(bytes, piece, false))
            break;
        bytes += piece;
        size -= piece;
    }
    reader.feed(nullptr, 0, true);
    return reader.take(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const PlistValue whole
        = PlistXmlReader::read(bytes.constData(), size_t(bytes.size()), PropertyList::maxNesting, nullptr);
    if (!same(readInPieces(bytes.constData(), size_t(bytes.size()), data[0]), whole))
        std::abort();

    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-plist-pieces-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("list.plist"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();
    if (!same(PropertyList::readFile(path), PropertyList::read(bytes)))
        std::abort();
    return 0;
}
