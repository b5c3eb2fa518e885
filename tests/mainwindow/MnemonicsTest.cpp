#include "ObjectPagesFixture.h"

#include "barcodewindow/Barcode_Gen.h"
#include "data/Data_From_Excel.h"
#include "dialogs/About_Box.h"
#include "dialogs/Grid_Wizard.h"
#include "dialogs/Help_Support.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "dialogs/Promotion_Form.h"
#include "dialogs/Review_Form.h"
#include "dialogs/ShareLinksHost.h"
#include "export/ExportWindow.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/Import_Wizard.h"
#include "imports/SpreadsheetViewer.h"
#include "mainwindow/MainProfileHost.h"
#include "profilewindows/User_profile.h"
#include "series/SeriesListModel.h"
#include "series/Update_Ex_Num.h"
#include "series/Generate_List.h"
#include "series/Open_Export_Log.h"
#include "series/View_Data_Series.h"
#include "wizards/Card_Wizard.h"
#include "wizards/Export_Template.h"
#include "wizards/Template_Wizard.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMultiMap>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

QString mnemonicOf(const QString& text)
{
    return QKeySequence::mnemonic(text).toString(QKeySequence::PortableText);
}

// Every text whose Alt+letter the window reacts to as it stands: buttons, labels of a field,
// group boxes, tabs and the menu bar's titles.
QMultiMap<QString, QString> mnemonicsShown(QWidget& window)
{
    QMultiMap<QString, QString> keys;
    const auto add = [&keys](const QString& text) {
        const QString key = mnemonicOf(text);
        if (!key.isEmpty())
            keys.insert(key, text);
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window || !widget->isVisibleTo(&window))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            add(button->text());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->buddy())
                add(label->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            add(group->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        } else if (auto* menus = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* menu : menus->actions())
                if (menu->isVisible())
                    add(menu->text());
        }
    }
    return keys;
}

// Lists the letters that two texts share, in the window as it stands and with each page of
// each of its stacks and tab widgets shown in turn; and within each menu of a menu bar.
class MnemonicWalker
{
public:
    void walk(QWidget& window, const QString& state = QString())
    {
        const QString name = QStringLiteral("%1 (%2)%3")
                                 .arg(window.windowTitle(), QString::fromLatin1(window.metaObject()->className()),
                                     state.isEmpty() ? QString() : QStringLiteral(" ") + state);
        check(window, name);
        checkBuddies(window, name);
        walked.insert(QString::fromLatin1(window.metaObject()->className()));
        for (QStackedWidget* stack : window.findChildren<QStackedWidget*>()) {
            if (stack->window() != &window)
                continue;
            auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
            const int current = stack->currentIndex();
            for (int i = 0; i < stack->count(); ++i) {
                tabs ? tabs->setCurrentIndex(i) : stack->setCurrentIndex(i);
                check(window, name);
                checkBuddies(window, name);
            }
            tabs ? tabs->setCurrentIndex(current) : stack->setCurrentIndex(current);
        }
        for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
            for (QAction* title : bar->actions()) {
                if (!title->menu())
                    continue;
                QMultiMap<QString, QString> keys;
                for (QAction* item : title->menu()->actions())
                    if (item->isVisible() && !mnemonicOf(item->text()).isEmpty())
                        keys.insert(mnemonicOf(item->text()), item->text());
                report(keys, name + QStringLiteral(" menu ") + title->text());
            }
        }
    }

    QStringList duplicates;
    QStringList unreachable; // labels whose letter moves the focus nowhere
    QSet<QString> walked; // the kinds of window walked

private:
    void check(QWidget& window, const QString& name) { report(mnemonicsShown(window), name); }

    // A label's letter moves the focus to its buddy: one shown that takes the focus itself (a
    // label passes over a buddy that takes none, whatever its focus proxy would). Without a
    // buddy the label even shows its "&".
    void checkBuddies(QWidget& window, const QString& name)
    {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->window() != &window || !label->isVisibleTo(&window) || mnemonicOf(label->text()).isEmpty())
                continue;
            QWidget* target = label->buddy();
            if (!target || !target->isVisibleTo(&window) || target->focusPolicy() == Qt::NoFocus) {
                const QString line = QStringLiteral("%1: %2").arg(name, label->text());
                if (!unreachable.contains(line))
                    unreachable.append(line);
            }
        }
    }

    void report(const QMultiMap<QString, QString>& keys, const QString& where)
    {
        for (const QString& key : keys.uniqueKeys()) {
            QStringList texts = keys.values(key);
            if (texts.size() < 2)
                continue;
            texts.sort();
            const QString line = QStringLiteral("%1: %2: %3").arg(where, key, texts.join(QStringLiteral(" | ")));
            if (!duplicates.contains(line))
                duplicates.append(line);
        }
    }
};

