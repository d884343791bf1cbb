#!/usr/bin/python3
"""A scriptable XMPP peer for VeloIM's end-to-end tests, benchmarks and demo (slixmpp).

    peer.py --port PORT --ca-file FILE --jid USER@DOMAIN --password PASSWORD
            [--host 127.0.0.1] [--resource peer]

Connects with TLS from the first byte to HOST:PORT, trusting only the authority in FILE and
verifying the name DOMAIN, signs in, fetches its roster (so that the server sends it roster
pushes) and announces itself available. It accepts no subscription request by itself (see
auto_accept).

It then reads one command per line on standard input and writes one event per line on standard
output, each a JSON object whose "event" names it and whose other values are all strings.
Commands run one at a time, in order; each ends with a "done" event (with "command" and any
result) or an "error" event (with "command" and "text").

Commands (words are separated by one space each; TEXT is the rest of the line, kept as it is,
where \\n stands for a line break, \\t for a tab, \\r for a carriage return and \\\\ for a
backslash; roster_add takes shell-style quotes):

    send JID TEXT                     a chat message
    burst JID COUNT PREFIX            COUNT chat messages "PREFIX0", "PREFIX1", ... sent at once
    presence SHOW [TEXT]              SHOW is available, unavailable, away, chat, dnd or xa;
                                      the presence carries the photo hash once a photo is set
    subscribe JID, subscribed JID, unsubscribe JID, unsubscribed JID
                                      presence of that type to JID
    auto_accept on|off                on: answer each subscription request with subscribed and
                                      a subscription request of its own
    roster_add JID [NAME] [GROUP]     a roster set for one item
    roster_remove JID                 a roster set removing the item
    roster_get                        one "roster_item" event per item, then done with "count"
    vcard_photo PATH                  publishes a vCard whose PHOTO holds the file, Base64 in
                                      lines of 76 characters, and announces its hash; done
                                      carries "hash"
    vcard_binval TEXT                 the same with TEXT as the BINVAL, verbatim
    raw XML                           sends the iq XML (an id is added when it has none) and
                                      reports the answer as an "iq" event (id, type, xml);
                                      no answer within ten seconds is an error
    quit                              signs out and ends (so does the end of standard input)

Events: ready (jid), message (from, body, type, thread), message_error (from, condition),
presence (from, type: available or unavailable, show, status, photo), subscribe, subscribed,
unsubscribe, unsubscribed (from), roster_push and roster_item (jid, name, subscription, ask,
gr_t, groups: one line per group), push (xml: a shared-status, settings or no-save iq set
that reached this client, which answers it with an empty result), iq, done, error, disconnected.

Exit status 0 after quit, 1 when the connection failed, sign-in failed or the server closed
the stream.
"""

import argparse
import asyncio
import base64
import hashlib
import json
import os
import re
import shlex
import sys
import threading
import xml.etree.ElementTree as ET
from pathlib import Path

import slixmpp
from slixmpp.exceptions import IqError, IqTimeout
from slixmpp.xmlstream.handler import Callback
from slixmpp.xmlstream.matcher import MatchXPath

IQ_TIMEOUT = 10  # seconds
ROSTER = "jabber:iq:roster"
GOOGLE_ROSTER = "google:roster"
VCARD = "vcard-temp"
VCARD_UPDATE = "vcard-temp:x:update"
SHOWS = ("away", "chat", "dnd", "xa")
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
PHOTO_TYPES = {".png": "image/png", ".jpg": "image/jpeg", ".jpeg": "image/jpeg",
               ".gif": "image/gif"}


def emit(event, **fields):
    record = {"event": event}
    record.update((name, "" if value is None else str(value)) for name, value in fields.items())
    sys.stdout.write(json.dumps(record, ensure_ascii=False) + "\n")
    sys.stdout.flush()


def unescape(text):
    return re.sub(r"\\(.)", lambda match: ESCAPES.get(match.group(1), match.group(0)), text)


