#pragma once

#include <QString>

// What the print service said of the last job handed to it on this thread. Qt's print engine
// hands the job over when the painter ends and keeps the answer to itself, so a queue that is
// gone or refuses jobs would pass for a print, and a paused one for cards on their way.
struct PrintServiceAnswer
{
    QString refusal; // "" when the service took the job, else its reason
    bool queuePaused = false; // taken, but the printer's queue holds its jobs until resumed
};

// Asks the print service about the printer the job went to: call it off the GUI thread, on the
// thread that handed the job over.
PrintServiceAnswer printServiceAnswer(const QString& printerName);
