#pragma once

#include <QString>
#include <QStringList>

// The address test of the mail windows: trimmed, at least 6 characters, exactly one "@"
// and at least one ".".
bool isValidEmail(const QString& text);

// True when the text holds a line break or another control character: such a text must not
// reach a mail header.
bool hasControlCharacters(const QString& text);

// The address of one mailbox as a person writes it: "a@b.org", "Name <a@b.org>",
// "\"Last, First\" <a@b.org>", with comments in parentheses allowed where mail allows them.
// The address must pass the address test. "" when the text is not exactly one mailbox.
QString mailboxAddress(const QString& mailbox);

// A recipient list as a person types it or pastes it from a mail program: mailboxes separated
// by commas or semicolons (not those inside quotes, parentheses or angle brackets), blank
// pieces skipped. Each recipient is kept as written, trimmed, with line breaks and tabs as
// spaces, for the To: header; mailboxAddress() gives the address it goes to.
struct RecipientList
{
    QStringList recipients;
    QString notAnAddress; // the first piece that is not a mailbox; "" when there is none
    bool isValid() const { return notAnAddress.isEmpty() && !recipients.isEmpty(); }
};
RecipientList parseRecipients(const QString& list);

// Every address a cell of a workbook or a series holds, wherever it stands, in the forms people
// keep them in: a mailbox, or several parted by commas, semicolons, slashes, bars, spaces, words
// or line ends; after a label ("E-mail: a@b.org", "team: a@b.org, c@d.org;"); "mailto:" links,
// without their "?" or "#" part; invisible characters around an address; an unquoted "Last,
// First <a@b.org>", whose name before the comma holds no address. An address-like text in a
// quoted name or a comment is part of the name. Cells without an address give none. Linear in
// the cell's length.
QStringList cellAddresses(const QString& cell);

// Why a recipient list was refused, naming the piece that is not an address.
QString notAnAddressReason(const QString& piece);
