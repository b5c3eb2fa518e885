#include "mainwindow/MainMailHost.h"

#include "dialogs/BackgroundWork.h"
#include "jobs/CardSnapshot.h"
#include "mail/Email_Setting.h"
#include "mail/Send_Mail.h"
#include "mainwindow/BatchBindingRead.h"
#include "mainwindow/RunSources.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "render/SKTRenderingView.h"

#include <memory>
#include <optional>
#include <utility>

namespace {
// Mail pictures are drawn at screen resolution: small enough to mail, sharp on screen.
constexpr double mailDpi = 150.0;
} // namespace

MainMailHost::MainMailHost(SKTWindowController& window)
    : QObject(&window)
    , window_(window)
{ }

void MainMailHost::Mail_Button()
{
    if (!window_.confirmBoundWorkbookIsCurrent())
        return;
    if (!sendWindow_) {
        settingsWindow_ = new Email_Setting(*this, &window_);
        sendWindow_ = new Send_Mail(*this, *settingsWindow_, &window_);
        connect(sendWindow_, &Send_Mail::runFinished, this, &MainMailHost::runFinished);
    }
    // The series are read once for the opening, by its first check, and let go when it closes.
    sendWindowOpen_ = true;
    sendWindow_->Open_Wnd();
    sendWindowOpen_ = false;
    openedBinding_.reset();
    rowColumns_.reset();
    if (std::exchange(closeMainWindowAfterRun_, false))
        QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}

bool MainMailHost::stopRunBeforeClosing()
{
    if (!sendWindow_ || !sendWindow_->isRunning())
        return false;
    closeMainWindowAfterRun_ = true;
    sendWindow_->stopRunAndClose();
    return true;
}

void MainMailHost::Get_Email_Details()
{
    window_.Get_Email_Details();
}

QString MainMailHost::applicationName() const
{
    return window_.App_Name;
}

MailHost::Account MainMailHost::emailAccount() const
{
    return { sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl };
}

CardSnapshot MainMailHost::takeCardSnapshot() const
{
    return window_.firstCardSnapshot();
}

DataBinding MainMailHost::bindingOf(const CardSnapshot& card)
{
    // The send window is modal: the design it was opened over stays as it is.
    if (sendWindowOpen_ && openedBinding_)
        return *openedBinding_;
    DataBinding binding = readBatchBinding(&window_, card.front, card.back, CARD_SIDE_STR == QLatin1String("2"));
    if (sendWindowOpen_)
        openedBinding_ = binding;
    return binding;
}

MailHost::BatchState MainMailHost::Check_Series_Or_Excel_Use_or_not()
{
    const DataBinding binding = bindingOf(takeCardSnapshot());
    return { binding.Use_Data_Sheet_Values, binding.Use_Excel_Binding_Values };
}

DataBinding MainMailHost::bindingWith(const CardSnapshot& card, bool useSeries, bool useSpreadsheet)
{
    DataBinding binding = bindingOf(card);
    binding.Use_Data_Sheet_Values = binding.Use_Data_Sheet_Values && useSeries;
    binding.Use_Excel_Binding_Values = binding.Use_Excel_Binding_Values && useSpreadsheet;
    binding.Get_total_Card_count();
    return binding;
}

bool MainMailHost::goOnWithSources(bool useSeries, bool useSpreadsheet)
{
    const DataBinding binding = bindingWith(takeCardSnapshot(), useSeries, useSpreadsheet);
    const bool both = binding.Use_Data_Sheet_Values && binding.Use_Excel_Binding_Values;
    const RowValueColumns columns = both ? rowColumnsWith(useSeries, useSpreadsheet) : RowValueColumns();
    return goOnWithRunSources(sendWindow_, binding, both ? &columns : nullptr);
}

int MainMailHost::batchCards(bool useSeries, bool useSpreadsheet)
{
    return bindingWith(takeCardSnapshot(), useSeries, useSpreadsheet).Total_Batch_Excel_Card;
}

RowValueColumns MainMailHost::rowColumnsWith(bool useSeries, bool useSpreadsheet)
{
    // The send window is modal: its rows stay as they were read until Send reads them again.
    const std::pair<bool, bool> sources(useSeries, useSpreadsheet);
    if (sendWindowOpen_ && rowColumns_ && rowColumns_->first == sources)
        return rowColumns_->second;
    const DataBinding binding = bindingWith(takeCardSnapshot(), useSeries, useSpreadsheet);
    RowValueColumns columns;
    ::runBehindPleaseWait(&window_, [&] { columns = rowValueColumnsOf(binding); });
    if (sendWindowOpen_)
        rowColumns_.emplace(sources, columns);
    return columns;
}

