#pragma once

#include <QString>

// The countdown text of a pause of delayed delivery, for a pause of the given milliseconds:
// hours only from one hour, minutes only from one minute.
QString pauseText(int milliseconds);
