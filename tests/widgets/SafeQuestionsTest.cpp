#include "support/KeyedQuestions.h"
#include "widgets/QtDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

void clickButton(QMessageBox& box, const QString& label)
{
    for (QAbstractButton* button : box.buttons())
        if (button->text().remove(u'&') == label)
            button->click();
}

TEST(SafeQuestion, EnterAndEscapeAnswerNoAndOnlyYesGoesAhead)
{
    QtDialogService service;
    for (const int key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape }) {
        pressKeyInNextMessageBox(key);
        EXPECT_FALSE(service.askYesNoSafe(QStringLiteral("Do you want to delete this template?"))) << key;
    }
    whenModalShown<QMessageBox>([](QMessageBox& box) { box.close(); });
    EXPECT_FALSE(service.askYesNoSafe(QStringLiteral("Do you want to delete this template?")));
    whenModalShown<QMessageBox>([](QMessageBox& box) { clickButton(box, QStringLiteral("Yes")); });
    EXPECT_TRUE(service.askYesNoSafe(QStringLiteral("Do you want to delete this template?")));
}

TEST(ChoiceQuestion, EscapeBacksOutThroughCancelWhereOffered)
{
    QtDialogService service;
    const QStringList buttons { QStringLiteral("Clear List"), QStringLiteral("Append"), QStringLiteral("Cancel") };
    pressKeyInNextMessageBox(Qt::Key_Escape);
    EXPECT_EQ(service.askChoice(QStringLiteral("The series already has values."), buttons, 1), 2);
    pressKeyInNextMessageBox(Qt::Key_Return);
    EXPECT_EQ(service.askChoice(QStringLiteral("The series already has values."), buttons, 1), 1);

    // A question with its whole list behind Show Details: Enter and Escape still cancel.
    const QString text = QStringLiteral("30 recipients would get the card of a row that holds another address.");
    const QString list = QStringLiteral("m1@club.example would get the card of row 30.\n…");
    for (const int key : { Qt::Key_Return, Qt::Key_Escape }) {
        QString details;
        whenModalShown<QMessageBox>([&](QMessageBox& box) {
            details = box.detailedText();
            pressKey(box.focusWidget() ? box.focusWidget() : &box, key);
        });
        EXPECT_FALSE(service.askGoOnOrCancel(text, QStringLiteral("Send Anyway"), list)) << key;
        EXPECT_EQ(details, list);
    }
    whenModalShown<QMessageBox>([](QMessageBox& box) { clickButton(box, QStringLiteral("Send Anyway")); });
    EXPECT_TRUE(service.askGoOnOrCancel(text, QStringLiteral("Send Anyway"), list));
}

// A refusal keeps its one sentence as the text and tells its reason underneath.
TEST(ProblemAlert, TheReasonIsTheInformativeText)
{
    QtDialogService service;
    QString text, informative;
    whenModalShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        informative = box.informativeText();
        box.close();
    });
    service.showMessageWithReason(QStringLiteral("File is corrupt and cannot be opened."),
        QStringLiteral("The file does not start with the design marker."));
    EXPECT_EQ(text, QStringLiteral("File is corrupt and cannot be opened."));
    EXPECT_EQ(informative, QStringLiteral("The file does not start with the design marker."));
}

// A run's short message keeps the whole list of cards to fix one click away, and Escape
// still closes the box, as Enter does once the details are shown.
TEST(ProblemAlert, TheWholeListIsTheDetailsBehindTheShortMessage)
{
    QtDialogService service;
    QString text, details;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        details = box.detailedText();
        icon = box.icon();
        box.close();
    });
    service.showMessageWithDetails(QStringLiteral("60 cards have text that does not fit its box (rows 1, 2, 3, 4, 5 "
                                                  "and 55 more)."),
        QStringLiteral("Row 1: Text on the front (series \"names\"): \"Ann\" does not fit its box."),
        MessageIcon::Warning);
    EXPECT_TRUE(text.startsWith(QStringLiteral("60 cards")));
    EXPECT_EQ(details, QStringLiteral("Row 1: Text on the front (series \"names\"): \"Ann\" does not fit its box."));
    EXPECT_EQ(icon, QMessageBox::Warning);

    QString asked;
    pressKeyInNextMessageBox(Qt::Key_Escape, &asked);
    service.showMessageWithDetails(QStringLiteral("3 cards went to the printer."), QStringLiteral("Row 2: …"),
        MessageIcon::Information);
    EXPECT_EQ(asked, QStringLiteral("3 cards went to the printer."));

    bool closedByEnter = false;
    whenModalShown<QMessageBox>([&](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons()) {
            if (box.buttonRole(button) != QMessageBox::ActionRole)
                continue;
            button->click();
            button->setFocus();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(button, &enter);
        }
        closedByEnter = !box.isVisible();
        box.close();
    });
    service.showMessageWithDetails(QStringLiteral("3 cards went to the printer."), QStringLiteral("Row 2: …"),
        MessageIcon::Information);
    EXPECT_TRUE(closedByEnter);
}

// Picking a file that exists asks before replacing it; Enter and Escape there go back to the
// chooser, with nothing chosen yet.
TEST(SaveChooser, AnExistingFileIsReplacedOnlyOnADeliberateYes)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("card.dcard"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the user's design");
    file.close();

    QtDialogService service;
    const auto pick = [&](const std::function<void(QFileDialog&)>& answer) {
        whenModalShown<QFileDialog>([&answer, existing](QFileDialog& chooser) {
            auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QFileInfo(existing).fileName());
            answer(chooser);
        });
        return service.chooseSaveFile(QStringLiteral("Save Design"), folder.path(),
            QStringLiteral("Designs (*.dcard)"), QStringLiteral("dcard"));
    };

    for (const int key : { Qt::Key_Return, Qt::Key_Escape }) {
        SCOPED_TRACE(key);
        QString asked;
        bool stillChoosing = false;
        EXPECT_TRUE(pick([&](QFileDialog& chooser) {
            pressKeyInNextMessageBox(key, &asked);
            pressKey(chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
            stillChoosing = chooser.isVisible();
            pressKey(&chooser, Qt::Key_Escape);
        }).isEmpty());
        EXPECT_EQ(asked, QStringLiteral("\"card.dcard\" already exists. Do you want to replace it?"));
        EXPECT_TRUE(stillChoosing);
    }

    EXPECT_EQ(pick([](QFileDialog& chooser) {
        whenModalShown<QMessageBox>([](QMessageBox& box) { clickButton(box, QStringLiteral("Yes")); });
        static_cast<QDialog&>(chooser).accept();
    }),
        existing);
}

} // namespace
