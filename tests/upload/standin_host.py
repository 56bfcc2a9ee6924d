#!/usr/bin/env python3
"""A stand-in for the image host, for the upload tests and the benchmark.

It listens on a free 127.0.0.1 port (printed as "port N" on stdout), checks what a post brings
(method, target, protocol, header order and values, every part of the multipart body against the
files on disk) and answers as the query string's "mode" asks, well-behaved or not. It only ever
talks to loopback, and it stops by itself when its stdin closes or after MAX_LIFETIME seconds.

With "--lifeline PORT" it connects to 127.0.0.1:PORT instead, sends "port N" there and stops when
that connection closes: a Windows test program under Wine can start this Linux script but cannot hand
it pipes, so its stdin reads as empty and its stdout goes nowhere. Folders the test names ("dir",
"gate") are then Linux paths already (the test maps its drive paths).

Query parameters of a post to /upload.php:
  mode    ok (default) | redirect302 | location200 | nocontent | continue100 | chunked | short |
          nolength | keepalive | longline | silent | status500 | status401 | closeinheader |
          count (the byte count as reply, then a SHA-256 per file part on stdout) |
          nolinks | reset (no Content-Length) | resetlength: the page up to its first link line, then
          an abortive close (a reset) | trickle: a header line one byte every 50 ms for 10 s, then
          the page | held: as ok, once the file named by "gate" exists; the host creates
          gate + ".arrived" when the post is in, so a test can look at the waiting window
  dir     folder holding the files the parts must equal (by their filename parameter)
  cookie  a Set-Cookie value to send (may repeat); cookie2 likewise for Set-Cookie2
"""

import hashlib
import os
import re
import socket
import struct
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

MAX_LIFETIME = 900          # seconds; a forgotten server never outlives a test run
SOCKET_TIMEOUT = 20         # seconds a connection may stay quiet
SILENT_HOLD = 30            # seconds a silent reply keeps the connection: far past the limits tests set
EXPECTED_ORDER = ["Connection", "Content-Type", "Content-Length", "Host", "Accept", "User-Agent"]

connection_counter = 0
counter_lock = threading.Lock()
print_lock = threading.Lock()


def unescape_filename(name):
    return name.replace("%22", '"').replace("%0D", "\r").replace("%0A", "\n")


