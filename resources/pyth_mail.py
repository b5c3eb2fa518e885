#!/usr/bin/python3
"""Sends one e-mail for Galavite.

Arguments: sender, SMTP server, port, sender (From), recipient, subject, body, security
flag ("Y": TLS from the first byte, "N": STARTTLS), then the files to attach.
Standard input: the password on the first line (UTF-8); the rest is ignored.
Exit status 0 only after the server has accepted the message.
"""

import base64
import mimetypes
import os
import smtplib
import ssl
import sys
from email.message import EmailMessage
from email.utils import formatdate, make_msgid

TIMEOUT_SECONDS = 60

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


def fail(message):
    print("pyth_mail: " + message, file=sys.stderr)
    sys.exit(1)


def content_type(path, data):
    for signature, maintype, subtype in SIGNATURES:
        if data.startswith(signature):
            return maintype, subtype
    guessed, encoding = mimetypes.guess_type(path)
    if guessed and not encoding and not guessed.startswith("image/"):
        maintype, subtype = guessed.split("/", 1)
        return maintype, subtype
    return "application", "octet-stream"


def single_line(name, text):
    if any(ord(c) < 0x20 or ord(c) == 0x7F for c in text):
        fail(name + " holds a line break or a control character")
    return text


def build_message(sender, recipient, subject, body, attachments):
    message = EmailMessage()
    message["From"] = single_line("the sender", sender)
    message["To"] = single_line("the recipient", recipient)
    message["Subject"] = single_line("the subject", subject)
    message["Date"] = formatdate(localtime=True)
    message["Message-ID"] = make_msgid()
    message.set_content(body, charset="utf-8")
    for path in attachments:
        try:
            with open(path, "rb") as handle:
                data = handle.read()
        except OSError as error:
            fail("cannot read the attachment %s: %s" % (path, error.strerror))
        maintype, subtype = content_type(path, data)
        message.add_attachment(data, maintype=maintype, subtype=subtype, filename=os.path.basename(path))
    return message


def connect(server, port, implicit_tls):
    context = ssl.create_default_context()
    if implicit_tls:
        return smtplib.SMTP_SSL(server, port, timeout=TIMEOUT_SECONDS, context=context)
    connection = smtplib.SMTP(server, port, timeout=TIMEOUT_SECONDS)
    connection.ehlo()
    # Never log in over a connection that is not encrypted.
    if not connection.has_extn("starttls"):
        connection.close()
        fail("the server does not offer STARTTLS")
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
        fail("the server offers no login method that this script knows")
    if code != 235:
        fail("the server refused the login: %d %s" % (code, reply.decode("utf-8", "replace")))


def main(argv):
    if len(argv) < 9:
        fail("expected sender, server, port, sender, recipient, subject, body and security flag")
    login_name, server, port_text, sender, recipient, subject, body, flag = argv[1:9]
    attachments = argv[9:]
    try:
        port = int(port_text)
    except ValueError:
        fail("the port is not a number: " + port_text)
    if not 0 < port < 65536:
        fail("the port is out of range: " + port_text)
    try:
        password = sys.stdin.buffer.readline().rstrip(b"\r\n").decode("utf-8")
    except UnicodeDecodeError:
        fail("the password is not UTF-8")

    message = build_message(sender, recipient, subject, body, attachments)
    try:
        connection = connect(server, port, flag == "Y")
        try:
            login(connection, login_name, password)
            refused = connection.send_message(message, from_addr=sender, to_addrs=[recipient])
        finally:
            try:
                connection.quit()
            except smtplib.SMTPException:
                pass
    except (smtplib.SMTPException, ssl.SSLError, OSError) as error:
        fail(str(error))
    if refused:
        fail("the server refused " + ", ".join(refused))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
