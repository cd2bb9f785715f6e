"""From the splash to the main window and its first layout."""

import time

import harness
from harness import DisplayTestCase, big_link, eventually, page, wait_for

WELCOME = "Начало на теста"
PAGES = {
    "welcome.htm": page(WELCOME, big_link("b.htm", "Към втората страница")),
    "b.htm": page("Втора страница", "Втора страница"),
}


class Splash(DisplayTestCase):
    def test_a_character_key_passes_the_splash(self):
        app = self.run_telvane(PAGES).start()
        splash = app.wait_splash()
        # The user types once the splash is up; let the program take the
        # keyboard first, and tell below where the key went if it did not.
        eventually(lambda: app.focused() == splash, 5)
        focus = app.focused()
        app.key("a")
        if not eventually(lambda: app.window_named(harness.MAIN_TITLE), 10):
            self.fail(f"the key 'a' did not pass the splash (window {splash}); the keyboard "
                      f"focus was on window {focus}, "
                      f"{'one of the program' if focus in app.windows() else 'not the program'}'s")
        app.wait_main()
        app.wait_title(WELCOME)

    def test_a_click_on_the_picture_shows_the_start_page(self):
        app = self.run_telvane(PAGES).start()
        splash = app.wait_splash()
        self.assertIn(app.frame_extents(splash), (None, (0, 0, 0, 0)), "the splash has no frame")
        app.click(splash, 100, 200)
        app.wait_main()
        app.wait_title(WELCOME)
        self.assertEqual(app.devtools.url(), app.url_of("welcome.htm"))
        self.assertNotIn(splash, app.windows(), "the splash is gone")


    def test_what_passes_the_splash(self):
        # Splash client pixels: the picture, the frame's edge above it, the
        # window's margin, a label on the picture.
        picture, frame_edge, margin, label = (100, 200), (210, 5), (4, 150), (460, 51)
        right, left = 3, 1
        passing = [("click", *picture, right), ("click", *frame_edge, left),
                   ("click", *margin, left), ("key", "Return"), ("key", "Escape")]
        for how, *what in passing:
            with self.subTest(how=how, what=what):
                app = self.run_telvane(PAGES).start()
                splash = app.wait_splash()
                wait_for(lambda: app.focused() == splash, 10, "the splash to get the focus")
                # Clicks and keys that type nothing leave the splash where it is.
                app.click(splash, *label)
                app.key("Left", "F1", "shift")
                time.sleep(0.5)
                self.assertEqual(app.splash(), splash)
                self.assertIsNone(app.window_named(harness.MAIN_TITLE))
                if how == "click":
                    x, y, button = what
                    app.click(splash, x, y, button=button)
                else:
                    app.key(*what)
                app.wait_main()
                app.wait_title(WELCOME)
                app.stop()


class FirstLayout(DisplayTestCase):
    def test_the_view_follows_the_outer_size_at_once(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        outer_w, outer_h = app.outer_size()
        W, H = outer_w * harness.TWIPS, outer_h * harness.TWIPS
        expected = [round((W - 345) / harness.TWIPS), round((H - 1380) / harness.TWIPS)]
        size = lambda: app.devtools.try_evaluate("[innerWidth, innerHeight]")
        if not eventually(lambda: size() == expected, 10):
            self.fail(f"for the outer size {outer_w}x{outer_h} px the view should be "
                      f"{expected[0]}x{expected[1]} px; it is {size()}")


if __name__ == "__main__":
    harness.main()
