#include "common/MessageBoxes.h"

#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"

#include <QRegularExpression>

#include <exception>
#include <mutex>

namespace {

// Reports of work done ("... has been saved successfully.") inform; every other alert warns.
MessageIcon iconOf(const QString& text)
{
    static const QRegularExpression success(
        QStringLiteral("\\bsuccessfully\\b"), QRegularExpression::CaseInsensitiveOption);
    return success.match(text).hasMatch() ? MessageIcon::Information : MessageIcon::Warning;
}

void showAlert(const QString& text)
{
    if (iconOf(text) == MessageIcon::Information)
        dialogs().showInformation(text);
    else
        dialogs().showMessage(text);
}

} // namespace

void Main_Thread_Messgae(const QString& text)
{
    showAlert(text);
}

void Main_Thread_Messgae_Yes_No(const QString& text)
{
    yes_no_msg_val = false;
    yes_no_msg_val = dialogs().askYesNo(text);
}

void Show_MessageBox(const QString& text)
{
    try {
        if (text.isNull()) {
            Show_NSLog_Message(QStringLiteral("Show_MessageBox: no text to show"));
            return;
        }
        if (!Main_App_wnd)
            return;
        const QString shown = QStringLiteral("\n") + text;
        runOnGuiThreadAndWait([&shown] { Main_Thread_Messgae(shown); });
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Show_MessageBox_With_Details(const QString& text, const QString& details)
{
    if (details.isEmpty() || text.isNull() || !Main_App_wnd)
        return Show_MessageBox(text);
    const QString shown = QStringLiteral("\n") + text;
    runOnGuiThreadAndWait([&] { dialogs().showMessageWithDetails(shown, details, iconOf(text)); });
}

void Show_MessageBox_With_Reason(const QString& text, const QString& reason)
{
    if (text.isNull() || !Main_App_wnd)
        return Show_MessageBox(text);
    // Readers give their reasons as clauses ("the file ..."): shown alone, they read as a sentence.
    const QString sentence = asSentence(reason);
    const QString shown = QStringLiteral("\n") + text;
    runOnGuiThreadAndWait([&shown, &sentence] { dialogs().showMessageWithReason(shown, sentence); });
}

bool Show_YES_NO_MessageBox(const QString& text)
{
    if (!Main_App_wnd)
        return yes_no_msg_val;
    bool answer = false;
    const auto ask = [&text, &answer] {
        Main_Thread_Messgae_Yes_No(text);
        answer = yes_no_msg_val;
    };
    if (isGuiThread()) {
        ask();
        return answer;
    }
    // One pending question at a time, and the answer travels back with the call itself,
    // so a second thread's question cannot overwrite it before this caller reads it.
    static std::mutex oneQuestionAtATime;
    std::lock_guard<std::mutex> guard(oneQuestionAtATime);
    runOnGuiThreadAndWait(ask);
    return answer;
}

void Show_MessageBox_No_Thread(const QString& text)
{
    try {
        if (text.isNull()) {
            Show_NSLog_Message(QStringLiteral("Show_MessageBox_No_Thread: no text to show"));
            return;
        }
        showAlert(QStringLiteral("\n") + text);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void show_msg(const QString& text)
{
    showAlert(text);
}
