#include "mainwindow/SKTWindowController.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

void SKTWindowController::createMenus()
{
    const auto fill = [this](const QString& title, const QList<const char*>& names) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const char* name : names) {
            if (*name)
                menu->addAction(action(QString::fromLatin1(name)));
            else
                menu->addSeparator();
        }
    };
    fill(tr("&File"),
        { "New_Btn", "Open_Btn", "", "Save_Btn", "SaveAs_Btn", "Template_Btn", "", "Export_Btn", "Print_Btn",
            "Mail_Btn", "", "Exit_Btn" });
    fill(tr("&Edit"),
        { "Undo_btn", "Redo_btn", "", "Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn", "", "SelectAll_btn", "",
            "Lock_btn", "Unlock_btn" });
    fill(tr("&Arrange"),
        { "Begin_Front_btn", "Send_Back_btn", "", "Align_Left", "Align_Right", "Align_Top", "Align_Bottom",
            "Align_Horz", "Align_Vert", "Align_Center", "", "Make_Same_Width", "Make_Same_Height", "Make_Natural", "",
            "Align_To_Grid", "Grid_Snap", "Grid_Btn" });
    fill(tr("&View"),
        { "Front_Side_btn", "Back_Side_btn", "Temp_Side_btn", "", "Rulers_chk", "", "Zoom_In", "Zoom_Out",
            "Zoom_Actual" });
    fill(tr("&Card"),
        { "Card_Prop_Btn", "Card_Bckgrnd_Btn", "Profile_Btn", "", "Batch_Series_Btn", "Create_Series_Btn", "Import_Btn" });
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (int tool = 0; tool < ToolCount; ++tool)
        tools->addAction(action(QStringLiteral("Tool_%1").arg(tool)));
    fill(tr("&Help"), { "Help_Btn", "Share_Btn", "", "About_Btn" });
}

void SKTWindowController::createToolBars()
{
    const auto bar = [this](const QString& title, const QString& name, const QList<const char*>& names) {
        QToolBar* toolBar = addToolBar(title);
        toolBar->setObjectName(name);
        toolBar->setIconSize(QSize(24, 24));
        for (const char* actionName : names) {
            if (!*actionName) {
                toolBar->addSeparator();
                continue;
            }
            QAction* command = action(QString::fromLatin1(actionName));
            toolBar->addAction(command);
            // Buttons carry their command's name, so tests and style sheets find them.
            toolBar->widgetForAction(command)->setObjectName(command->objectName());
        }
        return toolBar;
    };
    bar(tr("File"), QStringLiteral("FileToolBar"),
        { "New_Btn", "Open_Btn", "Save_Btn", "", "Export_Btn", "Print_Btn", "Mail_Btn" });
    bar(tr("Edit"), QStringLiteral("EditToolBar"),
        { "Undo_btn", "Redo_btn", "", "Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn", "", "Begin_Front_btn",
            "Send_Back_btn", "", "Lock_btn", "Unlock_btn" });
    QToolBar* sides = bar(tr("Sides"), QStringLiteral("SidesToolBar"),
        { "Front_Side_btn", "Back_Side_btn", "Temp_Side_btn", "", "Rulers_chk", "Grid_Btn" });
    Front_back_label = new QLabel;
    Front_back_label->setObjectName(QStringLiteral("Front_back_label"));
    Front_back_label->setMargin(6);
    QFont bold = Front_back_label->font();
    bold.setBold(true);
    Front_back_label->setFont(bold);
    sides->addWidget(Front_back_label);
    bar(tr("Card"), QStringLiteral("CardToolBar"),
        { "Card_Prop_Btn", "Card_Bckgrnd_Btn", "Profile_Btn", "", "Batch_Series_Btn", "Import_Btn" });
    addToolBarBreak();
    QList<const char*> toolNames;
    static const char* const names[ToolCount] = { "Tool_0", "Tool_1", "Tool_2", "Tool_3", "Tool_4", "Tool_5", "Tool_6",
        "Tool_7", "Tool_8", "Tool_9", "Tool_10", "Tool_11", "Tool_12", "Tool_13", "Tool_14", "Tool_15" };
    for (const char* name : names)
        toolNames.append(name);
    bar(tr("Drawing Tools"), QStringLiteral("ToolsToolBar"), toolNames);
}
