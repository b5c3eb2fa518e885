#include "common/Globals.h"
#include "data/TemplateStore.h"
#include "library/Image_Library.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "model/StoredPaths.h"
#include "support/KeyedQuestions.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"
#include "wizards/CardSizeFields.h"
#include "wizards/CardSizeHost.h"
#include "wizards/Card_Wizard.h"
#include "wizards/Export_Template.h"
#include "wizards/Start_Card.h"
#include "wizards/Template_Wizard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The main window's preset lists and sizes, as far as the chooser needs them.
class FakeSizeHost : public CardSizeHost
{
public:
    QSizeF Get_My_card_Size_For(const QString& category, const QString& preset, int listIndex) override
    {
        QSizeF size(30, 30);
        if (listIndex >= 0)
            size = category == QLatin1String("PVC Card") ? QSizeF(85.598, 54.102) : QSizeF(101.6, 76.2);
        return preset == QLatin1String("V") ? size.transposed() : size;
    }
    QStringList presetNames(const QString& category) const override
    {
        if (category == QLatin1String("PVC Card"))
            return { QStringLiteral("CR80-Credit Card Size"), QStringLiteral("CR79"), QStringLiteral("CR90-Over Sized"),
                QStringLiteral("CR100-Military Size"), QStringLiteral("CR50"), QStringLiteral("CR60"),
                QStringLiteral(" CR70 "), QStringLiteral("  ") };
        QStringList badges;
        for (int n = 1452; n <= 1459; ++n)
            badges.append(QStringLiteral("Durable %1 - Name Badge").arg(n));
        return badges;
    }
    float MM_to_Points(float millimetres) override { return millimetres * 72.0f / 25.4f; }
    void SetDocumentCanvasSize(const QSizeF& points) override { canvasSize = points; }
    void openNewProfile() override { ++profiles; }

    QSizeF canvasSize;
    int profiles = 0;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writePreview(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, QFileInfo(path).suffix().toLower() == QLatin1String("png") ? "PNG" : "JPEG"));
}

class TemplateWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogs->modalHandler = [this](QDialog& dialog) {
            dialog.setResult(0);
            if (during)
                during(dialog);
            return dialog.result();
        };
        Card_Shape = 0;
    }

    std::function<void(QDialog&)> during;
    TempResources resources;
    ScriptedDialogs dialogs;
    FakeSizeHost host;
};

TEST_F(TemplateWindowsTest, ChooserListsThePresetsOfACategoryAndTheirSizes)
{
    Card_Wizard chooser(host);
    CardSizeFields& fields = *chooser.fields;
    during = [&](QDialog&) {
        // Names are trimmed and blank ones skipped: the seven plastic cards, CR80 selected.
        ASSERT_EQ(fields.ColList->count(), 7);
        EXPECT_EQ(fields.ColList->item(6)->text(), QStringLiteral("CR70"));
        EXPECT_EQ(fields.ColList->currentRow(), 0);
        EXPECT_DOUBLE_EQ(fields.width_Stepper->value(), 85.598);
        EXPECT_DOUBLE_EQ(fields.height_Stepper->value(), 54.102);
        // Choosing upright turns the chosen preset at once, and every preset chosen next.
        fields.Preset_ComboBox->setCurrentIndex(1);
        emit fields.Preset_ComboBox->activated(1);
        EXPECT_DOUBLE_EQ(fields.width_Stepper->value(), 54.102);
        EXPECT_DOUBLE_EQ(fields.height_Stepper->value(), 85.598);
        fields.width_Stepper->setValue(70.0);
        fields.Mark_List_New_Selection(1);
        EXPECT_DOUBLE_EQ(fields.width_Stepper->value(), 54.102);
        EXPECT_DOUBLE_EQ(fields.height_Stepper->value(), 85.598);
        fields.ColList->clearSelection();
        EXPECT_DOUBLE_EQ(fields.width_Stepper->value(), 30.0);
        EXPECT_DOUBLE_EQ(fields.height_Stepper->value(), 30.0);
        fields.Preset_ComboBox->setCurrentIndex(0);
        fields.Category_ComboBox->setCurrentIndex(1);
        fields.comboBoxSelectionDidChange(1);
        ASSERT_EQ(fields.ColList->count(), 8);
        EXPECT_EQ(fields.ListData.first().value(QStringLiteral("Extension")).toString(),
            QStringLiteral("Durable 1452 - Name Badge"));
        chooser.OK_Click();
    };
    EXPECT_EQ(chooser.Open_Wnd(), 1);
    EXPECT_NEAR(host.canvasSize.width(), 101.6 * 72 / 25.4, 0.01);
}

