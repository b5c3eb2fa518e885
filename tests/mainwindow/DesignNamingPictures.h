#pragma once

#include "mainwindow/DesignFile.h"
#include "model/Card_Property.h"
#include "model/SKTImage.h"

#include <QStringList>

// A design whose front holds one image object naming each of the given pictures.
inline DesignContents designNaming(const QStringList& pictures)
{
    DesignContents design;
    design.front = Card_Property::create();
    design.back = Card_Property::create();
    design.front->Card_Size = QSizeF(243, 154);
    for (const QString& picture : pictures) {
        auto image = SKTGraphic::create<SKTImage>();
        image->_file_path = picture;
        image->setBounds(QRectF(10, 10, 50, 40));
        design.frontGraphics.append(image);
    }
    return design;
}
