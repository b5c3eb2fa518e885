#pragma once

#include <QEvent>
#include <QWidget>

#include <functional>

// Runs an action whenever a window is shown, inside show(): a sheet shown before its worker
// starts is answered before the worker could race it.
class OnShow : public QObject
{
public:
    OnShow(QWidget& window, std::function<void()> action)
        : action_(std::move(action))
    {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            action_();
        return false;
    }

private:
    std::function<void()> action_;
};