class Handler(BaseHTTPRequestHandler):
    timeout = SOCKET_TIMEOUT
    protocol_version = "HTTP/1.0"

    def setup(self):
        global connection_counter
        super().setup()
        with counter_lock:
            connection_counter += 1
            self.connection_id = connection_counter

    def log_message(self, fmt, *args):  # quiet
        pass

    # --- checks -------------------------------------------------------------------------------
    def check_request(self, body, query):
        problems = []
        path = urllib.parse.urlsplit(self.path).path
        if path != "/upload.php":
            problems.append("target " + path)
        if self.request_version != "HTTP/1.0":
            problems.append("protocol " + self.request_version)
        names = list(self.headers.keys())
        expected = EXPECTED_ORDER + (["Cookie"] if "Cookie" in names else [])
        if names != expected:
            problems.append("header order " + ",".join(names))
        h = self.headers
        if h.get("Connection") != "keep-alive":
            problems.append("Connection " + str(h.get("Connection")))
        ctype = h.get("Content-Type", "")
        m = re.fullmatch(r"multipart/form-data; boundary=(--------\d{15})", ctype)
        if not m:
            problems.append("Content-Type " + ctype)
        if h.get("Content-Length") != str(len(body)):
            problems.append("Content-Length %s for %d bytes" % (h.get("Content-Length"), len(body)))
        port = self.server.server_address[1]
        if h.get("Host") != "%s:%d" % (query.get("host", ["127.0.0.1"])[0], port):
            problems.append("Host " + str(h.get("Host")))
        if h.get("Accept") != "text/html, */*":
            problems.append("Accept " + str(h.get("Accept")))
        if h.get("User-Agent") != "Mozilla/3.0 (compatible; Vorlinex)":
            problems.append("User-Agent " + str(h.get("User-Agent")))
        if m:
            problems += self.check_parts(m.group(1), body, query.get("dir", [None])[0])
        return problems

    def check_parts(self, boundary, body, folder):
        """Walks the body byte by byte as the client must lay it out: every part opens with "--", the
        boundary and CR LF; a file part has exactly its two header lines, an empty line, the file's bytes
        and CR LF; the text part is exactly imgcontent=notsafe with its line break; the closing delimiter
        (CR LF, "--", the boundary, "--", CR LF) ends the body."""
        problems = []
        self.file_names = []
        opening = b"--" + boundary.encode() + b"\r\n"
        closing = b"\r\n--" + boundary.encode() + b"--\r\n"
        file_head = b'Content-Disposition: form-data; name="userfile[]"; filename="'
        file_type = b'"\r\nContent-Type: multipart/form-data\r\n\r\n'
        text_part = opening + b'Content-Disposition: form-data; name="imgcontent"\r\n\r\nnotsafe\r\n'
        pos, i = 0, 0
        while body.startswith(opening + file_head, pos):
            pos += len(opening + file_head)
            end = body.find(file_type, pos)
            if end < 0:
                return problems + ["part %d header" % i]
            # The parameter carries the uploader's 8-bit name bytes; the file is opened by those bytes.
            filename = os.fsdecode(body[pos:end])
            pos = end + len(file_type)
            if "/" in filename or "\\" in filename or '"' in filename or "\r" in filename or "\n" in filename:
                problems.append("part %d filename %r" % (i, filename))
            self.file_names.append(filename)
            if folder is None:
                # Without the files at hand, the content runs to the next part's delimiter line.
                end = body.find(b"\r\n" + opening, pos)
                if end < 0:
                    return problems + ["part %d content" % i]
                content = body[pos:end]
            else:
                try:
                    with open(os.path.join(folder, unescape_filename(filename)), "rb") as f:
                        content = f.read()
                except OSError:
                    return problems + ["part %d no file %s" % (i, filename)]
                if body[pos:pos + len(content)] != content:
                    problems.append("part %d content differs from %s" % (i, filename))
            pos += len(content)
            if body[pos:pos + 2] != b"\r\n":
                return problems + ["part %d does not end in CR LF" % i]
            pos += 2
            i += 1
        if body[pos:] != text_part + closing:
            problems.append("last part is not exactly imgcontent=notsafe and the closing delimiter")
        return problems

    def print_part_digests(self, body):
        """Prints "digest ID INDEX SHA256" for every file part's content, in order, then "digested ID
        COUNT", whatever the client's part headers look like (the boundary is taken from its header)."""
        m = re.search(r'boundary="?([^";]+)"?', self.headers.get("Content-Type", ""))
        lines = []
        if m:
            delimiter = b"--" + m.group(1).encode("latin-1")
            for part in body.split(b"\r\n" + delimiter)[:-1]:
                if part.startswith(delimiter):
                    part = part[len(delimiter):]
                head, _, content = part.partition(b"\r\n\r\n")
                if b"filename=" in head:
                    lines.append("digest %d %d %s" % (self.connection_id, len(lines),
                                                      hashlib.sha256(content).hexdigest()))
        lines.append("digested %d %d" % (self.connection_id, len(lines)))
        with print_lock:
            print("\n".join(lines), flush=True)

    # --- replies ------------------------------------------------------------------------------
    def page(self, problems, with_links=True):
        lines = ["<html><body>",
                 "verdict: " + ("ok" if not problems else "; ".join(problems)),
                 "connection: %d" % self.connection_id,
                 "cookie: " + self.headers.get("Cookie", "-"),
                 "<textarea>"]
        # Links only for a request that passed every check, so a post text with links proves it did.
        if with_links and not problems:
            for i, _ in enumerate(getattr(self, "file_names", [])):
                lead = " " if i % 2 == 0 else ""
                lines.append(lead + "[URL=http://img.example/%d][IMG]http://img.example/th/%d.jpg[/IMG][/URL]" % (i, i))
            if lines[-1] != "<textarea>":
                lines[-1] += "</textarea>"
        lines.append("</body></html>")
        return ("\r\n".join(lines) + "\r\n").encode("utf-8")

    def send_raw(self, data):
        self.wfile.write(data)
        self.wfile.flush()

    def reset_after_first_link(self, head, page):
        """Sends the head and the page up to and including its first link line, then resets the
        connection: linger time 0 makes the close abortive (an RST, no FIN). The descriptor is closed
        at once, so no orderly shutdown by the server framework can come first."""
        cut = page.index(b"[/URL]")
        cut = page.index(b"\r\n", cut) + 2
        self.send_raw(head + page[:cut])
        time.sleep(0.05)  # the client has the link line before the reset
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        os.close(self.connection.detach())
        self.close_connection = True

    def cookie_lines(self, query):
        out = b""
        for v in query.get("cookie", []):
            out += b"Set-Cookie: " + v.encode("latin-1") + b"\r\n"
        for v in query.get("cookie2", []):
            out += b"Set-Cookie2: " + v.encode("latin-1") + b"\r\n"
        return out

    def do_GET(self):
        self.send_raw(b"HTTP/1.0 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n")

    def do_POST(self):
        query = urllib.parse.parse_qs(urllib.parse.urlsplit(self.path).query)
        mode = query.get("mode", ["ok"])[0]
        length = int(self.headers.get("Content-Length", "0"))
        if mode == "count":
            remaining, chunks = length, []
            while remaining > 0:
                chunk = self.rfile.read(min(remaining, 1 << 20))
                if not chunk:
                    break
                chunks.append(chunk)
                remaining -= len(chunk)
            body = b"".join(chunks)
            text = b"received: %d\r\n" % len(body)
            self.send_raw(b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % len(text) + text)
            # The client has its reply and its end of the connection; the digests cost it no time.
            try:
                self.connection.shutdown(socket.SHUT_WR)
            except OSError:
                pass
            self.print_part_digests(body)
            return
        body = self.rfile.read(length)
        problems = self.check_request(body, query)
        page = self.page(problems, with_links=(mode != "nolinks"))
        cookies = self.cookie_lines(query)
        if mode == "held":
            gate = query.get("gate", [""])[0]
            open(gate + ".arrived", "wb").close()
            deadline = time.monotonic() + SILENT_HOLD
            while not os.path.exists(gate) and time.monotonic() < deadline:
                time.sleep(0.02)
        if mode in ("ok", "nolinks", "held"):
            self.send_raw(b"HTTP/1.0 200 OK\r\n" + cookies + b"Content-Length: %d\r\n\r\n" % len(page) + page)
        elif mode == "redirect302":
            self.send_raw(b"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1/elsewhere\r\n" + cookies
                          + b"Content-Length: 5\r\n\r\nmoved")
        elif mode == "location200":
            self.send_raw(b"HTTP/1.0 200 OK\r\nLocation: http://127.0.0.1/elsewhere\r\n"
                          + b"Content-Length: %d\r\n\r\n" % len(page) + page)
        elif mode == "nocontent":
            self.send_raw(b"HTTP/1.0 204 No Content\r\n" + cookies + b"\r\n")
        elif mode == "continue100":
            self.send_raw(b"HTTP/1.1 100 Continue\r\n\r\n")
            time.sleep(0.05)
            self.send_raw(b"HTTP/1.0 200 OK\r\n" + cookies + b"Content-Length: %d\r\n\r\n" % len(page) + page)
        elif mode == "chunked":
            self.send_raw(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                          b"1a and some words after the size\r\nabcdefghijklmnopqrstuvwxyz\r\n"
                          b"A\r\n0123456789\r\n0\r\n\r\n")
        elif mode == "short":
            self.send_raw(b"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabcd")
        elif mode == "nolength":
            self.send_raw(b"HTTP/1.0 200 OK\r\n" + cookies + b"\r\n" + page)
        elif mode == "keepalive":
            self.send_raw(b"HTTP/1.0 200 OK\r\nConnection: keep-alive\r\n" + cookies
                          + b"Content-Length: %d\r\n\r\n" % len(page) + page)
            # Wait on this connection for the next request or for the client to close it.
            self.close_connection = False
        elif mode == "reset":
            self.reset_after_first_link(b"HTTP/1.0 200 OK\r\n\r\n", page)
        elif mode == "resetlength":
            self.reset_after_first_link(b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % len(page), page)
        elif mode == "trickle":
            try:
                self.send_raw(b"HTTP/1.0 200 OK\r\nX-Slow: ")
                for _ in range(200):
                    time.sleep(0.05)
                    self.send_raw(b"x")
                self.send_raw(b"\r\nContent-Length: %d\r\n\r\n" % len(page) + page)
            except OSError:
                pass  # the client gave up, as it should
        elif mode == "longline":
            self.send_raw(b"HTTP/1.0 200 OK\r\nX-Padding: " + b"x" * 20000 + b"\r\nContent-Length: 2\r\n\r\nok")
        elif mode == "silent":
            time.sleep(SILENT_HOLD)
        elif mode == "status500":
            self.send_raw(b"HTTP/1.0 500 Internal Server Error\r\nContent-Length: 4\r\n\r\noops")
        elif mode == "status401":
            self.send_raw(b"HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"x\"\r\n\r\nno")
        elif mode == "closeinheader":
            self.send_raw(b"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n")
        else:
            self.send_raw(b"HTTP/1.0 400 Bad Request\r\nContent-Length: 0\r\n\r\n")


def watch_stdin():
    try:
        while sys.stdin.buffer.read(4096):
            pass
    finally:
        os._exit(0)


def watch_lifeline(lifeline):
    try:
        while lifeline.recv(4096):
            pass
    finally:
        os._exit(0)


def main():
    threading.Timer(MAX_LIFETIME, lambda: os._exit(0)).start()
    ThreadingHTTPServer.daemon_threads = True
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    announcement = b"port %d\n" % server.server_address[1]
    if len(sys.argv) == 3 and sys.argv[1] == "--lifeline":
        lifeline = socket.create_connection(("127.0.0.1", int(sys.argv[2])), timeout=SOCKET_TIMEOUT)
        lifeline.settimeout(None)
        lifeline.sendall(announcement)
        threading.Thread(target=watch_lifeline, args=(lifeline,), daemon=True).start()
    else:
        threading.Thread(target=watch_stdin, daemon=True).start()
        sys.stdout.buffer.write(announcement)
        sys.stdout.flush()
    server.serve_forever()


if __name__ == "__main__":
    main()
