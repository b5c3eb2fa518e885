#include "model/CardGlobals.h"

std::atomic<int> Card_Front_Or_Back{0};
std::atomic<int> Card_Shape{0};
bool Not_Draw_Only_Prop_Change = false;
std::atomic<bool> Card_Value_In_Process{false};
float last_ctrl_X = 10.0f;
float last_ctrl_Y = 10.0f;
QString Project_File_Name;
QString Start_Card_Option = QStringLiteral("T");
