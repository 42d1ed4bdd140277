// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The level text reader on any bytes. Beyond not crashing and not reading outside
// the text, every level it reads must be well formed, the collection must stay as
// it was, and every grid must read back the same once written out again as level
// text.
#include "fuzzcheck.h"
#include "global.h"
#include "ulevels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace
{

// A plain loop over the bytes: the library's search calls memchr, which the
// sanitizer checks at every call, here for bytes the target already read.
bool HasLineEnd(std::string_view text)
{
    for (const char c : text) {
        if (c == '\r' || c == '\n')
            return true;
    }
    return false;
}

void CheckLines(const TLines &lines, std::string_view text)
{
    Require(lines.size() <= text.size(), "no more lines than bytes");
    for (const std::string_view line : lines) {
        Require(line.data() >= text.data() &&
                    line.data() + line.size() <= text.data() + text.size(),
                "a line views the text it was cut from");
        Require(!HasLineEnd(line), "a line holds no line end");
    }
}

void CheckLevel(const TLevel &level, std::size_t lineCount, std::size_t textSize)
{
    Require((level.Width == 0) == (level.Height == 0), "width and height are both 0 or both set");
    Require(level.Width >= 0 && level.Height >= 0, "sizes are not negative");
    Require(static_cast<std::size_t>(level.Width) <= textSize, "no row is longer than the text");
    Require(static_cast<std::size_t>(level.Height) <= lineCount, "no more rows than lines");
    Require(level.Tablo.size() == static_cast<std::size_t>(level.Width), "one column per x");
    for (const auto &column : level.Tablo)
        Require(column.size() == static_cast<std::size_t>(level.Height), "one cell per y");
    for (const std::string *info : {&level.Author, &level.Title, &level.Collection,
                                    &level.AuthorMail, &level.AuthorPage, &level.Date})
        Require(!HasLineEnd(*info), "an info value holds no line end");
}

// The grids alone, as level text: each row holds a '#' (or it would not have been
// read), so they must come back cell for cell, padding included.
std::string GridsAsText(const std::vector<TLevel> &levels)
{
    static constexpr std::string_view Open = "[LEVEL]\n";
    static constexpr std::string_view Close = "[/LEVEL]\n";
    std::size_t size = 0;
    for (const TLevel &level : levels)
        size +=
            Open.size() + std::size_t(level.Width + 1) * std::size_t(level.Height) + Close.size();
    std::string text(size, '\0');
    char *next = text.data();
    for (const TLevel &level : levels) {
        next = std::copy(Open.begin(), Open.end(), next);
        for (std::int32_t y = 0; y < level.Height; ++y) {
            for (std::int32_t x = 0; x < level.Width; ++x)
                *next++ = level.Tablo[x][y];
            *next++ = '\n';
        }
        next = std::copy(Close.begin(), Close.end(), next);
    }
    return text;
}

void CheckGridsReadBack(const std::vector<TLevel> &levels)
{
    const std::vector<TLevel> again = ReadLevels(GridsAsText(levels));
    Require(again.size() == levels.size(), "every grid written out reads back as one level");
    for (std::size_t i = 0; i < levels.size(); ++i) {
        Require(again[i].Width == levels[i].Width && again[i].Height == levels[i].Height,
                "a grid read back keeps its size");
        Require(SameCells(again[i].Tablo, levels[i].Tablo), "a grid read back keeps its cells");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const TLines lines = SplitLines(text);
    CheckLines(lines, text);
    const std::vector<TLevel> levels = ReadLevels(text);

    Require(Levels.empty() && LevelCount == 0 && CurrentLevel == 0,
            "reading leaves the collection alone");
    for (const TLevel &level : levels)
        CheckLevel(level, lines.size(), size);

    CheckGridsReadBack(levels);
    return 0;
}
