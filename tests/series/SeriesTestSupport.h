#pragma once

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "series/BatchWizard.h"
#include "support/PeakMemory.h"
#include "support/ScriptedDialogService.h"
#include "support/SeriesReference.h"
#include "support/TempResources.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <cstring>

#include <gtest/gtest.h>

// The main window as the series windows see it: chosen series are bound to the design.
class FakeSeriesHost : public BatchWizardHost
{
public:
    bool Check_Batch_File_In_Use_Validation(const QString& name) const override
    {
        return seriesExists(name) && bound.contains(name);
    }
    void Open_Import_Wizard(int required, int insert) override { importModes.append({ required, insert }); }

    QSet<QString> bound;
    QList<QPair<int, int>> importModes;
};

class SeriesWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(Data_Folder_Path)); }

    static void store(const QString& name, const QByteArray& bytes)
    {
        QFile file(seriesFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray stored(const QString& name)
    {
        QFile file(seriesFilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A series with one line of 500 MB between head and tail, left a hole in the file so that it
    // takes no room on disk.
    static constexpr qint64 hugeLineBytes = qint64(500) << 20;
    static void storeHugeLine(const QString& name, const QByteArray& head, const QByteArray& tail)
    {
        QFile file(seriesFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(head), head.size());
        ASSERT_TRUE(file.resize(head.size() + hugeLineBytes));
        ASSERT_TRUE(file.seek(head.size() + hugeLineBytes));
        ASSERT_EQ(file.write(tail), tail.size());
    }
    // Whether the series holds head, the huge line and tail, read a block at a time.
    static bool holdsHugeLine(const QString& name, const QByteArray& head, const QByteArray& tail)
    {
        QFile file(seriesFilePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.size() != head.size() + hugeLineBytes + tail.size()
            || file.read(head.size()) != head)
            return false;
        const QByteArray zeros(1 << 20, '\0');
        QByteArray block(zeros.size(), Qt::Uninitialized);
        for (qint64 left = hugeLineBytes; left > 0; left -= block.size())
            if (file.read(block.data(), block.size()) != block.size()
                || std::memcmp(block.constData(), zeros.constData(), size_t(block.size())) != 0)
                return false;
        return file.readAll() == tail;
    }
    // How far the resident memory of the test rose above where it stood while work ran, in MB.
    static long peakRiseMegabytes(const std::function<void()>& work)
    {
        std::ofstream("/proc/self/clear_refs") << "5";
        const long start = statusKilobytes("VmRSS:");
        work();
        return long(double(statusKilobytes("VmHWM:") - start) / sanitizerMemoryFactor) / 1024;
    }

    TempResources resources;
    ScriptedDialogs scripted;
    FakeSeriesHost host;
};
