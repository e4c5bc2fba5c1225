#!/usr/bin/env python3
"""Demo web application for the ordering client: a small local HTTP server.

    python3 tools/demo/demo_server.py [--host 127.0.0.1] [--port 8080] [--log FILE]
                                      [--port-file FILE]

It plays the hosted ordering application that the client opens after sign-in:

    /shop/index.aspx?UserName=<name>&UserPass=<digest>   ordering login (members)
    /tarvelo.aspx?UserName=<name>&UserPass=<digest>      back-office login (staff)
    /Exit.aspx                                           the exit page; the client ends on it

The digest is the MD5 of the password's code page 936 (GBK) bytes as 32 lowercase hexadecimal
digits, as the client computes it. A right name and digest show a welcome page with a link to
the exit page; anything else shows an error page. Every request line (method and the raw
target with its query, byte for byte as received) is appended to the log file and flushed at
once. Python standard library only; a demo and a test peer, not part of the product.
"""

import argparse
import hashlib
import html
import http.server
import os
import sys
import threading
import urllib.parse

# Demo accounts: user name -> password. Both sign-in pages accept all of them.
ACCOUNTS = {
    "demo": "123456",
    "张三": "订货123",
    "admin": "admin",
    "R&D #1": "123456",   # a name that needs escaping in a query string
}

ORDERING_PATH = "/shop/index.aspx"
BACK_OFFICE_PATH = "/tarvelo.aspx"
EXIT_PATH = "/Exit.aspx"


def password_digest(password):
    """MD5 of the password's GBK bytes, 32 lowercase hexadecimal digits."""
    return hashlib.md5(password.encode("gbk")).hexdigest()


def decode_text(raw):
    """Text from query bytes that a browser sent as UTF-8 or as GBK."""
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("gb18030", errors="replace")


def parse_query(raw_query):
    """Parameters of a raw query (bytes): percent-decoded, "+" as a blank, first value wins."""
    params = {}
    for part in raw_query.split(b"&"):
        if not part:
            continue
        key, _, value = part.partition(b"=")
        name = decode_text(urllib.parse.unquote_to_bytes(key.replace(b"+", b" ")))
        params.setdefault(name, decode_text(urllib.parse.unquote_to_bytes(value.replace(b"+", b" "))))
    return params


def check_sign_in(params):
    """(True, name) for a known name with its digest, otherwise (False, reason)."""
    name = params.get("UserName", "")
    digest = params.get("UserPass", "")
    if not name or not digest:
        return False, "请输入用户名和密码。"
    password = ACCOUNTS.get(name)
    if password is None or digest != password_digest(password):
        return False, "用户名或密码错误，请返回重新登录。"
    return True, name


def page(title, body):
    return ("<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
            "<title>%s</title><style>"
            "body{font-family:'Microsoft YaHei',SimSun,sans-serif;margin:0;background:#f0f3f7;color:#28344a}"
            "header{background:#2974c4;color:#fff;padding:14px 24px;font-size:20px}"
            "main{margin:24px;padding:20px 24px;background:#fff;border:1px solid #c8d3e0}"
            "table{border-collapse:collapse}td,th{border:1px solid #c8d3e0;padding:4px 12px}"
            "a{color:#1d5aa0}.error{color:#c0392b}"
            "</style></head><body><header>客户订货系统 · %s</header><main>%s</main></body></html>\n"
            % (html.escape(title), html.escape(title), body))


def welcome_page(ordering, name):
    who = html.escape(name)
    exit_link = '<p><a href="%s">安全退出</a></p>' % EXIT_PATH
    if ordering:
        return page("会员订货", (
            "<h2>欢迎您，%s！</h2><p>这是演示用的订货页面。</p>"
            "<table><tr><th>商品</th><th>规格</th><th>单价</th></tr>"
            "<tr><td>办公用纸</td><td>A4 / 500张</td><td>25.00</td></tr>"
            "<tr><td>签字笔</td><td>0.5mm / 12支</td><td>18.00</td></tr></table>%s"
        ) % (who, exit_link))
    return page("管理后台", "<h2>欢迎您，%s！</h2><p>这是演示用的管理后台：今日新订单 3 笔，"
                "待发货 2 笔。</p>%s" % (who, exit_link))


