#include "imports/SpreadsheetViewer.h"

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetTableModel.h"
#include "platform/DialogService.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

SpreadsheetViewer::SpreadsheetViewer(Data_From_Excel& table, QWidget* parent)
    : QDialog(parent)
    , table_(table)
    , model_(new SpreadsheetTableModel(table, this))
{
    setWindowTitle(tr("Spreadsheet Data"));
    ColList = new QTableView;
    ColList->setModel(model_);
    ColList->verticalHeader()->hide();
    // Rows of one height let the view skip measuring every row of a large table.
    ColList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ColList->horizontalHeader()->setDefaultSectionSize(100);
    ColList->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    rows_count = new QLabel;
    column_count = new QLabel;
    auto* counts = new QFormLayout;
    counts->addRow(tr("Rows:"), rows_count);
    counts->addRow(tr("Columns:"), column_count);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ColList, 1);
    layout->addLayout(counts);
    layout->addWidget(buttons);
    resize(760, 520);
}

void SpreadsheetViewer::reload()
{
    model_->reload();
    rows_count->setText(QString::number(table_.ListData.size()));
    column_count->setText(QString::number(table_.ColList.size()));
}

int SpreadsheetViewer::Open_Wnd()
{
    reload();
    ColList->setFocus();
    return dialogs().runModal(*this);
}
