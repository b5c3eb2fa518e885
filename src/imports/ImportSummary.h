#pragma once

#include <QString>
#include <QStringList>

// What one import made and what it left out, told to the user in one line when it ends.
class ImportSummary
{
public:
    // A series written with its values.
    void addSeries(qsizetype values);
    // Values given to the series being edited (no series file is written).
    void addValues(qsizetype values);
    // Something left out: its name and why ("in use", "kept", ...).
    void skip(const QString& what, const QString& why);

    // "2 series with 15 values imported. Skipped: City (in use)."
    QString line() const;
    // Shows line() as a report of work done.
    void tell() const;

    int seriesMade() const { return series_; }

private:
    int series_ = 0;
    qsizetype values_ = 0;
    bool intoEditor_ = false;
    QStringList skipped_;
};
