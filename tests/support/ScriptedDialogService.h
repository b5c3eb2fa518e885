#pragma once

#include "platform/DialogService.h"

#include <QDialog>
#include <QThread>

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// A dialog service that answers from a script instead of a person, and records what was
// asked and on which thread. Install it with ScriptedDialogs (below) for the test's length.
class ScriptedDialogService final : public DialogService
{
public:
    struct Asked
    {
        QString kind; // "message", "yesno", "choice", "open", "openMany", "save", "folder", "modal"
        QString text;
        QThread* thread = nullptr;
        MessageIcon icon = MessageIcon::Warning; // of "message" alerts
        bool safeDefault = false; // a "yesno" whose default and Escape are "No", a "choice" asked safe
        QString informative; // the reason under a "message" alert's text
        QString details; // what a "message" alert or a "choice" holds behind its details button
        QString filter; // the file types an "open" chooser offers
    };

    // Answers, consumed in order; when a queue is empty the default answer is used
    // (OK / "No" / cancel / first button).
    std::deque<bool> yesNoAnswers;
    std::deque<int> choiceAnswers;
    std::deque<QString> fileAnswers;
    std::deque<QStringList> filesAnswers;
    // The file type picked in a typed save chooser, with the next file answer (default 0).
    std::deque<int> typeAnswers;
    // Called with each modal dialog; its return value is the dialog's result.
    std::function<int(QDialog&)> modalHandler;
    // Called before each answer is given (for example to wait, proving the caller blocks).
    std::function<void(const Asked&)> beforeAnswer;

    std::vector<Asked> asked() const;
    std::vector<QString> messages() const; // texts of "message" alerts, in order
    QString lastInformative() const; // the informative text of the last "message" alert
    QString lastDetails() const; // the details of the last "message" alert

    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;
    void showMessageWithReason(const QString& text, const QString& reason) override;
    void showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon) override;
    bool askYesNo(const QString& text) override;
    bool askYesNoSafe(const QString& text) override;
    int askChoice(const QString& text, const QStringList& buttons, int defaultButton) override;
    int askSafeChoiceWithDetails(
        const QString& text, const QStringList& buttons, int safeButton, const QString& details) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
    QStringList chooseOpenFiles(const QString& title, const QString& folder, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                           const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& folder) override;
    QString chooseSaveFileOfType(
        const QString& title, const QString& folder, const QStringList& types, int* chosenType) override;
    int runModal(QDialog& dialog) override;

private:
    Asked lastMessage() const; // the last "message" alert, or an empty one
    void record(const QString& kind, const QString& text, MessageIcon icon = MessageIcon::Warning,
                bool safeDefault = false, const QString& informative = QString(), const QString& details = QString());
    bool nextYesNo();
    int nextChoice();
    QString nextFile();

    mutable std::mutex lock_;
    std::vector<Asked> asked_;
};

// Installs a ScriptedDialogService for its lifetime, then restores the previous service.
class ScriptedDialogs
{
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogService* operator->() { return service_; }
    ScriptedDialogService& operator*() { return *service_; }

private:
    ScriptedDialogService* service_;
    std::unique_ptr<DialogService> previous_;
};
