// Arbitrary bytes into the whole design-file reader: the property list, the card blocks,
// the spreadsheet items and the archived objects.
#include "FuzzApplication.h"

#include "mainwindow/DesignFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DesignFile::ReadResult read = DesignFile::read(bytes);
    if (read.status == DesignFile::Status::Loaded)
        DesignFile::items(read.contents); // whatever was read can be written again
    return 0;
}
