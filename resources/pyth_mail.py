#!/usr/bin/python3
"""Sends one e-mail for Galavite.

Arguments: sender, SMTP server, port, sender (From), recipient, subject, "-" (the body's
place), security flag ("Y": TLS from the first byte, "N": STARTTLS), then the files to attach.
The recipient is one mailbox as the person wrote it ("Name <address>" too); its name goes into
the To: header, quoted where it must be; the message goes to the address in
MAIL_RECIPIENT_ADDRESS, which the program read from it and compared with its data rows.
With the one argument --check-recipients, nothing is sent: standard input holds one recipient a
line, as "mailbox<TAB>address"; the exit status is 0 when every one can be sent, otherwise 4, and
the last line on standard error names the first that cannot and says why. The program asks this
before a run, so that no run ends half way on a recipient.
Standard input: the password on the first line, then the body to the end (UTF-8). The body
never goes on the command line, where its length is limited.
Exit status 0 only after the server has accepted the message; 3 when the server refused the
recipient alone (a 5xx answer to RCPT TO: the next mail may go) or the recipient cannot be
written into a header; 1 for any other failure, which
the next mail would meet as well. Otherwise the last line on standard error says why, in words for
the person sending (the program shows it).
Certificates are checked against the system's store, or SSL_CERT_FILE / SSL_CERT_DIR.
The whole run may take MAIL_DEADLINE_SECONDS (120 when unset): a server that answers a byte at a
time must not hold the mail for ever.
"""

import base64
import mimetypes
import os
import signal
import smtplib
import socket
import ssl
import stat
import sys
import unicodedata
from email import policy
from email.headerregistry import Address
from email.message import EmailMessage
from email.parser import BytesParser
from email.utils import formatdate, make_msgid

TIMEOUT_SECONDS = 60
DEFAULT_DEADLINE_SECONDS = 120
RECIPIENT_REFUSED = 3
UNSENDABLE_RECIPIENT = 4
# Longest recipient as written: the longest line a mail header may hold. It also keeps each
# recipient far below what one command-line argument may hold.
MAX_RECIPIENT_CHARACTERS = 998
# What one reply of the server may hold: far above any real server's, far below the memory a
# server that never ends a multi-line reply would take.
MAX_REPLY_LINES = 10000
MAX_REPLY_BYTES = 1024 * 1024
# What of a reply the person is shown: a real server's reason fits easily.
MAX_ANSWER_CHARACTERS = 300


class DeadlinePassed(BaseException):
    """Raised by the deadline's alarm. Not an OSError: the mail library would take that for a
    closed connection and give the wrong reason."""


class ReplyTooLong(Exception):
    """Not an OSError either: the library would take it for a closed connection."""


class BoundedReplies:
    """Reads the server's replies as the mail library does, but keeps at most MAX_REPLY_LINES
    lines and MAX_REPLY_BYTES bytes of one reply."""

    def getreply(self):
        if self.file is None:
            self.file = self.sock.makefile("rb")
        lines = []
        size = 0
        while True:
            try:
                line = self.file.readline(smtplib._MAXLINE + 1)
            except OSError as error:
                self.close()
                raise smtplib.SMTPServerDisconnected("Connection unexpectedly closed: " + str(error))
            if not line:
                self.close()
                raise smtplib.SMTPServerDisconnected("Connection unexpectedly closed")
            if len(line) > smtplib._MAXLINE:
                self.close()
                raise smtplib.SMTPResponseException(500, "Line too long.")
            size += len(line)
            if len(lines) >= MAX_REPLY_LINES or size > MAX_REPLY_BYTES:
                self.close()
                raise ReplyTooLong()
            lines.append(line[4:].strip(b" \t\r\n"))
            try:
                code = int(line[:3])
            except ValueError:
                return -1, b"\n".join(lines)
            if line[3:4] != b"-":
                return code, b"\n".join(lines)


class Connection(BoundedReplies, smtplib.SMTP):
    pass


class TlsConnection(BoundedReplies, smtplib.SMTP_SSL):
    pass


def deadline_seconds():
    text = os.environ.get("MAIL_DEADLINE_SECONDS", "")
    try:
        seconds = int(text)
    except ValueError:
        return DEFAULT_DEADLINE_SECONDS
    return min(seconds, 24 * 3600) if seconds > 0 else DEFAULT_DEADLINE_SECONDS


