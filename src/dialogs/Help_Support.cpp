#include "dialogs/Help_Support.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "dialogs/LinkButton.h"
#include "dialogs/Repeat_Image.h"
#include "dialogs/ShareLinksHost.h"
#include "dialogs/SupportAddresses.h"
#include "platform/ImageResolution.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Help_Support::Help_Support(ShareLinksHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setWindowTitle(QStringLiteral("Help and Support"));
    useDialogBackground(*this);
    _Help_File_Label = linkButton(QStringLiteral("Read the user guide"), QStringLiteral("Open Help.pdf"));
    support_id = linkButton(QStringLiteral("E-mail the support team"), QStringLiteral("Write to support@example.com"));
    support_id_2 = linkButton(QStringLiteral("Report a problem"), QStringLiteral("Write to support@example.com"));
    website_1 = linkButton(QStringLiteral("Visit the Galavite web site"), SupportAddresses::website);
    reseller_1 = linkButton(QStringLiteral("Become a reseller"), QStringLiteral("Write to partners@example.com"));
    reseller_2 = linkButton(QStringLiteral("Ask about partnerships"), QStringLiteral("Write to partners@example.com"));
    connect(_Help_File_Label, &QPushButton::clicked, this, &Help_Support::HelpFilePressed);
    connect(support_id, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::supportMail); });
    connect(support_id_2, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::supportMail); });
    connect(website_1, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::website); });
    connect(reseller_1, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::partnerMail); });
    connect(reseller_2, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::partnerMail); });

    auto* help = new QGroupBox(QStringLiteral("Help"));
    auto* helpLayout = new QVBoxLayout(help);
    helpLayout->addWidget(new QLabel(QStringLiteral("The user guide explains every window, step by step.")));
    helpLayout->addWidget(_Help_File_Label);
    auto* support = new QGroupBox(QStringLiteral("Support"));
    auto* supportLayout = new QVBoxLayout(support);
    for (QPushButton* button : { support_id, support_id_2, website_1, reseller_1, reseller_2 })
        supportLayout->addWidget(button);

    auto* share = new QGroupBox(QStringLiteral("Tell your friends"));
    auto* shareLayout = new QHBoxLayout(share);
    const auto shareButton = [shareLayout](const QString& text, const QString& tip) {
        auto* button = new QPushButton(QIcon::fromTheme(QStringLiteral("emblem-shared")), text);
        button->setToolTip(tip);
        button->setAutoDefault(false);
        shareLayout->addWidget(button);
        return button;
    };
    connect(shareButton(QStringLiteral("Share"), QStringLiteral("Share a link to Galavite")), &QPushButton::clicked,
        this, [this] { host_.Open_FaceBook(); });
    connect(shareButton(QStringLiteral("Post"), QStringLiteral("Post a short note about Galavite")),
        &QPushButton::clicked, this, [this] { host_.Open_Twitter(); });
    connect(shareButton(QStringLiteral("Recommend"), QStringLiteral("Recommend Galavite to your circles")),
        &QPushButton::clicked, this, [this] { host_.Open_Google_Plus(); });
    connect(shareButton(QStringLiteral("Like"), QStringLiteral("Say that you like Galavite")), &QPushButton::clicked,
        this, [this] { host_.Open_FB_Like(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new Repeat_Image(
        QPixmap::fromImage(ImageResolution::readImageFile(Resource_File(QStringLiteral("banner.png"))))));
    layout->addWidget(help);
    layout->addWidget(support);
    layout->addWidget(share);
    layout->addWidget(buttons);
}

void Help_Support::HelpFilePressed()
{
    Open_Help_File();
}