class CommandError(Exception):
    pass


def split_words(text, count):
    """The first count - 1 words, each ended by one space, and the rest of the line as it is
    (possibly empty)."""
    words = text.split(" ", count - 1)
    return words + [""] * (count - len(words))


class Peer(slixmpp.ClientXMPP):
    def __init__(self, jid, password):
        super().__init__(jid, password)
        # Written as gr:t; slixmpp drops namespaced attributes whose prefix it does not know.
        self.namespace_map[GOOGLE_ROSTER] = "gr"
        self.auto_authorize = None  # no answer to a subscription request unless told
        self.auto_subscribe = False
        self.finished = self.loop.create_future()
        self.quitting = False
        self.show = "available"
        self.status = ""
        self.photo_hash = None
        self.commands = asyncio.Queue()
        self.add_event_handler("session_start", self.on_session_start)
        self.add_event_handler("failed_auth", self.on_failed_auth)
        self.add_event_handler("connection_failed", self.on_connection_failed)
        self.add_event_handler("disconnected", self.on_disconnected)
        self.add_event_handler("message", self.on_message)
        self.add_event_handler("message_error", self.on_message_error)
        self.add_event_handler("presence", self.on_presence)
        self.add_event_handler("roster_update", self.on_roster_update)
        for path in ("{jabber:client}iq/{google:shared-status}query",
                     "{jabber:client}iq/{google:setting}usersetting",
                     "{jabber:client}iq/{google:nosave}query"):
            self.register_handler(Callback(path, MatchXPath(path), self.on_push))

    def finish(self, status):
        if not self.finished.done():
            self.finished.set_result(status)

    # Connection and sign-in.

    async def on_session_start(self, _event):
        await self.get_roster()
        self.send_current_presence()
        emit("ready", jid=self.boundjid.full)
        asyncio.ensure_future(self.run_commands())

    def on_failed_auth(self, _event):
        emit("error", command="", text="authentication failed")
        self.disconnect()

    def on_connection_failed(self, error):
        emit("error", command="", text=f"connection failed: {error}")
        self.cancel_connection_attempt()
        self.finish(1)

    def on_disconnected(self, _event):
        emit("disconnected")
        self.finish(0 if self.quitting else 1)

    # What arrives.

    def on_message(self, message):
        if message["type"] != "error" and message["body"]:
            emit("message", **{"from": message["from"].full, "body": message["body"],
                               "type": message.xml.get("type", "normal"),
                               "thread": message["thread"]})

    def on_message_error(self, message):
        emit("message_error", **{"from": message["from"].full,
                                 "condition": message["error"]["condition"]})

    def on_presence(self, presence):
        kind = presence.xml.get("type", "available")
        sender = {"from": presence["from"].full}
        if kind in ("subscribe", "subscribed", "unsubscribe", "unsubscribed"):
            emit(kind, **sender)
        elif kind in ("available", "unavailable"):
            photo = presence.xml.find(f"{{{VCARD_UPDATE}}}x/{{{VCARD_UPDATE}}}photo")
            emit("presence", type=kind, show=presence["show"], status=presence["status"],
                 photo=photo.text if photo is not None else "", **sender)

    def on_roster_update(self, iq):
        if iq["type"] == "set":
            for item in roster_items(iq):
                emit("roster_push", **item)

    def on_push(self, iq):
        if iq["type"] == "set":
            emit("push", xml=str(iq))
            iq.reply(clear=True).send()

    # What is sent.

    def send_current_presence(self):
        if self.show == "unavailable":
            self.make_presence(ptype="unavailable", pstatus=self.status or None).send()
            return
        presence = self.make_presence(pshow=self.show if self.show in SHOWS else None,
                                      pstatus=self.status or None)
        if self.photo_hash:
            update = ET.SubElement(presence.xml, f"{{{VCARD_UPDATE}}}x")
            ET.SubElement(update, f"{{{VCARD_UPDATE}}}photo").text = self.photo_hash
        presence.send()

    async def send_iq(self, iq):
        try:
            return await iq.send(timeout=IQ_TIMEOUT)
        except IqError as error:
            return error.iq
        except IqTimeout:
            raise CommandError("no answer")

    async def roster_set(self, jid, **attributes):
        iq = self.make_iq_set()
        query = ET.SubElement(iq.xml, f"{{{ROSTER}}}query")
        item = ET.SubElement(query, f"{{{ROSTER}}}item", jid=jid)
        for name, value in attributes.items():
            if name == "group":
                ET.SubElement(item, f"{{{ROSTER}}}group").text = value
            else:
                item.set(name, value)
        return await self.checked(iq)

    async def checked(self, iq):
        answer = await self.send_iq(iq)
        if answer["type"] == "error":
            raise CommandError(f"error answer: {answer['error']['condition']}")
        return answer

    async def publish_photo(self, binval, photo_type, photo_hash):
        vcard = ET.Element(f"{{{VCARD}}}vCard")
        photo = ET.SubElement(vcard, f"{{{VCARD}}}PHOTO")
        ET.SubElement(photo, f"{{{VCARD}}}TYPE").text = photo_type
        ET.SubElement(photo, f"{{{VCARD}}}BINVAL").text = binval
        iq = self.make_iq_set()
        iq.xml.append(vcard)
        await self.checked(iq)
        self.photo_hash = photo_hash
        self.send_current_presence()
        return {"hash": photo_hash}

    # Commands.

    async def run_commands(self):
        while True:
            line = await self.commands.get()
            if line is None:
                line = "quit"
            name, rest = split_words(line, 2)
            if not name:
                continue
            handler = COMMANDS.get(name)
            try:
                if handler is None:
                    raise CommandError("unknown command")
                result = await handler(self, rest)
                emit("done", command=name, **(result or {}))
            except CommandError as error:
                emit("error", command=name, text=str(error))
            except Exception as error:  # bad arguments, unreadable files: reported, not fatal
                emit("error", command=name, text=f"{type(error).__name__}: {error}")
            if name == "quit":
                return

    async def command_send(self, rest):
        to, text = split_words(rest, 2)
        if not to:
            raise CommandError("send JID TEXT")
        self.make_message(mto=to, mbody=unescape(text), mtype="chat").send()

    async def command_burst(self, rest):
        to, count, prefix = split_words(rest, 3)
        for index in range(int(count)):
            self.make_message(mto=to, mbody=f"{unescape(prefix)}{index}", mtype="chat").send()
        return {"count": count}

    async def command_presence(self, rest):
        show, text = split_words(rest, 2)
        if show not in SHOWS + ("available", "unavailable"):
            raise CommandError("presence available|unavailable|away|chat|dnd|xa [TEXT]")
        self.show, self.status = show, unescape(text)
        self.send_current_presence()

    async def command_auto_accept(self, rest):
        if rest.strip() not in ("on", "off"):
            raise CommandError("auto_accept on|off")
        on = rest.strip() == "on"
        self.auto_authorize = True if on else None
        self.auto_subscribe = on

    async def command_roster_add(self, rest):
        words = shlex.split(rest)
        if not 1 <= len(words) <= 3:
            raise CommandError("roster_add JID [NAME] [GROUP]")
        attributes = dict(zip(("name", "group"), words[1:]))
        await self.roster_set(words[0], **attributes)

    async def command_roster_remove(self, rest):
        if not rest.strip():
            raise CommandError("roster_remove JID")
        await self.roster_set(rest.strip(), subscription="remove")

    async def command_roster_get(self, _rest):
        iq = self.make_iq_get(queryxmlns=ROSTER)
        items = roster_items(await self.checked(iq))
        for item in items:
            emit("roster_item", **item)
        return {"count": len(items)}

    async def command_vcard_photo(self, rest):
        path = Path(rest.strip())
        data = path.read_bytes()
        binval = base64.encodebytes(data).decode("ascii")  # lines of 76 characters
        return await self.publish_photo(binval, PHOTO_TYPES.get(path.suffix.lower(),
                                                                "application/octet-stream"),
                                        hashlib.sha1(data).hexdigest())

    async def command_vcard_binval(self, rest):
        text = unescape(rest)
        return await self.publish_photo(text, "image/png",
                                        hashlib.sha1(text.encode("utf-8")).hexdigest())

    async def command_raw(self, rest):
        element = ET.fromstring(rest)
        if element.tag != "iq" or element.get("type") not in ("get", "set"):
            raise CommandError("raw takes an iq of type get or set")
        iq = self.make_iq(id=element.get("id") or self.new_id(), ito=element.get("to"),
                          itype=element.get("type"))
        for child in element:
            iq.xml.append(child)
        answer = await self.send_iq(iq)
        emit("iq", id=answer["id"], type=answer["type"], xml=str(answer))

    async def command_quit(self, _rest):
        self.quitting = True
        self.disconnect()


