#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QTimer>

UndoManager::UndoManager()
    : alive_(std::make_shared<bool>(true))
{ }

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(Action inverse)
{
    if (!registrationEnabled_ || !inverse)
        return;
    if (collecting_) {
        collecting_->actions.push_back(std::move(inverse));
        return;
    }
    if (explicitDepth_ == 0 && !implicitOpen_) {
        implicitOpen_ = true;
        scheduleCheckpoint();
    }
    open_.actions.push_back(std::move(inverse));
    if (cleanIndex_ > long(undoStack_.size()))
        cleanIndex_ = -1;
    redoStack_.clear();
}

void UndoManager::beginGroup()
{
    if (explicitDepth_ == 0)
        closeOpenGroup();
    ++explicitDepth_;
    notifyCheckpoint();
}

void UndoManager::endGroup()
{
    if (explicitDepth_ == 0)
        return;
    if (--explicitDepth_ == 0)
        closeOpenGroup();
    notifyCheckpoint();
}

void UndoManager::checkpoint()
{
    checkpointScheduled_ = false;
    if (explicitDepth_ == 0)
        closeOpenGroup();
    notifyCheckpoint();
}

void UndoManager::setCheckpointObserver(std::function<void()> observer)
{
    checkpointObserver_ = std::move(observer);
}

void UndoManager::setActionName(const QString& name)
{
    (collecting_ ? collecting_ : &open_)->name = name;
}

void UndoManager::runAsStep(const QString& name, const std::function<void()>& change)
{
    beginGroup();
    change();
    setActionName(name);
    endGroup();
}

QString UndoManager::undoActionName() const
{
    if (!open_.actions.empty())
        return open_.name;
    return undoStack_.empty() ? QString() : undoStack_.back().name;
}

QString UndoManager::redoActionName() const
{
    return redoStack_.empty() ? QString() : redoStack_.back().name;
}

void UndoManager::setStepLink(std::uint64_t link)
{
    (collecting_ ? collecting_ : &open_)->link = link;
}

std::uint64_t UndoManager::undoStepLink() const
{
    // As undo() goes: the implicit group is closed first, an explicit one is not taken back.
    if (explicitDepth_ == 0 && !open_.actions.empty())
        return open_.link;
    return undoStack_.empty() ? 0 : undoStack_.back().link;
}

std::uint64_t UndoManager::redoStepLink() const
{
    return redoStack_.empty() ? 0 : redoStack_.back().link;
}

bool UndoManager::canUndo() const
{
    return !undoStack_.empty() || !open_.actions.empty();
}

bool UndoManager::canRedo() const
{
    return !redoStack_.empty();
}

void UndoManager::undo()
{
    if (explicitDepth_ == 0)
        closeOpenGroup();
    if (undoStack_.empty() || undoing_ || redoing_)
        return;
    Group group = std::move(undoStack_.back());
    undoStack_.pop_back();
    runGroup(std::move(group), true);
}

void UndoManager::redo()
{
    if (explicitDepth_ == 0)
        closeOpenGroup();
    if (redoStack_.empty() || undoing_ || redoing_)
        return;
    Group group = std::move(redoStack_.back());
    redoStack_.pop_back();
    runGroup(std::move(group), false);
}

void UndoManager::removeAllActions()
{
    undoStack_.clear();
    redoStack_.clear();
    open_ = {};
    implicitOpen_ = false;
    cleanIndex_ = 0;
}

void UndoManager::setClean()
{
    if (explicitDepth_ == 0)
        closeOpenGroup();
    cleanIndex_ = long(undoStack_.size());
}

bool UndoManager::isClean() const
{
    return open_.actions.empty() && long(undoStack_.size()) == cleanIndex_;
}

void UndoManager::closeOpenGroup()
{
    implicitOpen_ = false;
    if (!open_.actions.empty())
        undoStack_.push_back(std::move(open_));
    open_ = {};
}

void UndoManager::scheduleCheckpoint()
{
    // The implicit group lasts for one turn of the event loop, like one user action.
    if (checkpointScheduled_ || !QCoreApplication::instance())
        return;
    checkpointScheduled_ = true;
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, QCoreApplication::instance(), [this, alive] {
        if (alive.lock() && checkpointScheduled_)
            checkpoint();
    });
}

void UndoManager::notifyCheckpoint()
{
    if (checkpointObserver_)
        checkpointObserver_();
}

void UndoManager::runGroup(Group group, bool asUndo)
{
    // The step that takes this one back goes by the same name.
    Group inverse { {}, group.name, group.link };
    (asUndo ? undoing_ : redoing_) = true;
    collecting_ = &inverse;
    notifyCheckpoint();
    // Inverse operations run last-registered first.
    for (auto it = group.actions.rbegin(); it != group.actions.rend(); ++it)
        (*it)();
    notifyCheckpoint();
    collecting_ = nullptr;
    (asUndo ? undoing_ : redoing_) = false;
    if (!inverse.actions.empty())
        (asUndo ? redoStack_ : undoStack_).push_back(std::move(inverse));
}
