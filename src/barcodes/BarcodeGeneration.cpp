#include "barcodes/BarcodeGeneration.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodePictures.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/BarcodeSymbols2D.h"
#include "barcodes/BarcodeValueRules.h"
#include "barcodes/TwoDimensionalCapacity.h"
#include "common/Logging.h"

#include <algorithm>
#include <exception>

namespace {

Picture drawSymbol(const QString& title, const QString& value, const BarcodeGenSettings& settings)
{
    if (title == QLatin1String("QR Code"))
        return Draw_QR_Barcode(value, settings);
    if (title == QLatin1String("PDF417"))
        return Draw_PDF_417_Barcode(value, settings);
    if (title == QLatin1String("DataMatrix"))
        return Draw_DataMatrix_Barcode(value, settings);
    return {};
}

void generateTwoDimensional(BarcodeGeneration& result, const BarcodeGenSettings& settings, const QString& value,
    const QString& header, const QString& footer)
{
    BarcodeSettings& render = result.render;
    render.content = value;
    render.header = header;
    render.footer = footer;
    render.printsCaption = settings.Get_Print_State();
    render.printsHeader = settings.printsHeader();
    render.printsFooter = settings.printsFooter();
    render.setCaptionFontSize(float(render.value_font.pointSizeF()));
    render.setHeaderFontSize(float(render.header_font.pointSizeF()));
    render.setFooterFontSize(float(render.footer_font.pointSizeF()));

    result.symbol = drawSymbol(settings.symbologyTitle(), value, settings);
    if (result.symbol.isNull())
        return;
    Set_2d_Barcode_Size(result.symbol.size(), settings, render);
    result.picture = imageFromBarcodeImage(result.symbol, render);
}

void generateLinear(BarcodeGeneration& result, const BarcodeGenSettings& settings, const QString& value,
    const QString& header, const QString& footer)
{
    const bool printsCaption = settings.Get_Print_State();
    std::unique_ptr<NKDBarcode> barcode = createLinearBarcode(settings.symbologyTitle(), value, printsCaption);
    if (!barcode || !barcode->isContentValid())
        return;
    barcode->setHeader(header);
    barcode->setFooter(footer);
    barcode->setPrintsCaption(printsCaption);
    barcode->setPrintsHeader(settings.printsHeader());
    barcode->setPrintsFooter(settings.printsFooter());
    barcode->setBarWidth(Mils_To_Points(settings.linear_width_val));
    const BarcodeSettings& render = result.render;
    barcode->setCaptionFontSize(float(render.value_font.pointSizeF()), render);
    barcode->setHeaderFontSize(float(render.header_font.pointSizeF()), render);
    barcode->setFooterFontSize(float(render.footer_font.pointSizeF()), render);
    Set_Barcode_Height(*barcode, settings);
    barcode->calculateWidth();
    barcode->setWidth(Set_Linear_Barcode_Width(*barcode, settings));
    result.picture = imageFromBarcode(*barcode, render);
    result.barcode = std::move(barcode);
}

} // namespace

BarcodeGeneration Generate_Barcode_Variable(
    const BarcodeGenSettings& settings, const QString& value, const QString& header, const QString& footer)
{
    BarcodeGeneration result;
    if (value.isEmpty())
        return result;
    try {
        result.render = settings.renderSettings();
        if (settings.isTwoDimensional())
            generateTwoDimensional(result, settings, value, header, footer);
        else
            generateLinear(result, settings, value, header, footer);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return BarcodeGeneration();
    }
    return result;
}

QString whyValueIsRefused(const BarcodeGenSettings& settings, const QString& value)
{
    if (value.isEmpty())
        return {};
    if (!settings.isTwoDimensional()) {
        const std::unique_ptr<NKDBarcode> barcode
            = createLinearBarcode(settings.symbologyTitle(), value, settings.Get_Print_State());
        if (const QString own = barcode ? barcode->whyContentInvalid() : QString(); !own.isEmpty())
            return own;
    } else if (isValidBarcodeValue(value)) {
        if (const QString tooLong = whyTwoDimensionalValueIsTooLong(settings, value); !tooLong.isEmpty())
            return tooLong;
    }
    return whatBarcodeKindTakes(settings.barcode_font_index);
}

Picture Get_Image_From_Val(
    const BarcodeGenSettings& settings, const QString& value, const QString& header, const QString& footer)
{
    return Generate_Barcode_Variable(settings, value, header, footer).picture;
}

bool isValidBarcodeValue(const QString& value)
{
    if (value.isEmpty())
        return false;
    return std::all_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 128; });
}
