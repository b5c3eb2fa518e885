#pragma once

#include <QString>

// One item of a picture browser: the picture file's full path, the title shown under its
// thumbnail and the item's unique identifier (both the file name when a folder fills the
// browser).
struct MyImageObject
{
    QString path;
    QString image_Name;
    QString image_UID;

    void setPath(const QString& newPath) { path = newPath; }
};
