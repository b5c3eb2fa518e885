#!/usr/bin/python3
"""The mail script on seeded random recipients, and against a 127.0.0.1 server answering each step of
a mail, in turn, with every kind of broken reply. A fixed seed and count: every run, the same inputs."""

import contextlib, importlib.util, io, itertools, os, random, socket, subprocess, sys, tempfile
import threading, unicodedata, unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "resources", "pyth_mail.py")
PYTHON = "/usr/bin/python3"
# Far beyond any run here: reached only when the script and the server wait for each other.
HANG_SECONDS = 100
socket.setdefaulttimeout(HANG_SECONDS)

_spec = importlib.util.spec_from_file_location("pyth_mail", SCRIPT)
mail = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(mail)
sys.path.insert(0, HERE)
from smtp_test_server import make_certificates  # noqa: E402


def assert_said_why(case, status, error, allowed):
    """Never a traceback; a failure says why on its last line, short and without control characters."""
    said = (error.strip().splitlines() or [""])[-1]
    case.assertIn(status, allowed, error)
    case.assertFalse("Traceback" in error or "unexpected error" in error, error)
    case.assertTrue(status == 0 or said and len(said) < 1000
                    and not [c for c in said if unicodedata.category(c) in ("Cc", "Cf")], said[:1000])


PIECES = ["Anna", "M\u00fcller", "O'Neil", "J.", "\u4e2d\u6587\U0001F600\u0301", ",", "@", "\\", "\"", "=?",
          "?=", "=?utf-8?q?", "=?utf-8?b?", "=0A", "=00", "(", ")", "<", ">", ";", ":", "[", "]", "\u00a0\u200b\ufffe",
          "\t", " ", "  ", "x" * 61, "((((((((((", "\"\"\"\"", "\\\"", "\x01", "\x7f", "\u2028", "\u0085", "ann@x.org",
          "<ann@x.org>", "ann@[127.0.0.1]", "a@b", ".", "..", "group:", "\U00010348", "=?x?Q?=E2=80?="]


def random_text(rng, most):
    return "".join(rng.choice(PIECES) for _ in range(rng.randint(0, most)))


def random_recipient(rng):
    address = rng.choice(["ann@x.org", "Ann@X.org", "a.b+c@mail-1.example.org", "", "ann", "b\u00f8b@x.org",
                          "ann@x.org\r", random_text(rng, 3)])
    recipient = rng.choice([address, "%s <%s>" % (random_text(rng, 6), address), random_text(rng, 12),
                            "\"%s\" <%s> %s" % (random_text(rng, 4), address, random_text(rng, 2))])
    return recipient * (rng.randint(2, 200) if rng.randrange(10) == 0 else 1), address


class Recipients(unittest.TestCase):
    def test_every_recipient_is_taken_or_refused_with_a_reason(self):
        rng = random.Random(82)
        for _ in range(4000):
            recipient, address = random_recipient(rng)
            with self.subTest(recipient=recipient, address=address):
                try:
                    self.assertEqual(mail.to_mailbox(recipient, address).addr_spec.lower(), address.lower())
                except mail.Unsendable as error:
                    self.assertTrue(str(error))

        # The whole check as the program runs it: any bytes on standard input.
        for _ in range(25):
            lines = ["\t".join([*random_recipient(rng), "more"][:rng.randint(1, 3)]) for _ in range(rng.randint(0, 6))]
            data = "\n".join(lines).encode("utf-8", "surrogatepass")
            if rng.randrange(4) == 0:
                data = data[:rng.randint(0, len(data))] + noise(rng, 9)
            run = subprocess.run([PYTHON, SCRIPT, "--check-recipients"], input=data, capture_output=True,
                                 timeout=HANG_SECONDS)
            assert_said_why(self, run.returncode, run.stderr.decode("utf-8", "replace"),
                            (0, 1, mail.UNSENDABLE_RECIPIENT))


GOOD = {"greeting": b"220 fake.example ESMTP\r\n",
        "EHLO": b"250-fake.example\r\n250-AUTH PLAIN LOGIN\r\n250-STARTTLS\r\n250-SIZE 10000000\r\n250 8BITMIME\r\n",
        "STARTTLS": b"220 go ahead\r\n", "AUTH": b"235 2.7.0 accepted\r\n", "MAIL": b"250 2.1.0 ok\r\n",
        "RCPT": b"250 2.1.5 ok\r\n", "DATA": b"354 end with <CRLF>.<CRLF>\r\n", "END": b"250 2.0.0 queued\r\n",
        "QUIT": b"221 2.0.0 bye\r\n"}
LARGE = b"250-" + b"y" * 600 + b"\r\n"


def noise(rng, most):
    return bytes(rng.randrange(256) for _ in range(rng.randrange(most)))


