#pragma once

#include <QDialog>

class QPushButton;

// Asks, as the program ends, for a rating on the review page. Rate opens the page, OK
// only closes the window; both end it with 1, and closing it otherwise gives 0.
class Review_Form : public QDialog
{
    Q_OBJECT

public:
    explicit Review_Form(QWidget* parent = nullptr);

    int Open_Review_Form_Window();
    void OK_Clicked();
    void Review_Clicked();

    QPushButton *support_id, *website_1, *ok_btn, *review_btn;
};
