"""The program's answers on the command line, where no window opens."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

import harness

NO_DISPLAY = r"telvane: не е намерен дисплей [^\n]+\n"


def run(program, *arguments, **environment):
    """(exit status, standard output, standard error) in a session without a display."""
    env = harness.clean_env()
    env.update(environment)
    result = subprocess.run([program, *arguments], env=env, capture_output=True, text=True,
                            timeout=60)
    return result.returncode, result.stdout, result.stderr


class CommandLine(unittest.TestCase):
    def test_answers(self):
        # arguments, environment, status, and patterns the whole of each stream matches
        cases = [
            (["--help"], {}, 0, r"Използване: .*\[опции\].*--check-data.*", ""),
            (["--bogus"], {}, 2, "", r"telvane: Непозната опция: „bogus“\.\n.*"),
            (["AGP"], {}, 2, "", r"telvane: Неочакван аргумент: „AGP“\.\n.*"),
            # Qt's own options reach Qt; "-platform" names the display to look for.
            (["-style", "fusion", "--reverse", "-qwindowtitle", "T", "-v"], {}, 0,
             r"Telvane 1\.3\n", ""),
            (["-platform", "xcb", "-reverse"], {"WAYLAND_DISPLAY": "wayland-0"}, 1, "", NO_DISPLAY),
            ([], {}, 1, "", NO_DISPLAY),
            ([], {"QT_QPA_PLATFORM": "xcb", "WAYLAND_DISPLAY": "wayland-0"}, 1, "", NO_DISPLAY),
        ]
        for arguments, environment, status, out, err in cases:
            with self.subTest(arguments=arguments, environment=environment):
                answer = run(harness.TELVANE, *arguments, **environment)
                self.assertEqual(answer[0], status, answer)
                self.assertRegex(answer[1], re.compile(f"^{out}$", re.S))
                self.assertRegex(answer[2], re.compile(f"^{err}$", re.S))

    def test_check_data_takes_the_folder_beside_the_program_first(self):
        # The Data folders that hold a start page, and the one that is named.
        for folders, status in ((["share/telvane/Data", "bin/Data"], 0), ([], 1)):
            with self.subTest(folders=folders), tempfile.TemporaryDirectory() as root:
                root = os.path.realpath(root)
                os.mkdir(os.path.join(root, "bin"))
                program = shutil.copy(harness.TELVANE, os.path.join(root, "bin"))
                for folder in folders:
                    os.makedirs(os.path.join(root, folder))
                    open(os.path.join(root, folder, "welcome.htm"), "w").close()
                answer = run(program, "--check-data")
                self.assertEqual(answer[0], status, answer)
                self.assertTrue(answer[1].startswith(f"Папка с данни: {root}/bin/Data\n"), answer)


if __name__ == "__main__":
    harness.main()
