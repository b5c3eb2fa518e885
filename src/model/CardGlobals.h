#pragma once

#include <QString>

#include <atomic>

// Program-wide card state that the main window owns and the canvas, renderer and other
// windows read or write.

// The side being edited: 0 front, 1 back. Workers that render set it too.
extern std::atomic<int> Card_Front_Or_Back;
// The card's own outline: 1 rounded rectangle, 2 ellipse, anything else rectangle.
extern std::atomic<int> Card_Shape;
// While true the property panel is being filled and its handlers write nothing back.
extern bool Not_Draw_Only_Prop_Change;
// While true a batch run is putting data rows on the card and the canvas is not redrawn.
extern std::atomic<bool> Card_Value_In_Process;
// Where the last object was placed; new and pasted objects cascade from here.
extern float last_ctrl_X;
extern float last_ctrl_Y;
// Path of the open design file; "" for a new project.
extern QString Project_File_Name;
// How the start-up wizard ended: "T" (not yet), "W" new card, "L" opened a design, "" left.
extern QString Start_Card_Option;
