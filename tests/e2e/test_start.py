"""From the splash to the main window and its first layout, under a window manager."""

import time

import harness
from harness import MAIN_TITLE, SPLASH_SIZE, TWIPS, DisplayTestCase


class Start(DisplayTestCase):
    def test_what_passes_the_splash_and_the_first_layout(self):
        # Splash client pixels: the picture with either button, the window's margin; keys that
        # type a character.
        for how, *what in [("click", 100, 200, 1), ("click", 100, 200, 3), ("click", 4, 150, 1),
                           ("key", "Return"), ("key", "Escape"), ("key", "a")]:
            with self.subTest(how=how, what=what):
                app = self.run_telvane().start()
                splash = app.wait_splash()
                splash_frame = app.display.prop(splash, "_NET_FRAME_EXTENTS")
                # A click on a label of the picture and keys that type nothing leave it.
                app.click(splash, 460, 51)
                app.key("Left", "F1", "shift")
                time.sleep(0.5)
                self.assertEqual((app.window(MAIN_TITLE), app.window(size=SPLASH_SIZE)),
                                 (None, splash))
                app.click(splash, *what) if how == "click" else app.key(*what)
                app.main_window = app.wait_window(MAIN_TITLE)
                app.wait_title(harness.WELCOME)
                outer_w, outer_h = app.outer_size()
                frame = app.display.prop(app.main_window, "_NET_FRAME_EXTENTS")
                self.assertTrue(any(frame) and not any(splash_frame or []), "only main framed")
                # The view is 345 twips narrower and 1380 lower than the window with its frame.
                inner = [round(outer_w - 345 / TWIPS), round(outer_h - 1380 / TWIPS)]
                harness.wait_for(lambda: app.view("[innerWidth, innerHeight]") == inner,
                                 f"a view of {inner}", why=lambda: f"; it is "
                                 f"{app.view('[innerWidth, innerHeight]')} in {outer_w}x{outer_h}")
                app.stop()


if __name__ == "__main__":
    harness.main()
