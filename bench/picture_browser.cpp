// A picture category of 5,000 card-size pictures opened in the picture browser: time to the
// first screenful of thumbnails, then the longest and the typical wait of the GUI thread
// while the user pages through all of them and the rest are read.
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "library/PictureFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int pictureCount = 5000;

// Copies the shipped backgrounds (1011 x 639) round and round into the folder.
void fillFolder(const QString& folder)
{
    const QList<MyImageObject> shipped
        = pictureItemsInFolder(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Background"));
    for (int i = 0; i < pictureCount; ++i) {
        const MyImageObject& source = shipped[i % shipped.size()];
        QFile::copy(source.path,
            QDir(folder).filePath(
                QStringLiteral("card-%1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(QFileInfo(source.path).suffix())));
    }
}

bool shownThumbnailsReady(const PictureBrowser& browser)
{
    const QRect area = browser.viewport()->rect();
    for (int row = 0; row < browser.pictures()->rowCount(); ++row) {
        const QRect rect = browser.visualRect(browser.pictures()->index(row));
        if (rect.top() > area.bottom())
            break;
        if (rect.intersects(area) && !browser.pictures()->hasThumbnail(row))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    fillFolder(dir.path());

    PictureBrowser browser;
    browser.resize(800, 560);
    browser.show();
    QElapsedTimer clock;
    clock.start();
    const QList<MyImageObject> items = pictureItemsInFolder(dir.path());
    const qint64 listed = clock.nsecsElapsed();
    browser.pictures()->setItems(items);
    const qint64 filled = clock.nsecsElapsed();
    while (!shownThumbnailsReady(browser))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 firstScreen = clock.nsecsElapsed();

    // Page down every 40 ms, as a person holding Page Down would, while a 5 ms timer
    // measures how late the GUI thread answers.
    std::vector<double> gaps;
    QElapsedTimer tick;
    tick.start();
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        gaps.push_back(tick.nsecsElapsed() / 1e6);
        tick.restart();
    });
    heartbeat.start(5);
    QTimer pager;
    QObject::connect(&pager, &QTimer::timeout, [&] {
        QScrollBar* bar = browser.verticalScrollBar();
        bar->setValue(bar->value() + bar->pageStep());
    });
    pager.start(40);
    QElapsedTimer all;
    all.start();
    int loaded = 0;
    while (loaded < pictureCount && all.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (browser.verticalScrollBar()->value() == browser.verticalScrollBar()->maximum()
            && shownThumbnailsReady(browser)) {
            loaded = 0;
            for (int row = 0; row < pictureCount; ++row)
                loaded += browser.pictures()->hasThumbnail(row);
            if (loaded < pictureCount)
                break; // rows scrolled past too quickly are read when shown again
        }
    }
    const double pagedThrough = all.nsecsElapsed() / 1e6;
    std::sort(gaps.begin(), gaps.end());
    const auto percentile = [&](double p) { return gaps.empty() ? 0.0 : gaps[size_t(p * (gaps.size() - 1))]; };
    int read = 0;
    for (int row = 0; row < pictureCount; ++row)
        read += browser.pictures()->hasThumbnail(row);

    std::printf("pictures: %d (1011 x 639 JPEG and PNG)\n", pictureCount);
    std::printf("folder listed: %.1f ms; browser filled: %.1f ms\n", listed / 1e6, (filled - listed) / 1e6);
    std::printf("first screenful of thumbnails: %.1f ms after opening\n", firstScreen / 1e6);
    std::printf("paged to the end in %.0f ms; thumbnails read meanwhile: %d\n", pagedThrough, read);
    std::printf("GUI thread timer gaps (5 ms timer): median %.1f ms, 99th percentile %.1f ms, longest %.1f ms\n",
        percentile(0.5), percentile(0.99), gaps.empty() ? 0.0 : gaps.back());
    return 0;
}
