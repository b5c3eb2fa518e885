#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Undo by registered inverse operations, collected into groups.
//
// A registration outside any open group opens an implicit group that closes at the next
// checkpoint (the end of the current event-loop turn, or an explicit checkpoint() call).
// A caller may open an explicit group (beginGroup/endGroup, nestable) so that work spread
// over many events, such as a mouse drag, is one step. While an undo runs, registrations
// collect into the matching redo step, and while a redo runs, into a new undo step.
class UndoManager
{
public:
    using Action = std::function<void()>;

    UndoManager();
    ~UndoManager();
    UndoManager(const UndoManager&) = delete;
    UndoManager& operator=(const UndoManager&) = delete;

    void registerUndo(Action inverse);

    void beginGroup();
    void endGroup();
    int groupingLevel() const { return explicitDepth_; }

    // Closes the implicit group (when no explicit group is open) and tells the observers.
    void checkpoint();
    // Called at every checkpoint, and when a group opens or closes.
    void setCheckpointObserver(std::function<void()> observer);

    // Names the step being collected (the open group), as the Undo and Redo commands show it.
    void setActionName(const QString& name);
    // Runs change as one step of its own, so named; a change that registers nothing makes none.
    void runAsStep(const QString& name, const std::function<void()>& change);
    // The names of the steps Undo and Redo would take back; empty for an unnamed step.
    QString undoActionName() const;
    QString redoActionName() const;
    // Ties the step being collected to the steps of other histories given the same non-zero
    // link: parts of one change, taken back and redone together. The inverse step keeps it.
    void setStepLink(std::uint64_t link);
    // The links of the steps Undo and Redo would take back; 0 for a step of this history alone.
    std::uint64_t undoStepLink() const;
    std::uint64_t redoStepLink() const;

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    bool isUndoing() const { return undoing_; }
    bool isRedoing() const { return redoing_; }

    void setRegistrationEnabled(bool enabled) { registrationEnabled_ = enabled; }
    bool isRegistrationEnabled() const { return registrationEnabled_; }

    // Empties both stacks; the state reached is the clean one.
    void removeAllActions();

    // Marks the present state as the saved one. The manager is clean while undo and redo
    // have brought it back to that state; a new step after undoing past it loses it.
    void setClean();
    bool isClean() const;

private:
    struct Group
    {
        std::vector<Action> actions;
        QString name;
        std::uint64_t link = 0;
    };

    void closeOpenGroup();
    void scheduleCheckpoint();
    void notifyCheckpoint();
    void runGroup(Group group, bool asUndo);

    std::vector<Group> undoStack_;
    std::vector<Group> redoStack_;
    Group open_;
    bool implicitOpen_ = false;
    int explicitDepth_ = 0;
    bool undoing_ = false;
    bool redoing_ = false;
    Group* collecting_ = nullptr; // the redo (or undo) step an undo (or redo) is filling
    bool registrationEnabled_ = true;
    long cleanIndex_ = 0; // undo steps at the clean state; -1 once it cannot come back
    bool checkpointScheduled_ = false;
    std::function<void()> checkpointObserver_;
    std::shared_ptr<bool> alive_;
};
