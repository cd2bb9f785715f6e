"""Moving between pages, and the view surviving the loss of its render process."""

import os
import signal

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
