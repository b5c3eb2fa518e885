#include "data/OlderWorkbook.h"

#include "platform/SafeRead.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

constexpr char compoundFileMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr qint64 headerBytes = 512;
constexpr qint64 entryBytes = 128;

// A directory entry: the name in UTF-16LE with its terminating NUL, the name's length in bytes
// at 0x40 (the NUL counted) and the object type at 0x42 (2: a stream).
bool isEncryptedPackageEntry(const char* entry)
{
    static const QByteArray name = [] {
        QByteArray utf16;
        for (const char c : QByteArrayLiteral("EncryptedPackage")) {
            utf16.append(c);
            utf16.append('\0');
        }
        return utf16 + QByteArray(2, '\0');
    }();
    const auto nameLength = quint16(quint8(entry[0x40]) | quint8(entry[0x41]) << 8);
    return nameLength == name.size() && entry[0x42] == 2 && std::memcmp(entry, name.constData(), name.size()) == 0;
}

} // namespace

namespace OlderWorkbook {

Kind kindOf(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Kind::NotCompoundFile;
    QFile file;
    if (!SafeRead::openRegularFile(file, path))
        return Kind::NotCompoundFile;
    const QByteArray header = file.read(headerBytes);
    if (header.size() < headerBytes || !header.startsWith(QByteArray(compoundFileMagic, 8)))
        return Kind::NotCompoundFile;
    // Sectors are 512 or 4096 bytes and the directory's entries fill them from their start, so
    // every entry begins at a multiple of 128 past the header: reading those, one block at a
    // time, finds the stream without following the file's allocation tables.
    constexpr qint64 blockBytes = entryBytes * 8192;
    for (QByteArray block = file.read(blockBytes); block.size() >= entryBytes; block = file.read(blockBytes)) {
        for (qint64 at = 0; at + entryBytes <= block.size(); at += entryBytes)
            if (isEncryptedPackageEntry(block.constData() + at))
                return Kind::EncryptedWorkbook;
    }
    return Kind::BinaryWorkbook;
}

QString refusal(Kind kind)
{
    switch (kind) {
    case Kind::BinaryWorkbook:
        return QStringLiteral("it is an older Excel workbook (.xls). Open it in your spreadsheet program and save "
                              "it as an Excel workbook (.xlsx)");
    case Kind::EncryptedWorkbook:
        return QStringLiteral("it is an encrypted workbook, protected by a password. Open it in your spreadsheet "
                              "program, remove the password and save it as an Excel workbook (.xlsx)");
    case Kind::NotCompoundFile:
        break;
    }
    return {};
}

} // namespace OlderWorkbook
