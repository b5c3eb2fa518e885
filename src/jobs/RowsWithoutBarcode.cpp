#include "jobs/RowsWithoutBarcode.h"

#include <QStringList>

QString NoBarcodeRows::message() const
{
    if (count <= 0)
        return QString();
    QStringList rows;
    for (const int row : firstRows)
        rows << QString::number(row);
    QString named = rows.join(QStringLiteral(", "));
    if (count > firstRows.size())
        named += QStringLiteral(" and %1 more").arg(count - firstRows.size());
    return count == 1
        ? QStringLiteral("1 card lacks a barcode or picture: its row gives no valid barcode value or no readable "
                         "picture file (row %1).")
              .arg(named)
        : QStringLiteral("%1 cards lack a barcode or picture: their rows give no valid barcode value or no readable "
                         "picture file (rows %2).")
              .arg(count)
              .arg(named);
}

QString NoBarcodeRows::appendedTo(const QString& text) const
{
    const QString line = message();
    return line.isEmpty() ? text : text + QStringLiteral("\n\n") + line;
}

void RowsWithoutBarcode::add(int row)
{
    if (row < 0)
        return;
    std::lock_guard guard(lock_);
    if (size_t(row) >= seen_.size())
        seen_.resize(size_t(row) + 1);
    if (seen_[size_t(row)])
        return;
    seen_[size_t(row)] = true;
    ++count_;
}

void RowsWithoutBarcode::clear()
{
    std::lock_guard guard(lock_);
    seen_.clear();
    count_ = 0;
}

NoBarcodeRows RowsWithoutBarcode::summary() const
{
    std::lock_guard guard(lock_);
    NoBarcodeRows result;
    result.count = count_;
    for (size_t row = 0; row < seen_.size() && result.firstRows.size() < rowsNamed; ++row)
        if (seen_[row])
            result.firstRows << int(row) + 1;
    return result;
}
