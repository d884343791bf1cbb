#!/usr/bin/python3
"""A crowd of contacts for VeloIM's footprint benchmark: many accounts on a local Prosody, all
mutual contacts of one user, each online with an avatar of its own.

    crowd.py --data-dir DIR --port PORT --ca-file FILE --owner USER --password PASSWORD
             --count N [--domain localhost] [--prefix buddy] [--extra USER ...]

It first writes the accounts and rosters straight into the server's data directory (Prosody's
internal storage, read again at each sign-in): accounts PREFIX0 .. PREFIX(N-1) with the
password, each with OWNER in its roster, and OWNER's roster holding all of them (and the
--extra users, existing accounts) in two groups, subscriptions both ways. Registering and
befriending thousands of accounts through the protocol would take far longer than the
figures the benchmark measures.

It then signs every contact in over TLS (a few dozen at a time, plain XMPP without a client
library, so that thousands fit in one process), publishes a vCard whose photo is a 96 x 96
PNG picture of its own and sends presence carrying the photo's hash, as a handset would.
Once all are online it prints "ready N" and keeps the connections open, reading what the
server sends them, until its standard input closes. Exit status 0, or 1 with a message when
a contact could not sign in.
"""

import argparse
import asyncio
import base64
import hashlib
import ssl
import struct
import sys
import zlib
from pathlib import Path

SIDE = 96
AT_ONCE = 32  # sign-ins under way together
STEP_TIMEOUT = 60  # seconds for one answer of the server


def encode_name(text):
    return "".join(c if c.isalnum() else "%%%02x" % ord(c) for c in text)


def lua_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_store(data_dir, domain, store, user, body):
    folder = Path(data_dir) / encode_name(domain) / store
    folder.mkdir(parents=True, exist_ok=True)
    (folder / (encode_name(user) + ".dat")).write_text("return " + body + ";\n")


def roster_item(name, group):
    return ('{ ["subscription"] = "both"; ["name"] = %s; ["groups"] = { [%s] = true; }; }'
            % (lua_string(name), lua_string(group)))


def roster_body(items):
    entries = ['[false] = { ["version"] = 1; ["pending"] = {}; }']
    entries += ["[%s] = %s" % (lua_string(jid), item) for jid, item in items]
    return "{\n" + ";\n".join(entries) + ";\n}"


def write_accounts(options, names):
    owner = f"{options.owner}@{options.domain}"
    items = []
    for index, name in enumerate(names + options.extra):
        group = "Friends" if index % 2 == 0 else "Work"
        items.append((f"{name}@{options.domain}", roster_item(name.capitalize(), group)))
    for name in names:
        write_store(options.data_dir, options.domain, "accounts", name,
                    '{ ["password"] = %s; }' % lua_string(options.password))
        write_store(options.data_dir, options.domain, "roster", name,
                    roster_body([(owner, roster_item(options.owner, "Friends"))]))
    for name in options.extra:
        write_store(options.data_dir, options.domain, "roster", name,
                    roster_body([(owner, roster_item(options.owner, "Friends"))]))
    write_store(options.data_dir, options.domain, "roster", options.owner, roster_body(items))


def png(index):
    """A 96 x 96 picture of its own for each contact: a gradient in a colour of its own."""
    red, green, blue = (index * 37) % 256, (index * 91) % 256, (index * 53) % 256
    rows = bytearray()
    for y in range(SIDE):
        rows.append(0)
        for x in range(SIDE):
            rows += bytes(((red + x) % 256, (green + y) % 256, (blue + x + y) % 256))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", SIDE, SIDE, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


class Contact:
    def __init__(self, options, context, name, index):
        self.options, self.context, self.name, self.index = options, context, name, index
        self.reader = self.writer = None
        self.received = b""

    def send(self, text):
        self.writer.write(text.encode())

    def open_stream(self):
        self.send(f"<?xml version='1.0'?><stream:stream to='{self.options.domain}' "
                  "xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams' "
                  "version='1.0'>")

    async def until(self, marker):
        while marker not in self.received:
            data = await asyncio.wait_for(self.reader.read(65536), STEP_TIMEOUT)
            if not data:
                raise ConnectionError(f"{self.name}: the server closed the connection")
            if b"<failure" in data or b"type='error'" in data or b'type="error"' in data:
                raise ConnectionError(f"{self.name}: the server refused: {data[:300]!r}")
            self.received += data
        self.received = self.received.split(marker, 1)[1]

    async def sign_in(self):
        self.reader, self.writer = await asyncio.open_connection(
            "127.0.0.1", self.options.port, ssl=self.context,
            server_hostname=self.options.domain)
        self.open_stream()
        await self.until(b"</stream:features>")
        secret = base64.b64encode(f"\0{self.name}\0{self.options.password}".encode()).decode()
        self.send(f"<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN'>{secret}</auth>")
        await self.until(b"<success")
        picture = png(self.index)
        photo = hashlib.sha1(picture).hexdigest()
        self.open_stream()
        self.send("<iq type='set' id='bind'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
                  "<resource>crowd</resource></bind></iq>")
        self.send("<iq type='set' id='vcard'><vCard xmlns='vcard-temp'>"
                  f"<FN>{self.name.capitalize()}</FN><PHOTO><TYPE>image/png</TYPE>"
                  f"<BINVAL>{base64.b64encode(picture).decode()}</BINVAL></PHOTO></vCard></iq>")
        self.send(f"<presence><status>Contact {self.index}</status>"
                  f"<x xmlns='vcard-temp:x:update'><photo>{photo}</photo></x></presence>")
        await self.until(b"id='vcard'")

    async def drain(self):
        while await self.reader.read(65536):
            pass


async def main(options):
    names = [f"{options.prefix}{i}" for i in range(options.count)]
    write_accounts(options, names)
    context = ssl.create_default_context(cafile=options.ca_file)
    contacts = [Contact(options, context, name, i) for i, name in enumerate(names)]
    gate = asyncio.Semaphore(AT_ONCE)

    async def sign_in(contact):
        async with gate:
            await contact.sign_in()

    await asyncio.gather(*(sign_in(contact) for contact in contacts))
    print(f"ready {len(contacts)}", flush=True)
    drains = [asyncio.ensure_future(contact.drain()) for contact in contacts]
    await asyncio.get_running_loop().run_in_executor(None, sys.stdin.read)
    for contact in contacts:
        contact.writer.close()
    for drain in drains:
        drain.cancel()


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--data-dir", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--ca-file", required=True)
    parser.add_argument("--owner", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--domain", default="localhost")
    parser.add_argument("--prefix", default="buddy")
    parser.add_argument("--extra", nargs="*", default=[])
    try:
        asyncio.run(main(parser.parse_args()))
    except (ConnectionError, OSError, asyncio.TimeoutError) as error:
        print(f"crowd: {error or 'no answer from the server in time'}", file=sys.stderr)
        sys.exit(1)
