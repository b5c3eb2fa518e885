// A picture that another program (xclip) put on the X clipboard pastes as an image object.
// Needs a real X display: on the offscreen platform the test runs itself again under
// xvfb-run.
#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "support/TempResources.h"
#include "support/Patience.h"
#include "support/RerunUnderXvfb.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CanvasSystemClipboard, PictureFromAnotherProgramPastesAsAnImageFile)
{
    if (!haveTool("xclip") || !haveTool("xvfb-run"))
        GTEST_SKIP() << "needs xclip and xvfb-run";
    if (!onXDisplay()) {
        rerunThisTestUnderXvfb();
        return;
    }

    TempResources resources;
    QTemporaryDir source;
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString file = source.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(file));
    // xclip keeps serving the clipboard until another program takes it.
    QProcess owner;
    owner.start(QStringLiteral("xclip"),
        { QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
            QStringLiteral("image/png"), file });
    patience::eventually([] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasImage();
    });

    SKTDocument document;
    DefaultCanvasHost host;
    SKTGraphicView view(document, SKTDocument::Side::Front, host);
    view.paste();
    owner.kill();
    patience::finished(owner);

    ASSERT_EQ(document.graphics().size(), 1);
    const SKTGraphicPtr image = document.graphics().front();
    EXPECT_EQ(image->bounds(), QRectF(50, 50, 24, 16));
    // The picture lives on as a file of the Resources that the design refers to.
    const QString stored = image->FilePath();
    EXPECT_TRUE(stored.startsWith(resources.path()));
    EXPECT_EQ(QImageReader(stored).read().pixelColor(3, 3), QColor(Qt::blue));
    const SKTGraphicPtr reopened = SKTGraphic::unarchive(image->archivedData());
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->FilePath(), stored);
    EXPECT_TRUE(QFileInfo(reopened->FilePath()).isFile());
}
