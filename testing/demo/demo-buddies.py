#!/usr/bin/python3
"""The demo's buddies: a few accounts on the local Prosody that look like real people.

    demo-buddies.py --server-dir DIR --user USER --password PASSWORD --ready FILE
                    [--host 127.0.0.1]

DIR is a running prosody-local instance (its "instance" file gives the domain, port and
authority). The script registers the buddy accounts there, signs each of them in, publishes a
vCard with a name and a generated avatar for each, and sets their presence: available
"At lunch", away, busy, and one that goes offline. It then signs USER in once to make every
buddy a mutual contact (named roster items filed in the groups "Friends" and "Work",
subscriptions both ways), gives USER an avatar of
its own and signs USER out again, so that the client finds a filled buddy list on its first
sign-in. FILE is written once all that is done.

Afterwards the buddies stay online, accept any new subscription request, and Robin answers
every chat message. The script ends on SIGTERM or SIGINT, or when the process that started it
ends. Every server round has a time-out; a set-up that does not finish within SETUP_TIMEOUT
seconds ends the script with status 1.
"""

import argparse
import asyncio
import base64
import ctypes
import hashlib
import logging
import os
import signal
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zlib
from pathlib import Path

import slixmpp
from slixmpp.exceptions import IqError, IqTimeout

HERE = Path(__file__).resolve().parent
PROSODY_LOCAL = HERE.parent / "prosody" / "prosody-local"

SETUP_TIMEOUT = 60  # seconds for everything before FILE is written
IQ_TIMEOUT = 10  # seconds per server round
REGISTER_TIMEOUT = 40  # seconds per account registration (prosody-local's tools have their own)
ANSWER_DELAY = 0.8  # seconds; an instant answer would not look typed
ROSTER = "jabber:iq:roster"
VCARD = "vcard-temp"
VCARD_UPDATE = "vcard-temp:x:update"

# user, name shown in the roster, roster group, presence (available, away, dnd, xa or
# offline), status message, avatar colour, and whether the buddy answers messages.
BUDDIES = [
    ("robin", "Robin (bot)", "Friends", "available", "Send me a message, I answer every one",
     (46, 125, 50), True),
    ("alice", "Alice Martin", "Work", "available", "At lunch", (216, 67, 21), False),
    ("carlos", "Carlos Ortega", "Work", "away", "Back in ten minutes", (21, 101, 192), False),
    ("dana", "Dana Kim", "Work", "dnd", "In a meeting until three", (106, 27, 154), False),
    ("erik", "Erik Olsen", "Work", "offline", "See you on Monday", (0, 121, 107), False),
]
DEMO_AVATAR_COLOUR = (55, 71, 79)


def say(text):
    print(f"demo-buddies: {text}", flush=True)


# Avatars: a coloured disc with a white initial, drawn here so the demo needs no picture files.

GLYPHS = {  # 5 x 7 cells
    "A": (".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"),
    "C": (".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."),
    "D": ("####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."),
    "E": ("#####", "#....", "#....", "####.", "#....", "#....", "#####"),
    "R": ("####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"),
}


