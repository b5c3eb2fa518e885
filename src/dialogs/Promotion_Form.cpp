#include "dialogs/Promotion_Form.h"

#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "dialogs/LinkButton.h"
#include "dialogs/ModalRun.h"
#include "dialogs/Repeat_Image.h"
#include "dialogs/SupportAddresses.h"
#include "platform/ImageResolution.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace {

Promotion_Form* instance = nullptr;

struct ProductText
{
    const char* code;
    const char* picture;
    const char* title;
    const char* shortText;
    const char* longText;
    const char* mailbox;
    const char* page;
};

const ProductText productTexts[] = {
    { "S", "promotion_S.png", "Galavite Stickers", "Sheets of stickers and labels, numbered and personalised.",
        "Lay out round, square and custom stickers on any label sheet, fill them from a series or a spreadsheet "
        "and print exactly the ones you need.",
        "stickers@example.com", "https://www.example.com/galavite/stickers" },
    { "R", "promotion_R.png", "Galavite Receipts", "Receipt books and vouchers with running numbers.",
        "Design receipts, vouchers and coupons with a counterfoil, number them in series and print several to a "
        "page.",
        "receipts@example.com", "https://www.example.com/galavite/receipts" },
    { "B", "promotion_B.png", "Galavite Barcodes", "Barcode labels for stock, shelves and parcels.",
        "Make linear and two-dimensional barcodes from lists or spreadsheets and print them on labels or export "
        "them as pictures.",
        "barcodes@example.com", "https://www.example.com/galavite/barcodes" },
};

} // namespace

Promotion_Form::Promotion_Form(const QString& appName, QWidget* parent)
    : QDialog(parent)
    , Software_title(new QLabel)
    , short_descp(new QLabel)
    , long_descp(new QLabel)
    , bundle_image(new QLabel)
{
    setWindowTitle(QStringLiteral("More from Galavite"));
    useDialogBackground(*this);
    for (const ProductText& text : productTexts) {
        Product product;
        product.picture
            = QPixmap::fromImage(ImageResolution::readImageFile(Resource_File(QString::fromLatin1(text.picture))));
        product.title = QString::fromUtf8(text.title);
        product.shortText = QString::fromUtf8(text.shortText);
        product.longText = QString::fromUtf8(text.longText);
        const QString mailbox = QString::fromLatin1(text.mailbox);
        product.mail = mailLink(mailbox, product.title + QStringLiteral(" information"),
            QStringLiteral("Please send me more information about %1.\nThank you.").arg(product.title));
        product.contact = mailLink(mailbox, QStringLiteral("User Enquiry from App: ") + appName,
            QStringLiteral("I am writing from %1.\nMy question:").arg(appName));
        product.order = QString::fromLatin1(text.page);
        products_.insert(QString::fromLatin1(text.code), product);
    }

    QFont titleFont = Software_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    Software_title->setFont(titleFont);
    for (QLabel* label : { short_descp, long_descp })
        label->setWordWrap(true);
    bundle_image->setFixedSize(128, 128);
    bundle_image->setScaledContents(true);

    support_id = linkButton(QStringLiteral("E-mail the support team"), QStringLiteral("Write to support@example.com"));
    website_1 = linkButton(QStringLiteral("Visit the Galavite web site"), SupportAddresses::website);
    connect(support_id, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::supportMail); });
    connect(website_1, &QPushButton::clicked, this, [] { Open_Link(SupportAddresses::website); });

    auto* content = new QGridLayout;
    content->addWidget(bundle_image, 0, 0, 3, 1, Qt::AlignTop);
    content->addWidget(Software_title, 0, 1);
    content->addWidget(short_descp, 1, 1);
    content->addWidget(long_descp, 2, 1);
    content->setColumnStretch(1, 1);
    content->setColumnMinimumWidth(1, 320);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    const auto action = [buttons](const QString& text, const QString& tip) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setToolTip(tip);
        return button;
    };
    connect(action(QStringLiteral("&E-mail Me"), QStringLiteral("Ask for more information by e-mail")),
        &QPushButton::clicked, this, &Promotion_Form::Mail_Clicked);
    connect(action(QStringLiteral("&Contact Us"), QStringLiteral("Write us a question")), &QPushButton::clicked, this,
        &Promotion_Form::Contact_us_Clicked);
    connect(action(QStringLiteral("&Order"), QStringLiteral("Open the order page")), &QPushButton::clicked, this,
        &Promotion_Form::Order_Clicked);
    connect(action(QStringLiteral("&Videos"), QStringLiteral("Watch short videos of our programs")),
        &QPushButton::clicked, this, &Promotion_Form::youtube_Clicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &Promotion_Form::OK_Clicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new Repeat_Image(
        QPixmap::fromImage(ImageResolution::readImageFile(Resource_File(QStringLiteral("pattern_1.jpg"))))));
    layout->addLayout(content);
    layout->addWidget(support_id);
    layout->addWidget(website_1);
    layout->addWidget(buttons);
    instance = this;
}

Promotion_Form::~Promotion_Form()
{
    if (instance == this)
        instance = nullptr;
}

Promotion_Form* Promotion_Form::defaultInstance()
{
    return instance;
}

QString Promotion_Form::mailLink(const QString& mailbox, const QString& subject, const QString& body)
{
    QString link = Trim_Str(mailbox + QStringLiteral("?subject=") + subject + QStringLiteral("&body=") + body);
    link = Replace_char_in_string(link, QStringLiteral("\n"), QStringLiteral("%0A%0A"));
    link = Replace_char_in_string(link, QStringLiteral(" "), QStringLiteral("%20"));
    return QStringLiteral("mailto:") + link;
}

int Promotion_Form::Open_Promotion_Window()
{
    try {
        if (const auto product = products_.constFind(software_type); product != products_.constEnd()) {
            bundle_image->setPixmap(product->picture);
            Software_title->setText(product->title);
            short_descp->setText(product->shortText);
            long_descp->setText(product->longText);
        }
        return runModalOnce(*this);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Promotion_Form::OK_Clicked()
{
    done(1);
}

QString Promotion_Form::mailAddress() const
{
    return products_.value(software_type).mail;
}

QString Promotion_Form::contactAddress() const
{
    return products_.value(software_type).contact;
}

QString Promotion_Form::orderAddress() const
{
    return products_.value(software_type).order;
}

void Promotion_Form::Mail_Clicked()
{
    Open_Link(mailAddress());
}

void Promotion_Form::Contact_us_Clicked()
{
    Open_Link(contactAddress());
}

void Promotion_Form::Order_Clicked()
{
    Open_Link(orderAddress());
}

void Promotion_Form::youtube_Clicked()
{
    Open_Link(SupportAddresses::videoChannel);
}
