#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

// The box shown after an export: the message, the exported path, and whether to open it.
class Open_Export_Log : public QDialog
{
    Q_OBJECT

public:
    // details: a long list behind the message (the cards to fix), shown on request; "" for none.
    explicit Open_Export_Log(QWidget* parent = nullptr, const QString& details = QString());

    // Shows Export_File_Message and Export_File_Path; OK opens the path when the box is checked.
    static int Open_Export_File_Box(QWidget* parent, const QString& details = QString());

    void OKPressed();

    QCheckBox* _open_log_chk = nullptr;
    QPushButton* detailsButton = nullptr; // null without details
    QPlainTextEdit* detailsText = nullptr;
};
