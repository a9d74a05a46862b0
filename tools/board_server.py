#!/usr/bin/env python3
"""A small bulletin board on 127.0.0.1 for trying the mascot and the global-IP copy
without the internet, and for the end-to-end tests.

Pages are code page 932, as the program reads them:
  /e/?                          the IP-echo page: the address inside an HTML comment
  /~USER/2chmenu.html           the board menu; USER picks its shape:
                                  poko      boards from just before the lounge on
                                  nolounge  no board is called the lounge
                                  noslash   board links never end in "/"
                                  hostile   links to file:, UNC, ms-settings:, ... first,
                                            then one upper-case HTTP:// board
                                  root      the only board after the lounge is the
                                            server root, http://HOST/ (no board folder)
  /BOARD/subback.html           a board's thread list (board "hostile": unsafe keys)
  /test/read.cgi/BOARD/KEY      a thread
A first path segment that names a shape changes what the IP-echo page holds between
its parentheses:
  /lines/e/?     the address, a line break and a command, as rich text
  /ipv6/e/?      an IPv6 address
A first path segment that names a delivery changes how any of these arrives:
  /stall/...     the connection is accepted and then nothing is ever sent
  /trickle/...   the headers, then one byte a second
  /endless/...   a body that never ends
  /empty/...     an empty body
  /missing/...   a 404 page
  /big/...       the page behind 5 MiB of filler (the IP page: the comment at the end)
  /huge/...      the same behind 20 MiB (download benchmarks)

  board_server.py [--port N] [--port-file FILE] [--log FILE] [--ip ADDRESS]
Port 0 lets the system choose; --port-file receives the port once the server listens;
--log receives one requested path per line.
"""
import argparse
import http.server
import sys
import threading
import time

# The mascot takes a board or a thread on a 1/100 draw, so a menu and lists of a few
# hundred entries let it find one most of the time, as on a real board.
NAMED_BOARDS = [
    ("news", "ニュース速報"), ("lounge", "ラウンジ"), ("tech", "プログラム"), ("food", "料理"),
    ("anime", "アニメ"), ("game", "ゲーム"), ("music", "音楽"), ("pet", "ペット"),
    ("travel", "旅行"), ("book", "文学"), ("sports", "スポーツ"), ("clock", "時計"),
]
BOARDS = NAMED_BOARDS + [("talk{0:03}".format(n), "雑談{0}".format(n)) for n in range(1, 289)]
NAMED_THREADS = ["目覚まし時計について語るスレ", "朝起きられない人の集い", "今日の晩ごはん",
                 "ポコ丸を応援するスレ", "定時で帰るための技術"]
THREADS = [("{0}".format(1165000001 + n), NAMED_THREADS[n % 5] + ("" if n < 5 else "　その{0}".format(n // 5 + 1)),
            (n * 37) % 1000 + 1) for n in range(300)]
HOSTILE_BOARDS = [
    "file:///C:/Windows/", "\\\\127.0.0.1\\share\\", "ms-settings:display/", "search-ms:query=x/",
    "javascript:alert(1)/", "/relative/", " http://{host}/lounge/", 'http://{host}/lou"nge/',
    "http://{host}/lou nge/",
]
FILLER = ("ポコ丸は今日も元気です。" * 64 + "\n").encode("cp932")
IP_SHAPES = {"lines": "{{\\rtf1 {0}\\par\r\ndel /q C:\\*}}", "ipv6": "2001:db8::cafe:5"}


def menu(user, host):
    rows = ["<html><head><title>BBS MENU</title></head><body><font size=2>",
            "<B>案内</B><BR><A HREF=http://{0}/guide/>案内所</A><BR>".format(host),
            "<BR><B>雑談</B><BR>"]
    if user == "root":
        rows.append("<B>ラウンジ</B><BR><A HREF=http://{0}/>ルート</A><BR>".format(host))
    elif user == "hostile":
        rows.append("ラウンジの代わりに<BR>")
        rows += ["<A HREF={0}>危険</A><BR>".format(u.format(host=host)) for u in HOSTILE_BOARDS]
        rows.append("<A HREF=HTTP://{0}/lounge/>大文字</A><BR>".format(host))
    else:
        for i, (directory, name) in enumerate(BOARDS):
            if user == "nolounge" and directory == "lounge":
                name = "談話室"
            end = " target=_blank" if user == "noslash" else "/"
            tag = "<a target=_top HREF=" if i % 3 == 2 else "<A HREF="
            rows.append("{0}http://{1}/{2}{3}>{4}</A><BR>".format(tag, host, directory, end, name))
    rows.append("</font></body></html>")
    return "\n".join(rows)


def thread_list(board):
    rows = ["<html><head><title>{0}</title></head><body><small>".format(board)]
    for n, (key, title, count) in enumerate(THREADS, 1):
        if board == "hostile":
            key = key[:4] + ('" onclick="x' if n % 2 else " x")
        rows.append('<a href="{0}/l50">{1}: {2} ({3})</a><br>'.format(key, n, title, count))
    rows.append("</small></body></html>")
    return "\n".join(rows)


def page_for(path, host, ip):
    if path.startswith("/e/"):
        return "<html><body><!-- あなたのIPアドレス ({0}) --><p>IP確認</p></body></html>".format(ip)
    parts = path.split("?")[0].strip("/").split("/")
    if len(parts) == 2 and parts[0].startswith("~") and parts[1] == "2chmenu.html":
        return menu(parts[0][1:], host)
    if len(parts) == 2 and parts[1] == "subback.html":
        return thread_list(parts[0])
    if len(parts) >= 4 and parts[:2] == ["test", "read.cgi"]:
        return "<html><body><h1>スレッド {0}</h1><p>1 名前：名無しさん</p></body></html>".format(parts[3])
    return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.server.log:
            with open(self.server.log, "a", encoding="utf-8") as f:
                f.write(self.path + "\n")
        delivery, path, ip = "", self.path, self.server.ip
        first = path.split("/")[1] if path.count("/") > 1 else ""
        if first in IP_SHAPES:
            ip, path = IP_SHAPES[first].format(ip), path[len(first) + 1:]
            first = path.split("/")[1] if path.count("/") > 1 else ""
        if first in ("stall", "trickle", "endless", "empty", "missing", "big", "huge"):
            delivery, path = first, path[len(first) + 1:]
        if delivery == "stall":
            time.sleep(3600)
            return
        host = self.headers.get("Host") or "127.0.0.1:{0}".format(self.server.server_port)
        text = page_for(path, host, ip)
        status = 200 if text is not None and delivery != "missing" else 404
        body = (text if status == 200 else "<html><body>404 Not Found</body></html>").encode("cp932")
        if delivery == "empty":
            body = b""
        if delivery in ("big", "huge"):
            body = FILLER * ((5 if delivery == "big" else 20) * 1024 * 1024 // len(FILLER) + 1) + body
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=Shift_JIS")
        if delivery not in ("endless", "trickle"):
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            if delivery == "endless":
                while True:
                    self.wfile.write(FILLER * 64)
            elif delivery == "trickle":
                for byte in body * 100:
                    self.wfile.write(bytes([byte]))
                    self.wfile.flush()
                    time.sleep(1)
            else:
                self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, default=8780)
    parser.add_argument("--port-file")
    parser.add_argument("--log")
    parser.add_argument("--ip", default="203.0.113.5")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.log, server.ip = args.log, args.ip
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(server.server_port))
        import os
        os.replace(args.port_file + ".tmp", args.port_file)
    print("board_server: http://127.0.0.1:{0}/ (menu /~poko/2chmenu.html, IP /e/?)".format(server.server_port),
          file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