# Every kind of broken reply, made in place of a good one; None for none at all.
BROKEN = {
    "close": lambda rng, good: None,
    "cut": lambda rng, good: good[:rng.randrange(len(good) - 1)],
    "odd code": lambda rng, good: rng.choice([b"", b"2", b"25", b"2500", b"abc", b"-1 ", b" 25", b"2_5", b"+25",
                                              b"\x00\x00\x00", "\u0662\u0665\u0660".encode(), b"250\x00"])
    + rng.choice([b" ", b"-", b"", b"\t"]) + noise(rng, 20) + b"\r\n",
    "other code": lambda rng, good: rng.choice([b"421", b"450", b"500", b"550", b"554", b"334", b"354", b"220", b"250",
                                                b"235", b"199", b"999", b"000"])
    + b" " + noise(rng, 40).replace(b"\n", b"") + b"\r\n",
    "long line": lambda rng, good: b"250 " + b"x" * rng.randint(8200, 20000) + b"\r\n",
    "many lines": lambda rng, good: b"250-more\r\n" * (mail.MAX_REPLY_LINES + rng.randint(0, 20)) + b"250 done\r\n",
    "large": lambda rng, good: LARGE * (mail.MAX_REPLY_BYTES // len(LARGE) + 2) + b"250 done\r\n",
    "endless": lambda rng, good: b"250-and more\r\n" * rng.randint(1, 50),
    "bytes": lambda rng, good: noise(rng, 300),
}


def as_parsed(reply):
    """The code the script reads in these bytes (None if none), the bytes it takes, and whether a
    line end closes them (else the script waits for more)."""
    probe = mail.BoundedReplies()
    probe.file, probe.close = io.BytesIO(reply), lambda: None
    try:
        code = probe.getreply()[0]
    except Exception:
        return None, len(reply), False
    return code, probe.file.tell(), reply[:probe.file.tell()].endswith(b"\n")


def serve(listener, rng, broken_step, kind, context, encrypted, seen):
    """Answers one connection: the broken reply at one step, good ones elsewhere. A reply the script
    would need more of is followed by the end of the connection, so neither side waits forever."""
    def send(step):
        reply = BROKEN[kind](rng, GOOD[step]) if step == broken_step else GOOD[step]
        code, taken, whole = as_parsed(reply) if reply is not None else (None, 0, False)
        connection.sendall((reply or b"")[:taken])
        seen[step] = code
        return code, whole and step != "QUIT"

    with listener, contextlib.suppress(OSError):
        connection = listener.accept()[0]
        try:
            if encrypted:
                connection = context.wrap_socket(connection, server_side=True)
            reader = connection.makefile("rb")
            goes_on = send("greeting")[1]
            while goes_on and (line := reader.readline(100000)):
                word = line.split(b" ")[0].strip().upper().decode("latin-1").replace("HELO", "EHLO")
                step = word if word in GOOD else "AUTH" if word else "QUIT"  # a login's answer has no word
                seen["clear login"] |= step == "AUTH" and not encrypted
                code, goes_on = send(step)
                if step == "STARTTLS" and code == 220 and goes_on:
                    connection = context.wrap_socket(connection, server_side=True)
                    reader, encrypted = connection.makefile("rb"), True
                elif step == "DATA" and code == 354 and goes_on:
                    while reader.readline(100000) not in (b".\r\n", b""):
                        pass
                    # A 250 cut short by the end of the connection was still said: the message is in.
                    goes_on = send("END")[1]
        finally:
            # Shut down, not only closed: the reader's file would keep the socket open.
            with contextlib.suppress(OSError):
                connection.shutdown(socket.SHUT_RDWR)
            connection.close()


class ServerReplies(unittest.TestCase):
    def test_every_kind_of_broken_reply_at_every_step_is_met_with_a_reason(self):
        rng = random.Random(82)
        with tempfile.TemporaryDirectory() as folder:
            context = make_certificates(folder)
            environment = dict(os.environ, SSL_CERT_FILE=os.path.join(folder, "ca.pem"),
                               MAIL_RECIPIENT_ADDRESS="ann@example.org")
            for step, kind in itertools.product(GOOD, BROKEN):
                implicit_tls = step != "STARTTLS" and rng.randrange(2) == 0
                listener = socket.create_server(("127.0.0.1", 0))
                seen = {"clear login": False}
                server = threading.Thread(target=serve, args=(listener, rng, step, kind, context, implicit_tls, seen))
                server.start()
                arguments = ["sender@example.org", "127.0.0.1", str(listener.getsockname()[1]), "sender@example.org",
                             "Ann <ann@example.org>", "Hello", "-", "Y" if implicit_tls else "N"]
                run = subprocess.run([PYTHON, SCRIPT] + arguments, input=b"secret\nThe body\n", capture_output=True,
                                     env=environment, timeout=HANG_SECONDS)
                server.join()
                error = run.stderr.decode("utf-8", "replace")
                with self.subTest(step=step, kind=kind, tls=implicit_tls):
                    # Only once the server may have said to go ahead may the script not know.
                    unsure = (mail.MAY_HAVE_GONE,) if step in ("DATA", "END") else ()
                    assert_said_why(self, run.returncode, error, (0, 1, mail.RECIPIENT_REFUSED) + unsure)
                    self.assertFalse(seen["clear login"], "the password went out unencrypted")
                    self.assertEqual(run.returncode == 0, seen.get("END") == 250, "sent exactly when accepted")
                    if run.returncode == mail.RECIPIENT_REFUSED:
                        self.assertTrue(500 <= (seen.get("RCPT") or 0) <= 599)


if __name__ == "__main__":
    unittest.main(verbosity=1)
