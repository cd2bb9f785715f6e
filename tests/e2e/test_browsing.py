"""Keys and the mouse for real: keys reach the view after an image button was clicked (the
buttons take no focus), a key of the About window, a double-click on a search result, and
translucency without and then with a compositing manager."""

import subprocess, time

import harness
from harness import WELCOME, DisplayTestCase, page, wait_for

SECOND, THIRD, FOUND = "Втора страница", "Трета страница", "Шината AGP"


def linked(title, target):
    return page(title, f'<a href="{target}" style="display:block;height:300px">Нататък</a>')


class Browsing(DisplayTestCase):
    PAGES = {"welcome.htm": linked(WELCOME, "b.htm"), "b.htm": linked(SECOND, "c.htm"),
             "c.htm": page(THIRD, "Последната"), "AGP.htm": page(FOUND, "xylofon")}

    def test_history_zoom_about_search_and_translucency(self):
        app = self.run_telvane().pass_splash()
        app.press(harness.HOME)
        link = ["mousemove", "--window", app.main_window.id, 208, 206, "click", 1]
        wheel_up = ["mousemove", "--window", app.main_window.id, 58, 106, "keydown", "ctrl",
                    "click", 4, "keyup", "ctrl"]
        shown = lambda: (app.target().get("title"), round(app.view("devicePixelRatio") or 0, 2))
        # Input, and the page and zoom after it: the history by keys, the zoom along its ladder
        # and within its range by keys and the wheel, and held across pages.
        for act, title, zoom in [(link, SECOND, 1), ("alt+Left", WELCOME, 1),
                                 ("alt+Right", SECOND, 1), ("ctrl+plus", SECOND, 1.1),
                                 ("ctrl+equal", SECOND, 1.25), (wheel_up, SECOND, 1.5),
                                 ("ctrl+0", SECOND, 1), ("ctrl+minus " * 9, SECOND, 0.5),
                                 ("ctrl+plus " * 15, SECOND, 3), (link, THIRD, 3)]:
            app.display.xdotool(*act) if isinstance(act, list) else app.key(*act.split())
            wait_for(lambda: shown() == (title, zoom), f"{title} at {zoom}",
                     why=lambda: f"; it is {shown()} after {act}")
        # Escape stands for the site button.
        app.open_about()
        app.key("Escape")
        wait_for(lambda: app.target().get("url", "").startswith("https://"), "web site")
        # A double-click on a search result shows its page.
        app.press(harness.SEARCH)
        search = app.wait_window(harness.SEARCH_TITLE)
        app.click(search, 60, 26)
        app.display.xdotool("type", "xylofon")
        app.click(search, 300, 26)
        app.click(search, 40, 96, repeat=2)
        app.wait_title(FOUND)
        # Refused without a compositor, the click still flips the toggle: the next asks for opaque.
        app.press(harness.TRANSLUCENCY)
        app.wait_window("Telvane")
        app.key("Return")
        wait_for(lambda: not app.window("Telvane"), "closing of the message")
        compositor = subprocess.Popen(["xcompmgr"], env=app.display.env())
        self.addCleanup(lambda: compositor.kill() or compositor.wait())
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
