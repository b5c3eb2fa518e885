#include "model/ModelDefaults.h"

const QString Text_Ctrl_Font = QStringLiteral("Times New Roman");

QFont Model_Font(const QString& family, double pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

QFont All_Text_font_Default = Model_Font(Text_Ctrl_Font, 14.0);
QColor All_Text_clr_Default = QColor(Qt::black);
