#include "mail/RecipientsEdit.h"

#include "common/MessageBoxes.h"
#include "dialogs/BackgroundWork.h"
#include "mailing/MailAddresses.h"

#include <QMimeData>
#include <QTextCursor>

namespace {
// Below this, a paste goes in as it was copied.
constexpr qsizetype longPaste = 4096;
// A line of the list is ended after the recipient that takes it past this: short lines lay out
// at once, and few of them keep the document small.
constexpr qsizetype lineLength = 100;
// The field lays out text in time that grows with its length, and a run of characters it cannot
// wrap in time that grows with the run's square: a text past either bound would hold the window
// for seconds. No recipient holds such a run: a header line ends at 998 characters.
constexpr qsizetype longestShownText = 1000000;
constexpr qsizetype longestUnbrokenRun = 1000;

bool showsAtOnce(const QString& text)
{
    if (text.size() > longestShownText)
        return false;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestUnbrokenRun)
            return false;
    }
    return true;
}

QString inLines(const QStringList& recipients)
{
    QString text;
    qsizetype lineStart = 0;
    for (const QString& recipient : recipients) {
        if (!text.isEmpty()) {
            const bool full = text.size() - lineStart >= lineLength;
            text += full ? QStringLiteral(",\n") : QStringLiteral(", ");
            if (full)
                lineStart = text.size();
        }
        text += recipient;
    }
    return text;
}
} // namespace

RecipientsEdit::RecipientsEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    // A few lines show; a longer list scrolls.
    setFixedHeight(fontMetrics().lineSpacing() * 3 + 2 * (frameWidth() + int(document()->documentMargin())));
}

void RecipientsEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText() || source->text().size() < longPaste) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // The same recipients in short lines; a list that holds something not an address goes in
    // as it was, for Send to name what it holds, unless the field could not show it at once.
    const QString pasted = source->text();
    QString text, notAnAddress;
    // Millions of characters take a while to read.
    runBehindPleaseWait(window(), [&pasted, &text, &notAnAddress] {
        const RecipientList list = parseRecipients(pasted);
        if (list.isValid())
            text = inLines(list.recipients);
        else if (showsAtOnce(pasted))
            text = pasted;
        else
            notAnAddress = list.notAnAddress.isEmpty() ? pasted : list.notAnAddress;
    });
    if (!notAnAddress.isEmpty()) {
        Show_MessageBox_With_Reason(QStringLiteral("The pasted text was not put in the To field: it is not a list of "
                                                   "e-mail addresses, and it is too long to mend there."),
            notAnAddressReason(notAnAddress));
        return;
    }
    textCursor().insertText(text);
    ensureCursorVisible();
}