QList<QStringList> MainMailHost::rowValueColumns(bool useSeries, bool useSpreadsheet)
{
    const RowValueColumns columns = rowColumnsWith(useSeries, useSpreadsheet);
    return columns.spreadsheet + columns.series;
}

MailHost::CardValuesOfRow MainMailHost::cardValuesOfRows(bool useSeries, bool useSpreadsheet)
{
    // The snapshot's objects are its own clones and the binding is a copy: nothing the design
    // or the GUI thread changes.
    const CardSnapshot card = takeCardSnapshot();
    auto binding = std::make_shared<const DataBinding>(bindingWith(card, useSeries, useSpreadsheet));
    QList<SKTGraphicPtr> objects = twoSidedCard() ? card.front + card.back : card.front;
    objects.removeAll(nullptr);
    return [binding, objects](int row) {
        // An object that keeps its own value holds its place, so that no value moves to another.
        const QString ownValue(QChar(1));
        QStringList values;
        values.reserve(objects.size());
        for (const SKTGraphicPtr& object : objects)
            values << binding->valueFor(*object, row).value_or(ownValue);
        return values;
    };
}

CardRenderer MainMailHost::mailCardRenderer(bool useSeries, bool useSpreadsheet, int* batchCards)
{
    const CardSnapshot card = takeCardSnapshot();
    auto binding = std::make_shared<DataBinding>(bindingWith(card, useSeries, useSpreadsheet));
    *batchCards = binding->Total_Batch_Excel_Card;
    running_ = true;

    runProblems_ = std::make_shared<CardProblems>();

    // The worker's own card and its bound objects, found on the worker on its first call.
    struct WorkerCard
    {
        CardSnapshot card;
        std::shared_ptr<const DataBinding> binding;
        std::shared_ptr<CardProblems> problems;
        std::optional<BoundSide> front, back;
        int row = -1;
        RowOutcome frontOutcome, backOutcome;
    };
    auto state = std::make_shared<WorkerCard>();
    state->card = card.clone();
    state->binding = binding;
    state->problems = runProblems_;
    return [state](int row, bool back) {
        WorkerCard& worker = *state;
        if (!worker.front) {
            worker.front.emplace(worker.card.front, *worker.binding, worker.card.edge(), QStringLiteral("front"));
            worker.back.emplace(worker.card.back, *worker.binding, worker.card.edge(), QStringLiteral("back"));
        }
        if (row != worker.row) {
            worker.frontOutcome = worker.front->apply(row);
            worker.backOutcome = worker.back->apply(row);
            worker.row = row;
        }
        // Only a side that is mailed counts.
        worker.problems->add(row, back ? worker.backOutcome : worker.frontOutcome);
        const CardSnapshot& snapshot = worker.card;
        const Picture picture = SKTRenderingView::image_From_Card_Graphics(
            back ? snapshot.back : snapshot.front, false, back ? snapshot.backBase() : snapshot.frontBase());
        return picture.isNull() ? QImage() : picture.toImage(mailDpi, Qt::white);
    };
}

void MainMailHost::runBehindPleaseWait(const std::function<void()>& work, std::atomic<bool>& stop)
{
    ::runBehindPleaseWait(sendWindow_ ? static_cast<QWidget*>(sendWindow_) : &window_, work, stop);
}

bool MainMailHost::confirmRowsAreCurrent()
{
    // The workbook may have changed on disk while the send window was open.
    if (!window_.confirmBoundWorkbookIsCurrent())
        return false;
    // Rows read again are the ones to mail: the binding is taken anew from them.
    openedBinding_.reset();
    rowColumns_.reset();
    return true;
}

bool MainMailHost::twoSidedCard() const
{
    return CARD_SIDE_STR == QLatin1String("2");
}

CardProblemRows MainMailHost::lastRunProblems() const
{
    return runProblems_ ? runProblems_->summary() : CardProblemRows();
}

void MainMailHost::runFinished()
{
    if (!std::exchange(running_, false))
        return;
    window_.Select_first_row_value_for_design();
}