def start_deadline(seconds):
    def passed(signum, frame):
        raise DeadlinePassed()
    signal.signal(signal.SIGALRM, passed)
    signal.setitimer(signal.ITIMER_REAL, seconds)


def deadline_has_passed():
    return signal.getitimer(signal.ITIMER_REAL)[0] == 0

# Content types told by the first bytes of a file: an attachment is typed by what it holds.
SIGNATURES = [
    (b"\x89PNG\r\n\x1a\n", "image", "png"),
    (b"\xff\xd8\xff", "image", "jpeg"),
    (b"GIF87a", "image", "gif"),
    (b"GIF89a", "image", "gif"),
    (b"%PDF-", "application", "pdf"),
    (b"II*\x00", "image", "tiff"),
    (b"MM\x00*", "image", "tiff"),
    (b"PK\x03\x04", "application", "zip"),
]


def fail(message, status=1):
    print(message, file=sys.stderr)
    sys.exit(status)


def content_type(path, data):
    for signature, maintype, subtype in SIGNATURES:
        if data.startswith(signature):
            return maintype, subtype
    guessed, encoding = mimetypes.guess_type(path)
    if guessed and not encoding and not guessed.startswith("image/"):
        maintype, subtype = guessed.split("/", 1)
        return maintype, subtype
    return "application", "octet-stream"


def breaks_lines(text):
    # Every character that some reader takes for a line end: control characters (NEL among
    # them) and the Unicode line and paragraph separators.
    return any(unicodedata.category(c) in ("Cc", "Zl", "Zp") for c in text)


def single_line(name, text):
    if breaks_lines(text):
        fail("The %s holds a line break or a control character." % name)
    return text


def read_attachment(path):
    # The file's name goes into the message's header, where a line break has no place.
    if breaks_lines(os.path.basename(path)) or not os.path.basename(path):
        fail("The attachment %r cannot be sent: its file name is empty or holds a line break or a control "
             "character. Rename the file." % path)
    # Without blocking: a FIFO named as an attachment would wait for a writer for ever.
    try:
        descriptor = os.open(path, os.O_RDONLY | os.O_NONBLOCK)
    except OSError as error:
        fail("The attachment %s cannot be read: %s." % (path, error.strerror))
    mode = os.fstat(descriptor).st_mode
    if not stat.S_ISREG(mode):
        os.close(descriptor)
        fail("The attachment %s cannot be read: it is %s." % (path, "a folder" if stat.S_ISDIR(mode) else "not a regular file"))
    with os.fdopen(descriptor, "rb") as handle:
        try:
            return handle.read()
        except OSError as error:
            fail("The attachment %s cannot be read: %s." % (path, error.strerror))


class Unsendable(Exception):
    """A recipient that cannot go into a To: header; the text says why."""


def shown(text, most=80):
    """Text from outside as the person sees it: control and format characters (an escape, a
    direction override) as U+FFFD, and cut at most characters."""
    text = "".join("\ufffd" if unicodedata.category(c) in ("Cc", "Cf") else c for c in text[:most + 1])
    return text if len(text) <= most else text[:most - 1] + "\u2026"


def named_once(header_text):
    """The mailboxes a reader finds in a To: header's text."""
    probe = EmailMessage()
    probe["To"] = header_text
    return probe["To"].addresses


def to_mailbox(recipient, address):
    """The recipient's mailbox for the To: header: its name, as a reader decodes it, and the
    address the message goes to. Raises Unsendable when the header would not name that address
    alone, as written and as it goes out."""
    if len(recipient) > MAX_RECIPIENT_CHARACTERS:
        raise Unsendable("it is longer than %d characters" % MAX_RECIPIENT_CHARACTERS)
    if breaks_lines(recipient) or breaks_lines(address):
        raise Unsendable("it holds a line break or a control character")
    if not address.isascii():
        raise Unsendable("its address holds letters outside ASCII, which the mail script cannot send")
    try:
        read = named_once(recipient)
        if len(read) != 1 or read[0].addr_spec.lower() != address.lower():
            raise Unsendable("it does not read as the one address %s" % address)
        name = read[0].display_name
        if breaks_lines(name):
            raise Unsendable("its name holds a line break or a control character")
        # Built from its parts, the name is quoted when it holds "@", "," or the like, also
        # when it came as an encoded word: it can never read as a second address.
        mailbox = Address(display_name=name, username=read[0].username, domain=read[0].domain)
        header = EmailMessage()
        header["To"] = mailbox
        written = BytesParser(policy=policy.default).parsebytes(bytes(header))["To"].addresses
    except Unsendable:
        raise
    except ValueError as error:  # a part the library will not write, as "parts cannot contain CR or LF"
        raise Unsendable("the mail library refuses it: %s" % error)
    except Exception as error:  # the mail library's own limits: deep comments, odd encodings
        raise Unsendable("the mail library cannot read it (%s)" % type(error).__name__)
    # White space in a name may come back otherwise (folded encoded words gain spaces), never
    # its letters.
    if len(written) != 1 or written[0].addr_spec.lower() != address.lower() or blackspace(
            written[0].display_name) != blackspace(name):
        raise Unsendable("its To: header would not name the address %s alone" % address)
    return mailbox