class NoShareLinks : public ShareLinksHost
{
public:
    void Open_Google_Plus() override { }
    void Open_FaceBook() override { }
    void Open_Twitter() override { }
    void Open_FB_Like() override { }
};

class MnemonicsTest : public ObjectPagesTest
{
protected:
    // Walks every modal window as it opens; the start-up wizard through each of its steps
    // to a new card, the barcode window with each kind of barcode, every other window then
    // cancelled.
    int walkModal(QDialog& dialog)
    {
        walker.walk(dialog);
        if (auto* barcode = qobject_cast<Barcode_Gen*>(&dialog)) {
            QComboBox* kinds = barcode->barcodeTypePopup;
            for (int kind = 0; kind < kinds->count(); ++kind) {
                kinds->setCurrentIndex(kind);
                emit kinds->activated(kind);
                walker.walk(dialog, kinds->currentText());
            }
        }
        if (auto* start = qobject_cast<Start_Card*>(&dialog)) {
            start->setResult(0);
            start->Using_Wizard_Click();
            return start->result();
        }
        if (auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog)) {
            wizard->setResult(0);
            wizard->Size_List->setCurrentRow(0);
            for (int step = 1; step <= 4 && wizard->result() == 0; ++step) {
                walker.walk(dialog, QStringLiteral("step %1").arg(step));
                wizard->OK_Click();
            }
            return wizard->result();
        }
        return 0;
    }

    MnemonicWalker walker;
};

TEST_F(MnemonicsTest, NoWindowOrDialogGivesOneLetterToTwoControls)
{
    dialogs->modalHandler = [this](QDialog& dialog) { return walkModal(dialog); };
    SKTWindowController& main = startShown();
    walker.walk(main, QStringLiteral("card"));
    // Each kind of object brings its own pages to the panel.
    for (int tool = 1; tool < SKTWindowController::ToolCount; ++tool) {
        if (place(tool))
            walker.walk(main, QStringLiteral("tool %1").arg(tool));
    }
    main.Open_Barcode_Window_For(place(SKTWindowController::BarcodeTool));
    for (const char* command : { "New_Template_Btn", "Template_Btn", "Export_Btn", "Print_Btn", "Mail_Btn",
             "Grid_Btn", "Profile_Btn", "Batch_Series_Btn", "Create_Series_Btn", "Import_Btn", "Help_Btn",
             "Promotion_S_Btn", "About_Btn", "Card_Bckgrnd_Btn" })
        main.action(QString::fromLatin1(command))->trigger();

    // Windows that open from other windows, made here as they are there.
    NoShareLinks links;
    Help_Support help(links);
    Review_Form review;
    Promotion_Form promotion(QStringLiteral("Galavite"));
    About_Box about;
    Grid_Wizard grid;
    Long_SMS_Dlg message;
    message.title_val = QStringLiteral("Question");
    message.apply_chk_show = true;
    ExportWindow exportWindow;
    Import_Wizard importWizard(main);
    Import_Excel importCells;
    Import_Excel_DataSheet importColumns(main);
    Generate_List generator;
    Open_Export_Log exportLog;
    View_Data_Series viewer;
    Card_Wizard sizes(main);
    Template_Wizard templates(main);
    Export_Template templateName;
    SeriesListModel values(QStringLiteral("Values"));
    Update_Ex_Num newValue(values);
    Data_From_Excel table;
    SpreadsheetViewer sheet(table);
    MainProfileHost profiles(main);
    User_profile profile(profiles);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(window))
            walker.walk(*window);
    for (const char* kind : { "Barcode_Gen", "Print_Wnd", "Update_Ex_Num", "SpreadsheetViewer", "User_profile", "BatchWizard",
             "Send_Mail", "Email_Setting", "Invitation_Wizard", "Card_Wizard", "Template_Wizard" })
        EXPECT_TRUE(walker.walked.contains(QString::fromLatin1(kind))) << kind;
    EXPECT_TRUE(walker.duplicates.isEmpty()) << walker.duplicates.join(u'\n').toStdString();
    EXPECT_TRUE(walker.unreachable.isEmpty()) << walker.unreachable.join(u'\n').toStdString();
}

// The menu bar's letters win over the panel's buttons, whatever object is selected.
TEST_F(MnemonicsTest, AltFOpensTheFileMenuWithATextSelected)
{
    SKTWindowController& main = startShown();
    ASSERT_TRUE(place(SKTWindowController::TextTool));
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QMenu* file = main.menuBar()->actions().constFirst()->menu();
    ASSERT_EQ(file->title(), QStringLiteral("&File"));
    QTest::keyClick(&main, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(file->isVisible());
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    EXPECT_FALSE(focused && focused->text().contains(QStringLiteral("Font")));
    file->close();
}

} // namespace
