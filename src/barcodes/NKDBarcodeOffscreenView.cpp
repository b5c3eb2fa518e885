#include "barcodes/NKDBarcodeOffscreenView.h"

#include "barcodes/BarcodeText.h"
#include "barcodes/NKDBarcode.h"

#include <QPainter>

#include <vector>

namespace {

constexpr double pointsPerInch = 72.0;
constexpr double headerFooterKerning = 2.0;
constexpr double sideCaptionRise = 3.0;

} // namespace

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const NKDBarcode& barcode, const BarcodeSettings& settings)
    : barcode_(&barcode)
    , settings_(settings)
{
    const double header = barcode.printsHeader() ? barcode.headerWidth() : 0.0;
    const double footer = barcode.printsFooter() ? barcode.footerWidth() : 0.0;
    const double width = std::max({ header, footer, double(barcode.width()) });
    bounds_ = QRectF(0, 0, width, barcode.height());
}

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const Picture& image2d, const BarcodeSettings& settings)
    : settings_(settings)
    , symbol_(image2d)
    , symbolSize_(image2d.size())
    , bounds_(0, 0, settings.width, settings.height)
{ }

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(
    const QImage& image2d, const QSizeF& sizeInPoints, const BarcodeSettings& settings)
    : settings_(settings)
    , symbolImage_(image2d)
    , symbolSize_(sizeInPoints)
    , bounds_(0, 0, settings.width, settings.height)
{ }

QRectF NKDBarcodeOffscreenView::flipped(double x, double y, double width, double height) const
{
    return QRectF(x, bounds_.height() - y - height, width, height);
}

void NKDBarcodeOffscreenView::drawRect(QPainter& painter) const
{
    painter.save();
    if (barcode_)
        paintLinear(painter);
    else
        paintTwoDimensional(painter);
    painter.restore();
}

void NKDBarcodeOffscreenView::paintLinear(QPainter& painter) const
{
    const NKDBarcode& barcode = *barcode_;
    painter.fillRect(bounds_, settings_.bar_back_clr);

    const double caption = barcode.printsCaption() ? barcode.captionHeight() * pointsPerInch : 0.0;
    const double header = barcode.printsHeader() ? barcode.headerHeight() * pointsPerInch : 0.0;
    const double footer = barcode.printsFooter() ? barcode.footerHeight() * pointsPerInch : 0.0;
    const bool captionOnTop = settings_.showinTop_state != 0;
    const double belowFooter = footer + settings_.footer_margin + settings_.TB_margin;
    const double barsBottom = captionOnTop ? belowFooter : caption + settings_.value_margin + belowFooter;

    double lastBarHeight = 0;
    painter.save();
    painter.translate(0, -barsBottom);
    paintBars(painter, lastBarHeight);
    painter.restore();

    if (barcode.printsCaption()) {
        const double captionBase = captionOnTop ? belowFooter + lastBarHeight + settings_.value_margin : belowFooter;
        paintCaption(painter, captionBase);
    }
    if (barcode.printsHeader())
        paintHeader(painter, barcode.header(), bounds_.height() - header - settings_.TB_margin);
    if (barcode.printsFooter())
        paintFooter(painter, barcode.footer());
}

// One filled rectangle per run of bar modules, so that neighbouring modules show no seams,
// all drawn in one call. Drawn relative to the bars' bottom line.
void NKDBarcodeOffscreenView::paintBars(QPainter& painter, double& lastBarHeight) const
{
    const NKDBarcode& barcode = *barcode_;
    const std::string bars = barcode.completeBarcode();
    const double moduleWidth = barcode.barWidth();
    const bool fourState = barcode.hasFourStateBars();
    double x = (bounds_.width() - double(bars.size()) * moduleWidth) / 2;
    int run = 0;

    std::vector<QRectF> runs;
    runs.reserve(bars.size() / 2 + 1);
    const auto addRun = [&](int lastModule) {
        const double top = barcode.barTop(lastModule, settings_);
        const double bottom = fourState ? barcode.barBottom(lastModule, settings_) : 0.0;
        runs.push_back(flipped(x, bottom, run * moduleWidth, top - bottom));
        lastBarHeight = top;
    };
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == '1') {
            ++run;
            if (i + 1 == bars.size())
                addRun(int(i));
            continue;
        }
        if (run > 0)
            addRun(int(i) - 1);
        x += moduleWidth * (run + 1);
        run = 0;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(settings_.barcode_clr);
    painter.drawRects(runs.data(), int(runs.size()));
}

