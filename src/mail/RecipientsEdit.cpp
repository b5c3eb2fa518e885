#include "mail/RecipientsEdit.h"

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
    // as it was, for Send to name what it holds.
    const QString pasted = source->text();
    QString text;
    // Millions of characters take a while to read.
    runBehindPleaseWait(window(), [&pasted, &text] {
        const RecipientList list = parseRecipients(pasted);
        text = list.isValid() ? inLines(list.recipients) : pasted;
    });
    textCursor().insertText(text);
    ensureCursorVisible();
}
