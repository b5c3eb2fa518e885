#include "widgets/QtDialogService.h"

#include "widgets/DialogParent.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString applicationTitle()
{
    return QApplication::applicationDisplayName();
}

} // namespace

void QtDialogService::showMessage(const QString& text)
{
    askChoice(text, {QStringLiteral("OK")}, 0);
}

bool QtDialogService::askYesNo(const QString& text)
{
    return askChoice(text, {QStringLiteral("Yes"), QStringLiteral("No")}, 0) == 0;
}

int QtDialogService::askChoice(const QString& text, const QStringList& buttons, int defaultButton)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(buttons[i], QMessageBox::AcceptRole);
        added.append(button);
        if (i == defaultButton)
            box.setDefaultButton(button);
    }
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

QString QtDialogService::chooseOpenFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
}

QStringList QtDialogService::chooseOpenFiles(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileNames(dialogParent(), title, folder, filter);
}

QString QtDialogService::chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                        const QString& defaultSuffix)
{
    QFileDialog dialog(dialogParent(), title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogService::chooseFolder(const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(dialogParent(), title, folder);
}

int QtDialogService::runModal(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}
