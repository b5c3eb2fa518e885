#include "MainWindowFixture.h"

#include "mainwindow/WindowPlacement.h"
#include "support/TempSettings.h"
#include "support/Patience.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QScreen>
#include <QWindow>

namespace {

// Shows the window and waits until it is on the screen and, under a window manager, framed.
void showAndSettle(QWidget& window)
{
    window.show();
    const bool managed = qEnvironmentVariableIsSet("GALAVITE_WINDOW_MANAGER");
    // A loaded machine can take seconds to frame a window.
    const QDeadlineTimer deadline(patience::generousMs);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (window.windowHandle() && window.windowHandle()->isExposed()
            && (!managed || window.windowHandle()->frameMargins().top() > 0))
            break;
    }
    QApplication::processEvents(QEventLoop::AllEvents, 100);
    if (managed) {
        EXPECT_GT(window.windowHandle()->frameMargins().top(), 0) << "the window manager framed no window";
    }
}

::testing::AssertionResult frameInsideFreeArea(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect available = window.screen()->availableGeometry();
    if (available.contains(frame))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                         << frame.height() << " outside " << available.x() << "," << available.y()
                                         << " " << available.width() << "x" << available.height();
}

} // namespace

TEST(WindowPlacement, CentresThePreferredSizeOrWhatFitsTheFreeArea)
{
    const QMargins frame(8, 40, 8, 8);
    // A 1920 x 1080 screen with a 30-pixel panel at the top.
    const QRect wide(0, 30, 1920, 1050);
    EXPECT_EQ(WindowPlacement::centredGeometry(wide, { 1000, 800 }, frame), QRect(460, 30 + 101 + 40, 1000, 800));
    // The same screen at a scale factor of 2, and a second screen to the right.
    for (const QRect available : { QRect(0, 15, 960, 525), QRect(1920, 0, 1366, 768) }) {
        const QRect inside = WindowPlacement::centredGeometry(available, { 1000, 800 }, frame);
        EXPECT_TRUE(available.contains(inside.marginsAdded(frame)));
        EXPECT_EQ(inside.marginsAdded(frame).center().x(), available.center().x());
        EXPECT_LE(inside.width(), 1000);
        EXPECT_LE(inside.height(), 800);
    }
}

// Runs on whatever screen the test starts with; CTest runs it again on a 1920 x 1080 screen
// at scale factors 1 and 2, offscreen and under a window manager on Xvfb.
TEST_F(MainWindowTest, OpensInsideTheScreensFreeAreaAndComesBackWhereItWasLeft)
{
    TempSettings settings;
    SKTWindowController& main = start();
    ASSERT_EQ(startResult, SKTWindowController::StartResult::Ready);
    const QSize smallest = main.minimumSizeHint();
    const QRect available = main.screen()->availableGeometry();
    if (smallest.width() > available.width() || smallest.height() > available.height())
        GTEST_SKIP() << "the window cannot be smaller than " << smallest.width() << "x" << smallest.height();
    showAndSettle(main);
    EXPECT_TRUE(frameInsideFreeArea(main));

    // The next start restores the geometry the window was left with.
    main.resize(main.size() - QSize(40, 30));
    QApplication::processEvents();
    const QRect left = main.geometry();
    WindowPlacement::remember(main);
    window.reset();
    SKTWindowController& again = start();
    EXPECT_EQ(again.size(), left.size());
    showAndSettle(again);
    EXPECT_TRUE(frameInsideFreeArea(again));
}
