#include "mainwindow/MainMailHost.h"

#include "jobs/CardSnapshot.h"
#include "mail/Email_Setting.h"
#include "mail/Send_Mail.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "render/SKTRenderingView.h"

#include <memory>

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
    if (!sendWindow_) {
        settingsWindow_ = new Email_Setting(*this, &window_);
        sendWindow_ = new Send_Mail(*this, *settingsWindow_, &window_);
    }
    sendWindow_->Open_Wnd();
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

MailHost::BatchState MainMailHost::Check_Series_Or_Excel_Use_or_not()
{
    // Data rows come with the data binding; until it is connected, mails carry the card as it stands.
    return {};
}

CardRenderer MainMailHost::mailCardRenderer(bool useSeries, bool useSpreadsheet, int* batchCards)
{
    Q_UNUSED(useSeries);
    Q_UNUSED(useSpreadsheet);
    *batchCards = 0;
    auto snapshot = std::make_shared<const CardSnapshot>(
        CardSnapshot::take(window_.Get_Front_Controls_Array(), window_.Get_Back_Controls_Array(),
            *window_.Front_card_Prop, *window_.Back_card_Prop, Card_Shape, window_.frontCanvasBounds()));
    return [snapshot](int, bool back) {
        const Picture picture = SKTRenderingView::image_From_Card_Graphics(
            back ? snapshot->back : snapshot->front, false, back ? snapshot->backBase() : snapshot->frontBase());
        return picture.isNull() ? QImage() : picture.toImage(mailDpi, Qt::white);
    };
}
