#include "platform/UndoManager.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

// A value whose setter registers its own inverse, as model setters do.
struct UndoableValue
{
    UndoManager& undo;
    int value = 0;

    void set(int newValue)
    {
        const int old = value;
        value = newValue;
        undo.registerUndo([this, old] { set(old); });
    }
};

} // namespace

TEST(UndoManager, ChangesInOneEventTurnAreOneStepAndRedoRestoresThem)
{
    UndoManager undo;
    UndoableValue v { undo };
    v.set(1);
    v.set(2);
    QCoreApplication::processEvents(); // the turn ends: the implicit group closes
    v.set(3);
    undo.checkpoint();

    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(v.value, 2);
    undo.undo();
    EXPECT_EQ(v.value, 0);
    EXPECT_FALSE(undo.canUndo());

    undo.redo();
    EXPECT_EQ(v.value, 2);
    undo.redo();
    EXPECT_EQ(v.value, 3);
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(v.value, 2);
}

TEST(UndoManager, AnExplicitGroupSpansManyEventTurns)
{
    UndoManager undo;
    UndoableValue v { undo };
    undo.beginGroup();
    for (int i = 1; i <= 20; ++i) {
        v.set(i);
        QCoreApplication::processEvents();
        undo.checkpoint(); // checkpoints inside the group do not split it
    }
    undo.endGroup();
    undo.undo();
    EXPECT_EQ(v.value, 0);
    EXPECT_FALSE(undo.canUndo());
    undo.redo();
    EXPECT_EQ(v.value, 20);
}

TEST(UndoManager, NestedGroupsCloseWithTheOutermost)
{
    UndoManager undo;
    UndoableValue v { undo };
    undo.beginGroup();
    v.set(1);
    undo.beginGroup();
    v.set(2);
    undo.endGroup();
    EXPECT_EQ(undo.groupingLevel(), 1);
    v.set(3);
    undo.endGroup();
    undo.undo();
    EXPECT_EQ(v.value, 0);
}

TEST(UndoManager, ANewChangeClearsRedo)
{
    UndoManager undo;
    UndoableValue v { undo };
    v.set(1);
    undo.checkpoint();
    undo.undo();
    ASSERT_TRUE(undo.canRedo());
    v.set(5);
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManager, DisabledRegistrationAndClearingLeaveNothingToUndo)
{
    UndoManager undo;
    UndoableValue v { undo };
    undo.setRegistrationEnabled(false);
    v.set(7);
    undo.setRegistrationEnabled(true);
    undo.checkpoint();
    EXPECT_FALSE(undo.canUndo());

    v.set(8);
    undo.checkpoint();
    v.set(9);
    undo.undo();
    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManager, TellsItsObserverAtEachCheckpointAndAroundUndo)
{
    UndoManager undo;
    UndoableValue v { undo };
    int checkpoints = 0;
    undo.setCheckpointObserver([&] { ++checkpoints; });
    v.set(1);
    undo.checkpoint();
    EXPECT_EQ(checkpoints, 1);
    bool sawUndoing = false;
    undo.registerUndo([&] { sawUndoing = undo.isUndoing(); });
    undo.checkpoint();
    undo.undo();
    EXPECT_TRUE(sawUndoing);
    EXPECT_GE(checkpoints, 4);
}

TEST(UndoManager, CleanStateComesBackByUndoAndRedoAndIsLostByANewBranch)
{
    UndoManager undo;
    UndoableValue v { undo };
    EXPECT_TRUE(undo.isClean());
    v.set(1);
    EXPECT_FALSE(undo.isClean()); // still in its open step
    undo.checkpoint();
    undo.setClean();
    EXPECT_TRUE(undo.isClean());

    v.set(2);
    undo.checkpoint();
    EXPECT_FALSE(undo.isClean());
    undo.undo();
    EXPECT_TRUE(undo.isClean());
    undo.undo();
    EXPECT_FALSE(undo.isClean());
    undo.redo();
    EXPECT_TRUE(undo.isClean());

    // Undo past the saved state, then a new step: the saved state cannot come back.
    undo.undo();
    v.set(5);
    undo.checkpoint();
    undo.undo();
    EXPECT_FALSE(undo.isClean());

    undo.removeAllActions();
    EXPECT_TRUE(undo.isClean());
}
