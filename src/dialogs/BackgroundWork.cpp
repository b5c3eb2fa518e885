#include "dialogs/BackgroundWork.h"

#include "common/Logging.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "platform/GuiThread.h"

#include <exception>

namespace {

// Work done at once (a small design or sheet) shows no sheet: it would only flash.
constexpr int sheetDelayMs = 250;

void runBehindSheet(PleaseWait_Modeless& sheet, const std::function<void()>& work, bool stoppable)
{
    runAwayFromGuiThread(
        [&work] {
            try {
                work();
            } catch (const std::exception& e) {
                Show_NSLog_Message(QString::fromUtf8(e.what()));
            }
        },
        sheetDelayMs, [&sheet] { sheet.Show_Create_Modeless(); }, stoppable);
    sheet.Hide_Destroy_Modeless();
}

} // namespace

void runBehindPleaseWait(QWidget* window, const std::function<void()>& work)
{
    // Input to the window waits (and the window-modal sheet covers it), without blocking the thread.
    PleaseWait_Modeless sheet(window);
    runBehindSheet(sheet, work, false);
}

void runBehindPleaseWait(QWidget* window, const std::function<void()>& work, std::atomic<bool>& stop)
{
    // The sheet's Stop is the one control that takes input meanwhile.
    PleaseWait_Modeless sheet(window);
    sheet.offerStop(stop);
    runBehindSheet(sheet, work, true);
}
