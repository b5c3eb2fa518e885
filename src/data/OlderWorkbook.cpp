#include "data/OlderWorkbook.h"

#include "platform/SafeRead.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <optional>

namespace {

constexpr char compoundFileMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr qint64 headerBytes = 512;
constexpr qint64 entryBytes = 128;
constexpr quint32 lastRegularSector = 0xFFFFFFFA; // numbers from here on mark chain ends and the like
constexpr int headerTableEntries = 109; // of the allocation table's sectors, in the header

quint32 u32(const char* p)
{
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16
        | quint32(quint8(p[3])) << 24;
}

quint16 u16(const char* p)
{
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

// A compound file's directory read through its allocation table, as its own readers do: the
// header names the sectors of the table (the first 109 itself, the rest in a chain of its own)
// and the directory's first sector; each sector's next is its entry in the table. Every number
// is checked against the file, and no chain is followed further than the file has sectors.
class CompoundFile
{
public:
    explicit CompoundFile(QFile& file)
        : file_(file)
    { }

    // Whether the header is that of a compound file; the rest is read only then.
    bool open()
    {
        header_ = file_.read(headerBytes);
        if (header_.size() < headerBytes || !header_.startsWith(QByteArray(compoundFileMagic, 8)))
            return false;
        const quint16 shift = u16(header_.constData() + 0x1E);
        if (shift != 9 && shift != 12)
            return true; // a compound file, but not one whose directory can be read
        sectorBytes_ = qint64(1) << shift;
        sectors_ = std::max<qint64>(0, file_.size() / sectorBytes_ - 1);
        readTableSectors();
        return true;
    }

    // Which of the names (any case) are streams in the directory, in their order; none when
    // the directory cannot be read to its end.
    std::optional<QList<bool>> findStreams(const QStringList& names)
    {
        if (sectorBytes_ == 0)
            return std::nullopt;
        QList<bool> found(names.size(), false);
        QByteArray sector;
        quint32 at = u32(header_.constData() + 0x30);
        qint64 visited = 0;
        for (; at < lastRegularSector && visited < sectors_; ++visited, at = next(at)) {
            if (!readSector(at, sector))
                return std::nullopt;
            for (qint64 entry = 0; entry + entryBytes <= sector.size(); entry += entryBytes)
                for (qsizetype i = 0; i < names.size(); ++i)
                    found[i] = found[i] || isStreamNamed(sector.constData() + entry, names[i]);
        }
        if (at < lastRegularSector)
            return std::nullopt; // a chain longer than the file has sectors loops
        return found;
    }

private:
    // An entry: its name in UTF-16LE, the name's length in bytes at 0x40 (with its closing
    // NUL, though some writers leave that out) and its kind at 0x42 (2: a stream).
    static bool isStreamNamed(const char* entry, const QString& name)
    {
        const quint16 length = u16(entry + 0x40);
        if (entry[0x42] != 2 || length < 2 || length > 64 || length % 2 != 0)
            return false;
        QString stored;
        for (int at = 0; at < length; at += 2)
            stored.append(QChar(u16(entry + at)));
        if (stored.endsWith(QChar(0)))
            stored.chop(1);
        return stored.compare(name, Qt::CaseInsensitive) == 0;
    }

    bool readSector(quint32 number, QByteArray& sector)
    {
        if (qint64(number) >= sectors_ || !file_.seek((qint64(number) + 1) * sectorBytes_))
            return false;
        sector = file_.read(sectorBytes_);
        return sector.size() == sectorBytes_;
    }

    // The sectors holding the allocation table, in order.
    void readTableSectors()
    {
        for (int i = 0; i < headerTableEntries; ++i) {
            const quint32 sector = u32(header_.constData() + 0x4C + 4 * i);
            if (sector >= lastRegularSector)
                return;
            tableSectors_.append(sector);
        }
        QByteArray sector;
        const qint64 perSector = sectorBytes_ / 4 - 1; // the last number names the next such sector
        quint32 at = u32(header_.constData() + 0x44);
        for (qint64 visited = 0; at < lastRegularSector && visited < sectors_; ++visited) {
            if (!readSector(at, sector))
                return;
            for (qint64 i = 0; i < perSector; ++i) {
                const quint32 number = u32(sector.constData() + 4 * i);
                if (number >= lastRegularSector)
                    return;
                tableSectors_.append(number);
            }
            at = u32(sector.constData() + 4 * perSector);
        }
    }

    // The sector after `sector` in its chain, or a number past the regular ones.
    quint32 next(quint32 sector)
    {
        const qint64 perSector = sectorBytes_ / 4;
        const qint64 table = sector / perSector;
        char number[4];
        if (table >= tableSectors_.size() || qint64(tableSectors_.at(table)) >= sectors_
            || !file_.seek((qint64(tableSectors_.at(table)) + 1) * sectorBytes_ + 4 * (sector % perSector))
            || file_.read(number, 4) != 4)
            return lastRegularSector;
        return u32(number);
    }

    QFile& file_;
    QByteArray header_;
    qint64 sectorBytes_ = 0;
    qint64 sectors_ = 0; // in the file after the header
    QList<quint32> tableSectors_;
};

} // namespace

namespace OlderWorkbook {

Kind kindOf(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Kind::NotCompoundFile;
    QFile file;
    if (!SafeRead::openRegularFile(file, path))
        return Kind::NotCompoundFile;
    CompoundFile compound(file);
    if (!compound.open())
        return Kind::NotCompoundFile;
    // An older workbook keeps its sheets in "Workbook", or in "Book" before 1997.
    const std::optional<QList<bool>> found = compound.findStreams(
        { QStringLiteral("EncryptedPackage"), QStringLiteral("Workbook"), QStringLiteral("Book") });
    if (found && found->at(0))
        return Kind::EncryptedWorkbook;
    // A directory that cannot be read may still be an older workbook's.
    return !found || found->at(1) || found->at(2) ? Kind::BinaryWorkbook : Kind::OtherDocument;
}

QString refusal(Kind kind, const QString& path)
{
    switch (kind) {
    case Kind::BinaryWorkbook:
        return QStringLiteral("it is an older Excel workbook (.xls). Open it in your spreadsheet program and save "
                              "it as an Excel workbook (.xlsx)");
    case Kind::EncryptedWorkbook:
        return QStringLiteral("it is protected by a password, so its contents are encrypted. Open it in your "
                              "spreadsheet program and save it without the password as an Excel workbook (.xlsx)");
    case Kind::OtherDocument:
        return QStringLiteral("\"%1\" is not a workbook but a document of another program (a compound file "
                              "holding no workbook). Choose an Excel workbook (.xlsx)")
            .arg(path);
    case Kind::NotCompoundFile:
        break;
    }
    return {};
}

} // namespace OlderWorkbook
