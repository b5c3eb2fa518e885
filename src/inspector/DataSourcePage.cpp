#include "inspector/DataSourcePage.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

DataSourcePage::DataSourcePage(QWidget* parent)
    : ObjectPage(parent)
    , data_source_title(new QLabel)
    , manual_brws_box(new QGroupBox(tr("Picture file")))
{
    QFont bold = data_source_title->font();
    bold.setBold(true);
    data_source_title->setFont(bold);
    new QVBoxLayout(manual_brws_box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(data_source_title);
    layout->addWidget(manual_brws_box);
    layout->addStretch(1);
}
