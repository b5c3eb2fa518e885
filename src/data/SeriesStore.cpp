#include "data/SeriesStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "data/SeriesKeptLines.h"
#include "data/SpreadsheetWriter.h"
#include "data/ValueEstimate.h"
#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"
#include "platform/SizeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <vector>

const QString batch_file_EXT = QStringLiteral("txt");

namespace {

// One value per line, whatever line breaks the value holds.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

bool isSeriesNameSafe(const QString& name)
{
    return isOneFileName(name);
}

QString cleanSeriesName(const QString& typed)
{
    return Remove_Reserve_Char_In_File_Name(typed);
}

QString seriesFilePath(const QString& name)
{
    return QDir(Data_Folder_Path).filePath(name + QLatin1Char('.') + batch_file_EXT);
}

bool seriesExists(const QString& name)
{
    return isSeriesNameSafe(name) && QFileInfo(seriesFilePath(name)).isFile();
}

QStringList seriesNames()
{
    return fileBaseNamesIn(Data_Folder_Path);
}

ValueEstimate estimateSeriesLines(const QByteArray& bytes)
{
    ValueEstimate estimate;
    if (bytes.isEmpty())
        return estimate;
    // Counted in one quick sweep, so that refusing even the largest file holds no window long.
    const qint64 lineEnds = std::count(bytes.cbegin(), bytes.cend(), '\n');
    const qint64 lines = bytes.endsWith('\n') ? lineEnds : lineEnds + 1;
    estimate.addMany(lines, bytes.size() - lineEnds);
    return estimate;
}

namespace {

// No series, with the reason given to whoever asked for one.
std::nullopt_t refuseWith(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

// The lines of an open series file, one at a time, read in blocks with at most the longest
// value and its line end kept of a line: the rest of a longer line is passed over, never kept.
class SeriesLines
{
public:
    enum class Read
    {
        Line, // line() holds it, without its line end
        TooLong, // longer than a value can be; passed over
        End,
        Failed
    };

    explicit SeriesLines(QFile& file)
        : file_(file)
        , buffer_(2 * room, Qt::Uninitialized)
    { }

    Read next()
    {
        // The rest of a line too long to keep is passed over only when a later line is asked
        // for: a read that stops at it reads no further.
        while (unfinished_) {
            if (const char* lineEnd = findLineEnd()) {
                start_ = lineEnd - buffer_.constData() + 1;
                unfinished_ = false;
            } else {
                start_ = end_;
                if (atEnd_)
                    return Read::End;
                if (!fill())
                    return Read::Failed;
            }
        }
        bool ended = false;
        for (;;) {
            if (const char* lineEnd = findLineEnd()) {
                line_ = QByteArrayView(buffer_.constData() + start_, lineEnd - buffer_.constData() - start_);
                start_ += line_.size() + 1;
                ended = true;
                break;
            }
            if (end_ - start_ > room) {
                // It goes on past the room for a value.
                start_ = end_;
                unfinished_ = true;
                first_ = false;
                return Read::TooLong;
            }
            if (atEnd_) {
                line_ = QByteArrayView(buffer_.constData() + start_, end_ - start_);
                start_ = end_;
                break;
            }
            if (!fill())
                return Read::Failed;
        }
        if (first_ && line_.startsWith("\xEF\xBB\xBF"))
            line_ = line_.sliced(3);
        first_ = false;
        // Only the final line end starts no line.
        if (!ended && line_.isEmpty())
            return Read::End;
        return (line_.endsWith('\r') ? line_.size() - 1 : line_.size()) <= maxSeriesValueBytes ? Read::Line
                                                                                               : Read::TooLong;
    }

    QByteArrayView line() const { return line_; }
    // The bytes of the file taken as lines so far.
    qint64 consumed() const { return read_ - (end_ - start_); }

private:
    static constexpr qsizetype room = maxSeriesValueBytes + 5; // a value, a byte-order mark and "\r\n"

    const char* findLineEnd() const
    {
        return static_cast<const char*>(std::memchr(buffer_.constData() + start_, '\n', size_t(end_ - start_)));
    }

    // Moves what is left to the front and reads more after it; false on a read error.
    bool fill()
    {
        std::memmove(buffer_.data(), buffer_.constData() + start_, size_t(end_ - start_));
        end_ -= start_;
        start_ = 0;
        const qint64 read = file_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (read < 0)
            return false;
        end_ += read;
        read_ += read;
        atEnd_ = read == 0;
        return true;
    }

    QFile& file_;
    QByteArray buffer_;
    qsizetype start_ = 0, end_ = 0; // the bytes read and not yet taken
    qint64 read_ = 0;
    bool atEnd_ = false;
    QByteArrayView line_;
    bool first_ = true;
    bool unfinished_ = false; // the last line taken was too long: its rest is still to come
};

// The value of a line by the reading rule; none when it is not UTF-8.
std::optional<QString> lineValue(QByteArrayView line)
{
    // Only the file's own byte-order mark is dropped (by SeriesLines): one starting a later
    // line is part of its value, as when the file is read whole.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(line);
    if (decoder.hasError())
        return std::nullopt;
    return Trim_Str(text);
}

// What the values of a file's lines would take, counted in blocks before any is made, and how
// many lines there are. A line longer than a value can be counts as the empty value it gives.
ValueEstimate estimateSeriesFile(QFile& file, qint64 fileBytes, qint64* lines)
{
    qint64 characters = 0;
    qint64 line = 0; // bytes of the line so far
    QByteArray block(1 << 20, Qt::Uninitialized);
    *lines = 0;
    for (qint64 left = fileBytes; left > 0;) {
        const qint64 read = file.read(block.data(), std::min<qint64>(left, block.size()));
        if (read <= 0)
            break;
        left -= read;
        for (const char* at = block.constData(), *end = at + read; at < end;) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
            line += (lineEnd ? lineEnd : end) - at;
            if (!lineEnd)
                break;
            characters += line <= maxSeriesValueBytes + 1 ? line : 0;
            ++*lines;
            line = 0;
            at = lineEnd + 1;
        }
    }
    if (line > 0) {
        characters += line <= maxSeriesValueBytes + 1 ? line : 0;
        ++*lines;
    }
    ValueEstimate estimate;
    estimate.addMany(*lines, characters);
    return estimate;
}

} // namespace

std::optional<SeriesRows> readSeriesFile(const QString& name, QString* reason)
{
    if (!isSeriesNameSafe(name))
        return refuseWith(reason, QStringLiteral("\"%1\" is not a series name").arg(name));
    const QString path = seriesFilePath(name);
    QFile file;
    if (!SafeRead::openRegularFile(file, path) || file.size() > SafeRead::maxTextBytes)
        return refuseWith(reason, QStringLiteral("\"%1\" cannot be read").arg(path));
    qint64 lines = 0;
    if (const QString refusal = estimateSeriesFile(file, file.size(), &lines).refusal(path, file.size());
        !refusal.isEmpty())
        return refuseWith(reason, refusal);
    if (!file.seek(0))
        return refuseWith(reason, QStringLiteral("\"%1\" cannot be read").arg(path));
    SeriesRows rows;
    rows.values.reserve(lines);
    SeriesLines reader(file);
    // No more lines than were counted, should another program add to the file meanwhile.
    while (rows.values.size() < lines) {
        switch (reader.next()) {
        case SeriesLines::Read::Line:
            if (std::optional<QString> value = lineValue(reader.line()))
                rows.values.append(std::move(*value));
            else
                return refuseWith(reason, QStringLiteral("\"%1\" is not UTF-8 text").arg(path));
            break;
        case SeriesLines::Read::TooLong:
            rows.tooLong.append(int(rows.values.size()));
            rows.values.append(QString());
            break;
        case SeriesLines::Read::End:
            return rows;
        case SeriesLines::Read::Failed:
            return refuseWith(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, file.errorString()));
        }
    }
    return rows;
}

