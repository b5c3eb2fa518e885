#include "series/View_Data_Series.h"

#include "data/SeriesStore.h"
#include "platform/DialogService.h"
#include "series/SeriesListModel.h"
#include "series/SeriesTableView.h"
#include "dialogs/BackgroundWork.h"
#include "widgets/DialogParent.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPointer<View_Data_Series> View_Data_Series_DefaultInstance;

} // namespace

View_Data_Series::View_Data_Series(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Series Values"));
    ListData_ = new SeriesListModel(tr("Value"), this);
    series_name = new QLabel;
    series_name->setTextFormat(Qt::PlainText);
    List = makeSeriesTable(ListData_, false, this);
    list_count = new QLabel;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(series_name);
    layout->addWidget(List, 1);
    layout->addWidget(list_count);
    layout->addWidget(buttons);
    resize(420, 480);
}

View_Data_Series* View_Data_Series::defaultInstance()
{
    if (!View_Data_Series_DefaultInstance)
        View_Data_Series_DefaultInstance = new View_Data_Series(dialogParent());
    return View_Data_Series_DefaultInstance;
}

int View_Data_Series::Open_Wnd()
{
    series_name->setText(tr("Series: %1").arg(file_name));
    Load_file_Func();
    List->setFocus();
    const int result = dialogs().runModal(*this);
    hide();
    return result;
}

void View_Data_Series::Load_file_Func()
{
    std::optional<SeriesRows> rows;
    QString reason;
    // Read as a run reads it: a line too long to be a value is shown as such, never held.
    // Before the viewer is up, the sheet covers the window it is opened from.
    runBehindPleaseWait(isVisible() ? this : parentWidget(), [&] { rows = readSeriesFile(file_name, &reason); });
    ListData_->setTexts(rows ? rows->values : QStringList(), rows ? rows->tooLong : QList<int>());
    list_count->setText(QStringLiteral("Total Rows : %1").arg(ListData_->count()));
    // A missing series is shown empty; a file there that cannot be read says why.
    if (!rows && seriesExists(file_name))
        dialogs().showMessage(reason.endsWith(u'.') ? reason : reason + u'.');
}
