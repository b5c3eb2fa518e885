#include "platform/SharedImages.h"

#include "platform/SizeText.h"

#include <algorithm>
#include <vector>

namespace {

qint64 megabytes(qint64 bytes)
{
    return (bytes + 1024 * 1024 - 1) / (1024 * 1024);
}

} // namespace

SharedImages::SharedImages(qint64 budgetBytes)
    : budget_(budgetBytes)
{ }

QImage SharedImages::find(const QString& key)
{
    std::lock_guard lock(mutex_);
    return foundLocked(key);
}

QImage SharedImages::findOrClaim(const QString& key)
{
    std::unique_lock lock(mutex_);
    claimEnded_.wait(lock, [&] { return !claims_.contains(key); });
    QImage found = foundLocked(key);
    if (found.isNull())
        claims_.insert(key);
    return found;
}

void SharedImages::endClaim(const QString& key)
{
    {
        std::lock_guard lock(mutex_);
        claims_.remove(key);
    }
    claimEnded_.notify_all();
}

QImage SharedImages::foundLocked(const QString& key)
{
    const auto found = entries_.find(key);
    if (found == entries_.end())
        return {};
    found->lastUse = ++uses_;
    return found->image;
}

QImage SharedImages::keep(const QString& key, const QImage& image, QString* error, qint64 reserved)
{
    std::lock_guard lock(mutex_);
    reserved_ -= reserved;
    if (image.isNull())
        return image;
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
        found->lastUse = ++uses_;
        return found->image;
    }
    const qint64 size = image.sizeInBytes();
    if (!makeRoom(size)) {
        ++refusals_;
        if (error)
            *error = refusal(size);
        return {};
    }
    entries_.insert(key, Entry { image, ++uses_ });
    bytes_ += size;
    return image;
}

bool SharedImages::reserve(qint64 bytes, QString* error)
{
    std::lock_guard lock(mutex_);
    if (!makeRoom(bytes)) {
        ++refusals_;
        if (error)
            *error = refusal(bytes);
        return false;
    }
    reserved_ += bytes;
    return true;
}

void SharedImages::unreserve(qint64 bytes)
{
    std::lock_guard lock(mutex_);
    reserved_ -= bytes;
}

QString SharedImages::aloneOverLimit(qint64 size, qint64 limit)
{
    // Rounded up and the limit down, so that the two never read as the same.
    return QStringLiteral("This picture alone would take %1 MB once decoded, more than the limit of %2.")
        .arg(megabytes(size))
        .arg(sizeText(limit));
}

QString SharedImages::refusal(qint64 size) const
{
    if (size > budget_)
        return aloneOverLimit(size, budget_);
    // Pictures still being decoded count as in use.
    return QStringLiteral("The pictures in use already take %1 MB once decoded; this one (%2 MB) would pass the "
                          "limit of %3 MB.")
        .arg(megabytes(bytes_ + reserved_))
        .arg(megabytes(size))
        .arg(megabytes(budget_));
}

bool SharedImages::makeRoom(qint64 needed)
{
    needed += reserved_;
    if (bytes_ + needed <= budget_)
        return true;
    struct Unused
    {
        quint64 lastUse;
        QString key;
        qint64 size;
    };
    std::vector<Unused> unused;
    qint64 freeable = 0;
    for (auto entry = entries_.cbegin(); entry != entries_.cend(); ++entry) {
        // Detached: this copy is the only one, so letting it go frees its pixels.
        if (entry->image.isDetached()) {
            unused.push_back({ entry->lastUse, entry.key(), entry->image.sizeInBytes() });
            freeable += unused.back().size;
        }
    }
    if (bytes_ - freeable + needed > budget_)
        return false;
    std::sort(unused.begin(), unused.end(), [](const Unused& a, const Unused& b) { return a.lastUse < b.lastUse; });
    for (const Unused& entry : unused) {
        if (bytes_ + needed <= budget_)
            break;
        entries_.remove(entry.key);
        bytes_ -= entry.size;
    }
    return true;
}

qint64 SharedImages::bytesKept() const
{
    std::lock_guard lock(mutex_);
    return bytes_;
}

quint64 SharedImages::refusals() const
{
    std::lock_guard lock(mutex_);
    return refusals_;
}

qint64 SharedImages::budget() const
{
    std::lock_guard lock(mutex_);
    return budget_;
}

void SharedImages::setBudget(qint64 bytes)
{
    std::lock_guard lock(mutex_);
    budget_ = bytes;
}

void SharedImages::clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
    bytes_ = 0;
}

void SharedImages::releaseUnused()
{
    std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (entry->image.isDetached()) {
            bytes_ -= entry->image.sizeInBytes();
            entry = entries_.erase(entry);
        } else {
            ++entry;
        }
    }
}
