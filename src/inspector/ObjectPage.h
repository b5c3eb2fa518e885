#pragma once

#include "model/SKTGraphic.h"

#include <QCheckBox>
#include <QPointer>
#include <QWidget>

// A property page of one kind of card object. The inspector inserts it and asks it to show
// an object's values; the page writes the user's changes back itself.
class ObjectPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Fills the controls from the object; called with the panel guard held and the page's
    // signals blocked by the page itself.
    virtual void load(const SKTGraphic& graphic) { Q_UNUSED(graphic); }
    // Runs after the guard is released: the set-up that follows from the loaded values
    // (a data-source page prepares the controls of the chosen source here).
    virtual void afterFill(const SKTGraphic& graphic) { Q_UNUSED(graphic); }

    // The shared check box (on the alignment page) whose value every page's update writes
    // into print_object: ticked (the object prints) is 0. Partly ticked (a selection of
    // objects that print and objects that do not) leaves each object's own value.
    void setPrintObjectCheck(const QCheckBox* check) { printObjectCheck_ = check; }

protected:
    int printObjectValue(const SKTGraphic& graphic) const
    {
        if (printObjectCheck_ && printObjectCheck_->checkState() == Qt::PartiallyChecked)
            return graphic.print_object;
        return !printObjectCheck_ || printObjectCheck_->isChecked() ? 0 : 1;
    }

private:
    QPointer<const QCheckBox> printObjectCheck_;
};