void NKDBarcodeOffscreenView::paintCaption(QPainter& painter, double captionBase) const
{
    const NKDBarcode& barcode = *barcode_;
    const QFont& font = settings_.value_font;
    const QColor& color = settings_.bar_val_clr;
    const double captionLineHeight = lineHeight(font);
    const auto drawAt = [&](double x, double y, const QString& text, double kerning) {
        drawTextAt(painter, flipped(x, y, 0, captionLineHeight).topLeft(), text, font, kerning, color);
    };

    const QString left = barcode.leftCaption();
    if (!left.isEmpty())
        drawAt(barcode.firstBar() * 0.25 + settings_.LR_margin, captionBase + sideCaptionRise, left, 0);

    const QString middle = barcode.caption();
    if (!middle.isEmpty()) {
        const QStringList parts = middle.split(QLatin1Char('\t'));
        const double width = barcode.width();
        const double guard = double(barcode.initiator().size()) * barcode.barWidth();
        const double first = barcode.firstBar();
        if (left.isEmpty() && parts.size() == 1) {
            // Measured only when it is used: shaping the caption costs a good part of a symbol.
            const auto spread = [&] { return (width - measureText(middle, font).width()) / (2.0 * middle.size()); };
            const double kerning = settings_.kerning_value_state == 1 ? 2 * spread() : 2.0;
            drawTextInRect(painter, flipped(0, captionBase, bounds_.width(), captionLineHeight), middle, font, kerning,
                color, Qt::AlignHCenter);
        } else {
            const int count = int(parts.size());
            const double segment = count == 1 ? width - 2 * guard - 2 * first : width / count - guard - first;
            for (int i = 0; i < count; ++i) {
                const QString& part = parts[i];
                if (part.isEmpty())
                    continue;
                const double spread = (segment - measureText(part, font).width()) / (2.0 * part.size());
                const double x = 3 * spread + first + (i + 1) * guard + i * segment + settings_.LR_margin;
                drawAt(x, captionBase, part, 1.3 * spread);
            }
        }
    }

    const QString right = barcode.rightCaption();
    if (!right.isEmpty())
        drawAt(
            barcode.lastBar() + barcode.width() * 0.07 + settings_.LR_margin, captionBase + sideCaptionRise, right, 0);
}

void NKDBarcodeOffscreenView::paintHeader(QPainter& painter, const QString& text, double bottom) const
{
    drawTextInRect(painter, flipped(0, bottom, bounds_.width(), lineHeight(settings_.header_font)), text,
        settings_.header_font, headerFooterKerning, settings_.bar_hdr_clr, alignmentFromWord(settings_.align_hdr_item));
}

void NKDBarcodeOffscreenView::paintFooter(QPainter& painter, const QString& text) const
{
    drawTextInRect(painter, flipped(0, settings_.TB_margin, bounds_.width(), lineHeight(settings_.footer_font)), text,
        settings_.footer_font, headerFooterKerning, settings_.bar_ftr_clr, alignmentFromWord(settings_.align_ftr_item));
}

void NKDBarcodeOffscreenView::paintTwoDimensional(QPainter& painter) const
{
    painter.fillRect(bounds_, Qt::white);
    const double header = settings_.printsHeader ? settings_.headerHeight * pointsPerInch : 0.0;
    const double top = bounds_.height() - header - settings_.TB_margin;
    if (settings_.printsHeader)
        paintHeader(painter, settings_.header, top);

    // The header margin counts even when the header is hidden (the sizing sets it to 0 then).
    const QRectF target = flipped((settings_.width - symbolSize_.width()) / 2,
        top - symbolSize_.height() - settings_.header_margin, symbolSize_.width(), symbolSize_.height());
    if (!symbolImage_.isNull())
        painter.drawImage(target, symbolImage_);
    else
        symbol_.draw(painter, target);

    if (settings_.printsFooter)
        paintFooter(painter, settings_.footer);
}
