"""From the splash to the main window and its first layout."""

import time

import harness
from harness import DisplayTestCase, eventually

PICTURE, RIGHT = (100, 200), 3


class Splash(DisplayTestCase):
    def test_what_passes_the_splash(self):
        # Splash client pixels: the picture with either button, the frame's edge above it,
        # the window's margin; keys that type a character.
        passing = [("click", *PICTURE, 1), ("click", *PICTURE, RIGHT), ("click", 210, 5, 1),
                   ("click", 4, 150, 1), ("key", "Return"), ("key", "Escape"), ("key", "a")]
        for how, *what in passing:
            with self.subTest(how=how, what=what):
                app = self.run_telvane().start()
                splash = app.wait_splash()
                # A click on a label of the picture and keys that type nothing leave it.
                app.click(splash, 460, 51)
                app.key("Left", "F1", "shift")
                time.sleep(0.5)
                self.assertIsNone(app.window(harness.MAIN_TITLE))
                self.assertEqual(app.window(size=harness.SPLASH_SIZE), splash)
                if how == "click":
                    app.click(splash, *what[:2], button=what[2])
                else:
                    app.key(*what)
                app.wait_window(harness.MAIN_TITLE)
                app.wait_title(harness.WELCOME)
                app.stop()


class FirstLayout(DisplayTestCase):
    def test_the_view_follows_the_outer_size_at_once_and_only_it_is_framed(self):
        app = self.run_telvane().start()
        splash = app.wait_splash()
        splash_frame = app.display.prop(splash, "_NET_FRAME_EXTENTS")
        app.click(splash, *PICTURE)
        app.main_window = app.wait_window(harness.MAIN_TITLE)
        app.wait_title(harness.WELCOME)
        outer_w, outer_h = app.outer_size()
        frame = app.display.prop(app.main_window, "_NET_FRAME_EXTENTS")
        self.assertTrue(any(frame) and not any(splash_frame or []), "only the main one framed")
        expected = [round((outer_w * harness.TWIPS - 345) / harness.TWIPS),
                    round((outer_h * harness.TWIPS - 1380) / harness.TWIPS)]
        size = lambda: app.devtools.evaluate("[innerWidth, innerHeight]")
        eventually(lambda: size() == expected, 10)
        self.assertEqual(size(), expected, f"the view for the outer size {outer_w}x{outer_h} px")


if __name__ == "__main__":
    harness.main()
