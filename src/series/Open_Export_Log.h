#pragma once

#include <QDialog>

class QCheckBox;

// The box shown after an export: the message, the exported path, and whether to open it.
class Open_Export_Log : public QDialog
{
    Q_OBJECT

public:
    explicit Open_Export_Log(QWidget* parent = nullptr);

    // Shows Export_File_Message and Export_File_Path; OK opens the path when the box is checked.
    static int Open_Export_File_Box(QWidget* parent);

    void OKPressed();

    QCheckBox* _open_log_chk = nullptr;
};
