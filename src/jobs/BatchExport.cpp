#include "jobs/BatchExport.h"

#include "render/SKTRenderingView.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

const QString batchExportFolderName = QStringLiteral("QUON Galavite");
const QString batchFolderFailedMessage = QStringLiteral(
    "Unable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or there is no free space "
    "available in drive to save barcode image.");

QString batchExportFolder(const QString& chosenFolder)
{
    return QDir(chosenFolder).filePath(batchExportFolderName);
}

namespace {

// A card file's name: its number, whether it is a back, and its format's extension.
const QRegularExpression cardFileName(QStringLiteral("^Card_([0-9]+)(_Back)?\\.(png|jpe?g|tiff?|bmp)$"),
    QRegularExpression::CaseInsensitiveOption);

struct CardFileKey
{
    QString number; // without leading zeros, so that a longer one is a larger one
    bool back = false;
    QString name;

    bool operator<(const CardFileKey& other) const
    {
        if (number.size() != other.number.size())
            return number.size() < other.number.size();
        return std::tie(number, back, name) < std::tie(other.number, other.back, other.name);
    }
};

} // namespace

QStringList cardFilesIn(const QString& exportFolder)
{
    std::vector<CardFileKey> found;
    QDirIterator entries(exportFolder, { QStringLiteral("Card_*") }, QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QRegularExpressionMatch match = cardFileName.match(entries.fileName());
        if (!match.hasMatch())
            continue;
        QString number = match.captured(1);
        while (number.size() > 1 && number.front() == u'0')
            number.remove(0, 1);
        found.push_back({ number, match.hasCaptured(2), entries.fileName() });
    }
    std::sort(found.begin(), found.end());
    QStringList cards;
    cards.reserve(qsizetype(found.size()));
    for (const CardFileKey& card : found)
        cards << card.name;
    return cards;
}

QString cardFilesRange(const QStringList& cards)
{
    QStringList formats;
    for (const QString& card : cards) {
        const QString format = card.section(u'.', -1).toUpper();
        if (!formats.contains(format))
            formats << format;
    }
    formats.sort();
    const QString lastFormat = formats.isEmpty() ? QString() : formats.takeLast();
    const QString formatText
        = formats.isEmpty() ? lastFormat : formats.join(QStringLiteral(", ")) + QStringLiteral(" and ") + lastFormat;
    const auto numbered = [](const QString& card) { return cardFileName.match(card).captured(1); };
    const QString first = cards.isEmpty() ? QString() : numbered(cards.constFirst());
    const QString last = cards.isEmpty() ? QString() : numbered(cards.constLast());
    const QString range = first == last ? QStringLiteral("Card_%1").arg(first)
                                        : QStringLiteral("Card_%1 … Card_%2").arg(first, last);
    return QStringLiteral("%1 (%2)").arg(range, formatText);
}

QString batchCardPath(const QString& exportFolder, int row, const QString& extension)
{
    return QDir(exportFolder).filePath(QStringLiteral("Card_%1.%2").arg(row + 1).arg(extension));
}

BatchFolderFiles batchFolderFiles(
    const QString& chosenFolder, const CardExportSettings& settings, int rows, const std::atomic<bool>& stop)
{
    BatchFolderFiles found;
    const QString exportFolder = batchExportFolder(chosenFolder);
    found.earlierCards = cardFilesIn(exportFolder);
    // Every name the run writes is one of those card names, whatever case the file system
    // gives them: a folder without any holds nothing the run would replace.
    if (found.earlierCards.isEmpty())
        return found;
    for (int row = 0; row < rows && !stop; ++row)
        for (const QString& path : cardFilePaths(settings, batchCardPath(exportFolder, row, settings.extension)))
            found.replaced.add(path);
    return found;
}

QString cardsWrittenText(const BatchExportResult& result)
{
    return QStringLiteral("Cards written: %1 of %2. Not written: %3.")
        .arg(result.cardsWritten)
        .arg(result.cardsAsked)
        .arg(result.cardsAsked - result.cardsWritten);
}

CardFiles renderCardFiles(
    const CardSnapshot& card, const CardExportSettings& settings, const QString& path, CardEncodingBuffers* buffers)
{
    const auto render = [&](bool front) {
        return SKTRenderingView::image_From_Card_Graphics(
            front ? card.front : card.back, false, front ? card.frontBase() : card.backBase());
    };
    const auto encode
        = [&](const Picture& picture) { return encodeCardPicture(picture, settings.dpi, settings.extension, buffers); };
    const QStringList paths = cardFilePaths(settings, path);
    if (settings.bothSides()) {
        const Picture back = render(false);
        const Picture front = render(true);
        if (settings.combined)
            return CardFiles { { paths[0], encode(Export_Combined_Image(front, back)) } };
        return CardFiles { { paths[0], encode(back) }, { paths[1], encode(front) } };
    }
    return CardFiles { { paths[0], encode(render(settings.frontOnly())) } };
}

