"""A blind reader: Orca, the desktop's screen reader, over the program; what it speaks is
read from its debug log, the transcript of its speech through speech-dispatcher."""

import contextlib, os, subprocess, threading, tty, unittest

import harness
from harness import page, wait_for

ALTAIR = page("Altair 8800", "<h1>Altair 8800</h1><p>Процесорът му е Intel 8080.</p>")
START = page(harness.WELCOME, """<h1>Начало на теста</h1><p>Първи абзац.</p>
<table><tr><th>Машина</th><th>Процесор</th></tr><tr><th>Altair 8800</th><td>Intel 8080</td></tr>
</table><h2>Връзки</h2><p>Вижте <a href="altair.htm">първия комплект</a>.</p><p>Последен абзац.</p>""")
# speech-dispatcher speaks into ALSA's null device: no sound card is needed.
SPEECH_SETUP = {".asoundrc": "pcm.!default { type null }\n",
                ".config/speech-dispatcher/speechd.conf": 'AudioOutputMethod "alsa"\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\nDefaultModule espeak-ng\n'}


SPOKEN = ("SPEECH OUTPUT: '", "DEFAULT SAY ALL: ")


class ScreenReader(unittest.TestCase):
    def setUp(self):
        if subprocess.run(["pgrep", "-x", "orca"], capture_output=True).returncode == 0:
            self.fail("another Orca runs for this user; Orca allows one")
        self.display = harness.Display(bus=True)
        self.addCleanup(self.display.close)
        for name, text in SPEECH_SETUP.items():
            os.makedirs(os.path.dirname(os.path.join(self.display.home, name)), exist_ok=True)
            with open(os.path.join(self.display.home, name), "w") as f:
                f.write(text)
        run = os.path.join(self.display.dir, "run")
        os.mkdir(run, 0o700)
        # In the C locale Orca could not write Bulgarian into its log.
        self.env = self.display.env(XDG_RUNTIME_DIR=run, LANG="C.UTF-8")
        # Orca writes its log to a terminal line by line, to a file only when its buffer fills.
        terminal, log = os.openpty()
        tty.setraw(log)
        self.log = []
        threading.Thread(target=self.record, args=(terminal,), daemon=True).start()
        self.display.procs.append(subprocess.Popen(["orca", "--debug-file=" + os.ttyname(log)],
                                                   env=self.env, stdout=subprocess.DEVNULL))
        self.addCleanup(os.close, log)  # held open: without a writer the terminal would end
        self.app = harness.Telvane(self.display, {"welcome.htm": START, "altair.htm": ALTAIR})
        self.addCleanup(self.app.stop)  # Orca's speech and bus daemons are in the run's tree
        self.heard = 0
        self.hear("Screen reader on.")

    def record(self, terminal):  # until the terminal's other end closes (EIO)
        with open(terminal, "rb", buffering=0) as log, contextlib.suppress(OSError):
            pending = b""
            while chunk := log.read(65536):
                *lines, pending = (pending + chunk).split(b"\n")
                self.log += [line.decode(errors="replace") for line in lines]

    def spoken(self):
        return [line.split(" - ", 1)[1] for line in list(self.log)
                if any(f" - {what}" in line for what in SPOKEN)]

    def hear(self, text):
        """Waits for text in what Orca speaks after what was heard last."""
        def said():
            lines = self.spoken()
            found = next((i for i in range(self.heard, len(lines)) if text in lines[i]), None)
            self.heard = found + 1 if found is not None else self.heard
            return found is not None
        wait_for(said, f"speech {text!r}", why=self.said_since)

    def said_since(self, line=None):
        return "; Orca said:\n" + "\n".join(self.spoken()[self.heard if line is None else line:])

    def test_pages_splash_find_and_search_are_spoken(self):
        self.app.start().wait_splash()
        self.hear("Натиснете клавиш или щракнете, за да продължите.")
        self.app.key("space")
        self.app.main_window = self.app.wait_window(harness.MAIN_TITLE)
        self.hear(f"{harness.WELCOME} read only document frame")  # the focus on the page text
        self.app.key("h")
        self.hear("Връзки – заглавие, ниво 2")
        self.app.key("Tab")
        self.hear("първия комплект link")
        self.app.key("Return")
        self.hear("Заредена е страницата „Altair 8800“.")
        self.app.key("ctrl+f")
        self.app.display.xdotool("type", "--delay", 100, "8080")
        self.hear("1 от 1")
        self.app.key("Escape")
        self.app.press(harness.SEARCH)
        search = self.app.wait_focus(self.app.wait_window(harness.SEARCH_TITLE))
        self.app.click(search, 100, 25)  # into the key box, then ">>"
        self.app.display.xdotool("type", "--delay", 100, "8080")
        self.app.click(search, 300, 25)
        self.hear("Намерени теми: 2.")
        # A result opens by its action, as a screen reader gives it, with no double-click.
        os.environ.update(self.env)
        import pyatspi
        telvane = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Telvane")
        results = pyatspi.findDescendant(telvane, lambda o: o.name == "Намерени теми")
        self.assertEqual([item.name for item in results], ["Altair 8800", "Добре дошли"])
        results[1].queryAction().doAction(0)
        self.hear("Заредена е страницата „Начало на теста“.")
        self.app.click(search, 164, 336)  # "Затвори": the focus is back on the page
        self.hear(f"{harness.WELCOME} read only document frame")
        self.app.key("KP_Add")  # say all
        self.hear("SAY ALL: [document frame | Начало на теста] 'Altair 8800 – Процесор: Intel 8080")
        self.hear("SAY ALL: [document frame | Начало на теста] 'Последен абзац.")
        print("\n".join(self.spoken()))  # the transcript, for whoever reads the test's output


if __name__ == "__main__":
    harness.main()
