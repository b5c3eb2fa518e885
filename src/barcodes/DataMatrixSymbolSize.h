#pragma once

#include <span>

// One ECC 200 symbol size: its attributes as the standard fixes them.
struct DataMatrixSymbolSize {
    int rows;                 // H, modules
    int columns;              // W, modules
    int regionRows;           // FH: height of one data region with its finder borders
    int regionColumns;        // FW: width of one data region with its finder borders
    int dataCodewords;
    int dataPerBlock;
    int checkPerBlock;

    // Interleaved blocks; the last ones may hold one data codeword less.
    int blockCount() const { return (dataCodewords + 2) / dataPerBlock; }
    int checkCodewords() const { return blockCount() * checkPerBlock; }
    // Size of the codeword mapping matrix (the data regions without their borders).
    int mappingRows() const { return rows - 2 * (rows / regionRows); }
    int mappingColumns() const { return columns - 2 * (columns / regionColumns); }
};

// The 30 sizes in order of data capacity; the automatic size is the first one that fits.
std::span<const DataMatrixSymbolSize> ecc200matrix();

// The size with these columns and rows, or null.
const DataMatrixSymbolSize* findDataMatrixSize(int columns, int rows);