def avatar_png(initial, colour, size=96):
    """A PNG of size x size pixels, RGBA, the disc's edge softened over one pixel."""
    glyph = GLYPHS.get(initial.upper(), ())
    cell = size // 12
    glyph_left = (size - 5 * cell) // 2
    glyph_top = (size - 7 * cell) // 2
    centre = (size - 1) / 2
    radius = size / 2 - 1
    rows = bytearray()
    for y in range(size):
        rows.append(0)  # no filter
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            alpha = max(0.0, min(1.0, radius - distance + 0.5))
            column, row = (x - glyph_left) // cell, (y - glyph_top) // cell
            ink = (glyph and 0 <= column < 5 and 0 <= row < 7
                   and x >= glyph_left and y >= glyph_top and glyph[row][column] == "#")
            red, green, blue = (255, 255, 255) if ink else colour
            rows += bytes((red, green, blue, int(alpha * 255)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


class Account(slixmpp.ClientXMPP):
    """One signed-in account: its vCard, its presence, and answers to what arrives."""

    def __init__(self, jid, password, name, show, status, avatar, answers, group=None):
        super().__init__(f"{jid}/demo", password)
        self.name = name
        self.group = group
        self.show = show
        self.status = status
        self.avatar = avatar
        self.answers = answers
        self.photo_hash = None
        self.signed_in = self.loop.create_future()
        self.gone = self.loop.create_future()
        # Requests are answered here rather than by the library, whose own answer leaves out
        # the request back: buddies accept and ask back, which makes each contact mutual.
        self.auto_authorize = None
        self.auto_subscribe = False
        self.asks_back = True
        self.add_event_handler("session_start", self.on_session_start)
        self.add_event_handler("failed_auth", self.on_failed)
        self.add_event_handler("connection_failed", self.on_failed)
        self.add_event_handler("disconnected", self.on_disconnected)
        self.add_event_handler("message", self.on_message)
        self.add_event_handler("presence_subscribe", self.on_subscribe)

    def on_session_start(self, _event):
        if not self.signed_in.done():
            self.signed_in.set_result(True)

    def on_failed(self, error):
        if not self.signed_in.done():
            self.signed_in.set_exception(RuntimeError(f"{self.boundjid.bare}: {error or 'failed'}"))
        self.cancel_connection_attempt()

    def on_disconnected(self, _event):
        if not self.gone.done():
            self.gone.set_result(True)

    def on_subscribe(self, presence):
        asker = presence["from"].bare
        self.make_presence(pto=asker, ptype="subscribed").send()
        if self.asks_back:
            self.make_presence(pto=asker, ptype="subscribe").send()

    def on_message(self, message):
        if not self.answers or message["type"] not in ("chat", "normal") or not message["body"]:
            return
        self.loop.call_later(ANSWER_DELAY, self.answer, message["from"], message["body"])

    def answer(self, to, body):
        reply = f"Hi, Robin here! You said: \u201c{body}\u201d"
        self.make_message(mto=to, mbody=reply, mtype="chat").send()
        say(f"Robin answered {to.bare}")

    async def start(self, host, port, ca_file):
        self.ca_certs = ca_file
        self.connect((host, port), use_ssl=True)
        await asyncio.wait_for(self.signed_in, IQ_TIMEOUT)
        await self.get_roster(timeout=IQ_TIMEOUT)

    async def checked(self, iq):
        try:
            return await iq.send(timeout=IQ_TIMEOUT)
        except IqError as error:
            raise RuntimeError(f"{self.boundjid.bare}: {error.iq['error']['condition']}")
        except IqTimeout:
            raise RuntimeError(f"{self.boundjid.bare}: no answer from the server")

    async def publish_vcard(self):
        vcard = ET.Element(f"{{{VCARD}}}vCard")
        ET.SubElement(vcard, f"{{{VCARD}}}FN").text = self.name
        ET.SubElement(vcard, f"{{{VCARD}}}NICKNAME").text = self.name
        photo = ET.SubElement(vcard, f"{{{VCARD}}}PHOTO")
        ET.SubElement(photo, f"{{{VCARD}}}TYPE").text = "image/png"
        ET.SubElement(photo, f"{{{VCARD}}}BINVAL").text = base64.encodebytes(self.avatar).decode()
        iq = self.make_iq_set()
        iq.xml.append(vcard)
        await self.checked(iq)
        self.photo_hash = hashlib.sha1(self.avatar).hexdigest()

    def announce(self, show=None):
        """Sends the presence for `show` (the account's own when None), with the photo hash."""
        show = show or self.show
        if show == "offline":
            self.make_presence(ptype="unavailable", pstatus=self.status or None).send()
            return
        presence = self.make_presence(pshow=None if show == "available" else show,
                                      pstatus=self.status or None)
        if self.photo_hash:
            update = ET.SubElement(presence.xml, f"{{{VCARD_UPDATE}}}x")
            ET.SubElement(update, f"{{{VCARD_UPDATE}}}photo").text = self.photo_hash
        presence.send()

    async def add_contact(self, jid, name, group):
        iq = self.make_iq_set()
        query = ET.SubElement(iq.xml, f"{{{ROSTER}}}query")
        item = ET.SubElement(query, f"{{{ROSTER}}}item", jid=jid, name=name)
        ET.SubElement(item, f"{{{ROSTER}}}group").text = group
        await self.checked(iq)
        self.make_presence(pto=jid, ptype="subscribe").send()

    async def subscriptions(self):
        iq = self.make_iq_get(queryxmlns=ROSTER)
        answer = await self.checked(iq)
        query = answer.xml.find(f"{{{ROSTER}}}query")
        items = query.findall(f"{{{ROSTER}}}item") if query is not None else []
        return {item.get("jid"): item.get("subscription") for item in items}

    async def leave(self):
        if self.gone.done() or not self.signed_in.done():
            self.abort()
            return
        self.disconnect(wait=2.0)
        try:
            await asyncio.wait_for(asyncio.shield(self.gone), 4)
        except asyncio.TimeoutError:
            self.abort()


def read_instance(directory):
    lines = (directory / "instance").read_text().splitlines()
    return dict(line.split("=", 1) for line in lines if "=" in line)


def register(directory, user, password):
    subprocess.run([sys.executable, str(PROSODY_LOCAL), "register", str(directory), user, password],
                   stdin=subprocess.DEVNULL, check=True, timeout=REGISTER_TIMEOUT)


def buddy_password(user):
    return f"{user}-demo-password"


async def set_up(arguments, server, buddies):
    host, port, ca_file = arguments.host, int(server["port"]), server["ca_file"]
    domain = server["domain"]
    await asyncio.gather(*(buddy.start(host, port, ca_file) for buddy in buddies))
    await asyncio.gather(*(buddy.publish_vcard() for buddy in buddies))
    for buddy in buddies:
        buddy.announce("available")  # online for now: offline buddies must accept too
    say(f"{len(buddies)} buddies signed in")

    demo_jid = f"{arguments.user}@{domain}"
    demo = Account(demo_jid, arguments.password, arguments.user, "available", "",
                   avatar_png("D", DEMO_AVATAR_COLOUR), False)
    demo.asks_back = False  # it has asked already
    try:
        await demo.start(host, port, ca_file)
        await demo.publish_vcard()
        demo.announce()  # the server hands requests only to a session that announced itself
        for buddy in buddies:
            await demo.add_contact(buddy.boundjid.bare, buddy.name, buddy.group)
        wanted = {buddy.boundjid.bare for buddy in buddies}
        while True:
            known = await demo.subscriptions()
            if all(known.get(jid) == "both" for jid in wanted):
                break
            await asyncio.sleep(0.2)
        say(f"{demo_jid} has {len(wanted)} mutual contacts")
    finally:
        await demo.leave()
    for buddy in buddies:
        buddy.announce()
    for buddy in buddies:
        if buddy.show == "offline":
            await buddy.leave()


def watch_parent(loop, stop):
    """Ends the script once its parent is gone (the kernel's signal covers most cases, this
    poll the rest)."""
    parent = os.getppid()
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except (OSError, AttributeError):
        pass
    if os.getppid() != parent:
        stop.set()

    def poll():
        if os.getppid() != parent:
            stop.set()
        else:
            loop.call_later(1.0, poll)

    loop.call_later(1.0, poll)


async def run(arguments):
    loop = asyncio.get_running_loop()
    stop = asyncio.Event()
    for number in (signal.SIGTERM, signal.SIGINT):
        loop.add_signal_handler(number, stop.set)
    watch_parent(loop, stop)

    directory = Path(arguments.server_dir).resolve()
    server = read_instance(directory)
    domain = server["domain"]
    for user, *_ in BUDDIES:
        await loop.run_in_executor(None, register, directory, user, buddy_password(user))
    buddies = [Account(f"{user}@{domain}", buddy_password(user), name, show, status,
                       avatar_png(name[0], colour), answers, group)
               for user, name, group, show, status, colour, answers in BUDDIES]

    setup = asyncio.ensure_future(asyncio.wait_for(set_up(arguments, server, buddies), SETUP_TIMEOUT))
    stopped = asyncio.ensure_future(stop.wait())
    status = 0
    try:
        await asyncio.wait({setup, stopped}, return_when=asyncio.FIRST_COMPLETED)
        if setup.done():
            setup.result()  # raises what went wrong
            Path(arguments.ready).write_text("ready\n")
            say("ready; Robin answers every message")
            await stopped
        else:
            setup.cancel()
    except (asyncio.TimeoutError, RuntimeError, OSError) as error:
        say(f"set-up failed: {str(error) or 'timed out'}")
        status = 1
    finally:
        stopped.cancel()
        await asyncio.gather(*(buddy.leave() for buddy in buddies), return_exceptions=True)
    return status


def main():
    parser = argparse.ArgumentParser(description="The demo's buddies.")
    parser.add_argument("--server-dir", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--host", default="127.0.0.1")
    arguments = parser.parse_args()
    logging.basicConfig(level=logging.CRITICAL)  # slixmpp's own chatter is not for the demo
    try:
        return asyncio.run(run(arguments))
    except subprocess.SubprocessError as error:
        say(f"cannot register the buddies: {error}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
