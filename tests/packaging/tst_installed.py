#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""The game as a user gets it: installed, then started as a desktop starts it,
from the Exec line of the installed menu entry, on a private Xvfb. It must show
level 1, be matched to its menu entry by its X class, and end through the
close confirmation with status 0.

    tst_installed.py --resources resources user --cmake cmake --build-dir build
    tst_installed.py --resources resources deb --package-dir DIR

"user" installs the build with cmake --install into a scratch home's
~/.local, a folder name with a space in it. "deb" installs the package in DIR
with apt-get (as root only: otherwise, or when a vorkade2 package is already
installed, it says why and is skipped), then purges it and checks that the
installed packages are the ones there were before.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from gamecase import GameCase, Options  # noqa: E402

APP_ID = "org.vorkade.vorkade2"
ENTRY = os.path.join("share", "applications", APP_ID + ".desktop")
# The search path /etc/profile gives a user's session on Debian.
SESSION_PATH = "/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games"
SKIPPED = 77  # CTest's SKIP_RETURN_CODE


class Entry:
    """The installed menu entry: its [Desktop Entry] keys, and the command its
    Exec line runs, unquoted by the freedesktop.org desktop entry rules."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as file:
            lines = file.read().splitlines()
        group = [line for line in lines if line.strip() and not line.startswith("#")]
        if group[0] != "[Desktop Entry]":
            raise ValueError("%s does not start with [Desktop Entry]" % path)
        self.keys = dict(line.split("=", 1) for line in group[1:] if "=" in line)
        self.argv = self.split_exec(self.unescape(self.keys["Exec"]))

    @staticmethod
    def unescape(value):
        escapes = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
        return re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), "\\" + m.group(1)), value)

    @staticmethod
    def split_exec(command):
        argv, word, quoted, i = [], None, False, 0
        while i < len(command):
            c = command[i]
            if quoted and c == "\\" and command[i + 1:i + 2] in ('"', "`", "$", "\\"):
                word += command[i + 1]
                i += 1
            elif c == '"':
                quoted = not quoted
                word = word or ""
            elif c == " " and not quoted:
                if word is not None:
                    argv.append(word)
                word = None
            elif c == "%":
                if command[i + 1:i + 2] != "%":
                    raise ValueError("a field code in Exec: " + command)
                word = (word or "") + "%"
                i += 1
            else:
                word = (word or "") + c
            i += 1
        if quoted:
            raise ValueError("an unclosed quote in Exec: " + command)
        return argv + ([word] if word is not None else [])

    def program(self):
        """The file the Exec line starts, looked up on the session's path."""
        if len(self.argv) != 1:
            raise ValueError("Exec holds more than the program: %r" % self.argv)
        return shutil.which(self.argv[0], path=SESSION_PATH)


class Installed:
    entry = None
    expected_program = None


class InstalledGameTest(GameCase):

    def test_menu_entry_starts_the_game(self):
        self.assertTrue(os.path.samefile(Options.game, Installed.expected_program),
                        "the menu entry starts %s" % Options.game)
        self.start_on_level_1()
        # Desktops match a running window to its menu entry by the class in its
        # WM_CLASS (instance, class).
        wm_class = subprocess.run(["xprop", "-display", self.x.display, "-id", str(self.frame),
                                   "WM_CLASS"], capture_output=True, text=True, timeout=30).stdout
        names = re.findall(r'"((?:[^"\\]|\\.)*)"', wm_class)
        self.check(names[1:] == [Installed.entry.keys["StartupWMClass"]],
                   "the frame's WM_CLASS %r is not the entry's StartupWMClass" % wm_class)
        self.quit_with_yes()


def run_game(entry_path, expected_program):
    Installed.entry = Entry(entry_path)
    Installed.expected_program = expected_program
    Options.game = Installed.entry.program()
    if Options.game is None:
        print("the menu entry's Exec line %r starts nothing" % Installed.entry.keys["Exec"])
        return False
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(InstalledGameTest)
    return unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful()


def user_install(options):
    home = tempfile.mkdtemp(prefix="vorkade-home-")
    try:
        prefix = os.path.join(home, "player one", ".local")
        subprocess.run([options.cmake, "--install", options.build_dir, "--prefix", prefix],
                       check=True, stdout=subprocess.DEVNULL)
        return run_game(os.path.join(prefix, ENTRY), os.path.join(prefix, "bin", "vorkade2"))
    finally:
        shutil.rmtree(home, ignore_errors=True)


def installed_packages():
    return subprocess.run(["dpkg-query", "-W", "-f", "${Package}\t${Version}\t${db:Status-Abbrev}\n"],
                          check=True, capture_output=True, text=True).stdout.splitlines()


def apt_get(*args):
    subprocess.run(["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=600", *args], check=True,
                   env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def deb_install(options):
    if os.geteuid() != 0:
        print("skipped: installing the package takes root; run the test command as root")
        return None
    if subprocess.run(["dpkg-query", "-W", "vorkade2"], capture_output=True).returncode == 0:
        print("skipped: a vorkade2 package is installed here already, and stays as it is")
        return None
    packages = [name for name in os.listdir(options.package_dir) if name.endswith(".deb")]
    if len(packages) != 1:
        print("expected one package in %s, found %r" % (options.package_dir, packages))
        return False
    before = installed_packages()
    ok = False
    try:
        apt_get("install", "--no-install-recommends",
                os.path.join(os.path.abspath(options.package_dir), packages[0]))
        ok = run_game(os.path.join("/usr", ENTRY), "/usr/games/vorkade2")
    finally:
        # The package, and whatever apt brought with it.
        added = {line.split("\t")[0] for line in set(installed_packages()) - set(before)}
        apt_get("purge", *sorted(added | {"vorkade2"}))
    after = installed_packages()
    if after != before:
        print("the installed packages differ after the purge:\n" +
              "\n".join(sorted(set(before) ^ set(after))))
        return False
    for left in ["/usr/games/vorkade2", "/usr/share/doc/vorkade2", "/usr/" + ENTRY]:
        if os.path.lexists(left):
            print("left after the purge: " + left)
            return False
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--resources", required=True, help="the source tree's resources/")
    modes = parser.add_subparsers(dest="mode", required=True)
    user = modes.add_parser("user", help="cmake --install into a scratch ~/.local")
    user.add_argument("--cmake", required=True)
    user.add_argument("--build-dir", required=True)
    deb = modes.add_parser("deb", help="apt-get install of the built package")
    deb.add_argument("--package-dir", required=True)
    options = parser.parse_args()
    Options.resources = options.resources
    # CTest's timeout and Ctrl+C end the run through the clean-ups (the purge).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    ok = user_install(options) if options.mode == "user" else deb_install(options)
    sys.exit(SKIPPED if ok is None else 0 if ok else 1)


if __name__ == "__main__":
    main()
