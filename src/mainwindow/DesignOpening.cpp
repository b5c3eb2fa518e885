#include "mainwindow/DesignOpening.h"

#include "common/StringHelpers.h"
#include "dialogs/BackgroundWork.h"
#include "jobs/DataBinding.h"
#include "platform/DialogService.h"
#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace DesignOpening {

namespace {

// More than this many are summed up in the alert and listed in its details.
constexpr size_t listedInAlert = 4;
// Characters of a name the alert quotes, and of a path its details list.
constexpr qsizetype nameInAlert = 80;
constexpr qsizetype pathInDetails = 1000;

} // namespace

DesignFile::ReadResult read(QWidget* window, const QString& path)
{
    DesignFile::ReadResult result;
    runBehindPleaseWait(
        window, [&] { result = DesignFile::readFile(path, DesignFile::maxFileBytes, DesignFile::Pictures::Deferred); });
    return result;
}

void decodePictures(QWidget* window, DesignContents& contents)
{
    // Stop opens the design without the pictures not yet read: they are named as left out.
    std::atomic<bool> stop { false };
    runBehindPleaseWait(
        window, [&contents, &stop] { DesignFile::decodePictures(contents, &stop); }, stop);
}

QString findMovedWorkbook(DesignContents& contents, const QString& designPath)
{
    QString stored = contents.excelSourcePath.trimmed();
    if (stored.isEmpty())
        return {};
    const QDir designFolder = QFileInfo(designPath).absoluteDir();
    if (QDir::isRelativePath(stored)) {
        stored = pathFromFolder(designFolder.absolutePath(), stored);
        contents.excelSourcePath = stored;
    }
    if (QFileInfo::exists(stored))
        return {};
    const QString beside = fileInFolder(designFolder.absolutePath(), QFileInfo(stored).fileName());
    if (QFileInfo(beside).isFile()) {
        contents.excelSourcePath = beside;
        return QStringLiteral(
            "The workbook of this design is not where it was:\n%1\nThe one beside the design is used:\n%2")
            .arg(QDir::toNativeSeparators(stored), QDir::toNativeSeparators(beside));
    }
    if (!DataBinding::sideUses(contents.frontGraphics, DataBinding::spreadsheetSource)
        && !DataBinding::sideUses(contents.backGraphics, DataBinding::spreadsheetSource))
        return {};
    return QStringLiteral("The workbook of this design is neither where it was nor beside the design:\n%1\nThe rows "
                          "saved with the design are used.")
        .arg(QDir::toNativeSeparators(stored));
}

void reportOmissions(std::vector<PictureOmissions::Omission> omitted, const QString& workbookNote)
{
    // Pictures decode several at once, so the order they were left out in changes from one
    // opening to the next: by path, the same design always gives the same message.
    std::stable_sort(omitted.begin(), omitted.end(),
        [](const PictureOmissions::Omission& a, const PictureOmissions::Omission& b) { return a.path < b.path; });
    // As every alert of the program: its text under an empty first line.
    const QString note = QStringLiteral("\n") + workbookNote;
    if (omitted.empty()) {
        if (!workbookNote.isEmpty())
            dialogs().showInformation(note);
        return;
    }
    QStringList named;
    QStringList listed;
    for (const PictureOmissions::Omission& omission : omitted) {
        // A bound picture's value may be a page of text rather than a file's name: the alert
        // gives its folder and name a line each at most, the details the whole path cut short.
        const QFileInfo file(omission.path);
        named.append(QStringLiteral("\"%1%2%3\": %4")
                         .arg(oneLineCut(QDir::toNativeSeparators(file.path()), nameInAlert), QDir::separator(),
                             oneLineCut(file.fileName(), nameInAlert), omission.reason));
        listed.append(QStringLiteral("%1: %2").arg(
            oneLineCut(QDir::toNativeSeparators(omission.path), pathInDetails), omission.reason));
    }
    const QString text = (workbookNote.isEmpty() ? QString() : note + QStringLiteral("\n"))
        + QStringLiteral("\nSome pictures of this design are not shown.");
    if (omitted.size() <= listedInAlert)
        dialogs().showMessageWithReason(text, named.join(QLatin1Char('\n')));
    else
        dialogs().showMessageWithDetails(
            text + QStringLiteral("\n\n%1 pictures are left out; the details name each and why.").arg(omitted.size()),
            listed.join(QLatin1Char('\n')), MessageIcon::Warning);
}

void reportNotOpened(const std::vector<NotOpened>& notOpened, const QString& opened)
{
    if (notOpened.empty())
        return;
    // Names come from outside (a pattern, a script): each is cut to a line.
    const auto listed = [&notOpened](qsizetype nameLength) {
        QStringList lines;
        for (const NotOpened& design : notOpened)
            lines.append(QStringLiteral("%1: %2").arg(oneLineCut(design.name, nameLength), design.why));
        return lines.join(QLatin1Char('\n'));
    };
    const QString text = opened.isEmpty() ? QStringLiteral("\nNo design named on the command line could be opened.")
                                          : QStringLiteral("\n\"%1\" is opened; the window holds one design at a time.")
                                                .arg(oneLineCut(opened, nameInAlert));
    if (notOpened.size() <= listedInAlert)
        dialogs().showMessageWithReason(text, listed(nameInAlert));
    else
        dialogs().showMessageWithDetails(text
                + QStringLiteral("\n\n%1 designs named are not opened; the details name each and why.")
                      .arg(notOpened.size()),
            listed(pathInDetails), MessageIcon::Warning);
}

} // namespace DesignOpening
