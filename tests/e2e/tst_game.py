#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""The built game on a real X server, played with real key presses and mouse
clicks and checked from screenshots. Each scenario starts its own Xvfb and game
and ends both, by process id, however it ends.

    tst_game.py --game build/src/vorkade2 --resources resources [GameTest.test_play ...]
"""

import argparse
import os
import random
import signal
import sys
import unittest

import leveltext
import screen
import xsession
from gamecase import BAR_HEIGHT, CONFIRMATION, EDITOR_STATUS_HEIGHT, PLAY_BUTTONS, STATUS_HEIGHT
from gamecase import GameCase, Options


class GameTest(GameCase):

    def test_startup(self):
        # The frame, centred on the screen as a whole window.
        self.assertEqual(self.x.geometry(self.frame)[2], 632)
        self.wait_for_centring(self.frame, "the frame")

        # Level 1 tile for tile, centred in the area below the button bar.
        rows = self.levels[0]
        board_at, view = self.start_on_level_1()
        self.check(self.centred_in(view, screen.play_picture(rows, self.tiles)),
                   "level 1 is not centred in the play area %r" % (view,))
        self.assertGreater(view[2], 15 * len(rows[0]))

        # Right above that area, the bar: 25 pixels of one colour beside its buttons.
        left, top = view[0], view[1]
        beside_buttons = left + len(PLAY_BUTTONS) * BAR_HEIGHT + 10
        bar = self.last_shot.pixel(beside_buttons, top - 1)
        self.assertNotEqual(bar, screen.BLACK)
        self.assertEqual(screen.span_of(self.last_shot, beside_buttons, top, 0, -1, bar),
                         BAR_HEIGHT)
        # The first button at the bar's left end: the layouts run left to right.
        self.assertEqual(self.last_shot.pixel(left + BAR_HEIGHT // 2, top - BAR_HEIGHT // 2 - 1),
                         screen.BLACK)

        # Desktops match the window to its program by the instance in WM_CLASS.
        wm_class = self.x.xprop(self.frame, "WM_CLASS")
        self.assertIn('"vorkade2", "Vorkade II"', wm_class)

        # No editor yet, and nothing in the status bar.
        editor = screen.editor_picture(rows, self.tiles)
        self.check(screen.find_picture(self.last_shot, editor) == [], "an editor at start")
        self.check(self.status_ink() == [], "the status bar shows text at start")

    def test_play(self):
        moves = leveltext.read_solutions(
            os.path.join(Options.resources, "niveaux-solutions.txt"))[1]
        rows = self.levels[0]
        self.assertTrue(leveltext.is_solved(leveltext.play(rows, moves)),
                        "the stored solution of level 1 does not solve it")
        before_last = leveltext.play(rows, moves[:-1])
        self.assertFalse(leveltext.is_solved(before_last),
                         "the stored solution of level 1 solves it before its last move")
        keys = [leveltext.ARROW_KEYS[m.lower()] for m in moves]
        _, view = self.start_on_level_1()

        # Every press but the last: the board shows where they lead, and no box.
        if keys[:-1]:
            self.x.key(*keys[:-1])
        self.wait_for_board(before_last, "the position before the last move", view)
        self.check(self.open_boxes() == [], "a box opened before the level was solved")

        # The last press: a box captioned with the game's title, centred, over the frame.
        self.x.key(keys[-1])
        box = self.wait_for_box(self.box_titled_like_the_frame, "the congratulation box")
        fx, fy, fw, fh = self.x.geometry(self.frame)
        bx, by, bw, bh = self.x.geometry(box)
        self.check(fx < bx and bx + bw < fx + fw and fy < by and by + bh < fy + fh,
                   "the box does not stand over the frame")

        # Enter closes it, level 2 is drawn, and the keys play it.
        self.answer("Return")
        self.wait_for_level(2, view)
        letter, moved = first_move_that_leaves_unsolved(self.levels[1])
        self.x.key(leveltext.ARROW_KEYS[letter])
        self.wait_for_board(moved, "level 2 after one move", view)

    def test_keyboard(self):
        last = len(self.levels)
        _, view = self.start_on_level_1()
        for key, level in [("Next", 2), ("Prior", 1), ("End", last), ("Home", 1)]:
            self.x.key(key)
            self.wait_for_level(level, view)

        # A move, then Home on level 1: the level starts again from its stored layout.
        letter, moved = first_move_that_leaves_unsolved(self.levels[0])
        if letter:
            self.x.key(leveltext.ARROW_KEYS[letter])
            self.wait_for_board(moved, "level 1 after one move", view)
            self.x.key("Home")
            self.wait_for_level(1, view)

        # The "Niveau" menu from the keyboard: Alt+N, then the item's letter.
        for item, level in [("Suivant", 2), ("Dernier", last), ("Precedent", last - 1),
                            ("Premier", 1)]:
            self.menu(item)
            self.wait_for_level(level, view)

    def test_confirmations(self):
        _, view = self.start_on_level_1()
        self.x.key("Next")
        self.wait_for_level(2, view)
        letter, moved = first_move_that_leaves_unsolved(self.levels[1])
        self.assertIsNotNone(letter, "no move on level 2 leaves it unsolved")
        self.x.key(leveltext.ARROW_KEYS[letter])
        self.wait_for_board(moved, "level 2 after one move", view)

        # Asked to close by the window system, then by "Quitter": Escape says no,
        # and the game goes on with its move, and on taking keys.
        for ask in (self.ask_to_close, lambda: self.menu("Quitter")):
            ask()
            self.wait_for_box(lambda: self.x.windows_named(CONFIRMATION), "the confirmation box")
            self.answer("Escape")
            self.wait_for_board(moved, "level 2 still after its move", view)
        self.x.key("Next")
        self.wait_for_level(3, view)

        # Enter says yes: the game ends with status 0.
        self.quit_with_yes()

    def test_editor(self):
        rows = self.levels[0]
        self.start_on_level_1()
        self.menu("Editeur")
        at = self.wait_for(lambda: self.find_once(screen.editor_picture(rows, self.tiles)),
                           "level 1 in the editor")
        status = editor_status_line(self.last_shot, at, rows)

        def status_text():
            return self.shot().region(*status)

        def has_text(lines):
            return screen.ink_columns(lines, screen.BLACK) != []

        def centre(cell):
            return at[0] + 16 * cell[0] + 8, at[1] + 16 * cell[1] + 8

        def first_cell(chars):
            return next((x, y) for y, row in enumerate(rows) for x, c in enumerate(row)
                        if c in chars)

        def painted(grid, cell, char):
            grid = [list(row) for row in grid]
            grid[cell[1]][cell[0]] = char
            return ["".join(row) for row in grid]

        self.check(not has_text(status_text()), "the status line is not empty at first")

        # A left click paints the cell with the tool the editor starts with, the wall.
        floor = first_cell(". ")
        self.x.click(*centre(floor), button=1)
        grid = painted(rows, floor, "#")
        self.wait_for(lambda: self.find_once(screen.editor_picture(grid, self.tiles)),
                      "the clicked cell painted as a wall")
        after_left = self.wait_for_steady(status_text, "the status line after the click")
        self.check(has_text(after_left), "the status line stays empty after a click")

        # A right click on a box picks it up: the status line changes, and the
        # next left click paints a box.
        box = first_cell("$*")
        self.x.click(*centre(box), button=3)
        self.wait_for(lambda: status_text() != after_left, "the status line to change")
        keeper = first_cell("@+")
        self.x.click(*centre(keeper), button=1)
        grid = painted(grid, keeper, rows[box[1]][box[0]])
        self.wait_for(lambda: self.find_once(screen.editor_picture(grid, self.tiles)),
                      "the keeper's cell painted with the picked box")

        # The play window, brought to the front, shows level 1 as it was.
        self.menu("EcranDeJeu")
        self.wait_for_level(1)

    def test_hints(self):
        board_at, view = self.start_on_level_1()
        left, top = view[0], view[1]

        def hover(button):
            self.x.move(left + BAR_HEIGHT * PLAY_BUTTONS.index(button) + BAR_HEIGHT // 2,
                        top - BAR_HEIGHT // 2)

        def ink_unlike(before):
            ink = self.status_ink()
            return ink if ink != before else None

        self.check(self.status_ink() == [], "the status bar shows text at start")
        hover("Suivant")
        next_ink = self.wait_for_steady(self.status_ink, "a hint in the status bar")
        hover("Aleatoire")
        random_ink = self.wait_for_steady(lambda: ink_unlike(next_ink),
                                          "the status bar to follow the pointer")

        # Both start with "Niveau ". "Niveau Suivant (PAGE DOWN)" is the wider of
        # the two, though the short hint "Niveau Suivant" would be the narrower:
        # the status bar shows the long hint.
        self.assertEqual(next_ink[0], random_ink[0])
        self.assertGreater(next_ink[-1], random_ink[-1] + 20)

        # On the level picture, the status bar is emptied.
        self.x.move(board_at[0] + 7, board_at[1] + 7)
        self.wait_for(lambda: self.status_ink() == [], "the status bar to clear")

    def test_storm(self):
        """Random keys, clicks and drags over the play window and the editor, side
        by side: the game neither ends nor stops answering, and quits cleanly.
        Its seed is printed so that a failure can be played again."""
        seed = Options.seed if Options.seed is not None else random.randrange(1 << 30)
        print("storm seed", seed, file=sys.stderr)
        chance = random.Random(seed)
        self.start_on_level_1()
        frame = self.x.geometry(self.frame)
        for _ in range(Options.rounds):
            self.give_keyboard()
            if not self.open_boxes():
                self.show_play_and_editor_side_by_side()
            self.x.xdotool(*storm_batch(chance, frame, 20))
            self.check(self.x.game.poll() is None,
                       "the game ended during the storm with status %r" % self.x.game.poll())

        # Any box still open is answered; then the game must answer its menus.
        for _ in range(3):
            self.give_keyboard()
            if not self.open_boxes():
                break
            self.x.key("Escape")
            xsession.wait_until(lambda: not self.open_boxes(), timeout=2)
        self.check(self.open_boxes() == [], "a box stays open after Escape")
        self.show_play_and_editor_side_by_side()
        self.menu("Premier")
        self.wait_for_level(1)
        self.quit_with_yes()

    def show_play_and_editor_side_by_side(self):
        for item in ("EcranDeJeu", "Editeur", "MosaiqueVerticale"):
            self.menu(item)


class WindowManagerTest(GameTest):
    """The game under openbox, which frames, places and focuses the windows:
    start-up, play and confirmations as above, the windows centred as whole
    windows, the keyboard following the boxes and the child windows without the
    test's help; and the arrangements of the child windows."""

    window_manager = True

    def test_startup(self):
        GameTest.test_startup(self)
        if not self.frame_borders:
            return
        # Made wider by the user, the frame stays where it stands: it is centred as
        # it opens only. The box that the close request opens is mapped through the
        # window manager after the game has seen the new size, so any move the game
        # asked for on it is done by then.
        x, y = self.x.outer_geometry(self.frame)[:2]
        width, height = self.x.geometry(self.frame)[2:]
        self.x.xdotool("windowsize", self.frame, width + 64, height)
        self.wait_for(lambda: self.x.geometry(self.frame)[2] == width + 64, "a wider frame")
        self.ask_to_close()
        self.wait_for_box(lambda: self.x.windows_named(CONFIRMATION), "the confirmation box")
        self.assertEqual(self.x.outer_geometry(self.frame)[:2], (x, y))
        self.answer("Escape")

    def test_arrangements(self):
        """Cascade and both tiles, each from a maximised editor with the
        information window minimised: the editor comes back to its normal state
        among the others, every title bar's icon is in sight, and so is the whole
        of the minimised window, icon, caption and buttons."""
        rows = self.levels[0]
        editor = screen.editor_picture(rows, self.tiles)
        play = screen.play_picture(rows, self.tiles)
        self.start_on_level_1()
        self.menu("Informations")
        self.wait_for(lambda: len(self.icons_in_the_frame()) == 2, "the information window")
        self.x.key("ctrl+F4")  # closes, so minimises, the active child
        self.menu("Editeur")
        # Side by side, clear of the icons: how the minimised window looks in sight.
        self.menu("MosaiqueVerticale")
        self.wait_for(lambda: self.find_once(play) and self.minimised_icon(),
                      "the play window beside the editor, and the information window's icon")
        minimised = self.minimised_window()
        shown = self.wait_for_steady(lambda: self.shot().region(*minimised),
                                     "the minimised window drawn inactive")

        # From full-height columns first, then from the cascade's own steps.
        for item in ("MosaiqueVerticale", "Cascade", "MosaiqueHorizontale"):
            at = self.wait_for(lambda: self.find_once(editor), "level 1 in the editor")
            self.maximise_editor(at, rows)
            self.menu(item)
            self.wait_for(lambda: len(self.icons_in_the_frame()) == 3 and
                          self.last_shot.region(*minimised) == shown,
                          "every icon and the minimised window in sight after " + item)
            self.wait_for(lambda: self.find_once(editor), "the editor after " + item)
            if item != "Cascade":
                self.wait_for(lambda: self.find_once(play), "the play window after " + item)

    def test_restore(self):
        """The play window brought back by its menu item, from behind the editor
        and from its icon, takes the next key."""
        rows = self.levels[0]
        _, view = self.start_on_level_1()
        self.menu("Editeur")
        self.wait_for(lambda: self.find_once(screen.editor_picture(rows, self.tiles)),
                      "level 1 in the editor")
        for step in range(2):
            self.menu("EcranDeJeu")
            letter, rows = first_move_that_leaves_unsolved(rows)
            self.x.key(leveltext.ARROW_KEYS[letter])
            self.wait_for_board(rows, "the play window after move %d" % (step + 1), view)
            self.x.key("ctrl+F4")  # to its icon, for the second time round
            self.wait_for(lambda: not self.find_once(screen.play_picture(rows, self.tiles)),
                          "the play window minimised")

    def icons_in_the_frame(self):
        """The window icons in sight in the frame's window area: the title bars'
        and the minimised window's, not the one at the left end of the menu bar
        while a child is maximised."""
        x, y, width, height = self.x.geometry(self.frame)
        return [icon for icon in screen.window_icons(self.shot(), (x, y, width, height))
                if icon[1] > y + 8]

    def minimised_icon(self):
        """The information window's icon, in sight along the bottom of the frame's
        window area, just above the status bar."""
        x, y, width, height = self.x.geometry(self.frame)
        bottom = y + height - STATUS_HEIGHT
        return [icon for icon in self.icons_in_the_frame()
                if icon[3] < 40 and bottom - 2 * BAR_HEIGHT < icon[1] < bottom]

    def minimised_window(self):
        """(left, top, width, height) of the minimised information window's title
        bar on the last screenshot: from the frame's left edge to the grey of the
        frame's window area, right of its icon."""
        x, y, size, _ = self.minimised_icon()[0]
        left, _, width, _ = self.x.geometry(self.frame)
        right = x + size
        while self.last_shot.pixel(right, y + size // 2) != screen.LATTICE_GREY:
            right += 1
            self.check(right < left + width, "no grey right of the minimised window")
        return left, y - 2, right - left, size + 4

    def maximise_editor(self, board_at, rows):
        """A double click on the editor's title bar, found above its button bar
        over the black area around its board; waits for the editor to cover the
        icons."""
        x, y = board_at
        centre = x + (16 * len(rows[0]) + 1) // 2
        area_top = y - screen.span_of(self.last_shot, centre, y, 0, -1, screen.BLACK)
        self.x.move(centre, area_top - BAR_HEIGHT - 8)
        self.x.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        self.wait_for(lambda: not self.minimised_icon(), "the editor maximised")


def first_move_that_leaves_unsolved(rows):
    """A move letter that changes the grid without solving it, and the grid after it."""
    for letter in "rldu":
        after = leveltext.play(rows, letter)
        if after != rows and not leveltext.is_solved(after):
            return letter, after
    return None, None


def editor_status_line(shot, board_at, rows):
    """(left, top, width, height) of the editor's status line: the bottom rows of
    the black area around its board."""
    x, y = board_at
    width, height = 16 * len(rows[0]) + 1, 16 * len(rows) + 1
    middle_y = y + height // 2
    bottom = y + height + screen.span_of(shot, x + width // 2, y + height - 1, 0, 1, screen.BLACK)
    left = x - screen.span_of(shot, x, middle_y, -1, 0, screen.BLACK)
    right = x + width + screen.span_of(shot, x + width - 1, middle_y, 1, 0, screen.BLACK)
    return left, bottom - EDITOR_STATUS_HEIGHT, right - left, EDITOR_STATUS_HEIGHT


def storm_batch(chance, frame, count):
    """xdotool commands for `count` random actions. Points start below the menu
    bar, so no menu item (and so not "Quitter") is chosen by chance; half of them
    fall near the middle of the two tiled windows, on their boards."""
    fx, fy, fw, fh = frame
    keys = ["Left", "Right", "Up", "Down", "Prior", "Next", "Home", "End", "Return",
            "Escape", "space", "Tab", "a", "z", "F1", "shift+Right", "ctrl+Left"]

    def point():
        if chance.random() < 0.5:
            return chance.randrange(fx, fx + fw), chance.randrange(fy + 20, fy + fh)
        half = chance.choice([0, 1])
        return (fx + fw // 4 + half * fw // 2 + int(chance.gauss(0, fw / 12)),
                fy + fh // 2 + int(chance.gauss(0, fh / 8)))

    commands = []
    for _ in range(count):
        kind = chance.random()
        if kind < 0.4:
            commands += ["key", chance.choice(keys)]
        elif kind < 0.75:
            commands += ["mousemove", *point(), "click", chance.choice([1, 1, 3])]
        else:
            # A drag that ends anywhere on the screen, outside the frame too.
            button = chance.choice([1, 1, 3])
            commands += ["mousemove", *point(), "mousedown", button, "mousemove", *point(),
                         "mousemove", chance.randrange(xsession.SCREEN_SIZE[0]),
                         chance.randrange(xsession.SCREEN_SIZE[1]), "mouseup", button]
    return commands


class BorderlessFrameTest(WindowManagerTest):
    """Under openbox with frames that are a title bar alone: a frame with no
    border on some side is a frame all the same, and the windows stand centred
    with it."""

    frame_borders = False


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--game", required=True, help="the built vorkade2 executable")
    parser.add_argument("--resources", required=True, help="the source tree's resources/")
    parser.add_argument("--seed", type=int, help="the storm's random seed")
    parser.add_argument("--rounds", type=int, default=10, help="the storm's batches of 20")
    options, rest = parser.parse_known_args()
    Options.game, Options.resources = options.game, options.resources
    Options.seed, Options.rounds = options.seed, options.rounds
    # CTest's timeout and Ctrl+C end the run through the clean-ups.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
