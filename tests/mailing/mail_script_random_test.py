#!/usr/bin/python3
"""The mail script's own readers under seeded random input: the recipients it is asked to check,
and the replies of a server on 127.0.0.1 that answers each step of a mail, in turn, with every
kind of broken reply. The script never shows a traceback or an "unexpected error", says why it
failed on its last line, never logs in unencrypted, and reports a mail sent exactly when the
server accepted it. A fixed seed and a fixed count: every run tries the same inputs."""

import importlib.util
import io
import os
import random
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import unicodedata
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "resources", "pyth_mail.py")
PYTHON = "/usr/bin/python3"
# Far beyond any run here: reached only when the script and the server wait for each other.
HANG_SECONDS = 100


def load(name, path):
    spec = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


mail = load("pyth_mail", SCRIPT)
sys.path.insert(0, HERE)
from smtp_test_server import make_certificates  # noqa: E402


def last_line(text):
    lines = [line for line in text.splitlines() if line.strip()]
    return lines[-1] if lines else ""


def assert_said_why(case, status, error, allowed):
    case.assertIn(status, allowed, error)
    case.assertNotIn("Traceback", error)
    case.assertNotIn("unexpected error", error)
    if status != 0:
        said = last_line(error)
        case.assertTrue(said, "a failure says why on its last line")
        # The program shows the line: what a server or a workbook wrote is cut short and shown
        # without control characters.
        case.assertLess(len(said), 1000, said[:100])
        case.assertFalse([c for c in said if unicodedata.category(c) in ("Cc", "Cf")], said)


PIECES = ["Anna", "M\u00fcller", "O'Neil", "J.", "\u4e2d\u6587\U0001F600\u0301", ",", "@", "\\", "\"", "=?",
          "?=", "=?utf-8?q?", "=?utf-8?b?", "=0A", "=00", "(", ")", "<", ">", ";", ":", "[", "]", "\u00a0\u200b\ufffe",
          "\t", " ", "  ", "x" * 61, "((((((((((", "\"\"\"\"", "\\\"", "\x01", "\x7f", "\u2028", "\u0085", "ann@x.org",
          "<ann@x.org>", "ann@[127.0.0.1]", "a@b", ".", "..", "group:", "\U00010348", "=?x?Q?=E2=80?="]


def random_text(rng, most):
    return "".join(rng.choice(PIECES) for _ in range(rng.randint(0, most)))


def random_recipient(rng):
    address = rng.choice(["ann@x.org", "Ann@X.org", "a.b+c@mail-1.example.org", "", "ann", "b\u00f8b@x.org",
                          "ann@x.org\r", random_text(rng, 3)])
    shape = rng.randrange(4)
    if shape == 0:
        recipient = address
    elif shape == 1:
        recipient = "%s <%s>" % (random_text(rng, 6), address)
    elif shape == 2:
        recipient = "\"%s\" <%s> %s" % (random_text(rng, 4), address, random_text(rng, 2))
    else:
        recipient = random_text(rng, 12)
    if rng.randrange(10) == 0:
        recipient = recipient * rng.randint(2, 200)
    return recipient, address


class Recipients(unittest.TestCase):
    def test_every_recipient_is_taken_or_refused_with_a_reason(self):
        rng = random.Random(82)
        for _ in range(4000):
            recipient, address = random_recipient(rng)
            try:
                mailbox = mail.to_mailbox(recipient, address)
            except mail.Unsendable as error:
                self.assertTrue(str(error), recipient)
                continue
            except Exception as error:  # what the check must never let out
                self.fail("%r, %r: %s: %s" % (recipient, address, type(error).__name__, error))
            self.assertEqual(mailbox.addr_spec.lower(), address.lower(), recipient)

        # The whole check as the program runs it: any bytes on standard input.
        for _ in range(25):
            lines = []
            for _ in range(rng.randint(0, 6)):
                recipient, address = random_recipient(rng)
                lines.append(rng.choice([recipient + "\t" + address, recipient, recipient + "\t" + address + "\tmore"]))
            data = "\n".join(lines).encode("utf-8", "surrogatepass")
            if rng.randrange(4) == 0:
                data = data[:rng.randint(0, len(data))] + bytes(rng.randrange(256) for _ in range(rng.randint(1, 9)))
            run = subprocess.run([PYTHON, SCRIPT, "--check-recipients"], input=data, capture_output=True,
                                 timeout=HANG_SECONDS)
            error = run.stderr.decode("utf-8", "replace")
            assert_said_why(self, run.returncode, error, (0, 1, mail.UNSENDABLE_RECIPIENT))


