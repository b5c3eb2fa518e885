#include "dialogs/Long_SMS_Dlg.h"
#include "support/ScriptedDialogService.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers the dialog as a person would: shows it, then clicks one of its buttons.
struct Answer
{
    bool ok = true;
    bool tickApplyAll = false;
};

struct Seen
{
    bool noVisible = false;
    bool checkVisible = false;
    bool noIsDefault = false;
    QString title, text, yesLabel;
};

class LongSmsDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogs->modalHandler = [this](QDialog& dialog) {
            auto& message = static_cast<Long_SMS_Dlg&>(dialog);
            message.show();
            seen.noVisible = message.no_button->isVisible();
            seen.checkVisible = message.apply_chk->isVisible();
            seen.noIsDefault = message.no_button->isDefault() && !message.yes_button->isDefault();
            seen.yesLabel = message.yes_button->text();
            seen.title = message._Msg_Title->text();
            seen.text = message._Msg_Val->toPlainText();
            if (next.tickApplyAll != message.apply_chk->isChecked())
                QTest::mouseClick(message.apply_chk, Qt::LeftButton, {}, QPoint(6, message.apply_chk->height() / 2));
            QTest::mouseClick(next.ok ? message.yes_button : message.no_button, Qt::LeftButton);
            return message.result();
        };
    }

    ScriptedDialogs dialogs;
    Long_SMS_Dlg dialog;
    Answer next;
    Seen seen;
};

TEST_F(LongSmsDialog, InformationShowsTheGlobalsWithOkOnly)
{
    Cutom_Msg_Title = QStringLiteral("Version :");
    Cutom_Msg_Val = QStringLiteral("1.0");
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
    EXPECT_EQ(seen.title, QStringLiteral("Version :"));
    EXPECT_EQ(seen.text, QStringLiteral("1.0"));
    EXPECT_FALSE(seen.noVisible);
    EXPECT_FALSE(seen.checkVisible);
}

TEST_F(LongSmsDialog, QuestionAnswersAndApplyToAll)
{
    Msg_Apply_All_Chk = false;
    dialog.title_val = QStringLiteral("Batch Processing Series already exists :");
    dialog.msg_val_str = QStringLiteral("Replace it?");
    dialog.apply_chk_show = true;
    next.tickApplyAll = true;
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
    EXPECT_TRUE(seen.noVisible);
    EXPECT_TRUE(seen.checkVisible);
    EXPECT_EQ(seen.text, QStringLiteral("Replace it?"));
    EXPECT_TRUE(Msg_Apply_All_Chk);

    // No leaves the remembered answer as it was, whatever the box shows.
    dialog.title_val = QStringLiteral("Message :");
    dialog.apply_chk_show = true;
    next = Answer { .ok = false, .tickApplyAll = false };
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 0);
    EXPECT_TRUE(Msg_Apply_All_Chk);
}

TEST_F(LongSmsDialog, HelpAfterAQuestionIsPlainInformationAgain)
{
    dialog.title_val = QStringLiteral("Message :");
    dialog.msg_val_str = QStringLiteral("Question text");
    dialog.apply_chk_show = true;
    dialog.Open_Long_sms_Dialog();
    Cutom_Msg_Title = QStringLiteral("DPI (Dots Per Inch) :");
    Cutom_Msg_Val = QStringLiteral("Dots per inch of the picture.");
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
    EXPECT_EQ(seen.title, QStringLiteral("DPI (Dots Per Inch) :"));
    EXPECT_EQ(seen.text, QStringLiteral("Dots per inch of the picture."));
    EXPECT_FALSE(seen.noVisible);
    EXPECT_FALSE(seen.checkVisible);
}

// A question here replaces something: its buttons say Yes and No, and Enter gives No. A notice
// that only tells has OK alone, however the caller titled it.
TEST_F(LongSmsDialog, QuestionsDefaultToNoAndNoticesOfferOkAlone)
{
    dialog.title_val = QStringLiteral("Batch Processing Series already exists :");
    dialog.msg_val_str = QStringLiteral("Name\nBatch Processing Series already exists. Do you want to replace it?");
    dialog.apply_chk_show = true;
    next = Answer { .ok = false, .tickApplyAll = true };
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 0);
    EXPECT_TRUE(seen.noIsDefault);
    EXPECT_EQ(seen.yesLabel, QStringLiteral("Yes"));
    EXPECT_TRUE(dialog.answeredForAll());

    dialog.title_val = QStringLiteral("Message :");
    dialog.msg_val_str = QStringLiteral("Name\nPlease change Batch Processing Series Name.");
    dialog.notice_only = true;
    next = Answer {};
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 1);
    EXPECT_FALSE(seen.noVisible);
    EXPECT_FALSE(seen.noIsDefault);
    EXPECT_EQ(seen.yesLabel, QStringLiteral("OK"));
    EXPECT_FALSE(dialog.answeredForAll());

    // Enter in a shown question presses No.
    dialogs->modalHandler = [](QDialog& shown) {
        QTimer::singleShot(0, &shown, [&shown] { QTest::keyClick(shown.focusWidget(), Qt::Key_Return); });
        return shown.exec() == QDialog::Accepted ? 1 : 0;
    };
    dialog.title_val = QStringLiteral("Batch Processing Series already exists :");
    EXPECT_EQ(dialog.Open_Long_sms_Dialog(), 0);
}

} // namespace
