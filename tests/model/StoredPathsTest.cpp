#include "model/StoredPaths.h"

#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(StoredPaths, PathsFromAnotherInstallationAreFoundUnderOurResources)
{
    TempResources resources;
    QDir(resources.path()).mkpath(QStringLiteral("Background"));
    QFile file(resources.path() + QStringLiteral("/Background/b1.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const QString foreign = QStringLiteral("/Applications/Old.app/Contents/Resources/Background/b1.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(foreign), file.fileName());
    // Existing, unrelated or escaping paths are left as they are.
    EXPECT_EQ(Resolve_Stored_Picture_Path(file.fileName()), file.fileName());
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("/elsewhere/b1.jpg")), QStringLiteral("/elsewhere/b1.jpg"));
    const QString missing = QStringLiteral("/Old/Resources/Background/gone.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(missing), missing);
    const QString escaping = QStringLiteral("/Old/Resources/../Background/b1.jpg");
    EXPECT_EQ(Resolve_Stored_Picture_Path(escaping), escaping);
    EXPECT_EQ(Resolve_Stored_Picture_Path(QString()), QString());
}
