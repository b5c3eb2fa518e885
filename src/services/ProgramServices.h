#pragma once

// Installs every service and hook that the program's libraries reach through a seam: Qt's
// dialogs, the image effects chain, the renderer's pictures for the model, the main
// window's redraws and the barcodes of data rows. Called once by main and by the test programs of windows, so that
// those run the program as a person does.
void installProgramServices();
