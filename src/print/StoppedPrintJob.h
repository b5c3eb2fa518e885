#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// Qt's print engines cannot abort a job: ending the painter hands every sheet painted so far
// to the print service. While one of these lives, a job handed over waits in the printer's
// queue on hold, never printing, to be withdrawn; the printer's own options come back after.
class HeldHandOver
{
public:
    explicit HeldHandOver(QPrinter& printer);
    ~HeldHandOver();
    HeldHandOver(const HeldHandOver&) = delete;
    HeldHandOver& operator=(const HeldHandOver&) = delete;

private:
    QPrinter& printer_;
    bool held_ = false;
    QStringList options_;
};

// What became of a stopped job that may have reached the print service.
struct JobWithdrawal
{
    enum class Printed
    {
        None,
        Some, // the printer had begun it
        All, // it was printed before it could be withdrawn
    };
    Printed printed = Printed::None;
    bool held = false; // it was waiting on hold
    QString refusal; // why the service kept a job it was asked to withdraw; "" otherwise
};

// Withdraws this user's newest job titled title on printerName that the service took at or
// after handedOverSince (seconds since the epoch). Call it off the GUI thread.
JobWithdrawal withdrawStoppedJob(const QString& printerName, const QString& title, qint64 handedOverSince);
