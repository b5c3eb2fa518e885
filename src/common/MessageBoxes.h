#pragma once

#include <QString>

// Modal alerts. Callable from any thread: the alert runs on the GUI thread while the caller
// waits. Before the main window exists they show nothing.

// "OK" alert showing "\n" + text. A null text is logged and shows nothing.
void Show_MessageBox(const QString& text);
// The same alert with the reason as its informative text, written as a sentence.
void Show_MessageBox_With_Reason(const QString& text, const QString& reason);
// The same alert with details behind its details button (a long list the text only begins).
void Show_MessageBox_With_Details(const QString& text, const QString& details);
// "Yes"/"No" alert; true when "Yes" was pressed. Before the main window exists it returns
// the previous answer. Questions from several threads are asked one at a time.
bool Show_YES_NO_MessageBox(const QString& text);
// "OK" alert on the calling thread (which must be the GUI thread), "\n" + text.
void Show_MessageBox_No_Thread(const QString& text);
// "OK" alert on the calling thread, the text unchanged.
void show_msg(const QString& text);

// The GUI-thread halves: show the alert with the prepared text.
void Main_Thread_Messgae(const QString& text);
void Main_Thread_Messgae_Yes_No(const QString& text);
