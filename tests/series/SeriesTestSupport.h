#pragma once

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "series/BatchWizard.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"

#include <QDir>
#include <QFile>
#include <QSet>

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

    TempResources resources;
    ScriptedDialogs scripted;
    FakeSeriesHost host;
};
