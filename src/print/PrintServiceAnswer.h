#pragma once

#include <QString>

// What the print service answered to the last job handed to it on this thread: "" when it took
// the job, else its reason. Qt's print engine hands the job over when the painter ends and keeps
// the answer to itself, so a queue that is gone or refuses jobs would pass for a print.
QString lastPrintJobRefusal();
