#pragma once

#include <QString>

// A folder under the user's temporary location made for this process alone (mode 0700),
// removed when the program ends. Work folders with fixed names live inside it, so another
// user or a second copy of the program can neither read them nor plant files in them.
// "" when it cannot be created.
QString processTempFolder();
