#pragma once

#include <QList>
#include <QString>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

// What one row left on a card that the run must name: that card does not show its row whole.
struct RowOutcome
{
    // Every bound barcode got a barcode and every bound picture its picture from the value.
    bool picturesMade = true;
    // Every bound text shows whole in its box: no line or part of a word left out.
    bool textFits = true;
    // Where the first bound picture that the card lacks was looked for ("" when none is lacking
    // or its value named no file).
    QString pictureTried;

    RowOutcome& operator&=(const RowOutcome& other)
    {
        picturesMade = picturesMade && other.picturesMade;
        textFits = textFits && other.textFits;
        if (pictureTried.isEmpty())
            pictureTried = other.pictureTried;
        return *this;
    }
};

// Rows of a run that its end message names: how many, and the first few.
struct NamedRows
{
    int count = 0;
    QList<int> firstRows; // counted from 1, as the person numbers cards

    // "1 card <one> (row 3)." or "7 cards <many> (rows 3, 6, 9, 12, 15 and 2 more)."; "" when
    // there is no row.
    QString cardsSentence(const QString& one, const QString& many) const;
};

// Collects rows while workers apply them, in any order and any number of times (a preview
// paints a row again): each row counts once. Thread-safe.
class RowTally
{
public:
    static constexpr int rowsNamed = 5;

    void add(int row); // row from 0
    void clear();
    NamedRows summary() const;

private:
    mutable std::mutex lock_;
    std::vector<bool> seen_;
    int count_ = 0;
};

// What a run tells the person about cards that show nothing in a place (a bound barcode
// without a barcode, a bound picture without its picture) or cut a bound text short.
struct CardProblemRows
{
    NamedRows noBarcode;
    NamedRows textCut;
    // The first rows whose picture was not found, each with the path looked at (rows from 1).
    QList<std::pair<int, QString>> picturesNotFound;

    // "" when every card showed its row whole; otherwise a line per problem for the end of
    // the run.
    QString message() const;
    // A run's closing text with those lines below it, when there are any.
    QString appendedTo(const QString& text) const;
};

// The rows of one run, by problem. Thread-safe.
class CardProblems
{
public:
    void add(int row, const RowOutcome& outcome); // row from 0
    void clear();
    CardProblemRows summary() const;
    // Where a row's missing picture was looked for; "" when the row lacks none (row from 0).
    QString pictureTried(int row) const;

private:
    RowTally noBarcode_;
    RowTally textCut_;
    mutable std::mutex picturesLock_;
    std::map<int, QString> picturesTried_;
};
