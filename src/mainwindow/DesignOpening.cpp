#include "mainwindow/DesignOpening.h"

#include "common/StringHelpers.h"
#include "imports/BackgroundWork.h"
#include "platform/DialogService.h"

#include <QDir>
#include <QFileInfo>

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
    runBehindPleaseWait(window, [&contents] { DesignFile::decodePictures(contents); });
}

void reportOmissions(const std::vector<PictureOmissions::Omission>& omitted)
{
    if (omitted.empty())
        return;
    QStringList named;
    QStringList listed;
    for (const PictureOmissions::Omission& omission : omitted) {
        // A bound picture's value may be a page of text rather than a file's name.
        named.append(QStringLiteral("\"%1\": %2")
                         .arg(oneLineCut(QFileInfo(omission.path).fileName(), nameInAlert), omission.reason));
        listed.append(QStringLiteral("%1: %2").arg(
            oneLineCut(QDir::toNativeSeparators(omission.path), pathInDetails), omission.reason));
    }
    // As every alert of the program: its text under an empty first line.
    const QString text = QStringLiteral("\nSome pictures of this design are not shown.");
    if (omitted.size() <= listedInAlert)
        dialogs().showMessageWithReason(text, named.join(QLatin1Char('\n')));
    else
        dialogs().showMessageWithDetails(text + QStringLiteral("\n\n%1 pictures are left out; the details name each and why.")
                                                    .arg(omitted.size()),
            listed.join(QLatin1Char('\n')), MessageIcon::Warning);
}

} // namespace DesignOpening
