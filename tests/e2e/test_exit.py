"""Ending the program: its exit status from each state, and what it leaves behind."""

import os

import harness
from harness import DisplayTestCase, command_name, eventually, page, wait_for

WELCOME = "Начало на теста"
PAGES = {"welcome.htm": page(WELCOME, "Начална страница на теста")}


class ExitStatus(DisplayTestCase):
    def started(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        return app

    def test_exit_at_once(self):
        app = self.started()
        app.press_exit()
        self.assertExitsWithZero(app)

    def test_exit_with_the_search_window_open(self):
        app = self.started()
        app.press(harness.SEARCH)
        wait_for(lambda: app.window_named(harness.SEARCH_TITLE), 15, "the search window")
        app.press_exit()
        self.assertExitsWithZero(app)

    def test_exit_after_the_about_window_was_closed(self):
        app = self.started()
        about = app.open_about()
        app.click(about, *harness.ABOUT_CLOSE_CENTRE)
        wait_for(lambda: not app.window_named(harness.ABOUT_TITLE), 10,
                 "the About window to close")
        app.press_exit()
        self.assertExitsWithZero(app)

    def test_exit_after_a_category_menu_was_escaped(self):
        app = self.started()
        before = set(app.windows())
        app.press(harness.HISTORY)
        wait_for(lambda: set(app.windows()) - before, 10, "the category menu")
        app.key("Escape")
        wait_for(lambda: not set(app.windows()) - before, 10, "the menu to close")
        app.press_exit()
        self.assertExitsWithZero(app)

    def test_exit_after_the_site_was_opened(self):
        app = self.started()
        app.open_about()
        app.key("Return")
        wait_for(lambda: not app.window_named(harness.ABOUT_TITLE), 10,
                 "the About window to close")
        wait_for(lambda: (app.devtools.url() or "").startswith("https://"), 15,
                 "the view to open the web site")
        app.press_exit()
        self.assertExitsWithZero(app)

    def test_the_close_box_ends_with_zero(self):
        app = self.started()
        app.close_main()
        self.assertExitsWithZero(app)


class LeavesNothingBehind(DisplayTestCase):
    def run_and_close(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        app.close_main()
        app.wait_exit()
        return app

    def test_nothing_is_written_under_home(self):
        app = self.run_and_close()
        written = sorted(os.path.relpath(os.path.join(folder, name), app.home)
                         for folder, folders, files in os.walk(app.home)
                         for name in folders + files)
        self.assertEqual(written, [], "the program wrote under HOME")

    def test_no_process_outlives_the_program(self):
        app = self.run_and_close()
        # Helper processes get a moment to notice that the program is gone.
        eventually(lambda: not app.leftovers(), 10)
        left = [f"{command_name(pid)} ({pid})" for pid in app.leftovers()]
        self.assertEqual(left, [], "still running after the program ended")


if __name__ == "__main__":
    harness.main()
