"""Translucency on a real X server, without and then with a compositing manager."""

import subprocess
import time

import harness
from harness import DisplayTestCase, wait_for


class Translucency(DisplayTestCase):
    def test_refused_with_a_message_without_a_compositor_taken_with_one(self):
        app = self.run_telvane().pass_splash()
        # The refused click still flips the toggle: the next one asks for opaque.
        app.press(harness.TRANSLUCENCY)
        app.wait_window("Telvane")
        app.key("Return")
        wait_for(lambda: not app.window("Telvane"), "closing of the message")
        compositor = subprocess.Popen(["xcompmgr"], env=app.display.env())
        self.addCleanup(compositor.wait)
        self.addCleanup(compositor.kill)
        owner = app.display.x.intern_atom("_NET_WM_CM_S0")
        wait_for(lambda: app.display.x.get_selection_owner(owner), "xcompmgr taking over")
        opacity = lambda: (app.display.prop(app.main_window, "_NET_WM_WINDOW_OPACITY") or
                           [0xFFFFFFFF])[0] / 0xFFFFFFFF
        for expected in (1.0, 150 / 255):
            time.sleep(1)  # apart, so that two clicks make no double-click
            app.press(harness.TRANSLUCENCY)
            wait_for(lambda: abs(opacity() - expected) < 1e-3, f"opacity {expected:.2f}")
            self.assertIsNone(app.window("Telvane"), "no message with a compositor")


if __name__ == "__main__":
    harness.main()
