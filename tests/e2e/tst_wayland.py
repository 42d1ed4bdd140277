# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""The built game as a Wayland desktop runs it, through Qt's native Wayland
platform plugin (no XWayland), each compositor headless with a private runtime
directory and socket:

- weston (WaylandTest): what the game says to the compositor is read from the
  protocol log that libwayland writes with WAYLAND_DEBUG=1; what it draws, from
  weston's own screenshot. Weston's headless backend has no keyboard.
- sway (SwayTest): the game is played with keys typed through a virtual
  keyboard (wtype) and read back from screenshots (grim); its windows are
  followed in sway's tree (swaymsg). Sway refuses to run as root: when the
  suite runs as root, sway, the game and the tools run as the user nobody.

Every process started here is ended by its id.

    /usr/bin/python3 tst_wayland.py --game build/src/vorkade2 --resources resources [SwayTest]
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import leveltext  # noqa: E402
import screen  # noqa: E402
from xsession import _die_with_parent, _stop, wait_until  # noqa: E402

FRAME_TITLE = "Vorkade II"
# The frame's window area below its menu bar, the status bar included.
FRAME_CLIENT = (632, 434)
SOCKET = "vorkade-e2e"
# The menu entry's name, by which the compositor finds the window's icon.
APP_ID = "org.vorkade.vorkade2"

# One protocol message as libwayland logs it: "[1234.567]  -> wl_surface@7.commit()".
MESSAGE = re.compile(r"^\[\s*\d+\.\d+\] (?: -> )?(\w+)@(\d+)\.(\w+)\((.*)\)$")


class Options:
    game = None
    resources = None


def numbers(arguments):
    return [int(n) for n in re.findall(r"-?\d+", arguments)]


class ProtocolLog:
    """The game's side of the conversation, message by message."""

    def __init__(self, text):
        self.messages = []  # (interface, id, request, arguments)
        self.other = []  # every line that is not a protocol message
        for line in text.splitlines():
            match = MESSAGE.match(line)
            if match:
                interface, number, request, arguments = match.groups()
                self.messages.append((interface, int(number), request, arguments))
            elif line.strip():
                self.other.append(line)

    def toplevel(self, title):
        """The wl_surface and xdg_surface of the toplevel given that title."""
        xdg_of_surface, surface_of_xdg, xdg_of_toplevel = {}, {}, {}
        for interface, number, request, arguments in self.messages:
            if interface == "xdg_wm_base" and request == "get_xdg_surface":
                xdg, surface = re.findall(r"@(\d+)", arguments)
                surface_of_xdg[int(xdg)] = int(surface)
            elif interface == "xdg_surface" and request == "get_toplevel":
                xdg_of_toplevel[int(re.findall(r"@(\d+)", arguments)[0])] = number
            elif interface == "xdg_toplevel" and request == "set_title":
                if arguments == '"%s"' % title:
                    xdg = xdg_of_toplevel[number]
                    return surface_of_xdg[xdg], xdg
        return None, None

    def first_frame(self, surface, xdg):
        """The first buffer committed on the surface after the compositor's first
        configure was acknowledged, as (width, height); the opaque rectangle set
        with it; and whether the compositor has put the surface on an output."""
        buffers, regions = {}, {}
        acknowledged, attached, opaque, committed = False, None, None, None
        for interface, number, request, arguments in self.messages:
            objects = [int(n) for n in re.findall(r"@(\d+)", arguments)]
            if interface == "wl_shm_pool" and request == "create_buffer":
                buffers[objects[0]] = tuple(numbers(arguments.split(",", 1)[1])[1:3])
            elif interface == "wl_region" and request == "add":
                regions[number] = tuple(numbers(arguments))
            elif interface == "xdg_surface" and number == xdg and request == "ack_configure":
                acknowledged = True
            elif interface == "wl_surface" and number == surface:
                if request == "set_opaque_region" and objects:
                    opaque = regions.get(objects[0])
                elif request == "attach" and acknowledged and objects:
                    attached = buffers.get(objects[0])
                elif request == "commit" and attached and committed is None:
                    committed = attached
        if committed is None:
            return None
        shown = any(interface == "wl_surface" and number == surface and request == "enter"
                    for interface, number, request, _ in self.messages)
        return committed, opaque, shown


