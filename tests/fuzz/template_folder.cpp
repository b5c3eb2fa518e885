// A templates or pictures folder anyone may have filled, walked as the template browser and the
// picture library do: what is listed is there, of its kind, once; nothing blocks or reads past its cap.
#include "data/TemplateStore.h"
#include "library/PictureFolder.h"
#include "library/ThumbnailLoader.h"

#include "FuzzApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Builds a small tree under root: names of any bytes, nesting, links good, dangling and looping,
// FIFOs, files of the input's bytes or of any size (sparse), never made through a link.
void build(const uint8_t* data, size_t size, const QByteArray& root)
{
    size_t taken = 0;
    const auto byte = [&] { return taken < size ? data[taken++] : uint8_t(0); };
    const auto bytes = [&](size_t count) {
        count = std::min(count, size - taken);
        taken += count;
        return QByteArray(reinterpret_cast<const char*>(data + taken - count), qsizetype(count));
    };
    static const char* const suffixes[] = { "", ".png", ".PNG", ".jpg", ".Jpg", ".jpeg", ".dcard", ".png.dcard" };
    static const qint64 sizes[] = { 0, 1, 70 * 1024, qint64(256) * 1024 * 1024 + 1, qint64(3) << 30 };
    std::vector<QByteArray> made { root }, folders { root };
    while (taken < size && made.size() < 40) {
        const uint8_t op = byte() % 9;
        QByteArray name = bytes(byte() % 12).replace('/', '_').replace('\0', '_') + suffixes[byte() % 8];
        const QByteArray path
            = folders.back() + '/' + (name.isEmpty() || name == "." || name == ".." ? 'n' + name : name);
        const char* const at = path.constData();
        if (op <= 1) { // a file of the input's bytes, or of a size (sparse)
            const uint8_t count = byte();
            const QByteArray content = op == 0 ? bytes(count) : QByteArray();
            if (const int fd = ::open(at, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); fd >= 0) {
                [[maybe_unused]] const ssize_t written = ::write(fd, content.constData(), size_t(content.size()));
                ::close(fd);
            }
            if (op == 1)
                ::truncate(at, sizes[count % 5]);
        } else if (op == 2 && folders.size() < 5 && ::mkdir(at, 0700) == 0)
            folders.push_back(path);
        else if (op == 3 && folders.size() > 1)
            folders.pop_back();
        else if (op == 4) // a link to something made before, by its full path
            ::symlink(made[byte() % made.size()].constData(), at);
        else if (op == 5) // a link relative to its folder: to the folder itself or the one above
            ::symlink(byte() % 2 ? "." : "..", at);
        else if (op == 6 || op == 7) // a link to nothing, or to itself
            ::symlink(op == 6 ? "nowhere" : at, at);
        else if (op == 8)
            ::mkfifo(at, 0600);
        if (op != 3)
            made.push_back(path);
    }
}

// Every listed picture's thumbnail is read.
void walk(const QString& folder)
{
    QStringList pictures;
    for (const MyImageObject& item : pictureItemsInFolder(folder))
        pictures.append(item.image_Name == QFileInfo(item.path).fileName() ? item.path : QString());
    for (const QStringList& paths : { TemplateStore::previewsIn(folder), pictures }) {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const QFileInfo info(paths[i]);
            const QString suffix = info.suffix().toLower();
            if (!info.isFile() || (suffix != QLatin1String("png") && suffix != QLatin1String("jpg"))
                || QFileInfo(info.absolutePath()).canonicalFilePath() != QFileInfo(folder).canonicalFilePath()
                || (i > 0 && !(paths[i - 1] < paths[i]))
                || QFileInfo(TemplateStore::designPathFor(paths[i])).absolutePath() != info.absolutePath())
                std::abort();
            ThumbnailLoader::readThumbnail(paths[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication();
    // The tree goes before the folder does: its links would stop the folder's own removal.
    static const struct Scratch
    {
        QTemporaryDir folder { QDir::tempPath() + QStringLiteral("/fuzz-template-folder-XXXXXX") };
        QByteArray root = QFile::encodeName(folder.filePath(QStringLiteral("Templates")));
        mutable std::error_code ignored;
        void clear() const { std::filesystem::remove_all(root.constData(), ignored); }
        ~Scratch() { clear(); }
    } scratch;
    scratch.clear();
    if (::mkdir(scratch.root.constData(), 0700) != 0)
        return 0;
    build(data, size, scratch.root);

    const QString folder = QFile::decodeName(scratch.root);
    walk(folder);
    for (const QString& name : subfolderNames(folder)) {
        if (name == QLatin1String(".") || name == QLatin1String("..") || !QFileInfo(folder + '/' + name).isDir())
            std::abort();
        walk(folder + '/' + name);
    }
    walk(folder + QStringLiteral("/User"));
    return 0;
}
