#include "services/ProgramServices.h"

#include "barcodes/BarcodeCardFields.h"
#include "jobs/RowApplication.h"
#include "mainwindow/SKTWindowController.h"
#include "model/PictureFile.h"
#include "platform/StraySignals.h"
#include "render/ImageEffectsHook.h"
#include "widgets/QtDialogService.h"

void installProgramServices()
{
    keepRunningThroughStraySignals();
    setDialogService(std::make_unique<QtDialogService>());
    ImageEffectsHook::install();
    SKTWindowController::installModelHooks();
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);
    PictureFile::applyBudgetToReaders();
}
