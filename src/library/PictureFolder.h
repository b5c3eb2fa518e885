#pragma once

#include "library/MyImageObject.h"

#include <QList>
#include <QString>
#include <QStringList>

// The browser items for the pictures directly inside a folder: files whose extension,
// lower-cased, is "png" or "jpg" ("jpeg" and other types are not shown), sorted by name.
// Empty when the folder is missing or not a folder.
QList<MyImageObject> pictureItemsInFolder(const QString& folder);

// The names of the folders directly inside a folder, sorted by name.
QStringList subfolderNames(const QString& folder);

