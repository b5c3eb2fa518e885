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

// The stored workbook path made whole: a relative one is the design's, taken from the design's
// folder whatever folder the program runs in. A design moved with its workbook: when the stored
// workbook is not there, the one of its name beside the design is used. Says what was done,
// or that the workbook is not found, by full paths; "" when the stored one is there.
QString findMovedWorkbook(DesignContents& contents, const QString& designPath);

// One alert with the note on the workbook, naming every picture left out, where it was looked
// for and why; none when there is neither.
void reportOmissions(std::vector<PictureOmissions::Omission> omitted, const QString& workbookNote = QString());

// A design named but not opened, as named, and why.
struct NotOpened
{
    QString name;
    QString why;
};
// One alert listing the designs named on the command line that were not opened, after the one
// opened ("" when none was); none when the list is empty.
void reportNotOpened(const std::vector<NotOpened>& notOpened, const QString& opened);

} // namespace DesignOpening
