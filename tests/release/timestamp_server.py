#!/usr/bin/env python3
"""A throw-away RFC 3161 time-stamp authority on the loopback address, for the release test: each request is
answered by `openssl ts -reply` with the configuration given. Prints the port it listens on, then serves until it
is stopped.

    timestamp_server.py OPENSSL-TS-CONFIG
"""
import http.server
import os
import subprocess
import sys
import tempfile

MAX_QUERY_BYTES = 64 * 1024  # a time-stamp query is a hash and a few fields


class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        length = int(self.headers.get("Content-Length") or 0)
        if length <= 0 or length > MAX_QUERY_BYTES:
            self.send_error(400)
            return
        with tempfile.TemporaryDirectory() as folder:
            query, reply = os.path.join(folder, "query.tsq"), os.path.join(folder, "reply.tsr")
            with open(query, "wb") as out:
                out.write(self.rfile.read(length))
            answered = subprocess.run(["openssl", "ts", "-reply", "-config", sys.argv[1], "-queryfile", query,
                                       "-out", reply], stderr=subprocess.DEVNULL, timeout=30).returncode == 0
            if not answered:
                self.send_error(400)
                return
            with open(reply, "rb") as answer:
                body = answer.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Authority)
print(server.server_address[1], flush=True)
server.serve_forever()
