"""A local SMTP server for the mail tests, on 127.0.0.1 only.

Usage: smtp_test_server.py MODE FOLDER [SERVED [REFUSED...]], MODE one of "implicit" (TLS from the
first byte), "starttls", "plain" (no STARTTLS offered), "refusing" (STARTTLS, every login refused),
"trickle-greeting" or "trickle-data" (TLS from the first byte; after SERVED connections served
in full, 1 by default, each further connection gets its greeting, or the reply to its message,
one byte every 20 seconds, and a file "trickling-N" in FOLDER says that connection N has come
to it), "flood-greeting" (no SMTP: each connection gets a greeting of FLOOD_LINES "220-" lines
that never ends, then the connection closes). Each REFUSED address is answered 550 at RCPT TO. Makes a test certificate authority and a server certificate for 127.0.0.1 in FOLDER
(ca.pem), accepts AUTH with any password (recording it), and writes one JSON file per received
message into FOLDER. Prints "READY <port>" when it listens, and runs until it is terminated or
its standard input ends (the test that started it is gone).
"""

import asyncio
import datetime
import json
import os
import signal
import socket
import ssl
import sys
import time
from email import policy
from email.parser import BytesParser
from ipaddress import IPv4Address

from aiosmtpd.smtp import SMTP, AuthResult
from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import NameOID


def make_certificates(folder):
    now = datetime.datetime.utcnow()
    ca_key = ec.generate_private_key(ec.SECP256R1())
    ca_name = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "Galavite test CA")])
    ca = (x509.CertificateBuilder().subject_name(ca_name).issuer_name(ca_name)
          .public_key(ca_key.public_key()).serial_number(x509.random_serial_number())
          .not_valid_before(now - datetime.timedelta(hours=1)).not_valid_after(now + datetime.timedelta(days=1))
          .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
          .add_extension(x509.KeyUsage(False, False, False, False, False, True, True, False, False), critical=True)
          .sign(ca_key, hashes.SHA256()))
    key = ec.generate_private_key(ec.SECP256R1())
    server = (x509.CertificateBuilder()
              .subject_name(x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "127.0.0.1")]))
              .issuer_name(ca_name).public_key(key.public_key()).serial_number(x509.random_serial_number())
              .not_valid_before(now - datetime.timedelta(hours=1)).not_valid_after(now + datetime.timedelta(days=1))
              .add_extension(x509.SubjectAlternativeName([x509.IPAddress(IPv4Address("127.0.0.1"))]), critical=False)
              .sign(ca_key, hashes.SHA256()))
    pem = serialization.Encoding.PEM
    with open(os.path.join(folder, "ca.pem"), "wb") as f:
        f.write(ca.public_bytes(pem))
    cert_path, key_path = os.path.join(folder, "server.pem"), os.path.join(folder, "server.key")
    with open(cert_path, "wb") as f:
        f.write(server.public_bytes(pem))
    with open(key_path, "wb") as f:
        f.write(key.private_bytes(pem, serialization.PrivateFormat.PKCS8, serialization.NoEncryption()))
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert_path, key_path)
    return context


TRICKLE_SECONDS = 20
FLOOD_LINES = 1000000


async def flood(reader, writer):
    batch = (b"220-" + b"mail.example.org greets you at great length" * 2 + b"\r\n") * 1000
    try:
        for _ in range(FLOOD_LINES // 1000):
            writer.write(batch)
            await writer.drain()
    except ConnectionError:
        pass
    writer.close()


class TricklingSMTP(SMTP):
    """Holds a client with a reply that comes one byte at a time."""

    def __init__(self, *args, folder, serial, trickle_greeting, trickle_after_data, **kwargs):
        super().__init__(*args, **kwargs)
        self.folder = folder
        self.serial = serial
        self.trickle_next = trickle_greeting
        self.trickle_after_data = trickle_after_data

    async def push(self, status):
        if not self.trickle_next:
            return await super().push(status)
        self.trickle_next = False
        open(os.path.join(self.folder, "trickling-%d" % self.serial), "w").close()
        reply = (status.encode("ascii") if isinstance(status, str) else status) + b"\r\n"
        try:
            for byte in reply:
                self._writer.write(bytes([byte]))
                await self._writer.drain()
                await asyncio.sleep(TRICKLE_SECONDS)
        except ConnectionError:
            pass


class Recorder:
    def __init__(self, folder, accept_logins=True, refused=()):
        self.folder = folder
        self.accept_logins = accept_logins
        self.refused = set(refused)
        self.count = 0
        self.passwords = []

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        self.passwords.append(auth_data.password.decode("utf-8", "replace"))
        with open(os.path.join(self.folder, "auth.json"), "w") as f:
            json.dump(self.passwords, f)
        # Not "handled": the server itself answers a refusal with 535.
        return AuthResult(success=self.accept_logins, handled=False)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if getattr(server, "trickle_after_data", False):
            server.trickle_next = True
        message = BytesParser(policy=policy.default).parsebytes(envelope.content)
        attachments = []
        for part in message.iter_attachments():
            data = part.get_payload(decode=True)
            attachments.append({"name": part.get_filename(), "type": part.get_content_type(),
                                "head": data[:8].hex()})
        body = message.get_body(("plain",))
        record = {"time": time.time(), "from": envelope.mail_from, "to": envelope.rcpt_tos,
                  "subject": str(message["Subject"]), "header_to": str(message["To"]),
                  "raw_to": " ".join(value for name, value in message.raw_items() if name.lower() == "to"),
                  "body": body.get_content() if body else None, "attachments": attachments}
        self.count += 1
        path = os.path.join(self.folder, "mail-%04d.json" % self.count)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.replace(path + ".tmp", path)
        return "250 OK"


async def serve(mode, folder, served, refused):
    context = make_certificates(folder)
    recorder = Recorder(folder, accept_logins=mode != "refusing", refused=refused)
    connections = 0
    trickling = mode.startswith("trickle-")

    def factory():
        nonlocal connections
        connections += 1
        if trickling:
            late = connections > served
            return TricklingSMTP(recorder, authenticator=recorder.authenticate, auth_require_tls=False,
                                 folder=folder, serial=connections,
                                 trickle_greeting=late and mode == "trickle-greeting",
                                 trickle_after_data=late and mode == "trickle-data")
        if mode in ("starttls", "refusing"):
            return SMTP(recorder, tls_context=context, require_starttls=True,
                        authenticator=recorder.authenticate, auth_require_tls=True)
        return SMTP(recorder, authenticator=recorder.authenticate, auth_require_tls=False)

    loop = asyncio.get_running_loop()
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    if mode == "flood-greeting":
        server = await asyncio.start_server(flood, sock=sock)
    else:
        server = await loop.create_server(factory, sock=sock,
                                          ssl=context if mode == "implicit" or trickling else None)
    print("READY %d" % sock.getsockname()[1], flush=True)
    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)

    def stdin_readable():
        if not os.read(sys.stdin.fileno(), 4096):
            loop.remove_reader(sys.stdin.fileno())
            stop.set()
    loop.add_reader(sys.stdin.fileno(), stdin_readable)
    await stop.wait()
    server.close()


if __name__ == "__main__":
    asyncio.run(serve(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 1, sys.argv[4:]))
