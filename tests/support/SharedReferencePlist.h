#pragma once

// Binary property lists that refer to one object from many places, as a hostile file does:
// a few bytes that a parser copying each shared object expands enormously.

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <initializer_list>

namespace sharedplist {

// The bytes given, as written.
inline QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes += char(value);
    return bytes;
}

inline void appendBigEndian(QByteArray& bytes, uint64_t value, int width)
{
    for (int i = width - 1; i >= 0; --i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

// A binary list of the given objects (each already encoded, references refWidth bytes wide),
// its top object the first.
inline QByteArray binaryList(const QList<QByteArray>& objects, int refWidth = 1)
{
    QByteArray bytes("bplist00");
    QList<uint64_t> offsets;
    for (const QByteArray& object : objects) {
        offsets.append(uint64_t(bytes.size()));
        bytes += object;
    }
    const uint64_t offsetTable = uint64_t(bytes.size());
    for (const uint64_t offset : offsets)
        appendBigEndian(bytes, offset, 4);
    bytes += QByteArray(6, '\0');
    bytes += char(4); // offset size
    bytes += char(refWidth); // reference size
    appendBigEndian(bytes, uint64_t(objects.size()), 8);
    appendBigEndian(bytes, 0, 8);
    appendBigEndian(bytes, offsetTable, 8);
    return bytes;
}

// Arrays each holding the next twice, `levels` deep, down to one short string: about 30 bytes
// plus 7 a level, and 2^(levels+1) - 1 values once expanded.
inline QByteArray doublingArrays(int levels)
{
    QList<QByteArray> objects;
    for (int level = 0; level < levels; ++level)
        objects.append(bytesOf({ 0xA2, level + 1, level + 1 }));
    objects.append(bytesOf({ 0x51, 'x' }));
    return binaryList(objects);
}

// An array of `count` references to one data object (count < 2^16 or a wider array marker).
inline QByteArray repeatedData(const QByteArray& data, int count)
{
    QByteArray array = bytesOf({ 0xAF, 0x12 });
    appendBigEndian(array, uint64_t(count), 4);
    array += QByteArray(count, char(1));
    QByteArray object = bytesOf({ 0x4F, 0x12 });
    appendBigEndian(object, uint64_t(data.size()), 4);
    object += data;
    return binaryList({ array, object });
}

// A chain of `levels` arrays met first right under the top, and again at the end of a second
// chain as long: each object is shallow where it is first met, and the list is twice as deep.
inline QByteArray chainMetAgainDeeper(int levels)
{
    const auto array = [](QList<int> refs) {
        QByteArray object = bytesOf({ 0xA0 + int(refs.size()) });
        for (const int ref : refs)
            appendBigEndian(object, uint64_t(ref), 2);
        return object;
    };
    QList<QByteArray> objects { array({ 1, levels + 1 }) };
    for (int level = 1; level <= 2 * levels; ++level) {
        if (level == levels)
            objects.append(array({}));
        else
            objects.append(array({ level == 2 * levels ? 1 : level + 1 }));
    }
    return binaryList(objects, 2);
}

// An XML list `levels` arrays or dictionaries deep, each followed by its close tag where only
// a text scan sees it: in a comment, or in a CDATA section of a string. Closed for real at the end.
enum class Hiding
{
    ArrayComment,
    ArrayCdata,
    DictComment
};
inline QByteArray hiddenCloseTags(Hiding hiding, int levels)
{
    const bool dict = hiding == Hiding::DictComment;
    const char* level = hiding == Hiding::ArrayComment ? "<array><!--</array>-->"
        : hiding == Hiding::ArrayCdata                 ? "<array><string><![CDATA[</array>]]></string>"
                                                       : "<dict><key>k</key><!--</dict>-->";
    QByteArray xml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n");
    xml += QByteArray(level).repeated(levels);
    xml += dict ? "<true/>" : "";
    xml += QByteArray(dict ? "</dict>" : "</array>").repeated(levels);
    return xml + "\n</plist>\n";
}

} // namespace sharedplist
