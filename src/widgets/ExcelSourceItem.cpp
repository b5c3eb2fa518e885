#include "widgets/ExcelSourceItem.h"

#include <QComboBox>

void Add_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (combo && combo->count() == 2)
        combo->addItem(QStringLiteral("Excel"));
}

void Remove_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (combo && combo->count() == 3)
        combo->removeItem(2);
}
