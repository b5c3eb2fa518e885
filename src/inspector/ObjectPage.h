#pragma once

#include "model/SKTGraphic.h"

#include <QWidget>

// A property page of one kind of card object. The inspector inserts it and asks it to show
// an object's values; the page writes the user's changes back itself.
class ObjectPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Fills the controls from the object; called with the panel guard held.
    virtual void load(const SKTGraphic& graphic) { Q_UNUSED(graphic); }
};