def subscription_command(kind):
    async def command(peer, rest):
        if not rest.strip():
            raise CommandError(f"{kind} JID")
        peer.make_presence(pto=rest.strip(), ptype=kind).send()
    return command


COMMANDS = {
    "send": Peer.command_send,
    "burst": Peer.command_burst,
    "presence": Peer.command_presence,
    "subscribe": subscription_command("subscribe"),
    "subscribed": subscription_command("subscribed"),
    "unsubscribe": subscription_command("unsubscribe"),
    "unsubscribed": subscription_command("unsubscribed"),
    "auto_accept": Peer.command_auto_accept,
    "roster_add": Peer.command_roster_add,
    "roster_remove": Peer.command_roster_remove,
    "roster_get": Peer.command_roster_get,
    "vcard_photo": Peer.command_vcard_photo,
    "vcard_binval": Peer.command_vcard_binval,
    "raw": Peer.command_raw,
    "quit": Peer.command_quit,
}


def roster_items(iq):
    query = iq.xml.find(f"{{{ROSTER}}}query")
    items = []
    for item in query.findall(f"{{{ROSTER}}}item") if query is not None else []:
        items.append({
            "jid": item.get("jid"), "name": item.get("name"),
            "subscription": item.get("subscription"), "ask": item.get("ask"),
            "gr_t": item.get(f"{{{GOOGLE_ROSTER}}}t"),
            "groups": "\n".join(group.text or "" for group in item.findall(f"{{{ROSTER}}}group")),
        })
    return items


