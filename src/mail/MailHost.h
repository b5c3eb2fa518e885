#pragma once

#include "jobs/CardProblems.h"
#include "mailing/MailRun.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// What the mail windows need of the main window.
class MailHost
{
public:
    virtual ~MailHost() = default;

    // Copies the saved e-mail settings into the program's settings globals.
    virtual void Get_Email_Details() = 0;
    virtual QString applicationName() const = 0;

    // The settings globals as Get_Email_Details() left them.
    struct Account
    {
        QString sender, password, server, port, securityFlag;
    };
    virtual Account emailAccount() const = 0;

    // The batch state brought up to date: which data sources the card's objects use.
    struct BatchState
    {
        bool Use_Data_Sheet_Values = false;
        bool Use_Excel_Binding_Values = false;
    };
    virtual BatchState Check_Series_Or_Excel_Use_or_not() = 0;

    // Takes the run's own copy of the card (GUI thread) and the number of its batch cards
    // with the chosen sources; the renderer then draws from that copy on the worker.
    virtual CardRenderer mailCardRenderer(bool useSeries, bool useSpreadsheet, int* batchCards) = 0;
    // Asks before a run that mails the card when bound objects have no source or a source the
    // run does not use, the bound series and columns of the chosen sources differ in length, or
    // a row's series and workbook hold different people's addresses. False when the person
    // chose not to go on.
    virtual bool goOnWithSources(bool /*useSeries*/, bool /*useSpreadsheet*/) { return true; }
    // The cards of a batch run with the chosen sources, as mailCardRenderer would count them.
    virtual int batchCards(bool /*useSeries*/, bool /*useSpreadsheet*/) { return 0; }
    // The values of the rows a batch run with the chosen sources would mail, source by source
    // (every column of the bound workbook, every bound series, and every other series of as
    // many values as the run has rows), each a value per batch row.
    virtual QList<QStringList> rowValueColumns(bool /*useSeries*/, bool /*useSpreadsheet*/) { return {}; }
    // The values the card's bound objects take on a batch row with the chosen sources, front then
    // back: what tells one row's card from another's. What it reads is gathered at the call, on
    // the GUI thread; the reader touches no widget and no object of the design, so a worker may
    // call it.
    using CardValuesOfRow = std::function<QStringList(int row)>;
    virtual CardValuesOfRow cardValuesOfRows(bool /*useSeries*/, bool /*useSpreadsheet*/)
    {
        return [](int) { return QStringList(); };
    }
    // Runs work that may take a while behind the please-wait sheet over the send window, whose
    // Stop sets `stop`; the work touches no widget and asks nothing.
    virtual void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& /*stop*/) { work(); }
    // Asked at Send before the rows are used: the bound workbook compared with its file, as at
    // opening. False when the person chose not to go on.
    virtual bool confirmRowsAreCurrent() { return true; }
    // Whether the card has a back ("Front only" cards have none).
    virtual bool twoSidedCard() const { return true; }
    // The rows of the last renderer's run whose mailed card does not show its row whole.
    virtual CardProblemRows lastRunProblems() const { return {}; }
};
