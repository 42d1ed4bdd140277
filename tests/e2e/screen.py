# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the X server shows, read back pixel by pixel, and the pictures the game
should be showing, built from its own XPM art and a level grid."""

import os
import re
import subprocess

BLACK = (0, 0, 0)
LATTICE_GREY = (128, 128, 128)

# The tile file of each cell character; every other byte is drawn as floor.
TILE_FILES = {
    "#": "tile_wall.xpm",
    ".": "tile_target.xpm",
    "$": "tile_box1.xpm",
    "*": "tile_box2.xpm",
    "@": "tile_bramlek1.xpm",
    "+": "tile_bramlek2.xpm",
}
FLOOR_FILE = "tile_empty.xpm"
TILE = 15


class Shot:
    """One screenshot: width x height pixels, three bytes (R, G, B) each."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def row(self, y, x0=0, x1=None):
        """The bytes of pixels x0 <= x < x1 on row y."""
        x1 = self.width if x1 is None else x1
        start = 3 * (y * self.width)
        return self.rgb[start + 3 * x0:start + 3 * x1]

    def region(self, left, top, width, height):
        return [self.row(y, left, left + width) for y in range(top, top + height)]

    def save_ppm(self, path):
        with open(path, "wb") as file:
            file.write(b"P6\n%d %d\n255\n" % (self.width, self.height))
            file.write(self.rgb)


def parse_ppm(data):
    """A binary PPM (P6) picture, 8 or 16 bits a sample, as a Shot."""
    fields = []
    pos = 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    if data[:2] != b"P6":
        raise ValueError("not a binary PPM picture")
    width, height, maxval = fields
    samples = data[pos + 1:]
    if maxval > 255:
        samples = samples[0::2]  # the high byte of each big-endian sample
    return Shot(width, height, samples[:3 * width * height])


def grab(display):
    """The whole screen of the given X display. ImageMagick composes it window by
    window; a plain read of the root window misses the contents of dialog boxes."""
    picture = subprocess.run(
        ["import", "-display", display, "-window", "root", "-depth", "8", "ppm:-"],
        check=True, capture_output=True, timeout=30).stdout
    return parse_ppm(picture)


def read_xpm(path):
    """An XPM picture as rows of RGB bytes; only "#RRGGBB" colours are used by our art."""
    with open(path, encoding="ascii") as file:
        strings = re.findall(r'"([^"]*)"', file.read())
    width, height, count, per_pixel = (int(v) for v in strings[0].split()[:4])
    colours = {}
    for entry in strings[1:1 + count]:
        key, words = entry[:per_pixel], entry[per_pixel:].split()
        value = words[words.index("c") + 1]
        colours[key] = bytes.fromhex(value[1:]) if value.startswith("#") else b"\xff\xff\xff"
    rows = []
    for line in strings[1 + count:1 + count + height]:
        keys = (line[i:i + per_pixel] for i in range(0, width * per_pixel, per_pixel))
        rows.append(b"".join(colours[k] for k in keys))
    return rows


class TileSet:
    """The seven tiles of the art folder, 15 x 15 each."""

    def __init__(self, art_dir):
        self.floor = read_xpm(os.path.join(art_dir, FLOOR_FILE))
        self.tiles = {c: read_xpm(os.path.join(art_dir, f)) for c, f in TILE_FILES.items()}

    def tile(self, cell):
        return self.tiles.get(cell, self.floor)


def play_picture(rows, tiles):
    """The play window's board: tiles edge to edge on a 15-pixel pitch."""
    picture = []
    for row in rows:
        for line in range(TILE):
            picture.append(b"".join(tiles.tile(c)[line] for c in row))
    return picture


def editor_picture(rows, tiles):
    """The editor's board: tiles on a 16-pixel pitch inside a grey one-pixel lattice."""
    grey = bytes(LATTICE_GREY)
    width = len(rows[0]) if rows else 0
    lattice = grey * (16 * width + 1)
    picture = [lattice]
    for row in rows:
        for line in range(TILE):
            picture.append(grey + b"".join(tiles.tile(c)[line] + grey for c in row))
        picture.append(lattice)
    return picture


