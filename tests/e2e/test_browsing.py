"""Moving between pages, and the view surviving the loss of its render process."""

import os
import signal
import time

import harness
from harness import (DisplayTestCase, big_link, cmdline, descendants, eventually, page, processes,
                     wait_for, watch)

WELCOME, SECOND, THIRD = "Начало на теста", "Втора страница", "Трета страница"
PAGES = {
    "welcome.htm": page(WELCOME, big_link("b.htm", "Към втората страница")),
    "b.htm": page(SECOND, big_link("c.htm", "Към третата страница")),
    "c.htm": page(THIRD, "Последната страница"),
}
# A point inside each page's big link, in the view's pixels.
LINK = (200, 150)


def renderers(pid):
    """The render processes among pid's descendants. Those forked by the web
    engine's zygote keep the zygote's command line, so they are told by their parent."""
    parents, mine = processes(), set(descendants(pid))
    found = []
    for child in mine:
        parent = parents.get(child)
        forked = (parent in mine and b"--type=zygote" in cmdline(parent)
                  and b"--no-zygote-sandbox" not in cmdline(parent))
        if b"--type=renderer" in cmdline(child) or forked:
            found.append(child)
    return found


class ViewKeys(DisplayTestCase):
    """The view's keys with real key presses, after an image button was clicked:
    the buttons take no focus, so the keys still reach the view."""

    def started(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        app.press(harness.HOME)
        time.sleep(0.5)
        app.wait_title(WELCOME)
        return app

    def test_zoom_steps_within_its_range_and_holds_across_pages(self):
        app = self.started()

        def wheel(button):  # over the view
            app.display.xdotool("mousemove", "--window", app.main_window, harness.VIEW_LEFT + 50,
                                harness.VIEW_TOP + 50, "keydown", "ctrl", "click", button,
                                "keyup", "ctrl")

        def drawn_at(zoom):
            return abs((app.devtools.try_evaluate("devicePixelRatio") or 0) - zoom) < 1e-6

        steps = [(lambda: app.key("ctrl+plus"), 1.1), (lambda: app.key("ctrl+equal"), 1.25),
                 (lambda: wheel(4), 1.5), (lambda: [wheel(5), wheel(5)], 1.1),
                 (lambda: app.key("ctrl+0"), 1.0), (lambda: app.key(*["ctrl+minus"] * 9), 0.5),
                 (lambda: app.key(*["ctrl+plus"] * 15), 3.0), (lambda: app.key("ctrl+minus"), 2.5)]
        for act, zoom in steps:
            act()
            wait_for(lambda: drawn_at(zoom), 10, f"the page drawn at {zoom}")
        app.click_view(*LINK)
        app.wait_title(SECOND)
        self.assertTrue(drawn_at(2.5))

    def test_alt_arrows_walk_the_history_and_stop_at_its_ends(self):
        app = self.started()
        app.key("alt+Left", "alt+Right")
        app.click_view(*LINK)
        app.wait_title(SECOND)
        for keys, title in (("alt+Left", WELCOME), ("alt+Left", WELCOME), ("alt+Right", SECOND),
                            ("alt+Right", SECOND)):
            app.key(keys)
            time.sleep(0.5)
            app.wait_title(title)
        self.assertEqual(app.history_length(), 2)


class Browsing(DisplayTestCase):
    def three_pages_deep(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        app.click_view(*LINK)
        app.wait_title(SECOND)
        app.click_view(*LINK)
        app.wait_title(THIRD)
        return app

    def test_a_double_click_on_back_goes_back_one_page(self):
        app = self.three_pages_deep()
        app.press(harness.BACK, repeat=2)
        wait_for(lambda: app.devtools.title() not in (THIRD, None), 15, "a step back")
        # A second step would follow within moments of the first.
        seen = watch(app.devtools.title, 2)
        self.assertEqual(seen, [SECOND], "titles shown after the double click")

    def test_the_view_recovers_when_its_render_process_dies(self):
        app = self.three_pages_deep()
        victims = wait_for(lambda: renderers(app.proc.pid), 10, "the render process")
        for pid in victims:
            os.kill(pid, signal.SIGKILL)

        def page_shown():
            # A live document with a title or some text; a dead renderer answers nothing.
            shown = app.devtools.shown(timeout=3)
            return shown if shown and (shown[1] or shown[2].strip()) else None

        shown = eventually(page_shown, 20)
        self.assertIsNone(app.proc.poll(), "the program ended with its render process")
        self.assertTrue(shown, "the view shows no page 20 s after its render process was killed")
        app.press(harness.HOME)
        wait_for(lambda: (page_shown() or [None, None])[1] == WELCOME, 15,
                 "the Home button to show the start page")


if __name__ == "__main__":
    harness.main()
