// What was copied in another program before this one started is still there to paste after the
// start and after File › New. Needs a real X display, where the clipboard is shared between
// programs: on the offscreen platform the test runs itself again under xvfb-run.
#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "model/SKTGraphicPasteboard.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "support/Patience.h"
#include "support/RerunUnderXvfb.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>

namespace {

bool clipboardHoldsObjects()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(SKTGraphicViewPasteboardType);
}

} // namespace

TEST_F(MainWindowTest, ObjectsCopiedInAnotherProgramPasteAfterTheStartAndAfterNew)
{
    if (!haveTool("xclip") || !haveTool("xvfb-run"))
        GTEST_SKIP() << "needs xclip and xvfb-run";
    if (!onXDisplay()) {
        rerunThisTestUnderXvfb();
        return;
    }

    // The other program's copy: a name and its frame, as our own objects on the clipboard.
    const auto name = SKTGraphic::create<SKTText>();
    name->Text_contents()->setString(QStringLiteral("Cara Diaz"));
    name->setBounds(QRectF(30, 40, 150, 24));
    const auto frame = SKTGraphic::create<Shape_Control>();
    frame->setBounds(QRectF(20, 30, 170, 44));
    QProcess other;
    other.start(QStringLiteral("xclip"),
        { QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
            SKTGraphicViewPasteboardType });
    other.write(SKTGraphicPasteboard::pasteboardDataWithGraphics({ name, frame }));
    other.closeWriteChannel();
    ASSERT_TRUE(patience::eventually(clipboardHoldsObjects));

    SKTWindowController& main = start();
    ASSERT_TRUE(clipboardHoldsObjects());
    QAction* paste = main.action(QStringLiteral("Paste_btn"));
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    ASSERT_EQ(main.Get_Front_Control_Count(), 2);
    EXPECT_EQ(main.Get_Front_Controls_Array().first()->Text_contents()->string, QStringLiteral("Cara Diaz"));
    EXPECT_EQ(main.Get_Front_Controls_Array().first()->bounds(), name->bounds());
    // A second paste of the same copy steps aside from the first.
    paste->trigger();
    ASSERT_EQ(main.Get_Front_Control_Count(), 4);
    EXPECT_NE(main.Get_Front_Controls_Array().first()->bounds(), name->bounds());

    dialogs->choiceAnswers = { 1 }; // Don't Save the pasted design
    main.action(QStringLiteral("New_Btn"))->trigger();
    ASSERT_EQ(wizardRuns, 2);
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);
    ASSERT_TRUE(clipboardHoldsObjects());
    // The new design's first paste lands where the objects were copied from.
    paste->trigger();
    ASSERT_EQ(main.Get_Front_Control_Count(), 2);
    EXPECT_EQ(main.Get_Front_Controls_Array().first()->bounds(), name->bounds());

    other.kill();
    patience::finished(other);
}
