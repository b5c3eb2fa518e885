#include "data/RtfReader.h"

#include "common/StringHelpers.h"

#include <QByteArrayList>
#include <QHash>
#include <QStringDecoder>

#include <memory>
#include <vector>

namespace {

// What a group inherits from the one around it.
struct GroupState
{
    bool skipped = false; // a destination whose text is not the document's
    int unicodeSkip = 1; // characters standing in for each \uN
};

class RtfParser
{
public:
    explicit RtfParser(const QByteArray& bytes)
        : in_(bytes)
    {
        setCodePage(1252);
    }

    std::optional<QString> run()
    {
        if (!in_.startsWith("{\\rtf"))
            return std::nullopt;
        while (pos_ < in_.size() && nulAt_ < 0) {
            const char c = in_.at(pos_++);
            if (c == '{') {
                flushBytes();
                groups_.push_back(groups_.empty() ? GroupState {} : groups_.back());
            } else if (c == '}') {
                flushBytes();
                if (groups_.empty())
                    return std::nullopt;
                groups_.pop_back();
                if (groups_.empty())
                    break; // text after the document's group is not part of it
            } else if (groups_.empty()) {
                return std::nullopt;
            } else if (c == '\\') {
                controlSequence();
            } else if (c != '\r' && c != '\n') {
                character(c);
            }
        }
        if (!groups_.empty() || nulAt_ >= 0)
            return std::nullopt;
        flushBytes();
        return text_;
    }

    // The line of the file where the text's NUL character stands; 0 when it holds none.
    qint64 nulLine() const { return nulAt_ < 0 ? 0 : lineNumberAt(QString::fromLatin1(in_.first(nulAt_ + 1)), nulAt_); }

private:
    GroupState& group() { return groups_.back(); }

    // A character of the document's text, or one of the \uN's stand-ins being skipped.
    void character(char c)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (group().skipped)
            return;
        if (c == '\0')
            nulAt_ = pos_ - 1; // the reading stops here
        bytes_.append(c);
    }

    void put(const QString& s)
    {
        flushBytes();
        if (!group().skipped)
            text_.append(s);
    }

    // Bytes in the document's code page become text only when a whole run of them is known,
    // so that a character of several bytes is decoded in one piece.
    void flushBytes()
    {
        if (bytes_.isEmpty())
            return;
        text_.append(decoder_ && decoder_->isValid() ? (*decoder_)(bytes_) : QString::fromLatin1(bytes_));
        bytes_.clear();
    }

    void setCodePage(int page)
    {
        flushBytes();
        decoder_ = std::make_unique<QStringDecoder>(
            QStringLiteral("windows-%1").arg(page).toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (!decoder_->isValid())
            decoder_ = std::make_unique<QStringDecoder>(QStringConverter::Latin1);
    }

    void controlSequence()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_.at(pos_);
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLetter(in_.at(pos_)) && pos_ - start < 32)
            ++pos_;
        const QByteArray word = in_.mid(start, pos_ - start);
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_.at(pos_) == '-') {
            negative = true;
            ++pos_;
        }
        for (int digits = 0; pos_ < in_.size() && isDigit(in_.at(pos_)); ++pos_) {
            if (++digits <= 10)
                parameter = parameter * 10 + (in_.at(pos_) - '0');
            hasParameter = true;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_.at(pos_) == ' ')
            ++pos_;
        controlWord(word, hasParameter, parameter);
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            const QByteArray hex = in_.mid(pos_, 2);
            pos_ += hex.size();
            bool ok = false;
            const int value = hex.toInt(&ok, 16);
            if (ok)
                character(char(value));
        } else if (c == '*') {
            flushBytes();
            group().skipped = true;
        } else if (c == '~') {
            put(QString(QChar(0x00A0)));
        } else if (c == '_') {
            put(QString(QChar(0x2011)));
        } else if (c == '\\' || c == '{' || c == '}') {
            character(c);
        } else if (c == '\r' || c == '\n') {
            put(QStringLiteral("\n")); // an escaped line end is a paragraph
        }
        // Other symbols (the optional hyphen "\-", formula "\|", ...) carry no text.
    }

    void controlWord(const QByteArray& word, bool hasParameter, long long parameter)
    {
        if (pendingSkip_ > 0 && word != "bin") {
            --pendingSkip_; // a control word may be a \uN's stand-in too
            return;
        }
        static const QByteArrayList skippedDestinations { "fonttbl", "colortbl", "stylesheet", "info", "pict",
            "listtable", "listoverridetable" };
        if (skippedDestinations.contains(word)) {
            flushBytes();
            group().skipped = true;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            put(QStringLiteral("\n"));
        } else if (word == "tab" || word == "cell") {
            put(QStringLiteral("\t"));
        } else if (word == "uc" && hasParameter) {
            group().unicodeSkip = int(qBound(0LL, parameter, 16LL));
        } else if (word == "u" && hasParameter) {
            unicode(parameter);
        } else if (word == "ansicpg" && hasParameter) {
            setCodePage(int(qBound(0LL, parameter, 99999LL)));
        } else if (word == "bin" && hasParameter) {
            pos_ += qBound(0LL, parameter, qint64(in_.size() - pos_)); // binary data is never text
        } else if (const QChar symbol = symbolWords().value(word); !symbol.isNull()) {
            put(QString(symbol));
        }
    }

    void unicode(long long parameter)
    {
        // Values above 32767 are written as negative numbers.
        const char32_t code = char32_t(parameter < 0 ? parameter + 65536 : parameter);
        if (code >= 0xD800 && code <= 0xDBFF) {
            flushBytes();
            highSurrogate_ = QChar(char16_t(code));
        } else if (code >= 0xDC00 && code <= 0xDFFF && !highSurrogate_.isNull()) {
            put(QString(highSurrogate_) + QChar(char16_t(code)));
            highSurrogate_ = QChar();
        } else if (code > 0 && code <= 0xFFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
            put(QString(QChar(char16_t(code))));
        }
        pendingSkip_ = group().unicodeSkip;
    }

    // Control words that stand for one typographic character.
    static const QHash<QByteArray, QChar>& symbolWords()
    {
        static const QHash<QByteArray, QChar> words { { "emdash", QChar(0x2014) }, { "endash", QChar(0x2013) },
            { "bullet", QChar(0x2022) }, { "lquote", QChar(0x2018) }, { "rquote", QChar(0x2019) },
            { "ldblquote", QChar(0x201C) }, { "rdblquote", QChar(0x201D) } };
        return words;
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<GroupState> groups_;
    QString text_;
    QByteArray bytes_;
    std::unique_ptr<QStringDecoder> decoder_;
    int pendingSkip_ = 0;
    QChar highSurrogate_;
    qsizetype nulAt_ = -1; // where a NUL character of the text stands in the file
};

} // namespace

std::optional<QString> rtfPlainText(const QByteArray& bytes, qint64* nulLine)
{
    RtfParser parser(bytes);
    std::optional<QString> text = parser.run();
    if (nulLine)
        *nulLine = parser.nulLine();
    return text;
}
