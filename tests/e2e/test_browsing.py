"""The view's keys and the mouse for real: keys reach the view after an image button was
clicked (the buttons take no focus), the About window's buttons, and real double-clicks."""

import time

import harness
from harness import WELCOME, DisplayTestCase, page

SECOND, THIRD, FOUND = "Втора страница", "Трета страница", "Шината AGP"
LINK = (208, 206)  # inside each page's big link, in the main window's pixels


def linked(title, target):
    return page(title, f'<a href="{target}" style="display:block;height:300px">Нататък</a>')


class Browsing(DisplayTestCase):
    PAGES = {"welcome.htm": linked(WELCOME, "b.htm"), "b.htm": linked(SECOND, "c.htm"),
             "c.htm": page(THIRD, "Последната"), "AGP.htm": page(FOUND, "xylofon")}

    def test_history_zoom_about_and_double_clicks(self):
        app = self.run_telvane().pass_splash()
        app.press(harness.HOME)
        for act, title in [(LINK, SECOND), ("alt+Left", WELCOME), ("alt+Right", SECOND)]:
            app.click(app.main_window, *act) if isinstance(act, tuple) else app.key(act)
            app.wait_title(title)
        # Zoom steps along its ladder, within its range, by keys and by the wheel.
        wheel_up = ["mousemove", "--window", app.main_window.id, 58, 106, "keydown", "ctrl",
                    "click", 4, "keyup", "ctrl"]
        zoomed = lambda: app.view("devicePixelRatio") or 0
        for act, zoom in [(["key", "ctrl+plus"], 1.1), (["key", "ctrl+equal"], 1.25),
                          (wheel_up, 1.5), (["key", "ctrl+0"], 1.0),
                          (["key", *["ctrl+minus"] * 9], 0.5), (["key", *["ctrl+plus"] * 15], 3)]:
            app.display.xdotool(*act)
            harness.wait_for(lambda: abs(zoomed() - zoom) < 1e-3, f"zoom {zoom}",
                             why=lambda: f"; it is {zoomed()}")
        app.click(app.main_window, *LINK)
        app.wait_title(THIRD)
        self.assertAlmostEqual(zoomed(), 3, 3, "the zoom holds across pages")
        # A double-click on Back goes back one page: a second step would follow at once.
        app.press(harness.BACK, repeat=2)
        app.wait_title(SECOND)
        # The About window's Close opens nothing, and Back took one step: the page has been
        # seen to change above.
        app.click(app.open_about(), *harness.ABOUT_CLOSE)
        app.wait_gone(harness.ABOUT_TITLE)
        time.sleep(1)
        self.assertEqual((app.target()["title"], app.target()["url"]), (SECOND, "orvanta:/b.htm"))
        # Escape stands for the site button.
        app.open_about()
        app.key("Escape")
        harness.wait_for(lambda: app.target().get("url", "").startswith("https://"), "web site")
        # A double-click on a search result shows its page.
        app.press(harness.SEARCH)
        search = app.wait_window(harness.SEARCH_TITLE)
        app.click(search, 60, 26)
        app.display.xdotool("type", "xylofon")
        app.click(search, 300, 26)
        app.click(search, 40, 96, repeat=2)
        app.wait_title(FOUND)


if __name__ == "__main__":
    harness.main()
