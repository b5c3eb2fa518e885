#pragma once

#include <QString>

// What the import windows ask of the main window.
class ImportHost
{
public:
    virtual ~ImportHost() = default;
    // True when an object of the design takes its values from the series.
    virtual bool Check_Batch_File_In_Use_Validation(const QString& seriesName) const = 0;
};
