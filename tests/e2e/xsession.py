# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X server with the game on it, driven the way a player drives it:
key presses and pointer moves through xdotool (XTEST), and the close request
a window manager would send. Every process started here is ended by its id."""

import ctypes
import ctypes.util
import functools
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_SIZE = (1024, 768)
FRAME_TITLE = "Vorkade II"


def _die_with_parent():
    # Runs in the child before exec: should the test runner be killed outright,
    # the kernel ends the X server and the game too.
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def _stop(process):
    """Ends one process we started: asked first, so that Xvfb removes its lock
    file and socket, then killed if it does not go."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=10)


@functools.lru_cache(maxsize=None)
def _xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    window, pointer = ctypes.c_ulong, ctypes.c_void_p
    xlib.XOpenDisplay.restype = pointer
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [pointer]
    xlib.XDefaultRootWindow.restype = window
    xlib.XDefaultRootWindow.argtypes = [pointer]
    xlib.XQueryTree.argtypes = [pointer, window, ctypes.POINTER(window), ctypes.POINTER(window),
                                ctypes.POINTER(ctypes.POINTER(window)),
                                ctypes.POINTER(ctypes.c_uint)]
    xlib.XFree.argtypes = [pointer]
    xlib.XGetGeometry.argtypes = [pointer, window, ctypes.POINTER(window)] + \
        [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
    xlib.XTranslateCoordinates.argtypes = [pointer, window, window, ctypes.c_int, ctypes.c_int,
                                           ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.c_int), ctypes.POINTER(window)]
    return xlib


class _Connection:
    """One Xlib connection to a display, closed at the end of a with block."""

    def __init__(self, display):
        self.xlib = _xlib()
        self.handle = self.xlib.XOpenDisplay(display.encode())
        if not self.handle:
            raise RuntimeError("cannot open display " + display)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.xlib.XCloseDisplay(self.handle)

    def root(self):
        return self.xlib.XDefaultRootWindow(self.handle)

    def parent(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.xlib.XQueryTree(self.handle, window, ctypes.byref(root), ctypes.byref(parent),
                                    ctypes.byref(children), ctypes.byref(count)):
            raise RuntimeError("no window %d" % window)
        if children:
            self.xlib.XFree(children)
        return parent.value

    def size(self, window):
        """(width, height) of a window, its border included."""
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        if not self.xlib.XGetGeometry(self.handle, window, ctypes.byref(root), ctypes.byref(x),
                                      ctypes.byref(y), ctypes.byref(width), ctypes.byref(height),
                                      ctypes.byref(border), ctypes.byref(depth)):
            raise RuntimeError("no window %d" % window)
        return width.value + 2 * border.value, height.value + 2 * border.value

    def position(self, window):
        """Where the window's top-left pixel stands on the screen."""
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.xlib.XTranslateCoordinates(self.handle, window, self.root(), 0, 0, ctypes.byref(x),
                                        ctypes.byref(y), ctypes.byref(child))
        return x.value, y.value


def _accepts_connections(display):
    xlib = _xlib()
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        return False
    xlib.XCloseDisplay(connection)
    return True


class _ClientMessage(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def send_close_request(display, window):
    """Asks a top-level window to close, as a window manager's close button does:
    a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. Without a window
    manager, Alt+F4 and xdotool's windowkill cannot do this."""
    xlib = _xlib()
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]

    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise RuntimeError("cannot open display " + display)
    try:
        event = _Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not xlib.XSendEvent(connection, window, 0, 0, ctypes.byref(event)):
            raise RuntimeError("XSendEvent refused the close request")
        xlib.XFlush(connection)
    finally:
        xlib.XCloseDisplay(connection)


OPENBOX_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "openbox-rc.xml")


