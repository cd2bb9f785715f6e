"""Translucency on a real X server, without and then with a compositing manager."""

import ctypes
import subprocess
import time

import harness
from harness import DisplayTestCase, page, wait_for

WELCOME = "Начало на теста"
PAGES = {"welcome.htm": page(WELCOME, "Начална страница на теста")}


def compositing(display):
    """Whether a compositing manager owns its selection on the display's first screen."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.name.encode())
    try:
        return x11.XGetSelectionOwner(connection, x11.XInternAtom(connection, b"_NET_WM_CM_S0", 0))
    finally:
        x11.XCloseDisplay(connection)


class Translucency(DisplayTestCase):
    def opacity(self, app):
        """The main window's opacity as the window manager is told it, or None for opaque."""
        out = self.display.x("xprop", "-id", str(app.main_window), "_NET_WM_WINDOW_OPACITY")
        return int(out.split("=")[1]) / 0xFFFFFFFF if "=" in out else None

    def test_refused_with_a_message_without_a_compositor_taken_with_one(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        # The refused click still flips the toggle: the next one asks for opaque.
        app.press(harness.TRANSLUCENCY)
        wait_for(lambda: app.window_named("Telvane"), 10, "the message that it cannot be done")
        app.key("Return")
        wait_for(lambda: not app.window_named("Telvane"), 10, "the message to close")
        self.assertIsNone(self.opacity(app))
        compositor = subprocess.Popen(["xcompmgr"], env=dict(harness.clean_env(),
                                                             DISPLAY=self.display.name))
        self.addCleanup(compositor.wait)
        self.addCleanup(compositor.terminate)
        wait_for(lambda: compositing(self.display), 10, "xcompmgr to take over")
        for expected in (1.0, 150 / 255):
            time.sleep(1)  # apart, so that two clicks make no double-click
            app.press(harness.TRANSLUCENCY)
            wait_for(lambda: abs((self.opacity(app) or 1.0) - expected) < 1e-3, 10,
                     f"the window at opacity {expected:.2f}")
            self.assertIsNone(app.window_named("Telvane"), "no message with a compositor")


if __name__ == "__main__":
    harness.main()
