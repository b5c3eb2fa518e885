#include "platform/DialogService.h"

#include "platform/GuiThread.h"

#include <QtDebug>

namespace {

// Stands in where nobody can answer: a library used without the program's windows must
// neither block nor need the widget library.
class LoggingDialogService : public DialogService
{
public:
    void showMessage(const QString& text) override { log(text); }
    bool askYesNo(const QString& text) override
    {
        log(text);
        return false;
    }
    int askChoice(const QString& text, const QStringList&, int) override
    {
        log(text);
        return -1;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QStringList chooseOpenFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    int runModal(QDialog&) override { return 0; }

protected:
    virtual void log(const QString& text) { qInfo().noquote() << text; }
};

// Work that holds the window's input cannot be answered (the window would wait for ever):
// a dialog it asks for is a fault, logged and answered by default.
class HeldInputDialogService final : public LoggingDialogService
{
public:
    QString chooseOpenFile(const QString& title, const QString&, const QString&) override { return refused(title); }
    QStringList chooseOpenFiles(const QString& title, const QString&, const QString&) override
    {
        log(title);
        return {};
    }
    QString chooseSaveFile(const QString& title, const QString&, const QString&, const QString&) override
    {
        return refused(title);
    }
    QString chooseFolder(const QString& title, const QString&) override { return refused(title); }
    int runModal(QDialog&) override
    {
        log(QStringLiteral("a window"));
        return 0;
    }

protected:
    void log(const QString& text) override
    {
        qCritical().noquote() << "A dialog was asked for by work behind the please-wait sheet and not shown:" << text;
    }

private:
    QString refused(const QString& title)
    {
        log(title);
        return {};
    }
};

std::unique_ptr<DialogService>& currentService()
{
    static std::unique_ptr<DialogService> service = std::make_unique<LoggingDialogService>();
    return service;
}

} // namespace

QString DialogService::chooseSaveFileOfType(
    const QString& title, const QString& folder, const QStringList& types, int* chosenType)
{
    *chosenType = 0;
    return chooseSaveFile(title, folder, types.value(0), QString());
}

void DialogService::showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon)
{
    // A service without a details pane shows the whole list below the text.
    const QString whole = details.isEmpty() ? text : text + QStringLiteral("\n\n") + details;
    if (icon == MessageIcon::Information)
        showInformation(whole);
    else
        showMessage(whole);
}

bool DialogService::askGoOnOrCancel(const QString& text, const QString& goOn)
{
    return askSafeChoice(text, { goOn, QStringLiteral("Cancel") }, 1) == 0;
}

DialogService::SaveChoice DialogService::askSaveChanges(const QString& text)
{
    return saveChoiceOf(askChoice(text, saveChangesButtons(), 0));
}

int DialogService::askSafeChoice(const QString& text, const QStringList& buttons, int safeButton)
{
    const int answer = askChoice(text, buttons, safeButton);
    return answer < 0 ? safeButton : answer;
}

bool DialogService::askGoOnOrCancel(const QString& text, const QString& goOn, const QString& details)
{
    return askSafeChoiceWithDetails(text, { goOn, QStringLiteral("Cancel") }, 1, details) == 0;
}

int DialogService::askSafeChoiceWithDetails(
    const QString& text, const QStringList& buttons, int safeButton, const QString& details)
{
    // A service without a details pane asks with the whole list below the text.
    return askSafeChoice(details.isEmpty() ? text : text + QStringLiteral("\n\n") + details, buttons, safeButton);
}

DialogService::SaveChoice DialogService::askSaveChangesOnClosing(const QString& text)
{
    return saveChoiceOf(askSafeChoice(text, saveChangesButtons(), 2));
}

QStringList DialogService::saveChangesButtons()
{
    return { QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel") };
}

DialogService::SaveChoice DialogService::saveChoiceOf(int buttonPressed)
{
    switch (buttonPressed) {
    case 0:
        return SaveChoice::Save;
    case 1:
        return SaveChoice::DontSave;
    default:
        return SaveChoice::Cancel;
    }
}

DialogService& dialogs()
{
    if (insideWorkHoldingInput()) {
        static HeldInputDialogService refusing;
        return refusing;
    }
    return *currentService();
}

std::unique_ptr<DialogService> setDialogService(std::unique_ptr<DialogService> service)
{
    if (!service)
        service = std::make_unique<LoggingDialogService>();
    std::swap(currentService(), service);
    return service;
}
