"""The About window, worked with real keys and clicks under a window manager."""

import time

import harness
from harness import ABOUT_TITLE, DisplayTestCase, wait_for


class AboutWindow(DisplayTestCase):
    def test_keys_and_buttons(self):
        # Escape acts as the site button; Enter presses the button with the focus, the
        # site button at first. The site opens in the view as a new page. While the window
        # is open, a click on Home in the main window does nothing.
        cases = [(["key", "Escape"], True), (["key", "Return"], True),
                 (["click", *harness.ABOUT_SITE], True), (["click", *harness.ABOUT_CLOSE], False),
                 (["key", "Tab", "Return"], False), (["key", "alt+F4"], False)]
        for (how, *what), opens_site in cases:
            with self.subTest(how=how, what=what):
                app = self.run_telvane().pass_splash()
                about = app.open_about()
                if how == "key":
                    app.key(*what)
                else:
                    app.press(harness.HOME)
                    app.click(about, *what)
                app.wait_gone(ABOUT_TITLE)
                if opens_site:
                    wait_for(lambda: app.devtools.url().startswith("https://")
                             and app.history_length() == 2, "web site shown as a new page")
                else:  # the rows above show that a new page would be seen
                    time.sleep(1)
                    self.assertEqual(app.devtools.url(), "orvanta:/welcome.htm")
                    self.assertEqual(app.history_length(), 1)
                app.stop()


if __name__ == "__main__":
    harness.main()