std::optional<SeriesHead> readSeriesHead(const QString& name)
{
    // A missing series is common (a design from elsewhere) and not worth a line in the log.
    if (!seriesExists(name))
        return std::nullopt;
    QFile file;
    if (!SafeRead::openRegularFile(file, seriesFilePath(name)) || file.size() > SafeRead::maxTextBytes)
        return std::nullopt;
    SeriesHead head;
    SeriesLines reader(file);
    for (int lines = 0; !head.holdsAValue; ++lines) {
        if (lines > maxBlankLinesBeforeValue) {
            head.cutShort
                = QStringLiteral("more than %1 empty lines come before its first value").arg(maxBlankLinesBeforeValue);
            return head;
        }
        if (reader.consumed() > maxSeriesHeadBytes) {
            head.cutShort = QStringLiteral("more than %1 of empty lines come before its first value")
                                .arg(sizeText(maxSeriesHeadBytes));
            return head;
        }
        switch (reader.next()) {
        case SeriesLines::Read::End:
            return head;
        case SeriesLines::Read::Failed:
            return std::nullopt;
        case SeriesLines::Read::TooLong:
            head.cutShort = QStringLiteral("line %1 is longer than a value can be (%2)")
                                .arg(lines + 1)
                                .arg(sizeText(maxSeriesValueBytes));
            return head;
        case SeriesLines::Read::Line:
            break;
        }
        const std::optional<QString> value = lineValue(reader.line());
        if (!value)
            return std::nullopt;
        if (lines == 0)
            head.firstValue = *value;
        head.holdsAValue = !value->isEmpty();
    }
    return head;
}

QString firstSeriesValue(const QString& name)
{
    return readSeriesHead(name).value_or(SeriesHead()).firstValue;
}

