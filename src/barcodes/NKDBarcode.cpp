#include "barcodes/NKDBarcode.h"

#include "barcodes/BarcodeSettings.h"
#include "barcodes/BarcodeText.h"

#include <QDataStream>

namespace {

constexpr float defaultBarWidth = 0.936f;
constexpr float defaultHeight = 36.0f;
constexpr float defaultFontSize = 6.0f;
constexpr float pointsPerInch = 72.0f;

} // namespace

NKDBarcode::~NKDBarcode() = default;

void NKDBarcode::initWithContent(const QString& content, bool printsCaption)
{
    initWithContent(content, printsCaption, defaultBarWidth, defaultHeight, defaultFontSize, -1);
}

void NKDBarcode::initWithContent(
    const QString& content, bool printsCaption, float barWidth, float height, float fontSize, int checkDigit)
{
    setContent(content);
    printsCaption_ = printsCaption;
    setBarWidth(barWidth);
    setHeight(height);
    caption_fontSize_ = fontSize;
    calculateWidth();
    setCheckDigit(checkDigit);
}

void NKDBarcode::calculateWidth()
{
    width_ = float(completeBarcode().size()) * barWidth_;
}

bool NKDBarcode::asciiContent(QByteArray& bytes) const
{
    bytes.clear();
    bytes.reserve(content_.size());
    for (const QChar c : content_) {
        if (c.unicode() > 127)
            return false;
        bytes.append(char(c.unicode()));
    }
    return true;
}

bool NKDBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return false;
    for (const char c : bytes) {
        if (_encodeChar(c).empty())
            return false;
    }
    return true;
}

std::string NKDBarcode::_encodeChar(char) const
{
    return "1010";
}

std::string NKDBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    std::string bars;
    for (const char c : bytes)
        bars += _encodeChar(c);
    if (checkDigit_ != -1)
        bars += _encodeChar(char(checkDigit_));
    return bars;
}

std::string NKDBarcode::completeBarcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {}; // content without an ASCII form encodes to nothing
    return initiator() + barcode() + terminator();
}

void NKDBarcode::setCaptionFontSize(float size, const BarcodeSettings& settings)
{
    caption_fontSize_ = size;
    captionHeight_ = bandHeightInches(settings.value_font);
}

void NKDBarcode::setHeaderFontSize(float size, const BarcodeSettings& settings)
{
    header_fontSize_ = size;
    headerHeight_ = bandHeightInches(settings.header_font);
    headerWidth_ = float(measureText(header_, settings.header_font).width());
}

void NKDBarcode::setFooterFontSize(float size, const BarcodeSettings& settings)
{
    footer_fontSize_ = size;
    footerHeight_ = bandHeightInches(settings.footer_font);
    footerWidth_ = float(measureText(footer_, settings.footer_font).width());
}

QString NKDBarcode::leftCaption() const
{
    return content_.left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    return digitsToRight() > 0 ? content_.right(digitsToRight()) : QString();
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0)
        return content_;
    return content_.mid(left, std::max(0, int(content_.size()) - left - right));
}

float NKDBarcode::shownBandsPoints() const
{
    float bands = 0;
    if (printsCaption())
        bands += captionHeight_ * pointsPerInch;
    if (printsHeader())
        bands += headerHeight_ * pointsPerInch;
    if (printsFooter())
        bands += footerHeight_ * pointsPerInch;
    return bands;
}

float NKDBarcode::barBottom(int, const BarcodeSettings&) const
{
    return shownBandsPoints();
}

float NKDBarcode::barTop(int, const BarcodeSettings& settings) const
{
    float top = height_;
    if (printsCaption())
        top -= captionHeight_ * pointsPerInch + settings.value_margin;
    if (printsHeader())
        top -= headerHeight_ * pointsPerInch + settings.header_margin;
    if (printsFooter())
        top -= footerHeight_ * pointsPerInch + settings.footer_margin;
    return top - 2 * settings.TB_margin;
}

QString NKDBarcode::description() const
{
    const auto number = [](float value) { return QString::number(double(value), 'f', 6); };
    const QString check = checkDigit_ == -1 ? QString() : QString(QChar(char16_t(checkDigit_ & 0xff)));
    return QStringLiteral("\n\tBarcode Class: ") + className() + QStringLiteral("\n\tContent: ") + content_
        + QStringLiteral("\n\tCheck Digit:") + check + QStringLiteral("\n\tWidth:") + number(width_)
        + QStringLiteral("\n\tHeight:") + number(height_) + QStringLiteral("\n\tBar Width:") + number(barWidth_)
        + QStringLiteral("\n\tCaption Font Size:") + number(caption_fontSize_) + QStringLiteral("\n\tCaption Height:")
        + number(captionHeight_);
}

std::unique_ptr<NKDBarcode> NKDBarcode::copy() const
{
    std::unique_ptr<NKDBarcode> result = clone();
    // Header and footer belong to one picture, not to the symbol.
    result->footer_.clear();
    result->header_.clear();
    result->printsHeader_ = false;
    result->printsFooter_ = false;
    result->headerHeight_ = result->footerHeight_ = 0;
    result->headerWidth_ = result->footerWidth_ = 0;
    result->header_fontSize_ = result->footer_fontSize_ = 0;
    result->calculateWidth();
    return result;
}

void NKDBarcode::encodeWithCoder(QDataStream& out) const
{
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << content_ << qint8(printsCaption_) << barWidth_ << width_ << height_ << caption_fontSize_ << captionHeight_
        << qint8(checkDigit_);
    encodeKindFields(out);
}

bool NKDBarcode::initWithCoder(QDataStream& in)
{
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    QString content;
    qint8 prints = 0;
    float barWidth = 0;
    float width = 0;
    float height = 0;
    float fontSize = 0;
    float captionHeight = 0;
    qint8 checkDigit = -1;
    in >> content >> prints >> barWidth >> width >> height >> fontSize >> captionHeight >> checkDigit;
    if (in.status() != QDataStream::Ok || content.isNull())
        return false;
    const std::function<void()> storeKindFields = decodeKindFields(in);
    if (!storeKindFields)
        return false;
    setContent(content);
    printsCaption_ = prints != 0;
    barWidth_ = barWidth;
    width_ = width;
    height_ = height;
    caption_fontSize_ = fontSize;
    captionHeight_ = captionHeight;
    checkDigit_ = checkDigit;
    storeKindFields();
    return true;
}
