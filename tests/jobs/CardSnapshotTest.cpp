#include "jobs/CardSnapshot.h"
#include "../model/GraphicFields.h"
#include "JobsTestSupport.h"
#include "model/Card_Property.h"

#include <QImage>

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

class Observer : public SKTGraphicObserver
{
public:
    void graphicValueChanged(SKTGraphic&, const QString&, const QVariant&) override { ++changes; }
    int changes = 0;
};

} // namespace

TEST(SKTGraphicClone, EveryKindArchivesToTheSameBytesAsItsOriginal)
{
    for (const SKTGraphicPtr& original : everyKind()) {
        fillEveryField(*original);
        SCOPED_TRACE(original->archiveClassChain().front().toStdString());
        const SKTGraphicPtr clone = original->clone();
        ASSERT_TRUE(clone);
        EXPECT_EQ(typeid(*clone), typeid(*original));
        EXPECT_EQ(clone->archivedData(), original->archivedData());
        expectSameFields(*original, *clone);
    }
}

TEST(SKTGraphicClone, SharesNothingThatChangesWithTheLiveObject)
{
    auto text = SKTGraphic::create<SKTText>();
    fillEveryField(*text);
    Observer observer;
    text->setObserver(&observer);
    const SKTGraphicPtr clone = text->clone();
    EXPECT_EQ(clone->observer(), nullptr);

    clone->Text_contents()->setString(QStringLiteral("Changed on a worker"));
    clone->setBounds(QRectF(1, 2, 3, 4));
    EXPECT_NE(text->Text_contents()->string, QStringLiteral("Changed on a worker"));
    EXPECT_NE(text->bounds(), QRectF(1, 2, 3, 4));
    EXPECT_EQ(observer.changes, 0);

    text->Text_contents()->setString(QStringLiteral("Edited in the window"));
    EXPECT_EQ(clone->Text_contents()->string, QStringLiteral("Changed on a worker"));
}

TEST(SKTGraphicClone, ImagesKeepTheirLoadedPictureWithoutReadingTheFileAgain)
{
    auto image = SKTGraphic::create<SKTImage>();
    QImage picture(30, 10, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    image->setPicture(picture);
    image->Set_Control_File_path(QStringLiteral("/no/such/file.png"));
    const auto clone = std::dynamic_pointer_cast<SKTImage>(image->clone());
    ASSERT_TRUE(clone);
    EXPECT_EQ(clone->picture(), picture);
    EXPECT_EQ(clone->pictureSize(), image->pictureSize());
}

TEST(CardSnapshot, TakesItsOwnObjectsAndSettingsOfBothSides)
{
    const QList<SKTGraphicPtr> front = everyKind();
    const QList<SKTGraphicPtr> back { SKTGraphic::create<SKTText>() };
    const auto frontSettings = Card_Property::create();
    const auto backSettings = Card_Property::create();
    frontSettings->setCard_fill_clr(Qt::red);
    const QRectF frame(0, 0, 243, 154);

    const CardSnapshot snapshot = CardSnapshot::take(front, back, *frontSettings, *backSettings, 1, frame);
    ASSERT_EQ(snapshot.front.size(), front.size());
    ASSERT_EQ(snapshot.back.size(), 1);
    for (qsizetype i = 0; i < front.size(); ++i) {
        EXPECT_NE(snapshot.front[i], front[i]);
        EXPECT_EQ(snapshot.front[i]->archivedData(), front[i]->archivedData());
    }
    EXPECT_NE(snapshot.frontSettings, frontSettings);
    EXPECT_EQ(snapshot.frontSettings->archivedData(), frontSettings->archivedData());
    frontSettings->setCard_fill_clr(Qt::green);
    EXPECT_EQ(snapshot.frontSettings->Card_fill_clr, QColor(Qt::red));
    EXPECT_EQ(snapshot.backBase().settings, snapshot.backSettings);
    EXPECT_EQ(snapshot.frontBase().cardShape, 1);
    EXPECT_EQ(snapshot.frontBase().frame, frame);

    // A worker's copy of the snapshot is independent of the snapshot too.
    const CardSnapshot copy = snapshot.clone();
    EXPECT_NE(copy.front.front(), snapshot.front.front());
    EXPECT_NE(copy.frontSettings, snapshot.frontSettings);
    EXPECT_EQ(copy.frontSettings->archivedData(), snapshot.frontSettings->archivedData());
}