class CompositorCase(unittest.TestCase):
    def wait_for(self, predicate, what, timeout=20.0):
        value = wait_until(predicate, timeout, interval=0.1)
        if not value:
            self.fail("timed out waiting for " + what)
        return value


class WaylandTest(CompositorCase):
    def setUp(self):
        self.processes = []
        self.runtime = tempfile.mkdtemp(prefix="vorkade-wayland-")
        os.chmod(self.runtime, 0o700)  # what libwayland asks of XDG_RUNTIME_DIR
        self.environment = {k: v for k, v in os.environ.items()
                            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                         "QT_SCALE_FACTOR", "WAYLAND_DEBUG")}
        self.environment["XDG_RUNTIME_DIR"] = self.runtime
        self.compositor_log = open(os.path.join(self.runtime, "weston.log"), "wb")
        # --debug lets a client of this private compositor take screenshots.
        self.weston = self.start(
            ["weston", "--backend=headless-backend.so", "--socket=" + SOCKET, "--use-pixman",
             "--width=1024", "--height=768", "--idle-time=0", "--no-config", "--debug"],
            self.environment, stdout=self.compositor_log, stderr=subprocess.STDOUT)
        socket = os.path.join(self.runtime, SOCKET)
        self.wait_for(lambda: os.path.exists(socket) and self.weston.poll() is None,
                      "weston's socket")
        self.environment["WAYLAND_DISPLAY"] = SOCKET

    def tearDown(self):
        for process in reversed(self.processes):
            _stop(process)
        self.compositor_log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def start(self, command, environment, **streams):
        process = subprocess.Popen(command, env=environment, preexec_fn=_die_with_parent,
                                   cwd=self.runtime, **streams)
        self.processes.append(process)
        return process

    def screenshot(self):
        """The compositor's whole output, through weston's screenshooter."""
        for old in os.listdir(self.runtime):
            if old.startswith("wayland-screenshot"):
                os.remove(os.path.join(self.runtime, old))
        subprocess.run(["weston-screenshooter"], env=self.environment, cwd=self.runtime,
                       check=True, timeout=30, capture_output=True)
        png = [f for f in os.listdir(self.runtime) if f.startswith("wayland-screenshot")][0]
        ppm = subprocess.run(["convert", os.path.join(self.runtime, png), "-depth", "8", "ppm:-"],
                             check=True, capture_output=True, timeout=30).stdout
        return screen.parse_ppm(ppm)

    def test_native_window(self):
        levels = leveltext.read_levels(os.path.join(Options.resources, "niveaux.txt"))
        tiles = screen.TileSet(os.path.join(Options.resources, "art"))
        board = screen.play_picture(levels[0], tiles)

        game_environment = dict(self.environment, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1")
        stderr_path = os.path.join(self.runtime, "game.stderr")
        with open(stderr_path, "wb") as stderr:
            game = self.start([Options.game], game_environment, stdout=subprocess.PIPE,
                              stderr=stderr)

        def first_frame():
            with open(stderr_path, encoding="utf-8", errors="replace") as file:
                log = ProtocolLog(file.read())
            surface, xdg = log.toplevel(FRAME_TITLE)
            return surface is not None and log.first_frame(surface, xdg)

        committed, opaque, _ = self.wait_for(first_frame, "the frame's first buffer")
        with open(stderr_path, encoding="utf-8", errors="replace") as file:
            log = ProtocolLog(file.read())
        self.assertIn(("xdg_toplevel", '"%s"' % APP_ID),
                      [(i, a) for i, _, r, a in log.messages if r == "set_app_id"])
        # The frame's own pixels are the opaque rectangle; Qt draws its title bar
        # and border around them, as weston leaves decorations to the client.
        self.assertIsNotNone(opaque, "no opaque region")
        left, top, width, height = opaque
        self.assertEqual(width, FRAME_CLIENT[0], opaque)
        menu_bar = height - FRAME_CLIENT[1]
        self.assertTrue(10 <= menu_bar <= 40, "menu bar %d pixels high" % menu_bar)
        self.assertTrue(committed[0] >= left + width and committed[1] >= top + height,
                        "buffer %s smaller than the frame %s" % (committed, opaque))

        # Mapped: the compositor shows the surface on its output, and the play
        # window shows level 1 there, pixel for pixel.
        self.wait_for(lambda: first_frame()[2], "the frame on the output")
        shot = self.wait_for(lambda: (lambda s: s if screen.find_picture(s, board) else None)(
            self.screenshot()), "level 1 on the compositor's output")
        self.assertEqual(len(screen.find_picture(shot, board)), 1)

        # Told to end, the game ends at once, by that signal and nothing else.
        game.send_signal(signal.SIGTERM)
        try:
            status = game.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.fail("the game did not end on SIGTERM")
        self.assertEqual(status, -signal.SIGTERM)
        self.assertIsNone(self.weston.poll(), "weston ended with the game")

        # Not a word besides the protocol log: no warning, no fallback to X11.
        with open(stderr_path, encoding="utf-8", errors="replace") as file:
            log = ProtocolLog(file.read())
        self.assertEqual(log.other, [])
        self.assertEqual(game.stdout.read(), b"")
        game.stdout.close()


# The unprivileged user sway and its clients run as when the suite runs as root.
NOBODY = 65534
SWAY_CONFIG = """\
output HEADLESS-1 resolution 1024x768
xwayland disable
for_window [app_id="%s"] floating enable
""" % APP_ID


class SwayTest(CompositorCase):
    """Start, level 1 solved by keys to the congratulation, the box answered,
    level 2 on the screen, and the end through the confirmation box."""

    def setUp(self):
        self.processes = []
        self.runtime = tempfile.mkdtemp(prefix="vorkade-sway-")
        os.chmod(self.runtime, 0o700)  # the socket then lets only its owner connect
        self.as_user = []
        if os.geteuid() == 0:
            os.chown(self.runtime, NOBODY, NOBODY)
            self.as_user = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY,
                            "--clear-groups"]
        # A copy the user can run, wherever the tree was cloned.
        self.game = os.path.join(self.runtime, "Vorkade2")
        shutil.copy(Options.game, self.game)
        config = os.path.join(self.runtime, "config")
        with open(config, "w", encoding="ascii") as file:
            file.write(SWAY_CONFIG)
        if self.as_user:
            os.chown(self.game, NOBODY, NOBODY)
            os.chown(config, NOBODY, NOBODY)

        self.environment = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                            "HOME": self.runtime, "XDG_RUNTIME_DIR": self.runtime,
                            "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1",
                            "WLR_RENDERER": "pixman"}
        self.sway_log = open(os.path.join(self.runtime, "sway.log"), "wb")
        self.sway = self.start(["sway", "-c", config], stdout=self.sway_log,
                               stderr=subprocess.STDOUT)
        socket = self.wait_for(lambda: self.runtime_file("wayland-", ""), "sway's socket")
        ipc = self.wait_for(lambda: self.runtime_file("sway-ipc.", ".sock"), "sway's IPC socket")
        # What a sway session gives its programs: Qt picks its Wayland plugin by itself.
        self.environment.update(WAYLAND_DISPLAY=socket, SWAYSOCK=os.path.join(self.runtime, ipc),
                                XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="sway")
        # The seat has a keyboard only while a virtual one exists: one stays for the
        # whole scenario, so that the game finds it as it starts.
        self.start(["wtype", "-s", "3600000"])

    def tearDown(self):
        for process in reversed(self.processes):
            _stop(process)
        self.sway_log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def start(self, command, **streams):
        process = subprocess.Popen(self.as_user + command, env=self.environment,
                                   preexec_fn=_die_with_parent, cwd=self.runtime,
                                   stdin=subprocess.DEVNULL, **streams)
        self.processes.append(process)
        return process

    def run_tool(self, *command):
        return subprocess.run(self.as_user + list(command), env=self.environment,
                              cwd=self.runtime, check=True, capture_output=True,
                              timeout=30).stdout

    def runtime_file(self, prefix, suffix):
        self.assertIsNone(self.sway.poll(), "sway ended")
        names = [n for n in os.listdir(self.runtime)
                 if n.startswith(prefix) and n.endswith(suffix) and not n.endswith(".lock")]
        return names[0] if names else None

    def type_keys(self, *arguments):
        """Keys through a virtual keyboard, to the window sway has focused."""
        self.run_tool("wtype", *arguments)

    def screenshot(self):
        return screen.parse_ppm(self.run_tool("grim", "-t", "ppm", "-"))

    def windows(self):
        """The game's windows in sway's tree, largest first: (title, focused) for each."""
        tree = json.loads(self.run_tool("swaymsg", "-t", "get_tree"))
        found, nodes = [], [tree]
        while nodes:
            node = nodes.pop()
            if node.get("app_id") == APP_ID:
                area = node["rect"]["width"] * node["rect"]["height"]
                found.append((area, node.get("name"), node.get("focused")))
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return [(name, focused) for _, name, focused in sorted(found, reverse=True)]

    def wait_for_board(self, rows, what):
        board = screen.play_picture(rows, self.tiles)
        return self.wait_for(lambda: len(screen.find_picture(self.screenshot(), board)) == 1,
                             what + " on the screen")

    def test_play_to_level_2_and_quit(self):
        levels = leveltext.read_levels(os.path.join(Options.resources, "niveaux.txt"))
        moves = leveltext.read_solutions(
            os.path.join(Options.resources, "niveaux-solutions.txt"))[1]
        self.tiles = screen.TileSet(os.path.join(Options.resources, "art"))
        with open(os.path.join(self.runtime, "game.log"), "wb") as log:
            game = self.start([self.game], stdout=log, stderr=subprocess.STDOUT)

        # Started: the frame has the keyboard, and level 1 is drawn.
        self.wait_for(lambda: self.windows() == [(FRAME_TITLE, True)], "the frame, focused")
        self.wait_for_board(levels[0], "level 1")

        # Solved by keys: every move but the last, then the last, which opens the
        # congratulation box in front, with the keyboard.
        keys = [leveltext.ARROW_KEYS[m.lower()] for m in moves]
        self.type_keys(*[a for key in keys[:-1] for a in ("-k", key)])
        self.wait_for_board(leveltext.play(levels[0], moves[:-1]), "the position before the last move")
        self.assertEqual(len(self.windows()), 1, "a box before the level was solved")
        self.type_keys("-k", keys[-1])
        self.wait_for(lambda: self.windows() == [(FRAME_TITLE, False), (FRAME_TITLE, True)],
                      "the congratulation box in front of the frame, focused")

        # Enter answers it: level 2, and the frame has the keyboard again.
        self.type_keys("-k", "Return")
        self.wait_for(lambda: self.windows() == [(FRAME_TITLE, True)], "the frame alone, focused")
        self.wait_for_board(levels[1], "level 2")

        # Alt+F, Q: the confirmation box; Enter: the game ends with status 0.
        self.type_keys("-M", "alt", "-k", "f", "-m", "alt", "-k", "q")
        self.wait_for(lambda: self.windows() == [(FRAME_TITLE, False), ("Confirmation", True)],
                      "the confirmation box in front of the frame, focused")
        self.type_keys("-k", "Return")
        try:
            status = game.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.fail("the game did not end after the confirmation")
        self.assertEqual(status, 0)
        with open(os.path.join(self.runtime, "game.log"), encoding="utf-8",
                  errors="replace") as file:
            self.assertEqual(file.read(), "", "the game wrote to its output")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--resources", required=True)
    options, rest = parser.parse_known_args()
    Options.game = os.path.abspath(options.game)
    Options.resources = os.path.abspath(options.resources)
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
