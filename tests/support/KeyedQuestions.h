#pragma once

// Header only: it needs the widget library, which only the tests of windows link.
#include "platform/GuiThread.h"
#include "support/ScriptedDialogService.h"
#include "widgets/QtDialogService.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

// The digest of a file's bytes, to prove that an answer kept the file as it was ("" when unreadable).
inline QByteArray md5Of(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5)
                                          : QByteArray();
}

// Runs `act` on the modal window of the given kind once the next modal run shows one. Polls
// until the window is up; it never waits on the clock for anything else.
// Returns the poll, which ends itself once it has acted.
template <typename Window, typename Act>
QTimer* whenModalShown(Act act)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*window);
    });
    poll->start();
    return poll;
}

// Sends a key press and release to a widget, as the keyboard does to the focused one.
inline void pressKey(QWidget* target, int key)
{
    QPointer<QWidget> still = target;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    if (still)
        QApplication::sendEvent(still, &release);
}

// Presses a key in the next message box, as a person at the keyboard would: the key goes to
// the box's focused button, so Enter presses whatever the box made the default.
inline QTimer* pressKeyInNextMessageBox(int key, QString* shownText = nullptr)
{
    return whenModalShown<QMessageBox>([key, shownText](QMessageBox& box) {
        if (shownText)
            *shownText = box.text();
        pressKey(box.focusWidget() ? box.focusWidget() : &box, key);
    });
}

// Questions are real message boxes answered by one key; choosers and windows are answered
// from the script as ScriptedDialogService does. A box asked for by work behind the
// please-wait sheet, which nobody could answer, fails the test.
class KeyedQuestions final : public DialogService
{
    // Asks through Qt's box while the key waits for it.
    template <typename Ask>
    auto press(Ask ask)
    {
        if (!isGuiThread() || insideWorkHoldingInput()) {
            ADD_FAILURE() << "a box asked for behind the please-wait sheet";
            return decltype(ask())();
        }
        QString text;
        QPointer<QTimer> poll = pressKeyInNextMessageBox(key_, &text);
        auto answer = ask();
        if (poll && poll->isActive()) { // the box was never shown: no later box may take this key
            poll->stop();
            poll->deleteLater();
        }
        questions.append(text);
        return answer;
    }

public:
    explicit KeyedQuestions(int key)
        : key_(key)
    { }

    ScriptedDialogService script;
    QStringList questions; // the texts of the boxes shown, in order
    bool keyedAlerts = false; // whether alerts too are real boxes that the key dismisses

    void showMessage(const QString& text) override
    {
        script.showMessage(text);
        if (keyedAlerts)
            press([&] { return (qt_.showMessage(text), 0); });
    }
    void showInformation(const QString& text) override { script.showInformation(text); }
    void showMessageWithReason(const QString& text, const QString& reason) override
    {
        script.showMessageWithReason(text, reason);
    }
    bool askYesNo(const QString& text) override { return press([&] { return qt_.askYesNo(text); }); }
    bool askYesNoSafe(const QString& text) override { return press([&] { return qt_.askYesNoSafe(text); }); }
    int askChoice(const QString& text, const QStringList& buttons, int defaultButton) override
    {
        return press([&] { return qt_.askChoice(text, buttons, defaultButton); });
    }
    int askSafeChoice(const QString& text, const QStringList& buttons, int safeButton) override
    {
        return press([&] { return qt_.askSafeChoice(text, buttons, safeButton); });
    }
    int askSafeChoiceWithDetails(
        const QString& text, const QStringList& buttons, int safeButton, const QString& details) override
    {
        return press([&] { return qt_.askSafeChoiceWithDetails(text, buttons, safeButton, details); });
    }
    SaveChoice askSaveChanges(const QString& text) override
    {
        return press([&] { return qt_.askSaveChanges(text); });
    }
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filter) override
    {
        return script.chooseOpenFile(title, folder, filter);
    }
    QStringList chooseOpenFiles(const QString& title, const QString& folder, const QString& filter) override
    {
        return script.chooseOpenFiles(title, folder, filter);
    }
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                           const QString& defaultSuffix) override
    {
        return script.chooseSaveFile(title, folder, filter, defaultSuffix);
    }
    QString chooseSaveFileOfType(
        const QString& title, const QString& folder, const QStringList& types, int* chosenType) override
    {
        return script.chooseSaveFileOfType(title, folder, types, chosenType);
    }
    QString chooseFolder(const QString& title, const QString& folder) override
    {
        return script.chooseFolder(title, folder);
    }
    int runModal(QDialog& dialog) override { return script.runModal(dialog); }

private:
    int key_;
    QtDialogService qt_;
};

// Installs KeyedQuestions for its lifetime, then restores the previous service.
class KeyedDialogs
{
public:
    explicit KeyedDialogs(int key)
    {
        auto service = std::make_unique<KeyedQuestions>(key);
        service_ = service.get();
        previous_ = setDialogService(std::move(service));
    }
    ~KeyedDialogs() { setDialogService(std::move(previous_)); }
    KeyedQuestions* operator->() { return service_; }

private:
    KeyedQuestions* service_;
    std::unique_ptr<DialogService> previous_;
};
