#pragma once

#include "inspector/ObjectPage.h"

#include <QList>

class QAction;
class QCheckBox;
class QGridLayout;

// The layout commands for the selection (alignment, same size, natural size, grid) and
// whether the selected objects print.
class AlignmentPage : public ObjectPage
{
    Q_OBJECT

public:
    explicit AlignmentPage(QWidget* parent = nullptr);

    // One button per command, two to a row, in the order given.
    void setCommands(const QList<QAction*>& commands);
    void load(const SKTGraphic& graphic) override;
    // Ticked when all of the selected objects print, clear when none does, partly ticked
    // for a mix.
    void showPrinting(qsizetype printing, qsizetype selected);

    QCheckBox* print_object_chk = nullptr;

signals:
    // The user turned printing of the selected objects on or off.
    void printObjectToggled(int value);

private:
    QGridLayout* buttons_ = nullptr;
};
