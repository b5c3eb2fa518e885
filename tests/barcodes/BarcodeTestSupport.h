#pragma once

#include "barcodes/BarcodeSettings.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <string>

class NKDBarcode;

namespace barcodetest {

constexpr int pixelsPerModule = 3;
constexpr int quietModules = 12;

// Sets the barcode to one point per module and a width with a quiet zone on both sides, and
// renders it through its picture at whole pixels per module.
QImage renderForDecoding(NKDBarcode& barcode, const BarcodeSettings& settings = BarcodeSettings());

// A barcode picture rendered at whole pixels per point on white, with a quiet zone around it.
QImage decodable(const Picture& picture, double dpi = 288);

// Runs a decoder on an image and returns what it read (bytes of the first symbol, without a
// trailing line break), or an empty array.
QByteArray zxingRead(const QImage& image, const QString& format);
QByteArray zbarRead(const QImage& image, const QStringList& extraOptions = {});

// The rows of module bits that `zint --dump` gives for a symbology number and data.
QStringList zintDump(int symbology, const QByteArray& data, const QStringList& extraOptions = {});

// Lengths of the bar runs of a bar string, with their starting module.
struct Run
{
    int start;
    int length;
};
std::vector<Run> barRuns(const std::string& modules);

} // namespace barcodetest
