#pragma once

#include "model/SKTGraphic.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The objects a change on the object pages may alter, every value of each kept in a clone.
// Undo puts them back; what differs from the clones names the step in the Edit menu.
class ObjectSettingsState
{
public:
    static ObjectSettingsState of(const QList<SKTGraphicPtr>& graphics);
    // The objects, in the order taken.
    QList<SKTGraphicPtr> graphics() const;
    // Gives each object back every value it had when the state was taken.
    void restore() const;
    // What the objects' values now differ in, as the Undo command names it: one setting by
    // its name, several as "Changes"; none when nothing changed.
    std::optional<QString> changeName() const;

    // The name of a change of a text's words alone.
    static QString typingName();

private:
    std::vector<std::pair<SKTGraphicPtr, SKTGraphicPtr>> saved_; // the object, its clone
};
