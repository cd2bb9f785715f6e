"""Shared machinery of the end-to-end tests.

An Xvfb display with openbox, the program started from a fixture folder as a user
starts it, real input through xdotool (one call per action), the windows followed
through one python3-xlib connection, and the HTML view read through the web
engine's DevTools endpoint.

    ctest -L e2e                                   (in a build folder)
    /usr/bin/python3 tests/e2e/test_start.py --telvane build/telvane [unittest arguments]
"""

import argparse
import base64
import ctypes
import json
import os
import select
import shlex
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

from Xlib import X, Xatom, display, error

TELVANE = None  # the executable under test, from --telvane
TWIPS = 15  # twips per pixel
MAIN_TITLE = "Orvanta 1.3"
SEARCH_TITLE = "Търсене в енциклопедията"
ABOUT_TITLE = 'Относно "Orvanta"'
SPLASH_SIZE = (513, 319)
WELCOME = "Начало на теста"
# Image buttons: left edge in client pixels; all are 32x32 at y = 8.
BACK, FORWARD, HOME, SEARCH, TRANSLUCENCY, HISTORY = 16, 64, 128, 176, 224, 312
VIEW_LEFT, VIEW_TOP = 8, 56
# The About window's buttons, in its client pixels (design twips / 15).
ABOUT_CLOSE = ((4200 + 1380 // 2) // TWIPS, (3000 + 345 // 2) // TWIPS)
ABOUT_SITE = ((4200 + 1380 // 2) // TWIPS, (2640 + 345 // 2) // TWIPS)
# Waits for what must come: long, since a loaded machine with several web engines
# starting side by side is slow, and waiting for what does come costs nothing.
PATIENCE = 60


def main():
    """Runs the calling test module with --telvane PATH taken off the command line."""
    global TELVANE
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--telvane", required=True)
    args, rest = parser.parse_known_args()
    TELVANE = os.path.abspath(args.telvane)
    # Orphans of a run become our children, so that what a run leaves is in our tree.
    PR_SET_CHILD_SUBREAPER = 36
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


class Timeout(AssertionError):
    pass


def eventually(probe, timeout=PATIENCE, interval=0.05):
    """Polls probe() until it returns something true or timeout seconds pass; the last value."""
    deadline = time.monotonic() + timeout
    while not (value := probe()) and time.monotonic() < deadline:
        time.sleep(interval)
    return value


def wait_for(probe, what, timeout=PATIENCE, why=lambda: ""):
    value = eventually(probe, timeout)
    if not value:
        raise Timeout(f"no {what} within {timeout} s (last: {value!r}) {why()}")
    return value


def page(title, body):
    return (f'<!DOCTYPE html><html><head><meta charset="utf-8"><title>{title}</title>'
            f"</head><body>{body}</body></html>")


def big_link(href, text):
    return f'<a href="{href}" style="display:block;height:300px;background:#cde">{text}</a>'


def clean_env(**extra):
    """The test's environment without desktop-session and Qt settings."""
    dropped = ("DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "SESSION_MANAGER", "DISPLAY",
               "XAUTHORITY", "DESKTOP_SESSION")
    env = {k: v for k, v in os.environ.items()
           if k not in dropped and not k.startswith(("XDG_", "QT_", "QTWEBENGINE_"))}
    return dict(env, **extra)


# ---------------------------------------------------------------- processes


def stat(pid):
    """(state, parent pid) of a process, or None once it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rpartition(")")[2].split()
        return fields[0], int(fields[1])
    except (OSError, ValueError):
        return None


def tree(root, skip=()):
    """{pid: command line} of root's living descendants, skip and theirs left out.
    Zombies among our own children are reaped on the way."""
    stats = {int(p): s for p in os.listdir("/proc") if p.isdigit() and (s := stat(p))}
    found, frontier = {}, [root]
    while frontier:
        parent = frontier.pop()
        for pid, (state, ppid) in stats.items():
            if ppid != parent or pid in skip:
                continue
            if state == "Z" and parent == os.getpid():
                os.waitpid(pid, os.WNOHANG)
                continue
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    found[pid] = f.read().replace(b"\0", b" ").decode(errors="replace")
            except OSError:
                continue
            frontier.append(pid)
    return found


def stop(proc):
    if proc and proc.poll() is None:
        proc.kill()
        proc.wait()


# ---------------------------------------------------------------- the display


class Display:
    """Xvfb with openbox managing it, and one X connection that follows the top-level
    windows through events: a poll makes one round trip to the server."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-x-")
        self.xvfb = self.openbox = self.x = None
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-noreset", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as reported:
            if not select.select([reported], [], [], PATIENCE)[0]:
                raise Timeout("Xvfb did not report its display number")
            self.name = ":" + reported.readline().decode().strip()
        self.x = display.Display(self.name)
        self.x.set_error_handler(lambda *_: None)  # a window may go between event and request
        self.root = self.x.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        # frame id -> client; mapped client id -> (pid, title, size), read once when mapped
        self.frames, self.mapped = {}, {}
        home = os.path.join(self.dir, "home")
        os.mkdir(home)
        # openbox runs --startup once it has finished starting and manages windows.
        ready = os.path.join(self.dir, "openbox-ready")
        self.openbox = subprocess.Popen(
            ["openbox", "--sm-disable", "--startup", f"touch {shlex.quote(ready)}"],
            env=clean_env(HOME=home, DISPLAY=self.name), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        wait_for(lambda: os.path.exists(ready), "start of openbox")

    def infrastructure(self):
        return {p.pid for p in (self.xvfb, self.openbox) if p}

    def poll(self):
        """Reads what the server has said up to now, with one round trip."""
        self.x.sync()
        while self.x.pending_events():
            e = self.x.next_event()
            if e.type == X.ReparentNotify:
                self.frames[e.parent.id] = e.window
            elif e.type == X.MapNotify:
                w = e.window if e.override else self.frames.get(e.window.id, e.window)
                self.mapped[w.id] = (w, self.pid_of(w), self.title(w),
                                     (self.geometry(w) or ())[2:])
            elif e.type in (X.UnmapNotify, X.DestroyNotify):
                self.mapped.pop(self.frames.get(e.window.id, e.window).id, None)

    def windows(self, pid):
        """[(window, title, size when mapped)] of a process's mapped top-level windows."""
        self.poll()
        return [(w, title, size) for w, p, title, size in self.mapped.values() if p == pid]

    def prop(self, window, name, kind=X.AnyPropertyType):
        try:
            value = window.get_full_property(self.x.intern_atom(name), kind)
        except error.XError:
            return None
        return value.value if value else None

    def pid_of(self, window):
        value = self.prop(window, "_NET_WM_PID")
        return value[0] if value is not None and len(value) else None

    def title(self, window):
        value = self.prop(window, "_NET_WM_NAME")
        return value.decode() if isinstance(value, bytes) else None

    def geometry(self, window):
        """(x, y, width, height) of a window's client area in root pixels, or None."""
        try:
            g = window.get_geometry()
            at = window.translate_coords(self.root, 0, 0)
        except error.XError:
            return None
        return -at.x, -at.y, g.width, g.height

    def focused(self):
        return self.x.get_input_focus().focus.id

    def diagnose(self, pid):
        """Which of four things a wait for pid's window met, asked afresh of the server."""
        seen = []
        for frame in self.root.query_tree().children:
            try:
                for w in [frame] + list(frame.query_tree().children):
                    if self.pid_of(w) == pid:
                        mapped = w.get_attributes().map_state == X.IsViewable
                        seen.append((hex(w.id), self.title(w), self.geometry(w), mapped))
            except error.XError:
                pass
        if not seen:
            return "no window of the program exists"
        state = "is mapped and was missed" if any(s[3] for s in seen) else "exists but is unmapped"
        return f"a window {state}: {seen}"

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=clean_env(DISPLAY=self.name),
                       check=True, capture_output=True, timeout=30)

    def close(self):
        if self.x:
            self.x.close()
        for proc in (self.openbox, self.xvfb):
            stop(proc)
        shutil.rmtree(self.dir, ignore_errors=True)


# ---------------------------------------------------------------- DevTools


class DevTools:
    """The web engine's remote debugging endpoint of one run."""

    def __init__(self):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]

    def page(self):
        """The HTML view's target, or {}."""
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json", timeout=3) as r:
                return next((t for t in json.load(r) if t.get("type") == "page"), {})
        except (OSError, ValueError):
            return {}

    def title(self):
        return self.page().get("title")

    def url(self):
        return self.page().get("url") or ""

    def evaluate(self, expression):
        """The expression's value in the page, or None when there is no answer."""
        host, _, path = self.page().get("webSocketDebuggerUrl", "ws://:0/")[5:].partition("/")
        try:
            with socket.create_connection(host.rsplit(":", 1), timeout=5) as sock:
                sock.sendall((f"GET /{path} HTTP/1.1\r\nHost: {host}\r\nUpgrade: websocket\r\n"
                              f"Connection: Upgrade\r\nSec-WebSocket-Key: "
                              f"{base64.b64encode(os.urandom(16)).decode()}\r\n"
                              "Sec-WebSocket-Version: 13\r\n\r\n").encode())
                stream = sock.makefile("rb")
                while stream.readline() not in (b"\r\n", b""):
                    pass
                call = json.dumps({"id": 1, "method": "Runtime.evaluate", "params": {
                    "expression": expression, "returnByValue": True}}).encode()
                # One text frame, masked with zeros; the replies come unmasked.
                size = bytes([0x80 | len(call)]) if len(call) < 126 else b"\xfe" + struct.pack(
                    "!H", len(call))
                sock.sendall(b"\x81" + size + b"\0" * 4 + call)
                while True:
                    n = stream.read(2)[1] & 0x7F
                    n = struct.unpack("!H" if n == 126 else "!Q", stream.read(
                        2 if n == 126 else 8))[0] if n >= 126 else n
                    reply = json.loads(stream.read(n))
                    if reply.get("id") == 1:
                        return reply.get("result", {}).get("result", {}).get("value")
        except (OSError, ValueError, IndexError):
            return None


# ---------------------------------------------------------------- the program


class Telvane:
    """One run of the program from its own fixture folder, on a Display."""

    def __init__(self, display, pages):
        """pages: {relative path: text} written into the fixture's Data folder."""
        self.display, self.proc, self.main_window = display, None, None
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-")
        self.home = os.path.join(self.dir, "home")
        self.data = os.path.join(self.dir, "app", "Data")
        os.makedirs(self.home)
        os.makedirs(self.data)
        # The executable and the reader module it loads from beside itself.
        for name in ("telvane", "telvane_reader.so"):
            shutil.copy2(os.path.join(os.path.dirname(TELVANE), name),
                         os.path.join(self.dir, "app"))
        for name, text in pages.items():
            with open(os.path.join(self.data, name), "w", encoding="utf-8") as f:
                f.write(text)
        self.devtools = DevTools()

    def start(self):
        env = clean_env(HOME=self.home, DISPLAY=self.display.name, LC_ALL="C.UTF-8",
                        QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox",
                        QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{self.devtools.port}")
        self.log = os.path.join(self.dir, "telvane.log")
        with open(self.log, "wb") as log:
            self.proc = subprocess.Popen([os.path.join(self.dir, "app", "telvane")], cwd=self.dir,
                                         env=env, stdin=subprocess.DEVNULL, stdout=log,
                                         stderr=log)
        return self

    def processes(self):
        """{pid: command line} of everything this run started that is still there:
        the program's tree, and the orphans it left, who are our children now."""
        own = tree(os.getpid(), self.display.infrastructure())
        return {pid: line for pid, line in own.items() if pid != self.proc.pid}

    def why(self):
        """What there was instead, when a wait for a window fails."""
        if self.proc.poll() is not None:
            return f"; the program is gone, status {self.proc.returncode}:\n{self.log_tail()}"
        return f"; {self.display.diagnose(self.proc.pid)}"

    def log_tail(self):
        with open(self.log, errors="replace") as f:
            return "".join(f.readlines()[-15:])

    def stop(self):
        stop(self.proc)
        for pid in self.processes():
            os.kill(pid, signal.SIGKILL)
        eventually(lambda: not self.processes(), 10)
        shutil.rmtree(self.dir, ignore_errors=True)

    def exit_status(self):
        """The exit status; fails (after killing it) if the program hangs."""
        try:
            return self.proc.wait(PATIENCE)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end{self.why()}") from None

    # -- windows

    def window(self, title=None, size=None):
        """A mapped window of the program with that title or client size, or None."""
        return next((w for w, t, s in self.display.windows(self.proc.pid)
                     if title in (None, t) and size in (None, s)), None)

    def wait_window(self, title=None, size=None):
        return wait_for(lambda: self.window(title, size), f"window {title or size}",
                        why=self.why)

    def wait_gone(self, title):
        wait_for(lambda: not self.window(title), f"closing of {title}", why=self.why)

    def wait_focus(self, window):
        wait_for(lambda: self.display.focused() == window.id, f"focus on {window.id:#x}",
                 why=lambda: f"it is on {self.display.focused():#x}")

    def wait_title(self, title):
        wait_for(lambda: self.devtools.title() == title, f"page titled {title!r}",
                 why=lambda: f"the view shows {self.devtools.title()!r}")

    def click(self, window, x, y, button=1, repeat=1):
        self.display.xdotool("mousemove", "--window", window.id, x, y, "click", "--repeat",
                             repeat, "--delay", 80, button)

    def key(self, *keys):
        self.display.xdotool("key", *keys)

    def wait_splash(self):
        splash = self.wait_window(size=SPLASH_SIZE)
        self.wait_focus(splash)
        return splash

    def pass_splash(self):
        """Starts the run, clicks the splash picture and waits for the start page."""
        self.click(self.start().wait_splash(), 100, 200)
        self.main_window = self.wait_window(MAIN_TITLE)
        self.wait_title(WELCOME)
        return self

    # -- the main window

    def outer_size(self):
        """The main window's outer size in pixels once openbox framed it."""
        left, right, top, bottom = wait_for(
            lambda: self.display.prop(self.main_window, "_NET_FRAME_EXTENTS", Xatom.CARDINAL),
            "frame of the main window")
        _, _, w, h = self.display.geometry(self.main_window)
        return w + left + right, h + top + bottom

    def press(self, left, repeat=1):
        """Clicks the middle of the image button whose left edge is given."""
        self.click(self.main_window, left + 16, 8 + 16, repeat=repeat)

    def press_corner(self, offset):
        """About (offset 1635) and Exit (915) stand that many twips left of the outer width."""
        self.press(round((self.outer_size()[0] * TWIPS - offset) / TWIPS))

    def open_about(self):
        self.press_corner(1635)
        about = self.wait_window(ABOUT_TITLE)
        self.wait_focus(about)
        return about

    def history_length(self):
        return self.devtools.evaluate("history.length")

    def click_view(self, x, y):
        self.click(self.main_window, VIEW_LEFT + x, VIEW_TOP + y)


class DisplayTestCase(unittest.TestCase):
    """One display for the class; each test makes its runs through self.run_telvane."""

    PAGES = {"welcome.htm": page(WELCOME, "Начална страница на теста")}

    @classmethod
    def setUpClass(cls):
        cls.display = Display()

    @classmethod
    def tearDownClass(cls):
        cls.display.close()

    def run_telvane(self):
        app = Telvane(self.display, self.PAGES)
        self.addCleanup(app.stop)
        return app

    def assertExitsWithZero(self, app):
        status = app.exit_status()
        self.assertEqual(status, 0, f"the program ended with {status}:\n{app.log_tail()}")
