#pragma once

#include "mail/MailHost.h"

#include "jobs/DataBinding.h"
#include "mainwindow/RunSources.h"

#include <QObject>

#include <memory>
#include <optional>
#include <utility>

struct CardSnapshot;
class Email_Setting;
class Send_Mail;
class SKTWindowController;

// The main window's side of the mail windows: the settings globals, the batch state and the
// run's own copy of the card. It makes both windows once and opens the send window.
class MainMailHost : public QObject, public MailHost
{
public:
    explicit MainMailHost(SKTWindowController& window);

    void Mail_Button();

    void Get_Email_Details() override;
    QString applicationName() const override;
    Account emailAccount() const override;
    BatchState Check_Series_Or_Excel_Use_or_not() override;
    CardRenderer mailCardRenderer(bool useSeries, bool useSpreadsheet, int* batchCards) override;
    CardProblemRows lastRunProblems() const override;
    bool goOnWithSources(bool useSeries, bool useSpreadsheet) override;
    int batchCards(bool useSeries, bool useSpreadsheet) override;
    QList<QStringList> rowValueColumns(bool useSeries, bool useSpreadsheet) override;
    bool twoSidedCard() const override;
    CardValuesOfRow cardValuesOfRows(bool useSeries, bool useSpreadsheet) override;
    void runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop) override;
    bool confirmRowsAreCurrent() override;

    // After a run (GUI thread): a batch run puts its first row back on the design.
    void runFinished();

    // The main window is closing: a mail run going on is stopped, the send window closes when
    // it has ended, and then the main window is closed again. False when no run was going.
    bool stopRunBeforeClosing();

private:
    CardSnapshot takeCardSnapshot() const;
    // The card's binding; while the send window is open, the one its first check read.
    DataBinding bindingOf(const CardSnapshot& card);
    // That binding with only the chosen sources in use.
    DataBinding bindingWith(const CardSnapshot& card, bool useSeries, bool useSpreadsheet);
    // The values of the rows a batch with the chosen sources takes; while the send window is
    // open, read once for each choice of sources.
    RowValueColumns rowColumnsWith(bool useSeries, bool useSpreadsheet);

    SKTWindowController& window_;
    Email_Setting* settingsWindow_ = nullptr;
    Send_Mail* sendWindow_ = nullptr;
    // A run took a renderer and has not finished.
    bool running_ = false;
    bool closeMainWindowAfterRun_ = false;
    bool sendWindowOpen_ = false;
    std::optional<DataBinding> openedBinding_;
    std::optional<std::pair<std::pair<bool, bool>, RowValueColumns>> rowColumns_;
    std::shared_ptr<CardProblems> runProblems_;
};
