#pragma once

#include <QDialog>

class QLineEdit;
class SeriesListModel;

// Changes one value of the open series; the series file changes only when the editor saves.
class Update_Ex_Num : public QDialog
{
    Q_OBJECT

public:
    explicit Update_Ex_Num(SeriesListModel& values, QWidget* parent = nullptr);

    // Shows the value of the row for editing and runs modally: 1 after OK, 0 after Cancel.
    int Open_Wnd(const QString& value, int row);

    void OKPressed();

    QLineEdit* m_s_number = nullptr; // the value before editing
    QLineEdit* m_ex_num_str = nullptr; // the value being edited

private:
    SeriesListModel& values_;
    int m_ex_num_index = -1;
};
