#pragma once

#include "render/PrintLayout.h"

// A4 portrait with every margin 20 points and a 2 x 2 grid of cells of the given size, top
// left, no gaps, printing total cards of side "F".
inline PrintLayout::PrintSettings twoByTwoOnA4(const QSizeF& cell, int total)
{
    PrintLayout::PrintSettings s;
    s.Print_Card_Side = PrintLayout::sideFront;
    s.paper = QSizeF(595.276, 841.89);
    s.Left_Mar = s.Rite_Mar = s.Top_Mar = s.Bot_Mar = 20;
    s.Print_Row = s.Print_Col = 2;
    s.label_width = float(cell.width());
    s.label_hight = float(cell.height());
    s.Total_Label = s.Total_Label_Real = total;
    return s;
}
