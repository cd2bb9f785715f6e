"""The end-to-end tests' machinery: the built program on an X display of its own.
Display(bus=False): Xvfb (-noreset) with openbox and a fresh HOME, bus=True adds a D-Bus
  session; .env(**extra) is a program's environment on it, .xdotool(*args) real input.
Telvane(display, pages): a copy of the program on a Data folder {name: text}, with a HOME of
  its own; .start(**env) runs it with extra environment, .pass_splash(**env) starts it and
  clicks the splash to the start page, .wait_window(title) finds a mapped window of it,
  .key(*keys) and .click(window, x, y) give input, .target() and .view(expression) read the
  HTML view through DevTools, .stop() ends all the run started. Display.close() ends the rest.
DisplayTestCase: a Display for the class; self.run_telvane() gives a run stopped with the test.
Windows are followed through one python3-xlib connection, one round trip per poll.
Run: /usr/bin/python3 tests/e2e/test_session.py --telvane build/telvane [unittest arguments]"""

import ctypes, json, os, shutil, signal, socket, struct, subprocess, sys, tempfile
import time, unittest, urllib.request

from Xlib import X, Xatom, display, error

TELVANE = None  # the executable under test, from --telvane
TWIPS = 15  # twips per pixel
MAIN_TITLE, ABOUT_TITLE = "Orvanta 1.3", 'Относно "Orvanta"'
SEARCH_TITLE = "Търсене в енциклопедията"
SPLASH_SIZE, WELCOME = (513, 319), "Начало на теста"
HOME, SEARCH, TRANSLUCENCY = 128, 176, 224  # image buttons' left edges; 32x32 at y 8
ABOUT_SITE = (326, 187)  # the About window's site button (design twips / 15)
PATIENCE = 60  # for what must come: many web engines starting on a loaded machine are slow


def main():  # runs the calling module's tests, with --telvane PATH taken off the command line
    global TELVANE
    TELVANE = os.path.abspath(sys.argv.pop(sys.argv.index("--telvane") + 1))
    sys.argv.remove("--telvane")
    # Orphans of a run become our children, so that what a run leaves is in our tree.
    ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
    unittest.main(verbosity=2)


def wait_for(probe, what, timeout=PATIENCE, why=lambda: ""):
    """probe()'s first true value; fails saying what was awaited and what there was instead."""
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > deadline:
            raise AssertionError(f"no {what} within {timeout} s{why()}")
        time.sleep(0.05)
    return value


def page(title, body):
    return f'<!DOCTYPE html><meta charset="utf-8"><title>{title}</title><body>{body}</body>'


def ask(request, default=None):  # an X request's answer, or default once its window has gone
    try:
        return request()
    except error.XError:
        return default


