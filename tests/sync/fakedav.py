#!/usr/bin/env python3
"""A DAV server that fails on purpose, for the client's fault cases.

The first part of the path chooses the fault; any method is answered. Prints
its port on the first line of stdout once it listens on 127.0.0.1.
"""
import ctypes
import http.server
import signal
import sys
import time

DAV_ERROR = ('<?xml version="1.0"?><d:error xmlns:d="DAV:"><d:{}/></d:error>')
MULTISTATUS = ('<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" '
               'xmlns:c="urn:ietf:params:xml:ns:caldav">{}</d:multistatus>')
LAUGHS = ('<?xml version="1.0"?><!DOCTYPE m [<!ENTITY a "aaaaaaaaaa">'
          '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>'
          '<d:multistatus xmlns:d="DAV:"><d:response><d:href>&c;</d:href></d:response></d:multistatus>')


def item(href, etag, status="HTTP/1.1 200 OK"):
    return ('<d:response><d:href>{}</d:href><d:propstat><d:prop><d:getetag>{}</d:getetag>'
            '</d:prop><d:status>{}</d:status></d:propstat></d:response>').format(href, etag, status)


def gone(href):
    return '<d:response><d:href>{}</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>'.format(href)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, code, body="", headers=()):
        data = body.encode()
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        if body:
            self.send_header("Content-Type", "application/xml; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def request_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length).decode("utf-8", "replace")

    def answer(self):
        body = self.request_body()
        fault = self.path.strip("/").split("/")[0]
        if fault == "conflict":
            self.reply(412)
        elif fault == "full":
            self.reply(507)
        elif fault == "auth":
            self.reply(401, headers=[("WWW-Authenticate", 'Basic realm="fake"')])
        elif fault == "gone":
            self.reply(404)
        elif fault == "broken":
            self.reply(500)
        elif fault == "garbage":
            self.reply(207, MULTISTATUS.format(item("/garbage/a.ics", '"1"'))[:-30])
        elif fault == "html":
            self.reply(207, "<html><body>Welcome</body></html>")
        elif fault == "laughs":
            self.reply(207, LAUGHS)
        elif fault == "oldtoken":
            self.reply(403, DAV_ERROR.format("valid-sync-token"))
        elif fault == "noreport":
            self.reply(501)
        elif fault == "uid":
            self.reply(403, DAV_ERROR.replace("<d:{}/>", '<c:{}/>').replace(
                'xmlns:d="DAV:"', 'xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav"').format("no-uid-conflict"))
        elif fault == "declared":
            # Says it is huge before sending anything.
            self.send_response(207)
            self.send_header("Content-Length", str(1 << 30))
            self.end_headers()
            self.wfile.write(b"<")
        elif fault == "endless":
            # No length: the body ends when the connection does, here never.
            self.send_response(207)
            self.send_header("Connection", "close")
            self.end_headers()
            chunk = b"<d:x/>" * 10000
            try:
                while True:
                    self.wfile.write(chunk)
            except OSError:
                pass
            self.close_connection = True
        elif fault == "hang":
            time.sleep(20)
        elif fault == "bigitem":
            data = "BEGIN:VCALENDAR\r\n" + "X-FILL:" + "x" * 4000 + "\r\nEND:VCALENDAR\r\n"
            self.reply(207, MULTISTATUS.format(
                '<d:response><d:href>/bigitem/a.ics</d:href><d:propstat><d:prop><d:getetag>"1"</d:getetag>'
                '<c:calendar-data>{}</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>'
                '</d:propstat></d:response>'.format(data)))
        elif fault == "parts":
            # A change list in two parts (RFC 6578 truncation): "a" changes
            # in the first and is removed in the second.
            if "<d:sync-token>t2</d:sync-token>" in body:
                self.reply(207, MULTISTATUS.format(
                    gone("/parts/a.ics") + item("/parts/c.ics", '"c1"') + "<d:sync-token>t3</d:sync-token>"))
            else:
                self.reply(207, MULTISTATUS.format(
                    item("/parts/a.ics", '"a1"') + item("/parts/b.ics", '"b1"')
                    + '<d:response><d:href>/parts/</d:href><d:status>HTTP/1.1 507 Insufficient Storage'
                      '</d:status></d:response><d:sync-token>t2</d:sync-token>'))
        elif fault == "moved":
            self.reply(301, headers=[("Location", "/moved/")])
        else:
            self.reply(404)

    def __getattr__(self, name):
        if name.startswith("do_"):
            return self.answer
        raise AttributeError(name)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


if __name__ == "__main__":
    # Ends with the test that started it, even one that crashed.
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    sys.exit(0)
