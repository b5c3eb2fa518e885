#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

#include <condition_variable>
#include <mutex>

// Decoded pictures kept by key and handed out as shared copies (QImage shares its pixels), so
// that many objects, both sides and every batch worker showing one picture hold its pixels
// once. The pixels of the pictures kept stay within a byte budget: a picture nobody else holds
// any more is let go to make room, and one that would still not fit is refused. Safe to use
// from any thread.
class SharedImages
{
public:
    explicit SharedImages(qint64 budgetBytes);

    // The picture kept under key; a null image when there is none.
    QImage find(const QString& key);
    // The picture kept under key, for a thread that would make it when there is none: one
    // thread at a time makes a key's picture, so that it is decoded (and its room set aside)
    // once. Waits while another thread holds the key's claim. A null image means the caller
    // now holds the claim, and must end it with endClaim once it has kept the picture or
    // given up.
    QImage findOrClaim(const QString& key);
    void endClaim(const QString& key);
    // Keeps image under key and returns the picture now kept there (one kept meanwhile by
    // another thread wins). A null image, with the reason, when it does not fit the budget.
    // The bytes reserved for it, if any, are given back first.
    QImage keep(const QString& key, const QImage& image, QString* error = nullptr, qint64 reserved = 0);
    // Sets bytes aside for a picture about to be decoded, so that pictures decoded at once on
    // several threads stay within the budget together, and one that cannot fit is refused
    // before its pixels are made. False, with the reason, when they do not fit.
    bool reserve(qint64 bytes, QString* error = nullptr);
    void unreserve(qint64 bytes);

    // Bytes of the pictures kept.
    qint64 bytesKept() const;
    // How many pictures keep has refused so far.
    quint64 refusals() const;
    qint64 budget() const;
    void setBudget(qint64 bytes);
    void clear();
    // Lets go of every picture that nobody else holds.
    void releaseUnused();

    // Why a picture of size decoded bytes is refused by a limit it passes alone.
    static QString aloneOverLimit(qint64 size, qint64 limit);

private:
    struct Entry
    {
        QImage image;
        quint64 lastUse = 0;
    };
    // Lets go of the least recently used pictures that nobody else holds until needed more
    // bytes fit; whether they now do.
    bool makeRoom(qint64 needed);
    QString refusal(qint64 size) const;
    QImage foundLocked(const QString& key);

    mutable std::mutex mutex_;
    QHash<QString, Entry> entries_;
    qint64 budget_;
    qint64 bytes_ = 0;
    qint64 reserved_ = 0;
    quint64 uses_ = 0;
    quint64 refusals_ = 0;
    QSet<QString> claims_; // keys whose pictures are being made
    std::condition_variable claimEnded_;
};