class Display:
    def __init__(self, bus=False):
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-x-")
        self.home, self.procs, self.x, self.bus = os.path.join(self.dir, "home"), [], None, {}
        self.frames, self.mapped = {}, {}  # frame -> client; client -> (window, pid, title, size)
        os.mkdir(self.home)
        try:
            self.name = ":" + self.spawn("Xvfb -noreset -nolisten tcp -screen 0 1280x1024x24 "
                                         "-displayfd {fd}")
            if bus:
                self.bus["DBUS_SESSION_BUS_ADDRESS"] = self.spawn(
                    "dbus-daemon --session --nofork --print-address={fd}")
            self.x = display.Display(self.name)
            self.x.set_error_handler(lambda *_: None)  # a window may go between event and request
            self.root = self.x.screen().root
            self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
            ready = os.path.join(self.dir, "openbox-ready")  # its --startup runs once it manages
            self.procs.append(subprocess.Popen(["openbox", "--sm-disable", "--startup",
                                                f"touch {ready}"], env=self.env()))
            wait_for(lambda: os.path.exists(ready), "start of openbox")
        except BaseException:
            self.close()
            raise

    def spawn(self, command_line):  # a server that writes its address to a descriptor; that
        read_end, write_end = os.pipe()
        self.procs.append(subprocess.Popen(command_line.format(fd=write_end).split(),
                                           pass_fds=[write_end], stderr=subprocess.DEVNULL))
        os.close(write_end)
        with os.fdopen(read_end) as reported:
            address = reported.readline().strip()  # or nothing, at the end of a failed start
        if not address:
            raise AssertionError(f"{command_line.split()[0]} did not start")
        return address

    def env(self, **extra):  # the test's PATH, no desktop session or Qt settings but the display
        return dict(PATH=os.environ["PATH"], HOME=self.home, DISPLAY=self.name, **self.bus) | extra

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env(), check=True, timeout=30)

    def windows(self, pid):
        """[(window, title, size when mapped)] of pid's mapped top-level windows, as of now."""
        self.x.sync()
        while self.x.pending_events():
            e = self.x.next_event()
            if e.type == X.ReparentNotify:
                self.frames[e.parent.id] = e.window
            elif e.type == X.MapNotify:
                w = e.window if e.override else self.frames.get(e.window.id, e.window)
                g = ask(w.get_geometry)
                self.mapped[w.id] = (w, self.pid_of(w), self.prop(w, "_NET_WM_NAME"),
                                     g and (g.width, g.height))
            elif e.type in (X.UnmapNotify, X.DestroyNotify):
                self.mapped.pop(self.frames.get(e.window.id, e.window).id, None)
        return [(w, title, size) for w, p, title, size in self.mapped.values() if p == pid]

    def prop(self, window, name, kind=X.AnyPropertyType):
        value = ask(lambda: window.get_full_property(self.x.intern_atom(name), kind))
        return value and (value.value.decode() if value.format == 8 else value.value)

    def pid_of(self, window):
        return (self.prop(window, "_NET_WM_PID") or [None])[0]

    def diagnose(self, pid):
        """Asked afresh: whether pid has no window, only unmapped ones, or a mapped one missed."""
        mapped = [ask(lambda: w.get_attributes().map_state == X.IsViewable)
                  for frame in self.root.query_tree().children
                  for w in [frame, *ask(lambda: frame.query_tree().children, [])]
                  if self.pid_of(w) == pid]
        if not mapped:
            return "; the program has no window"
        return f"; its window is {'mapped and was missed' if any(mapped) else 'unmapped'}"

    def close(self):
        if self.x:
            self.x.close()
        for proc in reversed(self.procs):
            proc.kill()
            proc.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