def read_commands(loop, commands):
    """Hands each line of standard input to the event loop, then None at its end.

    Reads the descriptor itself: a thread still blocked in the buffered sys.stdin when the
    program ends would hold that buffer's lock and abort the interpreter's shutdown."""
    pending = b""
    while chunk := os.read(0, 65536):
        *lines, pending = (pending + chunk).split(b"\n")
        for line in lines:
            text = line.decode("utf-8", errors="replace").rstrip("\r")
            loop.call_soon_threadsafe(commands.put_nowait, text)
    if pending:
        loop.call_soon_threadsafe(commands.put_nowait, pending.decode("utf-8", errors="replace"))
    loop.call_soon_threadsafe(commands.put_nowait, None)


def main():
    parser = argparse.ArgumentParser(description="A scriptable XMPP peer.")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--ca-file", required=True)
    parser.add_argument("--jid", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--resource", default="peer")
    arguments = parser.parse_args()

    peer = Peer(f"{arguments.jid}/{arguments.resource}", arguments.password)
    peer.ca_certs = arguments.ca_file
    threading.Thread(target=read_commands, args=(peer.loop, peer.commands), daemon=True).start()
    peer.connect((arguments.host, arguments.port), use_ssl=True)
    return peer.loop.run_until_complete(peer.finished)


if __name__ == "__main__":
    sys.exit(main())
