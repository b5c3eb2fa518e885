#include "dialogs/Review_Form.h"

#include "common/Globals.h"
#include "dialogs/LinkButton.h"
#include "dialogs/ModalRun.h"
#include "dialogs/Repeat_Image.h"
#include "dialogs/SupportAddresses.h"
#include "platform/ImageResolution.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Review_Form::Review_Form(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Thank You for Using Galavite"));
    useDialogBackground(*this);
    auto* text = new QLabel(QStringLiteral("We hope Galavite made your cards easy to design.\n"
                                           "Would you rate it on our review page? It takes a minute and "
                                           "helps us decide what to improve next."));
    text->setWordWrap(true);
    text->setMinimumWidth(380);
    support_id = linkButton(QStringLiteral("E-mail the support team"), QStringLiteral("Write to support@example.com"));
    website_1 = linkButton(QStringLiteral("Visit the Galavite web site"), SupportAddresses::website);
    connect(support_id, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::supportMail); });
    connect(website_1, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::website); });

    auto* buttons = new QDialogButtonBox;
    review_btn = buttons->addButton(QStringLiteral("&Rate Galavite"), QDialogButtonBox::AcceptRole);
    review_btn->setToolTip(QStringLiteral("Open the review page in the web browser"));
    ok_btn = buttons->addButton(QDialogButtonBox::Ok);
    ok_btn->setToolTip(QStringLiteral("Close this window"));
    connect(review_btn, &QPushButton::clicked, this, &Review_Form::Review_Clicked);
    connect(ok_btn, &QPushButton::clicked, this, &Review_Form::OK_Clicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new Repeat_Image(
        QPixmap::fromImage(ImageResolution::readImageFile(Resource_File(QStringLiteral("banner.png"))))));
    layout->addWidget(text);
    layout->addWidget(support_id);
    layout->addWidget(website_1);
    layout->addWidget(buttons);
    ok_btn->setDefault(true);
}

int Review_Form::Open_Review_Form_Window()
{
    return runModalOnce(*this);
}

void Review_Form::OK_Clicked()
{
    // Only the Rate button starts a web browser: leaving the program must not.
    done(1);
}

void Review_Form::Review_Clicked()
{
    Open_Link(SupportAddresses::reviewPage);
    done(1);
}
