#pragma once

#include "mainwindow/DesignFile.h"
#include "model/PictureOmissions.h"

#include <vector>

class QWidget;

// The slow halves of opening a design run on a worker while the please-wait sheet covers the
// window: reading the file, and decoding its pictures, which takes seconds for each large one.
namespace DesignOpening {

// The file read and checked, its pictures not yet decoded.
DesignFile::ReadResult read(QWidget* window, const QString& path);
// With Stop on the sheet: the pictures not yet read are left out, and noted as such.
void decodePictures(QWidget* window, DesignContents& contents);

// One alert naming every picture left out and why; none when nothing was left out.
void reportOmissions(const std::vector<PictureOmissions::Omission>& omitted);

} // namespace DesignOpening