def blackspace(text):
    return "".join(text.split())


def unsendable_text(recipient, why):
    return "The recipient %s cannot be sent: %s." % (shown(recipient), why)


def check_recipients():
    try:
        lines = sys.stdin.buffer.read().decode("utf-8").split("\n")
    except UnicodeDecodeError:
        fail("The recipients are not UTF-8.")
    for line in lines:
        if not line:
            continue
        recipient, _, address = line.partition("\t")
        try:
            to_mailbox(recipient, address)
        except Unsendable as error:
            fail(unsendable_text(recipient, error), UNSENDABLE_RECIPIENT)
    return 0


def build_message(sender, recipient, address, subject, body, attachments):
    message = EmailMessage()
    message["From"] = single_line("sender", sender)
    # The header must name the person the message goes to, not another one.
    try:
        message["To"] = to_mailbox(recipient, address)
    except Unsendable as error:
        fail(unsendable_text(recipient, error), RECIPIENT_REFUSED)
    message["Subject"] = single_line("subject", subject)
    message["Date"] = formatdate(localtime=True)
    message["Message-ID"] = make_msgid()
    message.set_content(body, charset="utf-8")
    for path in attachments:
        data = read_attachment(path)
        maintype, subtype = content_type(path, data)
        message.add_attachment(data, maintype=maintype, subtype=subtype, filename=os.path.basename(path))
    return message


def connect(server, port, implicit_tls):
    context = ssl.create_default_context()
    if implicit_tls:
        return TlsConnection(server, port, timeout=TIMEOUT_SECONDS, context=context)
    connection = Connection(server, port, timeout=TIMEOUT_SECONDS)
    connection.ehlo()
    # Never log in over a connection that is not encrypted.
    if not connection.has_extn("starttls"):
        connection.close()
        fail("The server does not offer STARTTLS, so the password was not sent.")
    connection.starttls(context=context)
    connection.ehlo()
    return connection


def b64(data):
    return base64.b64encode(data).decode("ascii")


def login(connection, user, password):
    # The library's own login encodes as ASCII only; the password is sent as UTF-8 here.
    connection.ehlo_or_helo_if_needed()
    mechanisms = connection.esmtp_features.get("auth", "").upper().split()
    user_bytes, password_bytes = user.encode("utf-8"), password.encode("utf-8")
    if "PLAIN" in mechanisms:
        code, reply = connection.docmd("AUTH", "PLAIN " + b64(b"\0" + user_bytes + b"\0" + password_bytes))
    elif "LOGIN" in mechanisms:
        code, reply = connection.docmd("AUTH", "LOGIN " + b64(user_bytes))
        if code == 334:
            code, reply = connection.docmd(b64(password_bytes))
    else:
        fail("The server offers no login method that Galavite knows (PLAIN or LOGIN).")
    if code != 235:
        fail("The server refused the login: %d %s" % (code, answer_text(reply)))


def answer_text(answer):
    # On one short line, with no control character: the program shows the last line of what the
    # script says, and a server may answer anything.
    if isinstance(answer, bytes):
        answer = answer.decode("utf-8", "replace")
    return shown(" ".join(answer[:4 * MAX_ANSWER_CHARACTERS].split()), MAX_ANSWER_CHARACTERS)


