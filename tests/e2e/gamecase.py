# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""A test case with the game running on its own X server, and the ways a
player has of looking at it and acting on it."""

import os
import unittest

import leveltext
import screen
import xsession

BAR_HEIGHT = 25  # the play window's button bar, and each of its square buttons
STATUS_HEIGHT = 19  # the frame's status bar
SIZE_GRIP = 20  # the right end of the status bar, where the grip is drawn
EDITOR_STATUS_HEIGHT = 13  # the editor's status line
CONFIRMATION = "Confirmation"

# Alt + the menu's letter, then the item's letter.
MENU_KEYS = {
    "Quitter": ("alt+f", "q"),
    "Premier": ("alt+n", "p"),
    "Precedent": ("alt+n", "r"),
    "Suivant": ("alt+n", "s"),
    "Dernier": ("alt+n", "d"),
    "EcranDeJeu": ("alt+a", "e"),
    "Editeur": ("alt+a", "d"),
    "Cascade": ("alt+e", "c"),
    "MosaiqueHorizontale": ("alt+e", "m"),
    "MosaiqueVerticale": ("alt+e", "o"),
    "Informations": ("alt+i", "i"),
}
PLAY_BUTTONS = ["Premier", "Precedent", "Aleatoire", "Suivant", "Dernier"]


class Options:
    """Set by the runner: the game to start and the source tree's resources/."""

    game = None
    resources = None
    seed = None
    rounds = 10


def truncated_half(value):
    return int(value / 2)  # toward zero, as the game centres a picture


