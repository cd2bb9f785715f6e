"""Runs from start to end under a window manager: the ways past the splash and what must not
pass it, the first layout with the frame, the ways out, their exit status, what a run leaves."""

import os, time

import harness
from harness import MAIN_TITLE, SPLASH_SIZE, TWIPS, DisplayTestCase


def search_open(app):
    app.press(harness.SEARCH)
    app.wait_window(harness.SEARCH_TITLE)


def site_shown(app):
    app.click(app.open_about(), *harness.ABOUT_SITE)
    harness.wait_for(lambda: app.target().get("url", "").startswith("https://"), "web site")


def exit_button(app):
    app.press_corner(915)


def close_box(app):  # openbox turns alt+F4 into WM_DELETE_WINDOW for the window it focused
    app.display.xdotool("windowactivate", "--sync", app.main_window.id)
    app.key("alt+F4")


class Session(DisplayTestCase):
    def test_start_layout_and_end(self):
        # A way past the splash (its client pixels: the picture with either button, the
        # window's margin; keys that type a character), a state, and a way out.
        for (how, *what), before, way_out in [
                (("click", 100, 200, 1), None, exit_button), (("key", "a"), None, close_box),
                (("click", 100, 200, 3), search_open, exit_button),
                (("click", 4, 150, 1), site_shown, exit_button),
                (("key", "Return"), None, exit_button), (("key", "Escape"), None, exit_button)]:
            with self.subTest(how=how, what=what, before=before, way_out=way_out.__name__):
                app = self.run_telvane()
                os.mkdir(os.path.join(app.home, "mine"))  # which the look below must see
                splash = app.start().wait_splash()
                # A click on a label of the picture and keys that type nothing leave it.
                app.click(splash, 460, 51)
                app.key("Left", "F1", "shift")
                time.sleep(0.5)
                self.assertEqual((app.window(MAIN_TITLE), app.window(size=SPLASH_SIZE)),
                                 (None, splash))
                app.click(splash, *what) if how == "click" else app.key(*what)
                app.main_window = app.wait_window(MAIN_TITLE)
                app.wait_title(harness.WELCOME)
                # The view is 345 twips narrower and 1380 lower than the window with its frame.
                outer_w, outer_h = app.outer_size()
                inner = [round(outer_w - 345 / TWIPS), round(outer_h - 1380 / TWIPS)]
                shown = lambda: app.view("[innerWidth, innerHeight]")
                harness.wait_for(lambda: shown() == inner, f"a view of {inner}",
                                 why=lambda: f"; it is {shown()}")
                before and before(app)
                # What the look for leftovers must see while the program runs: its web engine.
                lines = " ".join(app.processes().values())
                self.assertTrue("--type=zygote" in lines and "--type=renderer" in lines, lines)
                way_out(app)
                self.assertEqual(app.proc.wait(harness.PATIENCE), 0)
                self.assertEqual([os.path.relpath(os.path.join(folder, name), app.home)
                                  for folder, folders, files in os.walk(app.home)
                                  for name in folders + files], ["mine"], "written under HOME")
                # Helper processes get a moment to notice that the program is gone.
                harness.wait_for(lambda: not app.processes(), "end of every process", 10,
                                 why=lambda: f": {app.processes()}")
                app.stop()


if __name__ == "__main__":
    harness.main()