bool writeSeriesFile(
    const QString& path, const QStringList& values, bool trimValues, QString* reason, const SeriesKept& kept)
{
    QString keptWhy;
    const auto fill = [&](QIODevice& file) {
        QByteArray line;
        auto keptRow = kept.rows.cbegin();
        for (qsizetype row = 0; row < values.size(); ++row) {
            if (keptRow != kept.rows.cend() && keptRow->first == row) {
                if (!kept.lines || !kept.lines->copyLine(keptRow->second, file, &keptWhy) || !file.putChar('\n'))
                    return false;
                ++keptRow;
                continue;
            }
            line = oneLine(trimValues ? Trim_Str(values.at(row)) : values.at(row)).toUtf8();
            line.append('\n');
            if (file.write(line) != line.size())
                return false;
        }
        return true;
    };
    QString why;
    if (!writeFileChecked(path, fill, &why)) {
        if (!keptWhy.isEmpty())
            why = keptWhy;
        Show_NSLog_Message(QStringLiteral("Cannot write \"%1\": %2").arg(path, why));
        if (reason)
            *reason = why;
        return false;
    }
    return true;
}

SeriesSaveResult saveSeries(const SeriesSaveRequest& request, QString* savedName, QString* reason)
{
    const QString name = cleanSeriesName(request.typedName);
    if (!isSeriesNameSafe(name))
        return SeriesSaveResult::Failed;
    const QString& old = request.oldName;
    const auto boundToDesign = [&](const QString& series) { return request.inUse && request.inUse(series); };
    bool rename = false;
    if (seriesExists(name) && name != old) {
        // Replacing another series; the opened one keeps its file.
        if (boundToDesign(name))
            return SeriesSaveResult::InUse;
        if (!request.confirmReplace || !request.confirmReplace())
            return SeriesSaveResult::Declined;
    } else if (!old.isEmpty() && name != old && seriesExists(old)) {
        // A rename would leave a bound object without its series.
        if (boundToDesign(old))
            return SeriesSaveResult::RenameInUse;
        rename = true;
    }
    bool written = false;
    const auto write
        = [&] { written = writeSeriesFile(seriesFilePath(name), request.values, true, reason, request.kept); };
    if (request.runWriting)
        request.runWriting(write);
    else
        write();
    if (!written)
        return SeriesSaveResult::Failed;
    if (rename) {
        QFile::remove(seriesFilePath(old));
        setSeriesOrigin(name, seriesOrigin(old));
        setSeriesOrigin(old, QString());
    }
    if (savedName)
        *savedName = name;
    return SeriesSaveResult::Saved;
}

bool deleteSeries(const QString& name)
{
    if (!isSeriesNameSafe(name) || !QFile::remove(seriesFilePath(name)))
        return false;
    setSeriesOrigin(name, QString());
    return true;
}

namespace {

QString seriesOriginPath(const QString& name)
{
    const QString folder = QDir::cleanPath(Data_Folder_Path) + QStringLiteral(" Origins");
    return QDir(folder).filePath(name + QLatin1Char('.') + batch_file_EXT);
}

constexpr qint64 maxOriginBytes = 64 * 1024;

} // namespace

QString seriesOrigin(const QString& name)
{
    QByteArray bytes;
    if (!isSeriesNameSafe(name) || !QFileInfo::exists(seriesOriginPath(name))
        || !SafeRead::readRegularFile(seriesOriginPath(name), maxOriginBytes, bytes))
        return QString();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString folder = QString(decoder.decode(bytes)).trimmed();
    // Written by us as one full path; anything else is not ours to follow.
    return !decoder.hasError() && QDir::isAbsolutePath(folder) && !folder.contains(QLatin1Char('\n'))
        ? QDir::cleanPath(folder)
        : QString();
}

bool setSeriesOrigin(const QString& name, const QString& folder)
{
    if (!isSeriesNameSafe(name))
        return false;
    const QString path = seriesOriginPath(name);
    if (folder.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return writeFileChecked(path, QDir::cleanPath(QFileInfo(folder).absoluteFilePath()).toUtf8() + '\n');
}

bool exportSeriesWorkbook(const QString& path, const QStringList& values, QString* reason)
{
    SheetTable table;
    table.reserve(values.size() + 1);
    table.append(QStringList { QStringLiteral("Batch Value") });
    for (const QString& value : values)
        table.append(QStringList { value });
    if (SpreadsheetWriter::WriteWorkbook(path, table, false))
        return true;
    Show_NSLog_Message(SpreadsheetWriter::lastError());
    if (reason)
        *reason = SpreadsheetWriter::lastError();
    return false;
}

bool exportSeriesText(const QString& path, const QStringList& values, QString* reason, const SeriesKept& kept)
{
    return writeSeriesFile(path, values, false, reason, kept);
}
