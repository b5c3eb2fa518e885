#include "widgets/QtDialogService.h"

#include "widgets/DialogParent.h"

#include "platform/FileDialogFolders.h"
#include "platform/GuiThread.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString applicationTitle()
{
    return QApplication::applicationDisplayName();
}

// The everyday answers get their usual keys; every other label is shown as the caller wrote it.
QString withMnemonic(const QString& label)
{
    static const QHash<QString, QString> keyed {
        { QStringLiteral("Yes"), QStringLiteral("&Yes") },
        { QStringLiteral("No"), QStringLiteral("&No") },
        { QStringLiteral("Save"), QStringLiteral("&Save") },
        { QStringLiteral("Don't Save"), QStringLiteral("&Don't Save") },
        { QStringLiteral("Cancel"), QStringLiteral("&Cancel") },
    };
    return keyed.value(label, label);
}

// A save chooser that asks before replacing a file with "No" as the default and Escape's answer
// (Qt's own question differs by platform), and stays open on "No" so another name can be typed.
// Qt's own dialog is used everywhere so that this question is the one asked.
class SaveFileDialog final : public QFileDialog
{
public:
    SaveFileDialog(const QString& title, const QString& folder, const QString& filter, bool askToReplace = true)
        : QFileDialog(dialogParent(), title, folder, filter)
        , askToReplace_(askToReplace)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::DontConfirmOverwrite);
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (askToReplace_ && !files.isEmpty()) {
            const QFileInfo chosen(files.constFirst());
            if (chosen.exists() && !chosen.isDir()
                && !QtDialogService::askToReplace(
                    QStringLiteral("\"%1\" already exists. Do you want to replace it?").arg(chosen.fileName()), this))
                return;
        }
        QFileDialog::accept();
    }

private:
    bool askToReplace_;
};

} // namespace

void QtDialogService::showMessage(const QString& text)
{
    runMessageBox(text, { QStringLiteral("OK") }, 0, MessageIcon::Warning);
}

void QtDialogService::showInformation(const QString& text)
{
    runMessageBox(text, { QStringLiteral("OK") }, 0, MessageIcon::Information);
}

void QtDialogService::showMessageWithReason(const QString& text, const QString& reason)
{
    runMessageBox(text, { QStringLiteral("OK") }, 0, MessageIcon::Warning, -1, nullptr, reason);
}

void QtDialogService::showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon)
{
    runMessageBox(text, { QStringLiteral("OK") }, 0, icon, 0, nullptr, QString(), details);
}

bool QtDialogService::askYesNo(const QString& text)
{
    return askChoice(text, {QStringLiteral("Yes"), QStringLiteral("No")}, 0) == 0;
}

bool QtDialogService::askYesNoSafe(const QString& text)
{
    return askToReplace(text, dialogParent());
}

bool QtDialogService::askToReplace(const QString& text, QWidget* parent)
{
    return runMessageBox(text, { QStringLiteral("Yes"), QStringLiteral("No") }, 1, MessageIcon::Warning, 1, parent)
        == 0;
}

int QtDialogService::askChoice(const QString& text, const QStringList& buttons, int defaultButton)
{
    // Escape backs out through "Cancel" or "No" where the question offers one, and otherwise
    // gives the default answer, which a question that replaces or deletes keeps safe.
    int escape = int(buttons.indexOf(QStringLiteral("Cancel")));
    if (escape < 0)
        escape = int(buttons.indexOf(QStringLiteral("No")));
    return runMessageBox(text, buttons, defaultButton, MessageIcon::Warning, escape >= 0 ? escape : defaultButton);
}

int QtDialogService::askSafeChoice(const QString& text, const QStringList& buttons, int safeButton)
{
    const int answer = runMessageBox(text, buttons, safeButton, MessageIcon::Warning, safeButton);
    return answer < 0 ? safeButton : answer;
}

int QtDialogService::askSafeChoiceWithDetails(
    const QString& text, const QStringList& buttons, int safeButton, const QString& details)
{
    const int answer
        = runMessageBox(text, buttons, safeButton, MessageIcon::Warning, safeButton, nullptr, QString(), details);
    return answer < 0 ? safeButton : answer;
}

DialogService::SaveChoice QtDialogService::askSaveChanges(const QString& text)
{
    return saveChoiceOf(runMessageBox(text, saveChangesButtons(), 0, MessageIcon::Warning, 2));
}

int QtDialogService::runMessageBox(const QString& text, const QStringList& buttons, int defaultButton,
                                   MessageIcon icon, int escapeButton, QWidget* parent, const QString& informativeText,
                                   const QString& detailedText)
{
    // A reader working off the GUI thread may report a problem: the box is shown on the GUI thread.
    if (!isGuiThread()) {
        int answer = -1;
        runOnGuiThreadAndWait([&] {
            answer = runMessageBox(
                text, buttons, defaultButton, icon, escapeButton, parent, informativeText, detailedText);
        });
        return answer;
    }
    QMessageBox box(parent ? parent : dialogParent());
    box.setWindowTitle(applicationTitle());
    box.setIcon(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning);
    box.setText(text);
    // What a message names (a file, an address) can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setInformativeText(informativeText);
    box.setDetailedText(detailedText);
    // Enter on the details button, which keeps the focus once clicked, answers the box as
    // everywhere else instead of showing and hiding the details.
    for (QAbstractButton* button : box.buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button); push && box.buttonRole(push) == QMessageBox::ActionRole)
            push->setAutoDefault(false);
    }
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(withMnemonic(buttons[i]), QMessageBox::AcceptRole);
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
    return chooseSaveFileAsking(title, folder, filter, defaultSuffix, true);
}

QString QtDialogService::chooseSaveFileAskedLater(
    const QString& title, const QString& folder, const QString& filter, const QString& defaultSuffix)
{
    return chooseSaveFileAsking(title, folder, filter, defaultSuffix, false);
}

QString QtDialogService::chooseSaveFileAsking(
    const QString& title, const QString& folder, const QString& filter, const QString& defaultSuffix, bool askToReplace)
{
    SaveFileDialog dialog(title, FileDialogFolders::startAt(filter, folder), filter, askToReplace);
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
    SaveFileDialog dialog(title, FileDialogFolders::startAt(filter, folder), QString());
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
