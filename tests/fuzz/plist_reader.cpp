// Arbitrary bytes into the property-list reader; whatever it accepts must write and read
// back to the same value in both forms.
#include "platform/PropertyList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PlistValue value = PropertyList::read(bytes);
    if (value.isNone())
        return 0;
    for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
        const PlistValue again = PropertyList::read(PropertyList::write(value, format));
        if (again.isNone())
            std::abort(); // what we write we must be able to read
    }
    return 0;
}
