// Links one function of each widget-free library, so that linking this program without Qt
// Widgets proves none of them needs it; the layering test then reads its loaded libraries.
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/NKDBarcode.h"
#include "data/CellReference.h"
#include "images/ImageRotation.h"
#include "jobs/CardSnapshot.h"
#include "mailing/PauseText.h"
#include "model/Card_Property.h"
#include "platform/PngEncoder.h"
#include "render/CardUnits.h"

int main()
{
    const QImage image = ImageRotation::imageRotated(QImage(2, 2, QImage::Format_RGB32), 90);
    const bool linked = Card_Property::create() && !encodePngFast(image).isEmpty()
        && createLinearBarcode(QStringLiteral("Code 39"), QStringLiteral("A"), true)
        && ColumnNumber_To_Name(1) == QStringLiteral("A") && MM_to_Points_Convert(0) == 0
        && CardSnapshot().clone().front.isEmpty() && !pauseText(0).isEmpty();
    return linked ? 0 : 1;
}
