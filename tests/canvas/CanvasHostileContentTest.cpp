// Text in any script and pictures that cannot be kept never break the canvas.
#include "CanvasTestSupport.h"

#include "model/SKTText.h"
#include "support/FullFolder.h"
#include "support/ScriptLetters.h"

#include <QClipboard>

TEST_F(CanvasTest, EveryScriptsFirstLetterIsDrawnOnTheCanvas)
{
    const QStringList letters = firstLetterOfEveryScript();
    SKTDocument::Graphics texts;
    QList<int> indexes;
    for (qsizetype index = 0; index < letters.size(); ++index) {
        auto text = SKTGraphic::create<SKTText>();
        text->Text_Value = QStringLiteral("A") + letters.at(index);
        text->setBounds(QRectF(10 + (index % 12) * 20, 10 + (index / 12) * 12, 20, 12));
        texts.append(text);
        indexes.append(int(index));
    }
    document.insertGraphicsOnSide(Side::Front, texts, indexes);
    EXPECT_FALSE(front->grab().isNull());
    front->selectAll();
    EXPECT_FALSE(front->grab().isNull());
}

TEST_F(CanvasTest, PastingAPictureOnAFullDiskSaysWhyAndAddsNothing)
{
    FullFolder disk;
    const QString savedResources = Resource_Path;
    Resource_Path = disk.path();
    QImage picture(300, 200, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    disk.fill();
    front->paste();
    Resource_Path = savedResources;

    EXPECT_TRUE(document.graphics().isEmpty());
    ASSERT_EQ(dialogs->messages().size(), 1u);
    const QString message = dialogs->messages().front();
    EXPECT_TRUE(message.contains(QStringLiteral("The pasted picture cannot be kept"))) << message.toStdString();
    EXPECT_TRUE(message.contains(disk.expectedReason())) << message.toStdString();
}
