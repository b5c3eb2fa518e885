// Arbitrary bytes into the unarchivers of card objects, card settings, colours and fonts.
#include "FuzzApplication.h"

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"
#include "platform/ArchiveReader.h"

#include <cstdint>

// Fontconfig keeps its caches until the process ends; they are not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const SKTGraphicPtr graphic = SKTGraphic::unarchive(bytes)) {
        graphic->Text_contents();
        graphic->fillColor();
        graphic->archivedData(); // whatever was read can be written again
    }
    if (const auto card = Card_Property::unarchive(bytes))
        card->archivedData();
    ArchiveReader::unarchivedColor(bytes);
    ArchiveReader::unarchivedFont(bytes);
    return 0;
}
