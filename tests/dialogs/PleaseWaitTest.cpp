#include "dialogs/PleaseWait_Modeless.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

TEST(PleaseWait, ShownAndHiddenFromAWorkerOnTheGuiThread)
{
    QMainWindow window;
    window.show();
    PleaseWait_Modeless sheet(&window);
    bool shownOnGui = false;
    std::thread worker([&] { sheet.Show_Create_Modeless(); });
    worker.join();
    EXPECT_FALSE(sheet.isVisible()); // carried over, not done on the worker
    QCoreApplication::processEvents();
    shownOnGui = sheet.isVisible();
    EXPECT_TRUE(shownOnGui);
    EXPECT_EQ(sheet.modeless_msg_lbl->text(), QStringLiteral("It may take a while, Please wait.."));
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);

    // A show and a hide asked for in a row arrive in that order.
    std::thread again([&] {
        sheet.Hide_Destroy_Modeless();
        sheet.Show_Create_Modeless();
        sheet.Hide_Destroy_Modeless();
    });
    again.join();
    QCoreApplication::processEvents();
    EXPECT_FALSE(sheet.isVisible());
}