TEST_F(TemplateWindowsTest, ChooserCancelForgetsTheShapeAndOkKeepsIt)
{
    Card_Wizard chooser(host);
    during = [&](QDialog&) {
        chooser.matrix_card_shape->button(2)->click();
        EXPECT_EQ(Card_Shape, 2);
        chooser.CancelClick();
    };
    EXPECT_EQ(chooser.Open_Wnd(), 0);
    EXPECT_EQ(Card_Shape, 0);
    EXPECT_FALSE(host.canvasSize.isValid());
    during = [&](QDialog&) {
        chooser.matrix_card_shape->button(1)->click();
        chooser.OK_Click();
    };
    EXPECT_EQ(chooser.Open_Wnd(), 1);
    EXPECT_EQ(Card_Shape, 1);
}

TEST_F(TemplateWindowsTest, StartDialogRecordsEachChoiceAndExitEmptiesIt)
{
    const std::pair<void (Start_Card::*)(), QString> choices[] = { { &Start_Card::Using_Template_Click, "T" },
        { &Start_Card::Using_Wizard_Click, "W" }, { &Start_Card::Open_Log_Click, "L" } };
    for (const auto& [click, option] : choices) {
        Start_Card start;
        during = [&, click = click](QDialog&) { (start.*click)(); };
        EXPECT_EQ(dialogs->runModal(start), 1);
        EXPECT_EQ(Start_Card_Option, option);
    }
    Start_Card start;
    during = [&](QDialog&) { start.CancelClick(); };
    EXPECT_EQ(dialogs->runModal(start), 0);
    EXPECT_TRUE(Start_Card_Option.isEmpty());
}

TEST_F(TemplateWindowsTest, EnterTakesTheChoiceWithTheFocusAndNeverHelp)
{
    for (const bool wizard : { false, true }) {
        Start_Card start;
        during = [&](QDialog&) {
            QPushButton* focused = wizard ? start.Using_Wizard_btn : start.Using_Template_btn;
            focused->setFocus();
            QTest::keyClick(start.focusWidget(), Qt::Key_Return);
        };
        EXPECT_EQ(dialogs->runModal(start), 1);
        EXPECT_EQ(Start_Card_Option, wizard ? QStringLiteral("W") : QStringLiteral("T"));
    }
}

TEST_F(TemplateWindowsTest, NameDialogRefusesBadNamesAndAsksBeforeReplacing)
{
    writeFile(TemplateStore::userDesignPath(QStringLiteral("Party")), "x");
    writeFile(TemplateStore::userDesignPath(QStringLiteral("Picnic")), "x");
    Export_Template dialog;
    export_template_name = QStringLiteral("before");
    const auto typeAndOk = [&](const QString& text) {
        dialog.template_name->setText(text);
        dialog.OKPressed();
        return dialog.result();
    };
    during = [&](QDialog&) {
        EXPECT_EQ(typeAndOk(QStringLiteral("   ")), 0);
        EXPECT_EQ(typeAndOk(QStringLiteral("../x")), 0);
        dialogs->yesNoAnswers = { false };
        EXPECT_EQ(typeAndOk(QStringLiteral("Party")), 0);
        dialog.CancelPressed();
    };
    EXPECT_EQ(dialog.runFor(QString(), QString()), 0);
    EXPECT_TRUE(dialog.template_name->text().isEmpty());
    EXPECT_EQ(export_template_name, QStringLiteral("before"));
    const std::vector<QString> messages = dialogs->messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], QStringLiteral("\nPlease enter template name."));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("\"..\"")));

    during = [&](QDialog&) {
        dialogs->yesNoAnswers = { true };
        typeAndOk(QStringLiteral("\"Party/"));
    };
    EXPECT_EQ(dialog.runFor(QString(), QString()), 1);
    EXPECT_EQ(export_template_name, QStringLiteral("Party"));

    // Renaming onto another template is refused; onto its own name accepted.
    during = [&](QDialog&) {
        EXPECT_EQ(typeAndOk(QStringLiteral("Picnic")), 0);
        typeAndOk(QStringLiteral("Party"));
    };
    EXPECT_EQ(dialog.runFor(QStringLiteral("Party"), QStringLiteral("Party")), 1);
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nTemplate with this name already exists."));
}

