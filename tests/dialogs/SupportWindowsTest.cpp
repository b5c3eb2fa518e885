#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "dialogs/Help_Support.h"
#include "dialogs/Promotion_Form.h"
#include "dialogs/Review_Form.h"
#include "dialogs/ShareLinksHost.h"
#include "platform/DesktopOpener.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"
#include "support/Patience.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Records what would be opened instead of opening it.
class RecordedOpener
{
public:
    RecordedOpener()
        : previous_(setDesktopOpener([this](const QUrl& url) {
            opened.append(url.toString());
            return true;
        }))
    { }
    ~RecordedOpener() { setDesktopOpener(previous_); }
    QStringList opened;

private:
    DesktopOpenerFunction previous_;
};

class NoShareLinks : public ShareLinksHost
{
public:
    void Open_Google_Plus() override { }
    void Open_FaceBook() override { ++shares; }
    void Open_Twitter() override { }
    void Open_FB_Like() override { }
    int shares = 0;
};

TEST(PromotionLinks, SpacesAndLineBreaksAreEncodedOneByOne)
{
    EXPECT_EQ(Promotion_Form::mailLink(QStringLiteral(" info@example.com"), QStringLiteral("Two  spaces"),
                  QStringLiteral("Line one\nLine two\n")),
        QStringLiteral("mailto:info@example.com?subject=Two%20%20spaces&body=Line%20one%0A%0ALine%20two"));
}

TEST(PromotionWindow, AnUnknownCodeKeepsThePreviousProductAndOpensNoAddress)
{
    ScriptedDialogs dialogs;
    RecordedOpener opener;
    Promotion_Form form(QStringLiteral("Galavite"));
    form.software_type = QStringLiteral("R");
    form.Open_Promotion_Window();
    const QString shown = form.Software_title->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(form.contactAddress().contains(QStringLiteral("subject=User%20Enquiry%20from%20App:%20Galavite")));
    form.software_type = QStringLiteral("X");
    form.Open_Promotion_Window();
    EXPECT_EQ(form.Software_title->text(), shown);
    EXPECT_TRUE(form.mailAddress().isEmpty());
    EXPECT_TRUE(form.orderAddress().isEmpty());
}

TEST(ReviewWindow, OnlyRateOpensTheReviewPage)
{
    ScriptedDialogs dialogs;
    RecordedOpener opener;
    Review_Form review;
    const auto press = [&dialogs](QPushButton* button) {
        dialogs->modalHandler = [button](QDialog& dialog) {
            button->click();
            return dialog.result();
        };
    };
    press(review.ok_btn);
    EXPECT_EQ(review.Open_Review_Form_Window(), 1);
    EXPECT_TRUE(opener.opened.isEmpty());
    dialogs->modalHandler = [](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    };
    EXPECT_EQ(review.Open_Review_Form_Window(), 0);
    EXPECT_TRUE(opener.opened.isEmpty());
    press(review.review_btn);
    EXPECT_EQ(review.Open_Review_Form_Window(), 1);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_TRUE(opener.opened[0].endsWith(QStringLiteral("/review")));
}

// Enter closes the window as OK does, wherever the focus stands: only a click on Rate or on a
// link starts a program.
TEST(ReviewWindow, EnterClosesItWithoutStartingAProgram)
{
    ScriptedDialogs dialogs;
    RecordedOpener opener;
    Review_Form review;
    EXPECT_TRUE(review.ok_btn->isDefault());
    for (QPushButton* focused : { static_cast<QPushButton*>(nullptr), review.support_id, review.website_1 }) {
        dialogs->modalHandler = [focused](QDialog& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, focused] {
                if (focused)
                    focused->setFocus();
                QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
                QTest::keyClick(target, Qt::Key_Return);
            });
            return dialog.exec() == QDialog::Accepted ? 1 : 0;
        };
        EXPECT_EQ(review.Open_Review_Form_Window(), 1);
        EXPECT_TRUE(opener.opened.isEmpty()) << opener.opened.join(u' ').toStdString();
    }
}

TEST(HelpWindow, OpensTheGuideOrSaysThatItIsMissing)
{
    ScriptedDialogs dialogs;
    RecordedOpener opener;
    TempResources resources;
    NoShareLinks links;
    Help_Support help(links);
    help._Help_File_Label->click();
    EXPECT_TRUE(opener.opened.isEmpty());
    QFile guide(Resource_File(QStringLiteral("Help.pdf")));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    guide.close();
    help._Help_File_Label->click();
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_TRUE(opener.opened[0].endsWith(QStringLiteral("/Help.pdf")));
}

TEST(UserGuide, HoldsEverySectionAsSearchableText)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
        { QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Help.pdf"), QStringLiteral("-") });
    ASSERT_TRUE(patience::finished(pdftotext));
    ASSERT_EQ(pdftotext.exitCode(), 0);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* section : { "Getting started", "The invitation wizard", "Objects and properties", "Barcodes",
             "Data series and spreadsheets", "Batch export", "Printing", "E-mail", "Profiles" })
        EXPECT_TRUE(text.contains(QString::fromLatin1(section))) << section;
    // What the program really does, in the words a user looks for.
    const QString words = text.simplified();
    for (const char* fact : { "Undo takes back the placing, removing, moving and resizing of objects",
             "Changes made in the properties panel are not undone", "double-click it", "Barcode Properties",
             "in the Tools menu", "TIFF, PNG, JPEG or BMP" })
        EXPECT_TRUE(words.contains(QString::fromLatin1(fact))) << fact;
    EXPECT_FALSE(words.contains(QStringLiteral("shadow"), Qt::CaseInsensitive)); // no such setting
}

} // namespace
