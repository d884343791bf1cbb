#!/usr/bin/python3
"""The burst benchmark's yardstick: a slixmpp client that signs in to the benchmark's scripted
server and receives its burst, storing nothing.

    burst-client.py --port PORT --ca-file FILE --jid USER@DOMAIN/RESOURCE --password PASSWORD
                    --peer JID --count COUNT

Once signed in it sends "go" to PEER (the server starts the burst when it reads it) and counts
the chat messages that arrive; after COUNT of them it prints "received COUNT SECONDS", the
time from sending "go" to the last message, and ends. The scripted server answers requests
with fixed ids, so every id this client makes is the bind request's.
"""

import argparse
import sys
import time

import slixmpp


class BurstClient(slixmpp.ClientXMPP):
    def __init__(self, jid, password, peer, count):
        super().__init__(jid, password)
        self.peer = peer
        self.count = count
        self.received = 0
        self.started = 0.0
        self.finished = self.loop.create_future()
        self.add_event_handler("session_start", self.on_session_start)
        self.add_event_handler("message", self.on_message)
        self.add_event_handler("disconnected", self.on_disconnected)
        self.add_event_handler("failed_auth", self.on_disconnected)

    def new_id(self):
        return "bind_1"

    def on_session_start(self, _event):
        self.started = time.monotonic()
        self.send_message(mto=self.peer, mbody="go", mtype="chat")

    def on_message(self, message):
        if message["type"] == "chat" and message["body"]:
            self.received += 1
            if self.received == self.count:
                print(f"received {self.count} {time.monotonic() - self.started:.6f}", flush=True)
                self.finish(0)

    def on_disconnected(self, _event):
        self.finish(1)

    def finish(self, status):
        if not self.finished.done():
            self.finished.set_result(status)


def main():
    parser = argparse.ArgumentParser(description="The burst benchmark's slixmpp client.")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--ca-file", required=True)
    parser.add_argument("--jid", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--peer", required=True)
    parser.add_argument("--count", type=int, required=True)
    arguments = parser.parse_args()

    client = BurstClient(arguments.jid, arguments.password, arguments.peer, arguments.count)
    client.ca_certs = arguments.ca_file
    client.connect(("127.0.0.1", arguments.port), use_ssl=True)
    return client.loop.run_until_complete(client.finished)


if __name__ == "__main__":
    sys.exit(main())
