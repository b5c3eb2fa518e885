#include "mainwindow/SKTWindowController.h"

#include "common/Logging.h"
#include "dialogs/About_Box.h"
#include "dialogs/Help_Support.h"
#include "dialogs/Promotion_Form.h"
#include "dialogs/ShareLinksHost.h"
#include "platform/DialogService.h"

#include <exception>

namespace {

// The help window's share buttons open the main window's share pages.
class MainShareLinks : public ShareLinksHost
{
public:
    explicit MainShareLinks(SKTWindowController& window)
        : window_(window)
    { }
    void Open_Google_Plus() override { window_.openLink(SKTWindowController::Link::GooglePlus); }
    void Open_FaceBook() override { window_.openLink(SKTWindowController::Link::FaceBook); }
    void Open_Twitter() override { window_.openLink(SKTWindowController::Link::Twitter); }
    void Open_FB_Like() override { window_.openLink(SKTWindowController::Link::FacebookLike); }

private:
    SKTWindowController& window_;
};

} // namespace

void SKTWindowController::Help_Button()
{
    try {
        MainShareLinks links(*this);
        Help_Support help(links, this);
        dialogs().runModal(help);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void SKTWindowController::About_Button()
{
    try {
        About_Box about(this);
        dialogs().runModal(about);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void SKTWindowController::Open_Promotion(const QString& softwareType)
{
    if (!Promotion_Form::defaultInstance())
        new Promotion_Form(App_Name, this);
    Promotion_Form::defaultInstance()->software_type = softwareType;
    Promotion_Form::defaultInstance()->Open_Promotion_Window();
}
