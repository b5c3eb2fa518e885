#include "series/Open_Export_Log.h"

#include "common/Globals.h"
#include "platform/DesktopOpener.h"
#include "platform/DialogService.h"
#include "platform/InterfaceSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

Open_Export_Log::Open_Export_Log(QWidget* parent, const QString& details)
    : QDialog(parent)
{
    setWindowTitle(tr("Export"));
    auto* message = new QLabel(Export_File_Message);
    message->setWordWrap(true);
    auto* path = new QLabel(Export_File_Path);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path->setWordWrap(true);
    // The person's choice holds for the next export of the same kind, in this run and the next.
    const bool folder = QFileInfo(Export_File_Path).isDir();
    const QString openKey = folder ? QStringLiteral("Export/openFolder") : QStringLiteral("Export/openFile");
    _open_log_chk
        = new QCheckBox(folder ? QStringLiteral("Open containing folder.") : QStringLiteral("Open exported file."));
    _open_log_chk->setChecked(InterfaceSettings::value(openKey, true).toBool());
    connect(
        _open_log_chk, &QCheckBox::toggled, this, [openKey](bool open) { InterfaceSettings::setValue(openKey, open); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &Open_Export_Log::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(path);
    layout->addWidget(_open_log_chk);
    if (!details.isEmpty()) {
        // The whole list, one click away, as a message box keeps its details.
        detailsButton = buttons->addButton(tr("Show &Details…"), QDialogButtonBox::ActionRole);
        detailsButton->setCheckable(true);
        detailsButton->setToolTip(tr("Every card to fix and what is wrong with it"));
        detailsText = new QPlainTextEdit(details);
        detailsText->setReadOnly(true);
        detailsText->setLineWrapMode(QPlainTextEdit::NoWrap);
        detailsText->setMinimumHeight(160);
        detailsText->hide();
        connect(detailsButton, &QPushButton::toggled, this, [this](bool shown) {
            detailsText->setVisible(shown);
            detailsButton->setText(shown ? tr("Hide &Details…") : tr("Show &Details…"));
            adjustSize();
        });
        layout->addWidget(detailsText, 1);
    }
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

int Open_Export_Log::Open_Export_File_Box(QWidget* parent, const QString& details)
{
    Open_Export_Log box(parent, details);
    return dialogs().runModal(box);
}

void Open_Export_Log::OKPressed()
{
    if (_open_log_chk->isChecked())
        openWithDesktop(QUrl::fromLocalFile(Export_File_Path));
    accept();
}
