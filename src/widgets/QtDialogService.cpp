#include "widgets/QtDialogService.h"

#include "widgets/DialogParent.h"

#include "platform/FileDialogFolders.h"
#include "platform/GuiThread.h"

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
    runMessageBox(text, { QStringLiteral("OK") }, 0, MessageIcon::Warning);
}

void QtDialogService::showInformation(const QString& text)
{
    runMessageBox(text, { QStringLiteral("OK") }, 0, MessageIcon::Information);
}

bool QtDialogService::askYesNo(const QString& text)
{
    return askChoice(text, {QStringLiteral("Yes"), QStringLiteral("No")}, 0) == 0;
}

int QtDialogService::askChoice(const QString& text, const QStringList& buttons, int defaultButton)
{
    return runMessageBox(text, buttons, defaultButton, MessageIcon::Warning);
}

int QtDialogService::askSafeChoice(const QString& text, const QStringList& buttons, int safeButton)
{
    const int answer = runMessageBox(text, buttons, safeButton, MessageIcon::Warning, safeButton);
    return answer < 0 ? safeButton : answer;
}

DialogService::SaveChoice QtDialogService::askSaveChanges(const QString& text)
{
    return saveChoiceOf(runMessageBox(text, saveChangesButtons(), 0, MessageIcon::Warning, 2));
}

int QtDialogService::runMessageBox(
    const QString& text, const QStringList& buttons, int defaultButton, MessageIcon icon, int escapeButton)
{
    // A reader working off the GUI thread may report a problem: the box is shown on the GUI thread.
    if (!isGuiThread()) {
        int answer = -1;
        runOnGuiThreadAndWait([&] { answer = runMessageBox(text, buttons, defaultButton, icon, escapeButton); });
        return answer;
    }
    QMessageBox box(dialogParent());
    box.setWindowTitle(applicationTitle());
    box.setIcon(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning);
    box.setText(text);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(buttons[i], QMessageBox::AcceptRole);
        added.append(button);
        if (i == defaultButton)
            box.setDefaultButton(button);
        if (i == escapeButton)
            box.setEscapeButton(button);
    }
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

QString QtDialogService::chooseOpenFile(const QString& title, const QString& folder, const QString& filter)
{
    const QString chosen
        = QFileDialog::getOpenFileName(dialogParent(), title, FileDialogFolders::startAt(filter, folder), filter);
    FileDialogFolders::remember(filter, chosen);
    return chosen;
}

QStringList QtDialogService::chooseOpenFiles(const QString& title, const QString& folder, const QString& filter)
{
    const QStringList chosen
        = QFileDialog::getOpenFileNames(dialogParent(), title, FileDialogFolders::startAt(filter, folder), filter);
    if (!chosen.isEmpty())
        FileDialogFolders::remember(filter, chosen.constFirst());
    return chosen;
}

QString QtDialogService::chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                        const QString& defaultSuffix)
{
    QFileDialog dialog(dialogParent(), title, FileDialogFolders::startAt(filter, folder), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    FileDialogFolders::remember(filter, chosen);
    return chosen;
}

QString QtDialogService::chooseSaveFileOfType(
    const QString& title, const QString& folder, const QStringList& types, int* chosenType)
{
    const QString filter = types.join(QStringLiteral(";;"));
    QFileDialog dialog(dialogParent(), title, FileDialogFolders::startAt(filter, folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(types);
    *chosenType = 0;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *chosenType = std::max(0, int(types.indexOf(dialog.selectedNameFilter())));
    const QString chosen = dialog.selectedFiles().constFirst();
    FileDialogFolders::remember(filter, chosen);
    return chosen;
}

QString QtDialogService::chooseFolder(const QString& title, const QString& folder)
{
    const QString chosen
        = QFileDialog::getExistingDirectory(dialogParent(), title, FileDialogFolders::startAt(QString(), folder));
    FileDialogFolders::remember(QString(), chosen);
    return chosen;
}

int QtDialogService::runModal(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}