class Telvane:
    def __init__(self, display, pages):
        self.display, self.proc, self.main_window = display, None, None
        self.dir = tempfile.mkdtemp(prefix="telvane-e2e-")
        self.home, data = os.path.join(self.dir, "home"), os.path.join(self.dir, "app", "Data")
        os.mkdir(self.home)
        os.makedirs(data)
        for name in ("telvane", "telvane_reader.so"):  # the module is loaded from beside it
            shutil.copy2(os.path.join(os.path.dirname(TELVANE), name), os.path.dirname(data))
        for name, text in pages.items():
            with open(os.path.join(data, name), "w", encoding="utf-8") as f:
                f.write(text)
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]

    def start(self, **env):
        # What the program writes reaches the test's output: a normal run writes nothing.
        env = self.display.env(HOME=self.home, LC_ALL="C.UTF-8",
                               QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox",
                               QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{self.port}") | env
        self.proc = subprocess.Popen([os.path.join(self.dir, "app", "telvane")], env=env,
                                     stdin=subprocess.DEVNULL)
        return self

    def pass_splash(self, **env):
        self.click(self.start(**env).wait_splash(), 100, 200)
        self.main_window = self.wait_window(MAIN_TITLE)
        self.wait_title(WELCOME)
        return self

    def processes(self):
        """{pid: command line} of all the run started but the program: its tree and orphans."""
        children, found, frontier = {}, {}, [os.getpid()]
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/stat") as stat, open(f"/proc/{pid}/cmdline", "rb") as cmd:
                    state, ppid = stat.read().rpartition(")")[2].split()[:2]
                    if state != "Z" and int(pid) not in {p.pid for p in self.display.procs}:
                        children.setdefault(int(ppid), {})[int(pid)] = cmd.read().decode(
                            errors="replace").replace("\0", " ")
            except OSError:
                pass
        while frontier:
            theirs = children.get(frontier.pop(), {})
            found |= theirs
            frontier += theirs
        found.pop(self.proc.pid, None)
        return found

    def why(self):  # what there was instead, when a wait for a window fails
        if self.proc.poll() is None:
            return self.display.diagnose(self.proc.pid)
        return f"; the program is gone, status {self.proc.returncode}"

    def stop(self):
        if self.proc:
            self.proc.kill()
            self.proc.wait()
            for pid in self.processes():
                os.kill(pid, signal.SIGKILL)
            wait_for(lambda: not self.processes(), "end of the run's processes")
        shutil.rmtree(self.dir, ignore_errors=True)

    def window(self, title=None, size=None):  # a mapped one with that title or size, or None
        return next((w for w, t, s in self.display.windows(self.proc.pid)
                     if title in (None, t) and size in (None, s)), None)

    def wait_window(self, title=None, size=None):
        return wait_for(lambda: self.window(title, size), f"window {title or size}", why=self.why)

    def wait_focus(self, window):
        return wait_for(lambda: self.display.x.get_input_focus().focus == window and window,
                        f"focus on {window.id:#x}")

    def wait_splash(self):
        return self.wait_focus(self.wait_window(size=SPLASH_SIZE))

    def click(self, window, x, y, button=1, repeat=1):
        self.display.xdotool("mousemove", "--window", window.id, x, y, "click", "--repeat",
                             repeat, "--delay", 80, button)

    def key(self, *keys):
        self.display.xdotool("key", *keys)

    def press(self, left):
        """Clicks the middle of the main window's image button whose left edge is given."""
        self.click(self.main_window, left + 16, 24)

    def outer_size(self):  # the main window's outer size in pixels, once openbox framed it
        left, right, top, bottom = wait_for(lambda: any(e := self.display.prop(
            self.main_window, "_NET_FRAME_EXTENTS", Xatom.CARDINAL) or []) and e, "its frame")
        g = self.main_window.get_geometry()
        return g.width + left + right, g.height + top + bottom

    def press_corner(self, offset):
        """About (offset 1635) and Exit (915) stand that many twips left of the outer width."""
        self.press(round(self.outer_size()[0] - offset / TWIPS))

    def open_about(self):
        self.press_corner(1635)
        return self.wait_focus(self.wait_window(ABOUT_TITLE))

    def target(self):
        """The HTML view's DevTools target: its title, url, webSocketDebuggerUrl; or {}."""
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json", timeout=3) as r:
                return next((t for t in json.load(r) if t["type"] == "page"), {})
        except (OSError, ValueError):
            return {}

    def wait_title(self, title):
        wait_for(lambda: self.target().get("title") == title, f"page {title!r}",
                 why=lambda: f"; the view shows {self.target().get('title')!r}")

    def view(self, expression):
        """The expression's value in the shown page, or None when there is no answer."""
        host, _, path = self.target().get("webSocketDebuggerUrl", "ws://:0/")[5:].partition("/")
        call = json.dumps({"id": 1, "method": "Runtime.evaluate", "params": {
            "expression": expression, "returnByValue": True}}).encode()
        assert len(call) < 126, "one short frame"
        try:
            with socket.create_connection(host.rsplit(":", 1), timeout=5) as sock:
                sock.sendall(f"GET /{path} HTTP/1.1\r\nHost: {host}\r\nUpgrade: websocket\r\n"
                             "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n".encode())
                stream = sock.makefile("rb")
                while stream.readline() not in (b"\r\n", b""):
                    pass
                # One text frame out, masked with zeros; the first frame back is the reply.
                sock.sendall(bytes([0x81, 0x80 | len(call)]) + b"\0" * 4 + call)
                size = stream.read(2)[1] & 0x7F
                size = struct.unpack("!H", stream.read(2))[0] if size == 126 else size
                return json.loads(stream.read(size))["result"]["result"].get("value")
        except (OSError, ValueError, KeyError, IndexError):
            return None


class DisplayTestCase(unittest.TestCase):
    PAGES = {"welcome.htm": page(WELCOME, "Начална страница на теста")}

    @classmethod
    def setUpClass(cls):
        cls.display = Display()
        cls.addClassCleanup(cls.display.close)

    def run_telvane(self):
        app = Telvane(self.display, self.PAGES)
        self.addCleanup(app.stop)
        return app
