"""The program's answers on the command line, where no window opens."""

import os, re, shutil, subprocess, tempfile, unittest

import harness

NO_DISPLAY = r"telvane: не е намерен дисплей [^\n]+\n"
DATA = r"Папка с данни: ROOT/bin/Data\n.*"  # the folder beside the program comes first


class CommandLine(unittest.TestCase):
    def test_answers(self):
        # arguments, environment, Data folders with a start page around a copy of the program
        # in ROOT/bin, its status, and patterns that the whole of each stream matches
        for arguments, environment, folders, status, out, err in [
            (["--help"], {}, [], 0, r"Използване: .*\[опции\].*--check-data.*", ""),
            (["--bogus"], {}, [], 2, "", r"telvane: Непозната опция: „bogus“\.\n.*"),
            (["AGP"], {}, [], 2, "", r"telvane: Неочакван аргумент: „AGP“\.\n.*"),
            # Qt's own options reach Qt; "-platform" names the display to look for.
            (["-style", "fusion", "--reverse", "-qwindowtitle", "T", "-v"], {}, [], 0,
             r"Telvane 1\.3\n", ""),
            (["-platform", "xcb", "-reverse"], {"WAYLAND_DISPLAY": "w"}, [], 1, "", NO_DISPLAY),
            ([], {}, [], 1, "", NO_DISPLAY),
            ([], {"QT_QPA_PLATFORM": "xcb", "WAYLAND_DISPLAY": "w"}, [], 1, "", NO_DISPLAY),
            (["--check-data"], {}, ["share/telvane/Data", "bin/Data"], 0, DATA, ""),
            (["--check-data"], {}, [], 1, DATA, "")]:
            with self.subTest(arguments=arguments, environment=environment, folders=folders), \
                    tempfile.TemporaryDirectory() as root:
                root = os.path.realpath(root)
                os.mkdir(os.path.join(root, "bin"))
                program = shutil.copy(harness.TELVANE, os.path.join(root, "bin"))
                for folder in folders:
                    os.makedirs(os.path.join(root, folder))
                    open(os.path.join(root, folder, "welcome.htm"), "w").close()
                answer = subprocess.run([program, *arguments], capture_output=True, text=True,
                                        env={"PATH": os.environ["PATH"], **environment}, timeout=60)
                self.assertEqual(answer.returncode, status, answer)
                out = out.replace("ROOT", re.escape(root))
                self.assertRegex(answer.stdout, re.compile(f"^{out}$", re.S))
                self.assertRegex(answer.stderr, re.compile(f"^{err}$", re.S))


if __name__ == "__main__":
    harness.main()
