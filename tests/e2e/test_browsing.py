"""The view's keys pressed for real after an image button was clicked (the buttons take
no focus, so the keys still reach the view), and a real double-click on Back."""

import time

import harness
from harness import WELCOME, DisplayTestCase, big_link, page, wait_for

SECOND, THIRD = "Втора страница", "Трета страница"
LINK = (200, 150)  # inside each page's big link, in the view's pixels


class ViewKeys(DisplayTestCase):
    PAGES = {"welcome.htm": page(WELCOME, big_link("b.htm", "Към втората страница")),
             "b.htm": page(SECOND, big_link("c.htm", "Към третата страница")),
             "c.htm": page(THIRD, "Последната страница")}

    def test_history_keys_zoom_and_a_double_click_on_back(self):
        app = self.run_telvane().pass_splash()
        app.press(harness.HOME)
        # Alt+arrows walk the history and stop at its ends.
        steps = [("alt+Left", WELCOME), ("alt+Right", WELCOME), (LINK, SECOND),
                 ("alt+Left", WELCOME), ("alt+Left", WELCOME), ("alt+Right", SECOND),
                 ("alt+Right", SECOND)]
        for act, title in steps:
            app.click_view(*act) if isinstance(act, tuple) else app.key(act)
            time.sleep(0.5)
            app.wait_title(title)
        self.assertEqual(app.history_length(), 2)

        def wheel(button):  # over the view
            app.display.xdotool("mousemove", "--window", app.main_window.id,
                                harness.VIEW_LEFT + 50, harness.VIEW_TOP + 50, "keydown", "ctrl",
                                "click", button, "keyup", "ctrl")

        def drawn_at(zoom):
            return abs((app.devtools.evaluate("devicePixelRatio") or 0) - zoom) < 1e-6

        # Zoom steps within its range, and holds across pages.
        steps = [(lambda: app.key("ctrl+plus"), 1.1), (lambda: app.key("ctrl+equal"), 1.25),
                 (lambda: wheel(4), 1.5), (lambda: [wheel(5), wheel(5)], 1.1),
                 (lambda: app.key("ctrl+0"), 1.0), (lambda: app.key(*["ctrl+minus"] * 9), 0.5),
                 (lambda: app.key(*["ctrl+plus"] * 15), 3.0), (lambda: app.key("ctrl+minus"), 2.5)]
        for act, zoom in steps:
            act()
            wait_for(lambda: drawn_at(zoom), f"page drawn at {zoom}")
        app.click_view(*LINK)
        app.wait_title(THIRD)
        self.assertTrue(drawn_at(2.5))
        # A double click on Back goes back one page: a second step would follow at once.
        app.press(harness.BACK, repeat=2)
        app.wait_title(SECOND)
        time.sleep(1)
        self.assertEqual(app.devtools.title(), SECOND)


if __name__ == "__main__":
    harness.main()