class Session:
    """Xvfb on a free display number, openbox on it if asked for, and the game."""

    def __init__(self, game):
        self.game_path = game
        self.workdir = tempfile.mkdtemp(prefix="vorkade-e2e-")
        self.xvfb = None
        self.window_manager = None
        self.game = None
        self.display = None

    def start_server(self):
        read_end, write_end = os.pipe()
        try:
            with open(os.path.join(self.workdir, "xvfb.log"), "wb") as log:
                self.xvfb = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
                     "-screen", "0", "%dx%dx24" % SCREEN_SIZE],
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log,
                    preexec_fn=_die_with_parent)
            os.close(write_end)
            write_end = None
            number = b""
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 20)
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise RuntimeError("Xvfb did not report its display number")
                number += chunk
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        # Xvfb reports its number once it listens; a client that connects is the
        # proof the game will not be the first to try. -noreset keeps that client's
        # leaving from resetting the server just as the game connects.
        if not wait_until(lambda: _accepts_connections(self.display), timeout=20):
            raise RuntimeError("Xvfb on %s does not accept connections" % self.display)

    def start_window_manager(self, borders=True):
        """Openbox with the suite's own settings, its files kept in the work folder;
        returns once it manages the screen. Without borders its frames are a title
        bar alone, as some themes draw them."""
        env = dict(os.environ, DISPLAY=self.display, HOME=self.workdir,
                   XDG_CONFIG_HOME=self.workdir, XDG_CACHE_HOME=self.workdir)
        config = OPENBOX_CONFIG
        if not borders:
            config = self.borderless_theme()
        with open(os.path.join(self.workdir, "openbox.log"), "wb") as log:
            self.window_manager = subprocess.Popen(
                ["openbox", "--sm-disable", "--config-file", config], env=env,
                cwd=self.workdir, stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)

        def managing():
            if self.window_manager.poll() is not None:
                raise RuntimeError("openbox ended with status %d" % self.window_manager.poll())
            found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                   capture_output=True, text=True, timeout=30).stdout
            return "window id" in found

        if not wait_until(managing, timeout=20):
            raise RuntimeError("openbox does not manage the screen")

    def borderless_theme(self):
        """The suite's theme without its borders and bottom handle, in the work
        folder's ~/.themes where openbox looks first; returns the settings file
        that names it."""
        source = "/usr/share/themes/Clearlooks/openbox-3/themerc"
        folder = os.path.join(self.workdir, ".themes", "Borderless", "openbox-3")
        os.makedirs(folder)
        with open(source) as file:
            lines = [line for line in file.read().splitlines()
                     if not line.startswith(("border.width:", "window.handle.width:"))]
        lines += ["border.width: 0", "window.handle.width: 0"]
        with open(os.path.join(folder, "themerc"), "w") as file:
            file.write("\n".join(lines) + "\n")
        config = os.path.join(self.workdir, "openbox-rc.xml")
        with open(OPENBOX_CONFIG) as file:
            text = file.read().replace("<name>Clearlooks</name>", "<name>Borderless</name>")
        with open(config, "w") as file:
            file.write(text)
        return config

    def start_game(self, arguments=()):
        # The game reads no variable of its own; Qt's platform variables are
        # dropped so that it runs on this X server as a player's desktop would.
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
        env["DISPLAY"] = self.display
        runtime = os.path.join(self.workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env["XDG_RUNTIME_DIR"] = runtime
        with open(os.path.join(self.workdir, "game.log"), "wb") as log:
            self.game = subprocess.Popen([self.game_path, *arguments], env=env, cwd=self.workdir,
                                         stdin=subprocess.DEVNULL, stdout=log,
                                         stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)

    def stop(self):
        try:
            _stop(self.game)
        finally:
            try:
                _stop(self.window_manager)
            finally:
                _stop(self.xvfb)
                shutil.rmtree(self.workdir, ignore_errors=True)

    def game_output(self):
        try:
            with open(os.path.join(self.workdir, "game.log"), "rb") as file:
                return file.read().decode(errors="replace")
        except OSError:
            return ""

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                                env=dict(os.environ, DISPLAY=self.display), timeout=60)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s failed: %s" % (args, result.stderr.strip()))
        return result.stdout

    def windows_named(self, title):
        """The ids of the mapped windows whose title is exactly the given text."""
        output = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title, check=False)
        return [int(line) for line in output.split()]

    def geometry(self, window):
        """(x, y, width, height) of a window's own area on the screen, without the
        frame a window manager puts around it."""
        with _Connection(self.display) as x:
            return x.position(window) + x.size(window)

    def xprop(self, window, name):
        """What xprop prints for a property of a window."""
        return subprocess.run(["xprop", "-display", self.display, "-id", str(window), name],
                              capture_output=True, text=True, timeout=30).stdout

    def outer_geometry(self, window):
        """(x, y, width, height) of a window as a whole on the screen: the window
        manager's frame around it when it has one, else the window itself."""
        with _Connection(self.display) as x:
            root = x.root()
            while x.parent(window) != root:
                window = x.parent(window)
            return x.position(window) + x.size(window)

    def focused_window(self):
        """The window that has the keyboard."""
        return int(self.xdotool("getwindowfocus", "-f").split()[0])

    def focus(self, window):
        """Gives a window the keyboard, as a window manager does with a new main window."""
        self.xdotool("windowfocus", "--sync", window)

    def key(self, *keys):
        self.xdotool("key", "--delay", 40, *keys)

    def pointer(self):
        """Where the pointer is on the screen."""
        values = dict(line.partition("=")[::2]
                      for line in self.xdotool("getmouselocation", "--shell").split())
        return int(values["X"]), int(values["Y"])

    def move(self, x, y):
        # xdotool's --sync waits for a motion, which a move to where the pointer
        # already is never makes.
        if self.pointer() != (x, y):
            self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def close_request(self, window):
        send_close_request(self.display, window)

    def game_exit_status(self, timeout):
        """The game's exit status once it has ended, or None if it still runs."""
        try:
            return self.game.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None


def wait_until(predicate, timeout=10.0, interval=0.05):
    """The first true value of predicate(), or None when the time runs out."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)