def error_page(reason):
    return page("登录失败", '<h2 class="error">登录失败</h2><p>%s</p>' % html.escape(reason))


class RequestLog:
    """Appends request lines to a file (or standard output), one per line, flushed at once."""

    def __init__(self, path):
        self._lock = threading.Lock()
        self._file = open(path, "ab") if path else sys.stdout.buffer

    def write(self, raw_request_line):
        line = raw_request_line.rstrip(b"\r\n")
        method_and_target, sep, version = line.rpartition(b" ")
        if sep and version.startswith(b"HTTP/"):
            line = method_and_target
        with self._lock:
            self._file.write(line + b"\n")
            self._file.flush()


class DemoHandler(http.server.BaseHTTPRequestHandler):
    server_version = "OrderDemo/1.0"
    protocol_version = "HTTP/1.0"

    def parse_request(self):
        self.server.request_log.write(self.raw_requestline)
        # The standard parser splits the line at any Unicode blank, and the bytes 0x85 and 0xA0
        # occur inside raw GBK and UTF-8 text. Split at spaces here, keep the target as bytes
        # and give the parser a line with a plain target.
        self.raw_target = None
        parts = self.raw_requestline.rstrip(b"\r\n").split(b" ")
        if len(parts) == 3:
            self.raw_target = parts[1]
            self.raw_requestline = b" ".join((parts[0], b"/", parts[2])) + b"\r\n"
        if not super().parse_request():
            return False
        if self.raw_target is not None:
            self.path = self.raw_target.decode("iso-8859-1")
        return True

    def do_GET(self):
        self._answer(send_body=True)

    def do_HEAD(self):
        self._answer(send_body=False)

    def _answer(self, send_body):
        raw_target = self.raw_target if self.raw_target is not None else self.path.encode("iso-8859-1")
        raw_path, _, raw_query = raw_target.partition(b"?")
        path = urllib.parse.unquote_to_bytes(raw_path).decode("utf-8", errors="replace").lower()
        status = 200
        if path in (ORDERING_PATH.lower(), BACK_OFFICE_PATH.lower()):
            ok, detail = check_sign_in(parse_query(raw_query))
            body = welcome_page(path == ORDERING_PATH.lower(), detail) if ok else error_page(detail)
        elif path.endswith(EXIT_PATH.lower()):
            body = page("已退出", "<p>您已安全退出订货系统。</p>")
        elif path in ("/", "/index.html"):
            body = page("演示", "<p>订货登录：%s，管理后台：%s。演示帐号：%s。</p>" % (
                ORDERING_PATH, BACK_OFFICE_PATH,
                "，".join(html.escape(n) for n in ACCOUNTS)))
        else:
            status = 404
            body = page("找不到网页", "<p>找不到该网页。</p>")
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if send_body:
            self.wfile.write(data)

    def log_message(self, format, *args):
        pass   # the request log above is the only log


class DemoServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, request_log):
        self.request_log = request_log
        super().__init__(address, DemoHandler)


def write_port_file(path, port):
    """Writes the port whole or not at all, so a script polling for the file never reads half."""
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write("%d\n" % port)
    os.replace(tmp, path)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Demo web application for the ordering client.")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8080, help="0 picks any free port")
    parser.add_argument("--log", help="file that receives every request line (default: stdout)")
    parser.add_argument("--port-file", help="file that receives the port once the server listens")
    args = parser.parse_args(argv)

    server = DemoServer((args.host, args.port), RequestLog(args.log))
    port = server.server_address[1]
    if args.port_file:
        write_port_file(args.port_file, port)
    print("demo web application on http://%s:%d/" % (args.host, port), file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
