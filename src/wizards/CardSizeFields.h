#pragma once

#include <QList>
#include <QVariantMap>
#include <QWidget>

class CardSizeHost;
class QComboBox;
class QDoubleSpinBox;
class QListWidget;

// The card category, orientation, preset list and size in millimetres of the card-size
// chooser. Choosing a category fills the list with its presets and selects the first;
// selecting a preset or an orientation puts the preset's size into the two fields.
class CardSizeFields : public QWidget
{
    Q_OBJECT

public:
    explicit CardSizeFields(CardSizeHost& host, QWidget* parent = nullptr);

    // Category 0 ("PVC Card") lists the plastic-card presets, any other the name badges.
    void comboBoxSelectionDidChange(int categoryIndex);
    void Create_List(const QString& name);
    void Mark_List_New_Selection(int row);
    void tableViewSelectionDidChange();
    // Selects item 0 of the orientation and category boxes without refilling the list.
    void resetChoices();
    // Shows a card's own choice: its category's presets with its preset selected (none for a
    // size of its own, row -1), its orientation and its size in millimetres.
    void showChoice(const QString& category, const QString& orientation, int presetRow, const QSizeF& millimetres);

    QList<QVariantMap> ListData; // one row per preset, its name under "Extension"
    QComboBox* Preset_ComboBox; // "Horizontal" or "Vertical"
    QComboBox* Category_ComboBox; // "PVC Card" or "Name Badge"
    QListWidget* ColList;
    QDoubleSpinBox* width_Stepper;
    QDoubleSpinBox* height_Stepper;

private:
    void reloadList();
    CardSizeHost& host_;
};
