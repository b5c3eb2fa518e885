#include "inspector/TextPropertiesPage.h"

#include <QComboBox>
#include <QFormLayout>

TextPropertiesPage::TextPropertiesPage(QWidget* parent)
    : ObjectPage(parent)
    , Text_align_combo(new QComboBox)
    , Text_case_combo(new QComboBox)
    , Text_Date_style(new QComboBox)
    , Text_Time_style(new QComboBox)
{
    Text_align_combo->addItems({ tr("Left"), tr("Right"), tr("Centre"), tr("Justified") });
    Text_case_combo->addItems({ tr("As typed"), tr("UPPER CASE"), tr("lower case"), tr("Title Case") });
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Alignment:"), Text_align_combo);
    form->addRow(tr("&Case:"), Text_case_combo);
    form->addRow(tr("&Date format:"), Text_Date_style);
    form->addRow(tr("&Time format:"), Text_Time_style);
}

void TextPropertiesPage::fillFixedLists()
{
    Text_Date_style->clear();
    Text_Date_style->addItems({ "M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd", "dd-MMM-yy",
        "dd-MM-yyyy", "d-M-yy" });
    Text_Date_style->setCurrentIndex(0);
    Text_Time_style->clear();
    Text_Time_style->addItems({ "h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss" });
    Text_Time_style->setCurrentIndex(0);
    Text_align_combo->setCurrentIndex(0);
    Text_case_combo->setCurrentIndex(0);
}
