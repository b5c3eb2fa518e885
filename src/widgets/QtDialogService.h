#pragma once

#include "platform/DialogService.h"

class QWidget;

// The dialog service shown to a person: Qt's message boxes and file dialogs.
class QtDialogService final : public DialogService
{
public:
    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;
    void showMessageWithReason(const QString& text, const QString& reason) override;
    void showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon) override;
    bool askYesNo(const QString& text) override;
    bool askYesNoSafe(const QString& text) override;
    int askChoice(const QString& text, const QStringList& buttons, int defaultButton) override;
    int askSafeChoice(const QString& text, const QStringList& buttons, int safeButton) override;
    int askSafeChoiceWithDetails(
        const QString& text, const QStringList& buttons, int safeButton, const QString& details) override;
    SaveChoice askSaveChanges(const QString& text) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
    QStringList chooseOpenFiles(const QString& title, const QString& folder, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                           const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& folder) override;
    QString chooseSaveFileAskedLater(
        const QString& title, const QString& folder, const QString& filter, const QString& defaultSuffix) override;
    QString chooseSaveFileOfType(
        const QString& title, const QString& folder, const QStringList& types, int* chosenType) override;
    int runModal(QDialog& dialog) override;

    // askYesNoSafe's question over the given window (a file chooser asking about its own choice).
    static bool askToReplace(const QString& text, QWidget* parent);

private:
    static QString chooseSaveFileAsking(const QString& title, const QString& folder, const QString& filter,
        const QString& defaultSuffix, bool askToReplace);
    // The index of the button pressed; escapeButton (-1 for none) is what Escape and the
    // title bar's close press. Without a parent the box stands over the program's window.
    static int runMessageBox(const QString& text, const QStringList& buttons, int defaultButton, MessageIcon icon,
                             int escapeButton = -1, QWidget* parent = nullptr,
                             const QString& informativeText = QString(), const QString& detailedText = QString());
};
