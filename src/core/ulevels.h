// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a level text, in order, without their line ends. The lines view
// the text they were cut from, which must outlive the list.
using TLines = std::vector<std::string_view>;

// Collection commands. Each ends by calling RefreshWindows, whether or not
// anything changed, so a command that cannot move the cursor restarts the level.
void FirstLevel();
void PreviousLevel();
void NextLevel();
void LastLevel();
void RandomLevel(); // reseeds the generator from the clock on every call
void RestartLevel();
void DeleteAllLevels();

// The windows that mirror the current level. Each is empty until its window
// exists; RefreshWindows calls the play window's, then the editor's.
struct TRefreshTargets {
    std::function<void()> Play2D;
    std::function<void()> Editeur;
};
extern TRefreshTargets RefreshTargets;
void RefreshWindows();

// Whether a level is current: what the windows test before they read one.
bool HasCurrentLevel();

// What the new-level command needs of the windows: a yes/no question and a way
// to show the editor. Without a Confirm hook the answer is no.
struct TUserInterface {
    std::function<bool(const std::string &question)> Confirm;
    std::function<void()> ShowEditor;
};
extern TUserInterface UserInterface;

// Asks, then appends a blank NewLevelWidth x NewLevelHeight level of '-', makes it
// current and shows the editor.
inline constexpr std::int32_t NewLevelWidth = 16;
inline constexpr std::int32_t NewLevelHeight = 12;
void NewLevel();

// Seeds the shared generator from the clock.
void Randomize();
// A uniformly drawn integer in 0..bound - 1; bound >= 1.
int RandomBelow(int bound);

// Replaces the collection with the levels of the built-in level text (ReadLevels)
// and makes level 1 current. Returns an empty text on success; when the text is
// missing it returns the message to show, leaves the collection empty and refreshes
// no window.
std::string LoadLevels();

// The level text reader: text in, levels out, no global touched, so that the tools
// and the tests read level text exactly as the game does.

// Cuts a level text into lines at CR LF, CR or LF; a NUL ends the text.
TLines SplitLines(std::string_view text);

// The closed blocks of a level text's lines, in order, each the lines between its
// markers as they stand. A marker is a line that reads "[LEVEL]" or "[/LEVEL]" once
// bytes 0 to 32 are trimmed from both ends. A second "[LEVEL]" starts the block
// again, a block never closed is dropped, and a "[/LEVEL]" that closes no block still
// closes one: the lines since the last marker, or since the start.
std::vector<TLines> LevelBlocks(const TLines &lines);

// The levels of a level text's lines, one per closed block, each appended by AddLevel.
std::vector<TLevel> ParseLevels(const TLines &lines);
// The levels of a level text: ParseLevels of its lines.
std::vector<TLevel> ReadLevels(std::string_view text);

// Appends the level of one block. Lines holding '#' are its rows (ReadLevelGrid);
// lines holding '=' are its infos (ReadLevelInfos); a line may be both, and other
// lines are dropped.
void AddLevel(std::vector<TLevel> &levels, const TLines &block);
// The six texts of a level from its "Key=value" lines: the key matched whatever its
// case, the first line of a key counting, a missing key an empty text.
void ReadLevelInfos(TLevel &level, const TLines &infoLines);

// The grid vocabulary that the windows, the tools and the tests share.

// Sets the grid of `level` from rows of text, top to bottom: Width is the longest row,
// Height the number of rows (both 0 when no row holds a cell); shorter rows are filled
// with spaces on the right, and every byte is kept as it is.
void ReadLevelGrid(TLevel &level, const TLines &rows);
// The rows of a grid, top to bottom, each `width` cells long.
std::vector<std::string> TabloRows(const TTablo &tablo, std::int32_t width, std::int32_t height);

inline bool IsBoxCell(char c)
{
    return c == '$' || c == '*';
}

inline bool IsKeeperCell(char c)
{
    return c == '@' || c == '+';
}

inline bool IsTargetCell(char c)
{
    return c == '.' || c == '*' || c == '+';
}

// Copies the current level's grid cell by cell into a window's working grid. When no
// level is current it returns false and leaves all three as they were.
bool CopyCurrentLevel(TTablo &tablo, std::int32_t &width, std::int32_t &height);

// One line of the solutions file: a level's number, a space and its moves, "lurd" for
// the keeper's steps and "LURD" for its pushes.
struct TSolution {
    std::int32_t Level = 0;
    std::string Moves;
};

// The lines of a solutions text, each ended by LF. Nothing when a line is not a
// positive number, one space and at least one move letter.
std::optional<std::vector<TSolution>> ParseSolutions(std::string_view text);
