#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTableView;
class SeriesListModel;

// Shows the values of one stored series, read-only, with their count.
class View_Data_Series : public QDialog
{
    Q_OBJECT

public:
    explicit View_Data_Series(QWidget* parent = nullptr);

    // The viewer, made on first use.
    static View_Data_Series* defaultInstance();

    // Loads the series named file_name and runs the viewer modally.
    int Open_Wnd();
    void Load_file_Func();

    QString file_name;
    QLabel* series_name = nullptr;
    QTableView* List = nullptr;
    QLabel* list_count = nullptr;
    SeriesListModel& ListData() { return *ListData_; }

private:
    SeriesListModel* ListData_ = nullptr;
};
