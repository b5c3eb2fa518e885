#include "widgets/ProgressSheetWork.h"

#include "jobs/JobProgress.h"
#include "platform/ReusedWorker.h"
#include "widgets/Send_Modeless.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Work done within this shows no sheet: it would only flash.
int sheetDelayMs = 250;
// Once shown, the sheet stays at least this long, so that work just outlasting the delay does
// not flash it.
constexpr qint64 shortestShowMs = 500;
// How long events wait while the work runs: short enough for the window to feel live.
constexpr qint64 serveEveryMs = 10;

// Waits for the piece, serving this thread's events every few milliseconds meanwhile; true once
// the piece has finished, false when the deadline came first.
bool waitServing(ReusedWorker::Piece& piece, QDeadlineTimer deadline, QEventLoop::ProcessEventsFlags flags)
{
    for (;;) {
        const qint64 slice = deadline.isForever() ? serveEveryMs : std::min(serveEveryMs, deadline.remainingTime());
        if (piece.finishedWithin(std::chrono::milliseconds(slice)))
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(flags);
    }
}

} // namespace

int setProgressSheetDelay(int ms)
{
    return std::exchange(sheetDelayMs, ms);
}

void runBehindProgressSheet(JobProgress& progress, const QString& unit, const std::function<void()>& work)
{
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    const auto showSheet = [&] {
        if (sheet) {
            sheet->follow(progress, unit);
            sheet->show();
            sheet->raise();
        }
    };
    std::shared_ptr<ReusedWorker::Piece> piece;
    if (sheetDelayMs > 0) {
        piece = ReusedWorker::instance().start(work);
        // Until the sheet shows, the window is drawn but its input waits, as behind the sheet.
        if (waitServing(*piece, QDeadlineTimer(sheetDelayMs), QEventLoop::ExcludeUserInputEvents))
            return;
        showSheet();
    } else {
        showSheet();
        piece = ReusedWorker::instance().start(work);
    }
    const QDeadlineTimer shownLongEnough(shortestShowMs);
    waitServing(*piece, QDeadlineTimer(QDeadlineTimer::Forever), QEventLoop::AllEvents);
    if (!sheet)
        return;
    // The sheet shows the work done; nothing is left to stop.
    sheet->update_sending_progress_bar();
    sheet->finish();
    if (!progress.stopRequested) {
        QEventLoop lingering;
        QTimer::singleShot(shownLongEnough.remainingTime(), &lingering, &QEventLoop::quit);
        lingering.exec();
    }
    sheet->hide();
}
