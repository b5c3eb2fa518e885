#pragma once

#include <QDialog>
#include <QSizeF>
#include <QString>

class CardSizeFields;
class CardSizeHost;
class QButtonGroup;
class QComboBox;

// The card-size chooser: a preset of the chosen category and orientation, the size in
// millimetres and the card's outline. OK sets the main window's canvas size; Cancel puts
// Card_Shape back to the rectangle.
class Card_Wizard : public QDialog
{
    Q_OBJECT

public:
    explicit Card_Wizard(CardSizeHost& host, QWidget* parent = nullptr);
    ~Card_Wizard() override;
    static Card_Wizard* defaultInstance();

    // Puts the shape and the three boxes back to their first items and runs the chooser
    // modally: 1 after OK, 0 after Cancel.
    int Open_Wnd();
    // A card's size, as the chooser shows it when opened on an existing card.
    struct CardChoice
    {
        QString category;
        QString orientation;
        int presetRow = -1; // -1: a size of its own
        QSizeF millimetres;
        int shape = 0;
    };
    // Runs the chooser opened at the card's own choice.
    int Open_Wnd(const CardChoice& card);

    void OK_Click();
    void CancelClick();
    void card_shape_CellClick(int row);
    void User_Profile_Click();

    QComboBox* Sides_ComboBox;
    CardSizeFields* fields;
    QButtonGroup* matrix_card_shape; // 0 rectangle, 1 rounded rectangle, 2 ellipse

protected:
    void reject() override { CancelClick(); }

private:
    CardSizeHost& host_;
};
