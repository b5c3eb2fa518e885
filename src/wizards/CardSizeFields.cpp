#include "wizards/CardSizeFields.h"
#include "wizards/MillimetreSizeRow.h"

#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "wizards/CardSizeHost.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

namespace {
const QString nameKey = QStringLiteral("Extension");
}

CardSizeFields::CardSizeFields(CardSizeHost& host, QWidget* parent)
    : QWidget(parent)
    , Preset_ComboBox(new QComboBox)
    , Category_ComboBox(new QComboBox)
    , ColList(new QListWidget)
    , host_(host)
{
    Category_ComboBox->addItems({ QStringLiteral("PVC Card"), QStringLiteral("Name Badge") });
    Preset_ComboBox->addItems({ QStringLiteral("Horizontal"), QStringLiteral("Vertical") });
    ColList->setMinimumHeight(120);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("&Category:"), Category_ComboBox);
    form->addRow(QStringLiteral("&Orientation:"), Preset_ComboBox);
    form->addRow(QStringLiteral("&Preset:"), ColList);
    addMillimetreSizeRow(*form, width_Stepper, height_Stepper);

    connect(Category_ComboBox, &QComboBox::activated, this, &CardSizeFields::comboBoxSelectionDidChange);
    // Turning the card turns the chosen preset at once: a vertical choice must not leave a
    // horizontal size behind it.
    connect(Preset_ComboBox, &QComboBox::activated, this, [this] {
        if (!ColList->selectedItems().isEmpty())
            tableViewSelectionDidChange();
    });
    connect(ColList, &QListWidget::itemSelectionChanged, this, &CardSizeFields::tableViewSelectionDidChange);
    connect(ColList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = ColList->row(item);
        if (row < 0 || row >= ListData.size()) {
            Show_NSLog_Message(QStringLiteral("Preset row %1 is outside the list").arg(row));
            return;
        }
        ListData[row].insert(nameKey, item->text());
    });
}

void CardSizeFields::resetChoices()
{
    const QSignalBlocker presetBlocker(Preset_ComboBox);
    const QSignalBlocker categoryBlocker(Category_ComboBox);
    Preset_ComboBox->setCurrentIndex(0);
    Category_ComboBox->setCurrentIndex(0);
}

void CardSizeFields::showChoice(
    const QString& category, const QString& orientation, int presetRow, const QSizeF& millimetres)
{
    resetChoices();
    {
        const QSignalBlocker presetBlocker(Preset_ComboBox);
        const QSignalBlocker categoryBlocker(Category_ComboBox);
        Category_ComboBox->setCurrentIndex(std::max(0, Category_ComboBox->findText(category)));
        Preset_ComboBox->setCurrentIndex(std::max(0, Preset_ComboBox->findText(orientation)));
    }
    comboBoxSelectionDidChange(Category_ComboBox->currentIndex());
    {
        const QSignalBlocker blocker(ColList);
        ColList->clearSelection();
        if (presetRow >= 0 && presetRow < ColList->count())
            ColList->setCurrentRow(presetRow, QItemSelectionModel::ClearAndSelect);
    }
    // The card's own size, which may be no preset's.
    width_Stepper->setValue(millimetres.width());
    height_Stepper->setValue(millimetres.height());
}

void CardSizeFields::comboBoxSelectionDidChange(int categoryIndex)
{
    ListData.clear();
    reloadList();
    for (const QString& name : host_.presetNames(categoryIndex == 0 ? QStringLiteral("PVC Card") : QString()))
        Create_List(name);
    reloadList();
    Mark_List_New_Selection(0);
}

void CardSizeFields::Create_List(const QString& name)
{
    const QString trimmed = Trim_Str(name);
    if (!trimmed.isEmpty())
        ListData.append({ { nameKey, trimmed } });
}

void CardSizeFields::Mark_List_New_Selection(int row)
{
    if (row >= 0 && row < ColList->count())
        ColList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CardSizeFields::tableViewSelectionDidChange()
{
    const QList<QListWidgetItem*> selected = ColList->selectedItems();
    const int row = selected.isEmpty() ? -1 : ColList->row(selected.first());
    const QString orientation
        = Preset_ComboBox->currentText() == QLatin1String("Horizontal") ? QStringLiteral("H") : QStringLiteral("V");
    const QSizeF size = host_.Get_My_card_Size_For(Category_ComboBox->currentText(), orientation, row);
    if (!size.isValid())
        return;
    width_Stepper->setValue(size.width());
    height_Stepper->setValue(size.height());
}

void CardSizeFields::reloadList()
{
    const QSignalBlocker blocker(ColList);
    ColList->clear();
    for (const QVariantMap& row : std::as_const(ListData)) {
        auto* item = new QListWidgetItem(row.value(nameKey).toString(), ColList);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}
