#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Compound files (the container of older and encrypted workbooks), made byte by byte.
namespace xlsxtest {

inline void putLE(QByteArray& bytes, int at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

inline QByteArray directoryEntry(const QString& name, char type, quint32 start, quint32 size)
{
    QByteArray entry(128, '\0');
    for (int i = 0; i < name.size(); ++i)
        putLE(entry, 2 * i, name[i].unicode(), 2);
    putLE(entry, 0x40, quint32(2 * (name.size() + 1)), 2);
    entry[0x42] = type;
    putLE(entry, 0x44, 0xffffffff, 4); // no siblings, no child
    putLE(entry, 0x48, 0xffffffff, 4);
    putLE(entry, 0x4c, 0xffffffff, 4);
    putLE(entry, 0x74, start, 4);
    putLE(entry, 0x78, size, 4);
    return entry;
}

// A compound file of 512-byte sectors as spreadsheet programs write them: the header, one
// sector of the allocation table, each stream in a sector of its own, then the directory (four
// entries a sector, chained through the table).
inline QByteArray compoundFile(const QStringList& streams)
{
    QByteArray header(512, '\0');
    header.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    putLE(header, 0x18, 0x3e, 2);
    putLE(header, 0x1a, 3, 2);
    putLE(header, 0x1c, 0xfffe, 2);
    putLE(header, 0x1e, 9, 2);
    putLE(header, 0x20, 6, 2);
    putLE(header, 0x2c, 1, 4); // one allocation sector
    const int firstDirectory = 1 + int(streams.size());
    putLE(header, 0x30, quint32(firstDirectory), 4);
    putLE(header, 0x38, 4096, 4);
    putLE(header, 0x3c, 0xfffffffe, 4);
    putLE(header, 0x44, 0xfffffffe, 4);
    for (int at = 0x4c; at < 512; at += 4)
        putLE(header, at, 0xffffffff, 4);
    putLE(header, 0x4c, 0, 4);

    QByteArray table(512, '\xff');
    putLE(table, 0, 0xfffffffd, 4);
    QByteArray directory = directoryEntry(QStringLiteral("Root Entry"), 5, 0xfffffffe, 0);
    QByteArray data;
    for (int i = 0; i < streams.size(); ++i) {
        putLE(table, 4 * (1 + i), 0xfffffffe, 4);
        directory += directoryEntry(streams[i], 2, quint32(1 + i), 4096);
        data += QByteArray(512, char('a' + i));
    }
    directory += QByteArray((512 - directory.size() % 512) % 512, '\0');
    const int directorySectors = int(directory.size() / 512);
    for (int i = 0; i < directorySectors; ++i)
        putLE(table, 4 * (firstDirectory + i), i + 1 < directorySectors ? quint32(firstDirectory + i + 1) : 0xfffffffe,
            4);
    return header + table + data + directory;
}

} // namespace xlsxtest
