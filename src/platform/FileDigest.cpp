#include "platform/FileDigest.h"

#include "platform/SafeRead.h"

#include <QFile>

#include <openssl/evp.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>

namespace {

// OpenSSL's SHA-256 uses the processor's SHA instructions where it has them: about ten times
// Qt's own on a large workbook.
struct Sha256
{
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context { EVP_MD_CTX_new(), &EVP_MD_CTX_free };

    bool start() { return context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) == 1; }
    bool add(const char* data, qint64 size) { return EVP_DigestUpdate(context.get(), data, size_t(size)) == 1; }
    QByteArray result()
    {
        QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
        unsigned int size = 0;
        if (EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char*>(digest.data()), &size) != 1)
            return {};
        digest.resize(size);
        return digest;
    }
};

// Hashes what `read` gives into a buffer until it gives nothing; unknown on an error or Stop.
FileDigest digestOf(const std::function<qint64(char*, qint64)>& read, const std::atomic<bool>* stop)
{
    Sha256 hash;
    if (!hash.start())
        return {};
    QByteArray buffer(qsizetype(1) << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (stop && stop->load())
            return {};
        const qint64 got = read(buffer.data(), buffer.size());
        if (got < 0)
            return {};
        if (got == 0)
            break;
        if (!hash.add(buffer.constData(), got))
            return {};
        total += got;
    }
    const QByteArray sha256 = hash.result();
    if (sha256.size() != 32)
        return {};
    return { total, sha256 };
}

} // namespace

FileDigest FileDigest::of(const QString& path, const std::atomic<bool>* stop)
{
    QFile file;
    if (!SafeRead::openRegularFile(file, path))
        return {};
    return digestOf([&file](char* data, qint64 size) { return file.read(data, size); }, stop);
}

FileDigest FileDigest::ofOpenFile(int descriptor, qint64 bytes, const std::atomic<bool>* stop)
{
    if (descriptor < 0 || bytes < 0)
        return {};
    qint64 at = 0;
    return digestOf(
        [&](char* data, qint64 size) -> qint64 {
            for (;;) {
                const ssize_t got = ::pread(descriptor, data, size_t(std::min(size, bytes - at)), off_t(at));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got > 0)
                    at += got;
                // A file cut short since it was opened has lost bytes that were read.
                return got == 0 && at < bytes ? -1 : qint64(got);
            }
        },
        stop);
}

FileDigest FileDigest::fromHex(qint64 bytes, const QString& hex)
{
    const bool isHex = hex.size() == 64 && std::all_of(hex.cbegin(), hex.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    });
    if (bytes < 0 || !isHex)
        return {};
    return { bytes, QByteArray::fromHex(hex.toLatin1()) };
}
