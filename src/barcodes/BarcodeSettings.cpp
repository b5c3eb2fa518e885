#include "barcodes/BarcodeSettings.h"

#include "barcodes/BarcodeText.h"

namespace {

const QString defaultFontFamily = QStringLiteral("Times New Roman");
constexpr int defaultFontPoints = 10;

} // namespace

BarcodeSettings::BarcodeSettings()
    : value_font(defaultFontFamily, defaultFontPoints)
    , header_font(defaultFontFamily, defaultFontPoints)
    , footer_font(defaultFontFamily, defaultFontPoints)
{ }

void BarcodeSettings::setCaptionFontSize(float size)
{
    caption_fontSize = size;
    captionHeight = bandHeightInches(value_font);
}

void BarcodeSettings::setHeaderFontSize(float size)
{
    header_fontSize = size;
    headerHeight = bandHeightInches(header_font);
    headerWidth = float(measureText(header, header_font).width());
}

void BarcodeSettings::setFooterFontSize(float size)
{
    footer_fontSize = size;
    footerHeight = bandHeightInches(footer_font);
    footerWidth = float(measureText(footer, footer_font).width());
}
