#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Templates on disk: a design file with a preview picture of the same name, in the built-in
// folder Resources/Templates or in the user's folder Resources/Templates/User. A template is
// found through its preview; a design file without one is not listed.
namespace TemplateStore {

QString builtInFolder();
QString userFolder();

// The previews directly in folder ("png" or "jpg" in any case), by name; none for no folder.
QStringList previewsIn(const QString& folder);
// The design file that belongs to a preview: the same path with the extension "dcard".
QString designPathFor(const QString& previewPath);
QString userDesignPath(const QString& name);
QString userPreviewPath(const QString& name);
// The template's name: the preview's file name without its extension.
QString nameOf(const QString& previewPath);

// The typed name with white space and the reserved file-name characters taken from both ends
// until nothing more comes off, so that the name checked is the name stored.
QString cleanName(const QString& typed);
enum class NameProblem
{
    None,
    Empty,
    NotOneFileName, // holds "/" or "\", or is "." or ".."
    HiddenOrControl // starts with "." or holds a control character
};
NameProblem checkName(const QString& cleanedName);
// The message for a refused name; "" for None.
QString nameProblemMessage(NameProblem problem);

// Writes a file to the path it is given and says whether it succeeded (error may be filled).
using FileWriter = std::function<bool(const QString& path, QString* error)>;
// Saves the user template `name` (already checked): the design and the preview go to
// temporary files next to their places and replace the old files only when both were
// written, so a failure keeps the old template whole. False with the reason otherwise.
bool saveUserTemplate(
    const QString& name, const FileWriter& writeDesign, const FileWriter& writePreview, QString* error);

// The first preview path "<name> (copy N).<ext>" in the preview's folder, N from 1, whose
// preview and design file are both free.
QString copyPathFor(const QString& previewPath);
// Copies a template's design file and preview to the free copy path; a failure is logged
// and leaves no half copy.
void copyTemplate(const QString& previewPath);
// Gives a user template a new (checked) name: preview as "<name>.png", design as
// "<name>.dcard". The old files go only after both new ones are in place; false (and the old
// template untouched) otherwise. The same name changes nothing.
bool renameTemplate(const QString& previewPath, const QString& newName);
// Deletes the preview, then the design file.
void deleteTemplate(const QString& previewPath);

} // namespace TemplateStore
