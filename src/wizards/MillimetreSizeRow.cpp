#include "wizards/MillimetreSizeRow.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

void addMillimetreSizeRow(QFormLayout& form, QDoubleSpinBox*& width, QDoubleSpinBox*& height)
{
    width = new QDoubleSpinBox;
    height = new QDoubleSpinBox;
    for (QDoubleSpinBox* stepper : { width, height }) {
        stepper->setDecimals(3);
        stepper->setRange(10.0, 500.0);
        stepper->setSuffix(QStringLiteral(" mm"));
    }
    auto* size = new QHBoxLayout;
    size->addWidget(width);
    size->addWidget(new QLabel(QStringLiteral("by")));
    size->addWidget(height);
    size->addStretch(1);
    form.addRow(QStringLiteral("&Width and height:"), size);
    qobject_cast<QLabel*>(form.labelForField(size))->setBuddy(width);
}