def reason(error, server, port):
    """What went wrong on the way to the server, in the sender's words."""
    if isinstance(error, ssl.SSLCertVerificationError):
        return "The server's certificate is not trusted: %s." % (error.verify_message or error.reason)
    if isinstance(error, ConnectionRefusedError):
        return "The server %s refused the connection on port %d." % (server, port)
    if isinstance(error, (socket.timeout, TimeoutError)):
        return "The connection to the server %s timed out." % server
    if isinstance(error, socket.gaierror):
        return "The server name %s could not be found." % server
    if isinstance(error, smtplib.SMTPServerDisconnected):
        return "The server closed the connection: %s." % (str(error) or "no reason given")
    if isinstance(error, smtplib.SMTPResponseException):
        return "The server refused the message: %d %s" % (error.smtp_code, answer_text(error.smtp_error))
    return "The connection to the server failed: %s." % (error.strerror if isinstance(error, OSError) and error.strerror else error)


def refused_text(refused):
    """The refused recipients with the server's answer to each."""
    return "; ".join("The server refused the recipient %s: %d %s" % (recipient, code, answer_text(answer))
                     for recipient, (code, answer) in refused.items())


def refused_alone(refused):
    # A permanent answer to the recipient: another recipient may still be accepted. A
    # passing one (4xx, 421 among them) may be the server's own state, which the next mail meets.
    return all(500 <= code <= 599 for code, _ in refused.values())


def say_goodbye(connection):
    # Past the deadline nothing more is waited for; a message already accepted stays sent.
    if not deadline_has_passed():
        try:
            connection.quit()
            return
        except (smtplib.SMTPException, OSError, DeadlinePassed, ReplyTooLong):
            pass
    connection.close()


def send(login_name, server, port, flag, password, sender, address, message):
    try:
        connection = connect(server, port, flag == "Y")
        try:
            login(connection, login_name, password)
            refused = connection.send_message(message, from_addr=sender, to_addrs=[address])
        finally:
            say_goodbye(connection)
    except smtplib.SMTPRecipientsRefused as error:
        fail(refused_text(error.recipients), RECIPIENT_REFUSED if refused_alone(error.recipients) else 1)
    except (smtplib.SMTPException, OSError) as error:  # ssl.SSLError is an OSError
        fail(reason(error, server, port))
    except ReplyTooLong:
        fail("The server's answer is too long: more than %d lines or %d KiB in one reply, which no mail server "
             "sends." % (MAX_REPLY_LINES, MAX_REPLY_BYTES // 1024))
    if refused:  # some of several recipients; the others have the message
        fail(refused_text(refused), RECIPIENT_REFUSED if refused_alone(refused) else 1)


def main(argv):
    if argv[1:] == ["--check-recipients"]:
        return check_recipients()
    if len(argv) < 9:
        fail("The mail script expects sender, server, port, sender, recipient, subject, body and security flag.")
    login_name, server, port_text, sender, recipient, subject, _, flag = argv[1:9]
    attachments = argv[9:]
    try:
        port = int(port_text)
    except ValueError:
        fail("The port is not a number: " + port_text)
    if not 0 < port < 65536:
        fail("The port is out of range: " + port_text)
    seconds = deadline_seconds()
    start_deadline(seconds)
    try:
        run(login_name, server, port, flag, sender, recipient, subject, attachments)
        signal.setitimer(signal.ITIMER_REAL, 0)  # sent: nothing can time out now
    except DeadlinePassed:
        fail("Sending the e-mail to the server %s timed out: it took longer than %d seconds." % (server, seconds))
    return 0


def run(login_name, server, port, flag, sender, recipient, subject, attachments):
    for name, text in (("sender", sender), ("server", server), ("recipient", recipient), ("subject", subject)):
        single_line(name, text)
    try:
        password = sys.stdin.buffer.readline().rstrip(b"\r\n").decode("utf-8")
    except UnicodeDecodeError:
        fail("The password is not UTF-8.")
    try:
        body = sys.stdin.buffer.read().decode("utf-8")
    except UnicodeDecodeError:
        fail("The message is not UTF-8.")
    if "\0" in body:
        fail("The message holds a NUL character, which an e-mail cannot carry.")
    address = os.environ.get("MAIL_RECIPIENT_ADDRESS") or recipient
    single_line("recipient address", address)
    message = build_message(sender, recipient, address, subject, body, attachments)
    send(login_name, server, port, flag, password, sender, address, message)


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except Exception as error:  # a reason, never a traceback, reaches the person
        fail("The mail script met an unexpected error: %s: %s" % (type(error).__name__, error))
