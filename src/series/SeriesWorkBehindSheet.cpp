#include "series/SeriesWorkBehindSheet.h"

#include "common/Logging.h"
#include "dialogs/PleaseWait_Modeless.h"
#include "platform/GuiThread.h"

#include <exception>

namespace {

// Work done at once shows no sheet: it would only flash.
constexpr int sheetDelayMs = 250;

} // namespace

void runSeriesWorkBehindSheet(QWidget* window, const std::function<void()>& work)
{
    PleaseWait_Modeless sheet(window);
    runAwayFromGuiThread(
        [&work] {
            try {
                work();
            } catch (const std::exception& e) {
                Show_NSLog_Message(QString::fromUtf8(e.what()));
            }
        },
        sheetDelayMs, [&sheet] { sheet.Show_Create_Modeless(); }, false);
    sheet.Hide_Destroy_Modeless();
}
