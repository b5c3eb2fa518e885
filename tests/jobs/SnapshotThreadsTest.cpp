// Workers render a snapshot while the GUI thread edits the live design. Run under
// ThreadSanitizer by scripts/tsan-test; in the plain build it still checks that the
// snapshot is untouched by the edits.
#include "../model/GraphicFields.h"
#include "JobsTestSupport.h"
#include "jobs/CardSnapshot.h"
#include "jobs/JobProgress.h"
#include "jobs/RowApplication.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

const QRectF card(0, 0, 243, 154);

QImage rendered(const QList<SKTGraphicPtr>& graphics, const CardSideBase& base)
{
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(graphics, false, base);
    QImage image(card.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.draw(painter, card);
    return image;
}

QList<SKTGraphicPtr> liveSide()
{
    QList<SKTGraphicPtr> graphics = everyKind();
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        SKTGraphic& graphic = *graphics[i];
        graphic.setBounds(QRectF(5 + 30 * i, 10 + 8 * i, 60, 40));
        graphic.ctrl_is_visible = true;
        graphic._isDrawingFill = true;
        graphic._fillColor = QColor::fromHsv(int(40 * i), 200, 220);
        graphic.alpha_val = 1.0f;
        graphic._isDrawingStroke = true;
        graphic._strokeColor = Qt::black;
        graphic.alpha_val_stroke = 1.0f;
        graphic._strokeWidth = 1.5;
    }
    graphics[3]->Text_contents()->setString(QStringLiteral("Dear guest"));
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    std::static_pointer_cast<SKTImage>(graphics[4])->setPicture(picture);
    graphics[6]->Set_Barcode_image(testPicture());
    return graphics;
}

} // namespace

TEST(SnapshotThreads, FourWorkersRenderTheSnapshotWhileTheDesignIsEdited)
{
    const QList<SKTGraphicPtr> front = liveSide();
    const QList<SKTGraphicPtr> back = liveSide();
    const auto frontSettings = Card_Property::create();
    const auto backSettings = Card_Property::create();
    frontSettings->setCard_fill_chk(true);
    frontSettings->setCard_fill_clr(QColor(250, 240, 200));

    const CardSnapshot snapshot = CardSnapshot::take(front, back, *frontSettings, *backSettings, 1, card);
    const QImage expectedFront = rendered(snapshot.front, snapshot.frontBase());
    const QImage expectedBack = rendered(snapshot.back, snapshot.backBase());

    constexpr int workers = 4;
    constexpr int cardsEach = 3;
    JobProgress progress;
    progress.total = workers * cardsEach;
    std::atomic<int> mismatches { 0 };
    std::vector<CardSnapshot> own;
    for (int i = 0; i < workers; ++i)
        own.push_back(snapshot.clone());

    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([&, i] {
            CardSnapshot& mine = own[size_t(i)];
            for (int row = 0; row < cardsEach && !progress.stopRequested; ++row) {
                // The shared snapshot is drawn by every worker at once; each worker's own
                // copy takes a row's value.
                if (rendered(snapshot.front, snapshot.frontBase()) != expectedFront
                    || rendered(snapshot.back, snapshot.backBase()) != expectedBack)
                    ++mismatches;
                RowApplication::applyValue(*mine.front[3], QStringLiteral("Guest %1-%2").arg(i).arg(row));
                rendered(mine.front, mine.frontBase());
                ++progress.done;
            }
        });
    }

    // The person goes on editing while the workers run.
    for (int step = 0; progress.done < progress.total; ++step) {
        for (const SKTGraphicPtr& graphic : front) {
            graphic->setBounds(graphic->bounds().translated(1, 0));
            graphic->_fillColor = QColor::fromHsv(step % 360, 100, 100);
        }
        front[3]->Text_contents()->setString(QStringLiteral("Edit %1").arg(step));
        QImage picture(20 + step % 10, 20, QImage::Format_ARGB32);
        picture.fill(Qt::magenta);
        std::static_pointer_cast<SKTImage>(front[4])->setPicture(picture);
        frontSettings->setCard_fill_clr(QColor::fromHsv(step % 360, 50, 250));
        std::this_thread::yield();
    }
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(progress.done, workers * cardsEach);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(own[0].front[3]->Text_contents()->string, QStringLiteral("Guest 0-%1").arg(cardsEach - 1));
}
