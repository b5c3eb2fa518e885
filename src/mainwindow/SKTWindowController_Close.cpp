#include "mainwindow/SKTWindowController.h"

#include "common/MessageBoxes.h"
#include "model/CardGlobals.h"

#include <QCloseEvent>

bool SKTWindowController::hasUnsavedChanges() const
{
    return unsavedEdits_ || !document_->undoManager().isClean();
}

void SKTWindowController::setUnsavedEdits(bool edited)
{
    unsavedEdits_ = edited;
    if (!edited)
        document_->undoManager().setClean();
    updateModifiedMark();
}

void SKTWindowController::updateModifiedMark()
{
    setWindowModified(hasUnsavedChanges());
}

bool SKTWindowController::Exit_App()
{
    if (!hasUnsavedChanges())
        return true;
    if (!Show_YES_NO_MessageBox(QStringLiteral("Do you want to save changes before closing?")))
        return true;
    // A cancelled save dialog or a failed write keeps the program and the design.
    return Save_project_file(false, false);
}

void SKTWindowController::closeEvent(QCloseEvent* event)
{
    if (Exit_App())
        event->accept();
    else
        event->ignore();
}
