#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QDialog;

// The icon of an alert: a report of work done, or a problem.
enum class MessageIcon
{
    Information,
    Warning,
};

// Every message box, question, file chooser and modal window run goes through this
// service, so that tests can answer them without a person.
class DialogService
{
public:
    virtual ~DialogService() = default;

    // A modal alert with the one button "OK" that warns of a problem.
    virtual void showMessage(const QString& text) = 0;
    // The same for a report of work done ("... saved successfully.").
    virtual void showInformation(const QString& text) { showMessage(text); }
    // A problem alert whose text says what failed and whose informative text says why, so a
    // refusal keeps its short sentence and still tells the reason.
    virtual void showMessageWithReason(const QString& text, const QString& reason)
    {
        showMessage(reason.isEmpty() ? text : text + QStringLiteral("\n\n") + reason);
    }
    // An "OK" alert whose short text stays readable and whose details (a long list, shown by
    // the box's "Show Details..." button) hold the rest. Without details it is the plain alert.
    virtual void showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon);
    // A modal alert with "Yes" (default) and "No" (Escape), for questions whose "Yes" loses
    // nothing; true when "Yes" was pressed.
    virtual bool askYesNo(const QString& text) = 0;
    // A question whose "Yes" replaces, deletes or discards something: "No" is the default
    // button and Escape (or closing the box) answers it too, so only a deliberate "Yes" goes
    // ahead. True when "Yes" was pressed.
    virtual bool askYesNoSafe(const QString& text) { return askYesNo(text); }
    // A modal alert with the given buttons; returns the index of the button pressed,
    // or -1 when the alert was closed without one. Escape presses "Cancel" or "No" where
    // one is offered, and the default button otherwise.
    virtual int askChoice(const QString& text, const QStringList& buttons, int defaultButton) = 0;
    // Whether to start work the text warns of: goOn or "Cancel", which is the default and
    // what Escape and the title bar's close button give. True when goOn was pressed.
    bool askGoOnOrCancel(const QString& text, const QString& goOn);
    // The same with details behind the box's "Show Details..." button: the whole list whose
    // first few lines the text names.
    bool askGoOnOrCancel(const QString& text, const QString& goOn, const QString& details);
    // A question with the given buttons that replaces, deletes or discards: safeButton is the
    // default, and Escape or closing the alert answer it too.
    virtual int askSafeChoice(const QString& text, const QStringList& buttons, int safeButton);
    // askSafeChoice with details, as showMessageWithDetails shows them.
    virtual int askSafeChoiceWithDetails(
        const QString& text, const QStringList& buttons, int safeButton, const QString& details);
    // Whether to save unsaved changes first: "Save" (default), "Don't Save" or "Cancel".
    // Escape and the title bar's close button are Cancel.
    enum class SaveChoice
    {
        Save,
        DontSave,
        Cancel
    };
    virtual SaveChoice askSaveChanges(const QString& text);
    // The same three answers on closing a window with what the user typed: Cancel is the
    // default, so Enter and Escape keep the window open with the typing.
    SaveChoice askSaveChangesOnClosing(const QString& text);
    // The three answers' buttons, in the order saveChoiceOf reads the index pressed.
    static QStringList saveChangesButtons();
    static SaveChoice saveChoiceOf(int buttonPressed);

    // File choosers return "" (or an empty list) when cancelled. A save chooser asks before
    // replacing an existing file, as askYesNoSafe does. An empty folder means the
    // folder last used for that kind of file (see FileDialogFolders). A filter is Qt's
    // "Description (*.ext *.ext2)" form; defaultSuffix is appended when the user typed none.
    virtual QString chooseOpenFile(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QStringList chooseOpenFiles(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                   const QString& defaultSuffix) = 0;
    virtual QString chooseFolder(const QString& title, const QString& folder) = 0;
    // A save chooser that leaves the question about replacing to its caller, which writes
    // more files than the one named and asks about them all at once. A service whose save
    // chooser asks nothing has nothing to leave out.
    virtual QString chooseSaveFileAskedLater(
        const QString& title, const QString& folder, const QString& filter, const QString& defaultSuffix)
    {
        return chooseSaveFile(title, folder, filter, defaultSuffix);
    }
    // A save chooser with a list of file types (filters as above): *chosenType is the index of
    // the type picked in the list. A service without such a list offers the first type only.
    virtual QString chooseSaveFileOfType(
        const QString& title, const QString& folder, const QStringList& types, int* chosenType);

    // Runs a dialog modally; returns its result (1 OK, 0 Cancel).
    virtual int runModal(QDialog& dialog) = 0;
};

// The service in force. The program installs Qt's at start-up; until then (and in programs
// without widgets) alerts are only logged and every question is answered "No" or cancelled.
DialogService& dialogs();
// Replaces the service; returns the previous one. Passing nullptr restores the logging one.
std::unique_ptr<DialogService> setDialogService(std::unique_ptr<DialogService> service);
