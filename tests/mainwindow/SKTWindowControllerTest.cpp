#include "mainwindow/SKTWindowController.h"

#include "common/Globals.h"
#include "platform/ResourceFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(SKTWindowController, IsTheOneMainWindowTitledWithTheApplicationName)
{
    {
        SKTWindowController window;
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Galavite"));
        EXPECT_EQ(Main_App_wnd, &window);
    }
    EXPECT_EQ(Main_App_wnd, nullptr);
}

TEST(SKTWindowController, PreparesAWritableResourceFolderOutsideTheInstallation)
{
    SKTWindowController window;
    ASSERT_TRUE(window.awakeFromNib());
    EXPECT_EQ(Resource_Path, userResourceFolder());
    EXPECT_TRUE(QFileInfo(Resource_Path).isWritable());
    EXPECT_EQ(Data_Folder_Path, QDir(Resource_Path).filePath(QStringLiteral("DataSet")));
}
