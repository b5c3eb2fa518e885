#include "barcodewindow/BarcodeHelpTexts.h"

const std::array<BarcodeHelpText, 8> BarcodeHelpTexts = { {
    { "QR_Version_Help_Btn",
        "Version :", "Version is configuration or number of modules (combination of black and white dots)." },
    { "QR_EC_Lvl_Help_Btn", "Error correction (EC) level :",
        "An error-correction mechanism is built in each symbol so that the symbol can still be decoded even if it is "
        "damaged." },
    { "PDF_row_Help_btn", "PDF Rows :", "Number of rows in the PDF barcode." },
    { "PDF_col_Help_btn", "PDF Columns :", "Number of columns in the PDF barcode." },
    { "PDF_ec_lvl_Help_btn", "PDF EC Level :",
        "An error-correction mechanism is built in each symbol so that the symbol can still be decoded even if it is "
        "damaged in PDF barcode." },
    { "DM_format_Help_btn", "Preferred Format :", "Preferred Mode determines the smallest size of the symbol." },
    { "DM_Encoding_Help_btn", "Encoding Mode :", "Encoding Mode is mode of compaction to encode data in the symbol." },
    { "DPI_Help_Label", "DPI (Dots Per Inch) :",
        "Dots per inch is a measure of the resolution of printers in terms of Print Quality.\n\n"
        "Bigger the DPI, Better the Print Quality. But File size of image also increases, as you choose bigger DPI.\n\n"
        "Here barcodes are drawn as shapes, not as dots, so they stay sharp at any size and this choice does not "
        "change them; it is kept with the barcode. The resolution of exported card images is chosen when you "
        "export them." },
} };

const BarcodeHelpText* barcodeHelpText(const QString& button)
{
    for (const BarcodeHelpText& help : BarcodeHelpTexts)
        if (button == QLatin1String(help.button))
            return &help;
    return nullptr;
}
