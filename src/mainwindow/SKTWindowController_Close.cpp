#include "mainwindow/SKTWindowController.h"

#include "dialogs/Review_Form.h"
#include "mainwindow/MainMailHost.h"
#include "model/CardGlobals.h"

#include <QCloseEvent>

bool SKTWindowController::hasUnsavedChanges() const
{
    return unsavedEdits_ || !document_->isUndoClean();
}

void SKTWindowController::setUnsavedEdits(bool edited)
{
    unsavedEdits_ = edited;
    if (!edited)
        document_->setUndoClean();
    updateModifiedMark();
}

void SKTWindowController::updateModifiedMark()
{
    setWindowModified(hasUnsavedChanges());
}

bool SKTWindowController::Exit_App()
{
    // Cancel, a cancelled save dialog or a failed write keeps the program and the design.
    if (!saveChangesFirst(QStringLiteral("Do you want to save changes before closing?"), false))
        return false;
    Review_Form review(this);
    review.Open_Review_Form_Window();
    return true;
}

void SKTWindowController::closeEvent(QCloseEvent* event)
{
    // A mail run ends first (within moments); the window is closed again after it.
    if (mailHost_ && mailHost_->stopRunBeforeClosing()) {
        event->ignore();
        return;
    }
    if (Exit_App()) {
        designLock_.release();
        event->accept();
    } else {
        event->ignore();
    }
}
