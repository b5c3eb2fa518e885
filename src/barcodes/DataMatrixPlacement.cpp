#include "barcodes/DataMatrixPlacement.h"

namespace {

class Placement {
public:
    Placement(int nrow, int ncol)
        : nrow(nrow), ncol(ncol), cells(static_cast<size_t>(nrow) * static_cast<size_t>(ncol), 0)
    {
    }

    std::vector<int> run()
    {
        int codeword = 1;
        int row = 4;
        int col = 0;
        do {
            if (row == nrow && col == 0)
                cornerA(codeword++);
            if (row == nrow - 2 && col == 0 && ncol % 4 != 0)
                cornerB(codeword++);
            if (row == nrow - 2 && col == 0 && ncol % 8 == 4)
                cornerC(codeword++);
            if (row == nrow + 4 && col == 2 && ncol % 8 == 0)
                cornerD(codeword++);
            // Sweep up and to the right...
            do {
                if (row < nrow && col >= 0 && cell(row, col) == 0)
                    block(row, col, codeword++);
                row -= 2;
                col += 2;
            } while (row >= 0 && col < ncol);
            row += 1;
            col += 3;
            // ...then down and to the left.
            do {
                if (row >= 0 && col < ncol && cell(row, col) == 0)
                    block(row, col, codeword++);
                row += 2;
                col -= 2;
            } while (row < nrow && col >= 0);
            row += 3;
            col += 1;
        } while (row < nrow || col < ncol);

        if (cell(nrow - 1, ncol - 1) == 0) {
            cell(nrow - 1, ncol - 1) = 1;
            cell(nrow - 2, ncol - 2) = 1;
        }
        return std::move(cells);
    }

private:
    int& cell(int row, int col) { return cells[static_cast<size_t>(row) * static_cast<size_t>(ncol) + static_cast<size_t>(col)]; }

    // bit 1 is the most significant bit of the codeword, as the standard numbers them.
    void module(int row, int col, int codeword, int bit)
    {
        if (row < 0) {
            row += nrow;
            col += 4 - ((nrow + 4) % 8);
        }
        if (col < 0) {
            col += ncol;
            row += 4 - ((ncol + 4) % 8);
        }
        cell(row, col) = codeword * 8 + (8 - bit);
    }

    // The usual eight-module shape, its lower right module at (row, col).
    void block(int row, int col, int codeword)
    {
        module(row - 2, col - 2, codeword, 1);
        module(row - 2, col - 1, codeword, 2);
        module(row - 1, col - 2, codeword, 3);
        module(row - 1, col - 1, codeword, 4);
        module(row - 1, col, codeword, 5);
        module(row, col - 2, codeword, 6);
        module(row, col - 1, codeword, 7);
        module(row, col, codeword, 8);
    }

    void cornerA(int codeword)
    {
        module(nrow - 1, 0, codeword, 1);
        module(nrow - 1, 1, codeword, 2);
        module(nrow - 1, 2, codeword, 3);
        module(0, ncol - 2, codeword, 4);
        module(0, ncol - 1, codeword, 5);
        module(1, ncol - 1, codeword, 6);
        module(2, ncol - 1, codeword, 7);
        module(3, ncol - 1, codeword, 8);
    }

    void cornerB(int codeword)
    {
        module(nrow - 3, 0, codeword, 1);
        module(nrow - 2, 0, codeword, 2);
        module(nrow - 1, 0, codeword, 3);
        module(0, ncol - 4, codeword, 4);
        module(0, ncol - 3, codeword, 5);
        module(0, ncol - 2, codeword, 6);
        module(0, ncol - 1, codeword, 7);
        module(1, ncol - 1, codeword, 8);
    }

    void cornerC(int codeword)
    {
        module(nrow - 3, 0, codeword, 1);
        module(nrow - 2, 0, codeword, 2);
        module(nrow - 1, 0, codeword, 3);
        module(0, ncol - 2, codeword, 4);
        module(0, ncol - 1, codeword, 5);
        module(1, ncol - 1, codeword, 6);
        module(2, ncol - 1, codeword, 7);
        module(3, ncol - 1, codeword, 8);
    }

    void cornerD(int codeword)
    {
        module(nrow - 1, 0, codeword, 1);
        module(nrow - 1, ncol - 1, codeword, 2);
        module(0, ncol - 3, codeword, 3);
        module(0, ncol - 2, codeword, 4);
        module(0, ncol - 1, codeword, 5);
        module(1, ncol - 3, codeword, 6);
        module(1, ncol - 2, codeword, 7);
        module(1, ncol - 1, codeword, 8);
    }

    int nrow;
    int ncol;
    std::vector<int> cells;
};

} // namespace

std::vector<int> ecc200placement(int nrow, int ncol)
{
    return Placement(nrow, ncol).run();
}

std::vector<uint8_t> dataMatrixGrid(const DataMatrixSymbolSize& size, std::span<const uint8_t> codewords)
{
    const int width = size.columns;
    const int height = size.rows;
    std::vector<uint8_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    auto dark = [&](int x, int y) { grid[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = 1; };

    // Finder and timing borders of every region; y counts from the bottom.
    for (int y = 0; y < height; y += size.regionRows) {
        for (int x = 0; x < width; ++x)
            dark(x, y);
        for (int x = 0; x < width; x += 2)
            dark(x, y + size.regionRows - 1);
    }
    for (int x = 0; x < width; x += size.regionColumns) {
        for (int y = 0; y < height; ++y)
            dark(x, y);
        for (int y = 0; y < height; y += 2)
            dark(x + size.regionColumns - 1, y);
    }

    const int nrow = size.mappingRows();
    const int ncol = size.mappingColumns();
    const std::vector<int> cells = ecc200placement(nrow, ncol);
    for (int r = 0; r < nrow; ++r) {
        const int fromBottom = nrow - 1 - r;
        const int y = 1 + fromBottom + 2 * (fromBottom / (size.regionRows - 2));
        for (int c = 0; c < ncol; ++c) {
            const int value = cells[static_cast<size_t>(r) * static_cast<size_t>(ncol) + static_cast<size_t>(c)];
            const int x = 1 + c + 2 * (c / (size.regionColumns - 2));
            bool isDark = value == 1;
            if (value >= 8) {
                const size_t index = static_cast<size_t>(value / 8 - 1);
                isDark = index < codewords.size() && (codewords[index] >> (value % 8)) & 1;
            }
            if (isDark)
                dark(x, y);
        }
    }
    return grid;
}
