// The series windows with large series, each case in a process of its own so that peak memory
// is its own, at two sizes to show how time and memory grow:
//   generate  N values made by the generator into the open series (one step)
//   append    N values handed to the open series one at a time, as importers may
//   editor    a series file of N lines opened in the series editor
//   viewer    the same file opened in the series viewer
//   editor-line, viewer-line   a series of one N MB line between two values opened in the editor
//             or the viewer (a hole in the file: it takes no disk)
//   save-line the same series opened in the editor, a value changed and saved
//   bench_series [N]   (default 100000 lines for the file cases, 10000 values for the others)
#include "ResidentMemory.h"

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "series/BatchWizard.h"
#include "series/Generate_List.h"
#include "series/SeriesListModel.h"
#include "series/View_Data_Series.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class NoDesign : public BatchWizardHost
{
public:
    bool Check_Batch_File_In_Use_Validation(const QString&) const override { return false; }
    void Open_Import_Wizard(int, int) override { }
};

void writeSeries(int lines)
{
    QStringList values;
    values.reserve(lines);
    for (int i = 0; i < lines; ++i)
        values.append(QStringLiteral("Guest number %1, table %2").arg(i).arg(i % 40));
    writeSeriesFile(seriesFilePath(QStringLiteral("big")), values, false);
}

void writeOneLineSeries(int megabytes)
{
    QFile file(seriesFilePath(QStringLiteral("big")));
    const qint64 line = qint64(megabytes) << 20;
    if (!file.open(QIODevice::WriteOnly) || file.write("Ann\n") != 4 || !file.resize(4 + line) || !file.seek(4 + line)
        || file.write("\nBob\n") != 5)
        std::fprintf(stderr, "cannot write the series\n");
}

// Child: one case; prints seconds, RSS before (KiB), peak RSS (KiB) and the rows shown.
int runCase(const QString& kind, int size)
{
    QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    NoDesign host;
    BatchWizard wizard(host);
    wizard.show();
    if (kind == QLatin1String("editor") || kind == QLatin1String("viewer"))
        writeSeries(size);
    const bool oneLine = kind.endsWith(QLatin1String("-line"));
    if (oneLine)
        writeOneLineSeries(size);
    QApplication::processEvents();
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    int rows = 0;
    if (kind == QLatin1String("generate")) {
        wizard.AddNew_Btn_Clicked();
        Generate_List generator;
        generator.file_name_required = 0;
        generator.selectGenerator(Generate_List::Sequential);
        generator.from_txt->setText(QStringLiteral("1"));
        generator.to_txt->setText(QString::number(size));
        generator.OKPressed();
        rows = wizard.ListData_value().count();
    } else if (kind == QLatin1String("append")) {
        wizard.AddNew_Btn_Clicked();
        for (int i = 0; i < size; ++i)
            wizard.Create_Value_List(QStringLiteral("value %1").arg(i));
        rows = wizard.ListData_value().count();
    } else if (kind == QLatin1String("editor") || kind == QLatin1String("editor-line")
        || kind == QLatin1String("save-line")) {
        wizard.Fill_List();
        wizard.Mark_List_New_Selection(0);
        wizard.Update_Btn_Clicked();
        wizard.List_value->scrollToBottom();
        rows = wizard.ListData_value().count();
        if (kind == QLatin1String("save-line")) {
            wizard.ListData_value().replace(2, QStringLiteral("Cy"));
            wizard.Save_Btn_Clicked();
        }
    } else {
        View_Data_Series viewer;
        viewer.file_name = QStringLiteral("big");
        viewer.show();
        viewer.Load_file_Func();
        viewer.List->scrollToBottom();
        QApplication::processEvents();
        rows = viewer.ListData().count();
    }
    QApplication::processEvents();
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.4f %ld %ld %d\n", seconds, before, peakResidentKiB(), rows);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--case"))
        return runCase(arguments[2], arguments[3].toInt());

    const int lines = arguments.size() > 1 ? arguments[1].toInt() : 100000;
    std::printf("%-10s %8s %10s %12s %12s\n", "case", "rows", "seconds", "peak RSS MB", "growth MB");
    for (const auto& [kind, base] : { std::pair { "generate", 10000 }, std::pair { "append", 10000 },
             std::pair { "editor", lines }, std::pair { "viewer", lines }, std::pair { "editor-line", 250 },
             std::pair { "viewer-line", 250 }, std::pair { "save-line", 250 } }) {
        // Sequential runs stop at 10000 (the typed bound), so the generator grows by halving.
        const QList<int> sizes = QLatin1String(kind) == QLatin1String("generate") ? QList<int> { base / 2, base }
                                                                                  : QList<int> { base, base * 2 };
        for (const int size : sizes) {
            QProcess child;
            child.start(app.applicationFilePath(),
                { QStringLiteral("--case"), QString::fromLatin1(kind), QString::number(size) });
            child.waitForFinished(-1);
            const QList<QByteArray> fields = child.readAllStandardOutput().simplified().split(' ');
            if (fields.size() != 4) {
                std::fprintf(stderr, "case %s failed\n", kind);
                return 1;
            }
            std::printf("%-10s %8d %10.3f %12.1f %12.1f\n", kind, fields[3].toInt(), fields[0].toDouble(),
                fields[2].toDouble() / 1024, (fields[2].toDouble() - fields[1].toDouble()) / 1024);
            std::fflush(stdout);
        }
    }
    return 0;
}
