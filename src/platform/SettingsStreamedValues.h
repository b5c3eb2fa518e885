#pragma once

#include <QByteArrayView>

// Whether the text of an INI settings file may hold a value Qt decodes from its data-stream
// form ("@Variant(...)", "@DateTime(...)"): such a value can claim billions of items, and Qt
// asks for memory for all of them before it reads one, tens of gigabytes for a few bytes. This
// program never writes one. Quotes, escapes and continued lines that could spell one are read
// as Qt reads them; a match in a key or a comment counts too, erring on the side of refusing.
bool holdsStreamedValue(QByteArrayView text);
