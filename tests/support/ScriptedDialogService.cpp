#include "support/ScriptedDialogService.h"

std::vector<ScriptedDialogService::Asked> ScriptedDialogService::asked() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return asked_;
}

std::vector<QString> ScriptedDialogService::messages() const
{
    std::vector<QString> texts;
    for (const Asked& a : asked())
        if (a.kind == QLatin1String("message"))
            texts.push_back(a.text);
    return texts;
}

ScriptedDialogService::Asked ScriptedDialogService::lastMessage() const
{
    const std::vector<Asked> all = asked();
    for (auto a = all.rbegin(); a != all.rend(); ++a)
        if (a->kind == QLatin1String("message"))
            return *a;
    return {};
}

QString ScriptedDialogService::lastInformative() const
{
    return lastMessage().informative;
}

QString ScriptedDialogService::lastDetails() const
{
    return lastMessage().details;
}

void ScriptedDialogService::record(const QString& kind, const QString& text, MessageIcon icon, bool safeDefault,
    const QString& informative, const QString& details)
{
    Asked entry { kind, text, QThread::currentThread(), icon, safeDefault, informative, details };
    {
        std::lock_guard<std::mutex> guard(lock_);
        asked_.push_back(entry);
    }
    if (beforeAnswer)
        beforeAnswer(entry);
}

QString ScriptedDialogService::nextFile()
{
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void ScriptedDialogService::showMessage(const QString& text)
{
    record(QStringLiteral("message"), text);
}

void ScriptedDialogService::showInformation(const QString& text)
{
    record(QStringLiteral("message"), text, MessageIcon::Information);
}

void ScriptedDialogService::showMessageWithReason(const QString& text, const QString& reason)
{
    record(QStringLiteral("message"), text, MessageIcon::Warning, false, reason);
}

void ScriptedDialogService::showMessageWithDetails(const QString& text, const QString& details, MessageIcon icon)
{
    record(QStringLiteral("message"), text, icon, false, QString(), details);
}

bool ScriptedDialogService::askYesNo(const QString& text)
{
    record(QStringLiteral("yesno"), text);
    return nextYesNo();
}

bool ScriptedDialogService::askYesNoSafe(const QString& text)
{
    record(QStringLiteral("yesno"), text, MessageIcon::Warning, true);
    return nextYesNo();
}

bool ScriptedDialogService::nextYesNo()
{
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

int ScriptedDialogService::askChoice(const QString& text, const QStringList&, int)
{
    record(QStringLiteral("choice"), text);
    return nextChoice();
}

int ScriptedDialogService::askSafeChoiceWithDetails(
    const QString& text, const QStringList&, int safeButton, const QString& details)
{
    record(QStringLiteral("choice"), text, MessageIcon::Warning, true, QString(), details);
    const int answer = nextChoice();
    return answer < 0 ? safeButton : answer;
}

int ScriptedDialogService::nextChoice()
{
    if (choiceAnswers.empty())
        return 0;
    const int answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

QString ScriptedDialogService::chooseOpenFile(const QString& title, const QString&, const QString& filter)
{
    record(QStringLiteral("open"), title);
    {
        std::lock_guard guard(lock_);
        asked_.back().filter = filter;
    }
    return nextFile();
}

QStringList ScriptedDialogService::chooseOpenFiles(const QString& title, const QString&, const QString&)
{
    record(QStringLiteral("openMany"), title);
    if (filesAnswers.empty())
        return {};
    QStringList answer = filesAnswers.front();
    filesAnswers.pop_front();
    return answer;
}

QString ScriptedDialogService::chooseSaveFile(const QString& title, const QString&, const QString&, const QString&)
{
    record(QStringLiteral("save"), title);
    return nextFile();
}

QString ScriptedDialogService::chooseSaveFileOfType(
    const QString& title, const QString&, const QStringList&, int* chosenType)
{
    record(QStringLiteral("save"), title);
    {
        std::lock_guard lock(lock_);
        *chosenType = typeAnswers.empty() ? 0 : typeAnswers.front();
        if (!typeAnswers.empty())
            typeAnswers.pop_front();
    }
    return nextFile();
}

QString ScriptedDialogService::chooseFolder(const QString& title, const QString&)
{
    record(QStringLiteral("folder"), title);
    return nextFile();
}

int ScriptedDialogService::runModal(QDialog& dialog)
{
    record(QStringLiteral("modal"), dialog.objectName());
    return modalHandler ? modalHandler(dialog) : 0;
}

ScriptedDialogs::ScriptedDialogs()
{
    auto service = std::make_unique<ScriptedDialogService>();
    service_ = service.get();
    previous_ = setDialogService(std::move(service));
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogService(std::move(previous_));
}
