// A templates or pictures folder that anyone may have filled: the input builds a small tree
// (names of any bytes, nesting, links into the tree, dangling and looping links, FIFOs, files
// of small content or of any size, sparse) and the walks run over it as the template browser
// and the picture library do, then read every listed picture's thumbnail. What is listed is
// there to open, of the kind the walk lists, and once; nothing blocks or reads past its cap.
#include "data/TemplateStore.h"
#include "library/PictureFolder.h"
#include "library/ThumbnailLoader.h"

#include "FuzzApplication.h"

#include <QByteArray>
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

class Input
{
public:
    Input(const uint8_t* data, size_t size)
        : data_(data)
        , size_(size)
    { }
    bool done() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    QByteArray bytes(size_t count)
    {
        count = std::min(count, size_ - std::min(at_, size_));
        const QByteArray taken(reinterpret_cast<const char*>(data_ + at_), qsizetype(count));
        at_ += count;
        return taken;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A name of the input's bytes: "/" and NUL cannot be in a name, "." and ".." are not new.
QByteArray nameFrom(Input& in)
{
    static const char* const suffixes[] = { "", ".png", ".PNG", ".jpg", ".Jpg", ".jpeg", ".dcard", ".png.dcard" };
    QByteArray name = in.bytes(in.byte() % 12);
    name.replace('/', '_').replace('\0', '_');
    name += suffixes[in.byte() % 8];
    if (name.isEmpty() || name == "." || name == "..")
        name.prepend('n');
    return name;
}

void writeFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = ::write(fd, content.constData(), size_t(content.size()));
    ::close(fd);
}

// Builds the tree under root from the input; returns every path made.
std::vector<QByteArray> build(Input& in, const QByteArray& root)
{
    std::vector<QByteArray> made { root };
    std::vector<QByteArray> folders { root };
    static const qint64 sizes[] = { 0, 1, 70 * 1024, qint64(256) * 1024 * 1024 + 1, qint64(3) << 30 };
    while (!in.done() && made.size() < 40) {
        const uint8_t op = in.byte();
        const QByteArray path = folders.back() + '/' + nameFrom(in);
        switch (op % 9) {
        case 0:
            writeFile(path, in.bytes(in.byte()));
            break;
        case 1:
            writeFile(path, {});
            ::truncate(path.constData(), sizes[in.byte() % 5]);
            break;
        case 2:
            if (folders.size() < 5 && ::mkdir(path.constData(), 0700) == 0)
                folders.push_back(path);
            break;
        case 3:
            if (folders.size() > 1)
                folders.pop_back();
            continue;
        case 4: // a link to something made before, by its full path
            ::symlink(made[in.byte() % made.size()].constData(), path.constData());
            break;
        case 5: // a link relative to its folder: to the folder itself or the one above
            ::symlink(in.byte() % 2 ? "." : "..", path.constData());
            break;
        case 6:
            ::symlink("nowhere", path.constData());
            break;
        case 7:
            ::symlink(path.constData(), path.constData());
            break;
        case 8:
            ::mkfifo(path.constData(), 0600);
            break;
        }
        made.push_back(path);
    }
    return made;
}

// A listed file is there under the listed path, is what the walk lists, and is in the folder.
void checkListed(const QStringList& paths, const QString& folder)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo info(paths[i]);
        const QString suffix = info.suffix().toLower();
        if (!info.isFile() || (suffix != QLatin1String("png") && suffix != QLatin1String("jpg")))
            std::abort();
        if (QFileInfo(info.absolutePath()).canonicalFilePath() != QFileInfo(folder).canonicalFilePath())
            std::abort();
        if (i > 0 && !(paths[i - 1] < paths[i]))
            std::abort(); // sorted by name, each once
        const QString design = TemplateStore::designPathFor(paths[i]);
        if (QFileInfo(design).absolutePath() != info.absolutePath())
            std::abort();
        ThumbnailLoader::readThumbnail(paths[i]);
    }
}

void walk(const QString& folder)
{
    checkListed(TemplateStore::previewsIn(folder), folder);
    QStringList pictures;
    for (const MyImageObject& item : pictureItemsInFolder(folder)) {
        if (item.image_Name != QFileInfo(item.path).fileName())
            std::abort();
        pictures.append(item.path);
    }
    checkListed(pictures, folder);
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
        ~Scratch()
        {
            std::error_code ignored;
            std::filesystem::remove_all(root.constData(), ignored);
        }
    } scratch;
    const QByteArray& root = scratch.root;
    std::error_code ignored;
    std::filesystem::remove_all(root.constData(), ignored);
    if (::mkdir(root.constData(), 0700) != 0)
        return 0;
    Input in(data, size);
    build(in, root);

    const QString folder = QFile::decodeName(root);
    walk(folder);
    for (const QString& name : subfolderNames(folder)) {
        const QString sub = folder + QLatin1Char('/') + name;
        if (name == QLatin1String(".") || name == QLatin1String("..") || !QFileInfo(sub).isDir())
            std::abort();
        walk(sub);
    }
    walk(folder + QStringLiteral("/User"));
    return 0;
}
