#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

// The address test of the mail windows: trimmed, at least 6 characters, exactly one "@"
// and at least one ".".
bool isValidEmail(const QString& text);

// True when the text holds a line break or another control character: such a text must not
// reach a mail header.
bool hasControlCharacters(QStringView text);

// The address of one mailbox as a person writes it: "a@b.org", "Name <a@b.org>",
// "\"Last, First\" <a@b.org>", with comments in parentheses allowed where mail allows them.
// The address must pass the address test. "" when the text is not exactly one mailbox.
QString mailboxAddress(QStringView mailbox);

// A recipient list as a person types it or pastes it from a mail program: mailboxes separated
// by commas or semicolons (not those inside quotes, parentheses or angle brackets), blank
// pieces skipped. Each recipient is kept as written, trimmed, with line breaks and tabs as
// spaces, for the To: header; mailboxAddress() gives the address it goes to. What it takes beside
// the text is the recipients it keeps, however many pieces the text holds.
struct RecipientList
{
    QStringList recipients;
    QString notAnAddress; // the first piece that is not a mailbox; "" when there is none
    bool isValid() const { return notAnAddress.isEmpty() && !recipients.isEmpty(); }
};
// Once `stop` is set it returns soon, incomplete.
RecipientList parseRecipients(QStringView list, const std::atomic<bool>* stop = nullptr);

// Every address a cell of a workbook or a series holds, wherever it stands, in the forms people
// keep them in: a mailbox, or several parted by commas, semicolons, slashes, bars, spaces, words
// or line ends, each read whole with what its local part may hold ("bob/smith@x.org"); after a
// label ("E-mail: a@b.org", "team: a@b.org, c@d.org;"); "mailto:" links, without their "?" or
// "#" part, an escape in them never read as a second address; invisible characters around an
// address; an unquoted "Last,
// First <a@b.org>", whose name before the comma holds no address. An address-like text in a
// quoted name or a comment is part of the name. Cells without an address give none. Linear in
// the cell's length.
QStringList cellAddresses(const QString& cell);

// Why a recipient list was refused, naming the piece that is not an address.
QString notAnAddressReason(const QString& piece);
