#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The current barcode settings: what the barcode classes and the painter read while they
// measure and draw. A plain record, so that a worker (batch export, printing) can render
// from its own copy; the barcode window fills it from its controls.
struct BarcodeSettings
{
    BarcodeSettings();

    // Fonts of the value caption, the header and the footer (point sizes).
    QFont value_font;
    QFont header_font;
    QFont footer_font;

    // Colours of the bars, the background, the caption, the header and the footer.
    QColor barcode_clr = Qt::black;
    QColor bar_back_clr = Qt::white;
    QColor bar_val_clr = Qt::black;
    QColor bar_hdr_clr = Qt::black;
    QColor bar_ftr_clr = Qt::black;

    // Margins in points: bars to caption, header, footer, left/right, top/bottom.
    float value_margin = 0.1f;
    float header_margin = 0.1f;
    float footer_margin = 0.1f;
    float LR_margin = 0.1f;
    float TB_margin = 0.1f;

    // Alignment words of the header and footer: "Center", "Left" or "Right".
    QString align_hdr_item = QStringLiteral("Center");
    QString align_ftr_item = QStringLiteral("Center");
    // Check-box states: caption above the bars (non-zero), single caption spread (exactly 1).
    int showinTop_state = 0;
    int kerning_value_state = 0;

    // The current two-dimensional picture: its value, texts, shown parts and overall size.
    QString content; // null until a value is set
    QString header;
    QString footer;
    float height = 0; // points, texts and margins included
    float width = 0;
    bool printsCaption = false;
    bool printsHeader = false;
    bool printsFooter = false;
    float caption_fontSize = 0;
    float header_fontSize = 0;
    float footer_fontSize = 0;
    float captionHeight = 0; // band heights in inches
    float headerHeight = 0;
    float footerHeight = 0;
    float headerWidth = 0; // measured text widths in points
    float footerWidth = 0;

    QString caption() const { return content; }

    // Each stores the size, then measures with the current font (not with the size):
    // band height 1.35 x cap height; header and footer also measure their stored text.
    // Set the text before the size.
    void setCaptionFontSize(float size);
    void setHeaderFontSize(float size);
    void setFooterFontSize(float size);
};
