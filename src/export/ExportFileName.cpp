#include "export/ExportFileName.h"

#include "jobs/CardExport.h"

#include <QFileInfo>

ExportFileName matchNameAndFormat(const QString& typedPath, const QString& chosenFormat)
{
    const QString typedExtension = QFileInfo(typedPath).suffix();
    const QString typedFormat = cardFileFormat(typedExtension);
    if (typedFormat == chosenFormat)
        return { typedPath, chosenFormat, QString() };
    if (!typedFormat.isEmpty()) {
        return { typedPath, typedFormat,
            QStringLiteral("The file name ends in \".%1\", so the card was written as %2, not %3.")
                .arg(typedExtension, typedFormat.toUpper(), chosenFormat.toUpper()) };
    }
    const QString separator = typedPath.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    return { typedPath + separator + chosenFormat, chosenFormat,
        QStringLiteral("The card was written as %1, so \".%2\" was added to the file name.")
            .arg(chosenFormat.toUpper(), chosenFormat) };
}
