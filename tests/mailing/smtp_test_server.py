"""A local SMTP server for the mail tests, on 127.0.0.1 only.

Usage: smtp_test_server.py MODE FOLDER, MODE one of "implicit" (TLS from the first byte),
"starttls", "plain" (no STARTTLS offered) or "refusing" (STARTTLS, every login refused). Makes a test certificate authority and a server
certificate for 127.0.0.1 in FOLDER (ca.pem), accepts AUTH with any password (recording it),
and writes one JSON file per received message into FOLDER. Prints "READY <port>" when it
listens, and runs until it is terminated.
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


class Recorder:
    def __init__(self, folder, accept_logins=True):
        self.folder = folder
        self.accept_logins = accept_logins
        self.count = 0
        self.passwords = []

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        self.passwords.append(auth_data.password.decode("utf-8", "replace"))
        with open(os.path.join(self.folder, "auth.json"), "w") as f:
            json.dump(self.passwords, f)
        # Not "handled": the server itself answers a refusal with 535.
        return AuthResult(success=self.accept_logins, handled=False)

    async def handle_DATA(self, server, session, envelope):
        message = BytesParser(policy=policy.default).parsebytes(envelope.content)
        attachments = []
        for part in message.iter_attachments():
            data = part.get_payload(decode=True)
            attachments.append({"name": part.get_filename(), "type": part.get_content_type(),
                                "head": data[:8].hex()})
        body = message.get_body(("plain",))
        record = {"time": time.time(), "from": envelope.mail_from, "to": envelope.rcpt_tos,
                  "subject": str(message["Subject"]), "header_to": str(message["To"]),
                  "body": body.get_content() if body else None, "attachments": attachments}
        self.count += 1
        path = os.path.join(self.folder, "mail-%04d.json" % self.count)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.replace(path + ".tmp", path)
        return "250 OK"


async def serve(mode, folder):
    context = make_certificates(folder)
    recorder = Recorder(folder, accept_logins=mode != "refusing")

    def factory():
        if mode in ("starttls", "refusing"):
            return SMTP(recorder, tls_context=context, require_starttls=True,
                        authenticator=recorder.authenticate, auth_require_tls=True)
        return SMTP(recorder, authenticator=recorder.authenticate, auth_require_tls=False)

    loop = asyncio.get_running_loop()
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    server = await loop.create_server(factory, sock=sock, ssl=context if mode == "implicit" else None)
    print("READY %d" % sock.getsockname()[1], flush=True)
    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)
    await stop.wait()
    server.close()


if __name__ == "__main__":
    asyncio.run(serve(sys.argv[1], sys.argv[2]))
