#include "jobs/ReplacedFiles.h"

#include "platform/DialogService.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace {

constexpr qsizetype namesInText = 5;
// A list longer than this in the details box would hold the window while it is laid out.
constexpr qsizetype namesInDetails = 10000;

QString quoted(const QString& path)
{
    return u'"' + QFileInfo(path).fileName() + u'"';
}

} // namespace

void ReplacedFiles::add(const QString& path)
{
    struct stat info
    {
    };
    // Whatever the name's spelling, the device and inode are those of the file written over.
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    if (!seen_.emplace(quint64(info.st_dev), quint64(info.st_ino)).second)
        return;
    paths_ << path;
    const QFileInfo name(path);
    leadsTo_ << (name.isSymLink() ? name.canonicalFilePath() : QString());
}

QString ReplacedFiles::question() const
{
    if (paths_.size() == 1)
        return QStringLiteral("%1 already exists. Do you want to replace it?").arg(quoted(paths_.constFirst()));
    QStringList named;
    for (qsizetype i = 0; i < std::min(paths_.size(), namesInText); ++i)
        named << quoted(paths_.at(i));
    const QString last
        = paths_.size() > namesInText ? QStringLiteral("%1 more").arg(paths_.size() - namesInText) : named.takeLast();
    return QStringLiteral("%1 and %2 already exist. Do you want to replace them?")
        .arg(named.join(QStringLiteral(", ")), last);
}

QString ReplacedFiles::details() const
{
    const bool linked = std::any_of(leadsTo_.begin(), leadsTo_.end(), [](const QString& to) { return !to.isEmpty(); });
    if (paths_.size() <= namesInText && !linked)
        return {};
    QStringList lines;
    for (qsizetype i = 0; i < std::min(paths_.size(), namesInDetails); ++i) {
        const QString name = QFileInfo(paths_.at(i)).fileName();
        lines << (leadsTo_.at(i).isEmpty() ? name : QStringLiteral("%1 (a link to %2)").arg(name, leadsTo_.at(i)));
    }
    if (paths_.size() > namesInDetails)
        lines << QStringLiteral("… and %1 more.").arg(paths_.size() - namesInDetails);
    return lines.join(u'\n');
}

bool askToReplace(const ReplacedFiles& files)
{
    if (files.isEmpty())
        return true;
    return dialogs().askSafeChoiceWithDetails(
               files.question(), { QStringLiteral("Yes"), QStringLiteral("No") }, 1, files.details())
        == 0;
}
