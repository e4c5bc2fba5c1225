#!/usr/bin/env python3
"""Tests of the demo web application, run as the scripts run it: a process on a free port.

    python3 -m unittest discover -s tools/demo -p 'test_*.py'
"""

import hashlib
import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "demo_server.py")

# "订货123" as GBK bytes (b6a9 bbf5 313233) digested; checked once with md5sum.
ZHANG_SAN_DIGEST = "bedcf274c0e4f819ace3e56c510e0b11"
DEMO_DIGEST = "e10adc3949ba59abbe56e057f20f883e"      # MD5 of "123456"
ADMIN_DIGEST = "21232f297a57a5a743894a0e4a801fc3"     # MD5 of "admin"


class DemoServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.log_path = os.path.join(cls.dir.name, "requests.log")
        port_file = os.path.join(cls.dir.name, "port")
        cls.proc = subprocess.Popen(
            [sys.executable, SERVER, "--port", "0", "--log", cls.log_path, "--port-file", port_file],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = time.monotonic() + 10
        while not os.path.exists(port_file):
            if cls.proc.poll() is not None or time.monotonic() > deadline:
                cls.tearDownClass()
                raise RuntimeError("the demo server did not start")
            time.sleep(0.02)
        with open(port_file) as f:
            cls.port = int(f.read())

    @classmethod
    def tearDownClass(cls):
        cls.proc.terminate()
        cls.proc.wait(timeout=10)
        cls.proc.stderr.close()
        cls.dir.cleanup()

    def get(self, target):
        """Sends GET with the target bytes exactly as given; returns (status, body text)."""
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as s:
            s.sendall(b"GET " + target + b" HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n")
            data = b""
            while True:
                chunk = s.recv(65536)
                if not chunk:
                    break
                data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        status = int(head.split(b" ", 2)[1])
        return status, body.decode("utf-8")

    def log_lines(self):
        with open(self.log_path, "rb") as f:
            return f.read().split(b"\n")[:-1]

    def test_right_sign_in_shows_the_name_and_the_exit_link_in_both_modes(self):
        cases = [
            (b"/shop/index.aspx", b"demo", DEMO_DIGEST, "demo", "会员订货"),
            (b"/tarvelo.aspx", b"admin", ADMIN_DIGEST, "admin", "管理后台"),
            (b"/tarvelo.aspx", "张三".encode("gbk"), ZHANG_SAN_DIGEST, "张三", "管理后台"),
            (b"/shop/index.aspx", b"R%26D%20%231", DEMO_DIGEST, "R&amp;D #1", "会员订货"),
        ]
        for path, name, digest, shown, title in cases:
            with self.subTest(path=path, name=name):
                status, body = self.get(path + b"?UserName=" + name + b"&UserPass=" + digest.encode())
                self.assertEqual(status, 200)
                self.assertIn("欢迎您，%s！" % shown, body)
                self.assertIn(title, body)
                self.assertIn('href="/Exit.aspx"', body)

    def test_wrong_or_missing_credentials_give_the_error_page_in_both_modes(self):
        wrong = hashlib.md5(b"654321").hexdigest().encode()
        cases = [
            b"/shop/index.aspx?UserName=demo&UserPass=" + wrong,
            b"/tarvelo.aspx?UserName=demo&UserPass=" + wrong,
            b"/shop/index.aspx?UserName=nobody&UserPass=" + DEMO_DIGEST.encode(),
            b"/tarvelo.aspx?UserName=demo&UserPass=" + DEMO_DIGEST.upper().encode(),
            b"/shop/index.aspx?UserName=demo",
            b"/tarvelo.aspx",
        ]
        for target in cases:
            with self.subTest(target=target):
                status, body = self.get(target)
                self.assertEqual(status, 200)
                self.assertIn("登录失败", body)
                self.assertNotIn("欢迎您", body)
                self.assertNotIn("Exit.aspx", body)

    def test_digest_is_taken_over_the_gbk_bytes_of_the_password(self):
        # Only the GBK digest signs in; the digest of the UTF-8 bytes of the same password is refused.
        utf8 = hashlib.md5("订货123".encode("utf-8")).hexdigest()
        self.assertNotEqual(utf8, ZHANG_SAN_DIGEST)
        name = b"%D5%C5%C8%FD"
        _, body = self.get(b"/shop/index.aspx?UserName=" + name + b"&UserPass=" + ZHANG_SAN_DIGEST.encode())
        self.assertIn("欢迎您，张三！", body)
        _, body = self.get(b"/shop/index.aspx?UserName=" + name + b"&UserPass=" + utf8.encode())
        self.assertIn("登录失败", body)

    def test_user_name_is_read_as_gbk_or_utf8_raw_or_percent_escaped(self):
        cases = {
            "raw GBK": "张三".encode("gbk"),
            "raw UTF-8": "张三".encode("utf-8"),
            "escaped GBK": b"%D5%C5%C8%FD",
            "escaped UTF-8": b"%E5%BC%A0%E4%B8%89",
        }
        for label, name in cases.items():
            with self.subTest(label):
                _, body = self.get(b"/shop/index.aspx?UserName=" + name + b"&UserPass=" + ZHANG_SAN_DIGEST.encode())
                self.assertIn("欢迎您，张三！", body)

    def test_user_text_is_escaped_in_the_page(self):
        _, body = self.get(b"/shop/index.aspx?UserName=%3Cscript%3Ex%3C/script%3E&UserPass=" + DEMO_DIGEST.encode())
        self.assertIn("登录失败", body)
        self.assertNotIn("<script>", body)

    def test_exit_page_and_unknown_pages(self):
        status, body = self.get(b"/Exit.aspx")
        self.assertEqual(status, 200)
        self.assertIn("安全退出", body)
        status, _ = self.get(b"/nothing/here.aspx")
        self.assertEqual(status, 404)

    def test_every_request_line_is_logged_byte_for_byte_and_at_once(self):
        targets = [
            b"/shop/index.aspx?UserName=" + "张三".encode("gbk") + b"&UserPass=" + ZHANG_SAN_DIGEST.encode(),
            b"/tarvelo.aspx?UserName=" + "张三".encode("utf-8") + b"&UserPass=" + ZHANG_SAN_DIGEST.encode(),
            b"/tarvelo.aspx?UserName=R%26D%20%231&UserPass=" + DEMO_DIGEST.encode(),
            b"/Exit.aspx",
            b"/missing?a=%zz&&b",
        ]
        for target in targets:
            self.get(target)
            # The line is in the file as soon as the answer has come, while the server runs on.
            self.assertEqual(self.log_lines()[-1], b"GET " + target)


if __name__ == "__main__":
    unittest.main()