def find_picture(shot, picture):
    """Every (x, y) where the whole picture stands in the screenshot."""
    height = len(picture)
    width = len(picture[0]) // 3 if height else 0
    found = []
    if not width or width > shot.width or height > shot.height:
        return found
    for y in range(shot.height - height + 1):
        line = shot.row(y)
        start = line.find(picture[0])
        while start >= 0:
            if start % 3 == 0:
                x = start // 3
                if all(shot.row(y + i, x, x + width) == picture[i] for i in range(1, height)):
                    found.append((x, y))
            start = line.find(picture[0], start + 1)
    return found


def shows_picture_at(shot, picture, x, y, clip):
    """Whether the picture, placed at (x, y) and cut to the clip rectangle
    (left, top, width, height), matches the screenshot there."""
    left, top, clip_width, clip_height = clip
    width = len(picture[0]) // 3
    x0, x1 = max(x, left), min(x + width, left + clip_width)
    y0, y1 = max(y, top), min(y + len(picture), top + clip_height)
    if x0 >= x1 or y0 >= y1:
        return False
    return all(shot.row(sy, x0, x1) == picture[sy - y][3 * (x0 - x):3 * (x1 - x)]
               for sy in range(y0, y1))


RED = bytes((255, 0, 0))
YELLOW = bytes((255, 255, 0))


def window_icons(shot, region):
    """The window icons of the play window, the editor and the information
    window that stand whole in a region (left, top, width, height): squares of
    12 to 24 pixels outlined in pure red, pure yellow just inside. Each is
    (x, y, size, red), red the count of red pixels inside the outline: the
    information window's "i" has the fewest."""
    left, top, width, height = region
    found = []
    for y in range(top, top + height):
        line = shot.row(y, left, left + width)
        x = 0
        while x < width:
            if line[3 * x:3 * x + 3] != RED:
                x += 1
                continue
            run = x
            while run < width and line[3 * run:3 * run + 3] == RED:
                run += 1
            size = run - x
            if 12 <= size <= 24 and y + size <= top + height:
                icon = _outlined(shot, left + x, y, size)
                if icon is not None:
                    found.append(icon)
            x = run
    return found


def _outlined(shot, x, y, size):
    """The icon whose red outline has its top-left corner at (x, y), if there is one."""
    if shot.row(y + size - 1, x, x + size) != RED * size:
        return None
    if any(shot.pixel(x, y + i) != tuple(RED) or shot.pixel(x + size - 1, y + i) != tuple(RED)
           for i in range(size)):
        return None
    if shot.pixel(x + 1, y + 1) != tuple(YELLOW):
        return None
    inside = b"".join(shot.row(y + i, x + 1, x + size - 1) for i in range(1, size - 1))
    red = sum(1 for i in range(0, len(inside), 3) if inside[i:i + 3] == RED)
    return x, y, size, red


def span_of(shot, x, y, dx, dy, colour):
    """How many pixels of the given colour follow (x, y) in direction (dx, dy)."""
    count = 0
    x, y = x + dx, y + dy
    while 0 <= x < shot.width and 0 <= y < shot.height and shot.pixel(x, y) == colour:
        count += 1
        x, y = x + dx, y + dy
    return count


def ink_columns(lines, background):
    """The columns of a region (rows of RGB bytes) holding any pixel unlike the background."""
    width = len(lines[0]) // 3
    background = bytes(background)
    columns = []
    for x in range(width):
        if any(line[3 * x:3 * x + 3] != background for line in lines):
            columns.append(x)
    return columns


def most_common_colour(lines):
    counts = {}
    for line in lines:
        for i in range(0, len(line), 3):
            colour = line[i:i + 3]
            counts[colour] = counts.get(colour, 0) + 1
    return max(counts, key=counts.get)
