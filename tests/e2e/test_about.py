"""The About window, worked with real keys and clicks under a window manager."""

import time

import harness
from harness import DisplayTestCase, page, wait_for

WELCOME = "Начало на теста"
PAGES = {"welcome.htm": page(WELCOME, "Начална страница на теста")}
# The "WEB сайт" button's centre, in the window's client pixels (design twips / 15).
SITE_CENTRE = ((4200 + 1380 // 2) // harness.TWIPS, (2640 + 345 // 2) // harness.TWIPS)


class AboutWindow(DisplayTestCase):
    def opened(self):
        app = self.run_telvane(PAGES)
        app.pass_splash(WELCOME)
        return app, app.open_about()

    def test_keys_and_buttons(self):
        # Escape acts as the site button; Enter presses the button with the focus,
        # the site button at first. The site opens in the view as a new page.
        cases = [(["key", "Escape"], True), (["key", "Return"], True),
                 (["click", *SITE_CENTRE], True), (["click", *harness.ABOUT_CLOSE_CENTRE], False),
                 (["key", "Tab", "Return"], False), (["key", "alt+F4"], False)]
        for (how, *what), opens_site in cases:
            with self.subTest(how=how, what=what):
                app, about = self.opened()
                if how == "key":
                    app.key(*what)
                else:
                    app.click(about, *what)
                wait_for(lambda: not app.window_named(harness.ABOUT_TITLE), 10,
                         "the About window to close")
                if opens_site:
                    wait_for(lambda: (app.devtools.url() or "").startswith("https://"), 15,
                             "the view to open the web site")
                else:
                    time.sleep(1)
                    self.assertEqual(app.devtools.url(), app.url_of("welcome.htm"))
                self.assertEqual(app.history_length(), 2 if opens_site else 1)
                app.stop()

    def test_the_main_window_takes_no_clicks_while_it_is_open(self):
        app, about = self.opened()
        app.press(harness.HOME)
        time.sleep(1)
        self.assertEqual(app.history_length(), 1)
        self.assertEqual(app.window_named(harness.ABOUT_TITLE), about)


if __name__ == "__main__":
    harness.main()
