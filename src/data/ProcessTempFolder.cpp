#include "data/ProcessTempFolder.h"

#include "common/Logging.h"

#include <QStandardPaths>
#include <QTemporaryDir>

QString processTempFolder()
{
    // QTemporaryDir creates the folder with mode 0700 under a name nobody can predict.
    static QTemporaryDir folder(
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/galavite-XXXXXX"));
    if (!folder.isValid()) {
        Show_NSLog_Message(QStringLiteral("Cannot create the temporary folder: ") + folder.errorString());
        return QString();
    }
    return folder.path();
}