TEST_F(TemplateWindowsTest, BrowserListsBothSetsAndOpensTheDesignOfTheSelectedPreview)
{
    writePreview(QDir(TemplateStore::builtInFolder()).filePath(QStringLiteral("Badge.JPG")));
    writeFile(QDir(TemplateStore::builtInFolder()).filePath(QStringLiteral("Badge.dcard")), "x");
    writeFile(QDir(TemplateStore::builtInFolder()).filePath(QStringLiteral("Lonely.dcard")), "x");
    writePreview(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    writeFile(TemplateStore::userDesignPath(QStringLiteral("Party")), "x");
    Template_Wizard browser(host);
    during = [&](QDialog&) {
        ASSERT_EQ(browser.imageBrowser->pictures()->rowCount(), 1);
        EXPECT_TRUE(browser.Delete_temp_btn->isHidden());
        browser.cat_cmbo_bx->setCurrentIndex(1);
        browser.setChoiceDidChange(1);
        EXPECT_FALSE(browser.Delete_temp_btn->isHidden());
        const QList<MyImageObject>& items = browser.imageBrowser->pictures()->images();
        ASSERT_EQ(items.size(), 1);
        EXPECT_TRUE(items[0].image_UID.startsWith(QStringLiteral("TEMP")));
        EXPECT_EQ(Selected_Template_Path, TemplateStore::userPreviewPath(QStringLiteral("Party")));
        browser.setChoiceDidChange(0);
        EXPECT_TRUE(browser.Delete_temp_btn->isHidden());
        browser.OK_Click();
    };
    EXPECT_EQ(browser.Open_Template_Window(), 1);
    EXPECT_EQ(Selected_Template_Path, QDir(TemplateStore::builtInFolder()).filePath(QStringLiteral("Badge.dcard")));
}

// A double-click on a thumbnail, as the mouse gives it, on the browser's row.
void doubleClickRow(PictureBrowser& browser, int row)
{
    const QRect cell = browser.visualRect(browser.pictures()->index(row));
    ASSERT_TRUE(cell.isValid());
    // A click, then the double click: QTest sends only the latter.
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

TEST_F(TemplateWindowsTest, ADoubleClickOnATemplateOrALibraryPictureChoosesIt)
{
    for (const char* name : { "Badge", "Party" }) {
        writePreview(QDir(TemplateStore::builtInFolder()).filePath(QString::fromLatin1(name) + ".JPG"));
        writeFile(QDir(TemplateStore::builtInFolder()).filePath(QString::fromLatin1(name) + ".dcard"), "x");
    }
    Template_Wizard browser(host);
    bool stillOpen = false;
    during = [&](QDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        ASSERT_EQ(browser.imageBrowser->pictures()->rowCount(), 2);
        // Each goes by its name, not by its preview's file.
        EXPECT_EQ(browser.imageBrowser->pictures()->index(1).data().toString(), QStringLiteral("Party"));
        doubleClickRow(*browser.imageBrowser, 1);
        stillOpen = dialog.result() == 0;
        dialog.hide();
    };
    EXPECT_EQ(browser.Open_Template_Window(), 1);
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Selected_Template_Path, QDir(TemplateStore::builtInFolder()).filePath(QStringLiteral("Party.dcard")));

    const QString category = Resource_File(QStringLiteral("LibraryImage/Stars"));
    QDir().mkpath(category);
    for (const char* name : { "a.png", "b.png" }) {
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        ASSERT_TRUE(picture.save(QDir(category).filePath(QString::fromLatin1(name)), "PNG"));
    }
    Image_Library library;
    library.control_or_BG = QStringLiteral("C");
    during = [&](QDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        ASSERT_EQ(library.imageBrowser->pictures()->rowCount(), 2);
        doubleClickRow(*library.imageBrowser, 1);
        dialog.hide();
    };
    EXPECT_EQ(library.Open_Library_Window(), 1);
    EXPECT_EQ(QFileInfo(Resolve_Stored_Picture_Path(library.selected_image)).fileName(), QStringLiteral("b.png"));
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(TemplateWindowsTest, BrowserWithoutTemplatesAsksForOneAndCancelEmptiesTheChoice)
{
    Template_Wizard browser(host);
    during = [&](QDialog&) {
        browser.OK_Click();
        EXPECT_EQ(browser.result(), 0);
        browser.Delete_Template_Click();
        browser.CancelClick();
    };
    EXPECT_EQ(browser.Open_Template_Window(), 0);
    EXPECT_TRUE(Selected_Template_Path.isEmpty());
    EXPECT_EQ(dialogs->messages(),
        (std::vector<QString> {
            QStringLiteral("\nPlease select template."), QStringLiteral("\nPlease select template.") }));
}

TEST_F(TemplateWindowsTest, BrowserCopiesRenamesAndDeletesUserTemplates)
{
    writePreview(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    writeFile(TemplateStore::userDesignPath(QStringLiteral("Party")), "x");
    Template_Wizard browser(host);
    during = [&](QDialog& dialog) {
        if (&dialog != &browser) {
            auto& names = static_cast<Export_Template&>(dialog);
            names.template_name->setText(QStringLiteral("Picnic"));
            names.OKPressed();
            return;
        }
        browser.setChoiceDidChange(1);
        dialogs->yesNoAnswers = { true };
        browser.Copy_Templatee_Click();
        EXPECT_EQ(browser.imageBrowser->pictures()->rowCount(), 2);
        browser.imageBrowser->selectRow(0); // "Party (copy 1)" sorts first
        browser.Rename_Template_Click();
        EXPECT_EQ(TemplateStore::previewsIn(TemplateStore::userFolder()),
            (QStringList { TemplateStore::userPreviewPath(QStringLiteral("Party")),
                TemplateStore::userPreviewPath(QStringLiteral("Picnic")) }));
        browser.imageBrowser->selectRow(0);
        dialogs->yesNoAnswers = { true };
        browser.Delete_Template_Click();
        browser.CancelClick();
    };
    browser.Open_Template_Window();
    EXPECT_FALSE(QFileInfo::exists(TemplateStore::userDesignPath(QStringLiteral("Party"))));
    EXPECT_TRUE(QFileInfo::exists(TemplateStore::userDesignPath(QStringLiteral("Picnic"))));
    EXPECT_EQ(TemplateStore::previewsIn(TemplateStore::userFolder()).size(), 1);
}

// Enter presses the question's default button and Escape its escape button: neither may
// replace or delete the user's template.
TEST_F(TemplateWindowsTest, EnterAndEscapeKeepTheTemplateWhenReplacingOrDeleting)
{
    writePreview(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    writeFile(TemplateStore::userDesignPath(QStringLiteral("Party")), "the user's own design");
    const QByteArray before = md5Of(TemplateStore::userDesignPath(QStringLiteral("Party")));
    for (const int key : { Qt::Key_Return, Qt::Key_Escape }) {
        SCOPED_TRACE(key);
        KeyedDialogs keyed(key);
        Export_Template names;
        keyed->script.modalHandler = [&names](QDialog&) {
            names.setResult(0);
            names.template_name->setText(QStringLiteral("Party"));
            names.OKPressed();
            return names.result();
        };
        EXPECT_EQ(names.runFor(QString(), QString()), 0);

        Template_Wizard browser(host);
        keyed->script.modalHandler = [&browser](QDialog&) {
            browser.setResult(0);
            browser.setChoiceDidChange(1);
            browser.imageBrowser->selectRow(0);
            browser.Delete_Template_Click();
            browser.CancelClick();
            return browser.result();
        };
        browser.Open_Template_Window();
        ASSERT_EQ(keyed->questions.size(), 2);
        EXPECT_TRUE(keyed->questions[0].contains(QStringLiteral("replace the existing template")));
        EXPECT_EQ(keyed->questions[1], QStringLiteral("Do you want to delete this template?"));
        EXPECT_EQ(md5Of(TemplateStore::userDesignPath(QStringLiteral("Party"))), before);
    }
}

} // namespace
