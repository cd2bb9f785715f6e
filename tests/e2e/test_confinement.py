"""The view shows the encyclopedia's Data folder and nothing outside it."""

import json
import os
import re
import uuid

import harness
from harness import DisplayTestCase, eventually, page

WELCOME = "Начало на теста"
PASSWD_LINE = "root:x:0:0"
SECRET = f"e2e-outside-{uuid.uuid4().hex}"


def hostname():
    try:
        with open("/etc/hostname") as f:
            return f.read().strip()
    except OSError:
        return ""


def leaks(text):
    """What of the outside files text shows."""
    found = []
    if PASSWD_LINE in text:
        found.append("/etc/passwd")
    if hostname() and any(line.strip() == hostname() for line in text.splitlines()):
        found.append("/etc/hostname")
    if SECRET in text:
        found.append("a file beside Data")
    if re.search(r"Index of /|Индекс на /|\[(parent directory|главна директория)\]", text):
        found.append("a folder listing")
    return found


def fill(app, text):
    """text with @DATA@ as the run's Data folder and @UP@ as enough "../" to climb from it
    to the root."""
    return text.replace("@DATA@", app.data).replace("@UP@", "../" * (app.data.count("/") + 2))


def refresh_to(target):
    """A start page that moves on to target without a script."""
    return page(WELCOME, "Пренасочване", f'<meta http-equiv="refresh" content="0; url={target}">')


class OutsideData(DisplayTestCase):
    def run_from(self, welcome, **links):
        """Starts a run whose start page is welcome, filled in by fill();
        links: {name in Data: target of a symbolic link}."""
        app = self.run_telvane()
        app.write("welcome.htm", fill(app, welcome))
        with open(os.path.join(os.path.dirname(app.data), "secret.txt"), "w") as f:
            f.write(SECRET + "\n")
        for name, target in links.items():
            os.symlink(target, os.path.join(app.data, name))
        app.start()
        app.click(app.wait_splash(), 100, 200)
        app.wait_main()
        return app

    def assertShowsNothingOutside(self, app, target):
        """Follows the view until the start page has moved on and the new page is loaded
        (or 6 s pass: the move was refused), failing at once on any outside content."""
        start = app.url_of("welcome.htm")
        state = ("[location.href, document.readyState, document.title,"
                 " document.body ? document.body.innerText : '']")

        def settled():
            shown = app.devtools.try_evaluate(state, 3)
            if not shown:
                return False
            href, ready, title, text = shown
            self.assertEqual(leaks(title + "\n" + text), [],
                             f"{target} led to {href} showing:\n{text[:300]}")
            return href not in (start, "about:blank") and ready == "complete"

        eventually(settled, 6)

    def check(self, target):
        if "hostname" in target and not hostname():
            self.skipTest("/etc/hostname is empty here")
        app = self.run_from(refresh_to(target))
        self.assertShowsNothingOutside(app, fill(app, target))

    def test_an_absolute_address(self):
        self.check("orvanta:/etc/passwd")

    def test_a_relative_address(self):
        self.check("@UP@etc/hostname")

    def test_a_relative_address_to_a_file_beside_data(self):
        self.check("../secret.txt")

    def test_encoded_dots(self):
        self.check("orvanta:@DATA@/" + "%2e%2e/" * 12 + "etc/hostname")

    def test_encoded_slashes(self):
        self.check("orvanta:@DATA@/" + "..%2f" * 12 + "etc/hostname")

    def test_a_host_in_the_address(self):
        self.check("orvanta://localhost/etc/hostname")

    def test_a_local_file(self):
        self.check("file:///etc/passwd")

    def test_a_local_folder(self):
        self.check("file:///root/")

    def test_a_symbolic_link_out_of_data(self):
        app = self.run_from(refresh_to("chipset.htm"), **{"chipset.htm": "/etc/passwd"})
        self.assertShowsNothingOutside(app, "Data/chipset.htm -> /etc/passwd")

    def test_a_missing_page_inside_data_says_which(self):
        app = self.run_from(refresh_to("nosuch.htm"))
        app.wait_title("Страницата липсва")
        self.assertIn("nosuch.htm", app.devtools.evaluate("document.body.innerText"))

    def test_scripts_cannot_read_outside_files(self):
        script = """<script>
        const reads = [
          () => fetch('file:///etc/passwd').then(r => r.text()),
          () => fetch('orvanta:/etc/hostname').then(r => r.text()),
          () => fetch('../secret.txt').then(r => r.text()),
          () => request('orvanta:/etc/passwd'),
          () => request('file:///etc/hostname'),
        ];
        function request(url) {
          return new Promise((done, failed) => {
            const x = new XMLHttpRequest();
            x.onload = () => done(x.responseText);
            x.onerror = () => failed(new Error('refused'));
            x.open('GET', url);
            x.send();
          });
        }
        Promise.allSettled(reads.map(read => read())).then(results => {
          const texts = results.map(r => r.status === 'fulfilled' ? r.value : 'refused');
          document.title = 'done ' + JSON.stringify(texts);
        });
        </script>"""
        app = self.run_from(page(WELCOME, "Проба" + script))
        def outcome():
            title = app.devtools.try_evaluate("document.title", 3) or ""
            return title.startswith("done ") and title

        # A script that never runs leaves the title alone: it read nothing either.
        last = eventually(outcome, 10) or app.devtools.title() or ""
        results = json.loads(last[5:]) if last.startswith("done ") else [last]
        self.assertEqual(leaks("\n".join(results)), [],
                         f"the script read: {[r[:60] for r in results]}")


if __name__ == "__main__":
    harness.main()
