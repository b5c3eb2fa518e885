// Saving and opening a design with 1,000 objects of every kind (half on each side), as the
// design file does it: items, XML property list, file, and back with every check.
//   bench_design_file [OBJECTS]
// The memory that opening a design with a large rows table takes, against the file's size:
//   bench_design_file --write-rows ROWS FILE [CELLS CHARACTERS]   writes such a design: by
//       default an imported workbook of one column, else CELLS cells of CHARACTERS characters a row
//   bench_design_file --open FILE              opens it as the window does, up to the table
// (bench/design_rows.sh runs the second against two builds, one after the other.)
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
#include <cstring>
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

DesignContents emptyDesign()
{
    DesignContents design;
    design.front = Card_Property::create();
    design.back = Card_Property::create();
    design.front->Card_Size = design.back->Card_Size = QSizeF(243, 154);
    return design;
}

// Rows as an imported workbook of one column gives them (about 120 bytes each in the file), or
// rows of `cells` cells of `characters` characters each.
int writeRows(long rows, const QString& path, int cells, int characters)
{
    DesignContents design = emptyDesign();
    design.excelBindingUse = true;
    design.columnTitles = QStringList { QStringLiteral("#") };
    for (int cell = 1; cell <= std::max(cells, 1); ++cell)
        design.columnTitles.append(QStringLiteral("Column %1").arg(cell));
    design.rows.reserve(size_t(rows));
    for (long i = 0; i < rows; ++i) {
        PlistDict row;
        row.insert(QStringLiteral("Extension"), QString::number(i + 1));
        if (cells == 0)
            row.insert(QStringLiteral("Column1"), QStringLiteral("Guest %1").arg(i + 1));
        for (int cell = 1; cell <= cells; ++cell)
            row.insert(
                QStringLiteral("Column%1").arg(cell), QString(characters, QChar(char16_t(u'a' + (i + cell) % 26))));
        design.rows.emplace_back(std::move(row));
    }
    QString error;
    if (!DesignFile::write(path, design, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

int openRows(const QString& path)
{
    const long startKiB = residentKiB();
    QElapsedTimer timer;
    timer.start();
    DesignFile::ReadResult read = DesignFile::readFile(path, DesignFile::maxFileBytes, DesignFile::Pictures::Deferred);
    if (read.status != DesignFile::Status::Loaded) {
        std::fprintf(stderr, "%s\n", qPrintable(read.reason));
        return 1;
    }
    const QList<PlistValue> table = DesignFile::takeRows(read.contents);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double fileMiB = QFileInfo(path).size() / 1048576.0;
    const double peakMiB = peakResidentKiB() / 1024.0;
    const double startMiB = startKiB / 1024.0;
    std::printf("%lld rows, file %.1f MiB: open %.2f s, peak resident %.1f MiB (start-up %.1f MiB), "
                "%.2f times the file above start-up\n",
        qlonglong(table.size()), fileMiB, seconds, peakMiB, startMiB, (peakMiB - startMiB) / fileMiB);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if ((argc == 4 || argc == 6) && std::strcmp(argv[1], "--write-rows") == 0)
        return writeRows(std::atol(argv[2]), QString::fromLocal8Bit(argv[3]), argc == 6 ? std::atoi(argv[4]) : 0,
            argc == 6 ? std::atoi(argv[5]) : 0);
    if (argc == 3 && std::strcmp(argv[1], "--open") == 0)
        return openRows(QString::fromLocal8Bit(argv[2]));
    const int objects = argc > 1 ? std::max(0, std::atoi(argv[1])) : 1000;

    DesignContents design = emptyDesign();
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
