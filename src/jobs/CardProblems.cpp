#include "jobs/CardProblems.h"

#include <QStringList>

QString NamedRows::cardsSentence(const QString& one, const QString& many) const
{
    if (count <= 0)
        return QString();
    QStringList rows;
    for (const int row : firstRows)
        rows << QString::number(row);
    QString named = rows.join(QStringLiteral(", "));
    if (count > firstRows.size())
        named += QStringLiteral(" and %1 more").arg(count - firstRows.size());
    return count == 1 ? QStringLiteral("1 card %1 (row %2).").arg(one, named)
                      : QStringLiteral("%1 cards %2 (rows %3).").arg(count).arg(many, named);
}

void RowTally::add(int row)
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

void RowTally::clear()
{
    std::lock_guard guard(lock_);
    seen_.clear();
    count_ = 0;
}

NamedRows RowTally::summary() const
{
    std::lock_guard guard(lock_);
    NamedRows result;
    result.count = count_;
    for (size_t row = 0; row < seen_.size() && result.firstRows.size() < rowsNamed; ++row)
        if (seen_[row])
            result.firstRows << int(row) + 1;
    return result;
}

QString CardProblemRows::message() const
{
    QStringList lines;
    lines << noBarcode.cardsSentence(
        QStringLiteral("lacks a barcode or picture: its row gives no valid barcode value or no readable picture file"),
        QStringLiteral("lack a barcode or picture: their rows give no valid barcode value or no readable picture "
                       "file"));
    if (!picturesNotFound.isEmpty()) {
        QStringList looked;
        for (const auto& [row, path] : picturesNotFound)
            looked << QStringLiteral("row %1: %2").arg(row).arg(path);
        lines << QStringLiteral("No picture file was found at:\n") + looked.join(QLatin1Char('\n'));
    }
    lines << textCut.cardsSentence(
        QStringLiteral("has text that does not fit its box"), QStringLiteral("have text that does not fit its box"));
    lines.removeAll(QString());
    return lines.join(QStringLiteral("\n\n"));
}

QString CardProblemRows::appendedTo(const QString& text) const
{
    const QString lines = message();
    return lines.isEmpty() ? text : text + QStringLiteral("\n\n") + lines;
}

void CardProblems::add(int row, const RowOutcome& outcome)
{
    if (!outcome.picturesMade)
        noBarcode_.add(row);
    if (!outcome.picturesMade && !outcome.pictureTried.isEmpty() && row >= 0) {
        std::lock_guard guard(picturesLock_);
        picturesTried_.emplace(row, outcome.pictureTried);
    }
    if (!outcome.textFits)
        textCut_.add(row);
}

void CardProblems::clear()
{
    noBarcode_.clear();
    textCut_.clear();
    std::lock_guard guard(picturesLock_);
    picturesTried_.clear();
}

CardProblemRows CardProblems::summary() const
{
    CardProblemRows rows { noBarcode_.summary(), textCut_.summary(), {} };
    std::lock_guard guard(picturesLock_);
    for (auto it = picturesTried_.begin();
         it != picturesTried_.end() && rows.picturesNotFound.size() < RowTally::rowsNamed; ++it)
        rows.picturesNotFound.append({ it->first + 1, it->second });
    return rows;
}

QString CardProblems::pictureTried(int row) const
{
    std::lock_guard guard(picturesLock_);
    const auto found = picturesTried_.find(row);
    return found == picturesTried_.end() ? QString() : found->second;
}
