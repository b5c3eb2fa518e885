#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Makes series values by rule: a sequential run of numbers, one value repeated, or random
// numbers. In new-series mode it asks a name and writes a series file; otherwise it adds the
// values to the series open in the series editor.
class Generate_List : public QDialog
{
    Q_OBJECT

public:
    explicit Generate_List(QWidget* parent = nullptr);

    // The generator, made on first use.
    static Generate_List* defaultInstance();

    // file_name_required 1: new-series mode; file_name_Insert 1: the editor's series list is
    // refilled afterwards. Resets the window and runs it modally: 1 when values were made.
    int Open_Wnd(int fileNameRequired, int fileNameInsert);

    enum Generator
    {
        Sequential,
        Constant,
        Random
    };
    void selectGenerator(Generator generator);
    void OKPressed();

    int file_name_required = 0;
    int file_name_Insert = 0;

    QRadioButton* radioButton_Sequntial = nullptr;
    QRadioButton* radioButton_Constant = nullptr;
    QRadioButton* radioButton_Random = nullptr;
    QLineEdit* seq_file_name = nullptr;
    QLineEdit* const_file_name = nullptr;
    QLineEdit* rndm_file_name = nullptr;
    QLineEdit* prefix_txt = nullptr;
    QLineEdit* suffix_txt = nullptr;
    QLineEdit* from_txt = nullptr;
    QLineEdit* to_txt = nullptr;
    QCheckBox* manage_digit_chk = nullptr;
    QLineEdit* value_txt = nullptr;
    QLineEdit* count_txt = nullptr;
    QLineEdit* rand_prefix_txt = nullptr;
    QLineEdit* rand_suffix_txt = nullptr;
    QLineEdit* rand_length_txt = nullptr;
    QLineEdit* rand_count_txt = nullptr;

private:
    QGroupBox* buildSequential();
    QGroupBox* buildConstant();
    QGroupBox* buildRandom();
    void resetFields();
    void Help_btn_Pressed();
    // The first empty required field shows its message and takes the focus; false then.
    bool inputsComplete();
    QLineEdit* nameField() const;
    QStringList values() const;
    bool writeNewSeries(const QStringList& values);

    Generator generator_ = Sequential;
    QGroupBox* boxes_[3] = {};
    QLineEdit* nameFields_[3] = {};
};
