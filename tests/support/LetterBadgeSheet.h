#pragma once

#include "render/CardUnits.h"
#include "render/PrintLayout.h"

#include <QSizeF>

// The fronts of badges 2 x 4 to a US Letter sheet, 5 mm apart and centred; `total` of them.
inline PrintLayout::PrintSettings badgesOnLetter(const QSizeF& badge, int total)
{
    PrintLayout::PrintSettings sheet;
    sheet.Print_Card_Side = PrintLayout::sideFront;
    sheet.paper = QSizeF(612, 792);
    sheet.Print_Row = 4;
    sheet.Print_Col = 2;
    sheet.label_width = float(badge.width());
    sheet.label_hight = float(badge.height());
    sheet.horz_mar = sheet.vert_mar = MM_to_Points_Convert(5.0f);
    sheet.Left_Mar = float((sheet.paper.width() - 2 * badge.width() - sheet.horz_mar) / 2);
    sheet.Top_Mar = float((sheet.paper.height() - 4 * badge.height() - 3 * sheet.vert_mar) / 2);
    sheet.Total_Label = sheet.Total_Label_Real = total;
    return sheet;
}
