#pragma once

#include <functional>
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

// Asks, then appends a blank 16 x 12 level of '-', makes it current and shows the editor.
void NewLevel();

// Seeds the shared generator from the clock.
void Randomize();
// A uniformly drawn integer in 0..bound - 1; bound >= 1.
int RandomBelow(int bound);

// Replaces the collection with the built-in level text. Returns an empty text
// on success; when the text is missing it returns the message to show, leaves
// the collection empty and refreshes no window.
std::string LoadLevels();

// Cuts a level text into lines at CR LF, CR or LF; a NUL ends the text.
TLines SplitLines(std::string_view text);

// The level text parser: ParseLevels cuts lines into [LEVEL] blocks and calls
// AddLevel for each closed one; the two readers fill the last level.
void ParseLevels(const TLines &lines);
void AddLevel(const TLines &block);
void ReadLevelGrid(const TLines &gridLines);
void ReadLevelInfos(const TLines &infoLines);
