#include "common/StringHelpers.h"

namespace {

bool isWhitespaceOrNewline(QChar c)
{
    return c.isSpace();
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

template <typename Predicate>
QString trimBothEnds(const QString& text, Predicate strip)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && strip(text.at(begin)))
        ++begin;
    while (end > begin && strip(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool isReservedFileNameChar(QChar c)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    return reserved.contains(c);
}

// Negative indexes read as huge unsigned numbers, so they lie past every string.
bool liesPastEnd(const QString& text, int index)
{
    return static_cast<unsigned long>(static_cast<long>(index)) > static_cast<unsigned long>(text.size());
}

} // namespace

QString Trim_Str(const QString& text)
{
    return trimBothEnds(trimBothEnds(text, isWhitespaceOrNewline), isControl);
}

QString Remove_Reserve_Char_In_File_Name(const QString& text)
{
    return Trim_Str(trimBothEnds(text, isReservedFileNameChar));
}

QString Replace_Char_For_valid(const QString& text)
{
    return Trim_Str(text);
}

QString Replace_char_in_string(const QString& text, const QString& target, const QString& replacement)
{
    if (target.isEmpty())
        return text;
    QString result = text;
    return result.replace(target, replacement, Qt::CaseSensitive);
}

bool Find_Str(const QString& text, const QString& sub)
{
    return !sub.isEmpty() && text.contains(sub, Qt::CaseSensitive);
}

bool Find_Str_Case_Insensitive(const QString& text, const QString& sub)
{
    if (text.isNull() || sub.isNull() || sub.isEmpty())
        return false;
    return text.contains(sub, Qt::CaseInsensitive);
}

QString Left_Str_substringToIndex(const QString& text, int count)
{
    count = std::max(count, 0);
    return count < text.size() ? text.left(count) : text;
}

QString Right_Str_substringFromIndex(const QString& text, int count)
{
    count = std::max(count, 0);
    return count >= text.size() ? text : text.right(count);
}

QString Read_Str_FromIndex(const QString& text, int index)
{
    return liesPastEnd(text, index) ? QString(QLatin1String("")) : text.mid(index);
}

QString Read_Str_Upto_Index(const QString& text, int index)
{
    return liesPastEnd(text, index) ? QString(QLatin1String("")) : text.left(index);
}

QString oneLineCut(const QString& text, qsizetype characters)
{
    const QString line = text.simplified();
    return line.size() <= characters ? line : line.left(characters) + QStringLiteral("…");
}

qint64 lineNumberAt(QStringView text, qsizetype at)
{
    const QStringView before = text.first(at);
    return before.count(u'\n') + before.count(u'\r') - before.count(u"\r\n") + 1;
}

QString capitalisedWords(const QString& text)
{
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return result;
}

QString withReason(const QString& message, const QString& reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

QString asSentence(const QString& reason)
{
    QString sentence = reason.trimmed();
    if (!sentence.isEmpty()) {
        sentence[0] = sentence[0].toUpper();
        if (!sentence.endsWith(u'.') && !sentence.endsWith(u'!') && !sentence.endsWith(u'?'))
            sentence += u'.';
    }
    return sentence;
}
