#include "platform/PlistNesting.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool fail(QString* error, const char* reason)
{
    if (error)
        *error = QString::fromLatin1(reason);
    return false;
}

struct BinaryList
{
    const uint8_t* bytes;
    uint64_t size;
    unsigned offsetSize;
    unsigned refSize;
    uint64_t objectCount;
    uint64_t offsetTable;

    bool readUInt(uint64_t at, unsigned width, uint64_t& value) const
    {
        if (width == 0 || width > 8 || at > size || size - at < width)
            return false;
        value = 0;
        for (unsigned i = 0; i < width; ++i)
            value = (value << 8) | bytes[at + i];
        return true;
    }

    bool objectOffset(uint64_t index, uint64_t& offset) const
    {
        return index < objectCount && readUInt(offsetTable + index * offsetSize, offsetSize, offset)
            && offset < offsetTable;
    }

    // A string the parser can take: inside the data and free of NUL characters (the
    // parser stops at them, and its checks then abort the program).
    bool stringIsClean(uint64_t at, uint64_t length, bool utf16) const
    {
        if (at > size || length > size - at)
            return false;
        for (uint64_t i = 0; i < length; i += utf16 ? 2 : 1)
            if (bytes[at + i] == 0 && (!utf16 || bytes[at + i + 1] == 0))
                return false;
        return true;
    }

    // The references an object holds (none for scalars) and the bytes of its own text or data;
    // false when it is damaged.
    bool children(uint64_t index, std::vector<uint64_t>& refs, uint64_t& payload) const
    {
        refs.clear();
        payload = 0;
        uint64_t offset = 0;
        if (!objectOffset(index, offset))
            return false;
        const uint8_t marker = bytes[offset];
        const uint8_t kind = marker & 0xF0;
        const bool container = kind == 0xA0 || kind == 0xB0 || kind == 0xC0 || kind == 0xD0;
        const bool string = kind == 0x50 || kind == 0x60;
        const bool data = kind == 0x40;
        if (!container && !string && !data)
            return true;
        uint64_t count = marker & 0x0F;
        uint64_t at = offset + 1;
        if (count == 0x0F) {
            if (at >= size || (bytes[at] & 0xF0) != 0x10)
                return false;
            const unsigned width = 1u << (bytes[at] & 0x0F);
            if (!readUInt(at + 1, width, count))
                return false;
            at += 1 + width;
        }
        if (data) {
            payload = count;
            return at <= size && count <= size - at;
        }
        if (string) {
            payload = kind == 0x60 ? count * 2 : count;
            return stringIsClean(at, payload, kind == 0x60);
        }
        const uint64_t refCount = kind == 0xD0 ? count * 2 : count;
        if (count > size || refCount > (size - at) / refSize)
            return false;
        refs.reserve(size_t(refCount));
        for (uint64_t i = 0; i < refCount; ++i) {
            uint64_t ref = 0;
            if (!readUInt(at + i * refSize, refSize, ref) || ref >= objectCount)
                return false;
            refs.push_back(ref);
        }
        return true;
    }
};

// What a list's values take once every reference has become a copy of its object, as the
// parser makes them: a node apiece, and the bytes of each text and data.
struct Expansion
{
    uint64_t nodes = 0;
    uint64_t payload = 0;

    // Adds without overflowing: past the limit only "too much" matters.
    void add(const Expansion& other)
    {
        nodes = std::min(nodes + other.nodes, saturated);
        payload = std::min(payload + other.payload, saturated);
    }
    static constexpr uint64_t saturated = uint64_t(1) << 62;
};

bool binaryWithinLimit(const QByteArray& data, int maxNesting, QString* error)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    const uint64_t size = uint64_t(data.size());
    if (size < 8 + 32)
        return fail(error, "The binary property list is truncated.");
    const uint8_t* trailer = bytes + size - 32;
    BinaryList list { bytes, size, trailer[6], trailer[7], 0, 0 };
    uint64_t top = 0;
    list.readUInt(size - 24, 8, list.objectCount);
    list.readUInt(size - 16, 8, top);
    list.readUInt(size - 8, 8, list.offsetTable);
    if (list.offsetSize < 1 || list.offsetSize > 8 || list.refSize < 1 || list.refSize > 8 || list.objectCount == 0
        || top >= list.objectCount || list.offsetTable < 8 || list.offsetTable >= size - 32
        || list.objectCount > (size - 32 - list.offsetTable) / list.offsetSize)
        return fail(error, "The binary property list has a damaged object table.");

    // Depth-first walk from the top object with an explicit stack: depth and expansion of each
    // object are remembered, and an object met again while it is still being walked is a cycle.
    enum : int
    {
        unvisited = -1,
        walking = -2
    };
    std::vector<int> depth(size_t(list.objectCount), unvisited);
    std::vector<Expansion> expansion(size_t(list.objectCount));
    struct Frame
    {
        uint64_t object;
        std::vector<uint64_t> refs;
        size_t next = 0;
        int deepest = 0;
        Expansion expanded;
    };
    const auto enter = [&](uint64_t object, std::vector<Frame>& stack) {
        Frame frame { object, {}, 0, 0, { 1, 0 } };
        if (!list.children(object, frame.refs, frame.expanded.payload))
            return false;
        depth[size_t(object)] = walking;
        stack.push_back(std::move(frame));
        return true;
    };
    std::vector<Frame> stack;
    if (!enter(top, stack))
        return fail(error, "The binary property list has a damaged object.");
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.refs.size()) {
            const int own = frame.deepest + 1;
            depth[size_t(frame.object)] = own;
            expansion[size_t(frame.object)] = frame.expanded;
            const Expansion expanded = frame.expanded;
            stack.pop_back();
            if (!stack.empty()) {
                stack.back().deepest = std::max(stack.back().deepest, own);
                stack.back().expanded.add(expanded);
            }
            continue;
        }
        const uint64_t child = frame.refs[frame.next++];
        const int known = depth[size_t(child)];
        if (known == walking)
            return fail(error, "The binary property list refers to itself.");
        if (known >= 0) {
            // Met before, maybe higher up: its own depth counts again from here.
            if (int(stack.size()) + known > maxNesting)
                return fail(error, "The property list nests too deeply.");
            frame.deepest = std::max(frame.deepest, known);
            frame.expanded.add(expansion[size_t(child)]);
            continue;
        }
        if (int(stack.size()) >= maxNesting)
            return fail(error, "The property list nests too deeply.");
        if (!enter(child, stack))
            return fail(error, "The binary property list has a damaged object.");
    }
    const Expansion& whole = expansion[size_t(top)];
    if (whole.nodes > PlistNesting::maxNodeBytes(size) / PlistNesting::bytesPerNode
        || whole.payload > PlistNesting::maxPayloadBytes(size)) {
        if (error)
            *error = QStringLiteral("The binary property list of %1 bytes repeats its objects into %2 values "
                                    "with %3 bytes of text and data, far more than a file of its size holds.")
                         .arg(size)
                         .arg(whole.nodes)
                         .arg(whole.payload);
        return false;
    }
    return true;
}

} // namespace

namespace PlistNesting {
bool withinLimit(const QByteArray& bytes, int maxNesting, QString* error)
{
    return binaryWithinLimit(bytes, maxNesting, error);
}
} // namespace PlistNesting