namespace {

// Only the sides written take the row, so only their objects are counted.
RowOutcome applyToSidesWritten(
    const BoundSide& front, const BoundSide& back, const CardExportSettings& settings, int row)
{
    RowOutcome outcome;
    if (settings.bothSides() || settings.frontOnly())
        outcome &= front.apply(row);
    if (!settings.frontOnly())
        outcome &= back.apply(row);
    return outcome;
}

} // namespace

CardProblemRows singleCardProblems(const CardSnapshot& card, const QString& side)
{
    CardExportSettings settings;
    settings.side = side;
    const DataBinding noRows;
    const BoundSide front(card.front, noRows, card.edge(), QStringLiteral("front"));
    const BoundSide back(card.back, noRows, card.edge(), QStringLiteral("back"));
    return CardProblemRows::ofSingleCard(applyToSidesWritten(front, back, settings, 0));
}

namespace {

// Lets rows rendered out of order be written in order, one row at a time.
class WriteTurns
{
public:
    WriteTurns(JobProgress& progress, const std::function<void(int)>& cardWritten, BatchExportResult& result)
        : progress_(progress)
        , cardWritten_(cardWritten)
        , result_(result)
    { }

    // Waits for the row's turn and writes its files; false when the run is over.
    bool write(int row, const CardFiles& files)
    {
        std::unique_lock lock(mutex_);
        // The Stop button is not a notifier: look at it now and then while waiting. A card
        // rendered while the person decides whether to stop waits for the answer.
        while (!over_ && (next_ != row || progress_.held) && !progress_.stopRequested)
            turn_.wait_for(lock, std::chrono::milliseconds(20));
        if (over_ || progress_.stopRequested) {
            endLocked();
            return false;
        }
        QStringList sidesWritten;
        for (const auto& [path, bytes] : files) {
            QString error;
            if (!writeCardFile(path, bytes, &error, CardFileUse::OneOfMany)) {
                // A card is its sides together: those of it written just now go with the one
                // that failed, so no half card is left beside the cards counted as written.
                for (const QString& side : std::as_const(sidesWritten))
                    QFile::remove(side);
                result_.outcome = BatchExportResult::Outcome::WriteFailed;
                result_.failedPath = path;
                result_.error = error;
                endLocked();
                return false;
            }
            sidesWritten << path;
        }
        ++next_;
        result_.cardsWritten = next_;
        progress_.done = next_;
        if (cardWritten_)
            cardWritten_(row);
        turn_.notify_all();
        return true;
    }

    bool over()
    {
        std::lock_guard lock(mutex_);
        return over_;
    }

private:
    void endLocked()
    {
        over_ = true;
        turn_.notify_all();
    }

    JobProgress& progress_;
    const std::function<void(int)>& cardWritten_;
    BatchExportResult& result_;
    std::mutex mutex_;
    std::condition_variable turn_;
    int next_ = 0;
    bool over_ = false;
};

} // namespace

BatchExportResult Export_Batch_File(
    const BatchExportRequest& request, JobProgress& progress, const std::function<void(int row)>& cardWritten)
{
    BatchExportResult result;
    result.exportFolder = batchExportFolder(request.folder);
    progress.done = 0;
    const DataBinding& binding = *request.binding;
    const int total = binding.Total_Batch_Excel_Card;
    result.cardsAsked = total;
    progress.total = total;
    std::error_code made;
    std::filesystem::create_directories(QFile::encodeName(result.exportFolder).toStdString(), made);
    if (made || !QFileInfo(result.exportFolder).isDir()) {
        result.outcome = BatchExportResult::Outcome::FolderFailed;
        result.error = made ? QString::fromStdString(made.message())
                            : QString::fromLocal8Bit(std::strerror(ENOTDIR));
        return result;
    }

    WriteTurns turns(progress, cardWritten, result);
    CardProblems problems;
    std::atomic<int> nextRow { 0 };
    const CardExportSettings& settings = request.settings;
    const auto work = [&] {
        // Each worker changes and draws only its own clone of the card.
        const CardSnapshot card = request.snapshot.clone();
        const BoundSide front(card.front, binding, card.edge(), QStringLiteral("front"));
        const BoundSide back(card.back, binding, card.edge(), QStringLiteral("back"));
        CardEncodingBuffers buffers;
        for (;;) {
            if (!progress.mayContinue() || turns.over())
                return;
            const int row = nextRow++;
            if (row >= total)
                return;
            const RowOutcome outcome = applyToSidesWritten(front, back, settings, row);
            const QString path = batchCardPath(result.exportFolder, row, settings.extension);
            if (!turns.write(row, renderCardFiles(card, settings, path, &buffers)))
                return;
            problems.add(row, outcome);
        }
    };

    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int workers = std::clamp(request.workers > 0 ? request.workers : cores, 1, std::max(1, total));
    std::vector<std::thread> threads;
    for (int i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();

    if (result.outcome == BatchExportResult::Outcome::Finished && result.cardsWritten < total)
        result.outcome = BatchExportResult::Outcome::Stopped;
    result.problems = problems.summary();
    return result;
}
