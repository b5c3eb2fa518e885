#pragma once

// Helpers of the QR Code tests: run the independent tools (zint, ZXingReader, zbarimg)
// and compare their view of a symbol with ours.

#include "barcodes/QRModuleGrid.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace qrtest {

// Modules of a symbol row by row (true = dark).
using Modules = std::vector<std::vector<bool>>;

Modules modulesOf(const QRModuleGrid& grid);
// The module rows `zint --dump` prints for the symbol; empty when zint fails.
Modules zintModules(const QByteArray& data, int version, int level, int mask);

// Runs the program and returns its standard output (empty if it cannot be run).
QByteArray runTool(const QString& program, const QStringList& arguments);

// The bytes ZXingReader / zbarimg read from each file, in order; an unreadable file gives
// a null entry.
std::vector<QByteArray> zxingDecode(const QStringList& files);
std::vector<QByteArray> zbarDecode(const QStringList& files);

}  // namespace qrtest