class GameCase(unittest.TestCase):
    """Starts Xvfb and the game before each test and ends both after it,
    whatever happened. By default there is no window manager: the frame has no
    title bar, and this class does the two things one would do for the
    keyboard. A subclass that sets window_manager runs openbox as well, which
    frames the windows and gives the keyboard itself; the class then only waits
    for it."""

    window_manager = False
    frame_borders = True
    # An option Qt would act on (right to left layouts), given to the game, which
    # takes none and must leave Qt its name alone.
    game_arguments = ("-reverse",)

    @classmethod
    def setUpClass(cls):
        cls.levels = leveltext.read_levels(os.path.join(Options.resources, "niveaux.txt"))
        cls.tiles = screen.TileSet(os.path.join(Options.resources, "art"))

    def setUp(self):
        self.x = xsession.Session(Options.game)
        self.addCleanup(self.x.stop)
        self.last_shot = None
        self.x.start_server()
        if self.window_manager:
            self.x.start_window_manager(self.frame_borders)
        self.x.start_game(self.game_arguments)
        self.frame = self.wait_for(self.frame_window, "a window titled 'Vorkade II'")
        self.keyboard_to(self.frame)

    # -- verdicts ---------------------------------------------------------------

    def fail_here(self, message):
        """Fails with the game's output, keeping the last screenshot for a look."""
        if self.last_shot is not None:
            path = os.path.abspath("%s-failure.ppm" % self.id().rsplit(".", 1)[-1])
            self.last_shot.save_ppm(path)
            message += "\nscreenshot: " + path
        output = self.x.game_output().strip()
        if output:
            message += "\ngame output:\n" + output
        self.fail(message)

    def check(self, condition, what):
        if not condition:
            self.fail_here(what)

    def wait_for(self, predicate, what, timeout=15.0):
        value = xsession.wait_until(predicate, timeout)
        if not value:
            self.fail_here("timed out waiting for " + what)
        return value

    def wait_for_steady(self, read, what, timeout=15.0):
        """The value of read() once it is not empty and two reads in a row agree,
        so that a half-done repaint is never taken for the result."""
        previous = [None]

        def steady():
            value = read()
            same = value == previous[0]
            previous[0] = value
            return value if value and same else None

        return self.wait_for(steady, what, timeout)

    # -- looking ------------------------------------------------------------------

    def shot(self):
        self.last_shot = screen.grab(self.x.display)
        return self.last_shot

    def frame_window(self):
        """The frame's window id, once exactly one window carries its title."""
        self.check(self.x.game.poll() is None,
                   "the game ended with status %r" % (self.x.game.poll(),))
        found = self.x.windows_named(xsession.FRAME_TITLE)
        return found[0] if len(found) == 1 else None

    def box_titled_like_the_frame(self):
        """The information box: a second window captioned with the game's title."""
        others = [w for w in self.x.windows_named(xsession.FRAME_TITLE) if w != self.frame]
        return others[0] if others else None

    def open_boxes(self):
        return self.x.windows_named(CONFIRMATION) + [
            w for w in [self.box_titled_like_the_frame()] if w]

    def find_once(self, picture):
        """Where the picture stands on a fresh screenshot, if it stands there once."""
        found = screen.find_picture(self.shot(), picture)
        return found[0] if len(found) == 1 else None

    def centred_in(self, view, picture):
        """Whether the picture stands centred in the view rectangle, cut to it."""
        left, top, width, height = view
        x = left + truncated_half(width - len(picture[0]) // 3)
        y = top + truncated_half(height - len(picture))
        return screen.shows_picture_at(self.shot(), picture, x, y, view)

    def wait_for_board(self, rows, what, view=None):
        """Waits until the play window shows the grid: anywhere on the screen, or
        centred in the given view rectangle."""
        picture = screen.play_picture(rows, self.tiles)
        if view is None:
            return self.wait_for(lambda: self.find_once(picture), what + " on the screen")
        return self.wait_for(lambda: self.centred_in(view, picture), what + " centred")

    def wait_for_level(self, number, view=None):
        return self.wait_for_board(self.levels[number - 1], "level %d" % number, view)

    def play_view(self, board_at, rows):
        """The area below the button bar in which the board is centred: from the
        board outwards, black on all four sides up to the window's edges."""
        shot, black = self.last_shot, screen.BLACK
        x, y = board_at
        width, height = 15 * len(rows[0]), 15 * len(rows)
        middle_x, middle_y = x + width // 2, y + height // 2
        left = x - screen.span_of(shot, x, middle_y, -1, 0, black)
        right = x + width + screen.span_of(shot, x + width - 1, middle_y, 1, 0, black)
        top = y - screen.span_of(shot, middle_x, y, 0, -1, black)
        bottom = y + height + screen.span_of(shot, middle_x, y + height - 1, 0, 1, black)
        return left, top, right - left, bottom - top

    def start_on_level_1(self):
        """Waits for level 1; returns where its board and the view around it are."""
        board_at = self.wait_for_level(1)
        return board_at, self.play_view(board_at, self.levels[0])

    def status_ink(self):
        """The columns of the frame's status bar where text is drawn."""
        x, y, width, height = self.x.geometry(self.frame)
        lines = self.shot().region(x, y + height - STATUS_HEIGHT, width - SIZE_GRIP,
                                   STATUS_HEIGHT)
        return screen.ink_columns(lines, screen.most_common_colour(lines))

    # -- acting -------------------------------------------------------------------

    def menu(self, item):
        self.x.key(*MENU_KEYS[item])

    def keyboard_to(self, window):
        """Gives the window the keyboard, or, under a window manager, waits for
        the window manager and the game to give it."""
        if self.window_manager:
            self.wait_for(lambda: self.x.focused_window() == window,
                          "the keyboard to go to window %d" % window)
        else:
            self.x.focus(window)

    def give_keyboard(self):
        """What a window manager would do: the open box, if any, else the frame,
        gets the keyboard. Without one, focus falls to the root when a box closes."""
        boxes = self.open_boxes()
        self.keyboard_to(boxes[0] if boxes else self.frame)

    def answer(self, key):
        """Answers the open box with a key, waits for it to go, and gives the
        keyboard back to the frame."""
        self.x.key(key)
        self.wait_for(lambda: not self.open_boxes(), "the box to close")
        if self.x.game.poll() is None:
            self.keyboard_to(self.frame)

    def ask_to_close(self):
        """Asks the frame to close as the window system does: Alt+F4 under the
        window manager, which sends the request; without one, the request itself."""
        if self.window_manager:
            self.x.key("alt+F4")
        else:
            self.x.close_request(self.frame)

    def wait_for_box(self, find, what):
        """The box that find() returns once it opens, centred on the screen as a
        whole window; under a window manager, once it has the keyboard too."""
        box = self.wait_for(find, what)
        box = box[0] if isinstance(box, list) else box
        self.wait_for_centring(box, what)
        if self.window_manager:
            self.keyboard_to(box)
        return box

    def wait_for_centring(self, window, what):
        if not xsession.wait_until(lambda: self.centred_as_a_whole(window), timeout=15):
            self.fail_here("%s not centred on the screen as a whole window: %r"
                           % (what, self.x.outer_geometry(window)))

    def centred_as_a_whole(self, window):
        """Whether the window, with the window manager's frame around it, stands
        in the middle of the screen (the odd pixel to the left and above)."""
        x, y, width, height = self.x.outer_geometry(window)
        screen_width, screen_height = xsession.SCREEN_SIZE
        return (x, y) == ((screen_width - width) // 2, (screen_height - height) // 2)

    def quit_with_yes(self):
        """Asks the frame to close as the window system does, answers Enter, and
        expects the game to end with status 0."""
        self.ask_to_close()
        self.wait_for_box(lambda: self.x.windows_named(CONFIRMATION), "the confirmation box")
        self.x.key("Return")
        status = self.x.game_exit_status(timeout=15)
        self.check(status == 0, "the game ended with status %r" % (status,))
