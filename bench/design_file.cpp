// Saving and opening a design with 1,000 objects of every kind (half on each side), as the
// design file does it: items, XML property list, file, and back with every check.
//   bench_design_file [OBJECTS]
#include "ResidentMemory.h"

#include "mainwindow/DesignFile.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

SKTGraphicPtr makeObject(int i)
{
    SKTGraphicPtr graphic;
    switch (i % 6) {
    case 0:
        graphic = SKTGraphic::create<SKTLine>();
        break;
    case 1: {
        graphic = SKTGraphic::create<SKTText>();
        graphic->Text_Value = QStringLiteral("Guest %1").arg(i);
        break;
    }
    case 2:
        graphic = SKTGraphic::create<Shape_Control>();
        break;
    case 3: {
        graphic = SKTGraphic::create<SKTImage>();
        graphic->_file_path = QStringLiteral("/pictures/%1.png").arg(i);
        break;
    }
    case 4:
        graphic = SKTGraphic::create<SKTBarcode>();
        break;
    default:
        graphic = SKTGraphic::create<SKTSignature>();
        break;
    }
    graphic->setBounds(QRectF(i % 200, i % 150, 40, 30));
    return graphic;
}

double bestOf(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int objects = argc > 1 ? std::max(0, std::atoi(argv[1])) : 1000;

    DesignContents design;
    design.front = Card_Property::create();
    design.back = Card_Property::create();
    for (int i = 0; i < objects; ++i)
        (i % 2 ? design.backGraphics : design.frontGraphics).append(makeObject(i));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.dcard"));
    const double save = bestOf(5, [&] {
        if (!DesignFile::write(path, design))
            std::abort();
    });
    size_t loaded = 0;
    const double open = bestOf(5, [&] {
        const DesignFile::ReadResult read = DesignFile::readFile(path);
        if (read.status != DesignFile::Status::Loaded)
            std::abort();
        loaded = size_t(read.contents.frontGraphics.size() + read.contents.backGraphics.size());
    });
    std::printf("design with %d objects: file %.1f KiB\n", objects, QFileInfo(path).size() / 1024.0);
    std::printf("save  %8.1f ms (best of 5)\n", save);
    std::printf("open  %8.1f ms (best of 5), %zu objects read\n", open, loaded);
    std::printf("peak resident memory %.1f MiB\n", peakResidentKiB() / 1024.0);
    return 0;
}
