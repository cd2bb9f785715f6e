"""Shared machinery of the end-to-end tests.

An X display (Xvfb) with openbox on it, the program started from a fixture
folder as a user would start it, real X input through xdotool, and the HTML
view read through the web engine's DevTools endpoint. Python standard library
only; needs Xvfb, openbox, xdotool and xprop.

    ctest -L e2e                                   (in a build folder)
    python3 tests/e2e/test_start.py --telvane build/telvane [unittest arguments]
"""

import argparse
import base64
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
import uuid

# The executable under test, set by main() from --telvane.
TELVANE = None

TWIPS = 15  # twips per pixel
MAIN_TITLE = "Orvanta 1.3"
SEARCH_TITLE = "Търсене в енциклопедията"
ABOUT_TITLE = 'Относно "Orvanta"'
SPLASH_SIZE = (513, 319)

# Image buttons: left edge in client pixels; all are 32x32 at y = 8.
BUTTON_TOP = 8
BUTTON_SIZE = 32
BACK, FORWARD, HOME, SEARCH, TRANSLUCENCY = 16, 64, 128, 176, 224
HISTORY, HARDWARE, PERIPHERALS, INTERFACES, NETWORKS = 312, 360, 408, 456, 504
VIEW_LEFT, VIEW_TOP = 8, 56
# The About window's "Затвори" button, in its client pixels (design twips / 15).
ABOUT_CLOSE_CENTRE = ((4200 + 1380 // 2) // TWIPS, (3000 + 345 // 2) // TWIPS)


def main():
    """Runs the calling test module with --telvane PATH taken off the command line."""
    global TELVANE
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--telvane", required=True)
    args, rest = parser.parse_known_args()
    TELVANE = os.path.abspath(args.telvane)
    if not os.access(TELVANE, os.X_OK):
        sys.exit(f"not an executable: {TELVANE}")
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


class Timeout(AssertionError):
    pass


def eventually(probe, timeout, interval=0.1):
    """Polls probe() until it returns something true or timeout seconds pass; the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


# Waits for what must come are stretched by this much: on a loaded machine with
# several web engines starting side by side a good run can take that long, and
# waiting longer for something that does come costs nothing.
PATIENCE = 3


def wait_for(probe, timeout, what, interval=0.1):
    """Like eventually(), but fails when the time is up."""
    timeout *= PATIENCE
    value = eventually(probe, timeout, interval)
    if not value:
        raise Timeout(f"timed out after {timeout:g} s waiting for {what} (last: {value!r})")
    return value


def watch(probe, seconds, interval=0.1):
    """The distinct values probe() gives over a span of time, in order; None (no
    answer) is left out."""
    seen = []
    deadline = time.monotonic() + seconds
    while True:
        value = probe()
        if value is not None and (not seen or seen[-1] != value):
            seen.append(value)
        if time.monotonic() >= deadline:
            return seen
        time.sleep(interval)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def page(title, body, head=""):
    """A tiny UTF-8 page."""
    return (f'<!DOCTYPE html><html><head><meta charset="utf-8"><title>{title}</title>{head}'
            f"</head><body>{body}</body></html>")


def big_link(href, text):
    return f'<a href="{href}" style="display:block;height:300px;background:#cde">{text}</a>'


class Display:
    """Xvfb with openbox managing it."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-x-")
        self.xvfb = self.openbox = None
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        read_end, write_end = os.pipe()
        with open(os.path.join(self.dir, "xvfb.log"), "wb") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-noreset", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp"],
                pass_fds=[write_end], stdout=log, stderr=log, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise Timeout("Xvfb did not report its display number")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise AssertionError("Xvfb ended before reporting its display")
                number += chunk
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()

        home = os.path.join(self.dir, "home")
        os.mkdir(home)
        env = clean_env()
        env.update(HOME=home, DISPLAY=self.name)
        # openbox announces itself on the root window early in its start; it runs the
        # --startup command only once it has finished starting and manages windows.
        ready = os.path.join(self.dir, "openbox-ready")
        with open(os.path.join(self.dir, "openbox.log"), "wb") as log:
            self.openbox = subprocess.Popen(
                ["openbox", "--sm-disable", "--startup", f"touch {shlex.quote(ready)}"], env=env,
                stdout=log, stderr=log, start_new_session=True)
        wait_for(lambda: os.path.exists(ready), 30, "openbox to finish starting")

    def x(self, *command, check=False):
        """Runs an X client on this display; returns its standard output."""
        env = dict(os.environ, DISPLAY=self.name)
        result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise AssertionError(f"{command} failed: {result.stderr.strip()}")
        return result.stdout

    def xdotool(self, *args):
        return self.x("xdotool", *map(str, args), check=True)

    def close(self):
        for proc in (self.openbox, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


def clean_env():
    """The test's environment without desktop-session and Qt settings."""
    dropped = ("DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "SESSION_MANAGER", "DISPLAY",
               "XAUTHORITY", "DESKTOP_SESSION")
    return {k: v for k, v in os.environ.items()
            if k not in dropped and not k.startswith(("XDG_", "QT_", "QTWEBENGINE_"))}


# ---------------------------------------------------------------- /proc


def processes():
    """{pid: parent pid} of every process."""
    parents = {}
    for name in os.listdir("/proc"):
        if name.isdigit():
            try:
                with open(f"/proc/{name}/stat") as f:
                    stat = f.read()
                parents[int(name)] = int(stat[stat.rindex(")") + 2:].split()[1])
            except (OSError, ValueError):
                pass
    return parents


def descendants(pid):
    parents = processes()
    found, frontier = [], [pid]
    while frontier:
        parent = frontier.pop()
        children = [p for p, pp in parents.items() if pp == parent]
        found += children
        frontier += children
    return found


def cmdline(pid):
    """The command line as one string; a process may have rewritten it as one already."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().replace(b"\0", b" ")
    except OSError:
        return b""


def command_name(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except OSError:
        return "?"


def processes_with_env(entry):
    """Pids whose environment holds entry, e.g. b"MARK=...", alive or zombie."""
    found = []
    for name in os.listdir("/proc"):
        if name.isdigit():
            try:
                with open(f"/proc/{name}/environ", "rb") as f:
                    if entry in f.read().split(b"\0"):
                        found.append(int(name))
            except OSError:
                pass
    return found


# ---------------------------------------------------------------- DevTools


class DevToolsError(Exception):
    pass


class WebSocket:
    """A minimal RFC 6455 client: masked text frames out, text frames in."""

    def __init__(self, url, timeout):
        assert url.startswith("ws://")
        hostport, _, path = url[5:].partition("/")
        host, _, port = hostport.partition(":")
        self.sock = socket.create_connection((host, int(port)), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET /{path} HTTP/1.1\r\nHost: {hostport}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise DevToolsError("connection closed during the handshake")
            head += chunk
        head, _, self.buffer = head.partition(b"\r\n\r\n")
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise DevToolsError(f"handshake refused: {head[:200]!r}")

    def send(self, text):
        payload = text.encode()
        header = bytes([0x81])
        n = len(payload)
        if n < 126:
            header += bytes([0x80 | n])
        elif n < 65536:
            header += bytes([0x80 | 126]) + struct.pack("!H", n)
        else:
            header += bytes([0x80 | 127]) + struct.pack("!Q", n)
        mask = os.urandom(4)
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise DevToolsError("connection closed")
            self.buffer += chunk
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def receive(self):
        message = b""
        while True:
            first, second = self._read(2)
            n = second & 0x7F
            if n == 126:
                n = struct.unpack("!H", self._read(2))[0]
            elif n == 127:
                n = struct.unpack("!Q", self._read(8))[0]
            mask = self._read(4) if second & 0x80 else None
            data = self._read(n)
            if mask:
                data = bytes(b ^ mask[i % 4] for i, b in enumerate(data))
            opcode = first & 0x0F
            if opcode == 8:
                raise DevToolsError("closed by the server")
            if opcode in (0, 1, 2):
                message += data
                if first & 0x80:
                    return message.decode()

    def close(self):
        self.sock.close()


class DevTools:
    """The web engine's remote debugging endpoint of one program run."""

    def __init__(self, port):
        self.port = port

    def targets(self):
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json", timeout=3) as r:
                return json.load(r)
        except (OSError, ValueError):
            return []

    def page(self):
        """The HTML view's target, or None."""
        pages = [t for t in self.targets() if t.get("type") == "page"]
        return pages[0] if pages else None

    def title(self):
        target = self.page()
        return target.get("title") if target else None

    def url(self):
        target = self.page()
        return target.get("url") if target else None

    def call(self, method, params=None, timeout=5):
        target = self.page()
        if not target or "webSocketDebuggerUrl" not in target:
            raise DevToolsError("no page to debug")
        try:
            ws = WebSocket(target["webSocketDebuggerUrl"], timeout)
            try:
                ws.send(json.dumps({"id": 1, "method": method, "params": params or {}}))
                while True:
                    reply = json.loads(ws.receive())
                    if reply.get("id") == 1:
                        break
            finally:
                ws.close()
        except OSError as e:
            raise DevToolsError(f"{method}: {e}") from e
        if "error" in reply:
            raise DevToolsError(f"{method}: {reply['error']}")
        return reply["result"]

    def evaluate(self, expression, timeout=5):
        result = self.call("Runtime.evaluate",
                           {"expression": expression, "returnByValue": True}, timeout)
        if "exceptionDetails" in result:
            raise DevToolsError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def try_evaluate(self, expression, timeout=5):
        try:
            return self.evaluate(expression, timeout)
        except DevToolsError:
            return None

    def shown(self, timeout=5):
        """[url, title, body text] of the document the view shows, or None."""
        return self.try_evaluate(
            "[location.href, document.title, document.body ? document.body.innerText : '']",
            timeout)


# ---------------------------------------------------------------- the program


class Telvane:
    """One run of the program from its own fixture folder, on a Display."""

    def __init__(self, display, pages=None):
        """pages: {relative path: text or bytes} written into the fixture's Data folder."""
        self.display = display
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-")
        self.home = os.path.join(self.dir, "home")
        os.mkdir(self.home)
        app = os.path.join(self.dir, "app")
        os.mkdir(app)
        self.exe = os.path.join(app, "telvane")
        # The executable and the reader module it loads from beside itself.
        for name in ("telvane", "telvane_reader.so"):
            source = os.path.join(os.path.dirname(TELVANE), name)
            try:
                os.link(source, os.path.join(app, name))
            except OSError:
                shutil.copy2(source, os.path.join(app, name))
        self.data = os.path.join(app, "Data")
        os.mkdir(self.data)
        for name, content in (pages or {}).items():
            self.write(name, content)
        self.marker = f"TELVANE_E2E_RUN={uuid.uuid4().hex}"
        self.devtools = DevTools(free_port())
        self.proc = None
        self.main_window = None

    def write(self, name, content):
        path = os.path.join(self.data, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content.encode() if isinstance(content, str) else content)
        return path

    def url_of(self, name):
        return "orvanta:/" + name

    def start(self):
        env = clean_env()
        key, _, value = self.marker.partition("=")
        env.update({
            "HOME": self.home, "DISPLAY": self.display.name, "LC_ALL": "C.UTF-8",
            "QTWEBENGINE_CHROMIUM_FLAGS": "--no-sandbox",
            "QTWEBENGINE_REMOTE_DEBUGGING": f"127.0.0.1:{self.devtools.port}",
            key: value,
        })
        self.log_path = os.path.join(self.dir, "telvane.log")
        with open(self.log_path, "wb") as log:
            self.proc = subprocess.Popen([self.exe], cwd=self.dir, env=env, stdin=subprocess.DEVNULL,
                                         stdout=log, stderr=log, start_new_session=True)
        return self

    def log_tail(self, lines=15):
        try:
            with open(self.log_path, errors="replace") as f:
                return "".join(f.readlines()[-lines:])
        except OSError:
            return ""

    def leftovers(self):
        """Processes of this run still there, the program itself aside."""
        entry = self.marker.encode()
        own = self.proc.pid if self.proc else None
        return [p for p in processes_with_env(entry) if p != own]

    def stop(self):
        """Ends whatever of this run is still going and removes its folder."""
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        for pid in self.leftovers():
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        shutil.rmtree(self.dir, ignore_errors=True)

    def wait_exit(self, timeout=20 * PATIENCE):
        """The exit status; fails (after killing it) if the program hangs."""
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            where = self.main_thread()
            shown = {w: self.geometry(w) for w in self.windows()}
            self.proc.kill()
            self.proc.wait()
            raise AssertionError(f"the program did not end within {timeout} s; mapped windows "
                                 f"{shown}; {where}") from None

    # -- windows

    def windows(self):
        """Ids of the program's mapped top-level windows."""
        out = self.display.x("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid))
        return [int(w) for w in out.split()]

    def geometry(self, window):
        """(x, y, width, height) of a window's client area, in root pixels."""
        out = self.display.x("xdotool", "getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except KeyError:
            return None

    def frame_extents(self, window):
        """(left, right, top, bottom) of the window manager's frame, or None if not set."""
        out = self.display.x("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
        if "=" not in out:
            return None
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    def window_named(self, title):
        out = self.display.x("xdotool", "search", "--all", "--onlyvisible", "--pid",
                             str(self.proc.pid), "--name", "^" + _regex(title) + "$")
        ids = [int(w) for w in out.split()]
        return ids[0] if ids else None

    def splash(self):
        shown = [w for w in self.windows() if (self.geometry(w) or ())[2:] == SPLASH_SIZE]
        return shown[0] if shown and not self.window_named(MAIN_TITLE) else None

    def wait_splash(self, timeout=30):
        try:
            return wait_for(self.splash, timeout, "the splash window")
        except Timeout as missing:
            # Say what there was instead, so that a rare miss can be understood.
            shown = {w: self.geometry(w) for w in self.windows()}
            raise Timeout(f"{missing}; process status {self.proc.poll()!r}, mapped windows "
                          f"{shown}, main window named: {self.window_named(MAIN_TITLE)!r}; "
                          f"its last output:\n{self.log_tail()}\n{self.main_thread()}") from None

    def main_thread(self):
        """Where the program's main thread is, as gdb sees it, when gdb is there."""
        if not shutil.which("gdb") or self.proc.poll() is not None:
            return ""
        try:
            trace = subprocess.run(["gdb", "-p", str(self.proc.pid), "-batch", "-ex", "bt 25"],
                                   capture_output=True, text=True, timeout=120).stdout
        except subprocess.TimeoutExpired:
            return "gdb did not answer"
        return "its main thread:\n" + "\n".join(
            line for line in trace.splitlines() if line.startswith("#"))

    def wait_main(self, timeout=30):
        self.main_window = wait_for(lambda: self.window_named(MAIN_TITLE), timeout,
                                    "the main window")
        return self.main_window

    def wait_title(self, title, timeout=30):
        if not eventually(lambda: self.devtools.title() == title, timeout):
            raise Timeout(f"the view did not show the page titled {title!r} within {timeout} s;"
                          f" it shows {self.devtools.title()!r}")

    def focused(self):
        out = self.display.x("xdotool", "getwindowfocus")
        return int(out) if out.strip().isdigit() else None

    def click(self, window, x, y, repeat=1, button=1):
        args = ["mousemove", "--window", window, x, y, "click"]
        if repeat > 1:
            args += ["--repeat", repeat, "--delay", 80]
        self.display.xdotool(*args, button)

    def key(self, *keys):
        self.display.xdotool("key", *keys)

    # -- the main window

    def outer_size(self):
        """The main window's outer size in pixels, frame included, once openbox framed it."""
        extents = wait_for(lambda: self.frame_extents(self.main_window), 10,
                           "openbox to frame the main window")
        _, _, w, h = self.geometry(self.main_window)
        left, right, top, bottom = extents
        return w + left + right, h + top + bottom

    def button_left(self, name):
        """Left edge (client pixels) of an image button; About and Exit follow the width."""
        outer_w, outer_h = self.outer_size()
        W = outer_w * TWIPS
        if outer_w > 600 and outer_h > 466:
            offsets = {"about": 1635, "exit": 915}
            if name in offsets:
                return round((W - offsets[name]) / TWIPS)
        return {"about": 632, "exit": 680}[name]

    def press(self, left, repeat=1):
        """Clicks the middle of the image button whose left edge is given."""
        half = BUTTON_SIZE // 2
        self.click(self.main_window, left + half, BUTTON_TOP + half, repeat)

    def open_about(self):
        """Clicks About and waits for its window to have the focus; the window's id."""
        self.press(self.button_left("about"))
        about = wait_for(lambda: self.window_named(ABOUT_TITLE), 15, "the About window")
        wait_for(lambda: self.focused() == about, 10, "the About window to get the focus")
        return about

    def history_length(self):
        return self.devtools.try_evaluate("history.length")

    def press_exit(self):
        self.press(self.button_left("exit"))

    def close_main(self):
        """The close box's key: openbox turns alt+F4 into WM_DELETE_WINDOW for the window it
        takes as focused. Now and then it takes the key before it has taken the focus change
        (the program stays idle with its window up), so a window that stays gets it again."""
        for _ in range(3):
            self.display.xdotool("windowactivate", self.main_window)
            wait_for(lambda: self.focused() == self.main_window, 10,
                     "the main window to get the focus")
            self.key("alt+F4")
            if eventually(lambda: self.proc.poll() is not None
                          or not self.window_named(MAIN_TITLE), 3 * PATIENCE):
                return

    def click_view(self, x, y):
        """Clicks the HTML view at (x, y) of its own pixels."""
        self.click(self.main_window, VIEW_LEFT + x, VIEW_TOP + y)

    def pass_splash(self, title):
        """Starts the run, clicks the splash picture and waits for the start page."""
        self.start()
        splash = self.wait_splash()
        self.click(splash, 100, 200)
        self.wait_main()
        self.wait_title(title)


def _regex(text):
    return "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in text)


class DisplayTestCase(unittest.TestCase):
    """One display for the class; each test makes its runs through self.run_telvane."""

    @classmethod
    def setUpClass(cls):
        cls.display = Display()

    @classmethod
    def tearDownClass(cls):
        cls.display.close()

    def run_telvane(self, pages=None):
        app = Telvane(self.display, pages)
        self.addCleanup(app.stop)
        return app

    def assertExitsWithZero(self, app, timeout=20 * PATIENCE):
        status = app.wait_exit(timeout)
        if status < 0:
            what = f"was killed by {signal.Signals(-status).name}"
        else:
            what = f"ended with status {status}"
        self.assertEqual(status, 0, f"the program {what}; its last output:\n{app.log_tail()}")
