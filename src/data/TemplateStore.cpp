#include "data/TemplateStore.h"

#include "common/FileHelpers.h"
#include "common/Globals.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "platform/CheckedWrite.h"
#include "platform/OwnTemporaryFile.h"
#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace TemplateStore {

namespace {

const QString designExtension = QStringLiteral("dcard");

// The file name in folder. Not QDir::filePath: it takes a name starting with ":" for a path into
// the program's own resources, and a template may be named so.
QString inFolder(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

QString withExtension(const QString& path, const QString& extension)
{
    const QFileInfo info(path);
    return inFolder(info.absolutePath(), info.completeBaseName() + QLatin1Char('.') + extension);
}

// Puts a finished temporary file in target's place in one step (POSIX rename), also when
// target exists.
bool replaceFile(OwnTemporaryFile& source, const QString& target, QString* error)
{
    QString reason;
    if (source.close(&reason) && source.moveTo(target, &reason))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(target, reason);
    return false;
}

// Copies a template's file to a name not taken yet: only a regular file is read (a FIFO in the
// folder would hang the browser), and the copy is whole or not there.
bool copyToFreeName(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    QByteArray bytes;
    QString reason;
    if (SafeRead::readRegularFile(from, SafeRead::maxDesignBytes, bytes, &reason) && writeFileChecked(to, bytes, &reason))
        return true;
    Show_NSLog_Message(QStringLiteral("%1 not copied to %2: %3").arg(from, to, reason));
    return false;
}

// A fresh empty file in folder whose name no listing takes for a template.
std::unique_ptr<OwnTemporaryFile> reserveTemporary(const QString& folder, QString* error)
{
    auto file = std::make_unique<OwnTemporaryFile>(folder);
    if (!file->isOpen()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(folder, file->error());
        return nullptr;
    }
    return file;
}

} // namespace

QString builtInFolder()
{
    return Resource_File(QStringLiteral("Templates"));
}

QString userFolder()
{
    return Resource_File(QStringLiteral("Templates/User"));
}

QStringList previewsIn(const QString& folder)
{
    QStringList previews;
    const QFileInfo info(folder);
    if (!info.isDir())
        return previews;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // The listing also takes a link to a FIFO or a device for a file.
        if (!entry.isFile())
            continue;
        const QString extension = entry.suffix().toLower();
        if (extension == QLatin1String("png") || extension == QLatin1String("jpg"))
            previews.append(entry.absoluteFilePath());
    }
    return previews;
}

QString designPathFor(const QString& previewPath)
{
    return withExtension(previewPath, designExtension);
}

QString userDesignPath(const QString& name)
{
    return inFolder(userFolder(), name + QLatin1Char('.') + designExtension);
}

QString userPreviewPath(const QString& name)
{
    return inFolder(userFolder(), name + QStringLiteral(".png"));
}

QString nameOf(const QString& previewPath)
{
    return QFileInfo(previewPath).completeBaseName();
}

QString cleanName(const QString& typed)
{
    QString name = Trim_Str(typed);
    for (QString next = Remove_Reserve_Char_In_File_Name(name); next != name;
         next = Remove_Reserve_Char_In_File_Name(name))
        name = next;
    return name;
}

NameProblem checkName(const QString& cleanedName)
{
    if (cleanedName.isEmpty())
        return NameProblem::Empty;
    if (cleanedName.contains(QLatin1Char('/')) || cleanedName.contains(QLatin1Char('\\'))
        || cleanedName == QLatin1String(".") || cleanedName == QLatin1String(".."))
        return NameProblem::NotOneFileName;
    // The browser lists no hidden file: such a template would be saved but never shown.
    if (!isOneFileName(cleanedName) || cleanedName.startsWith(QLatin1Char('.')))
        return NameProblem::HiddenOrControl;
    return NameProblem::None;
}

QString nameProblemMessage(NameProblem problem)
{
    switch (problem) {
    case NameProblem::None:
        break;
    case NameProblem::Empty:
        return QStringLiteral("Please enter template name.");
    case NameProblem::NotOneFileName:
        return QStringLiteral("A template name cannot contain \"/\" or \"\\\" and cannot be \".\" or \"..\".");
    case NameProblem::HiddenOrControl:
        return QStringLiteral("A template name cannot start with \".\" or hold control characters.");
    }
    return {};
}

bool saveUserTemplate(
    const QString& name, const FileWriter& writeDesign, const FileWriter& writePreview, QString* error)
{
    if (checkName(name) != NameProblem::None) {
        if (error)
            *error = nameProblemMessage(checkName(name));
        return false;
    }
    // Both refused before either is written, so a template is never left half replaced.
    QString reason;
    for (const QString& target : { userDesignPath(name), userPreviewPath(name) }) {
        if (!replaceableOrWhy(target, &reason)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(target, reason);
            return false;
        }
    }
    QDir().mkpath(userFolder());
    const auto design = reserveTemporary(userFolder(), error);
    const auto preview = design ? reserveTemporary(userFolder(), error) : nullptr;
    if (!preview)
        return false;
    const bool written = writeDesign(design->path(), error) && writePreview(preview->path(), error);
    if (!written) {
        // The writers name the hidden file they were given; the person knows the template.
        if (error)
            error->replace(design->path(), userDesignPath(name)).replace(preview->path(), userPreviewPath(name));
        return false;
    }
    // The preview goes last: a template is listed through its preview, so it never shows
    // a preview whose design file is not in place yet.
    return replaceFile(*design, userDesignPath(name), error) && replaceFile(*preview, userPreviewPath(name), error);
}

QString copyPathFor(const QString& previewPath)
{
    const QFileInfo info(previewPath);
    for (int d = 1;; ++d) {
        const QString candidate = inFolder(info.absolutePath(),
            QStringLiteral("%1 (copy %2).%3").arg(info.completeBaseName()).arg(d).arg(info.suffix()));
        // A design left without its preview would otherwise be shown under the copy's preview.
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(designPathFor(candidate)))
            return candidate;
    }
}

void copyTemplate(const QString& previewPath)
{
    const QString target = copyPathFor(previewPath);
    // The design goes first and the preview last, as in saving: a listed copy always has
    // its own design file.
    if (!copyToFreeName(designPathFor(previewPath), designPathFor(target)))
        return;
    if (!copyToFreeName(previewPath, target))
        QFile::remove(designPathFor(target));
}

bool renameTemplate(const QString& previewPath, const QString& newName)
{
    if (checkName(newName) != NameProblem::None)
        return false;
    if (newName == nameOf(previewPath))
        return true;
    const QString newPreview = userPreviewPath(newName);
    const QString newDesign = userDesignPath(newName);
    if (!copyToFreeName(designPathFor(previewPath), newDesign)) {
        Show_NSLog_Message(QStringLiteral("Template not renamed to ") + newName);
        return false;
    }
    if (!copyToFreeName(previewPath, newPreview)) {
        Show_NSLog_Message(QStringLiteral("Template not renamed to ") + newName);
        QFile::remove(newDesign); // made just now: the old template stays the only one
        return false;
    }
    deleteTemplate(previewPath);
    return true;
}

void deleteTemplate(const QString& previewPath)
{
    Delete_File(previewPath);
    Delete_File(designPathFor(previewPath));
}

} // namespace TemplateStore
