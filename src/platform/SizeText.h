#pragma once

#include <QString>

// A size for people to read, in the largest unit it fills at least once: "512 bytes",
// "64 KB", "3 MB" (whole units, rounded down, 1 KB being 1024 bytes), so that a limit below a
// megabyte is never given as "0 MB".
QString sizeText(qint64 bytes);
