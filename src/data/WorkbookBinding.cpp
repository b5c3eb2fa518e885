#include "data/WorkbookBinding.h"

WorkbookBinding WorkbookBinding::current()
{
    return { Data_From_Excel_Window ? Data_From_Excel_Window->readOnlyCopy() : Data_From_Excel(), Excel_Source_Path,
        Excel_Binding_Use };
}

void WorkbookBinding::restore() const
{
    if (Data_From_Excel_Window)
        *Data_From_Excel_Window = table;
    Excel_Source_Path = path;
    Excel_Binding_Use = inUse;
}

bool WorkbookBinding::isSameAs(const WorkbookBinding& other) const
{
    return table.ListData.isSharedWith(other.table.ListData) && table.ColList.isSharedWith(other.table.ColList)
        && path == other.path && inUse == other.inUse;
}
