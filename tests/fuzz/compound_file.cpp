// Arbitrary bytes as a workbook file that is no zip archive, into the compound-file reader
// that tells an older or a password-protected workbook apart: whatever its sector numbers and
// chains say, it reads no further than the file and knows a compound file by its header.
#include "data/OlderWorkbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-compound-file-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("book.xlsx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    file.close();
    const OlderWorkbook::Kind kind = OlderWorkbook::kindOf(path);
    const bool header = size >= 512 && std::memcmp(data, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) == 0;
    if (header != (kind != OlderWorkbook::Kind::NotCompoundFile))
        std::abort();
    return 0;
}
