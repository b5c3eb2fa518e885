#include "series/Update_Ex_Num.h"

#include "common/StringHelpers.h"
#include "platform/DialogService.h"
#include "series/SeriesListModel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

Update_Ex_Num::Update_Ex_Num(SeriesListModel& values, QWidget* parent)
    : QDialog(parent)
    , values_(values)
{
    setWindowTitle(tr("Edit Value"));
    m_s_number = new QLineEdit;
    m_s_number->setReadOnly(true);
    m_s_number->setFocusPolicy(Qt::ClickFocus);
    m_ex_num_str = new QLineEdit;
    m_ex_num_str->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &Update_Ex_Num::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Current value:"), m_s_number);
    form->addRow(tr("&New value:"), m_ex_num_str);
    form->addRow(buttons);
}

int Update_Ex_Num::Open_Wnd(const QString& value, int row)
{
    m_s_number->setText(value);
    m_ex_num_str->setText(value);
    m_ex_num_index = row;
    m_ex_num_str->selectAll();
    m_ex_num_str->setFocus();
    return dialogs().runModal(*this);
}

void Update_Ex_Num::OKPressed()
{
    if (m_s_number->text() == m_ex_num_str->text()) {
        accept();
        return;
    }
    const QString value = Trim_Str(m_ex_num_str->text());
    if (value.isEmpty()) {
        dialogs().showMessage(QStringLiteral("Please enter a valid value."));
        m_ex_num_str->setFocus();
        return;
    }
    // The row may have gone since the dialog was filled; then nothing is replaced.
    if (!values_.replace(m_ex_num_index, value))
        reject();
    else
        accept();
}
