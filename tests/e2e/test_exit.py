"""Ending the program: its exit status from each state, and what a run leaves behind."""

import os

import harness
from harness import DisplayTestCase


def search_open(app):
    app.press(harness.SEARCH)
    app.wait_window(harness.SEARCH_TITLE)


def site_shown(app):
    app.click(app.open_about(), *harness.ABOUT_SITE)
    harness.wait_for(lambda: app.target().get("url", "").startswith("https://"), "web site")


def exit_button(app):
    app.press_corner(915)


def close_box(app):
    # openbox turns alt+F4 into WM_DELETE_WINDOW for the window it holds as focused.
    app.display.xdotool("windowactivate", "--sync", app.main_window.id)
    app.wait_focus(app.main_window)
    app.key("alt+F4")


class Exit(DisplayTestCase):
    def test_exits_with_zero_and_leaves_nothing(self):
        for state, way_out in [(None, exit_button), (search_open, exit_button),
                               (site_shown, exit_button), (None, close_box)]:
            with self.subTest(state=state and state.__name__, way_out=way_out.__name__):
                app = self.run_telvane()
                os.mkdir(os.path.join(app.home, "mine"))  # which the look below must see
                app.pass_splash()
                if state:
                    state(app)
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
