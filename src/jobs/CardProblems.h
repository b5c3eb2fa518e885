#pragma once

#include <QList>
#include <QString>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

// One object that a card shows wrong, named so that the person finds it and mends its row.
struct CardFault
{
    enum class Kind
    {
        NoBarcode,
        NoPicture,
        TextCut,
        BarcodeCut,
        ValueTooLong, // the row's value is longer than a value can be, so the object shows nothing
    };
    Kind kind = Kind::TextCut;
    QString object; // its kind, side and source: Picture on the front (series "photos")
    QString value; // the row's value; for a picture, the file that was looked for
    // For a readable picture left out for the memory its pixels would take, why; else "".
    QString reason;

    bool operator==(const CardFault&) const = default;
    // Picture on the front (series "photos"): no readable picture file at "/photos/ann.jpg";
    // one left out for memory gives the reason instead.
    QString describe() const;
};

// What one row left on a card that the run must name: that card does not show its row whole.
struct RowOutcome
{
    // Every bound barcode got a barcode and every bound picture its picture from the value.
    bool picturesMade = true;
    // Every bound text shows whole in its box: no line or part of a word left out.
    bool textFits = true;
    // Every bound barcode shows whole in its box and on the card.
    bool barcodeFits = true;
    // A picture was left out only because the pictures in use filled the memory budget: the
    // card may be made whole once they are given back.
    bool lackedRoom = false;
    // Every bound object took its row's value: none was too long to read.
    bool valuesRead = true;
    // The objects that made a flag false, for the run's list of cards to fix.
    QList<CardFault> faults;

    RowOutcome& operator&=(const RowOutcome& other)
    {
        picturesMade = picturesMade && other.picturesMade;
        lackedRoom = lackedRoom || other.lackedRoom;
        textFits = textFits && other.textFits;
        barcodeFits = barcodeFits && other.barcodeFits;
        valuesRead = valuesRead && other.valuesRead;
        faults += other.faults;
        return *this;
    }
};

// Rows of a run that its end message names: how many, and the first few.
struct NamedRows
{
    int count = 0;
    QList<int> firstRows; // counted from 1, as the person numbers cards

    // "1 card <one> (row 3)." or "7 cards <many> (rows 3, 6, 9, 12, 15 and 2 more)."; "The card
    // <one>." for a card that takes no row; "" when there is no card.
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
// without a barcode, a bound picture without its picture, a bound object whose row's value was
// too long to read) or cut a bound text short.
struct CardProblemRows
{
    NamedRows noBarcode;
    NamedRows textCut;
    NamedRows barcodeCut;
    NamedRows valueTooLong;

    // Every faulty object of every card, in row order: (row from 0, or -1 for a card that takes
    // no row; the fault).
    QList<std::pair<int, CardFault>> faults;

    // What a single card of the design, which takes no row, shows wrong.
    static CardProblemRows ofSingleCard(const RowOutcome& outcome);

    // "" when every card showed its row whole; otherwise a line per problem for the end of
    // the run, naming a few rows.
    QString message() const;
    // A run's closing text with those lines below it, when there are any.
    QString appendedTo(const QString& text) const;
    // The whole list behind the message: a line per faulty object of every card, "Row 7:
    // Picture on the front (series "photos"): no readable picture file at "/photos/ann.jpg"."
    QString details() const;
};

// The rows of one run, by problem. Thread-safe.
class CardProblems
{
public:
    void add(int row, const RowOutcome& outcome); // row from 0
    void clear();
    CardProblemRows summary() const;

private:
    RowTally noBarcode_;
    RowTally textCut_;
    RowTally barcodeCut_;
    RowTally valueTooLong_;
    mutable std::mutex faultsLock_;
    std::map<int, QList<CardFault>> faults_; // by row; each fault once, however often its row is drawn
};
