#!/usr/bin/python3
"""A local HTTP/1.1 server for the HTTP client's tests, on 127.0.0.1 and a port of the
system's choosing, which it prints as its first line ("port N"). With --tls CERT KEY it
speaks HTTPS with that certificate chain and key. It ends by itself after --lifetime
seconds, so it never outlives a test run that died.

Paths (the query gives the numbers):
  /hello          a short UTF-8 text with Content-Length, and the field X-Multi twice
  /echo           any method: "METHOD /echo", the request's Content-Length and Content-Type
                  as received (or "-"), then the request's body
  /chunked        a chunked body in several chunks, one with an extension, and a trailer
  /until-close    a body without a length, ended by closing the connection
  /close-early    promises 1000 bytes, sends 10, closes
  /chunked-cut    one chunk, then closes without the last one
  /slow?pieces=P&gap=S   P pieces of "piece N\\n", S seconds apart, with Content-Length
  /stall          a header promising 10 bytes, then silence for a minute
  /big?n=N        N bytes of "0123456789abcdef" repeated, with Content-Length
  /big-chunked?n=N  the same in chunks of 4096 bytes
  /endless        chunks of 4096 bytes for as long as the client reads
  /status?code=C  status C with the body "status C"
"""

import argparse
import http.server
import os
import ssl
import threading
import time
import urllib.parse

PATTERN = b"0123456789abcdef"


def pattern(count):
    return (PATTERN * (count // len(PATTERN) + 1))[:count]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        pass

    def query(self, name, default):
        values = urllib.parse.parse_qs(urllib.parse.urlsplit(self.path).query).get(name)
        return values[0] if values else default

    def send_head(self, status, fields):
        self.send_response(status)
        for name, value in fields:
            self.send_header(name, value)
        self.end_headers()

    def send_whole(self, status, body, fields=()):
        self.send_head(status, [("Content-Length", str(len(body)))] + list(fields))
        if self.command != "HEAD":
            self.wfile.write(body)

    def send_chunk(self, data, extension=""):
        self.wfile.write(b"%x%s\r\n%s\r\n" % (len(data), extension.encode(), data))
        self.wfile.flush()

    def hello(self):
        self.send_whole(200, "Hello, wörld".encode(), [
            ("Content-Type", "text/plain; charset=utf-8"), ("X-Multi", "one"), ("X-Multi", "two")])

    def echo(self):
        length = self.headers.get("Content-Length")
        body = self.rfile.read(int(length)) if length else b""
        text = "%s %s\n%s\n%s\n" % (self.command, self.path, length or "-",
                                    self.headers.get("Content-Type", "-"))
        self.send_whole(200, text.encode() + body)

    def chunked(self):
        self.send_head(200, [("Transfer-Encoding", "chunked")])
        self.send_chunk(b"first,")
        self.send_chunk(b"second;", ";name=value")
        self.send_chunk(b"third")
        self.wfile.write(b"0\r\nX-Trailer: done\r\n\r\n")

    def until_close(self):
        self.close_connection = True
        self.send_head(200, [("Connection", "close")])
        self.wfile.write(b"until the end")

    def close_early(self):
        self.close_connection = True
        self.send_head(200, [("Content-Length", "1000")])
        self.wfile.write(b"0123456789")

    def chunked_cut(self):
        self.close_connection = True
        self.send_head(200, [("Transfer-Encoding", "chunked")])
        self.send_chunk(b"only this")

    def slow(self):
        pieces = int(self.query("pieces", "5"))
        gap = float(self.query("gap", "0.2"))
        body = [b"piece %d\n" % index for index in range(pieces)]
        self.send_head(200, [("Content-Length", str(sum(len(piece) for piece in body)))])
        for piece in body:
            self.wfile.write(piece)
            self.wfile.flush()
            time.sleep(gap)

    def stall(self):
        self.send_head(200, [("Content-Length", "10")])
        self.wfile.flush()
        time.sleep(60)

    def big(self):
        self.send_whole(200, pattern(int(self.query("n", "0"))))

    def big_chunked(self):
        body = pattern(int(self.query("n", "0")))
        self.send_head(200, [("Transfer-Encoding", "chunked")])
        for start in range(0, len(body), 4096):
            self.send_chunk(body[start:start + 4096])
        self.wfile.write(b"0\r\n\r\n")

    def endless(self):
        self.send_head(200, [("Transfer-Encoding", "chunked")])
        while True:
            self.send_chunk(pattern(4096))

    def status(self):
        code = int(self.query("code", "200"))
        self.send_whole(code, b"status %d" % code)

    ROUTES = {
        "/hello": hello, "/echo": echo, "/chunked": chunked, "/until-close": until_close,
        "/close-early": close_early, "/chunked-cut": chunked_cut, "/slow": slow,
        "/stall": stall, "/big": big, "/big-chunked": big_chunked, "/endless": endless,
        "/status": status,
    }

    def answer(self):
        route = self.ROUTES.get(urllib.parse.urlsplit(self.path).path)
        try:
            if route is None:
                self.send_whole(404, b"no such path")
            else:
                route(self)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
            self.close_connection = True

    do_GET = do_POST = do_PUT = do_DELETE = do_HEAD = do_OPTIONS = do_TRACE = answer


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--lifetime", type=float, default=300)
    options = parser.parse_args()
    server = Server(("127.0.0.1", 0), Handler)
    if options.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(*options.tls)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    timer = threading.Timer(options.lifetime, lambda: os._exit(0))
    timer.daemon = True
    timer.start()
    print("port %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
