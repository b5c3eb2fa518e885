#pragma once

#include <QList>
#include <QString>

#include <mutex>
#include <vector>

// What a run tells the person about data rows whose value gave a bound barcode no barcode or a
// bound picture no picture: those cards show nothing in that place.
struct NoBarcodeRows
{
    int count = 0;
    QList<int> firstRows; // the first few, counted from 1 as the person numbers cards

    // "" when every row had its barcode; otherwise a line for the end of the run.
    QString message() const;
    // A run's closing text with that line below it, when there is one.
    QString appendedTo(const QString& text) const;
};

// Collects those rows while workers apply them, in any order and any number of times (a
// preview paints a row again): each row counts once. Thread-safe.
class RowsWithoutBarcode
{
public:
    static constexpr int rowsNamed = 5;

    void add(int row); // row from 0
    void clear();
    NoBarcodeRows summary() const;

private:
    mutable std::mutex lock_;
    std::vector<bool> seen_;
    int count_ = 0;
};
