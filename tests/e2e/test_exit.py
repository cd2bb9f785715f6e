"""Ending the program: its exit status from each state, and what a run leaves behind."""

import os

import harness
from harness import ABOUT_TITLE, DisplayTestCase, eventually, wait_for


def search_open(app):
    app.press(harness.SEARCH)
    app.wait_window(harness.SEARCH_TITLE)


def about_closed(app):
    app.click(app.open_about(), *harness.ABOUT_CLOSE)
    app.wait_gone(ABOUT_TITLE)


def menu_escaped(app):
    before = app.display.windows(app.proc.pid)
    app.press(harness.HISTORY)
    wait_for(lambda: app.display.windows(app.proc.pid) != before, "category menu")
    app.key("Escape")
    wait_for(lambda: app.display.windows(app.proc.pid) == before, "closing of the menu")


def site_opened(app):
    app.open_about()
    app.key("Return")
    app.wait_gone(ABOUT_TITLE)
    wait_for(lambda: app.devtools.url().startswith("https://"), "web site shown")


def exit_button(app):
    app.press_corner(915)


def close_box(app):
    # openbox turns alt+F4 into WM_DELETE_WINDOW for the window it holds as focused.
    app.display.xdotool("windowactivate", "--sync", app.main_window.id)
    app.wait_focus(app.main_window)
    app.key("alt+F4")


def engine(processes):
    """The web engine's zygote and a renderer among a run's processes."""
    lines = " ".join(processes.values())
    return "--type=zygote" in lines and "--type=renderer" in lines


class Exit(DisplayTestCase):
    def test_exits_with_zero_and_leaves_nothing(self):
        # The state before the way out; the ways out.
        cases = [(None, exit_button), (search_open, exit_button), (about_closed, exit_button),
                 (menu_escaped, exit_button), (site_opened, exit_button), (None, close_box)]
        for state, way_out in cases:
            with self.subTest(state=state and state.__name__, way_out=way_out.__name__):
                app = self.run_telvane()
                # A file the test puts there, which the look below must see.
                os.mkdir(os.path.join(app.home, "mine"))
                app.pass_splash()
                if state:
                    state(app)
                self.assertTrue(engine(app.processes()), app.processes())
                way_out(app)
                self.assertExitsWithZero(app)
                written = [os.path.relpath(os.path.join(folder, name), app.home)
                           for folder, folders, files in os.walk(app.home)
                           for name in folders + files]
                self.assertEqual(written, ["mine"], "what is under HOME after the run")
                # Helper processes get a moment to notice that the program is gone.
                eventually(lambda: not app.processes(), 10)
                self.assertEqual(app.processes(), {}, "still there after the program ended")
                app.stop()


if __name__ == "__main__":
    harness.main()
