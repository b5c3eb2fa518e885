#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <string>

struct BarcodeSettings;
class QDataStream;

// A linear barcode: the text to encode, turned into a bar string of '1' (one bar module) and
// '0' (one space module) from the start pattern to the stop pattern, with the sizes, flags
// and caption texts that the painter needs. Geometry is in points, y upwards from the bars'
// bottom line; band heights are in inches.
//
// Objects are made through create() so that the initialisers can call the kinds' own
// operations (a constructor cannot reach them).
class NKDBarcode
{
public:
    virtual ~NKDBarcode();

    // Null content gives no object.
    template <class Kind> static std::unique_ptr<Kind> create(const QString& content, bool printsCaption = true)
    {
        if (content.isNull())
            return nullptr;
        auto barcode = std::unique_ptr<Kind>(new Kind);
        barcode->initWithContent(content, printsCaption);
        return barcode;
    }

    virtual void initWithContent(const QString& content, bool printsCaption);
    // The designated initialiser: bar width and height in points, caption font size, check
    // digit (-1 for none).
    virtual void initWithContent(
        const QString& content, bool printsCaption, float barWidth, float height, float fontSize, int checkDigit);

    void setFooter(const QString& footer) { footer_ = footer; }
    void setHeader(const QString& header) { header_ = header; }
    virtual void setContent(const QString& content) { content_ = content; }
    virtual void setHeight(float height) { height_ = height; }
    void setWidth(float width) { width_ = width; }
    virtual void calculateWidth();
    void setCheckDigit(int checkDigit) { checkDigit_ = checkDigit; }
    // Content one character longer than its data: the last character is the check digit
    // given by the user (verified later); the rest is the content.
    void takeGivenCheckDigit(const QString& content, int dataDigits)
    {
        const char16_t check = content.at(dataDigits).unicode();
        setCheckDigit(check < 128 ? int(check) : -1);
        setContent(content.left(dataDigits));
    }
    void setPrintsCaption(bool prints) { printsCaption_ = prints; }
    void setPrintsHeader(bool prints) { printsHeader_ = prints; }
    void setPrintsFooter(bool prints) { printsFooter_ = prints; }
    virtual void setBarWidth(float barWidth) { barWidth_ = barWidth; }

    QString content() const { return content_; }
    float height() const { return height_; }
    float width() const { return width_; }
    int checkDigit() const { return checkDigit_; }
    virtual bool printsCaption() const { return printsCaption_; }
    virtual bool printsHeader() const { return printsHeader_; }
    virtual bool printsFooter() const { return printsFooter_; }
    float barWidth() const { return barWidth_; }

    virtual bool isSizeValid() const { return true; }
    virtual void generateChecksum() { }
    virtual bool isContentValid() const;
    // Why the content is refused, for the person to mend it; "" when the kind names no reason.
    virtual QString whyContentInvalid() const { return {}; }

    virtual std::string initiator() const { return {}; }
    virtual std::string terminator() const { return {}; }
    // The modules of one character; empty when the kind cannot encode it.
    virtual std::string _encodeChar(char c) const;
    virtual std::string barcode() const;
    std::string completeBarcode() const;

    void setCaptionHeight(float inches) { captionHeight_ = inches; }
    void setHeaderHeight(float inches) { headerHeight_ = inches; }
    void setFooterHeight(float inches) { footerHeight_ = inches; }
    void setHeaderWidth(float points) { headerWidth_ = points; }
    void setFooterWidth(float points) { footerWidth_ = points; }
    float captionHeight() const { return captionHeight_; }
    float headerHeight() const { return headerHeight_; }
    float footerHeight() const { return footerHeight_; }
    float headerWidth() const { return headerWidth_; }
    float footerWidth() const { return footerWidth_; }

    // Each stores the size, then measures with the settings' current font (not with the size).
    void setCaptionFontSize(float size, const BarcodeSettings& settings);
    void setHeaderFontSize(float size, const BarcodeSettings& settings);
    void setFooterFontSize(float size, const BarcodeSettings& settings);
    float caption_fontSize() const { return caption_fontSize_; }
    float header_fontSize() const { return header_fontSize_; }
    float footer_fontSize() const { return footer_fontSize_; }

    // Content characters printed outside the bars on the left and on the right.
    virtual int digitsToLeft() const { return 0; }
    virtual int digitsToRight() const { return 0; }
    virtual QString leftCaption() const;
    virtual QString rightCaption() const;
    QString header() const { return header_; }
    QString footer() const { return footer_; }
    // The printed value; a tab splits it into parts placed separately.
    virtual QString caption() const;

    // Bottom and top of the bar at a module, in points above the bars' bottom line.
    virtual float barBottom(int module, const BarcodeSettings& settings) const;
    virtual float barTop(int module, const BarcodeSettings& settings) const;
    // Four-state bars are painted from their own bottom to their top; other bars from the
    // bars' bottom line.
    virtual bool hasFourStateBars() const { return false; }
    virtual float firstBar() const { return 0; }
    virtual float lastBar() const { return width_ - barWidth_; }

    virtual QString className() const = 0;
    QString description() const;
    bool isEqual(const NKDBarcode& other) const { return content_ == other.content_; }

    // A new object of the same kind that draws the same symbol: everything but the header and
    // footer (texts, flags and their sizes), with its width measured afresh.
    std::unique_ptr<NKDBarcode> copy() const;

    // Content, caption flag, sizes, caption font size and height, check digit and what the kind
    // adds; header and footer are not kept. Reading applies the kind's content rules and fails
    // on bad data.
    void encodeWithCoder(QDataStream& out) const;
    bool initWithCoder(QDataStream& in);

protected:
    NKDBarcode() = default;
    NKDBarcode(const NKDBarcode&) = default;
    NKDBarcode& operator=(const NKDBarcode&) = delete;
    // An exact copy of the whole object, kind fields included.
    virtual std::unique_ptr<NKDBarcode> clone() const = 0;
    // The fields a kind adds to the archive, written after the shared ones. Reading checks them
    // and answers what stores them once the shared fields are in place; nothing on bad data.
    virtual void encodeKindFields(QDataStream&) const { }
    virtual std::function<void()> decodeKindFields(QDataStream&)
    {
        return [] {};
    }

    // The content's ASCII bytes; false when it has a character outside ASCII.
    bool asciiContent(QByteArray& bytes) const;
    // Sum of the band heights shown, in points.
    float shownBandsPoints() const;

private:
    QString footer_;
    QString header_;
    QString content_;
    float height_ = 0;
    float width_ = 0;
    int checkDigit_ = -1;
    bool printsCaption_ = false;
    bool printsHeader_ = false;
    bool printsFooter_ = false;
    float barWidth_ = 0;
    float captionHeight_ = 0;
    float headerHeight_ = 0;
    float footerHeight_ = 0;
    float headerWidth_ = 0;
    float footerWidth_ = 0;
    float caption_fontSize_ = 0;
    float header_fontSize_ = 0;
    float footer_fontSize_ = 0;
};

// Boilerplate of each kind: its name and an exact copy of it.
#define NKD_BARCODE_KIND(Kind)                                                                                         \
public:                                                                                                                \
    QString className() const override                                                                                 \
    {                                                                                                                  \
        return QStringLiteral(#Kind);                                                                                  \
    }                                                                                                                  \
                                                                                                                       \
protected:                                                                                                             \
    std::unique_ptr<NKDBarcode> clone() const override                                                                 \
    {                                                                                                                  \
        return std::make_unique<Kind>(*this);                                                                          \
    }                                                                                                                  \
                                                                                                                       \
private:
