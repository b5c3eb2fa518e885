#include "barcodes/QRModuleGrid.h"

QRModuleGrid::QRModuleGrid(int dimension)
    : _dimension(dimension > 0 ? dimension : 0)
    , _data(static_cast<size_t>(_dimension) * _dimension, 0)
{
}

QString QRModuleGrid::description() const
{
    QString text;
    text.reserve(_dimension * (_dimension + 1));
    for (int y = 0; y < _dimension; ++y) {
        for (int x = 0; x < _dimension; ++x)
            text += QString::number(valueAt(x, y));
        text += QLatin1Char('\n');
    }
    return text;
}