GOOD = {
    "greeting": b"220 fake.example ESMTP\r\n",
    "EHLO": b"250-fake.example\r\n250-AUTH PLAIN LOGIN\r\n250-STARTTLS\r\n250-SIZE 10000000\r\n250 8BITMIME\r\n",
    "STARTTLS": b"220 go ahead\r\n",
    "AUTH": b"235 2.7.0 accepted\r\n",
    "MAIL": b"250 2.1.0 ok\r\n",
    "RCPT": b"250 2.1.5 ok\r\n",
    "DATA": b"354 end with <CRLF>.<CRLF>\r\n",
    "END": b"250 2.0.0 queued\r\n",
    "QUIT": b"221 2.0.0 bye\r\n",
}
STEPS = list(GOOD)
KINDS = ["close", "cut", "odd code", "other code", "long line", "many lines", "large", "endless", "bytes"]
CLOSE = None


def random_bytes(rng, count):
    return bytes(rng.randrange(256) for _ in range(count))


def broken_reply(rng, kind, step):
    """A reply of the given kind; CLOSE for none at all."""
    good = GOOD[step]
    if kind == "close":
        return CLOSE
    if kind == "cut":
        return good[:rng.randrange(len(good) - 1)]
    if kind == "odd code":
        code = rng.choice([b"", b"2", b"25", b"2500", b"abc", b"-1 ", b" 25", b"2_5", "\u0662\u0665\u0660".encode(),
                           b"\x00\x00\x00", b"250\x00", b"+25"])
        return code + rng.choice([b" ", b"-", b"", b"\t"]) + random_bytes(rng, rng.randrange(20)) + b"\r\n"
    if kind == "other code":
        code = rng.choice([b"421", b"450", b"500", b"550", b"554", b"334", b"354", b"220", b"250", b"235", b"199",
                           b"999", b"000"])
        return code + b" " + random_bytes(rng, rng.randrange(40)).replace(b"\n", b"") + b"\r\n"
    if kind == "long line":
        return b"250 " + b"x" * rng.randint(8200, 20000) + b"\r\n"
    if kind == "many lines":
        return b"250-more\r\n" * (mail.MAX_REPLY_LINES + rng.randint(0, 20)) + b"250 done\r\n"
    if kind == "large":
        line = b"250-" + b"y" * 600 + b"\r\n"
        return line * (mail.MAX_REPLY_BYTES // len(line) + 2) + b"250 done\r\n"
    if kind == "endless":
        return b"250-and more\r\n" * rng.randint(1, 50)
    return random_bytes(rng, rng.randrange(300))


def as_parsed(reply):
    """What the script takes from these bytes: the code of the reply it reads, the bytes that
    reply takes, and whether it needs more than was sent or gives the connection up."""
    probe = mail.BoundedReplies()
    probe.file = io.BytesIO(reply)
    probe.close = lambda: None
    try:
        code, _ = probe.getreply()
    except mail.smtplib.SMTPServerDisconnected:
        return None, len(reply), "more"
    except Exception:
        return None, len(reply), "given up"
    taken = probe.file.tell()
    # A last line without its end leaves the script waiting for the rest.
    return code, taken, "whole" if reply[:taken].endswith(b"\n") else "more"


class FakeServer:
    """Answers one connection's commands in order: the broken reply at `step`, good ones elsewhere
    (so the mail goes on past the steps before). Never waits while the script waits: a reply
    that the script would need more of is followed by the end of the connection."""

    def __init__(self, rng, step, kind, implicit_tls, context):
        self.rng, self.step, self.kind, self.implicit_tls, self.context = rng, step, kind, implicit_tls, context
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.listener.settimeout(HANG_SECONDS)
        self.port = self.listener.getsockname()[1]
        self.accepted = False  # the message's end got a reply read as 250
        self.recipient_code = None
        self.clear_login = False
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def reply_for(self, step):
        return broken_reply(self.rng, self.kind, step) if step == self.step else GOOD[step]

    def serve(self):
        try:
            connection, _ = self.listener.accept()
        except OSError:
            return
        connection.settimeout(HANG_SECONDS)
        encrypted = self.implicit_tls
        try:
            if encrypted:
                connection = self.context.wrap_socket(connection, server_side=True)
            connection = self.converse(connection, encrypted)
        except OSError:
            pass
        finally:
            # Shut down, not only closed: the reader's file would keep the socket open.
            try:
                connection.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            connection.close()
            self.listener.close()

    def send(self, connection, reply):
        """Sends a reply as the script reads it: the code it reads (None for none), and whether
        the conversation goes on."""
        if reply is CLOSE:
            return None, False
        code, taken, state = as_parsed(reply)
        connection.sendall(reply[:taken])
        return code, state == "whole"

    def converse(self, connection, encrypted):
        """Returns the connection as it ends: encrypted on the way, it is another object."""
        reader = connection.makefile("rb")
        if not self.send(connection, self.reply_for("greeting"))[1]:
            return connection
        while True:
            line = reader.readline(100000)
            if not line:
                return connection
            word = line.split(b" ")[0].strip().upper()
            step = {b"EHLO": "EHLO", b"HELO": "EHLO", b"STARTTLS": "STARTTLS", b"AUTH": "AUTH", b"MAIL": "MAIL",
                    b"RCPT": "RCPT", b"DATA": "DATA", b"QUIT": "QUIT"}.get(word, "AUTH" if word else "QUIT")
            if step == "AUTH" and not encrypted:
                self.clear_login = True
            code, goes_on = self.send(connection, self.reply_for(step))
            if not goes_on or step == "QUIT":
                return connection
            if step == "RCPT":
                self.recipient_code = code
            if step == "STARTTLS" and code == 220:
                connection = self.context.wrap_socket(connection, server_side=True)
                reader = connection.makefile("rb")
                encrypted = True
            if step == "DATA" and code == 354:
                while reader.readline(100000) not in (b".\r\n", b""):
                    pass
                # A 250 cut short by the end of the connection was still said: the message is in.
                code, goes_on = self.send(connection, self.reply_for("END"))
                self.accepted = code == 250
                if not goes_on:
                    return connection


class ServerReplies(unittest.TestCase):
    def test_every_kind_of_broken_reply_at_every_step_is_met_with_a_reason(self):
        rng = random.Random(82)
        with tempfile.TemporaryDirectory() as folder:
            context = make_certificates(folder)
            environment = dict(os.environ, SSL_CERT_FILE=os.path.join(folder, "ca.pem"),
                               MAIL_RECIPIENT_ADDRESS="ann@example.org")
            for step in STEPS:
                for kind in KINDS:
                    implicit_tls = step != "STARTTLS" and rng.randrange(2) == 0
                    server = FakeServer(rng, step, kind, implicit_tls, context)
                    arguments = ["sender@example.org", "127.0.0.1", str(server.port), "sender@example.org",
                                 "Ann <ann@example.org>", "Hello", "-", "Y" if implicit_tls else "N"]
                    run = subprocess.run([PYTHON, SCRIPT] + arguments, input=b"secret\nThe body\n",
                                         capture_output=True, env=environment, timeout=HANG_SECONDS)
                    server.thread.join(HANG_SECONDS)
                    error = run.stderr.decode("utf-8", "replace")
                    with self.subTest(step=step, kind=kind, tls=implicit_tls, said=last_line(error)):
                        assert_said_why(self, run.returncode, error, (0, 1, mail.RECIPIENT_REFUSED))
                        self.assertFalse(server.clear_login, "the password went out unencrypted")
                        self.assertEqual(run.returncode == 0, server.accepted, "sent exactly when accepted")
                        if run.returncode == mail.RECIPIENT_REFUSED:
                            self.assertTrue(500 <= (server.recipient_code or 0) <= 599)


if __name__ == "__main__":
    unittest.main(verbosity=1)
