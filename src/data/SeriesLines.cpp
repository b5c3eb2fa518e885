#include "data/SeriesLines.h"

#include "common/StringHelpers.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

// Bytes of UTF-8 that one UTF-16 code unit can give at most.
constexpr qsizetype utf8PerUnit = 3;

const QString oddUtf16 = QStringLiteral(
    "it begins as UTF-16 text but holds an odd number of bytes after its mark, so its last character is cut short");

bool hasLoneSurrogate(QStringView text)
{
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            ++at;
        else if (text[at].isSurrogate())
            return true;
    }
    return false;
}

} // namespace

SeriesLines::SeriesLines(QIODevice& file, qsizetype room)
    : file_(file)
    , room_(room)
    , buffer_(2 * room + 16, Qt::Uninitialized)
{ }

bool SeriesLines::failWith(const QString& why)
{
    why_ = why;
    return false;
}

qsizetype SeriesLines::findLineEnd(int* length) const
{
    const char* from = buffer_.constData() + start_;
    const size_t count = size_t(end_ - start_);
    const auto* feed = static_cast<const char*>(std::memchr(from, '\n', count));
    const auto* carriage = static_cast<const char*>(std::memchr(from, '\r', feed ? size_t(feed - from) : count));
    if (!carriage) {
        *length = 1;
        return feed ? feed - buffer_.constData() : -1;
    }
    const qsizetype at = carriage - buffer_.constData();
    if (at + 1 < end_) {
        *length = buffer_.at(at + 1) == '\n' ? 2 : 1;
        return at;
    }
    *length = 1;
    return atEnd_ ? at : -1;
}

bool SeriesLines::fill()
{
    std::memmove(buffer_.data(), buffer_.constData() + start_, size_t(end_ - start_));
    end_ -= start_;
    start_ = 0;
    if (!started_) {
        // The byte-order mark tells UTF-16 text; the mark of UTF-8 is dropped.
        started_ = true;
        char mark[3];
        qint64 got = file_.read(mark, 2);
        if (got == 2 && (std::memcmp(mark, "\xFF\xFE", 2) == 0 || std::memcmp(mark, "\xFE\xFF", 2) == 0)) {
            utf16_.emplace(mark[0] == '\xFF' ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                QStringDecoder::Flag::ConvertInitialBom);
            // Judged now, not at the end, so that a read of the first lines refuses it as a
            // read of all of them does.
            if (!file_.isSequential() && (file_.size() - file_.pos()) % 2 != 0)
                return failWith(oddUtf16);
            return true;
        }
        const qint64 third = got == 2 ? file_.read(mark + 2, 1) : 0;
        if (got < 0 || third < 0)
            return failWith(file_.errorString());
        got += third;
        if (got < 3 || std::memcmp(mark, "\xEF\xBB\xBF", 3) != 0) {
            std::memcpy(buffer_.data() + end_, mark, size_t(got));
            end_ += got;
        }
        atEnd_ = got == 0;
        return true;
    }
    if (!utf16_) {
        const qint64 read = file_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (read < 0)
            return failWith(file_.errorString());
        end_ += read;
        atEnd_ = read == 0;
        return true;
    }
    // As much UTF-16 as fits in the room left once it is UTF-8, with a held surrogate.
    const qsizetype units = std::max<qsizetype>(1, (buffer_.size() - end_) / utf8PerUnit - 2);
    raw_.resize(units * 2);
    const qint64 read = file_.read(raw_.data(), raw_.size());
    if (read < 0)
        return failWith(file_.errorString());
    rawRead_ += read;
    atEnd_ = read == 0;
    QString text = pendingHigh_ + QString(utf16_->decode(QByteArrayView(raw_.constData(), read)));
    pendingHigh_.clear();
    // Half of a pair may end this block; its other half starts the next.
    if (!atEnd_ && !text.isEmpty() && text.back().isHighSurrogate()) {
        pendingHigh_ = text.back();
        text.chop(1);
    }
    if (atEnd_ && rawRead_ % 2 != 0)
        return failWith(oddUtf16);
    if (hasLoneSurrogate(text))
        return failWith(QStringLiteral("it begins as UTF-16 text but holds a part that is not"));
    const QByteArray utf8 = text.toUtf8();
    std::memcpy(buffer_.data() + end_, utf8.constData(), size_t(utf8.size()));
    end_ += utf8.size();
    return true;
}

SeriesLines::Read SeriesLines::next()
{
    // The rest of a line too long to keep is passed over only when a later line is asked for:
    // a read that stops at it reads no further.
    if (unfinished_ && !passOverLine(nullptr))
        return Read::Failed;
    for (;;) {
        int length = 0;
        if (const qsizetype at = findLineEnd(&length); at >= 0) {
            line_ = QByteArrayView(buffer_.constData() + start_, at - start_);
            taken_ += at + length - start_;
            start_ = at + length;
            return line_.size() <= room_ ? Read::Line : Read::TooLong;
        }
        // It goes on past the room for a value (and a carriage return that may end it).
        if (end_ - start_ > room_ + 1) {
            line_ = QByteArrayView(buffer_.constData() + start_, end_ - start_);
            unfinished_ = true;
            return Read::TooLong;
        }
        if (atEnd_) {
            line_ = QByteArrayView(buffer_.constData() + start_, end_ - start_);
            taken_ += line_.size();
            start_ = end_;
            // Only the final line end starts no line.
            if (line_.isEmpty())
                return Read::End;
            return line_.size() <= room_ ? Read::Line : Read::TooLong;
        }
        if (!fill())
            return Read::Failed;
    }
}

bool SeriesLines::passOverLine(const std::function<bool(QByteArrayView)>* write)
{
    for (;;) {
        int length = 0;
        const qsizetype at = findLineEnd(&length);
        // A carriage return last in what was read may be the line's end: it waits for more.
        const bool held = at < 0 && !atEnd_ && end_ > start_ && buffer_.at(end_ - 1) == '\r';
        const qsizetype stop = at >= 0 ? at : end_ - (held ? 1 : 0);
        if (write && stop > start_ && !(*write)(QByteArrayView(buffer_.constData() + start_, stop - start_)))
            return false;
        taken_ += (at >= 0 ? at + length : stop) - start_;
        start_ = at >= 0 ? at + length : stop;
        if (at >= 0 || atEnd_) {
            unfinished_ = false;
            return true;
        }
        if (!fill())
            return false;
    }
}

bool SeriesLines::copyTooLong(const std::function<bool(QByteArrayView)>& write)
{
    return unfinished_ ? passOverLine(&write) : write(line_);
}

std::optional<QString> seriesLineValue(QByteArrayView line)
{
    // Only the file's own byte-order mark is dropped (by SeriesLines): one starting a later
    // line is part of its value, as when the file is read whole.
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(line);
    if (decoder.hasError() || text.contains(QChar(0)))
        return std::nullopt;
    return Trim_Str(text);
}

QString nulCharacterClause(qint64 line)
{
    return QStringLiteral("line %1 holds a NUL character, which no value holds").arg(line);
}

QString nulCharacterReason(const QString& path, qint64 line)
{
    return QStringLiteral("\"%1\" is not text in UTF-8 or UTF-16: %2 (text in UTF-16 without the byte-order mark at "
                          "its start is full of them, and is not guessed at). Save it as UTF-8 text")
        .arg(path, nulCharacterClause(line));
}
