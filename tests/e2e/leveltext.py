# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""The built-in levels and their stored solutions, read the way a player's eye
would need them: each level as a list of equally long row strings.

The scenarios read the text here, apart from the game's own reader, on purpose: a
fault in that reader cannot then feed the scenarios the same wrong levels it shows
the player."""

STEPS = {"l": (-1, 0), "r": (1, 0), "u": (0, -1), "d": (0, 1)}

# The xdotool key name of each move letter; a push is the same key as a step.
ARROW_KEYS = {"l": "Left", "r": "Right", "u": "Up", "d": "Down"}


def _lines(data):
    """Cuts bytes at CR LF, CR or LF; a NUL ends the text."""
    data = data.split(b"\0", 1)[0]
    text = data.decode("latin-1").replace("\r\n", "\n").replace("\r", "\n")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


# Its own reader on purpose: the screen is held against the level text, not the game's reader.
def parse_levels(data):
    """The grids of a level text, in order; rows padded with spaces on the right."""
    levels = []
    block = []
    for line in _lines(data):
        marker = line.strip("".join(chr(c) for c in range(33)))
        if marker == "[LEVEL]":
            block = []
        elif marker == "[/LEVEL]":
            rows = [row for row in block if "#" in row]
            width = max((len(row) for row in rows), default=0)
            levels.append([row.ljust(width) for row in rows])
            block = []
        else:
            block.append(line)
    return levels


def read_levels(path):
    with open(path, "rb") as file:
        return parse_levels(file.read())


def read_solutions(path):
    """Level number -> its move letters, from lines "<number> <letters>"."""
    solutions = {}
    with open(path, encoding="ascii") as file:
        for line in file:
            fields = line.split()
            if len(fields) == 2 and fields[0].isdigit():
                solutions[int(fields[0])] = fields[1]
    return solutions


# The two cells a step rewrites, and the three a push rewrites: keeper, next, beyond.
_STEP = {"@ ": " @", "@.": " +", "+ ": ".@", "+.": ".+"}
_PUSH = {
    "@$ ": " @$", "@$.": " @*", "@* ": " +$", "@*.": " +*",
    "+$ ": ".@$", "+$.": ".@*", "+* ": ".+$", "+*.": ".+*",
}


def keeper(rows):
    for y, row in enumerate(rows):
        for x, cell in enumerate(row):
            if cell in "@+":
                return x, y
    raise ValueError("level without a keeper")


def play(rows, letters):
    """The grid after the moves; a move that the walls refuse changes nothing."""
    grid = [list(row) for row in rows]
    for letter in letters:
        dx, dy = STEPS[letter.lower()]
        x, y = keeper(grid)
        cells = [(x + i * dx, y + i * dy) for i in range(3)]

        def at(cell):
            cx, cy = cell
            inside = 0 <= cy < len(grid) and 0 <= cx < len(grid[cy])
            return grid[cy][cx] if inside else "Z"

        now = "".join(at(c) for c in cells)
        if now in _PUSH:
            after = _PUSH[now]
        elif now[:2] in _STEP:
            after = _STEP[now[:2]] + now[2]
        else:
            continue
        for (cx, cy), cell in zip(cells, after):
            grid[cy][cx] = cell
    return ["".join(row) for row in grid]


def is_solved(rows):
    """No loose box, a box in place, no free target (one under the keeper is not counted)."""
    text = "".join(rows)
    return "$" not in text and "*" in text and "." not in text
