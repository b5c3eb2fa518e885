#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The square module grid of one QR Code symbol: 1 for a dark module, 0 for a light one.
// (Only the QR symbol's grid; the Data Matrix symbology has its own classes.)
class QRModuleGrid
{
public:
    explicit QRModuleGrid(int dimension);

    int dimension() const { return _dimension; }
    // Cells outside the grid are ignored when set and read as light.
    void set(uint8_t value, int x, int y)
    {
        if (contains(x, y))
            _data[static_cast<size_t>(y) * _dimension + x] = value;
    }
    uint8_t valueAt(int x, int y) const
    {
        return contains(x, y) ? _data[static_cast<size_t>(y) * _dimension + x] : 0;
    }
    const uint8_t* row(int y) const { return _data.data() + static_cast<size_t>(y) * _dimension; }

    // One line per row, each module printed as 0 or 1 with no separator.
    QString description() const;

private:
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < _dimension && y < _dimension; }

    int _dimension = 0;
    std::vector<uint8_t> _data;  // row by row
};
